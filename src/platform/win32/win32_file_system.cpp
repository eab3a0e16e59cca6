#include "platform/win32/win32_file_system.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cwchar>
#include <future>
#include <set>
#include <utility>

#include "platform/errors.h"
#include "platform/win32/file_paths.h"
#include "platform/win32/handles.h"
#include "platform/win32/native_calls.h"
#include "platform/win32/wide.h"
#include "texts.h"

namespace corvane {
namespace {

using win32::FilePath;
using win32::FileHandle;
using win32::FindHandle;

// Not every SDK names it; FindFirstFileW may still report a volume label.
constexpr DWORD kVolumeLabelAttribute = 0x8;
constexpr DWORD kNotAnOrdinaryFile = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_DIRECTORY | kVolumeLabelAttribute;
// The attributes SetFileAttributesW takes, which a replaced file keeps.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE |
                                  FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_TEMPORARY;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

DWORD AttributesOf(const std::string& path) {
  return GetFileAttributesW(FilePath(path).c_str());
}

bool IsMissing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

FileHandle Open(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                DWORD flags = FILE_ATTRIBUTE_NORMAL) {
  return FileHandle(
      CreateFileW(FilePath(path).c_str(), access, share, nullptr, disposition, flags, nullptr));
}

// WriteFile takes a DWORD count, so a large text goes out in pieces.
bool WriteAll(const FileHandle& file, const std::string& bytes) {
  constexpr std::size_t kLargestPiece = 1u << 20;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD piece = static_cast<DWORD>(std::min(bytes.size() - done, kLargestPiece));
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data() + done, piece, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

// Tells in `last` the file's last byte (LF for an empty file); false when
// that cannot be read.
bool LastByte(const FileHandle& file, char& last) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return false;
  last = '\n';
  if (size.QuadPart == 0) return true;
  LARGE_INTEGER at{};
  at.QuadPart = size.QuadPart - 1;
  char byte = 0;
  DWORD got = 0;
  if (!SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN) ||
      !ReadFile(file.get(), &byte, 1, &got, nullptr) || got != 1) {
    return false;
  }
  last = byte;
  return true;
}

// Wine (8.0) shows a Unix symbolic link as an ordinary file and keeps, for a
// handle to it, the resolved path of what it points to: deleting through the
// handle (and DeleteFileW) deletes the link's target and leaves the link.
// Such a handle is named otherwise than "<its folder>\<the link's name>".
bool NamesItself(const FileHandle& file, const std::string& path) {
  const auto slash = path.find_last_of("\\/");
  const std::string folder_path =
      slash == std::string::npos ? "." : path.substr(0, slash + 1);  // "C:\" stays a root
  const FileHandle folder = Open(folder_path, FILE_READ_ATTRIBUTES, kShareAll, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS);
  WIN32_FIND_DATAW entry{};
  const FindHandle search(FindFirstFileW(FilePath(path).c_str(), &entry));
  if (!folder || !search) return false;
  std::wstring expected = win32::NameOfOpenFile(folder.get());
  if (expected.empty()) return false;
  if (expected.back() != L'\\') expected += L'\\';
  // The listed name is the one on the disk, in the case the file system
  // keeps. Wine names a handle without the dots and blanks that end a name:
  // that name then tells only while no other file has it.
  std::wstring listed = entry.cFileName;
  const auto kept = listed.find_last_not_of(L". ");
  if (kept == std::wstring::npos) return false;
  if (kept + 1 != listed.size()) {
    listed.resize(kept + 1);
    WIN32_FIND_DATAW other{};
    const std::wstring sibling = FilePath(path.substr(0, slash + 1)) + listed;
    if (FindHandle(FindFirstFileW(sibling.c_str(), &other))) return false;
  }
  return win32::NameOfOpenFile(file.get()) == expected + listed;
}

// Flushes each volume that holds one of the files in one call, where this
// account may open the volume for writing (administrators only); false when
// any of them could not be.
bool FlushVolumes(const std::vector<std::string>& paths) {
  std::set<std::string> folders;
  for (const auto& path : paths) folders.insert(path.substr(0, path.rfind('\\') + 1));
  std::set<std::wstring> volumes;
  for (const auto& folder : folders) {
    wchar_t mount_point[MAX_PATH + 1] = {};
    wchar_t volume[MAX_PATH + 1] = {};  // "\\?\Volume{GUID}\"
    if (!GetVolumePathNameW(FilePath(folder).c_str(), mount_point, MAX_PATH) ||
        !GetVolumeNameForVolumeMountPointW(mount_point, volume, MAX_PATH)) {
      return false;
    }
    std::wstring name = volume;
    if (!name.empty() && name.back() == L'\\') name.pop_back();  // the volume, not its root folder
    volumes.insert(name);
  }
  for (const auto& volume : volumes) {
    const FileHandle handle(CreateFileW(volume.c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        0, nullptr));
    if (!handle || !FlushFileBuffers(handle.get())) return false;
  }
  return true;
}

// Each file through a handle of its own; a link put in a file's place is
// opened itself, never followed, and nothing is written. Several threads
// flush at once, since a file system commits the flushes that wait together
// in one go: 10,000 files cost a few times one flush, not 10,000 times.
void FlushEach(const std::vector<std::string>& paths) {
  constexpr std::size_t kThreads = 8;
  std::vector<std::future<void>> flushing;
  for (std::size_t first = 0; first < std::min(kThreads, paths.size()); ++first) {
    flushing.push_back(std::async(std::launch::async, [&paths, first] {
      for (auto at = first; at < paths.size(); at += kThreads) {
        const FileHandle file =
            Open(paths[at], GENERIC_WRITE, kShareAll, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT);
        if (file) FlushFileBuffers(file.get());
      }
    }));
  }
  // Each future waits for its thread as it goes.
}

}  // namespace

