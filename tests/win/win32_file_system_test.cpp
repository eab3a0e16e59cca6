#include "platform/win32/win32_file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/win32/handles.h"
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

// A fresh folder under the temp folder, removed afterwards.
class Win32FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathA(sizeof temp, temp), 0u);
    static int serial = 0;
    folder_ = std::string(temp) + "corvane-test-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(++serial) + "\\";
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
  }
  // The tests make files and empty folders only.
  void TearDown() override {
    WIN32_FIND_DATAA found{};
    const win32::FindHandle search(FindFirstFileA((folder_ + "*").c_str(), &found));
    for (bool more = bool(search); more; more = FindNextFileA(search.get(), &found)) {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder_ + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!DeleteFileA(path.c_str())) RemoveDirectoryA(path.c_str());
    }
    RemoveDirectoryA(folder_.c_str());
  }
  std::string Put(const std::string& name, const std::string& bytes, DWORD attributes = 0) {
    const std::string path = folder_ + name;
    std::ofstream(path, std::ios::binary) << bytes;
    if (attributes != 0) {
      EXPECT_TRUE(SetFileAttributesA(path.c_str(), attributes));
    }
    return path;
  }
  static std::string BytesOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

  std::string folder_;
  Win32FileSystem files_;
};

TEST_F(Win32FileSystemTest, FindsOnlyOrdinaryFiles) {
  Put("plain.txt", "x");
  Put("read-only.txt", "x", FILE_ATTRIBUTE_READONLY);
  Put("archived.lnk", "x", FILE_ATTRIBUTE_ARCHIVE);
  Put("hidden.txt", "x", FILE_ATTRIBUTE_HIDDEN);
  Put("system.txt", "x", FILE_ATTRIBUTE_SYSTEM);
  ASSERT_TRUE(CreateDirectoryA((folder_ + "folder.txt").c_str(), nullptr));
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
  const win32::FileHandle writer(CreateFileA(path.c_str(), GENERIC_WRITE,
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
  // A last line without its end gets one first; LF alone ends a line too.
  const struct {
    const char* before;
    const char* after;
  } cases[] = {{"no end", "no end\r\nnext\r\n"},
               {"lf\n", "lf\nnext\r\n"},
               {"", "next\r\n"}};
  for (const auto& c : cases) {
    const std::string file = Put("unended.txt", c.before);
    files_.AppendLine(file, "next");
    EXPECT_EQ(BytesOf(file), c.after) << c.before;
  }

  const std::string locked = Put("locked.txt", "keep");
  {
    const win32::FileHandle holder(CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr,
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

TEST_F(Win32FileSystemTest, NamesTheRunningProgram) {
  const std::string path = files_.ProgramPath();
  EXPECT_TRUE(files_.FileExists(path)) << path;
  EXPECT_EQ(files_.ProgramDirectory() + "corvane_win_tests.exe", path);
}

}  // namespace
}  // namespace corvane
