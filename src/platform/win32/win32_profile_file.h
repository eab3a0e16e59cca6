// The options file through the Windows private-profile functions. The bare
// file name makes Windows keep it in the Windows directory.
#pragma once

#include <string>

#include "platform/profile_file.h"

namespace corvane {

class Win32ProfileFile : public ProfileFile {
 public:
  std::string Read(const std::string& path, const std::string& key,
                   const std::string& fallback) const override;
  void Write(const std::string& path, const std::string& key, const std::string& value) override;
};

}  // namespace corvane
