// Every removal can be undone exactly: the real program declines one entry
// of each kind it can put back, then the user puts each back from the window
// of removed entries, and every place holds again what it held before, byte
// for byte; the program logs it and does not ask about it again.
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "automation/input.h"
#include "automation/list_view.h"
#include "automation/message_box.h"
#include "automation/windows.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_task_scheduler.h"
#include "program/planting.h"
#include "program/program_fixture.h"
#include "texts.h"

namespace corvane::program_test {
namespace {

using namespace std::string_literals;
using automation::WaitUntil;
using automation::WaitUntilHidden;

const std::string kNt = "Software\\Microsoft\\Windows NT\\CurrentVersion";
const std::string kWinlogon = kNt + "\\Winlogon";
const std::string kDebugged = kNt + "\\Image File Execution Options\\cvputback.exe";
const std::string kWindows = kNt + "\\Windows";
const std::string kStartPage = "Software\\Microsoft\\Internet Explorer\\Main";
const std::string kServices = "SYSTEM\\CurrentControlSet\\Services";
const std::string kHelpers =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
const std::string kService = "CvPutBackService";
const std::string kHelper = "{6F1C0B7E-8A3D-4C59-B2E4-0D9A5C3E71F2}";
const std::string kTask = "\\CvPutBack\\Updater";
const std::string kRunName = "Автозапуск Корвейн";
const std::string kStartupName = "更新工具 ✓.cmd";
const std::string kStartupBytes = "@echo off\r\n\x00\xFF\xFE\x1A\r\nrem 工具"s;

std::string Hex(const std::string& bytes) {
  std::string hex;
  char digits[4];
  for (const char byte : bytes) {
    std::snprintf(digits, sizeof digits, "%02X ", static_cast<unsigned char>(byte));
    hex += digits;
  }
  return hex;
}

// A place's contents as a text that a failure shows: type and bytes.
std::string Contents(const std::optional<StoredValue>& value) {
  return value ? "type " + std::to_string(value->type) + ": " + Hex(value->bytes) : "absent";
}
// A key's values by name: Wine keeps them sorted, Windows in the order written.
std::string Contents(const std::optional<StoredTree>& tree) {
  if (!tree) return "absent";
  std::string shown;
  for (const StoredKey& key : *tree) {
    shown += "[" + key.path + "]\n";
    std::vector<std::string> values;
    for (const auto& [name, value] : key.values) values.push_back(name + " = " + Contents(value));
    std::sort(values.begin(), values.end());
    for (const std::string& value : values) shown += value + "\n";
  }
  return shown;
}
std::string FileContents(const std::optional<std::string>& bytes) {
  return bytes ? Hex(*bytes) : "absent";
}

// UTF-16 as stored, NULs and all.
std::string Wide16(const std::u16string& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

std::string InRegistry(HKEY root, const std::string& key) {
  return (root == HKEY_LOCAL_MACHINE ? texts::kLocalMachineRootName
                                     : texts::kCurrentUserRootName) +
         ("\\" + key);
}

// One place that the story plants in, reads whole and restores.
struct Place {
  std::string alert;   // the location the alert shows
  std::string logged;  // what the log names after "Put back "
  std::function<bool()> plant;
  std::function<std::string()> read;
  std::string after_no;  // what declining leaves there
  std::function<void()> restore;  // what the machine held before the story
};

Place ValuePlace(HKEY root, const std::string& key, const std::string& name,
                 const StoredValue& planted, const std::optional<StoredValue>& after_no,
                 const std::string& logged) {
  const auto saved = ReadStored(root, key, name);
  return {InRegistry(root, key + "\\" + name),
          logged,
          [=] { return WriteStored(root, key, name, planted); },
          [=] { return Contents(ReadStored(root, key, name)); },
          Contents(after_no),
          [=] { PutStored(root, key, name, saved); }};
}

// A key made whole by the story, none being there before.
Place TreePlace(const std::string& key, const StoredTree& planted,
                const std::optional<StoredTree>& after_no, const std::string& logged) {
  DeleteTree(HKEY_LOCAL_MACHINE, key);
  return {InRegistry(HKEY_LOCAL_MACHINE, key),
          logged,
          [=] { return WriteTree(HKEY_LOCAL_MACHINE, key, planted); },
          [=] { return Contents(ReadTree(HKEY_LOCAL_MACHINE, key)); },
          Contents(after_no),
          [=] { DeleteTree(HKEY_LOCAL_MACHINE, key); }};
}

Place FilePlace(const std::string& path, const std::string& alert, const std::string& planted,
                const std::optional<std::string>& after_no, const std::string& logged) {
  const auto saved = FileBytes(path);
  return {alert,
          logged,
          [=] {
            WriteFileBytes(path, planted);
            return FileBytes(path) == planted;
          },
          [=] { return FileContents(FileBytes(path)); },
          FileContents(after_no),
          [=] { PutFileBytes(path, saved); }};
}

class ProgramPutBackTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    WriteOptionsFile(std::string("[Options]\r\nV=") + texts::kProgramVersion + "\r\n");
    // Wine adds its scheduler's service with the first task it registers,
    // which would be one more new entry.
    CreateTask("\\CvPutBackWarmUp", "C:\\cvtask.exe");
    DeleteTask("\\CvPutBackWarmUp");
    DeleteTask(kTask);
  }

