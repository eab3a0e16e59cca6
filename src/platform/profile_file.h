// Options files, reached the way Windows keeps private profiles: one section,
// keys with text values, every access opening the file afresh.
#pragma once

#include <string>

namespace corvane {

class ProfileFile {
 public:
  virtual ~ProfileFile() = default;
  // The key's text in the file at `path`, or `fallback` when the key (or the
  // file) is missing.
  virtual std::string Read(const std::string& path, const std::string& key,
                           const std::string& fallback) const = 0;
  // Writes the key, creating the file when needed; a failure raises
  // InOutError ("Unable to write to <path>").
  virtual void Write(const std::string& path, const std::string& key, const std::string& value) = 0;
};

}  // namespace corvane
