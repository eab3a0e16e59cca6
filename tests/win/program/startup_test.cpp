// Start-up and the options window: what a first run shows, what Save keeps,
// and what a later start reads back.
#include <string>

#include "automation/input.h"
#include "program/program_fixture.h"
#include "texts.h"

namespace corvane::program_test {
namespace {

using automation::WaitUntil;
using automation::WaitUntilHidden;

const char* const kCheckBoxes[] = {texts::kAutorunOption,         texts::kMonitorRegistryKeys,
                                   texts::kMonitorStartupFolders, texts::kMonitorServices,
                                   texts::kMonitorIniFiles,       texts::kMonitorIeObjects,
                                   texts::kMonitorScheduledTasks};

class ProgramStartTest : public ProgramTest {};

// Where the control lies in the main window's client area.
RECT PlaceIn(HWND main, HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, main, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST_F(ProgramStartTest, AFirstRunShowsTheOptionsWindowWithEveryBoxChecked) {
  ASSERT_NE(Start(), nullptr) << "no main window with the program's caption";
  EXPECT_TRUE(Shown());
  // As laid out, or larger where the fonts at hand need more room.
  const SIZE client = automation::ClientSize(main_);
  EXPECT_GE(client.cx, 248);
  EXPECT_EQ(client.cy, 372);

  struct Expected {
    const char* text;
    int left, top, width, height;
  };
  const Expected layout[] = {
      {texts::kMainTitleLabel, 44, 2, 158, 33},
      {texts::kMakerLabel, 47, 40, 152, 16},
      {texts::kAutorunOption, 24, 80, 193, 17},
      {texts::kAreasGroup, 24, 104, 201, 177},
      {texts::kMonitorRegistryKeys, 48, 128, 169, 17},
      {texts::kMonitorStartupFolders, 48, 152, 161, 17},
      {texts::kMonitorServices, 48, 176, 129, 17},
      {texts::kMonitorIniFiles, 48, 200, 137, 17},
      {texts::kMonitorIeObjects, 48, 224, 137, 17},  // inside the group box
      {texts::kMonitorScheduledTasks, 48, 248, 161, 17},
      {texts::kKeepLogOption, 24, 296, 193, 17},
      {texts::kSaveButton, 40, 328, 73, 25},
      {texts::kCancelButton, 136, 328, 73, 25},
  };
  for (const Expected& expected : layout) {
    SCOPED_TRACE(expected.text);
    const HWND control = ControlWithText(expected.text);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(IsWindowVisible(control));
    const RECT place = PlaceIn(main_, control);
    EXPECT_EQ(place.left, expected.left);
    EXPECT_EQ(place.top, expected.top);
    EXPECT_GE(place.right - place.left, expected.width);
    EXPECT_EQ(place.bottom - place.top, expected.height);
  }

  for (const char* box : kCheckBoxes) EXPECT_TRUE(Checked(box)) << box;
  EXPECT_TRUE(IsWindowEnabled(ControlWithText(texts::kSaveButton)));
  EXPECT_FALSE(IsWindowEnabled(ControlWithText(texts::kCancelButton)));
}

TEST_F(ProgramStartTest, SaveStoresTheBoxesRegistersTheProgramAndHidesTheWindow) {
  ASSERT_NE(Start(), nullptr);
  automation::Click(ControlWithText(texts::kMonitorServices));
  automation::Click(ControlWithText(texts::kMonitorScheduledTasks));
  ASSERT_TRUE(WaitUntil([&] {
    return !Checked(texts::kMonitorServices) && !Checked(texts::kMonitorScheduledTasks);
  }));
  automation::Click(ControlWithText(texts::kSaveButton));
  ASSERT_TRUE(WaitUntilHidden(main_));

  // Keys in the order autorun, registry, folders, services, INI files, tasks.
  const char* const keys[] = {texts::kAutorunKey,  texts::kRegistryKeysKey,
                              texts::kStartupFoldersKey, texts::kServicesKey,
                              texts::kIniFilesKey, texts::kScheduledTasksKey};
  const std::string expected[] = {"1", "1", "1", "0", "1", "0"};
  for (int at = 0; at < 6; ++at) EXPECT_EQ(Option(keys[at]), expected[at]) << "key " << keys[at];
  EXPECT_EQ(Option(texts::kVersionKey), texts::kProgramVersion);
  EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kRunKey, texts::kAutorunValue),
            '"' + ProgramPath() + '"');

  // Once saved, Cancel is offered; unticking autorun and saving again takes
  // the program's value out of the Run key.
  Choose(kRestoreCommand);
  ASSERT_TRUE(WaitUntilShown());
  EXPECT_TRUE(IsWindowEnabled(ControlWithText(texts::kCancelButton)));
  EXPECT_FALSE(Checked(texts::kMonitorServices));
  EXPECT_FALSE(Checked(texts::kMonitorScheduledTasks));
  automation::Click(ControlWithText(texts::kAutorunOption));
  ASSERT_TRUE(WaitUntil([&] { return !Checked(texts::kAutorunOption); }));
  automation::Click(ControlWithText(texts::kSaveButton));
  ASSERT_TRUE(WaitUntilHidden(main_));
  EXPECT_EQ(Option(texts::kAutorunKey), "0");
  EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kRunKey, texts::kAutorunValue), std::nullopt);
}

TEST_F(ProgramStartTest, ALaterStartStaysHiddenAndReadsTheStoredBoxes) {
  // Any stored version counts; 0x0 is a zero, a word is no number at all.
  WriteOptionsFile("[Options]\r\nV=1.0\r\n2=0x0\r\n3=true\r\n");
  ASSERT_NE(Start(), nullptr);
  EXPECT_FALSE(Shown());
  Choose(kRestoreCommand);
  ASSERT_TRUE(WaitUntilShown());
  EXPECT_FALSE(Checked(texts::kMonitorRegistryKeys));
  for (const char* box : kCheckBoxes) {
    if (box != texts::kMonitorRegistryKeys) {
      EXPECT_TRUE(Checked(box)) << box;
    }
  }
  EXPECT_TRUE(IsWindowEnabled(ControlWithText(texts::kCancelButton)));
}

TEST_F(ProgramStartTest, TheCloseButtonEndsTheProgramAtOnceAndAFirstRunStaysUnsaved) {
  ASSERT_NE(Start(), nullptr);
  automation::CloseWithCloseButton(main_);
  EXPECT_TRUE(WaitForExit()) << "no confirmation is asked";
  EXPECT_FALSE(OptionsFileExists());
}

}  // namespace
}  // namespace corvane::program_test
