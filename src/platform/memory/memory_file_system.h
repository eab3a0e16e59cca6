// An in-memory file system for the host build: Windows paths without letter
// case, file attributes, and injected failures (a file that cannot be
// opened, read or written), so that the logic's file handling can be tested.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace corvane {

class MemoryFileSystem : public FileSystem {
 public:
  enum Attribute : unsigned {
    kNormal = 0,
    kReadOnly = 1,
    kHidden = 2,
    kSystem = 4,
  };
  // kWriteCutShort: a write stops halfway and fails, as on a full disk.
  // kUnreachable: listed, but no call reaches it by its path, as Windows a
  // name ending in a dot by its plain path.
  enum class Failure {
    kNone,
    kCannotOpen,
    kCannotRead,
    kCannotWrite,
    kWriteCutShort,
    kUnreachable
  };

  explicit MemoryFileSystem(std::string program_path = "C:\\Program Files\\Corvane\\corvane.exe");

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
  // Windows-1252, the ANSI code page of western systems.
  std::string DecodeAnsi(const std::string& bytes) const override;
  std::string ProgramPath() const override;

  // Set-up and inspection for tests; missing parent folders are made.
  void AddDirectory(const std::string& path, unsigned attributes = kNormal);
  void AddFile(const std::string& path, const std::string& content = {},
               unsigned attributes = kNormal);
  // A folder that fails kCannotWrite takes no new files.
  void SetFailure(const std::string& path, Failure failure);
  std::string Content(const std::string& path) const;  // "" when missing
  unsigned Attributes(const std::string& path) const;  // 0 when missing
  std::size_t FilesRead() const { return files_read_; }  // ReadAll calls so far
  std::vector<std::string> AllFiles() const;             // folded paths, every folder
  // The flushes made so far, as Windows would make them: one for each file
  // written flushed, one for each FlushWritten that had files to flush.
  int Flushes() const { return flushes_; }

 protected:
  bool CreateNewFile(const std::string& path, const std::string& bytes,
                     Durability durability) override;

 private:
  mutable std::size_t files_read_ = 0;
  struct Node {
    std::string name;    // as created, without folder
    std::string parent;  // folded path of the folder
    bool directory = false;
    unsigned attributes = kNormal;
    std::string content;
    Failure failure = Failure::kNone;
    unsigned long order = 0;  // creation order, the order of listings
  };

  const Node* Find(const std::string& path) const;
  Node& Create(const std::string& path, bool directory);
  void Store(const std::string& path, const std::string& content, bool append);
  bool Refuses(const Node& node) const;
  bool FolderTakesNewFiles(const std::string& normal_path) const;

  std::string program_path_;
  std::map<std::string, Node> nodes_;  // by folded path without trailing backslash
  unsigned long next_order_ = 0;
  int flushes_ = 0;
  bool unflushed_ = false;  // files wait for FlushWritten
};

}  // namespace corvane
