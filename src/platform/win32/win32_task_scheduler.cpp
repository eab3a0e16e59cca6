#include "platform/win32/win32_task_scheduler.h"

#include <taskschd.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <utility>

#include "platform/win32/com_connection.h"
#include "platform/win32/file_paths.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_file_system.h"

namespace corvane {
namespace {

using win32::Bstr;
using win32::ComPtr;
using win32::Disconnected;
using win32::FromWin32;
using win32::Variant;

// What a call answers when the task or its folder is not there.
bool NotFound(HRESULT result) {
  return result == FromWin32(ERROR_FILE_NOT_FOUND) || result == FromWin32(ERROR_PATH_NOT_FOUND);
}

HRESULT Connect(ComPtr<ITaskService>& service) {
  ComPtr<ITaskService> made;
  HRESULT result = CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_ITaskService, made.ReceiveVoid());
  if (FAILED(result)) return result;
  // Empty: this machine, as the account the program runs under.
  const Variant none;
  result = made->Connect(none.get(), none.get(), none.get(), none.get());
  if (FAILED(result)) return result;
  service = std::move(made);
  return S_OK;
}

template <typename Operation>
HRESULT WithService(ComPtr<ITaskService>& service, Operation operation) {
  return win32::WithConnection(service, Connect, operation);
}

// Appends the path of every task in the collection, in its order. A task
// that went between counting and asking is passed over.
HRESULT AppendPaths(IRegisteredTaskCollection* tasks, std::vector<std::string>& paths) {
  LONG count = 0;
  HRESULT result = tasks->get_Count(&count);
  if (FAILED(result)) return result;
  for (LONG index = 1; index <= count; ++index) {  // collections count from 1
    ComPtr<IRegisteredTask> task;
    result = tasks->get_Item(Variant(index).get(), task.Receive());
    if (Disconnected(result)) return result;
    if (FAILED(result)) continue;
    Bstr path;
    result = task->get_Path(path.Receive());
    if (Disconnected(result)) return result;
    if (SUCCEEDED(result) && path) paths.push_back(win32::Utf8(path.Text()));
  }
  return S_OK;
}

// The folder's tasks, hidden ones too, and a listing of its subfolders.
// Fails when the folder cannot be read.
HRESULT ReadFolder(ITaskFolder* folder, std::vector<std::string>& paths,
                   ComPtr<ITaskFolderCollection>& subfolders, LONG& count) {
  ComPtr<IRegisteredTaskCollection> tasks;
  HRESULT result = folder->GetTasks(TASK_ENUM_HIDDEN, tasks.Receive());
  if (SUCCEEDED(result)) result = AppendPaths(tasks.get(), paths);
  if (FAILED(result)) return result;
  result = folder->GetFolders(0, subfolders.Receive());
  if (SUCCEEDED(result)) result = subfolders->get_Count(&count);
  return result;
}

// Folder by folder from the root, depth first: a folder's tasks, then each of
// its subfolders in turn. A subfolder that cannot be read adds nothing; the
// walk ends early only when the root cannot be read or the connection broke.
// Kept on a list rather than the call stack, so no depth of folders can
// overflow it.
HRESULT ListAll(ITaskService* service, std::vector<std::string>& paths) {
  paths.clear();
  const Bstr root_path(L"\\");
  if (!root_path) return E_OUTOFMEMORY;
  ComPtr<ITaskFolder> root;
  HRESULT result = service->GetFolder(root_path.get(), root.Receive());
  if (FAILED(result)) return result;

  struct Level {
    ComPtr<ITaskFolderCollection> subfolders;
    LONG count = 0;
    LONG next = 1;  // collections count from 1
  };
  std::vector<Level> levels(1);
  result = ReadFolder(root.get(), paths, levels.back().subfolders, levels.back().count);
  if (FAILED(result)) return result;
  while (!levels.empty()) {
    Level& level = levels.back();
    if (level.next > level.count) {
      levels.pop_back();
      continue;
    }
    ComPtr<ITaskFolder> folder;
    result = level.subfolders->get_Item(Variant(level.next++).get(), folder.Receive());
    if (Disconnected(result)) return result;
    if (FAILED(result)) continue;
    Level inner;
    const std::size_t listed = paths.size();
    result = ReadFolder(folder.get(), paths, inner.subfolders, inner.count);
    if (Disconnected(result)) return result;
    if (FAILED(result)) {
      paths.resize(listed);
      continue;
    }
    levels.push_back(std::move(inner));
  }
  return S_OK;
}

// "\Folder\Name" is the task "Name" of the folder "\Folder"; "\Name" one of
// the root "\". False for a path that can name no task.
bool SplitPath(const std::string& path, std::wstring& folder, std::wstring& name) {
  const std::wstring wide = win32::Wide(path);
  const std::wstring::size_type last = wide.rfind(L'\\');
  if (wide.empty() || wide[0] != L'\\' || last + 1 == wide.size() || win32::HoldsNul(wide)) {
    return false;
  }
  folder = last == 0 ? L"\\" : wide.substr(0, last);
  name = wide.substr(last + 1);
  return true;
}

HRESULT OpenFolder(ITaskService* service, const std::wstring& path, ComPtr<ITaskFolder>& folder) {
  const Bstr text(path);
  return text ? service->GetFolder(text.get(), folder.Receive()) : E_OUTOFMEMORY;
}

// S_OK when the task is registered, S_FALSE when it or its folder is not.
HRESULT LookUp(ITaskService* service, const std::wstring& folder_path, const std::wstring& name) {
  ComPtr<ITaskFolder> folder;
  HRESULT result = OpenFolder(service, folder_path, folder);
  if (SUCCEEDED(result)) {
    const Bstr text(name);
    ComPtr<IRegisteredTask> task;
    result = text ? folder->GetTask(text.get(), task.Receive()) : E_OUTOFMEMORY;
  }
  if (NotFound(result)) return S_FALSE;
  return FAILED(result) ? result : S_OK;
}

HRESULT DeleteIn(ITaskService* service, const std::wstring& folder_path, const std::wstring& name) {
  ComPtr<ITaskFolder> folder;
  HRESULT result = OpenFolder(service, folder_path, folder);
  if (FAILED(result)) return result;
  const Bstr text(name);
  return text ? folder->DeleteTask(text.get(), 0) : E_OUTOFMEMORY;
}

// The folder where the service keeps one file per task, named by its path.
// A 32-bit program on 64-bit Windows reaches the real system folder as
// "Sysnative"; its "system32" is another one.
std::wstring TaskStore() {
  wchar_t folder[MAX_PATH] = {};
  BOOL wow64 = FALSE;
  if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64) {
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return L"";
    return std::wstring(folder, length) + L"\\Sysnative\\Tasks";
  }
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return L"";
  return std::wstring(folder, length) + L"\\Tasks";
}

