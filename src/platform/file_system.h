// Files as the logic needs them. Paths are Windows paths in UTF-8 (backslashes,
// no case distinction, any length); every file is opened, used and closed in
// one call.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace corvane {

// Whether a new file is flushed as it is written, or later together with
// others (FileSystem::FlushWritten).
enum class Durability { kFlushed, kFlushLater };

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual bool DirectoryExists(const std::string& path) const = 0;

  // True for an existing file (a symbolic link counts as itself, even when
  // what it points to is gone); false for a directory or nothing.
  virtual bool FileExists(const std::string& path) const = 0;

  // Whether anything has the name, as Windows would see it when a file is
  // made there: a file, a folder, or a link, also one whose target is gone.
  virtual bool NameTaken(const std::string& path) const = 0;

  struct FoundFile {
    std::string name;   // without folder
    std::string stamp;  // differs whenever the file was written: its size and time
  };

  // The ordinary files that match the pattern (a folder, a backslash and a
  // wildcard name such as "*.*"), in the order the file system lists them.
  // Entries that are hidden, system, directories or volume labels are left
  // out; read-only and archived files are listed. A missing folder gives an
  // empty list.
  virtual std::vector<FoundFile> ListFiles(const std::string& pattern) const = 0;

  // The names of the files ListFiles finds.
  std::vector<std::string> FindFiles(const std::string& pattern) const;

  // Deletes the file; a symbolic link goes itself, never what it points to.
  // True when the file no longer exists after this call (also when it never did).
  virtual bool RemoveFile(const std::string& path) = 0;

  // Moves the file (a link itself) to `to`, a name no file or link has,
  // also to another drive. Raises InOutError when it cannot; the file then
  // stays where it was.
  virtual void MoveFileTo(const std::string& from, const std::string& to) = 0;

  // The file's bytes. Raises InOutError when it cannot be opened or read.
  virtual std::string ReadAll(const std::string& path) const = 0;

  // Creates or overwrites the file with the lines, each ended by CR LF.
  // Raises InOutError on any failure.
  virtual void WriteLines(const std::string& path, const std::vector<std::string>& lines) = 0;

  // Appends one line and CR LF to the file, creating it when it is missing.
  // When the file's last line lacks its line end, that end goes first (CR LF,
  // or LF after a final CR), so the new line never joins the last one and no
  // empty line comes between. Raises InOutError on any failure.
  virtual void AppendLine(const std::string& path, const std::string& line) = 0;

  // Makes a file that did not exist, with the bytes, written whole and
  // flushed: at `wanted_path`, or, when a file or link of that name is
  // there, at the first free name with a number before its extension
  // (win.ini.cv, win.ini.2.cv, win.ini.3.cv...). Never writes through a
  // file it did not create. Returns the path made; raises InOutError when
  // it cannot, leaving nothing behind. With kFlushLater the file is there
  // by name once this returns, and lasts a power cut once FlushWritten has
  // run: many files written in one go then cost one flush, not one each.
  std::string WriteNewFile(const std::string& wanted_path, const std::string& bytes,
                           Durability durability = Durability::kFlushed);

  // Flushes every file written with kFlushLater since the last call, all in
  // one go, and forgets them; `meanwhile` runs every few milliseconds while
  // that takes time. A file that is gone by now, or cannot be flushed, stays
  // as it was written.
  virtual void FlushWritten(const std::function<void()>& meanwhile) = 0;

  // Replaces the file's bytes whole (or makes it): a copy written beside
  // it, under the path with `copy_suffix` added and a free name, is put in
  // its place in one step; the copy goes again when that fails. Raises
  // InOutError when it cannot, with the file as it was.
  void ReplaceWhole(const std::string& path, const std::string& bytes,
                    const std::string& copy_suffix);

  // Puts `replacement` in the place of `target` in one step, so that the
  // target is always either the old file or the whole new one, and the new
  // one keeps the old one's attributes. A read-only target is not replaced.
  // Raises InOutError when it cannot; both files then stay as they were.
  virtual void PutInPlaceOf(const std::string& replacement, const std::string& target) = 0;

  // Whether this account may create files in the folder (tried, not guessed).
  virtual bool CanWriteIn(const std::string& folder) = 0;

  // Makes the folder (and the folders above it) unless it is there. Raises
  // InOutError when it cannot.
  virtual void MakeDirectory(const std::string& path) = 0;

  // Text of a file written in the system's ANSI code page, as UTF-8.
  virtual std::string DecodeAnsi(const std::string& bytes) const = 0;

  // The running program's full path, as the process reports its module name.
  virtual std::string ProgramPath() const = 0;

  // The running program's directory with its trailing backslash.
  std::string ProgramDirectory() const;

 protected:
  // Makes the file only if no file or link of that name exists, writes the
  // bytes and flushes them (or keeps the file for FlushWritten). False when
  // the name is taken; raises InOutError on any other failure, after
  // deleting what it made.
  virtual bool CreateNewFile(const std::string& path, const std::string& bytes,
                             Durability durability) = 0;
};

// Splits raw file bytes into lines: a line ends at LF, CR is not part of a
// line, Ctrl-Z ends the file.
std::vector<std::string> SplitTextLines(const std::string& bytes);

// What a file whose last byte is `last` lacks before a line is appended: ""
// after LF (or for an empty file, given as LF), LF after CR, else CR LF.
const char* MissingLineEnd(char last);

// Joins lines into file bytes, each line ended by CR LF.
std::string JoinTextLines(const std::vector<std::string>& lines);

// One line of a file the program reads as text (the blacklist, the log):
// as it is when it is valid UTF-8, else decoded from the ANSI code page, so
// a list typed in an older editor still reads right, also after the program
// has added lines of its own in UTF-8.
std::string DecodeText(const FileSystem& files, const std::string& line);

// The text file's lines (see SplitTextLines), each decoded by DecodeText.
// Raises InOutError when the file cannot be read.
std::vector<std::string> ReadTextLines(const FileSystem& files, const std::string& path);

}  // namespace corvane
