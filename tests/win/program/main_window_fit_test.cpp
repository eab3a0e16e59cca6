// The main window shows each of its texts whole in the fonts this system
// draws with, after growing where its layout was drawn too small for them.
#include <string>
#include <vector>

#include "automation/text_fit.h"
#include "platform/win32/framework/gui_handles.h"
#include "platform/win32/framework/layout.h"
#include "platform/win32/wide.h"
#include "program/program_fixture.h"
#include "texts.h"

namespace corvane::program_test {
namespace {

TEST_F(ProgramTest, TheMainWindowShowsEachTextWhole) {
  WriteOptionsFile(std::string("[Options]\r\nV=") + texts::kProgramVersion + "\r\n");
  ASSERT_NE(Start(), nullptr);
  Choose(kRestoreCommand);
  ASSERT_TRUE(WaitUntilShown());
  // Its font lives in the program's process; this one is made the same way.
  const win32::FontStyle& style = win32::kDialogFont;
  const win32::FontHandle font(CreateFontW(style.height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                           DEFAULT_PITCH | FF_DONTCARE,
                                           win32::Wide(style.face).c_str()));
  ASSERT_TRUE(font);
  EXPECT_EQ(automation::CutTexts(main_, font.get()), std::vector<std::string>{});
}

}  // namespace
}  // namespace corvane::program_test
