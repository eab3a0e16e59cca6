// Wine keeps no event log, but traces the strings of each event on its
// "eventlog" channel: the CTest twin of this test turns that channel on and
// looks for them (tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include "platform/win32/win32_event_log.h"

namespace corvane {
namespace {

TEST(Win32EventLogTest, ADecisionReachesReportEventWWithItsData) {
  Win32EventLog log;
  log.Report(Decision::kNotRemoved,
             {"Registry Startup", "HKEY_CURRENT_USER\\Run\\Тест", "C:\\tool.exe"});
}

}  // namespace
}  // namespace corvane
