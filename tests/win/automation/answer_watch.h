// How promptly a window of another process answers: a thread sends it a
// message every 10 ms and keeps the longest wait for the answer.
#pragma once

#include <windows.h>

#include <atomic>
#include <thread>

namespace corvane::automation {

class AnswerWatch {
 public:
  // Starts watching; a message not answered within `patience_ms` counts as
  // that long.
  AnswerWatch(HWND window, UINT patience_ms);
  ~AnswerWatch() { Stop(); }
  AnswerWatch(const AnswerWatch&) = delete;
  AnswerWatch& operator=(const AnswerWatch&) = delete;

  void Stop();
  double longest_ms() const { return longest_ms_; }
  int answered() const { return answered_; }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<double> longest_ms_{0};
  std::atomic<int> answered_{0};
  std::thread thread_;  // last: it runs once the others are set
};

}  // namespace corvane::automation