bool Win32FileSystem::DirectoryExists(const std::string& path) const {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::FileExists(const std::string& path) const {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::NameTaken(const std::string& path) const {
  if (AttributesOf(path) != INVALID_FILE_ATTRIBUTES) return true;
  // Wine shows no link whose target is gone, yet Unix keeps its name: a
  // file made there only if no name is taken tells.
  const FileHandle probe = Open(path, DELETE, kShareAll, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE);
  const DWORD error = GetLastError();
  return !probe && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS);
}

std::vector<FileSystem::FoundFile> Win32FileSystem::ListFiles(const std::string& pattern) const {
  std::vector<FoundFile> files;
  WIN32_FIND_DATAW found{};
  const FindHandle search(FindFirstFileW(FilePath(pattern).c_str(), &found));
  if (!search) return files;
  do {
    if ((found.dwFileAttributes & kNotAnOrdinaryFile) == 0) {
      const auto& time = found.ftLastWriteTime;
      files.push_back({win32::Utf8(found.cFileName, wcsnlen(found.cFileName, MAX_PATH)),
                       std::to_string(found.nFileSizeHigh) + ':' +
                           std::to_string(found.nFileSizeLow) + ':' +
                           std::to_string(time.dwHighDateTime) + ':' +
                           std::to_string(time.dwLowDateTime)});
    }
  } while (FindNextFileW(search.get(), &found));
  return files;
}

void Win32FileSystem::MoveFileTo(const std::string& from, const std::string& to) {
  const auto fail = [&] { throw InOutError(FormatText(texts::kUnableToWriteFile, to)); };
  const std::wstring source = FilePath(from);
  const std::wstring target = FilePath(to);
  DWORD attributes = 0;
  {
    // The name's own entry: a link is looked at itself, not what it points to.
    const FileHandle file = Open(from, FILE_READ_ATTRIBUTES, kShareAll, OPEN_EXISTING,
                                 FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !GetFileInformationByHandle(file.get(), &info)) fail();
    attributes = info.dwFileAttributes;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      fail();
    }
    // Wine renames (and copies) what a Unix link points to; the link stays.
    if (win32::RunningOnWine() && !NamesItself(file, from)) fail();
  }
  if (target.empty()) fail();
  // Without REPLACE_EXISTING a taken name fails before anything moves. A
  // rename on one volume moves the entry itself, a link too.
  if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return;
  // Across volumes the file is copied, then the original deleted; a link
  // would be copied as what it points to, so it goes no farther than its volume.
  if (GetLastError() != ERROR_NOT_SAME_DEVICE || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    fail();
  }
  const bool moved = MoveFileExW(source.c_str(), target.c_str(),
                                 MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH) != 0;
  const DWORD error = GetLastError();
  if (!moved && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)) fail();
  // The copy reports success even when the original cannot be deleted (held
  // open, read-only), and may leave part of itself behind when it fails:
  // then the copy goes, so that the file is in one place only.
  if (GetFileAttributesW(source.c_str()) != INVALID_FILE_ATTRIBUTES) {
    if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
      SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(target.c_str());
    }
    fail();
  }
  if (GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES) fail();
}

