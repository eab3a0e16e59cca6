// Files as the logic needs them. Paths are Windows paths (backslashes, no
// case distinction); every text file is opened, used and closed in one call.
#pragma once

#include <string>
#include <vector>

namespace corvane {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual bool DirectoryExists(const std::string& path) const = 0;

  // True for an existing file; false for a directory or nothing.
  virtual bool FileExists(const std::string& path) const = 0;

  // Names (without folder) of the ordinary files that match the pattern
  // (a folder, a backslash and a wildcard name such as "*.*"), in the order
  // the file system lists them. Entries that are hidden, system, directories
  // or volume labels are left out; read-only and archived files are listed.
  // A missing folder gives an empty list.
  virtual std::vector<std::string> FindFiles(const std::string& pattern) const = 0;

  // True when the file no longer exists after this call (also when it never did).
  virtual bool RemoveFile(const std::string& path) = 0;

  // The file's bytes. Raises InOutError when it cannot be opened or read.
  virtual std::string ReadAll(const std::string& path) const = 0;

  // The file's lines by the platform's text rules: a line ends at LF, CR is
  // not part of a line, Ctrl-Z ends the file. Raises InOutError when the file
  // cannot be opened or read.
  virtual std::vector<std::string> ReadLines(const std::string& path) const = 0;

  // Creates or overwrites the file with the lines, each ended by CR LF.
  // Raises InOutError on any failure.
  virtual void WriteLines(const std::string& path, const std::vector<std::string>& lines) = 0;

  // Appends one line and CR LF to the file, creating it when it is missing.
  // Raises InOutError on any failure.
  virtual void AppendLine(const std::string& path, const std::string& line) = 0;

  // Puts `replacement` in the place of `target` in one step, so that the
  // target is always either the old file or the whole new one. Raises
  // InOutError when it cannot; both files then stay as they were.
  virtual void PutInPlaceOf(const std::string& replacement, const std::string& target) = 0;

  // The running program's full path, as the process reports its module name.
  virtual std::string ProgramPath() const = 0;

  // The running program's directory with its trailing backslash.
  std::string ProgramDirectory() const;
};

// Splits raw file bytes into lines by the rules of ReadLines.
std::vector<std::string> SplitTextLines(const std::string& bytes);

// Joins lines into file bytes, each line ended by CR LF.
std::string JoinTextLines(const std::vector<std::string>& lines);

}  // namespace corvane
