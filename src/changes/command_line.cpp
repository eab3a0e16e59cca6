#include "changes/command_line.h"

#include "monitor/autostart_locations.h"
#include "platform/case_fold.h"

namespace corvane {

namespace {

constexpr char kBlanks[] = " \t";
constexpr char kProgramExtension[] = ".exe";
constexpr char kLibraryExtension[] = ".dll";
constexpr char kDllHost[] = "rundll32.exe";

// Prefixes in lower case, as FoldCase gives them.
constexpr char kSystemRootPrefix[] = "\\systemroot\\";
constexpr char kNativePrefix[] = "\\??\\";
constexpr char kSystemFolderPrefix[] = "system32\\";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool StartsWithFolded(const std::string& text, const std::string& lower_prefix) {
  return FoldCase(text.substr(0, lower_prefix.size())) == lower_prefix;
}

std::string FileName(const std::string& path) {
  const auto separator = path.find_last_of("\\/:");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

bool IsAbsolute(const std::string& path) {
  const bool drive = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
  return drive || path.compare(0, 2, "\\\\") == 0;
}

// A path in a service's native form, as a Win32 path; "" when the Windows
// directory it needs is unknown.
std::string Win32Path(const Environment& environment, const std::string& path) {
  const auto windows = [&environment] {
    return environment.Get(locations::kWindowsDirectoryVariable);
  };
  if (StartsWithFolded(path, kSystemRootPrefix)) {
    const auto directory = windows();
    return directory.empty() ? "" : directory + path.substr(sizeof kSystemRootPrefix - 2);
  }
  if (StartsWithFolded(path, kNativePrefix)) return path.substr(sizeof kNativePrefix - 1);
  if (StartsWithFolded(path, kSystemFolderPrefix)) {
    const auto directory = windows();
    return directory.empty() ? "" : directory + '\\' + path;
  }
  return path;
}

// The existing file a name in a command line stands for, with the extension
// Windows adds to a name that has none; "" when there is none. A relative
// path with a folder names nothing certain, so it names nothing here.
std::string ExistingFile(const Platform& platform, const std::string& name,
                         const char* default_extension) {
  const auto path = Win32Path(platform.environment, name);
  if (path.empty()) return "";
  const bool bare = path.find_first_of("\\/:") == std::string::npos;
  if (!bare && !IsAbsolute(path)) return "";
  const auto find = [&](const std::string& candidate) -> std::string {
    if (bare) return platform.programs.SearchProgram(candidate);
    return platform.files.FileExists(candidate) ? candidate : "";
  };
  if (FileName(path).find('.') == std::string::npos) {
    auto found = find(path + default_extension);
    if (!found.empty()) return found;
  }
  return find(path);
}

// rundll32's first argument: the DLL, before the comma of its entry point.
std::string DllOfArguments(const Platform& platform, const std::string& arguments) {
  const auto start = arguments.find_first_not_of(kBlanks);
  if (start == std::string::npos) return "";
  if (arguments[start] == '"') {
    const auto close = arguments.find('"', start + 1);
    return ExistingFile(platform, arguments.substr(start + 1, close - start - 1),
                        kLibraryExtension);
  }
  auto name = arguments.substr(start, arguments.find(',', start) - start);
  name.erase(name.find_last_not_of(kBlanks) + 1);
  auto found = ExistingFile(platform, name, kLibraryExtension);
  if (found.empty() && name.find_first_of(kBlanks) != std::string::npos) {
    found = ExistingFile(platform, name.substr(0, name.find_first_of(kBlanks)), kLibraryExtension);
  }
  return found;
}

}  // namespace

std::string ExpandVariables(const Environment& environment, const std::string& text) {
  std::string expanded;
  std::size_t at = 0;
  while (at < text.size()) {
    const auto open = text.find('%', at);
    const auto close = open == std::string::npos ? open : text.find('%', open + 1);
    if (close == std::string::npos) break;
    const auto name = text.substr(open + 1, close - open - 1);
    const auto value = name.empty() ? std::string() : environment.Get(name);
    if (value.empty()) {
      // Unset: kept as written; its closing % may open the next name.
      expanded += text.substr(at, close - at);
      at = close;
    } else {
      expanded += text.substr(at, open - at) + value;
      at = close + 1;
    }
  }
  return expanded + text.substr(at);
}

std::string ProgramOfCommand(const Platform& platform, const std::string& command) {
  const auto line = ExpandVariables(platform.environment, command);
  const auto start = line.find_first_not_of(kBlanks);
  if (start == std::string::npos) return "";
  std::string program;
  std::size_t rest_at = line.size();
  if (line[start] == '"') {
    const auto close = line.find('"', start + 1);
    program = ExistingFile(platform, line.substr(start + 1, close - start - 1), kProgramExtension);
    if (close != std::string::npos) rest_at = close + 1;
  } else {
    // As Windows does: "C:\Program Files\App\app.exe -x" tries "C:\Program"
    // first, then each longer prefix up to a blank, then the whole line.
    for (auto end = line.find_first_of(kBlanks, start);;
         end = line.find_first_of(kBlanks, end + 1)) {
      // A blank before this one ended the same name already.
      if (end == std::string::npos || !IsBlank(line[end - 1])) {
        program = ExistingFile(platform, line.substr(start, end - start), kProgramExtension);
        rest_at = end == std::string::npos ? line.size() : end;
      }
      if (!program.empty() || end == std::string::npos) break;
    }
  }
  if (program.empty()) return "";
  if (FoldCase(FileName(program)) == kDllHost) return DllOfArguments(platform, line.substr(rest_at));
  return program;
}

std::string NamedProgram(const Platform& platform, const std::string& command) {
  auto program = ProgramOfCommand(platform, command);
  if (!program.empty()) return program;
  const auto line = ExpandVariables(platform.environment, command);
  const auto start = line.find_first_not_of(kBlanks);
  if (start == std::string::npos) return "";
  // Some places hold a folder, not a command (the shell's folders).
  if (platform.files.DirectoryExists(Win32Path(platform.environment, line.substr(start)))) {
    return "";
  }
  const bool quoted = line[start] == '"';
  const auto begin = start + (quoted ? 1 : 0);
  const auto end = line.find_first_of(quoted ? "\"" : kBlanks, begin);
  const auto path = Win32Path(platform.environment,
                              line.substr(begin, end == std::string::npos ? end : end - begin));
  // An existing file here is a host whose own argument is missing (rundll32):
  // its signature is not the entry's.
  return IsAbsolute(path) && !platform.files.FileExists(path) ? path : "";
}

}  // namespace corvane
