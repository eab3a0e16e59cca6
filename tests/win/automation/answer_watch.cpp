#include "automation/answer_watch.h"

#include <algorithm>
#include <chrono>

namespace corvane::automation {

AnswerWatch::AnswerWatch(HWND window, UINT patience_ms)
    : thread_([this, window, patience_ms] {
        using Clock = std::chrono::steady_clock;
        while (!stop_) {
          const auto sent = Clock::now();
          DWORD_PTR result = 0;
          SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, patience_ms, &result);
          const std::chrono::duration<double, std::milli> waited = Clock::now() - sent;
          longest_ms_ = std::max(longest_ms_.load(), waited.count());
          ++answered_;
          std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
      }) {}

void AnswerWatch::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

}  // namespace corvane::automation
