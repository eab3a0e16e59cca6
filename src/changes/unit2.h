// The alert window: asks whether to keep a new startup entry.
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
  win32::Form form_;
};

}  // namespace corvane
