#include "platform/win32/win32_file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "platform/errors.h"
#include "platform/win32/file_paths.h"
#include "platform/win32/handles.h"
#include "platform/win32/native_calls.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_profile_file.h"
#include "texts.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

// The message of the InOutError that `action` raises, or a note that it raised none.
template <typename Action>
std::string ErrorOf(Action action) {
  try {
    action();
  } catch (const InOutError& error) {
    return error.what();
  }
  return "(none)";
}

// Test paths are absolute, so the \\?\ form reaches them at any length.
std::wstring Raw(const std::string& path) { return L"\\\\?\\" + win32::Wide(path); }

// A fresh folder under the temp folder, removed afterwards.
class Win32FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
    static int serial = 0;
    folder_ = win32::Utf8(temp, wcslen(temp)) + "corvane-test-" +
              std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial) + "\\";
    ASSERT_TRUE(CreateDirectoryW(Raw(folder_).c_str(), nullptr));
  }
  // Wine's own DeleteFileW would delete what the links point to.
  void TearDown() override {
    if (!links_.empty()) RunUnixShell("rm -f" + links_ + " && ");
    RemoveTree(folder_);
  }
  // The tests make files and folders (their links are gone by now).
  static void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAW found{};
    const win32::FindHandle search(FindFirstFileW(Raw(folder + "*").c_str(), &found));
    for (bool more = bool(search); more; more = FindNextFileW(search.get(), &found)) {
      const std::string name = win32::Utf8(found.cFileName, wcslen(found.cFileName));
      if (name == "." || name == "..") continue;
      const std::wstring path = Raw(folder + name);
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !RemoveDirectoryW(path.c_str())) {
        RemoveTree(folder + name + "\\");
      } else {
        DeleteFileW(path.c_str());
      }
    }
    RemoveDirectoryW(Raw(folder).c_str());
  }
  std::string Put(const std::string& name, const std::string& bytes, DWORD attributes = 0) {
    const std::string path = folder_ + name;
    const win32::FileHandle file(CreateFileW(Raw(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    EXPECT_TRUE(file && WriteFile(file.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr));
    if (attributes != 0) {
      EXPECT_TRUE(SetFileAttributesW(Raw(path).c_str(), attributes));
    }
    return path;
  }
  static std::string BytesOf(const std::string& path) {
    const win32::FileHandle file(CreateFileW(Raw(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                             nullptr, OPEN_EXISTING, 0, nullptr));
    std::string bytes(1 << 16, '\0');
    DWORD got = 0;
    if (!file || !ReadFile(file.get(), &bytes[0], DWORD(bytes.size()), &got, nullptr)) return "-";
    return bytes.substr(0, got);
  }
  static DWORD AttributesOf(const std::string& path) {
    return GetFileAttributesW(Raw(path).c_str());
  }
  // Symbolic links in the test folder, name to target; false when this
  // system cannot make them. Wine's CreateSymbolicLinkW makes nothing, but
  // Wine runs Unix programs, and its files are Unix files.
  bool MakeLinks(const std::vector<std::pair<std::string, std::string>>& links) {
    std::string command;
    for (const auto& link : links) {
      command += "ln -s " + link.second + " " + link.first + " && ";
      links_ += " " + link.first;
    }
    return RunUnixShell(command);
  }
  // Runs the commands in the test folder; true once they have all succeeded.
  bool RunUnixShell(const std::string& commands) {
    std::wstring command = L"sh -c \"" + win32::Wide(commands) + L": > shell.done\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!win32::RunningOnWine() ||
        !CreateProcessW(L"Z:\\bin\\sh", &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, win32::Wide(folder_).c_str(), &startup, &process)) {
      return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // A Unix program's handle tells nothing of its end; its last file does.
    const std::string done = folder_ + "shell.done";
    for (int wait = 0; wait < 100 && AttributesOf(done) == INVALID_FILE_ATTRIBUTES; ++wait) {
      Sleep(50);
    }
    return DeleteFileW(Raw(done).c_str()) != 0;
  }

  std::string links_;  // made by MakeLinks, removed from the Unix side
  std::string folder_;
  Win32FileSystem files_;
};

TEST_F(Win32FileSystemTest, FindsOnlyOrdinaryFiles) {
  Put("plain.txt", "x");
  Put("read-only.txt", "x", FILE_ATTRIBUTE_READONLY);
  Put("archived.lnk", "x", FILE_ATTRIBUTE_ARCHIVE);
  Put("hidden.txt", "x", FILE_ATTRIBUTE_HIDDEN);
  Put("system.txt", "x", FILE_ATTRIBUTE_SYSTEM);
  ASSERT_TRUE(CreateDirectoryW(Raw(folder_ + "folder.txt").c_str(), nullptr));
  auto all = files_.FindFiles(folder_ + "*.*");
  std::sort(all.begin(), all.end());
  EXPECT_EQ(all, (Lines{"archived.lnk", "plain.txt", "read-only.txt"}));
  auto texts = files_.FindFiles(folder_ + "*.txt");
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(texts, (Lines{"plain.txt", "read-only.txt"}));
  EXPECT_TRUE(files_.FindFiles(folder_ + "missing\\*.*").empty());

  EXPECT_TRUE(files_.FileExists(folder_ + "hidden.txt"));
  EXPECT_FALSE(files_.DirectoryExists(folder_ + "hidden.txt"));
  EXPECT_TRUE(files_.DirectoryExists(folder_ + "folder.txt"));
  EXPECT_FALSE(files_.FileExists(folder_ + "folder.txt"));
  EXPECT_FALSE(files_.FileExists(folder_ + "missing"));
  EXPECT_FALSE(files_.DirectoryExists(folder_ + "missing"));
}

TEST_F(Win32FileSystemTest, ReadsWholeFiles) {
  const std::string raw("a\r\nb\n\0\x1A" "c", 8);
  EXPECT_EQ(files_.ReadAll(Put("raw", raw)), raw);
  EXPECT_EQ(ReadTextLines(files_, folder_ + "raw"), (Lines{"a", "b", std::string(1, '\0')}));

  // Larger than one read, and held open for writing by another program.
  std::string bytes;
  for (int i = 0; i < 20000; ++i) bytes += std::to_string(i) + "\r\n";
  const std::string path = Put("busy.log", bytes);
  const win32::FileHandle writer(CreateFileW(Raw(path).c_str(), GENERIC_WRITE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(writer);
  const auto lines = ReadTextLines(files_, path);
  ASSERT_EQ(lines.size(), 20000u);
  EXPECT_EQ(lines.back(), "19999");

  for (const std::string& path : {folder_ + "missing.txt", folder_}) {
    const std::string message = FormatText(texts::kUnableToReadFile, path);
    EXPECT_EQ(ErrorOf([&] { files_.ReadAll(path); }), message);
    EXPECT_EQ(ErrorOf([&] { ReadTextLines(files_, path); }), message);
  }
}

TEST_F(Win32FileSystemTest, WritesAndAppendsLinesEndedByCrLf) {
  const std::string path = folder_ + "out.txt";
  files_.AppendLine(path, "first");
  files_.AppendLine(path, "second");
  EXPECT_EQ(BytesOf(path), "first\r\nsecond\r\n");
  files_.WriteLines(path, {"x", "", "y"});
  EXPECT_EQ(BytesOf(path), "x\r\n\r\ny\r\n");
  files_.WriteLines(path, {});
  EXPECT_EQ(BytesOf(path), "") << "nothing of the longer old text is left";
  // A last line without its end gets one first; LF alone ends a line too,
  // and a final CR only lacks its LF.
  const struct {
    const char* before;
    const char* after;
  } cases[] = {{"no end", "no end\r\nnext\r\n"},
               {"lf\n", "lf\nnext\r\n"},
               {"cr\r", "cr\r\nnext\r\n"},
               {"", "next\r\n"}};
  for (const auto& c : cases) {
    const std::string file = Put("unended.txt", c.before);
    files_.AppendLine(file, "next");
    EXPECT_EQ(BytesOf(file), c.after) << c.before;
  }

  const std::string locked = Put("locked.txt", "keep");
  {
    const win32::FileHandle holder(CreateFileW(Raw(locked).c_str(), GENERIC_READ, 0, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    for (const std::string& path : {locked, folder_ + "missing\\out.txt", folder_}) {
      const std::string message = FormatText(texts::kUnableToWriteFile, path);
      EXPECT_EQ(ErrorOf([&] { files_.WriteLines(path, {"x"}); }), message);
      EXPECT_EQ(ErrorOf([&] { files_.AppendLine(path, "x"); }), message);
    }
  }
  EXPECT_EQ(BytesOf(locked), "keep");
}

TEST_F(Win32FileSystemTest, DeletesAndReplacesFiles) {
  const std::string file = Put("f.txt", "x");
  EXPECT_TRUE(files_.RemoveFile(file));
  EXPECT_FALSE(files_.FileExists(file));
  EXPECT_TRUE(files_.RemoveFile(file)) << "already gone";
  const std::string read_only = Put("r.txt", "x", FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(files_.RemoveFile(read_only));
  EXPECT_TRUE(files_.FileExists(read_only));
  const std::string held = Put("held.txt", "x");
  {
    const win32::FileHandle holder(CreateFileW(Raw(held).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                               nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(files_.RemoveFile(held)) << "open without delete sharing";
  }
  EXPECT_EQ(BytesOf(held), "x");

  const std::string target = Put("target.ini", "old");
  files_.PutInPlaceOf(Put("copy.tmp", "new"), target);
  EXPECT_EQ(BytesOf(target), "new");
  EXPECT_FALSE(files_.FileExists(folder_ + "copy.tmp"));
  files_.PutInPlaceOf(Put("copy.tmp", "made"), folder_ + "fresh.ini");
  EXPECT_EQ(BytesOf(folder_ + "fresh.ini"), "made");
  // When it cannot be done, both files stay as they were.
  const std::string copy = Put("copy.tmp", "newer");
  EXPECT_EQ(ErrorOf([&] { files_.PutInPlaceOf(folder_ + "missing", target); }),
            FormatText(texts::kUnableToWriteFile, target));
  EXPECT_EQ(ErrorOf([&] { files_.PutInPlaceOf(copy, folder_ + "missing\\t.ini"); }),
            FormatText(texts::kUnableToWriteFile, folder_ + "missing\\t.ini"));
  EXPECT_EQ(BytesOf(target), "new");
  EXPECT_EQ(BytesOf(copy), "newer");
}

TEST_F(Win32FileSystemTest, HandsFullPathsToWindowsInTheirExactForm) {
  const std::string deep = "\\" + std::string(125, 'd') + "\\" + std::string(125, 'e');
  const struct {
    std::string path;
    std::wstring handed;
  } cases[] = {
      {"C:\\short\\Ж.lnk", L"\\\\?\\C:\\short\\\x0416.lnk"},
      {"C:\\short\\ends in a dot. ", L"\\\\?\\C:\\short\\ends in a dot. "},
      {"short\\relative.lnk", L"short\\relative.lnk"},
      {"C:" + deep, L"\\\\?\\C:" + win32::Wide(deep)},
      {"C:\\x\\..\\y/z" + deep, L"\\\\?\\C:\\y\\z" + win32::Wide(deep)},
      {"\\\\server\\share" + deep, L"\\\\?\\UNC\\server\\share" + win32::Wide(deep)},
      {"C:\\a" + std::string(1, '\0') + "b", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(win32::FilePath(c.path), c.handed) << c.path;
}

// Cyrillic and CJK names, and a file whose full path is longer than
// MAX_PATH, go through every call as they are.
TEST_F(Win32FileSystemTest, ReachesFilesOfAnyNameAndLength) {
  const std::string long_folder = folder_ + std::string(120, 'd') + "\\" + std::string(120, 'e');
  const struct {
    std::string folder, name;
  } cases[] = {{folder_ + "Тест工具\\Жtool", "Ж中.lnk"},
               {folder_ + "Тест工具\\Жtool", "Тест工具.txt"},
               {folder_ + "Тест工具\\Жtool", "ends in a dot and a blank. "},
               {long_folder, "Ж" + std::string(30, 'f') + ".lnk"}};
  for (const auto& c : cases) {
    files_.MakeDirectory(c.folder);
    const std::string path = c.folder + "\\" + c.name;
    EXPECT_EQ(files_.WriteNewFile(path, "Тест\r\n"), path);
    EXPECT_EQ(BytesOf(path), "Тест\r\n") << path;
    files_.AppendLine(path, "工具");
    EXPECT_EQ(files_.ReadAll(path), "Тест\r\n工具\r\n");
    EXPECT_TRUE(files_.FileExists(path));
    EXPECT_TRUE(files_.CanWriteIn(c.folder));
  }
  auto names = files_.FindFiles(folder_ + "Тест工具\\Жtool\\*.*");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (Lines{"ends in a dot and a blank. ", "Ж中.lnk", "Тест工具.txt"}));
  EXPECT_EQ(files_.FindFiles(long_folder + "\\*.lnk"), Lines{cases[3].name});
  for (const auto& c : cases) {
    EXPECT_TRUE(files_.RemoveFile(c.folder + "\\" + c.name)) << c.name;
    EXPECT_EQ(AttributesOf(c.folder + "\\" + c.name), INVALID_FILE_ATTRIBUTES);
  }
  EXPECT_TRUE(files_.FindFiles(long_folder + "\\*").empty()) << "no write probe left behind";

  // The options file keeps ASCII keys and values in the ANSI code page.
  Win32ProfileFile profile;
  const std::string options = folder_ + "Тест工具\\Ж中.ini";
  profile.Write(options, "V", "2.1");
  EXPECT_EQ(profile.Read(options, "V", "-"), "2.1");
  EXPECT_EQ(profile.Read(options, "other", "-"), "-");
  EXPECT_EQ(BytesOf(options).substr(0, 9), "[Options]");
  EXPECT_EQ(ErrorOf([&] { profile.Write(folder_ + "missing\\Ж.ini", "k", "v"); }),
            FormatText(texts::kUnableToWriteFile, folder_ + "missing\\Ж.ini"));
}

TEST_F(Win32FileSystemTest, NeverWritesThroughANameThatIsTaken) {
  Put("taken.ini", "old");
  Put("target.txt", "target");
  Put("gone.txt", "");
  const bool links = MakeLinks({{"link.ini", "target.txt"}, {"dangling.ini", "gone.txt"}});
  ASSERT_TRUE(DeleteFileW(Raw(folder_ + "gone.txt").c_str()));
  for (const char* taken : {"taken.ini", "link.ini", "dangling.ini"}) {
    if (!links && std::string(taken) != "taken.ini") continue;
    const std::string wanted = folder_ + taken;
    EXPECT_TRUE(files_.NameTaken(wanted)) << taken;
    const std::string made = files_.WriteNewFile(wanted, "new");
    EXPECT_EQ(made, wanted.substr(0, wanted.size() - 4) + ".2.ini");
    EXPECT_EQ(BytesOf(made), "new");
  }
  EXPECT_EQ(BytesOf(folder_ + "taken.ini"), "old");
  EXPECT_EQ(BytesOf(folder_ + "target.txt"), "target");
  EXPECT_EQ(AttributesOf(folder_ + "gone.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(files_.NameTaken(folder_ + "gone.txt"));
  EXPECT_EQ(AttributesOf(folder_ + "gone.txt"), INVALID_FILE_ATTRIBUTES) << "no probe left";
  EXPECT_EQ(ErrorOf([&] { files_.WriteNewFile(folder_ + "missing\\x.ini", "new"); }),
            FormatText(texts::kUnableToWriteFile, folder_ + "missing\\x.ini"));
  if (!links) GTEST_SKIP() << "this system makes no symbolic links";
}

// A link goes itself or stays; what it points to always stays. Wine
// cannot delete a Unix link by itself, so there the link stays too.
TEST_F(Win32FileSystemTest, RemovesNoFileALinkPointsTo) {
  Put("target.txt", "target");
  ASSERT_TRUE(CreateDirectoryW(Raw(folder_ + "folder").c_str(), nullptr));
  if (!MakeLinks({{"link.lnk", "target.txt"}, {"folder.lnk", "folder"}})) {
    GTEST_SKIP() << "this system makes no symbolic links";
  }
  for (const char* link : {"link.lnk", "folder.lnk"}) {
    const bool removed = files_.RemoveFile(folder_ + link);
    EXPECT_NE(removed, win32::RunningOnWine()) << link;
    EXPECT_EQ(removed, AttributesOf(folder_ + link) == INVALID_FILE_ATTRIBUTES) << link;
  }
  EXPECT_EQ(BytesOf(folder_ + "target.txt"), "target");
  EXPECT_EQ(AttributesOf(folder_ + "folder"), DWORD(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_FALSE(files_.RemoveFile(folder_ + "folder")) << "a folder is no file";
}

// A file moves whole to a free name, on its volume or onto another one, or
// fails and every file stays as it was.
TEST_F(Win32FileSystemTest, MovesAFileWholeOrNotAtAll) {
  const std::string removed = folder_ + "Removed\\";
  files_.MakeDirectory(removed);
  // Wine's Z:\dev\shm is another file system: there a move is a copy and a delete.
  const std::string other =
      "Z:\\dev\\shm\\corvane-" + std::to_string(GetCurrentProcessId()) + "\\";
  const bool two_volumes = win32::RunningOnWine() && CreateDirectoryW(Raw(other).c_str(), nullptr);
  const struct {
    std::string name, to;
    DWORD attributes;
    bool held, moves;  // held: open elsewhere, without sharing deletion
  } cases[] = {
      {"Жtool.lnk", removed + "Жtool.lnk", FILE_ATTRIBUTE_READONLY, false, true},
      {"lost.lnk", folder_ + "missing\\lost.lnk", 0, false, false},
      {"Тест工具.lnk", other + "Тест工具.lnk", FILE_ATTRIBUTE_ARCHIVE, false, true},
      {"read-only.lnk", other + "read-only.lnk", FILE_ATTRIBUTE_READONLY, false, false},
      {"held.lnk", other + "held.lnk", 0, true, false},
  };
  for (const auto& c : cases) {
    if (!two_volumes && c.to.compare(0, other.size(), other) == 0) continue;
    const std::string from = Put(c.name, c.name, c.attributes);
    win32::FileHandle holder;
    if (c.held) {
      holder = win32::FileHandle(CreateFileW(Raw(from).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                             nullptr, OPEN_EXISTING, 0, nullptr));
    }
    EXPECT_EQ(ErrorOf([&] { files_.MoveFileTo(from, c.to); }),
              c.moves ? "(none)" : FormatText(texts::kUnableToWriteFile, c.to));
    EXPECT_EQ(BytesOf(c.moves ? c.to : from), c.name);
    EXPECT_EQ(AttributesOf(c.moves ? from : c.to), INVALID_FILE_ATTRIBUTES) << c.name;
  }
  if (two_volumes) RemoveTree(other);
  const std::string again = Put("again.lnk", "again");
  for (const std::string& from : {again, folder_ + "missing.lnk", removed}) {
    EXPECT_NE(ErrorOf([&] { files_.MoveFileTo(from, removed + "Жtool.lnk"); }), "(none)");
  }
  EXPECT_EQ(BytesOf(removed + "Жtool.lnk"), "Жtool.lnk");
  EXPECT_EQ(BytesOf(again), "again");
}

// A link moves itself, or stays where it is; what it points to stays.
// Wine would rename what a Unix link points to, so there the link stays.
TEST_F(Win32FileSystemTest, MovesNoFileALinkPointsTo) {
  Put("target.txt", "target");
  if (!MakeLinks({{"link.lnk", "target.txt"}})) {
    GTEST_SKIP() << "this system makes no symbolic links";
  }
  links_ += " moved.lnk";
  const bool moved =
      ErrorOf([&] { files_.MoveFileTo(folder_ + "link.lnk", folder_ + "moved.lnk"); }) == "(none)";
  EXPECT_NE(moved, win32::RunningOnWine());
  EXPECT_NE(AttributesOf(folder_ + (moved ? "moved.lnk" : "link.lnk")), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(AttributesOf(folder_ + (moved ? "link.lnk" : "moved.lnk")), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(BytesOf(folder_ + "target.txt"), "target");
}

TEST_F(Win32FileSystemTest, ReplacesAFileKeepingItsAttributes) {
  for (const DWORD attributes : {DWORD(FILE_ATTRIBUTE_HIDDEN),
                                 DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
                                 DWORD(FILE_ATTRIBUTE_ARCHIVE)}) {
    const std::string target = Put("system.ini", "old", attributes);
    const DWORD before = AttributesOf(target);  // Wine adds the archive attribute
    files_.PutInPlaceOf(Put("system.ini.cv", "new"), target);
    EXPECT_EQ(BytesOf(target), "new");
    EXPECT_EQ(AttributesOf(target), before) << attributes;
    SetFileAttributesW(Raw(target).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  // Refused even where the account could write it (as Wine lets root do).
  const std::string target = Put("win.ini", "old", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  const std::string copy = Put("win.ini.cv", "new", FILE_ATTRIBUTE_ARCHIVE);
  const DWORD target_before = AttributesOf(target), copy_before = AttributesOf(copy);
  EXPECT_EQ(ErrorOf([&] { files_.PutInPlaceOf(copy, target); }),
            FormatText(texts::kUnableToWriteFile, target));
  EXPECT_EQ(BytesOf(target), "old");
  EXPECT_EQ(AttributesOf(target), target_before);
  EXPECT_EQ(BytesOf(copy), "new");
  EXPECT_EQ(AttributesOf(copy), copy_before);
}

TEST_F(Win32FileSystemTest, MakesFoldersAndProbesThem) {
  files_.MakeDirectory(folder_ + "a\\b\\c\\");
  files_.MakeDirectory(folder_ + "a\\b\\c");
  EXPECT_TRUE(files_.DirectoryExists(folder_ + "a\\b\\c"));
  const std::string file = Put("file", "x");
  for (const std::string& path : {file, file + "\\sub"}) {
    EXPECT_EQ(ErrorOf([&] { files_.MakeDirectory(path); }),
              FormatText(texts::kUnableToWriteFile, path));
    EXPECT_FALSE(files_.CanWriteIn(path));
  }
  EXPECT_FALSE(files_.CanWriteIn(folder_ + "missing"));
  if (GetACP() == 1252) {
    EXPECT_EQ(files_.DecodeAnsi("\x80 caf\xE9"), "€ café");
  }
}

TEST_F(Win32FileSystemTest, NamesTheRunningProgram) {
  const std::string path = files_.ProgramPath();
  EXPECT_TRUE(files_.FileExists(path)) << path;
  EXPECT_EQ(files_.ProgramDirectory() + "corvane_win_tests.exe", path);
}

}  // namespace
}  // namespace corvane
