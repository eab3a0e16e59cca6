#include "platform/win32/win32_file_system.h"

#include <algorithm>

#include "platform/errors.h"
#include "platform/unicode.h"
#include "platform/win32/handles.h"
#include "texts.h"

namespace corvane {
namespace {

using win32::FileHandle;
using win32::FindHandle;

// Not every SDK names it; FindFirstFileA may still report a volume label.
constexpr DWORD kVolumeLabelAttribute = 0x8;
constexpr DWORD kNotAnOrdinaryFile = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_DIRECTORY | kVolumeLabelAttribute;

DWORD AttributesOf(const std::string& path) { return GetFileAttributesA(path.c_str()); }

FileHandle OpenForWriting(const std::string& path, DWORD access, DWORD disposition) {
  return FileHandle(CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
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

}  // namespace

bool Win32FileSystem::DirectoryExists(const std::string& path) const {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::FileExists(const std::string& path) const {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::vector<std::string> Win32FileSystem::FindFiles(const std::string& pattern) const {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  const FindHandle search(FindFirstFileA(pattern.c_str(), &found));
  if (!search) return names;
  do {
    if ((found.dwFileAttributes & kNotAnOrdinaryFile) == 0) names.emplace_back(found.cFileName);
  } while (FindNextFileA(search.get(), &found));
  return names;
}

bool Win32FileSystem::RemoveFile(const std::string& path) {
  if (DeleteFileA(path.c_str())) return true;
  // Already gone counts as done; an unreadable attribute for another reason does not.
  if (AttributesOf(path) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::string Win32FileSystem::ReadAll(const std::string& path) const {
  // Share writing too, so a file another program holds open can still be read.
  const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
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
  const FileHandle file = OpenForWriting(path, GENERIC_WRITE, CREATE_ALWAYS);
  // Flushed before it is closed: a copy that replaces another file must be
  // on the disk whole first.
  if (!file || !WriteAll(file, JoinTextLines(lines)) || !FlushFileBuffers(file.get())) {
    throw InOutError(FormatText(texts::kUnableToWriteFile, path));
  }
}

void Win32FileSystem::AppendLine(const std::string& path, const std::string& line) {
  // Append-only access puts every write at the end of the file.
  const FileHandle file = OpenForWriting(path, FILE_APPEND_DATA, OPEN_ALWAYS);
  if (!file || !WriteAll(file, line + "\r\n")) {
    throw InOutError(FormatText(texts::kUnableToWriteFile, path));
  }
}

void Win32FileSystem::PutInPlaceOf(const std::string& replacement, const std::string& target) {
  // A rename within one volume: the target is the old file or the new one, never half of it.
  if (!MoveFileExA(replacement.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    throw InOutError(FormatText(texts::kUnableToWriteFile, target));
  }
}

bool Win32FileSystem::CreateNewFile(const std::string& path, const std::string& bytes) {
  FileHandle file = OpenForWriting(path, GENERIC_WRITE, CREATE_NEW);
  if (!file) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return false;
    throw InOutError(FormatText(texts::kUnableToWriteFile, path));
  }
  if (!WriteAll(file, bytes) || !FlushFileBuffers(file.get())) {
    file = FileHandle();
    DeleteFileA(path.c_str());
    throw InOutError(FormatText(texts::kUnableToWriteFile, path));
  }
  return true;
}

bool Win32FileSystem::CanWriteIn(const std::string& folder) {
  const std::string probe = folder + "\\corvane.probe";
  const FileHandle file(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return bool(file);
}

void Win32FileSystem::MakeDirectory(const std::string& path) {
  if (DirectoryExists(path)) return;
  const auto slash = path.rfind('\\');
  if (slash != std::string::npos && slash > 2) MakeDirectory(path.substr(0, slash));
  if (!CreateDirectoryA(path.c_str(), nullptr) && !DirectoryExists(path)) {
    throw InOutError(FormatText(texts::kUnableToWriteFile, path));
  }
}

std::string Win32FileSystem::DecodeAnsi(const std::string& bytes) const {
  if (bytes.empty()) return "";
  const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), nullptr, 0);
  std::u16string text(static_cast<std::size_t>(length), u'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()),
                      reinterpret_cast<wchar_t*>(&text[0]), length);
  return Utf16ToUtf8(text);
}

std::string Win32FileSystem::ProgramPath() const {
  // A path that does not fit comes back cut to the buffer's full length.
  constexpr DWORD kLongestPath = 32768;
  std::string path;
  for (DWORD size = MAX_PATH; size <= 2 * kLongestPath; size *= 2) {
    path.assign(size, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, &path[0], size);
    if (length == 0) return "";
    if (length < size) {
      path.resize(length);
      return path;
    }
  }
  return "";
}

}  // namespace corvane
