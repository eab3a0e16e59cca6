// Shared by the tray tests: a shell seam that records every request, an
// owner whose plain window keeps the messages handed on to it, and a user
// who answers the popup menu from a second thread.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/win32/framework/menus.h"
#include "tray/tray_owner.h"
#include "tray/tray_system.h"

namespace corvane::tray_test {

struct ShellCall {
  DWORD message;
  NOTIFYICONDATAW data;  // as far as its cbSize goes
};

// The RegisterServiceProcess calls of the fake kernel: process id, type.
inline std::vector<std::pair<DWORD, DWORD>> registrations;
inline DWORD WINAPI FakeRegisterServiceProcess(DWORD process_id, DWORD type) {
  registrations.emplace_back(process_id, type);
  return 1;
}

class RecordingTraySystem : public TraySystem {
 public:
  RecordingTraySystem() { registrations.clear(); }
  BOOL NotifyIcon(DWORD message, NOTIFYICONDATAW* data) override {
    calls.push_back({message, {}});
    std::memcpy(&calls.back().data, data, std::min<std::size_t>(data->cbSize, sizeof *data));
    return TRUE;
  }
  HMODULE ModuleHandle(const char* name) override {
    lookups.push_back(name);
    return kernel;
  }
  FARPROC ProcAddress(HMODULE, const char* name) override {
    lookups.push_back(name);
    if (!windows_9x) return nullptr;
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&FakeRegisterServiceProcess));
  }

  std::vector<ShellCall> calls;
  std::vector<std::string> lookups;  // module and entry names, in order
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  bool windows_9x = false;  // only those have RegisterServiceProcess
};

struct Received {
  UINT msg;
  WPARAM wparam;
  LPARAM lparam;
};

// A hidden top-level window with the caption "Tray owner". The application
// window is the test's to set; none by default.
class TestOwner : public TrayOwner {
 public:
  TestOwner();
  ~TestOwner() override { DestroyWindow(window_); }

  HWND Handle() override { return window_; }
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override { visible_requests.push_back(visible_ = visible); }
  HWND ApplicationWindow() const override { return application_window; }
  void TerminateApplication() override { ++terminate_requests; }
  void SetShowMainForm(bool show) override { show_main_form = show; }
  void RunHandler(const std::function<void()>& handler) override { handler(); }

  // Whether the window's own procedure got that message (with that wparam).
  bool Got(UINT msg) const;
  bool Got(UINT msg, WPARAM wparam) const;
  static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam);

  std::vector<Received> received;
  std::vector<bool> visible_requests;
  int terminate_requests = 0;
  bool show_main_form = true;
  HWND application_window = nullptr;

 private:
  HWND window_;
  bool visible_ = false;
};

// A top-level window of this process with that title, hidden; the test
// destroys it.
HWND MakeTitledWindow(const std::string& title);
// Handles every message waiting for this thread.
void Pump();
win32::MenuHandle TrayMenu(const std::vector<std::pair<const char*, int>>& items);

// Waits for this process's popup menu, notes where it is and which window
// is in the foreground, then types the keys into it.
class MenuUser {
 public:
  explicit MenuUser(std::vector<WORD> keys);
  ~MenuUser() { Finish(); }
  bool Finish();  // true when a menu showed

  RECT menu_rect{};
  HWND foreground = nullptr;

 private:
  std::atomic<bool> seen_{false};
  std::thread thread_;
};

}  // namespace corvane::tray_test
