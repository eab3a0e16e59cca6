// The program's resources as the built file carries them: this test program
// is linked with the program's own corvane.rc, whose texts must stay those
// of src/texts.h, and whose icon every window of the program shows.
#include "app/resources.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "changes/data_files.h"
#include "changes/removed_entries.h"
#include "changes/unit2.h"
#include "changes/unit3.h"
#include "changes/unit4.h"
#include "changes/unit5.h"
#include "platform/win32/framework/application.h"
#include "platform/win32/framework/form.h"
#include "platform/win32/signature_worker.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_signatures.h"
#include "texts.h"

namespace corvane {
namespace {

std::string VersionText(const std::vector<char>& info, const std::string& name) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring path = win32::Wide("\\StringFileInfo\\040904E4\\" + name);
  if (!VerQueryValueW(info.data(), path.c_str(), &value, &length)) return "<none>";
  const auto* text = static_cast<const wchar_t*>(value);
  return win32::Utf8(text, std::wcslen(text));
}

TEST(ResourcesTest, TheVersionInformationSaysWhatTheProgramSays) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::vector<char> info(GetFileVersionInfoSizeW(path, nullptr) + 1);
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(info.size()), info.data()));
  void* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", &fixed, &length));
  // The numbers the file carries read as the version the program shows.
  const auto* numbers = static_cast<VS_FIXEDFILEINFO*>(fixed);
  const std::string shown = std::to_string(HIWORD(numbers->dwFileVersionMS)) + "." +
                            std::to_string(LOWORD(numbers->dwFileVersionMS));
  EXPECT_EQ(shown, texts::kProgramVersion);
  EXPECT_EQ(numbers->dwProductVersionMS, numbers->dwFileVersionMS);
  EXPECT_EQ(VersionText(info, "ProductName"), texts::kApplicationTitle);
  EXPECT_EQ(VersionText(info, "CompanyName"), texts::kCompanyName);
  EXPECT_EQ(VersionText(info, "FileDescription"), texts::kFileDescription);
  EXPECT_EQ(VersionText(info, "FileVersion"), texts::kFileVersion);
  EXPECT_EQ(VersionText(info, "ProductVersion"), texts::kFileVersion);
  EXPECT_EQ(std::string(texts::kFileVersion).rfind(texts::kProgramVersion, 0), 0u);
}

// One entry of the icon's directory as a resource holds it (GRPICONDIRENTRY).
#pragma pack(push, 2)
struct IconEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bits;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

TEST(ResourcesTest, TheProgramIconIsDrawnAtEverySizeInFullColour) {
  const HMODULE module = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDI_CORVANE),
                                   win32::SystemResource(RT_GROUP_ICON));
  ASSERT_NE(found, nullptr);
  const auto* directory = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
  ASSERT_NE(directory, nullptr);
  const auto* entries = reinterpret_cast<const IconEntry*>(directory + 3);
  std::vector<int> sizes;
  for (WORD i = 0; i < directory[2]; ++i) {
    const int size = entries[i].width == 0 ? 256 : entries[i].width;
    sizes.push_back(size);
    EXPECT_EQ(entries[i].bits, 32) << size;
    // Each one loads as itself, the 256 one from its PNG too.
    const win32::IconHandle icon(static_cast<HICON>(LoadImageW(
        module, MAKEINTRESOURCEW(IDI_CORVANE), IMAGE_ICON, size, size, 0)));
    EXPECT_TRUE(icon) << size;
  }
  EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 48, 256}));
}

// The width of the window's icon of that kind, 0 for none. (Only within the
// process: Wine answers WM_GETICON from another process with nothing.)
int IconWidth(HWND window, WPARAM kind) {
  const auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, kind, 0));
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

class NoRemovedEntries : public RemovedEntries {
 public:
  std::vector<RemovedEntry> List() override { return {}; }
  PutBackOutcome PutBack(const std::string&) override { return PutBackOutcome::kFailed; }
  void Forget(const std::string&) override {}
};

class NoBoxes : public MessageBoxes {
 public:
  void Beep() override {}
  void ShowInformation(const std::string&) override {}
  void ShowWarning(const std::string&) override {}
  void ShowError(const std::string&) override {}
};

TEST(ResourcesTest, EveryWindowHasTheProgramIconAtTheSizesTheSystemAsksFor) {
  win32::Application application(GetModuleHandleW(nullptr), "Corvane", IDI_CORVANE);
  Win32FileSystem files;
  const DataFiles data{files.ProgramDirectory()};
  NoBoxes boxes;
  NoRemovedEntries removed;
  // The main window is a form like any other; the message boxes' owner is
  // the active one of these or else the application's window.
  const win32::Form main(application, win32::Window("Main", 248, 324), nullptr, 0);
  const Win32Signatures checks;
  win32::SignatureWorker signatures(checks);
  const TForm2 alert(application, signatures);
  const TForm3 editor(application, files, data, boxes);
  const TForm4 viewer(application, files, data);
  const TForm5 put_back(application, removed, boxes);
  const HWND windows[] = {application.handle(), main.handle(),   alert.handle(),
                          editor.handle(),      viewer.handle(), put_back.handle()};
  for (const HWND window : windows) {
    EXPECT_EQ(IconWidth(window, ICON_BIG), GetSystemMetrics(SM_CXICON)) << window;
    EXPECT_EQ(IconWidth(window, ICON_SMALL), GetSystemMetrics(SM_CXSMICON)) << window;
  }
}

}  // namespace
}  // namespace corvane
