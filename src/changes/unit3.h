// The blacklist editor: shows the blacklist's lines, deletes the selected
// one, and saves the list.
#pragma once

#include "changes/data_files.h"
#include "platform/file_system.h"
#include "platform/user_interface.h"
#include "platform/win32/framework/form.h"

namespace corvane {

class TForm3 {
 public:
  TForm3(win32::Application& application, FileSystem& files, const DataFiles& data,
         MessageBoxes& boxes);

  // Until Save (kOk), Cancel (kCancel), Esc (kCancel) or the close button (kNone).
  ModalResult ShowModal() { return form_.ShowModal(); }
  HWND handle() const { return form_.handle(); }

  // Every time the window becomes active: ListBox1 anew from the file.
  void FormActivate();
  // Save: writes the list, confirms, closes; a list that could not be
  // written goes to the error box instead, and the editor stays open.
  void BitBtn1Click();
  // Delete: drops the selected item from the list, not from the file.
  void BitBtn3Click();

 private:
  win32::Form form_;
  FileSystem& files_;
  const DataFiles& data_;
  MessageBoxes& boxes_;
};

}  // namespace corvane
