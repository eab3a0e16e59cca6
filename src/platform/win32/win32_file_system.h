// Files and folders on the Windows machine Corvane runs on.
#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace corvane {

class Win32FileSystem : public FileSystem {
 public:
  bool DirectoryExists(const std::string& path) const override;
  bool FileExists(const std::string& path) const override;
  bool NameTaken(const std::string& path) const override;
  std::vector<FoundFile> ListFiles(const std::string& pattern) const override;
  bool RemoveFile(const std::string& path) override;
  void MoveFileTo(const std::string& from, const std::string& to) override;
  std::string ReadAll(const std::string& path) const override;
  void WriteLines(const std::string& path, const std::vector<std::string>& lines) override;
  void AppendLine(const std::string& path, const std::string& line) override;
  void PutInPlaceOf(const std::string& replacement, const std::string& target) override;
  void FlushWritten(const std::function<void()>& meanwhile) override;
  bool CanWriteIn(const std::string& folder) override;
  void MakeDirectory(const std::string& path) override;
  std::string DecodeAnsi(const std::string& bytes) const override;
  std::string ProgramPath() const override;

 protected:
  bool CreateNewFile(const std::string& path, const std::string& bytes,
                     Durability durability) override;

 private:
  std::vector<std::string> unflushed_;  // written with kFlushLater, for FlushWritten
};

}  // namespace corvane
