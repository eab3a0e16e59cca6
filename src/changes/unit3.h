// The blacklist editor: shows the blacklist's lines, with the date of its
// last match after a name matched in the last 30 days; deletes the selected
// line, adds a typed name, and saves the list.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "changes/data_files.h"
#include "platform/file_system.h"
#include "platform/user_interface.h"
#include "platform/win32/framework/form.h"

namespace corvane {

// The local clock, for an editor that is given none.
const Clock& LocalClock();

class TForm3 {
 public:
  TForm3(win32::Application& application, FileSystem& files, const DataFiles& data,
         MessageBoxes& boxes, const Clock& clock = LocalClock());

  // Until Save (kOk), Cancel (kCancel), Esc (kCancel) or the close button (kNone).
  ModalResult ShowModal() { return form_.ShowModal(); }
  HWND handle() const { return form_.handle(); }

  // Every time the window becomes active: the list and its matches anew
  // from the files.
  void FormActivate();
  // Save: writes the list, confirms, closes; a list that could not be
  // written goes to the error box instead, and the editor stays open.
  void BitBtn1Click();
  // Delete: drops the selected item from the list, not from the file.
  void BitBtn3Click();
  // Add (also Enter in the box): appends the name typed in Edit1 to the
  // list, not to the file, selects it and empties the box. An empty name or
  // one the list already holds adds nothing.
  void BitBtn4Click();

 private:
  void ShowItems();

  win32::Form form_;
  FileSystem& files_;
  const DataFiles& data_;
  MessageBoxes& boxes_;
  const Clock& clock_;
  std::vector<std::string> items_;             // the lines as Save writes them
  std::map<std::string, std::string> matched_;  // name: date of its last match
};

}  // namespace corvane
