#include "platform/win32/win32_event_log.h"

#include <exception>
#include <string>

#include "platform/win32/wide.h"
#include "texts.h"

namespace corvane {

Win32EventLog::Win32EventLog()
    : source_(RegisterEventSourceW(nullptr, win32::Wide(texts::kEventSource).c_str())) {}

Win32EventLog::~Win32EventLog() {
  if (source_ != nullptr) DeregisterEventSource(source_);
}

void Win32EventLog::Report(Decision decision, const DecidedEntry& entry) {
  if (source_ == nullptr) return;
  try {
    const std::wstring texts[] = {win32::Wide(entry.type), win32::Wide(entry.location),
                                  win32::Wide(entry.command)};
    LPCWSTR strings[] = {texts[0].c_str(), texts[1].c_str(), texts[2].c_str()};
    const WORD type =
        decision == Decision::kNotRemoved ? EVENTLOG_WARNING_TYPE : EVENTLOG_INFORMATION_TYPE;
    ReportEventW(source_, type, 0, static_cast<DWORD>(decision), nullptr, 3, 0, strings, nullptr);
  } catch (const std::exception&) {  // out of memory: the event is lost
  }
}

}  // namespace corvane