// The store's files below `relative` ("" for the root) as task paths, the
// folder's files before its subfolders, each confirmed by the library
// (which also sees hidden tasks), so a stray file is no task.
void ListStore(ITaskService* service, const std::wstring& store, const std::wstring& relative,
               int depth, std::vector<std::string>& paths) {
  constexpr int kDeepest = 32;
  WIN32_FIND_DATAW found{};
  const win32::FindHandle search(
      FindFirstFileW(win32::FilePath(win32::Utf8(store + relative + L"\\*")).c_str(), &found));
  if (!search) return;
  std::vector<std::wstring> folders;
  do {
    const std::wstring name(found.cFileName, wcsnlen(found.cFileName, MAX_PATH));
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      if (LookUp(service, relative.empty() ? L"\\" : relative, name) == S_OK) {
        paths.push_back(win32::Utf8(relative + L"\\" + name));
      }
    } else if (name != L"." && name != L"..") {
      folders.push_back(name);
    }
  } while (FindNextFileW(search.get(), &found));
  if (depth == kDeepest) return;
  for (const auto& folder : folders) {
    ListStore(service, store, relative + L"\\" + folder, depth + 1, paths);
  }
}

// Every task: through the library's listing, or, where the library cannot
// list its tasks (Wine's answers E_NOTIMPL), through the store's files.
HRESULT ListEveryTask(ITaskService* service, std::vector<std::string>& paths) {
  const HRESULT result = ListAll(service, paths);
  if (result != E_NOTIMPL) return result;
  paths.clear();
  const auto store = TaskStore();
  if (store.empty()) return result;
  ListStore(service, store, L"", 0, paths);
  return S_OK;
}

// The task's XML as the library gives it; `found` tells whether the task
// was there, also when its XML could not be had.
HRESULT ReadXml(ITaskService* service, const std::wstring& folder_path, const std::wstring& name,
                std::wstring& xml, bool& found) {
  found = false;
  ComPtr<ITaskFolder> folder;
  HRESULT result = OpenFolder(service, folder_path, folder);
  if (FAILED(result)) return result;
  const Bstr text(name);
  ComPtr<IRegisteredTask> task;
  result = text ? folder->GetTask(text.get(), task.Receive()) : E_OUTOFMEMORY;
  if (FAILED(result)) return result;
  found = true;
  Bstr answer;
  result = task->get_Xml(answer.Receive());
  if (SUCCEEDED(result)) xml = answer.Text();
  return result;
}

