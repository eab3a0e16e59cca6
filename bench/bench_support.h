// What the Windows benches share: a user who keeps every entry and a screen
// that shows nothing, for cycles run inside the bench, and the machine's
// options file set aside while a bench runs the real program.
#pragma once

#include <windows.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "changes/alert_view.h"
#include "platform/user_interface.h"
#include "platform/win32/wide.h"
#include "texts.h"

namespace corvane::bench {

class KeepingUser : public AlertView {
 public:
  void SetFacts(const AlertFacts&) override {}
  bool SameAnswerChecked() const override { return false; }
  bool DoNotAskEnabled() const override { return false; }
  bool DoNotAskChecked() const override { return false; }
  void ClearDoNotAsk() override {}
  ModalResult ShowModal() override { return ModalResult::kYes; }
};

// Counts the balloons it would have shown.
class CountedNotices : public Notifications {
 public:
  void Notify(const std::string&) override { ++count; }
  int count = 0;
};

class StillTimer : public PollTimer {
 public:
  void Stop() override {}
  void Start() override {}
  void Hold() override {}
  void Release() override {}
  void Soon() override {}
};

class NoBoxes : public MessageBoxes {
 public:
  void Beep() override {}
  void ShowInformation(const std::string&) override {}
  void ShowWarning(const std::string&) override {}
  void ShowError(const std::string&) override {}
};

// The options file of the machine, as it was, put back when this goes; the
// program run meanwhile finds options of its own version, all areas on.
class OptionsSetAside {
 public:
  OptionsSetAside() {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    path_ = std::wstring(windows) + L"\\" + win32::Wide(texts::kOptionsFile);
    std::ifstream in(path_.c_str(), std::ios::binary);
    if (in) saved_ = std::string(std::istreambuf_iterator<char>(in), {});
    std::ofstream(path_.c_str(), std::ios::binary)
        << "[" << texts::kOptionsSection << "]\r\n"
        << texts::kVersionKey << "=" << texts::kProgramVersion << "\r\n";
  }
  ~OptionsSetAside() {
    if (saved_) {
      std::ofstream(path_.c_str(), std::ios::binary) << *saved_;
    } else {
      DeleteFileW(path_.c_str());
    }
  }
  OptionsSetAside(const OptionsSetAside&) = delete;
  OptionsSetAside& operator=(const OptionsSetAside&) = delete;

 private:
  std::wstring path_;
  std::optional<std::string> saved_;
};

}  // namespace corvane::bench
