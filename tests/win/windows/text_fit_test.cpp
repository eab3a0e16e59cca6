// Every window of the change handling shows the whole text of each control
// in the fonts this system draws with.
#include "automation/text_fit.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "changes/unit2.h"
#include "changes/unit3.h"
#include "changes/unit4.h"
#include "changes/unit5.h"
#include "platform/win32/framework/application.h"
#include "platform/win32/framework/win32_message_boxes.h"
#include "platform/win32/signature_worker.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_signatures.h"
#include "texts.h"

namespace corvane {
namespace {

class NoRemovedEntries : public RemovedEntries {
 public:
  std::vector<RemovedEntry> List() override { return {}; }
  PutBackOutcome PutBack(const std::string&) override { return PutBackOutcome::kFailed; }
  void Forget(const std::string&) override {}
};

std::vector<std::string> CutTextsWhenShown(HWND window) {
  ShowWindow(window, SW_SHOWNA);
  return automation::CutTexts(window);
}

TEST(TextFitTest, EveryWindowShowsEachTextWhole) {
  win32::Application application(GetModuleHandleW(nullptr), texts::kApplicationTitle);
  Win32FileSystem files;
  win32::Win32MessageBoxes boxes(application);
  const DataFiles data{files.ProgramDirectory()};
  NoRemovedEntries entries;

  // The alert with every line and box it can show.
  const Win32Signatures checks;
  win32::SignatureWorker signatures(checks);
  TForm2 alert(application, signatures);
  AlertFacts facts;
  facts.type_text = texts::kRegistryStartupType;
  facts.location = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Tool";
  facts.command = "C:\\Tools\\tool.exe";
  facts.publisher = "Example Publisher";
  facts.changed = true;
  facts.old_command = "C:\\Tools\\old.exe";
  facts.position = 2;
  facts.count = 214;
  facts.same_type_after = 212;
  facts.offer_do_not_ask = true;
  alert.SetFacts(facts);
  EXPECT_EQ(CutTextsWhenShown(alert.handle()), std::vector<std::string>{}) << "alert";

  TForm3 blacklist(application, files, data, boxes);
  EXPECT_EQ(CutTextsWhenShown(blacklist.handle()), std::vector<std::string>{}) << "blacklist";
  TForm4 log(application, files, data);
  EXPECT_EQ(CutTextsWhenShown(log.handle()), std::vector<std::string>{}) << "log";
  TForm5 removed(application, entries, boxes);
  EXPECT_EQ(CutTextsWhenShown(removed.handle()), std::vector<std::string>{}) << "removed";
}

}  // namespace
}  // namespace corvane
