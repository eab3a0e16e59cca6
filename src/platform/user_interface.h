// What the logic needs of the user interface and the clock: the poll timer,
// the standard message boxes and beep, the progress of a long run of
// removals, and the user's date and time formats.
#pragma once

#include <string>

namespace corvane {

// How a modal window was closed.
enum class ModalResult { kNone, kOk, kCancel, kYes, kNo };

// The main window's poll timer (Timer1). Stop and Start are the user's
// (Restore pauses the watch, Save and Cancel resume it); a dialog of the
// cycle holds the timer while it is open, and the timer ticks only while it
// is started and nothing holds it. So a dialog never restarts a watch that
// the user paused meanwhile.
class PollTimer {
 public:
  virtual ~PollTimer() = default;
  virtual void Stop() = 0;
  // Starting a stopped timer gives a full interval before the next tick;
  // starting a started one changes nothing.
  virtual void Start() = 0;
  virtual void Hold() = 0;
  // The last release of a started timer gives a full interval before the next tick.
  virtual void Release() = 0;
  // A watched place changed: one tick after a short quiet time, so that a
  // burst of changes gives one. While the timer is stopped or held, the tick
  // waits until it runs again.
  virtual void Soon() = 0;
};

// Holds the timer for one scope.
class TimerHold {
 public:
  explicit TimerHold(PollTimer& timer) : timer_(timer) { timer_.Hold(); }
  ~TimerHold() { timer_.Release(); }
  TimerHold(const TimerHold&) = delete;
  TimerHold& operator=(const TimerHold&) = delete;

 private:
  PollTimer& timer_;
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // The default system beep that comes before every question, information and alert.
  virtual void Beep() = 0;
  // Modal, with the information icon, one OK button, titled "Information".
  virtual void ShowInformation(const std::string& text) = 0;
  // Modal, with the warning icon, one OK button, titled "Warning".
  virtual void ShowWarning(const std::string& text) = 0;
  // The application's error box: titled with the application title, error
  // icon, OK, the message with a period added when it lacks one; no beep.
  virtual void ShowError(const std::string& message) = 0;
};

// Short notices from the notification-area icon (a balloon), which need no answer.
class Notifications {
 public:
  virtual ~Notifications() = default;
  virtual void Notify(const std::string& text) = 0;
};

// A long run of work in a poll cycle (entries removed without asking):
// its line is shown in the alert's place, and the program's window messages
// are handled between its steps, so that the program keeps answering.
class Progress {
 public:
  virtual ~Progress() = default;
  // Between two steps: the line reads `text` from now on ("" keeps it), shown
  // once the run has lasted a moment, and the window messages that wait are
  // handled when the last time was a few milliseconds ago. False once the
  // program is ending: the run should stop.
  virtual bool Step(const std::string& text) = 0;
  // The run is over, or something else is to be shown: the line goes.
  virtual void End() = 0;
};

struct Timestamp {
  std::string date;  // in the user's short date format
  std::string time;  // in the user's long time format
  // The same moment as "YYYY-MM-DD hh:mm:ss", for records that the program
  // itself sorts and compares.
  std::string sortable = "";
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Date and time of one and the same moment.
  virtual Timestamp Now() const = 0;
};

}  // namespace corvane
