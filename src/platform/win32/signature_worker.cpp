#include "platform/win32/signature_worker.h"

#include <objbase.h>

#include <set>
#include <utility>

#include "platform/case_fold.h"
#include "platform/win32/wide.h"

namespace corvane::win32 {
namespace {

// A window is told at most this often while results keep coming.
constexpr auto kTellEvery = std::chrono::milliseconds(250);

// Some of the trust providers are COM objects; this thread has no window
// and no message loop, so it joins the multithreaded apartment.
class WorkerApartment {
 public:
  WorkerApartment() : entered_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}
  ~WorkerApartment() {
    if (entered_) CoUninitialize();
  }
  WorkerApartment(const WorkerApartment&) = delete;
  WorkerApartment& operator=(const WorkerApartment&) = delete;

 private:
  bool entered_;
};

std::uint64_t Joined(DWORD high, DWORD low) { return (std::uint64_t(high) << 32) | low; }

}  // namespace

SignatureWorker::SignatureWorker(const SignatureChecks& checks)
    : checks_(checks), thread_([this] { Run(); }) {}

SignatureWorker::~SignatureWorker() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    queue_.clear();
    listeners_.clear();
  }
  wake_.notify_all();
  thread_.join();
}

Signature SignatureWorker::Known(const std::string& path) const {
  const std::lock_guard<std::mutex> lock(mutex_);
  const auto found = known_.find(FoldCase(path));
  return found == known_.end() ? Signature{} : found->second.signature;
}

void SignatureWorker::Request(const std::vector<std::string>& paths, HWND window, UINT message) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (window != nullptr) listeners_[window].message = message;
    // The latest request goes first: it is what the user looks at now. A
    // path this window asked for before moves up rather than being checked twice.
    std::set<std::string> asked;
    for (const std::string& path : paths) asked.insert(FoldCase(path));
    std::deque<Job> queue;
    for (const std::string& path : paths) queue.push_back(Job{path, window});
    for (Job& job : queue_) {
      if (job.window != window || asked.count(FoldCase(job.path)) == 0) {
        queue.push_back(std::move(job));
      }
    }
    queue_ = std::move(queue);
  }
  wake_.notify_all();
}

void SignatureWorker::Forget(HWND window) {
  const std::lock_guard<std::mutex> lock(mutex_);
  listeners_.erase(window);
  std::deque<Job> queue;
  for (Job& job : queue_) {
    if (job.window != window) queue.push_back(std::move(job));
  }
  queue_ = std::move(queue);
}

SignatureWorker::Stamp SignatureWorker::StampOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (HoldsNul(path) || !GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) {
    return {};
  }
  return {true, Joined(data.nFileSizeHigh, data.nFileSizeLow),
          Joined(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

void SignatureWorker::Tell(bool all) {
  const auto now = Clock::now();
  for (auto& [window, listener] : listeners_) {
    if (!listener.waiting || (!all && now - listener.told < kTellEvery)) continue;
    listener.waiting = false;
    listener.told = now;
    // Under the lock: once Forget returns, nothing more reaches the window.
    PostMessageW(window, listener.message, 0, 0);
  }
}

void SignatureWorker::Run() {
  const WorkerApartment apartment;
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stopping_) {
    if (queue_.empty()) {
      Tell(true);
      wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      continue;
    }
    const Job job = std::move(queue_.front());
    queue_.pop_front();
    const std::string key = FoldCase(job.path);
    lock.unlock();
    // Taken before the check: a file changed during it is checked again next time.
    const Stamp stamp = StampOf(job.path);
    lock.lock();
    const auto found = known_.find(key);
    const bool fresh = found != known_.end() && found->second.stamp == stamp &&
                       found->second.signature.state != SignatureState::kUnknown;
    if (!fresh) {
      lock.unlock();
      Signature signature = checks_.Check(job.path);
      lock.lock();
      known_[key] = Result{std::move(signature), stamp};
    }
    const auto listener = listeners_.find(job.window);
    if (listener != listeners_.end()) listener->second.waiting = true;
    Tell(false);
  }
}

}  // namespace corvane::win32