  void TearDown() override {
    ProgramTest::TearDown();
    for (const Place& place : places_) place.restore();
    DeleteTree(HKEY_LOCAL_MACHINE, kDebugged);
    DeleteTask(kTask);
  }

  // A Run value of the user whose data does not end where its text does:
  // the bytes after the NUL must come back too, and the type.
  Place RunPlace(const std::string& data_after_nul) {
    const std::string data = Wide16(u"%SystemRoot%\\Корвейн\\запуск.exe /тихо"s) +
                             std::string(2, '\0') + data_after_nul;
    return ValuePlace(HKEY_CURRENT_USER, kRunKey, kRunName, {REG_EXPAND_SZ, data}, std::nullopt,
                      std::string(texts::kRegistryStartupLogged) + kRunName);
  }

  void PlantEveryKind() {
    const std::string windir = Variable(L"windir");
    const std::string userinit = windir + "\\system32\\userinit.exe,";
    const std::string win_ini = windir + "\\win.ini";
    const std::string ini_before = FileBytes(win_ini).value_or("");
    const std::string startup = ShellFolder(CSIDL_STARTUP) + "\\" + kStartupName;
    const auto logged = [](const char* type, const std::string& key, const std::string& data) {
      return std::string(type) + ": \\" + key + " (" + data + ")";
    };
    StoredTree service = {{"",
                           {{"Type", StoredNumber(0x10)},
                            {"Start", StoredNumber(2)},
                            {"ErrorControl", StoredNumber(1)},
                            {"ImagePath", StoredText("%SystemRoot%\\cvputback\\служба.exe -run",
                                                     REG_EXPAND_SZ)},
                            {"DisplayName", StoredText("Corvane служба 服务")}}}};
    StoredTree disabled = service;
    disabled[0].values[1].second = StoredNumber(4);
    const StoredTree helper = {
        {"",
         {{"", StoredText("Помощник 助手")},
          {"NoExplorer", StoredNumber(1)},
          {"Blob", {REG_BINARY, "\x00\xFF\r\n\x1A\x80"s}}}},
        {"Settings", {{"Paths", {REG_MULTI_SZ, Wide16(u"C:\\а\0C:\\b\0\0"s)}}}},
        {"Settings\\Empty", {}}};

    places_ = {
        RunPlace(Wide16(u"хвост"s)),
        FilePlace(startup, startup, kStartupBytes, std::nullopt,
                  texts::kStartupFolderFileLogged + kStartupName),
        TreePlace(kServices + "\\" + kService, service, disabled,
                  texts::kServiceStartupLogged + kService),
        // The line's neighbours stay as they are, before and after it.
        FilePlace(win_ini, win_ini + ": run=",
                  ini_before + "[windows]\r\nrun=C:\\cvini.exe /ini\r\nNullPort=None\r\n",
                  ini_before + "[windows]\r\nrun=\r\nNullPort=None\r\n",
                  std::string(texts::kIniStartupLogged) + "C:\\cvini.exe /ini"),
        ValuePlace(HKEY_CURRENT_USER, kStartPage, "Start Page",
                   StoredText("https://пример.example/старт"), StoredText(""),
                   texts::kStartPageLogged),
        TreePlace(kHelpers + "\\" + kHelper, helper, std::nullopt, texts::kBrowserHelperLogged),
        ValuePlace(HKEY_LOCAL_MACHINE, kWinlogon, "Shell", StoredText("cvshell.exe"),
                   StoredText("explorer.exe"),
                   logged(texts::kWinlogonType, kWinlogon + "\\Shell", "cvshell.exe")),
        ValuePlace(HKEY_LOCAL_MACHINE, kWinlogon, "Userinit",
                   StoredText(userinit + "C:\\cv.exe"), StoredText(userinit),
                   logged(texts::kWinlogonType, kWinlogon + "\\Userinit", userinit + "C:\\cv.exe")),
        ValuePlace(HKEY_LOCAL_MACHINE, kDebugged, "Debugger", StoredText("C:\\cvdebugger.exe"),
                   std::nullopt,
                   logged(texts::kDebuggerType, kDebugged + "\\Debugger", "C:\\cvdebugger.exe")),
        ValuePlace(HKEY_LOCAL_MACHINE, kWindows, "AppInit_DLLs", StoredText("C:\\cv.dll"),
                   StoredText(""),
                   logged(texts::kAppInitType, kWindows + "\\AppInit_DLLs", "C:\\cv.dll")),
        // Wine 8 reads a task's definition back without its triggers and
        // command, so the task is held against what Wine gave for it before
        // the removal rather than against the file it was made from.
        {kTask, std::string(texts::kScheduledTaskType) + ": " + kTask,
         [] { return CreateTask(kTask, "C:\\cvputback-task.exe"); },
         [this] { return tasks_.TaskDefinition(kTask).value_or("absent"); }, "absent",
         [] { DeleteTask(kTask); }},
    };
    for (const Place& place : places_) ASSERT_TRUE(place.plant()) << place.alert;
  }

