// What the tray component needs of the form it sits on and of the
// application: kept this small so the component can be tested on a plain
// window, and so the main window can be built on any form.
#pragma once

#include <windows.h>

#include <functional>

namespace corvane {

class TrayOwner {
 public:
  virtual ~TrayOwner() = default;

  // The owner form's window; the form makes it first if it has none yet.
  virtual HWND Handle() = 0;
  // The form's visible flag. Setting it true shows the form the way the
  // framework shows a form; setting it false hides it.
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;

  // The application window, which carries the program's taskbar button.
  // Named by its handle: any other window of the program may bear the same
  // title, such as an error box captioned with it.
  virtual HWND ApplicationWindow() const = 0;
  // An orderly quit request: the message loop ends once it gets to it.
  virtual void TerminateApplication() = 0;
  // Whether the message loop shows the main form when it starts.
  virtual void SetShowMainForm(bool show) = 0;

  // Runs one of the component's event handlers the way the application runs
  // every event, so that an exception never unwinds through a window procedure.
  virtual void RunHandler(const std::function<void()>& handler) = 0;
};

}  // namespace corvane
