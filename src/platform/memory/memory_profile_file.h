// The options file for the host build: keys in memory, with a key whose
// write can be made to fail.
#pragma once

#include <map>
#include <string>

#include "platform/errors.h"
#include "platform/profile_file.h"
#include "texts.h"

namespace corvane {

class MemoryProfileFile : public ProfileFile {
 public:
  std::string Read(const std::string& key, const std::string& fallback) const override {
    const auto it = values.find(key);
    return it == values.end() ? fallback : it->second;
  }

  void Write(const std::string& key, const std::string& value) override {
    if (key == failing_key) throw InOutError(FormatText(texts::kUnableToWriteFile, texts::kOptionsFile));
    values[key] = value;
  }

  std::map<std::string, std::string> values;
  std::string failing_key = "\x01";  // no key by default
};

}  // namespace corvane
