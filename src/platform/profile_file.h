// The options file, reached the way Windows keeps private profiles: one
// section, keys with text values, every access opening the file afresh.
#pragma once

#include <string>

namespace corvane {

class ProfileFile {
 public:
  virtual ~ProfileFile() = default;
  // The key's text, or `fallback` when the key (or the file) is missing.
  virtual std::string Read(const std::string& key, const std::string& fallback) const = 0;
  // Writes the key; a failure raises InOutError ("Unable to write to <file>").
  virtual void Write(const std::string& key, const std::string& value) = 0;
};

}  // namespace corvane
