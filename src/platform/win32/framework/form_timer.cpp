#include "platform/win32/framework/form_timer.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>

namespace corvane::win32 {

namespace {

// GetTickCount64 is missing before Vista.
TickSchedule::Ms SteadyNow() {
  return static_cast<TickSchedule::Ms>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now().time_since_epoch())
                                           .count());
}

}  // namespace

FormTimer::FormTimer(Form& form, const Timing& timing,
                     std::function<void(const RowSelection&)> tick)
    : form_(form), timing_(timing), schedule_(timing.quiet_ms) {
  form.OnMessage(WM_TIMER, [this, tick = std::move(tick)](WPARAM wparam, LPARAM, LRESULT& result) {
    std::optional<RowSelection> rows;
    if (wparam == timing_.id) {
      // A tick that was already queued when the timer stopped is dropped.
      if (schedule_.PeriodicTimeOver()) rows = RowSelection::Every();
    } else if (wparam == timing_.quiet_id) {
      // One-shot: armed again below for the changes that still wait.
      KillTimer(form_.handle(), timing_.quiet_id);
      quiet_set_ = false;
      rows = schedule_.QuietTimeOver(SteadyNow());
    } else {
      return false;
    }
    // Before the tick: its cycle may hold the timer and wait for the user.
    Update();
    if (rows) tick(*rows);
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

void FormTimer::Soon() { Soon(RowSelection::Every()); }

void FormTimer::Soon(const RowSelection& rows) {
  schedule_.Soon(rows);
  Update();
}

void FormTimer::Scanned(char row, unsigned took_ms) {
  schedule_.Scanned(row, took_ms, SteadyNow());
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
  if (!schedule_.QuietWanted()) {
    if (quiet_set_) KillTimer(form_.handle(), timing_.quiet_id);
    quiet_set_ = false;
    return;
  }
  // Set anew only to fire sooner: a burst keeps its one quiet time, while a
  // change that need not wait for a paced row is not kept waiting by it.
  const auto now = SteadyNow();
  const auto due = schedule_.QuietDue(now);
  if (quiet_set_ && due >= quiet_due_) return;
  const auto wait = due > now ? due - now : 0;
  quiet_set_ = SetTimer(form_.handle(), timing_.quiet_id,
                        static_cast<UINT>(std::min<TickSchedule::Ms>(wait, USER_TIMER_MAXIMUM)),
                        nullptr) != 0;
  quiet_due_ = due;
}

}  // namespace corvane::win32
