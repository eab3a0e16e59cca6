// The Application log through ReportEventW, under the source "Corvane". Its
// message table is in the program's resources; where the installer did not
// register the source, Windows still keeps the events, with their data.
#pragma once

#include <windows.h>

#include "platform/event_log.h"

namespace corvane {

class Win32EventLog : public EventLog {
 public:
  Win32EventLog();
  ~Win32EventLog() override;
  Win32EventLog(const Win32EventLog&) = delete;
  Win32EventLog& operator=(const Win32EventLog&) = delete;

  void Report(Decision decision, const DecidedEntry& entry) override;

 private:
  HANDLE source_;  // null when the log cannot be reached
};

}  // namespace corvane
