#include "platform/win32/framework/form_timer.h"

#include <utility>

namespace corvane::win32 {

FormTimer::FormTimer(Form& form, const Timing& timing, std::function<void()> tick)
    : form_(form), timing_(timing) {
  form.OnMessage(WM_TIMER, [this, tick = std::move(tick)](WPARAM wparam, LPARAM, LRESULT& result) {
    bool due = false;
    if (wparam == timing_.id) {
      // A tick that was already queued when the timer stopped is dropped.
      due = schedule_.PeriodicTimeOver();
    } else if (wparam == timing_.quiet_id) {
      due = schedule_.QuietTimeOver();
    } else {
      return false;
    }
    // Before the tick: its cycle may hold the timer and wait for the user.
    Update();
    if (due) tick();
    result = 0;
    return true;
  });
  Start();
}

FormTimer::~FormTimer() { Stop(); }

void FormTimer::Stop() {
  schedule_.Stop();
  Update();
}

void FormTimer::Start() {
  schedule_.Start();
  Update();
}

void FormTimer::Hold() {
  schedule_.Hold();
  Update();
}

void FormTimer::Release() {
  schedule_.Release();
  Update();
}

void FormTimer::Soon() {
  schedule_.Soon();
  Update();
}

void FormTimer::Update() {
  const auto follow = [this](bool wanted, bool& set, UINT_PTR id, unsigned ms) {
    if (wanted == set) return;
    if (wanted) {
      // Set anew, so the next tick is one full interval away.
      set = SetTimer(form_.handle(), id, ms, nullptr) != 0;
    } else {
      KillTimer(form_.handle(), id);
      set = false;
    }
  };
  follow(schedule_.PeriodicWanted(), periodic_set_, timing_.id, timing_.interval_ms);
  follow(schedule_.QuietWanted(), quiet_set_, timing_.quiet_id, timing_.quiet_ms);
}

}  // namespace corvane::win32
