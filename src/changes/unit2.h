// The alert window: asks whether to keep a new or changed startup entry.
#pragma once

#include <string>

#include "changes/alert_view.h"
#include "platform/win32/framework/form.h"
#include "platform/win32/signature_worker.h"

namespace corvane {

class TForm2 : public AlertView {
 public:
  // The worker checks the program's signature while the alert is shown;
  // it outlives the window.
  TForm2(win32::Application& application, win32::SignatureWorker& signatures);
  ~TForm2();
  TForm2(const TForm2&) = delete;
  TForm2& operator=(const TForm2&) = delete;

  void SetFacts(const AlertFacts& facts) override;
  bool SameAnswerChecked() const override;
  bool DoNotAskEnabled() const override;
  bool DoNotAskChecked() const override;
  void ClearDoNotAsk() override;
  // kYes (BitBtn1, Enter), kNo (BitBtn2, Esc) or kNone (the close button).
  ModalResult ShowModal() override;

  HWND handle() const { return form_.handle(); }

 private:
  // One line of facts below the type: its caption and its text.
  struct Line {
    win32::Control& caption;
    win32::Control& text;
  };
  void ShowLine(const Line& line, int top, const char* caption, const std::string& text);
  // A command on up to three lines, its program's name always in view;
  // returns how much higher than one line it is.
  int ShowCommand(const Line& line, int top, const char* caption, const std::string& command);
  // The window's width for the texts it shows now; sizes the lines' texts to it.
  int FitWidth();
  // The Publisher line as the signature makes it.
  void ShowPublisher(const Signature& signature);
  void Button1Click();

  win32::Form form_;
  Line location_;
  Line first_command_;   // the command, or the old one of a changed entry
  Line second_command_;  // the new command of a changed entry
  Line publisher_;
  win32::Control& place_;        // "1 of 214"
  win32::Control& same_answer_;  // CheckBox2
  win32::SignatureWorker& signatures_;
  AlertFacts facts_;            // what Copy details copies
  std::string publisher_line_;  // as shown, for Copy details too
};

}  // namespace corvane
