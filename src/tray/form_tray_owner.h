// The tray component's owner made of a toolkit form and the application.
// The toolkit's message loop never shows a form by itself, so the "show the
// main form at start" request is only kept here: the program start reads
// ShowMainForm() before it runs the message loop.
#pragma once

#include "platform/win32/framework/application.h"
#include "platform/win32/framework/form.h"
#include "tray/tray_owner.h"

namespace corvane {

class FormTrayOwner : public TrayOwner {
 public:
  FormTrayOwner(win32::Application& application, win32::Form& form)
      : application_(application), form_(form) {}

  HWND Handle() override { return form_.handle(); }
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override;
  HWND ApplicationWindow() const override { return application_.handle(); }
  void TerminateApplication() override { application_.Terminate(); }
  void SetShowMainForm(bool show) override { show_main_form_ = show; }
  void RunHandler(const std::function<void()>& handler) override { application_.Guarded(handler); }

  bool ShowMainForm() const { return show_main_form_; }

 private:
  win32::Application& application_;
  win32::Form& form_;
  bool visible_ = false;  // a form is made hidden
  bool show_main_form_ = true;
};

}  // namespace corvane
