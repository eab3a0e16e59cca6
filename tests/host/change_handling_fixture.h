// A scripted user and screen for the change handling: the alert answers as
// told, and everything shown, beeped and timed is recorded in one list of
// events, in order.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "changes/alert_view.h"
#include "changes/cycle_context.h"
#include "memory_platform_fixture.h"

namespace corvane {

using Events = std::vector<std::string>;

struct Answer {
  ModalResult result;
  bool tick_do_not_ask = false;  // the user ticks the box before answering
  bool same_for_rest = false;    // and the same-answer box
};

class ScriptedAlert : public AlertView {
 public:
  explicit ScriptedAlert(Events& events) : events_(events) {}

  void SetFacts(const AlertFacts& facts) override {
    facts_ = facts;
    type_ = facts.type_text;
    location_ = facts.location;
    enabled_ = facts.offer_do_not_ask;
  }
  bool SameAnswerChecked() const override { return same_answer_; }
  bool DoNotAskEnabled() const override { return enabled_; }
  bool DoNotAskChecked() const override { return checked_; }
  void ClearDoNotAsk() override { checked_ = false; }

  ModalResult ShowModal() override {
    events_.push_back("alert " + type_ + " | " + location_ + (enabled_ ? " | box" : ""));
    // What the user or the system does while the alert is open.
    if (while_open) std::exchange(while_open, nullptr)();
    if (answers.empty()) {
      ADD_FAILURE() << "an alert that the test did not expect";
      return ModalResult::kYes;
    }
    const auto answer = answers.front();
    answers.pop_front();
    if (answer.tick_do_not_ask && enabled_) checked_ = true;
    same_answer_ = answer.same_for_rest;
    return answer.result;
  }

  std::deque<Answer> answers;
  std::function<void()> while_open;  // runs once, at the next alert
  bool checked_ = false;
  AlertFacts facts_;  // of the last alert

 private:
  Events& events_;
  std::string type_, location_;
  bool enabled_ = false;
  bool same_answer_ = false;
};

class RecordingTimer : public PollTimer {
 public:
  explicit RecordingTimer(Events& events) : events_(events) {}
  void Stop() override {
    running = false;
    events_.push_back("timer stop");
  }
  void Start() override {
    running = true;
    events_.push_back("timer start");
  }
  void Hold() override {
    ++holds;
    events_.push_back("timer hold");
  }
  void Release() override {
    --holds;
    events_.push_back("timer release");
  }
  void Soon() override { events_.push_back("timer soon"); }
  bool running = true;
  int holds = 0;

 private:
  Events& events_;
};

class RecordingBoxes : public MessageBoxes {
 public:
  explicit RecordingBoxes(Events& events) : events_(events) {}
  void Beep() override { events_.push_back("beep"); }
  void ShowInformation(const std::string& text) override { events_.push_back("info " + text); }
  void ShowWarning(const std::string& text) override { events_.push_back("warning " + text); }
  void ShowError(const std::string& message) override { events_.push_back("error " + message); }

 private:
  Events& events_;
};

class RecordingNotices : public Notifications {
 public:
  explicit RecordingNotices(Events& events) : events_(events) {}
  void Notify(const std::string& text) override { events_.push_back("notice " + text); }

 private:
  Events& events_;
};

class FixedClock : public Clock {
 public:
  Timestamp Now() const override { return {"08/12/2026", "06:45:10", "2026-12-08 06:45:10"}; }
};

inline constexpr char kStamp[] = "08/12/2026 06:45:10 - ";

class ChangeHandlingTest : public MemoryPlatformTest {
 protected:
  Events events;
  ScriptedAlert alert{events};
  RecordingTimer timer{events};
  RecordingBoxes boxes{events};
  FixedClock clock;
  DataFiles data{files.ProgramDirectory()};
  RecordingNotices notices{events};
  CycleContext context{platform, data, switches, tables, alert, timer, boxes, clock, notices};

  std::string ProgramFile(const std::string& name) const {
    return files.ProgramDirectory() + name;
  }
  void EnableLog() { files.AddFile(ProgramFile("corvane.log")); }
  std::string Log() const { return files.Content(ProgramFile("corvane.log")); }
  void Answer(ModalResult result, bool tick = false) { alert.answers.push_back({result, tick}); }
};

}  // namespace corvane
