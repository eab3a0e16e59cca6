#include "platform/win32/framework/form_timer.h"

#include <utility>

namespace corvane::win32 {

FormTimer::FormTimer(Form& form, UINT_PTR id, unsigned interval_ms, std::function<void()> tick)
    : form_(form), id_(id), interval_ms_(interval_ms) {
  form.OnMessage(WM_TIMER, [this, tick = std::move(tick)](WPARAM wparam, LPARAM, LRESULT& result) {
    if (wparam != id_) return false;
    // A tick that was already queued when the timer stopped is dropped.
    if (running_) tick();
    result = 0;
    return true;
  });
  Start();
}

FormTimer::~FormTimer() { Stop(); }

void FormTimer::Stop() {
  if (running_) KillTimer(form_.handle(), id_);
  running_ = false;
}

void FormTimer::Start() {
  if (!running_) running_ = SetTimer(form_.handle(), id_, interval_ms_, nullptr) != 0;
}

}  // namespace corvane::win32