  // Plants while the watch is paused (the main window restored), so that the
  // next cycle finds everything at once, then declines every alert and
  // closes the message that follows them.
  void PlantAndDecline(const std::function<void()>& plant) {
    Choose(kRestoreCommand);
    ASSERT_TRUE(WaitUntilShown());
    plant();
    if (HasFatalFailure()) return;
    automation::Click(ControlWithText(texts::kCancelButton));
    ASSERT_TRUE(WaitUntilHidden(main_));
    Tick();
    std::multiset<std::string> asked;
    for (const Place& place : places_) asked.insert(place.alert);
    while (!asked.empty()) {
      const std::string location = AnswerAlert(
          [&](const std::string& text) { return asked.count(text) != 0; }, VK_ESCAPE);  // No
      ASSERT_FALSE(location.empty()) << asked.size() << " alerts still to come";
      asked.erase(asked.find(location));
    }
    const auto box = automation::WaitForMessageBox(ProcessId(), texts::kInformationTitle);
    ASSERT_EQ(box.text, texts::kRestoredMessage);
    automation::PressOk(box);
    ASSERT_TRUE(WaitUntilHidden(box.window));
  }

  // Opens the window of removed entries and waits for its rows.
  HWND OpenRemovedEntries(std::size_t rows) {
    Choose(kRemovedEntriesCommand);
    const HWND window = automation::WaitForWindow(ProcessId(), texts::kRemovedEntriesCaption);
    list_ = window == nullptr ? nullptr : automation::ListViewIn(window);
    EXPECT_TRUE(WaitUntil([&] { return automation::ListViewRows(list_).size() == rows; }))
        << automation::ListViewRows(list_).size() << " rows";
    return window;
  }

