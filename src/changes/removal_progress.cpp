#include "changes/removal_progress.h"

#include "texts.h"

namespace corvane {
namespace {

using namespace win32;

// Often enough that no message waits anywhere near 100 ms for its answer,
// seldom enough that handling them costs the removals next to nothing.
constexpr auto kHandleEvery = std::chrono::milliseconds(15);
// A short run ends before its window could be read.
constexpr auto kShowAfter = std::chrono::milliseconds(300);

constexpr FormLayout kWindow = Window(texts::kApplicationTitle, 300, 52).OnTop();

constexpr ControlLayout kControls[] = {
    Label("Label1", 16, 18, ""),
};

}  // namespace

RemovalProgress::RemovalProgress(Application& application)
    : application_(application), form_(application, kWindow, kControls) {
  // The run goes on without its window, which stays away until the next run.
  form_.OnClose([this] {
    dismissed_ = true;
    form_.Hide();
  });
}

bool RemovalProgress::Step(const std::string& text) {
  const auto now = Clock::now();
  if (!running_) {
    running_ = true;
    started_ = handled_ = now;
  }
  if (!text.empty()) text_ = text;
  if (ending_) return false;
  if (now - handled_ < kHandleEvery) return true;
  handled_ = now;
  if (!dismissed_ && now - started_ >= kShowAfter) {
    form_["Label1"].SetText(text_);
    // Not activated: the user may be working in another program meanwhile.
    if (!IsWindowVisible(form_.handle())) ShowWindow(form_.handle(), SW_SHOWNOACTIVATE);
  }
  ending_ = !application_.HandleWaitingMessages();
  return !ending_;
}

void RemovalProgress::End() {
  running_ = false;
  ending_ = false;
  dismissed_ = false;
  form_.Hide();
}

}  // namespace corvane
