// The application object: its title, the hidden top-level window that
// carries the title (the window that stands for the program on the taskbar,
// which the tray code hides), the message loop, and the error box.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/framework/gui_handles.h"

namespace corvane::win32 {

class Application {
 public:
  // Registers the window classes of the toolkit and makes the hidden window.
  // With an icon resource of the instance, that window and every form get
  // the icon (also the title bar of a message box they own); 0: no icon.
  Application(HINSTANCE instance, const std::string& title, int icon_resource = 0);

  HINSTANCE instance() const { return instance_; }
  const std::string& title() const { return title_; }
  HWND handle() const { return window_.get(); }
  // The program icon at the sizes Windows shows in a title bar and in the
  // task switcher (null without an icon); they live as long as the application.
  HICON big_icon() const { return big_icon_.get(); }
  HICON small_icon() const { return small_icon_.get(); }
  // Gives the window the program icon, big and small.
  void SetIconOf(HWND window) const;

  // Runs the message loop until Terminate; returns the code handed to it.
  // Between messages it sleeps until a message comes or one of the handles
  // of WaitAlsoOn is signaled.
  int Run();
  // The loop also waits on the handles that `handles` gives (asked anew
  // before every wait; the first kMaxWaitHandles of them) and calls
  // `signaled` with each one that becomes signaled, guarded. Modal loops
  // (dialogs, message boxes) wait for messages only: a handle signaled
  // meanwhile is seen once the main loop waits again.
  void WaitAlsoOn(std::function<std::vector<HANDLE>()> handles,
                  std::function<void(HANDLE)> signaled);
  // What MsgWaitForMultipleObjectsEx takes besides the message queue.
  static constexpr std::size_t kMaxWaitHandles = MAXIMUM_WAIT_OBJECTS - 1;
  void Terminate(int exit_code = 0);
  // Handles the messages that wait now, as Run does, and returns: for long
  // work between its steps. False once the program is ending (the quit is
  // left for Run).
  bool HandleWaitingMessages();

  // The application's error box: modal, captioned with the title, error
  // icon, OK; the message gets a period unless it ends in one. No beep.
  void ShowError(const std::string& message) const;

  // Runs an event handler the way the application runs every event: an
  // exception ends the handler and is shown in the error box, so none
  // unwinds through a window procedure.
  void Guarded(const std::function<void()>& handler) const;

  // The window a message box of the program belongs to: the active window
  // of this thread, else the application window.
  HWND BoxOwner() const;

 private:
  HINSTANCE instance_;
  std::string title_;
  // Before the window, which holds them without owning them.
  IconHandle big_icon_;
  IconHandle small_icon_;
  WindowHandle window_;
  std::function<std::vector<HANDLE>()> wait_handles_;
  std::function<void(HANDLE)> signaled_;
};

// The message as the error box shows it.
std::string WithPeriod(const std::string& message);

}  // namespace corvane::win32