  HWND Button(HWND window, const char* text) const {
    return automation::ChildWithText(window, text).window;
  }

  // Every place as it is now.
  std::vector<std::string> ReadAll() const {
    std::vector<std::string> now;
    for (const Place& place : places_) now.push_back(place.read());
    return now;
  }

  const win32::ComApartment apartment_;
  Win32TaskScheduler tasks_;
  std::vector<Place> places_;
  HWND list_ = nullptr;
};

TEST_F(ProgramPutBackTest, EveryKindDeclinedComesBackExactlyAndIsNotAskedAgain) {
  EnableLog();
  ASSERT_NE(Start(), nullptr);
  std::vector<std::string> before;
  PlantAndDecline([&] {
    PlantEveryKind();
    before = ReadAll();
  });
  ASSERT_FALSE(HasFatalFailure());

  std::vector<std::string> after_no;
  for (const Place& place : places_) after_no.push_back(place.after_no);
  EXPECT_TRUE(WaitUntil([&] { return ReadAll() == after_no; }));
  const auto now = ReadAll();
  for (std::size_t i = 0; i < places_.size(); ++i) {
    EXPECT_EQ(now[i], after_no[i]) << "declined: " << places_[i].alert;
  }
  // The Startup file waits, unchanged, in the data folder.
  EXPECT_EQ(FileBytes(Beside(std::string(texts::kRemovedFolder) + "\\" + kStartupName)),
            kStartupBytes);

  const HWND window = OpenRemovedEntries(places_.size());
  ASSERT_NE(window, nullptr);
  std::multiset<std::string> listed;
  for (const auto& row : automation::ListViewRows(list_)) listed.insert(row.at(2));
  std::multiset<std::string> removed;
  for (const Place& place : places_) removed.insert(place.alert);
  EXPECT_EQ(listed, removed);

  // Row by row from the top; a row that stays is reported and passed over.
  for (int row = 0; row < int(automation::ListViewRows(list_).size());) {
    const auto rows = automation::ListViewRows(list_);
    ASSERT_TRUE(automation::ClickListViewRow(list_, row)) << "row " << row;
    automation::Click(Button(window, texts::kPutBackButton));
    HWND warning = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      warning = automation::FindWindowOf(ProcessId(), texts::kWarningTitle);
      return warning != nullptr || automation::ListViewRows(list_).size() < rows.size();
    })) << "Put back did nothing for " << rows[row].at(2);
    if (warning != nullptr) {
      const auto box = automation::WaitForMessageBox(ProcessId(), texts::kWarningTitle);
      ADD_FAILURE() << rows[row].at(2) << " not put back: " << box.text;
      automation::PressOk(box);
      ASSERT_TRUE(WaitUntilHidden(box.window));
      ++row;
    }
  }
  automation::PressKey(window, VK_ESCAPE);
  ASSERT_TRUE(WaitUntilHidden(window));

  const auto restored = ReadAll();
  for (std::size_t i = 0; i < places_.size(); ++i) {
    EXPECT_EQ(restored[i], before[i]) << "put back: " << places_[i].alert;
    EXPECT_NE(Logged().find(texts::kPutBackLogged + places_[i].logged + "\r\n"),
              std::string::npos)
        << "no log line for " << places_[i].logged;
  }
  // They are in the baseline now: the next cycle asks about none of them.
  Tick();
  Sleep(2000);
  EXPECT_EQ(automation::FindWindowOf(ProcessId(), texts::kAlertCaption), nullptr);
  EXPECT_EQ(ReadAll(), before);
}

