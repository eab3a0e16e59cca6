// A periodic timer over SetTimer on a hidden window of its own; the tick
// runs through the message loop, on the user-interface thread.
#pragma once

#include <functional>

#include "platform/user_interface.h"
#include "platform/win32/framework/application.h"
#include "platform/win32/framework/gui_handles.h"

namespace corvane::win32 {

class WindowTimer : public PollTimer {
 public:
  // Stopped until Start. An exception from the tick goes to the
  // application's error box.
  WindowTimer(const Application& application, unsigned interval_ms, std::function<void()> tick);
  ~WindowTimer() override;
  WindowTimer(const WindowTimer&) = delete;
  WindowTimer& operator=(const WindowTimer&) = delete;

  void Stop() override;
  // The next tick comes one full interval from now, also when running.
  void Start() override;
  bool Running() const { return running_; }

  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  const Application& application_;
  unsigned interval_ms_;
  std::function<void()> tick_;
  WindowHandle window_;
  // Each Start sets a timer of a new number, so that a tick of an earlier
  // start still waiting in the queue is known and dropped.
  UINT_PTR current_ = 0;
  bool running_ = false;
};

}  // namespace corvane::win32
