#include "platform/win32/framework/window_timer.h"

#include <utility>

#include "platform/win32/framework/window_classes.h"

namespace corvane::win32 {

WindowTimer::WindowTimer(const Application& application, unsigned interval_ms,
                         std::function<void()> tick)
    : application_(application), interval_ms_(interval_ms), tick_(std::move(tick)) {
  const HINSTANCE instance = application.instance();
  RegisterWindowClasses(instance);
  window_ = WindowHandle(CreateWindowExA(0, kTimerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                         nullptr, instance, nullptr));
  SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

WindowTimer::~WindowTimer() {
  Stop();
  SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
}

void WindowTimer::Stop() {
  if (running_) KillTimer(window_.get(), current_);
  running_ = false;
}

void WindowTimer::Start() {
  Stop();
  ++current_;
  if (current_ == 0) ++current_;  // 0 is no timer
  running_ = SetTimer(window_.get(), current_, interval_ms_, nullptr) != 0;
}

LRESULT CALLBACK WindowTimer::WindowProcedure(HWND window, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
  auto* timer = reinterpret_cast<WindowTimer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_TIMER && timer != nullptr) {
    if (timer->running_ && wparam == timer->current_) timer->application_.Guarded(timer->tick_);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace corvane::win32
