#include "platform/win32/win32_program_facts.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "app/resources.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/com_owners.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_file_system.h"

namespace corvane {
namespace {

std::string SystemFile(const char* name) {
  wchar_t folder[MAX_PATH] = {};
  return win32::Utf8(folder, GetSystemDirectoryW(folder, MAX_PATH)) + "\\" + name;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Links and files in a fresh folder under the temp folder, removed afterwards.
class Win32ProgramFactsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(apartment_.Entered());
    wchar_t temp[MAX_PATH + 1] = {};
    folder_ = win32::Utf8(temp, GetTempPathW(MAX_PATH + 1, temp)) + "corvane-facts-" +
              std::to_string(GetCurrentProcessId()) + "\\";
    files_.MakeDirectory(folder_);
  }
  void TearDown() override {
    for (const auto& name : files_.FindFiles(folder_ + "*")) files_.RemoveFile(folder_ + name);
    RemoveDirectoryW(win32::Wide(folder_).c_str());
  }
  // A shell link as the shell makes one.
  std::string MakeLink(const std::string& name, const std::string& target,
                       const std::string& arguments) {
    win32::ComPtr<IShellLinkW> link;
    win32::ComPtr<IPersistFile> file;
    EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                               link.ReceiveVoid()), S_OK);
    EXPECT_EQ(link->SetPath(win32::Wide(target).c_str()), S_OK);
    EXPECT_EQ(link->SetArguments(win32::Wide(arguments).c_str()), S_OK);
    EXPECT_EQ(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid()), S_OK);
    EXPECT_EQ(file->Save(win32::Wide(folder_ + name).c_str(), TRUE), S_OK);
    return folder_ + name;
  }

  const win32::ComApartment apartment_;
  std::string folder_;
  Win32FileSystem files_;
  Win32ProgramFacts facts_;
};

TEST_F(Win32ProgramFactsTest, ReadsWhatAShortcutStarts) {
  const std::string program = folder_ + "Программы工具.exe";
  files_.WriteLines(program, {"MZ"});
  const struct {
    std::string name, target, arguments;
  } cases[] = {{"Программа.lnk", program, "/x \"a b\" Ж %TEMP%"},
               {"plain.lnk", SystemFile("notepad.exe"), ""}};
  for (const auto& c : cases) {
    const auto shortcut = facts_.ReadShortcut(MakeLink(c.name, c.target, c.arguments));
    ASSERT_TRUE(shortcut.has_value()) << c.name;
    EXPECT_EQ(Lower(shortcut->target), Lower(c.target)) << c.name;
    EXPECT_EQ(shortcut->arguments, c.arguments) << c.name;
  }
  files_.WriteLines(folder_ + "text.lnk", {"not a link"});
  for (const std::string& path :
       {folder_ + "text.lnk", program, folder_ + "missing.lnk", folder_}) {
    EXPECT_EQ(facts_.ReadShortcut(path), std::nullopt) << path;
  }
}

TEST_F(Win32ProgramFactsTest, NamesPublishersAndFindsPrograms) {
  // The build hands over the program's Unix path, which Wine has under Z:.
  std::string built = CORVANE_PROGRAM;
  std::replace(built.begin(), built.end(), '/', '\\');
  const struct {
    std::string path, company;
  } publishers[] = {{built[0] == '\\' ? "Z:" + built : built, CORVANE_COMPANY_NAME},
                    {SystemFile("kernel32.dll"), "Microsoft Corporation"},
                    {files_.ProgramPath(), ""},
                    {folder_ + "missing.exe", ""}};
  for (const auto& c : publishers) EXPECT_EQ(facts_.Publisher(c.path), c.company) << c.path;

  for (const char* name : {"notepad.exe", "NOTEPAD"}) {
    EXPECT_EQ(Lower(facts_.SearchProgram(name)), Lower(SystemFile("notepad.exe"))) << name;
  }
  EXPECT_EQ(facts_.SearchProgram("corvane-missing-program.exe"), "");
}

}  // namespace
}  // namespace corvane
