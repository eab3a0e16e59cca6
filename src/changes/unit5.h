// The window of removed entries: the removals that can be put back, newest
// first; puts the selected ones back or forgets their backups. It can be
// made larger: the list grows, the buttons and the lines below it follow.
#pragma once

#include <string>
#include <vector>

#include "changes/removed_entries.h"
#include "platform/user_interface.h"
#include "platform/win32/framework/form.h"

namespace corvane {

class TForm5 {
 public:
  TForm5(win32::Application& application, RemovedEntries& entries, MessageBoxes& boxes);

  // Until Close (kCancel), Esc (kCancel) or the close button (kNone); the
  // status line of an earlier opening is gone.
  ModalResult ShowModal() {
    status_.SetText("");
    return form_.ShowModal();
  }
  HWND handle() const { return form_.handle(); }

  // Every time the window becomes active: the list anew, the selected
  // entries still selected while they are there.
  void FormActivate();
  // Put back: the selected entries; the line below the list says how many
  // came back, and a warning why the others did not.
  void BitBtn1Click();
  // Forget: drops the selected entries' backups once the user agrees.
  void BitBtn2Click();
  // Put back and Forget only while a row is selected; below the list the
  // first selected entry's location and command whole, or that the list is
  // empty.
  void ListView1Select();
  // The list takes the room the window grew by, the rest keeps its place
  // at the bottom right.
  void FormResize(int client_width, int client_height);

 private:
  // The selected entries, in the list's order.
  std::vector<const RemovedEntry*> Selected() const;
  void Reload();

  win32::Application& application_;
  win32::Form form_;
  win32::Control& list_;
  win32::Control& location_;
  win32::Control& command_;
  win32::Control& status_;
  win32::Control& put_back_;
  win32::Control& forget_;
  win32::Control& close_;
  RemovedEntries& entries_;
  MessageBoxes& boxes_;
  std::vector<RemovedEntry> shown_;  // as the list shows them, row by row
};

}  // namespace corvane