bool Win32FileSystem::RemoveFile(const std::string& path) {
  // The name's own entry: a link is opened itself, not what it points to.
  FileHandle file = Open(path, DELETE | FILE_READ_ATTRIBUTES, kShareAll, OPEN_EXISTING,
                         FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS);
  if (!file) return IsMissing(GetLastError());
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.get(), &info)) return false;
  const DWORD attributes = info.dwFileAttributes;
  // A folder is no file (a link to one is); a read-only file stays, as
  // Windows keeps it, even where the account could delete it anyway.
  if ((attributes & FILE_ATTRIBUTE_READONLY) ||
      ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))) {
    return false;
  }
  // Rather keep a link that Wine cannot delete by itself than lose its target.
  if (win32::RunningOnWine() && !NamesItself(file, path)) return false;
  if (!win32::DeleteOnClose(file.get())) return false;
  file = FileHandle();
  return AttributesOf(path) == INVALID_FILE_ATTRIBUTES && IsMissing(GetLastError());
}

std::string Win32FileSystem::ReadAll(const std::string& path) const {
  // Share writing too, so a file another program holds open can still be read.
  const FileHandle file = Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               OPEN_EXISTING);
  if (!file) throw InOutError(FormatText(texts::kUnableToReadFile, path));
  std::string bytes;
  char piece[64 * 1024];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), piece, sizeof piece, &got, nullptr)) {
      throw InOutError(FormatText(texts::kUnableToReadFile, path));
    }
    if (got == 0) break;
    bytes.append(piece, got);
  }
  return bytes;
}

void Win32FileSystem::WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  const FileHandle file = Open(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
  // Flushed before it is closed: a copy that replaces another file must be
  // on the disk whole first.
  if (!file || !WriteAll(file, JoinTextLines(lines)) || !FlushFileBuffers(file.get())) {
    throw InOutError(FormatText(texts::kUnableToWriteFile, path));
  }
}

void Win32FileSystem::AppendLine(const std::string& path, const std::string& line) {
  // Append-only writing puts every write at the end of the file; reading
  // through the same handle, which shares no writing, sees the end that the
  // line goes after.
  const FileHandle file =
      Open(path, FILE_APPEND_DATA | FILE_READ_DATA, FILE_SHARE_READ, OPEN_ALWAYS);
  char last = '\n';
  if (!file || !LastByte(file, last) ||
      !WriteAll(file, MissingLineEnd(last) + JoinTextLines({line}))) {
    throw InOutError(FormatText(texts::kUnableToWriteFile, path));
  }
}

void Win32FileSystem::PutInPlaceOf(const std::string& replacement, const std::string& target) {
  const auto fail = [&] { throw InOutError(FormatText(texts::kUnableToWriteFile, target)); };
  const std::wstring from = FilePath(replacement);
  const std::wstring to = FilePath(target);
  const DWORD own = GetFileAttributesW(from.c_str());
  if (own == INVALID_FILE_ATTRIBUTES || (own & FILE_ATTRIBUTE_DIRECTORY)) fail();
  const DWORD old = GetFileAttributesW(to.c_str());
  const bool replacing = old != INVALID_FILE_ATTRIBUTES;
  if (!replacing && !IsMissing(GetLastError())) fail();
  // Checked here, since Wine run as root would replace a read-only file.
  if (replacing && (old & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) fail();
  // A rename keeps the renamed file's attributes (ReplaceFileW would merge
  // the old ones, but Wine's drops them), so the replacement takes the
  // target's first and gets its own back if the rename fails.
  const auto attributes = [](DWORD kept) { return kept ? kept : FILE_ATTRIBUTE_NORMAL; };
  if (replacing && !SetFileAttributesW(from.c_str(), attributes(old & kKeptAttributes))) fail();
  // A rename within one volume: the target is the old file or the new one, never half of it.
  if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    if (replacing) SetFileAttributesW(from.c_str(), attributes(own & kKeptAttributes));
    fail();
  }
}

