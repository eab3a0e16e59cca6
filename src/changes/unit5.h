// The window of removed entries: the removals that can be put back, newest
// first; puts the selected one back or forgets its backup.
#pragma once

#include <vector>

#include "changes/removed_entries.h"
#include "platform/user_interface.h"
#include "platform/win32/framework/form.h"

namespace corvane {

class TForm5 {
 public:
  TForm5(win32::Application& application, RemovedEntries& entries, MessageBoxes& boxes);

  // Until Close (kCancel), Esc (kCancel) or the close button (kNone).
  ModalResult ShowModal() { return form_.ShowModal(); }
  HWND handle() const { return form_.handle(); }

  // Every time the window becomes active: the list anew, the selected
  // entry still selected while it is there.
  void FormActivate();
  // Put back: the selected entry; says why when it could not.
  void BitBtn1Click();
  // Forget: drops the selected entry's backup once the user agrees.
  void BitBtn2Click();
  // Put back and Forget only while a row is selected; below the list the
  // selected entry's location and command whole, or that the list is empty.
  void ListView1Select();

 private:
  // The selected entry, or null when none is selected.
  const RemovedEntry* Selected() const;
  void Reload();

  win32::Application& application_;
  win32::Form form_;
  win32::Control& list_;
  win32::Control& location_;
  win32::Control& command_;
  win32::Control& put_back_;
  win32::Control& forget_;
  RemovedEntries& entries_;
  MessageBoxes& boxes_;
  std::vector<RemovedEntry> shown_;  // as the list shows them, row by row
};

}  // namespace corvane