// The text of a task file: UTF-16 (with its byte order mark, or without one
// when the second byte is a NUL) or UTF-8 (a mark dropped), as UTF-8.
std::string StoreText(const std::string& bytes) {
  const auto starts = [&](const char* mark) {
    return bytes.compare(0, std::strlen(mark), mark) == 0;
  };
  if (starts("\xEF\xBB\xBF")) return bytes.substr(3);
  const bool marked = starts("\xFF\xFE");
  if (!marked && !(bytes.size() >= 2 && bytes[1] == '\0')) return bytes;
  const std::size_t first = marked ? 2 : 0;
  std::wstring text((bytes.size() - first) / sizeof(wchar_t), L'\0');
  std::copy(bytes.begin() + first, bytes.begin() + first + text.size() * sizeof(wchar_t),
            reinterpret_cast<char*>(&text[0]));
  return win32::Utf8(text);
}

// Registers the definition when no task has the path (TASK_CREATE; a taken
// one answers ERROR_ALREADY_EXISTS); a missing folder on the path is made
// with it. No account and no logon type are given, so the task runs as its
// own definition's principal says. Wine 8 takes this too.
HRESULT RegisterIn(ITaskService* service, const std::wstring& path, const std::wstring& xml) {
  ComPtr<ITaskFolder> root;
  HRESULT result = OpenFolder(service, L"\\", root);
  if (FAILED(result)) return result;
  const Bstr text(path);
  const Bstr definition(xml);
  if (!text || !definition) return E_OUTOFMEMORY;
  const Variant none;
  ComPtr<IRegisteredTask> task;
  return root->RegisterTask(text.get(), definition.get(), TASK_CREATE, none.get(), none.get(),
                            TASK_LOGON_NONE, none.get(), task.Receive());
}

}  // namespace

std::string TaskStoreFolder() { return win32::Utf8(TaskStore()); }

Win32TaskScheduler::Win32TaskScheduler() = default;
Win32TaskScheduler::~Win32TaskScheduler() = default;

std::optional<std::vector<std::string>> Win32TaskScheduler::Names() {
  try {
    std::vector<std::string> paths;
    const HRESULT result =
        WithService(service_, [&](ITaskService* service) { return ListEveryTask(service, paths); });
    if (FAILED(result)) return std::nullopt;
    return paths;
  } catch (const std::exception&) {  // out of memory, mostly
    return std::nullopt;
  }
}

std::optional<bool> Win32TaskScheduler::Has(const std::string& path) {
  try {
    std::wstring folder, name;
    if (!SplitPath(path, folder, name)) return false;
    const HRESULT result =
        WithService(service_, [&](ITaskService* service) { return LookUp(service, folder, name); });
    if (FAILED(result)) return std::nullopt;
    return result == S_OK;
  } catch (const std::exception&) {  // out of memory, mostly
    return std::nullopt;
  }
}

bool Win32TaskScheduler::Delete(const std::string& path) {
  try {
    std::wstring folder, name;
    if (!SplitPath(path, folder, name)) return false;
    return WithService(service_, [&](ITaskService* service) {
             return DeleteIn(service, folder, name);
           }) == S_OK;
  } catch (const std::exception&) {  // out of memory, mostly
    return false;
  }
}

std::optional<std::string> Win32TaskScheduler::Definition(const std::string& path) {
  try {
    std::wstring folder, name, xml;
    if (!SplitPath(path, folder, name)) return std::nullopt;
    bool found = false;
    const HRESULT result = WithService(service_, [&](ITaskService* service) {
      return ReadXml(service, folder, name, xml, found);
    });
    if (SUCCEEDED(result)) return win32::Utf8(xml);
    // The task is there, but the library cannot give its XML: the store's
    // file holds it as it was registered. Wine 8 does give it, as its own
    // rewrite of the definition, which keeps the registration info and the
    // settings but no trigger, no principal's account and no action's
    // command; its store file (UTF-8 with a mark) holds the same text.
    if (!found || Disconnected(result) || TaskStore().empty()) return std::nullopt;
    return StoreText(Win32FileSystem().ReadAll(win32::Utf8(TaskStore() + win32::Wide(path))));
  } catch (const std::exception&) {  // the file cannot be read, or out of memory
    return std::nullopt;
  }
}

bool Win32TaskScheduler::Register(const std::string& path, const std::string& definition) {
  try {
    std::wstring folder, name;
    if (!SplitPath(path, folder, name)) return false;
    const std::wstring xml = win32::Wide(definition);
    return SUCCEEDED(WithService(service_, [&](ITaskService* service) {
      return RegisterIn(service, win32::Wide(path), xml);
    }));
  } catch (const std::exception&) {  // out of memory, mostly
    return false;
  }
}

}  // namespace corvane
