#include "monitor/places_doc.h"

#include <vector>

#include "monitor/entry_kinds.h"
#include "monitor/startup_entry.h"
#include "texts.h"

namespace corvane {

namespace {

constexpr char kBegin[] = "<!-- places begin -->\n";
constexpr char kEnd[] = "<!-- places end -->";

const char* Caption(Area area) {
  switch (area) {
    case Area::kRegistryKeys:
      return texts::kMonitorRegistryKeys;
    case Area::kStartupFolders:
      return texts::kMonitorStartupFolders;
    case Area::kServices:
      return texts::kMonitorServices;
    case Area::kIniFiles:
      return texts::kMonitorIniFiles;
    case Area::kIeObjects:
      return texts::kMonitorIeObjects;
    case Area::kScheduledTasks:
      return texts::kMonitorScheduledTasks;
  }
  return "";
}

class Writer {
 public:
  explicit Writer(DocFormat format) : html_(format == DocFormat::kHtml) {}

  std::string Code(const std::string& text) const {
    if (!html_) return '`' + text + '`';
    std::string escaped;
    for (const char c : text) {
      if (c == '&')
        escaped += "&amp;";
      else if (c == '<')
        escaped += "&lt;";
      else if (c == '>')
        escaped += "&gt;";
      else
        escaped += c;
    }
    return "<code>" + escaped + "</code>";
  }

  void Area(const char* caption) {
    CloseArea();
    text_ += html_ ? std::string("<h3>") + caption +
                         "</h3>\n<table>\n  <tr><th>Places</th>"
                         "<th>No</th></tr>\n"
                   : std::string("- **") + caption + "**:\n";
    open_ = true;
  }

  void Row(const std::string& about, const std::vector<std::string>& places,
           const std::string& declined) {
    if (html_) {
      text_ += "  <tr><td>" + about + ":\n      <ul>\n";
      for (const auto& place : places) text_ += "        <li>" + place + "</li>\n";
      text_ += "      </ul></td>\n      <td>" + declined + "</td></tr>\n";
      return;
    }
    text_ += "  - " + about + ":\n";
    for (const auto& place : places) text_ += "    - " + place + "\n";
    text_ += "    No: " + declined + "\n";
  }

  std::string Take() {
    CloseArea();
    return text_;
  }

 private:
  void CloseArea() {
    if (open_ && html_) text_ += "</table>\n";
    open_ = false;
  }

