// The poll timer over SetTimer: when its ticks come after Start and Stop.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "platform/win32/framework/application.h"
#include "platform/win32/framework/window_timer.h"

namespace corvane::win32 {
namespace {

constexpr unsigned kInterval = 200;
// Timers may fire a little early by the tick count's resolution.
constexpr DWORD kEarly = 20;

class WindowTimerTest : public ::testing::Test {
 protected:
  // Runs the message loop for the time, noting when each tick came.
  void Pump(DWORD ms) {
    const DWORD until = GetTickCount() + ms;
    for (DWORD now = GetTickCount(); static_cast<LONG>(until - now) > 0; now = GetTickCount()) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, until - now, QS_ALLINPUT);
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
  }

  // Milliseconds from `start` to each tick.
  std::vector<DWORD> TicksSince(DWORD start) const {
    std::vector<DWORD> after;
    for (const DWORD tick : ticks_) after.push_back(tick - start);
    return after;
  }

  Application application_{GetModuleHandleA(nullptr), "Corvane"};
  std::vector<DWORD> ticks_;
  WindowTimer timer_{application_, kInterval, [this] { ticks_.push_back(GetTickCount()); }};
};

TEST_F(WindowTimerTest, TicksOnlyOnceStartedAndAFullIntervalLater) {
  Pump(kInterval + 100);
  EXPECT_TRUE(ticks_.empty()) << "a new timer is stopped";
  const DWORD start = GetTickCount();
  timer_.Start();
  Pump(kInterval * 2 + 100);
  ASSERT_GE(ticks_.size(), 1u);
  EXPECT_GE(TicksSince(start).front(), kInterval - kEarly);
}

TEST_F(WindowTimerTest, StartingARunningTimerRestartsTheInterval) {
  timer_.Start();
  Pump(kInterval / 2);
  const DWORD restart = GetTickCount();
  timer_.Start();
  Pump(kInterval + 150);
  ASSERT_GE(ticks_.size(), 1u);
  EXPECT_GE(TicksSince(restart).front(), kInterval - kEarly);
}

TEST_F(WindowTimerTest, StopEndsTheTicks) {
  timer_.Start();
  Pump(kInterval + 100);
  ASSERT_GE(ticks_.size(), 1u);
  timer_.Stop();
  const std::size_t before = ticks_.size();
  Pump(kInterval * 2);
  EXPECT_EQ(ticks_.size(), before);
  EXPECT_FALSE(timer_.Running());
}

TEST_F(WindowTimerTest, ATickDueBeforeStopAndStartIsDropped) {
  timer_.Start();
  Sleep(kInterval + 100);  // the tick falls due while no message is handled
  timer_.Stop();
  const DWORD restart = GetTickCount();
  timer_.Start();
  Pump(kInterval + 150);
  ASSERT_GE(ticks_.size(), 1u);
  EXPECT_GE(TicksSince(restart).front(), kInterval - kEarly);
}

TEST_F(WindowTimerTest, ATickCanStopItsOwnTimer) {
  int ticks = 0;
  WindowTimer timer(application_, 50, [&] {
    ++ticks;
    timer.Stop();
  });
  timer.Start();
  Pump(300);
  EXPECT_EQ(ticks, 1);
}

}  // namespace
}  // namespace corvane::win32
