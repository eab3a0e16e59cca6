#include "monitor/file_scanners.h"

#include <algorithm>
#include <string>
#include <vector>

#include "monitor/autostart_locations.h"
#include "platform/case_fold.h"

namespace corvane {

namespace {

struct StartupFolder {
  std::string base;
  std::string must_exist;  // the directory whose absence skips the folder
  std::string search_in;   // the folder searched
  std::string recorded;    // the sub-path written into the entries
};

std::string UserProfileSibling(const std::string& user_profile, const std::string& name) {
  const auto slash = user_profile.rfind('\\');
  return (slash == std::string::npos ? std::string() : user_profile.substr(0, slash + 1)) + name;
}

std::vector<StartupFolder> StartupFolders(const Environment& environment) {
  using namespace locations;
  const auto windows = environment.Get(kWindowsDirectoryVariable);
  const auto all_users = environment.Get(kAllUsersProfileVariable);
  const auto user = environment.Get(kUserProfileVariable);
  const auto administrator = UserProfileSibling(user, kAdministratorProfile);
  std::vector<StartupFolder> folders = {
      {windows, windows + kStartupFolderCapital, windows + kStartupFolderCapital,
       kStartupFolderCapital},
      {all_users, all_users, all_users + kStartupFolderLower, kStartupFolderCapital},
      {user, user, user + kStartupFolderLower, kStartupFolderLower},
      {administrator, administrator, administrator + kStartupFolderLower, kStartupFolderLower},
  };
  // Where Windows starts programs from today. On older Windows a shell
  // folder is one of the folders above, which is listed once.
  for (const auto id : {ShellFolder::kStartup, ShellFolder::kCommonStartup}) {
    const auto path = environment.ShellFolderPath(id);
    const auto same = [&path](const StartupFolder& folder) {
      return FoldCase(folder.search_in) == FoldCase(path);
    };
    if (path.empty() || std::any_of(folders.begin(), folders.end(), same)) continue;
    folders.push_back({path, path, path, ""});
  }
  return folders;
}

// The INI matching rule: the line begins with the key in any letter case and
// is not exactly the (lower-case) key.
bool IsAutostartLine(const std::string& line, const std::string& key) {
  auto head = line.substr(0, key.size());
  for (auto& c : head) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return head == key && line != key;
}

void AppendMatchingLines(const std::vector<std::string>& lines, const std::string& key,
                         char type_code, EntryTable& current) {
  for (const auto& line : lines) {
    if (IsAutostartLine(line, key)) current.Append(MakeEntry(type_code, line));
  }
}

// The INI files are byte files in the ANSI code page, whatever their lines hold.
std::vector<std::string> ReadIniLines(const FileSystem& files, const std::string& path) {
  auto lines = SplitTextLines(files.ReadAll(path));
  for (auto& line : lines) line = files.DecodeAnsi(line);
  return lines;
}

}  // namespace

void ScanStartupFolders(const Environment& environment, const FileSystem& files,
                        EntryTable& current) {
  for (const auto& folder : StartupFolders(environment)) {
    if (!files.DirectoryExists(folder.must_exist)) continue;
    for (const auto& name : files.FindFiles(folder.search_in + locations::kAllFilesMask)) {
      current.Append(
          MakeEntry(entry_type::kStartupFolderFile, folder.base + folder.recorded + '\\' + name));
    }
  }
}

std::vector<std::string> StartupFolderPaths(const Environment& environment) {
  std::vector<std::string> paths;
  for (const auto& folder : StartupFolders(environment)) paths.push_back(folder.search_in);
  return paths;
}

void ScanIniFiles(const Environment& environment, const FileSystem& files, EntryTable& current) {
  using namespace locations;
  const auto windows = environment.Get(kWindowsDirectoryVariable);
  const auto win_ini = windows + '\\' + kWinIni;
  if (files.FileExists(win_ini)) {
    // Both passes over win.ini see the same lines, so one read serves them.
    const auto lines = ReadIniLines(files, win_ini);
    AppendMatchingLines(lines, kRunKeyOfWinIni, entry_type::kWinIniLine, current);
    AppendMatchingLines(lines, kLoadKeyOfWinIni, entry_type::kWinIniLine, current);
  }
  const auto system_ini = windows + '\\' + kSystemIni;
  if (files.FileExists(system_ini)) {
    AppendMatchingLines(ReadIniLines(files, system_ini), kShellKeyOfSystemIni,
                        entry_type::kSystemIniLine, current);
  }
}

}  // namespace corvane