  bool html_;
  bool open_ = false;
  std::string text_;
};

std::string RootName(char root_code) {
  return root_code == kLocalMachineRootCode ? texts::kLocalMachineRootName
                                            : texts::kCurrentUserRootName;
}

// Only a mask other than every file is named.
std::string MaskText(const FolderPlace& folder) {
  return std::string(folder.mask) == "*.*" ? "" : std::string("\\") + folder.mask;
}

std::string FolderText(const FolderPlace& folder, const Writer& out) {
  switch (folder.base) {
    case FolderBase::kWindows:
      return out.Code(std::string("%windir%") + folder.searched + MaskText(folder));
    case FolderBase::kAllUsersProfile:
      return out.Code(std::string("%ALLUSERSPROFILE%") + folder.searched);
    case FolderBase::kUserProfile:
      return out.Code(std::string("%USERPROFILE%") + folder.searched);
    case FolderBase::kAdministrator:
      return "the Administrator profile's " + out.Code(folder.searched + 1);
    case FolderBase::kShellStartup:
      return "the user's Startup folder as the shell names it, usually " +
             out.Code("%APPDATA%\\Microsoft\\Windows\\Start Menu\\Programs\\Startup");
    case FolderBase::kShellCommonStartup:
      return "all users' Startup folder as the shell names it, usually " +
             out.Code("%ProgramData%\\Microsoft\\Windows\\Start Menu\\Programs\\Startup");
    case FolderBase::kShellDocuments:
      return "the user's Documents folder's " +
             out.Code(std::string(folder.searched + 1) + MaskText(folder));
    case FolderBase::kProgramFiles:
      return out.Code(std::string("%ProgramFiles%") + folder.searched + MaskText(folder));
  }
  return "";
}

std::string SubkeyNames(const EntryKind& kind, const Writer& out) {
  std::string names;
  for (const char* name : kind.only_subkeys) names += (names.empty() ? "" : ", ") + out.Code(name);
  return names;
}

std::vector<std::string> Places(const EntryKind& kind, const Writer& out) {
  std::vector<std::string> places;
  for (const auto& key : kind.keys) {
    auto text = out.Code(RootName(key.root_code) + key.key);
    std::string names;
    for (const auto& value : key.values) {
      names += (names.empty() ? "" : " and ") +
               (*value.name == '\0' ? std::string("the default value") : out.Code(value.name));
    }
    if (kind.reads == Reads::kSubkeyValues)
      text = names + " of every subkey of " + text;
    else if (kind.reads == Reads::kSubkeyValueNames)
      text = "every value of every subkey of " + text;
    else if (!kind.only_subkeys.empty())
      text = "the subkeys " + SubkeyNames(kind, out) + " of " + text;
    else if (!names.empty())
      text = names + " under " + text;
    else if (kind.reads == Reads::kSubkeys)
      text = "the subkeys of " + text;
    if (key.views == Views::kBoth) text += ", in both registry views";
    places.push_back(text);
  }
  for (const auto& folder : kind.folders) places.push_back(FolderText(folder, out));
  for (const auto& line : kind.ini_lines) {
    places.push_back("the " + out.Code(line.key) + " lines of " + out.Code(line.file));
  }
  if (kind.reads == Reads::kLibrary) {
    places.push_back(kind.library == Library::kTasks
                         ? "the Task Scheduler library"
                         : "the permanent event subscriptions of WMI's " +
                               out.Code("root\\subscription") + " namespace");
  }
  return places;
}

std::string Declined(const EntryKind& kind, const Writer& out) {
  switch (kind.removal) {
    case Removal::kDeleteValue: {
      std::string text = "the value is deleted.";
      for (const auto& key : kind.keys) {
        for (const auto& value : key.values) {
          if (value.windows_default == nullptr) continue;
          const std::string folder = value.default_in_windows_folder ? "%windir%" : "";
          text += " Windows needs " + out.Code(value.name) + " under " +
                  out.Code(RootName(key.root_code)) + ": its default " +
                  out.Code(folder + value.windows_default) + " is written back instead.";
        }
      }
      return text;
    }
    case Removal::kCutListItem:
      return "the item is cut out of its value; the other items stay.";
    case Removal::kEmptyValue:
      return "the value is emptied.";
    case Removal::kDisableService:
      return "its start is set to disabled (" + std::to_string(kind.disabled_number) +
             "); the service itself stays.";
    case Removal::kDeleteKeyTree:
      return "the key is deleted with everything below it.";
    case Removal::kMoveFile:
      return "the file is moved into Corvane's " + out.Code(texts::kRemovedFolder) +
             " folder (a shortcut itself, never the program it points to).";
    case Removal::kCutIniValue:
      return "the value is cut out of that line only; the line keeps its name and its " +
             out.Code("=") + ", and every other byte stays as it was.";
    case Removal::kDeleteFromLibrary:
      return kind.library == Library::kTasks
                 ? "the task is deleted."
                 : "the binding is deleted, and its consumer and its filter where no other "
                   "binding uses them.";
  }
  return "";
}

}  // namespace

std::string WatchedPlacesDoc(DocFormat format) {
  Writer out(format);
  const Area* area = nullptr;
  for (const auto& kind : EntryKinds()) {
    if (area == nullptr || *area != kind.area) out.Area(Caption(kind.area));
    area = &kind.area;
    std::string about = kind.about;
    if (kind.command_can_change && kind.asked_when_new && !kind.tracks_content) {
      about += "; a changed command is asked about, and No writes the earlier one back";
    }
    if (kind.ask_one_by_one) {
      about += "; Windows may not start or work without them, so each is asked about on its own";
    }
    // A row that is asked only about a change undoes the change.
    out.Row(about, Places(kind, out),
            kind.asked_when_new ? Declined(kind, out) : "the state it had before is written back.");
  }
  return out.Take();
}

std::string WithPlacesDoc(const std::string& document, const std::string& list) {
  const auto begin = document.find(kBegin);
  const auto end = document.find(kEnd);
  if (begin == std::string::npos || end == std::string::npos || end < begin) return document;
  const auto from = begin + std::string(kBegin).size();
  return document.substr(0, from) + list + document.substr(end);
}

}  // namespace corvane
