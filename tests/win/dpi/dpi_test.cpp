// The windows at the DPI the prefix was given (CORVANE_DPI, set in the
// registry before Wine started): the layout and the fonts grow with it and
// every text still shows whole. Linked with the program's manifest, which
// makes the process aware of the DPI.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "automation/text_fit.h"
#include "changes/unit2.h"
#include "changes/unit3.h"
#include "changes/unit4.h"
#include "platform/win32/framework/application.h"
#include "platform/win32/framework/win32_message_boxes.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_file_system.h"
#include "texts.h"

namespace corvane {
namespace {

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

  TForm2 alert(application);
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
  const HWND headline = FindWindowExW(alert.handle(), nullptr, L"STATIC", win32::Wide(texts::kAlertHeadline).c_str());
  ASSERT_NE(headline, nullptr);
  EXPECT_EQ(FontHeight(headline), MulDiv(-13, dpi, 96)) << dpi;
  EXPECT_EQ(CutTextsWhenShown(alert.handle()), std::vector<std::string>{}) << "alert " << dpi;

  TForm3 blacklist(application, files, data, boxes);
  EXPECT_EQ(CutTextsWhenShown(blacklist.handle()), std::vector<std::string>{})
      << "blacklist " << dpi;
  TForm4 log(application, files, data);
  EXPECT_EQ(CutTextsWhenShown(log.handle()), std::vector<std::string>{}) << "log " << dpi;
}

}  // namespace
}  // namespace corvane
