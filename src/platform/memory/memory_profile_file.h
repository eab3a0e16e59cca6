// Options files for the host build: keys in memory per file, with files and
// keys whose writes can be made to fail. Given the in-memory file system, a
// written file shows there too, and a file whose folder is missing cannot be
// written, as on Windows.
#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/errors.h"
#include "platform/case_fold.h"
#include "platform/memory/memory_file_system.h"
#include "platform/profile_file.h"
#include "texts.h"

namespace corvane {

class MemoryProfileFile : public ProfileFile {
 public:
  using Keys = std::map<std::string, std::string>;

  explicit MemoryProfileFile(MemoryFileSystem* files = nullptr) : files_(files) {}

  std::string Read(const std::string& path, const std::string& key,
                   const std::string& fallback) const override {
    const auto file = files.find(FoldCase(path));
    if (file == files.end()) return fallback;
    const auto it = file->second.find(key);
    return it == file->second.end() ? fallback : it->second;
  }

  void Write(const std::string& path, const std::string& key, const std::string& value) override {
    const bool folder_missing =
        files_ && !files_->DirectoryExists(path.substr(0, path.rfind('\\')));
    if (key == failing_key || refusing.count(FoldCase(path)) != 0 || folder_missing) {
      throw InOutError(FormatText(texts::kUnableToWriteFile, path));
    }
    files[FoldCase(path)][key] = value;
    if (files_ && !files_->FileExists(path)) files_->AddFile(path);
  }

  Keys& Of(const std::string& path) { return files[FoldCase(path)]; }
  bool Exists(const std::string& path) const { return files.count(FoldCase(path)) != 0; }
  void RefuseWriting(const std::string& path) { refusing.insert(FoldCase(path)); }

  std::map<std::string, Keys> files;  // by folded path
  std::set<std::string> refusing;     // folded paths that cannot be written
  std::string failing_key = "\x01";   // no key by default

 private:
  MemoryFileSystem* files_;
};

}  // namespace corvane
