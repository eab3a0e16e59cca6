// The Startup entries window: everything that starts on this PC now, one
// row per entry of every place, with its publisher, its verified signature,
// its state and when Corvane first saw it; search, hide Windows' own
// entries, sort by any column, and act on the selected rows. The list is
// virtual and the slow facts come in while it is shown, so that a window
// of thousands of entries opens at once and never stops answering.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "changes/startup_entries.h"
#include "changes/unit5.h"
#include "platform/user_interface.h"
#include "platform/win32/framework/form.h"
#include "platform/win32/signature_worker.h"

namespace corvane {

class TForm6 {
 public:
  TForm6(win32::Application& application, StartupEntries& entries,
         win32::SignatureWorker& signatures, TForm5& removed_entries, MessageBoxes& boxes);
  ~TForm6();
  TForm6(const TForm6&) = delete;
  TForm6& operator=(const TForm6&) = delete;

  // Lists what starts now, then shows the window until Close, Esc or the
  // close button.
  ModalResult ShowModal();
  HWND handle() const { return form_.handle(); }

  // A scan of every place anew; the selected entries stay selected.
  void Reload();
  void Edit1Change();      // the search
  void CheckBox1Click();   // Hide Windows' own entries
  void ListView1Select();  // the buttons follow the selected rows
  void BitBtn1Click();     // Disable
  void BitBtn2Click();     // Enable
  void BitBtn3Click();     // Remove
  void BitBtn4Click();     // Removed entries...
  void BitBtn5Click();     // Export...
  void OpenFileLocation();
  void SearchOnline();
  void CopyDetails();
  void ShowProperties();

 private:
  void ConnectHandlers();
  // The rows shown anew by the search, the box and the order.
  void Refilter();
  void ShowStatus();
  std::vector<StartupRow*> Selected();
  void SelectEntries(const std::vector<std::string>& entries);
  void SetSwitches(bool enabled);
  // Some of the slow facts, for a few milliseconds; true while more wait.
  bool AddSomeFacts();
  void TakeSignatures();
  void SortBy(int column);
  void ShowContextMenu(LPARAM at);
  // The row the list view asks about, as text.
  void FillCell(NMLVDISPINFOW& info);
  void FormResize(int client_width, int client_height);
  StartupRow* FirstSelectedWithProgram();

  win32::Application& application_;
  win32::Form form_;
  win32::Control& search_;
  win32::Control& hide_own_;
  win32::Control& list_;
  win32::Control& status_;
  win32::Control& disable_;
  win32::Control& enable_;
  win32::Control& remove_;
  win32::Control& removed_;
  win32::Control& export_;
  win32::Control& close_;
  StartupEntries& entries_;
  win32::SignatureWorker& signatures_;
  TForm5& removed_entries_;
  MessageBoxes& boxes_;

  std::vector<StartupRow> rows_;
  std::vector<std::size_t> shown_;  // indexes into rows_, in the order shown
  std::size_t facts_done_ = 0;      // rows_ before this have their slow facts
  std::size_t windows_own_ = 0;     // rows known to be Windows' own
  std::size_t unchecked_ = 0;       // rows whose program's signature is not known yet
  RowOrder order_;
  std::string action_status_;  // what the last action did, before the count
};

}  // namespace corvane
