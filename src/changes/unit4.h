// The log viewer: the activity log, read-only.
#pragma once

#include "changes/data_files.h"
#include "platform/file_system.h"
#include "platform/win32/framework/form.h"

namespace corvane {

class TForm4 {
 public:
  TForm4(win32::Application& application, const FileSystem& files, const DataFiles& data);

  // Until Close (kCancel), Esc (kCancel) or the close button (kNone).
  ModalResult ShowModal() { return form_.ShowModal(); }
  HWND handle() const { return form_.handle(); }

  // Every time the window becomes active: Memo1 anew from the log.
  void FormActivate();

 private:
  win32::Form form_;
  const FileSystem& files_;
  const DataFiles& data_;
};

}  // namespace corvane
