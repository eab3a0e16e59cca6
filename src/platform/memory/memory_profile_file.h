// Options files for the host build: keys in memory per file, with files and
// keys whose writes can be made to fail.
#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/errors.h"
#include "platform/memory/case_fold.h"
#include "platform/profile_file.h"
#include "texts.h"

namespace corvane {

class MemoryProfileFile : public ProfileFile {
 public:
  using Keys = std::map<std::string, std::string>;

  std::string Read(const std::string& path, const std::string& key,
                   const std::string& fallback) const override {
    const auto file = files.find(FoldCase(path));
    if (file == files.end()) return fallback;
    const auto it = file->second.find(key);
    return it == file->second.end() ? fallback : it->second;
  }

  void Write(const std::string& path, const std::string& key, const std::string& value) override {
    if (key == failing_key || refusing.count(FoldCase(path)) != 0) {
      throw InOutError(FormatText(texts::kUnableToWriteFile, path));
    }
    files[FoldCase(path)][key] = value;
  }

  Keys& Of(const std::string& path) { return files[FoldCase(path)]; }
  bool Exists(const std::string& path) const { return files.count(FoldCase(path)) != 0; }
  void RefuseWriting(const std::string& path) { refusing.insert(FoldCase(path)); }

  std::map<std::string, Keys> files;  // by folded path
  std::set<std::string> refusing;     // folded paths that cannot be written
  std::string failing_key = "\x01";   // no key by default
};

}  // namespace corvane
