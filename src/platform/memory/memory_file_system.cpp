#include "platform/memory/memory_file_system.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "platform/errors.h"
#include "platform/case_fold.h"
#include "platform/unicode.h"
#include "texts.h"

namespace corvane {

namespace {

std::string NormalPath(const std::string& path) {
  auto folded = FoldCase(path);
  while (!folded.empty() && folded.back() == '\\') folded.pop_back();
  return folded;
}

std::string FolderOf(const std::string& normal_path) {
  const auto slash = normal_path.rfind('\\');
  return slash == std::string::npos ? std::string() : normal_path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Wildcard match with * and ?, without letter case; "*.*" matches every name.
bool MatchesMask(const std::string& name, const std::string& mask) {
  if (mask == "*.*") return true;
  const auto text = FoldCase(name);
  const auto pattern = FoldCase(mask);
  std::size_t t = 0, p = 0, star = std::string::npos, resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == text[t])) {
      ++t;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = t;
    } else if (star != std::string::npos) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

MemoryFileSystem::MemoryFileSystem(std::string program_path)
    : program_path_(std::move(program_path)) {
  AddDirectory(ProgramDirectory());
}

const MemoryFileSystem::Node* MemoryFileSystem::Find(const std::string& path) const {
  const auto it = nodes_.find(NormalPath(path));
  return it == nodes_.end() ? nullptr : &it->second;
}

MemoryFileSystem::Node& MemoryFileSystem::Create(const std::string& path, bool directory) {
  const auto normal = NormalPath(path);
  const auto folder = FolderOf(normal);
  if (!folder.empty() && !Find(folder)) Create(path.substr(0, folder.size()), true);
  auto& node = nodes_[normal];
  auto trimmed = path;
  while (!trimmed.empty() && trimmed.back() == '\\') trimmed.pop_back();
  node.name = NameOf(trimmed);
  node.parent = folder;
  node.directory = directory;
  node.order = next_order_++;
  return node;
}

bool MemoryFileSystem::DirectoryExists(const std::string& path) const {
  const auto* node = path.empty() ? nullptr : Find(path);
  return node && node->directory;
}

bool MemoryFileSystem::NameTaken(const std::string& path) const {
  return FileExists(path) || DirectoryExists(path);
}

bool MemoryFileSystem::FileExists(const std::string& path) const {
  const auto* node = path.empty() ? nullptr : Find(path);
  return node && !node->directory && node->failure != Failure::kUnreachable;
}

std::vector<FileSystem::FoundFile> MemoryFileSystem::ListFiles(const std::string& pattern) const {
  const auto slash = pattern.rfind('\\');
  const auto folder = NormalPath(slash == std::string::npos ? "" : pattern.substr(0, slash));
  const auto mask = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
  std::vector<const Node*> found;
  for (const auto& [path, node] : nodes_) {
    if (node.parent != folder || node.directory) continue;
    if (node.attributes & (kHidden | kSystem)) continue;
    if (MatchesMask(node.name, mask)) found.push_back(&node);
  }
  std::sort(found.begin(), found.end(),
            [](const Node* a, const Node* b) { return a->order < b->order; });
  std::vector<FoundFile> files;
  for (const auto* node : found) {
    // Any write changes the content's size or its hash, as it changes a real file's time.
    files.push_back({node->name, std::to_string(node->content.size()) + ':' +
                                     std::to_string(std::hash<std::string>{}(node->content))});
  }
  return files;
}

bool MemoryFileSystem::Refuses(const Node& node) const {
  return node.directory || (node.attributes & kReadOnly) || node.failure == Failure::kCannotOpen ||
         node.failure == Failure::kCannotWrite || node.failure == Failure::kUnreachable;
}

bool MemoryFileSystem::FolderTakesNewFiles(const std::string& normal_path) const {
  const auto* folder = Find(FolderOf(normal_path));
  return folder && folder->directory && folder->failure != Failure::kCannotWrite;
}

bool MemoryFileSystem::RemoveFile(const std::string& path) {
  const auto* node = Find(path);
  if (!node) return true;
  if (Refuses(*node)) return false;
  nodes_.erase(NormalPath(path));
  return true;
}

void MemoryFileSystem::MoveFileTo(const std::string& from, const std::string& to) {
  const auto* node = Find(from);
  if (!node || node->directory || Refuses(*node) || Find(to) ||
      !FolderTakesNewFiles(NormalPath(to))) {
    throw InOutError(FormatText(texts::kUnableToWriteFile, to));
  }
  auto moved = *node;
  nodes_.erase(NormalPath(from));
  auto& made = Create(to, false);
  made.content = std::move(moved.content);
  made.attributes = moved.attributes;
}

std::string MemoryFileSystem::ReadAll(const std::string& path) const {
  ++files_read_;
  const auto* node = Find(path);
  if (!node || node->directory || node->failure == Failure::kCannotOpen ||
      node->failure == Failure::kCannotRead) {
    throw InOutError(FormatText(texts::kUnableToReadFile, path));
  }
  return node->content;
}

void MemoryFileSystem::PutInPlaceOf(const std::string& replacement, const std::string& target) {
  const auto* from = Find(replacement);
  const auto* to = Find(target);
  if (!from || Refuses(*from) || (to && Refuses(*to)) ||
      (!to && !DirectoryExists(FolderOf(NormalPath(target))))) {
    throw InOutError(FormatText(texts::kUnableToWriteFile, target));
  }
  const auto content = from->content;
  nodes_.erase(NormalPath(replacement));
  // The target keeps its name, place in listings and attributes.
  (to ? nodes_[NormalPath(target)] : Create(target, false)).content = content;
}

bool MemoryFileSystem::CreateNewFile(const std::string& path, const std::string& bytes,
                                     Durability durability) {
  if (Find(path)) return false;
  if (!FolderTakesNewFiles(NormalPath(path))) {
    throw InOutError(FormatText(texts::kUnableToWriteFile, path));
  }
  Create(path, false).content = bytes;
  if (durability == Durability::kFlushed) {
    ++flushes_;
  } else {
    unflushed_ = true;
  }
  return true;
}

void MemoryFileSystem::FlushWritten(const std::function<void()>&) {
  if (std::exchange(unflushed_, false)) ++flushes_;
}

bool MemoryFileSystem::CanWriteIn(const std::string& folder) {
  return FolderTakesNewFiles(NormalPath(folder) + "\\");
}

void MemoryFileSystem::MakeDirectory(const std::string& path) {
  const auto* node = Find(path);
  if (node && !node->directory) throw InOutError(FormatText(texts::kUnableToWriteFile, path));
  if (!node) Create(path, true);
}

std::string MemoryFileSystem::DecodeAnsi(const std::string& bytes) const {
  // Windows-1252 where it differs from Latin-1 (0x80 to 0x9F); the five
  // bytes it leaves unassigned stand for themselves, as Windows maps them.
  static constexpr char16_t kHigh[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  std::u16string text;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    text += byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : static_cast<char16_t>(byte);
  }
  return Utf16ToUtf8(text);
}

void MemoryFileSystem::Store(const std::string& path, const std::string& content, bool append) {
  const auto fail = [&] { throw InOutError(FormatText(texts::kUnableToWriteFile, path)); };
  const auto normal = NormalPath(path);
  auto it = nodes_.find(normal);
  if (it == nodes_.end()) {
    if (!FolderTakesNewFiles(normal)) fail();
    Create(path, false).content = content;
    return;
  }
  auto& node = it->second;
  if (node.directory || (node.attributes & kReadOnly) || node.failure == Failure::kCannotOpen ||
      node.failure == Failure::kCannotWrite) {
    fail();
  }
  if (node.failure == Failure::kWriteCutShort) {
    node.content = (append ? node.content : std::string()) + content.substr(0, content.size() / 2);
    fail();
  }
  node.content = append ? node.content + content : content;
}

void MemoryFileSystem::WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  Store(path, JoinTextLines(lines), false);
  ++flushes_;
}

void MemoryFileSystem::AppendLine(const std::string& path, const std::string& line) {
  const auto* node = Find(path);
  const char last = node && !node->content.empty() ? node->content.back() : '\n';
  Store(path, MissingLineEnd(last) + JoinTextLines({line}), true);
}

std::string MemoryFileSystem::ProgramPath() const { return program_path_; }

void MemoryFileSystem::AddDirectory(const std::string& path, unsigned attributes) {
  if (!DirectoryExists(path)) Create(path, true);
  nodes_[NormalPath(path)].attributes = attributes;
}

void MemoryFileSystem::AddFile(const std::string& path, const std::string& content,
                               unsigned attributes) {
  auto& node = Find(path) ? nodes_[NormalPath(path)] : Create(path, false);
  node.content = content;
  node.attributes = attributes;
}

void MemoryFileSystem::SetFailure(const std::string& path, Failure failure) {
  const auto it = nodes_.find(NormalPath(path));
  if (it != nodes_.end()) it->second.failure = failure;
}

unsigned MemoryFileSystem::Attributes(const std::string& path) const {
  const auto* node = Find(path);
  return node ? node->attributes : 0;
}

std::vector<std::string> MemoryFileSystem::AllFiles() const {
  std::vector<std::string> paths;
  for (const auto& [path, node] : nodes_) {
    if (!node.directory) paths.push_back(path);
  }
  return paths;
}

std::string MemoryFileSystem::Content(const std::string& path) const {
  const auto* node = Find(path);
  return node ? node->content : std::string();
}

}  // namespace corvane
