// The machine that the standard-user tests run on, as the user meets it: it
// may write in its own places only (the story tests run the installed program).
#include <functional>
#include <initializer_list>

#include "platform/win32/handles.h"
#include "platform/win32/wide.h"
#include "texts.h"
#include "unprivileged/standard_user_test.h"

namespace corvane::standard_user_test {
namespace {

using win32::Wide;

class StandardUserMachineTest : public StandardUserTest {};

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }

// The error of opening (or making) the file; a file made is gone again.
DWORD OpenError(const std::wstring& path, DWORD disposition) {
  const DWORD flags = disposition == CREATE_NEW ? FILE_FLAG_DELETE_ON_CLOSE : 0;
  const HANDLE opened =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, flags, nullptr);
  const DWORD error = ErrorOf(opened != INVALID_HANDLE_VALUE);
  const win32::FileHandle closed(opened);
  return error;
}

TEST_F(StandardUserMachineTest, TheUserWritesInItsOwnPlacesOnly) {
  const std::wstring data = Wide(DataFolder());
  const std::wstring replacement = data + L"\\replacement.ini";
  ASSERT_EQ(ErrorOf(CreateDirectoryW(data.c_str(), nullptr)), DWORD(ERROR_SUCCESS));
  ASSERT_EQ(OpenError(replacement, CREATE_ALWAYS), DWORD(ERROR_SUCCESS));

  // Every way of writing where Windows keeps a standard user out.
  const std::wstring options = Wide(WindowsOptionsFile());
  const std::wstring program = Wide(InstalledProgram());
  const struct {
    const char* what;
    std::function<DWORD()> attempt;
  } attempts[] = {
      {"open the options file for writing", [&] { return OpenError(options, OPEN_EXISTING); }},
      {"write a value to the options file",
       [&] {
         return ErrorOf(
             WritePrivateProfileStringW(Wide(texts::kOptionsSection).c_str(),
                                        Wide(texts::kVersionKey).c_str(), L"0", options.c_str()));
       }},
      {"put another file in the options file's place",
       [&] {
         return ErrorOf(MoveFileExW(replacement.c_str(), options.c_str(),
                                    MOVEFILE_REPLACE_EXISTING));
       }},
      {"make a file in the Windows directory",
       [&] { return OpenError(FolderOf(options) + L"\\corvane-probe.ini", CREATE_NEW); }},
      {"make a file in the program's folder",
       [&] { return OpenError(FolderOf(program) + L"\\corvane.log", CREATE_NEW); }},
      {"open the installed program for writing",
       [&] { return OpenError(program, OPEN_EXISTING); }},
  };
  for (const auto& attempt : attempts) {
    EXPECT_EQ(attempt.attempt(), DWORD(ERROR_ACCESS_DENIED)) << attempt.what;
  }
  // Wine reports a delete done once it has the file open for deleting, and
  // then fails to unlink it on closing; what counts is that the file stays.
  DeleteFileW(options.c_str());
  EXPECT_NE(GetFileAttributesW(options.c_str()), INVALID_FILE_ATTRIBUTES) << "the user deleted it";
}

}  // namespace
}  // namespace corvane::standard_user_test