void Win32FileSystem::FlushWritten(const std::function<void()>& meanwhile) {
  if (unflushed_.empty()) return;
  // On a thread of its own, so that the caller's thread goes on meanwhile
  // (and its windows keep answering); the future waits for it in any case.
  auto flushing = std::async(std::launch::async, [paths = std::exchange(unflushed_, {})] {
    if (!FlushVolumes(paths)) FlushEach(paths);
  });
  constexpr auto kMeanwhileStep = std::chrono::milliseconds(10);
  while (flushing.wait_for(kMeanwhileStep) != std::future_status::ready) {
    if (meanwhile) meanwhile();
  }
}

bool Win32FileSystem::CreateNewFile(const std::string& path, const std::string& bytes,
                                    Durability durability) {
  // CREATE_NEW fails on any name that is taken, a link included (even one
  // whose target is gone), so nothing is written through what was there.
  FileHandle file = Open(path, GENERIC_WRITE | DELETE, FILE_SHARE_READ, CREATE_NEW);
  if (!file) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return false;
    throw InOutError(FormatText(texts::kUnableToWriteFile, path));
  }
  const bool flush = durability == Durability::kFlushed;
  if (!WriteAll(file, bytes) || (flush && !FlushFileBuffers(file.get()))) {
    // Through our own handle: the name may stand for another file by now.
    win32::DeleteOnClose(file.get());
    throw InOutError(FormatText(texts::kUnableToWriteFile, path));
  }
  if (!flush) unflushed_.push_back(path);
  return true;
}

bool Win32FileSystem::CanWriteIn(const std::string& folder) {
  static unsigned serial = 0;
  const std::string separator = !folder.empty() && folder.back() == '\\' ? "" : "\\";
  // A fresh name each try, so no file of anyone else's is ever opened.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const std::string unique = std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(GetTickCount()) + "-" + std::to_string(++serial);
    const FileHandle probe =
        Open(folder + separator + FormatText(texts::kWriteProbeFile, unique),
             GENERIC_WRITE | DELETE, 0, CREATE_NEW,
             FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE);
    if (probe) return true;
    if (GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  return false;
}

void Win32FileSystem::MakeDirectory(const std::string& path) {
  // The missing folders, from the asked one up to the first that is there.
  std::vector<std::string> missing;
  std::string folder = path;
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  while (!folder.empty() && !DirectoryExists(folder)) {
    missing.push_back(folder);
    const auto slash = folder.rfind('\\');
    if (slash == std::string::npos || slash == 0) break;
    folder.resize(slash);
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    // Another program may make the same folder meanwhile; that is as good.
    if (!CreateDirectoryW(FilePath(*it).c_str(), nullptr) && !DirectoryExists(*it)) {
      throw InOutError(FormatText(texts::kUnableToWriteFile, path));
    }
  }
}

std::string Win32FileSystem::DecodeAnsi(const std::string& bytes) const {
  const int size = static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX));
  if (size == 0) return "";
  const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, &text[0], length);
  return win32::Utf8(text);
}

std::string Win32FileSystem::ProgramPath() const {
  // A path that does not fit comes back cut to the buffer's full length.
  constexpr DWORD kLongestPath = 32768;
  for (DWORD size = MAX_PATH; size <= 2 * kLongestPath; size *= 2) {
    std::wstring path(size, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, &path[0], size);
    if (length == 0) return "";
    if (length < size) return win32::Utf8(path.data(), length);
  }
  return "";
}

}  // namespace corvane
