#include "platform/win32/win32_program_facts.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <exception>
#include <vector>

#include "platform/win32/com_owners.h"
#include "platform/win32/file_paths.h"
#include "platform/win32/wide.h"

namespace corvane {
namespace {

using win32::ComPtr;

// The longest path or argument text Windows passes to a program.
constexpr int kLongestText = 32768;

// The text up to its first NUL.
std::string Utf8UpToNul(const std::wstring& text) {
  return win32::Utf8(text.c_str(), wcsnlen(text.c_str(), text.size()));
}

// %NAME% references replaced by the variables of this process, as the shell
// does when it starts the link; unchanged when that fails.
std::wstring Expanded(const std::wstring& text) {
  DWORD size = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  while (size != 0) {
    std::wstring expanded(size, L'\0');
    const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), &expanded[0], size);
    if (needed == 0) break;
    if (needed <= size) return expanded.substr(0, wcsnlen(expanded.c_str(), needed));
    size = needed;  // a variable grew in between
  }
  return text;
}

// The company name in version information read whole into `data`, under
// one language and code page ("040904B0"); "" when it names none.
std::string CompanyName(const std::vector<char>& data, const std::wstring& language) {
  const std::wstring key = L"\\StringFileInfo\\" + language + L"\\CompanyName";
  wchar_t* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&text), &length) ||
      text == nullptr) {
    return "";
  }
  return win32::Utf8(text, wcsnlen(text, length));
}

// The languages and code pages to look under: the first the file lists,
// then US English in Unicode and in the Western code page, which most
// files use.
std::vector<std::wstring> LanguagesOf(const std::vector<char>& data) {
  std::vector<std::wstring> languages;
  struct Translation {
    WORD language, code_page;
  };
  Translation* listed = nullptr;
  UINT size = 0;
  if (VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&listed),
                     &size) &&
      listed != nullptr && size >= sizeof(Translation)) {
    char key[9] = {};
    std::snprintf(key, sizeof key, "%04X%04X", listed->language, listed->code_page);
    languages.push_back(win32::Wide(key));
  }
  languages.push_back(L"040904B0");
  languages.push_back(L"040904E4");
  return languages;
}

// The file system path of the link's item list, or `otherwise`.
std::wstring ItemListPath(IShellLinkW* link, const std::wstring& otherwise) {
  struct ItemListTraits : win32::NullIsNone {
    static void Free(PIDLIST_ABSOLUTE list) { CoTaskMemFree(list); }
  };
  win32::OwnedHandle<PIDLIST_ABSOLUTE, ItemListTraits> list;
  wchar_t path[MAX_PATH] = {};
  if (FAILED(link->GetIDList(list.Receive())) || !list || !SHGetPathFromIDListW(list.get(), path)) {
    return otherwise;
  }
  return path;
}

}  // namespace

std::optional<Shortcut> Win32ProgramFacts::ReadShortcut(const std::string& path) const {
  try {
    const std::wstring file = win32::ShellFilePath(path);
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> persist;
    if (file.empty() ||
        FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.ReceiveVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, persist.ReceiveVoid())) ||
        FAILED(persist->Load(file.c_str(), STGM_READ))) {
      return std::nullopt;
    }
    // The raw path as the link holds it; never resolved, which may search
    // the disks or ask the user.
    std::wstring target(kLongestText, L'\0');
    if (FAILED(link->GetPath(&target[0], kLongestText, nullptr, SLGP_RAWPATH))) {
      return std::nullopt;
    }
    std::wstring arguments(kLongestText, L'\0');
    if (FAILED(link->GetArguments(&arguments[0], kLongestText))) return std::nullopt;
    target.resize(wcsnlen(target.c_str(), target.size()));
    // A path kept in the ANSI code page only (as Wine writes links) has lost
    // what that code page lacks to question marks, which no path holds; the
    // link's item list keeps the names whole.
    if (target.find(L'?') != std::wstring::npos) target = ItemListPath(link.get(), target);
    return Shortcut{win32::Utf8(Expanded(target)), Utf8UpToNul(arguments)};
  } catch (const std::exception&) {  // out of memory, mostly
    return std::nullopt;
  }
}

std::string Win32ProgramFacts::Publisher(const std::string& program_path) const {
  const std::wstring file = win32::ShellFilePath(program_path);
  DWORD ignored = 0;
  const DWORD size = file.empty() ? 0 : GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) return "";
  std::vector<char> data(size);
  if (!GetFileVersionInfoW(file.c_str(), 0, size, data.data())) return "";
  for (const auto& language : LanguagesOf(data)) {
    const std::string company = CompanyName(data, language);
    if (!company.empty()) return company;
  }
  return "";
}

std::string Win32ProgramFacts::SearchProgram(const std::string& file_name) const {
  const std::wstring name = win32::Wide(file_name);
  if (name.empty() || win32::HoldsNul(name)) return "";
  // Without an extension the name is looked for as a program (.exe), as
  // Windows starts it.
  DWORD size = MAX_PATH;
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::wstring found(size, L'\0');
    const DWORD length = SearchPathW(nullptr, name.c_str(), L".exe", size, &found[0], nullptr);
    if (length == 0) return "";
    if (length < size) return win32::Utf8(found.c_str(), length);
    size = length;  // the size it needs, its NUL included
  }
  return "";
}

}  // namespace corvane
