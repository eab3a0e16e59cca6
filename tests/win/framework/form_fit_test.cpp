// A form whose layout is too small for its texts in the fonts at hand grows
// around them; one that fits stays exactly as laid out.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "automation/text_fit.h"
#include "automation/windows.h"
#include "platform/win32/framework/application.h"
#include "platform/win32/framework/form.h"

namespace corvane::win32 {
namespace {

RECT PlaceOf(const Form& form, const char* name) {
  RECT rect{};
  GetWindowRect(form[name].handle(), &rect);
  MapWindowPoints(HWND_DESKTOP, form.handle(), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST(FormFitTest, ATooSmallLayoutGrowsAroundItsTextsKeepingItsMargins) {
  constexpr ControlLayout kCramped[] = {
      GroupBox("GroupBox1", 8, 8, 60, 60, "Places that are watched"),
      CheckBox("CheckBox1", 8, 20, 30, 17, "A check box with a long text").Inside("GroupBox1"),
      CheckBox("CheckBox2", 16, 50, 40, 17, "Short"),
      Button("BitBtn1", 80, 8, 40, 25, "Save these options").Picture(Glyph::kOk),
      Button("BitBtn2", 80, 40, 100, 25, "Cancel"),
  };
  Application application(GetModuleHandleW(nullptr), "Corvane");
  Form form(application, Window("Cramped", 200, 100), kCramped);
  ShowWindow(form.handle(), SW_SHOWNA);

  EXPECT_EQ(automation::CutTexts(form.handle()), std::vector<std::string>{});
  const RECT group = PlaceOf(form, "GroupBox1");
  const RECT inner = PlaceOf(form, "CheckBox1");
  const RECT outer = PlaceOf(form, "CheckBox2");
  const RECT save = PlaceOf(form, "BitBtn1");
  const RECT cancel = PlaceOf(form, "BitBtn2");
  // The smallest margin inside the group box stays, as does the gap after it.
  EXPECT_EQ(group.right - std::max(inner.right, outer.right), 68 - 56);
  EXPECT_EQ(save.left - group.right, 80 - 68);
  EXPECT_EQ(cancel.left, save.left);
  // Only widths and heights grow: the tops and the left column stay.
  EXPECT_EQ(group.left, 8);
  EXPECT_EQ(inner.left, 16);
  EXPECT_EQ(inner.top, 28);
  EXPECT_EQ(save.top, 8);
  EXPECT_EQ(cancel.top, 40);
  // The window grew to keep its smallest right margin (from Cancel's 20).
  const SIZE client = automation::ClientSize(form.handle());
  EXPECT_EQ(client.cx, std::max(save.right, cancel.right) + 20);
  EXPECT_EQ(client.cy, 100);
  EXPECT_EQ(form.FittedClientWidth(), client.cx);
}

TEST(FormFitTest, ALayoutThatFitsKeepsExactlyItsSizes) {
  constexpr ControlLayout kRoomy[] = {
      GroupBox("GroupBox1", 8, 8, 200, 60, "Areas"),
      CheckBox("CheckBox1", 8, 20, 150, 17, "Services").Inside("GroupBox1"),
      Button("BitBtn1", 220, 8, 120, 25, "Save").Picture(Glyph::kOk),
      Make(ControlKind::kLabel, "Label1", 8, 80, 200, 20, "Corvane"),
  };
  Application application(GetModuleHandleW(nullptr), "Corvane");
  Form form(application, Window("Roomy", 360, 110), kRoomy);

  const SIZE client = automation::ClientSize(form.handle());
  EXPECT_EQ(client.cx, 360);
  EXPECT_EQ(client.cy, 110);
  for (const ControlLayout& layout : kRoomy) {
    const RECT place = PlaceOf(form, layout.name);
    const LONG left = layout.left + (layout.parent != nullptr ? 8 : 0);
    const LONG top = layout.top + (layout.parent != nullptr ? 8 : 0);
    EXPECT_EQ(place.left, left) << layout.name;
    EXPECT_EQ(place.top, top) << layout.name;
    EXPECT_EQ(place.right - place.left, layout.width) << layout.name;
    EXPECT_EQ(place.bottom - place.top, layout.height) << layout.name;
  }
}

}  // namespace
}  // namespace corvane::win32
