#include "platform/win32/framework/form_timer.h"

#include <utility>

namespace corvane::win32 {

FormTimer::FormTimer(Form& form, UINT_PTR id, unsigned interval_ms, std::function<void()> tick)
    : form_(form), id_(id), interval_ms_(interval_ms) {
  form.OnMessage(WM_TIMER, [this, tick = std::move(tick)](WPARAM wparam, LPARAM, LRESULT& result) {
    if (wparam != id_) return false;
    // A tick that was already queued when the timer stopped is dropped.
    if (ticking_) tick();
    result = 0;
    return true;
  });
  Start();
}

FormTimer::~FormTimer() { Stop(); }

void FormTimer::Stop() {
  started_ = false;
  Update();
}

void FormTimer::Start() {
  started_ = true;
  Update();
}

void FormTimer::Hold() {
  ++holds_;
  Update();
}

void FormTimer::Release() {
  if (holds_ > 0) --holds_;
  Update();
}

void FormTimer::Update() {
  const bool wanted = started_ && holds_ == 0;
  if (wanted == ticking_) return;
  if (wanted) {
    // Set anew, so the next tick is one full interval away.
    ticking_ = SetTimer(form_.handle(), id_, interval_ms_, nullptr) != 0;
  } else {
    KillTimer(form_.handle(), id_);
    ticking_ = false;
  }
}

}  // namespace corvane::win32
