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
  return (root == HKEY_LOCAL_MACHINE ? texts::kLocalMachineRootName : texts::kCurrentUserRootName) +
         ("\\" + key);
}

// One place that the story plants in, reads whole and restores.
struct Place {
  std::string alert;   // the location the alert shows
  std::string logged;  // what the log names after "Put back "
  std::function<bool()> plant;
  std::function<std::string()> read;
  std::string after_no;           // what declining leaves there
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
                const std::optional<StoredTree>& after_no, const std::string& logged,
                HKEY root = HKEY_LOCAL_MACHINE) {
  DeleteTree(root, key);
  return {InRegistry(root, key),
          logged,
          [=] { return WriteTree(root, key, planted); },
          [=] { return Contents(ReadTree(root, key)); },
          Contents(after_no),
          [=] { DeleteTree(root, key); }};
}

// The key the value's path first needs made, or "" when it is all there:
// deleted after the story with everything below it.
std::string FirstMissingKey(HKEY root, const std::string& key) {
  for (std::size_t end = key.find('\\');; end = key.find('\\', end + 1)) {
    const auto part = key.substr(0, end);
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, win32::Wide(part).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
      return part;
    }
    RegCloseKey(opened);
    if (end == std::string::npos) return "";
  }
}

// A value planted where the keys it needs may be missing; they go with the
// restore.
Place NewValuePlace(HKEY root, const std::string& key, const std::string& name,
                    const StoredValue& planted, const std::optional<StoredValue>& after_no,
                    const std::string& logged) {
  auto place = ValuePlace(root, key, name, planted, after_no, logged);
  const auto made = FirstMissingKey(root, key);
  if (!made.empty()) place.restore = [root, made] { DeleteTree(root, made); };
  return place;
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
    const std::string data =
        Wide16(u"%SystemRoot%\\Корвейн\\запуск.exe /тихо"s) + std::string(2, '\0') + data_after_nul;
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
    StoredTree service = {
        {"",
         {{"Type", StoredNumber(0x10)},
          {"Start", StoredNumber(2)},
          {"ErrorControl", StoredNumber(1)},
          {"ImagePath", StoredText("%SystemRoot%\\cvputback\\служба.exe -run", REG_EXPAND_SZ)},
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
        ValuePlace(HKEY_LOCAL_MACHINE, kWinlogon, "Userinit", StoredText(userinit + "C:\\cv.exe"),
                   StoredText(userinit),
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
         [this] { return tasks_.Definition(kTask).value_or("absent"); }, "absent",
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
      std::string missing;
      for (const auto& text : asked) missing += "\n  " + text;
      ASSERT_FALSE(location.empty()) << asked.size() << " alerts still to come:" << missing;
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

  // The whole story: plants, declines every alert, checks what No left,
  // puts every row back from the window of removed entries and checks that
  // each place holds what was planted and is not asked about again.
  void DeclineAndPutBackEach(const std::function<void()>& plant,
                             const std::function<void()>& after_declined) {
    EnableLog();
    ASSERT_NE(Start(), nullptr);
    std::vector<std::string> before;
    PlantAndDecline([&] {
      plant();
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
    after_declined();
    PutBackEach(before);
  }

  void PutBackEach(const std::vector<std::string>& before) {
    const HWND window = OpenRemovedEntries(places_.size());
    ASSERT_NE(window, nullptr);
    std::multiset<std::string> listed;
    for (const auto& row : automation::ListViewRows(list_)) listed.insert(row.at(3));
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
      })) << "Put back did nothing for "
          << rows[row].at(3);
      if (warning != nullptr) {
        const auto box = automation::WaitForMessageBox(ProcessId(), texts::kWarningTitle);
        ADD_FAILURE() << rows[row].at(3) << " not put back: " << box.text;
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

  const win32::ComApartment apartment_;
  Win32TaskScheduler tasks_;
  std::vector<Place> places_;
  HWND list_ = nullptr;
};

TEST_F(ProgramPutBackTest, EveryKindDeclinedComesBackExactlyAndIsNotAskedAgain) {
  DeclineAndPutBackEach(
      [&] { PlantEveryKind(); },
      [&] {
        // The Startup file waits, unchanged, in the data folder.
        EXPECT_EQ(FileBytes(Beside(std::string(texts::kRemovedFolder) + "\\" + kStartupName)),
                  kStartupBytes);
      });
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
  EXPECT_EQ(
      AnswerAlert([&](const std::string& text) { return text == places_[0].alert; }, VK_RETURN),
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
                 "type=Startup Folder\r\nlocation=a shortcut\r\ncommand=\r\nentry=3" +
                     win_ini + "\r\nlogged=x\r\nkind=file\r\npath=" + win_ini +
                     "\r\nbefore=666f72676564\r\n"
                     "after=" +
                     hex + "\r\n");
  WriteFileBytes(
      Beside("baseline"),
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
  EXPECT_EQ(automation::ListViewRows(list_).at(0).at(2), texts::kDamagedBackup);
  ASSERT_TRUE(automation::ClickListViewRow(list_, 0));
  automation::Click(Button(window, texts::kPutBackButton));
  const auto refused = automation::WaitForMessageBox(ProcessId(), texts::kWarningTitle);
  EXPECT_EQ(refused.text, texts::kDamagedBackupWarning);
  automation::PressOk(refused);
  ASSERT_TRUE(WaitUntilHidden(refused.window));
  automation::PressKey(window, VK_ESCAPE);
  EXPECT_EQ(FileBytes(win_ini), ini_bytes);
}

// The places that attacks plant code in besides the Run keys: one new entry
// in each, asked about, declined, gone (or given what Windows needs), put back.
TEST_F(ProgramPutBackTest, EveryPlaceThatAttacksUseIsDeclinedAndPutBack) {
  const std::string windir = Variable(L"windir");
  const std::string control = "SYSTEM\\CurrentControlSet\\Control";
  const std::string session = control + "\\Session Manager";
  const std::string nt_path = "\\" + kNt;
  const auto logged = [](const char* type, const std::string& key, const std::string& data = "") {
    return std::string(type) + ": \\" + key + (data.empty() ? "" : " (" + data + ")");
  };
  // A value whose data the entry carries, or one named with its data apart.
  const auto value = [&](HKEY root, const std::string& key, const std::string& name,
                         const std::string& data, const char* type, bool carries_data = true,
                         std::optional<StoredValue> after_no = std::nullopt) {
    return NewValuePlace(root, key, name, StoredText(data), after_no,
                         logged(type, key + "\\" + name, carries_data ? data : ""));
  };
  const auto list = [&](const std::string& key, const std::string& name, const char* type) {
    return NewValuePlace(HKEY_LOCAL_MACHINE, key, name, {REG_MULTI_SZ, Wide16(u"cvitem\0\0"s)},
                         StoredValue{REG_MULTI_SZ, "\0\0"s},
                         logged(type, key + "\\" + name, "cvitem"));
  };
  // A service that was there before Corvane started gains a DLL.
  const std::string dll_service = kServices + "\\CvDllService";
  const StoredTree service = {
      {"",
       {{"Start", StoredNumber(3)},
        {"ImagePath", StoredText("C:\\cvhost\\svchost.exe -k cv", REG_EXPAND_SZ)}}}};
  ASSERT_TRUE(WriteTree(HKEY_LOCAL_MACHINE, dll_service, service));
  StoredTree with_dll = service;
  with_dll.push_back({"Parameters", {{"ServiceDll", StoredText("C:\\cvservice.dll")}}});
  StoredTree dll_disabled = with_dll;
  dll_disabled[0].values[0].second = StoredNumber(4);
  // All users' profile: Wine's Documents folder is the home folder of Linux.
  const std::string profiles = windir + "\\System32\\WindowsPowerShell\\v1.0";
  const std::string shims = windir + "\\AppPatch\\Custom";
  CreateDirectoryW(win32::Wide(windir + "\\System32\\WindowsPowerShell").c_str(), nullptr);
  CreateDirectoryW(win32::Wide(profiles).c_str(), nullptr);
  CreateDirectoryW(win32::Wide(windir + "\\AppPatch").c_str(), nullptr);
  CreateDirectoryW(win32::Wide(shims).c_str(), nullptr);
  const std::string profile = profiles + "\\profile.ps1";
  // An accessibility program that was there before Corvane started is replaced.
  const std::string sethc = windir + "\\System32\\sethc.exe";
  const auto sethc_before = FileBytes(sethc);
  const std::string sethc_original = "MZ original sethc\0\xFF"s;
  WriteFileBytes(sethc, sethc_original);
  const std::string shim = shims + "\\cvplaces.sdb";
  const std::string com = "Software\\Classes\\CLSID\\{0C7E5A31-CAFE-4D1B-9E2F-3A4B5C6D7E8F}";
  const std::string chrome = "Software\\Policies\\Google\\Chrome\\ExtensionInstallForcelist";

  DeclineAndPutBackEach(
      [&] {
        places_ = {
            value(HKEY_LOCAL_MACHINE, kWinlogon, "Taskman", "C:\\cvtaskman.exe",
                  texts::kWinlogonType),
            value(HKEY_LOCAL_MACHINE, kWinlogon + "\\Notify\\CvNotify", "DllName",
                  "C:\\cvnotify.dll", texts::kWinlogonType),
            value(HKEY_LOCAL_MACHINE,
                  "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx\\0001", "CvLine",
                  "||C:\\cvonce.dll|Go", texts::kRunOnceExType, false),
            value(HKEY_LOCAL_MACHINE,
                  "Software\\Microsoft\\Active Setup\\Installed Components\\{CV-PLACES}",
                  "StubPath", "C:\\cvstub.exe", texts::kActiveSetupType),
            value(HKEY_LOCAL_MACHINE, kNt + "\\SilentProcessExit\\cvplaces.exe", "MonitorProcess",
                  "C:\\cvmonitor.exe", texts::kSilentProcessExitType),
            value(HKEY_LOCAL_MACHINE,
                  "Software\\Microsoft\\Windows\\Windows Error Reporting\\Hangs", "Debugger",
                  "C:\\cvhang.exe", texts::kDebuggerType),
            value(HKEY_CURRENT_USER, "Environment", "UserInitMprLogonScript", "C:\\cvlogon.cmd",
                  texts::kEnvironmentType),
            value(HKEY_CURRENT_USER, "Control Panel\\Desktop", "SCRNSAVE.EXE", "C:\\cv.scr",
                  texts::kScreensaverType),
            value(HKEY_LOCAL_MACHINE, session + "\\AppCertDlls", "CvCert", "C:\\cvcert.dll",
                  texts::kSessionManagerType, false),
            list(session, "SetupExecute", texts::kSessionManagerType),
            value(HKEY_LOCAL_MACHINE, control + "\\BootVerificationProgram", "ImagePath",
                  "C:\\cvverify.exe", texts::kSessionManagerType),
            value(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\NetSh", "CvHelper", "C:\\cvnetsh.dll",
                  texts::kNetShType, false),
            value(HKEY_LOCAL_MACHINE, kServices + "\\WinSock2\\Parameters", "AutodialDLL",
                  "C:\\cvdial.dll", texts::kWinsockType, true,
                  StoredText(windir + "\\System32\\rasadhlp.dll")),
            list(control + "\\Lsa", "Notification Packages", texts::kSecurityPackageType),
            value(HKEY_LOCAL_MACHINE, kServices + "\\NTDS", "LsaDbExtPt", "C:\\cvlsa.dll",
                  texts::kSecurityPackageType),
            value(HKEY_LOCAL_MACHINE, kServices + "\\W32Time\\TimeProviders\\CvTime", "DllName",
                  "C:\\cvtime.dll", texts::kTimeProviderType),
            value(HKEY_LOCAL_MACHINE, control + "\\Print\\Monitors\\CvMonitor", "Driver",
                  "cvmonitor.dll", texts::kPrintingType),
            value(HKEY_LOCAL_MACHINE, control + "\\Terminal Server\\Wds\\rdpwd", "StartupPrograms",
                  "rdpclip,cvrdp", texts::kRemoteDesktopType, true, StoredText("rdpclip")),
            value(HKEY_CURRENT_USER,
                  "Software\\Microsoft\\Terminal Server Client\\Default\\AddIns\\CvAddIn", "Name",
                  "C:\\cvaddin.dll", texts::kRemoteDesktopType),
            value(HKEY_CURRENT_USER, "Software\\Microsoft\\Office test\\Special\\Perf", "",
                  "C:\\cvoffice.dll", texts::kOfficeType),
            value(HKEY_CURRENT_USER, chrome, "1",
                  "cvcvcvcvcvcvcvcvcvcvcvcvcvcvcvcv;https://example.invalid/crx",
                  texts::kBrowserExtensionType, false),
            value(HKEY_LOCAL_MACHINE, kNt + "\\AppCompatFlags\\InstalledSDB\\{CV-SHIM}",
                  "DatabasePath", shim, texts::kShimDatabaseType),
            TreePlace(
                com,
                {{"", {{"", StoredText("Corvane класс")}}},
                 {"InprocServer32",
                  {{"", StoredText("C:\\cvcom.dll")}, {"ThreadingModel", StoredText("Both")}}}},
                std::nullopt, logged(texts::kComClassType, com), HKEY_CURRENT_USER),
            TreePlace(
                "Software\\Classes\\ms-settings",
                {{"", {}},
                 {"shell", {}},
                 {"shell\\open", {}},
                 {"shell\\open\\command",
                  {{"", StoredText("C:\\cvsettings.exe")}, {"DelegateExecute", StoredText("")}}}},
                std::nullopt, logged(texts::kFileTypeType, "Software\\Classes\\ms-settings"),
                HKEY_CURRENT_USER),
            {InRegistry(HKEY_LOCAL_MACHINE, dll_service),
             logged(texts::kServiceDllType, dll_service),
             [=] { return WriteTree(HKEY_LOCAL_MACHINE, dll_service, with_dll); },
             [=] { return Contents(ReadTree(HKEY_LOCAL_MACHINE, dll_service)); },
             Contents(dll_disabled), [=] { DeleteTree(HKEY_LOCAL_MACHINE, dll_service); }},
            FilePlace(profile, profile, "Start-Process C:\\cv.exe\r\n", std::nullopt,
                      std::string(texts::kStartupScriptType) + ": " + profile),
            FilePlace(shim, shim, "sdbf\x02\x00"s, std::nullopt,
                      std::string(texts::kShimDatabaseType) + ": " + shim),
            FilePlace(sethc, sethc, "MZ cmd.exe"s, sethc_original,
                      std::string(texts::kAccessibilityType) + ": " + sethc),
        };
        places_.back().restore = [sethc, sethc_before] { PutFileBytes(sethc, sethc_before); };
        for (const Place& place : places_) ASSERT_TRUE(place.plant()) << place.alert;
      },
      [] {});
  RemoveDirectoryW(win32::Wide(profiles).c_str());
  RemoveDirectoryW(win32::Wide(windir + "\\System32\\WindowsPowerShell").c_str());
  RemoveDirectoryW(win32::Wide(shims).c_str());
}

}  // namespace
}  // namespace corvane::program_test