TEST_F(ProgramPutBackTest, PutBackLeavesAPlaceThatNowHoldsSomethingElse) {
  EnableLog();
  ASSERT_NE(Start(), nullptr);
  PlantAndDecline([&] {
    places_ = {RunPlace("")};
    ASSERT_TRUE(places_[0].plant());
  });
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_TRUE(WaitUntil([&] { return places_[0].read() == places_[0].after_no; }));

  // Another program writes a value of the same name, and the user keeps it.
  const StoredValue other = StoredText("C:\\другой.exe");
  ASSERT_TRUE(WriteStored(HKEY_CURRENT_USER, kRunKey, kRunName, other));
  Tick();
  EXPECT_EQ(AnswerAlert([&](const std::string& text) { return text == places_[0].alert; },
                        VK_RETURN),
            places_[0].alert);

  const HWND window = OpenRemovedEntries(1);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(automation::ClickListViewRow(list_, 0));
  automation::Click(Button(window, texts::kPutBackButton));
  const auto box = automation::WaitForMessageBox(ProcessId(), texts::kWarningTitle);
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.text, texts::kPlaceTakenWarning);
  automation::PressOk(box);
  ASSERT_TRUE(WaitUntilHidden(box.window));
  EXPECT_EQ(automation::ListViewRows(list_).size(), 1u) << "the backup is kept";
  automation::PressKey(window, VK_ESCAPE);
  ASSERT_TRUE(WaitUntilHidden(window));

  EXPECT_EQ(places_[0].read(), Contents(other));
  EXPECT_EQ(Logged().find(texts::kPutBackLogged), std::string::npos) << Logged();
}

// While Corvane is not running, a program of the user plants a record that
// would overwrite win.ini and replaces the saved list with one whose command
// type does not fit 32 bits. At its start Corvane says it could not check,
// asks about nothing, lists the record as damaged and never acts on it.
TEST_F(ProgramPutBackTest, AForgedBackupAndBaselineAreNeverActedOnAndTheUserIsTold) {
  ASSERT_NE(Start(), nullptr);
  Post(WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitForExit());

  places_ = {RunPlace("")};
  ASSERT_TRUE(places_[0].plant());
  wchar_t windows[MAX_PATH] = {};
  ASSERT_NE(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
  const std::string win_ini = win32::Utf8(windows) + "\\win.ini";
  const auto ini_bytes = FileBytes(win_ini);
  std::string hex;
  for (const char c : ini_bytes.value_or("")) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(c));
    hex += digits;
  }
  CreateDirectoryW(win32::Wide(Beside("Backups")).c_str(), nullptr);
  WriteFileBytes(Beside("Backups\\20261208064510-1.txt"),
                 "Corvane backup 1\r\ndate=08/12/2026 06:45:10\r\nsortable=2026-12-08 06:45:10\r\n"
                 "type=Startup Folder\r\nlocation=a shortcut\r\ncommand=\r\nentry=3" + win_ini +
                 "\r\nlogged=x\r\nkind=file\r\npath=" + win_ini + "\r\nbefore=666f72676564\r\n"
                 "after=" + hex + "\r\n");
  WriteFileBytes(Beside("baseline"),
                 "Corvane baseline 1\r\nswitches 111111\r\nE 2\\x\r\nC x\t9999999999\tx\t\r\nend\r\n");

  ASSERT_NE(Start(), nullptr);
  const auto told = automation::WaitForMessageBox(ProcessId(), texts::kWarningTitle);
  EXPECT_EQ(told.text, texts::kSavedBaselineNotChecked);
  automation::PressOk(told);
  ASSERT_TRUE(WaitUntilHidden(told.window));
  Tick();
  EXPECT_EQ(automation::WaitForWindow(ProcessId(), texts::kAlertCaption, 2000), nullptr)
      << "nothing is asked about";

  const HWND window = OpenRemovedEntries(1);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(automation::ListViewRows(list_).at(0).at(1), texts::kDamagedBackup);
  ASSERT_TRUE(automation::ClickListViewRow(list_, 0));
  automation::Click(Button(window, texts::kPutBackButton));
  const auto refused = automation::WaitForMessageBox(ProcessId(), texts::kWarningTitle);
  EXPECT_EQ(refused.text, texts::kDamagedBackupWarning);
  automation::PressOk(refused);
  ASSERT_TRUE(WaitUntilHidden(refused.window));
  automation::PressKey(window, VK_ESCAPE);
  EXPECT_EQ(FileBytes(win_ini), ini_bytes);
}

}  // namespace
}  // namespace corvane::program_test
