// The windows at the DPI the prefix was given (CORVANE_DPI, set in the
// registry before Wine started): the layout and the fonts grow with it and
// every text still shows whole. Linked with the program's manifest, which
// makes the process aware of the DPI.
#include "platform/win32/framework/dpi.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "automation/text_fit.h"
#include "changes/unit2.h"
#include "changes/unit3.h"
#include "changes/unit4.h"
#include "changes/unit5.h"
#include "platform/win32/framework/application.h"
#include "platform/win32/framework/win32_message_boxes.h"
#include "platform/win32/signature_worker.h"
#include "platform/win32/wide.h"
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

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return SIZE{client.right, client.bottom};
}

int FontHeight(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

std::vector<std::string> CutTextsWhenShown(HWND window) {
  ShowWindow(window, SW_SHOWNA);
  return automation::CutTexts(window);
}

TEST(DpiTest, WindowsScaleWithTheScreensDpi) {
  const char* wanted = std::getenv("CORVANE_DPI");
  ASSERT_NE(wanted, nullptr);
  const int dpi = std::atoi(wanted);
  const double scale = dpi / 96.0;
  win32::Application application(GetModuleHandleW(nullptr), texts::kApplicationTitle);
  Win32FileSystem files;
  win32::Win32MessageBoxes boxes(application);
  const DataFiles data{files.ProgramDirectory()};

  const Win32Signatures checks;
  win32::SignatureWorker signatures(checks);
  TForm2 alert(application, signatures);
  AlertFacts facts;
  facts.type_text = texts::kRegistryStartupType;
  facts.location = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Tool";
  facts.command = "C:\\Tools\\tool.exe";
  facts.publisher = "Example Publisher";
  facts.position = 2;
  facts.count = 3;
  facts.same_type_after = 1;
  facts.offer_do_not_ask = true;
  alert.SetFacts(facts);
  // The alert is 417 pixels wide at 96 dpi (more only where a text needs
  // it), and its headline font 13 pixels high.
  const SIZE client = ClientSize(alert.handle());
  EXPECT_GE(client.cx, int(417 * scale) - 1) << dpi;
  EXPECT_LE(client.cx, int(417 * scale * 1.25)) << dpi;
  const HWND headline =
      FindWindowExW(alert.handle(), nullptr, L"STATIC", win32::Wide(texts::kAlertHeadline).c_str());
  ASSERT_NE(headline, nullptr);
  EXPECT_EQ(FontHeight(headline), MulDiv(-13, dpi, 96)) << dpi;
  EXPECT_EQ(CutTextsWhenShown(alert.handle()), std::vector<std::string>{}) << "alert " << dpi;

  // Moved to a screen of another DPI, as Windows tells it (Wine does not).
  const int other_dpi = dpi == 144 ? 192 : 144;
  RECT frame{};
  GetWindowRect(alert.handle(), &frame);
  const RECT suggested{frame.left, frame.top,
                       frame.left + MulDiv(frame.right - frame.left, other_dpi, dpi),
                       frame.top + MulDiv(frame.bottom - frame.top, other_dpi, dpi)};
  SendMessageW(alert.handle(), win32::kDpiChangedMessage, MAKEWPARAM(other_dpi, other_dpi),
               reinterpret_cast<LPARAM>(&suggested));
  // A little wider where a check box's box stays at the system's DPI.
  const int moved_width = ClientSize(alert.handle()).cx;
  EXPECT_GE(moved_width, MulDiv(client.cx, other_dpi, dpi) - 2) << other_dpi;
  EXPECT_LE(moved_width, MulDiv(client.cx, other_dpi, dpi) * 11 / 10) << other_dpi;
  EXPECT_EQ(FontHeight(headline), MulDiv(-13, other_dpi, 96)) << other_dpi;
  EXPECT_EQ(CutTextsWhenShown(alert.handle()), std::vector<std::string>{})
      << "alert moved to " << other_dpi;

  TForm3 blacklist(application, files, data, boxes);
  EXPECT_EQ(CutTextsWhenShown(blacklist.handle()), std::vector<std::string>{})
      << "blacklist " << dpi;
  TForm4 log(application, files, data);
  EXPECT_EQ(CutTextsWhenShown(log.handle()), std::vector<std::string>{}) << "log " << dpi;
  NoRemovedEntries entries;
  TForm5 removed(application, entries, boxes);
  EXPECT_EQ(CutTextsWhenShown(removed.handle()), std::vector<std::string>{})
      << "removed " << dpi;
}

}  // namespace
}  // namespace corvane
