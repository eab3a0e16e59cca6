// The alert window: asks whether to keep a new or changed startup entry.
#pragma once

#include <string>

#include "changes/alert_view.h"
#include "platform/win32/framework/form.h"

namespace corvane {

class TForm2 : public AlertView {
 public:
  explicit TForm2(win32::Application& application);

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
  // The window's width for the texts it shows now; lays out what depends on it.
  int FitWidth(int buttons_top);
  void Button1Click();

  win32::Form form_;
  Line location_;
  Line first_command_;   // the command, or the old one of a changed entry
  Line second_command_;  // the new command of a changed entry
  Line publisher_;
  win32::Control& place_;        // "1 of 214"
  win32::Control& same_answer_;  // CheckBox2
  AlertFacts facts_;             // what Copy details copies
};

}  // namespace corvane
