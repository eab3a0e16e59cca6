// Each test runs its own copy of corvane_window_host in a fresh folder, so
// the blacklist and the log it finds beside itself are the test's own.
#pragma once

#include <gtest/gtest.h>

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "automation/input.h"
#include "automation/message_box.h"
#include "automation/process.h"
#include "automation/windows.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"

namespace corvane {

class WindowHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    static int serial = 0;
    folder_ = win32::Utf8(temp, std::wcslen(temp)) + "corvane-ui-" +
              std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial) + "\\";
    ASSERT_TRUE(CreateDirectoryW(win32::Wide(folder_).c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(win32::Wide(BesideUs("corvane_window_host.exe")).c_str(),
                          win32::Wide(Path(kHost)).c_str(), FALSE));
  }

  void TearDown() override {
    host_.reset();  // ends a host that a failed test left open
    const std::wstring folder = win32::Wide(folder_);
    {
      WIN32_FIND_DATAW found{};
      const win32::FindHandle search(FindFirstFileW((folder + L"*").c_str(), &found));
      if (search) {
        do {
          DeleteFileW((folder + found.cFileName).c_str());
        } while (FindNextFileW(search.get(), &found));
      }
    }
    RemoveDirectoryW(folder.c_str());
  }

  // Starts the host and waits for its window with that caption.
  HWND Open(const std::vector<std::string>& arguments, const std::string& caption) {
    host_.emplace(Path(kHost), arguments);
    if (!host_->started()) return nullptr;
    return automation::WaitForWindow(host_->id(), caption);
  }

  // The host's lines of output, once it has ended.
  std::vector<std::string> Results() {
    std::vector<std::string> lines;
    std::string line;
    for (const char c : host_->Output()) {
      if (c == '\n') {
        lines.push_back(line);
        line.clear();
      } else if (c != '\r') {
        line += c;
      }
    }
    return lines;
  }

  automation::MessageBoxInfo WaitForBox(const std::string& caption) {
    return automation::WaitForMessageBox(host_->id(), caption);
  }

  std::string Path(const std::string& name) const { return folder_ + name; }
  // For the C++ streams, which take a path in UTF-16 on Windows.
  std::filesystem::path WidePath(const std::string& name) const {
    return win32::Wide(Path(name));
  }

  void Put(const std::string& name, const std::string& bytes) {
    std::ofstream(WidePath(name), std::ios::binary) << bytes;
  }

  std::string BytesOf(const std::string& name) const {
    std::ifstream file(WidePath(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

  bool Exists(const std::string& name) const {
    return GetFileAttributesW(win32::Wide(Path(name)).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  static std::string BesideUs(const std::string& name) {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::string folder = win32::Utf8(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
  }

  static constexpr char kHost[] = "corvane_window_host.exe";
  std::string folder_;
  std::optional<automation::Process> host_;
};

}  // namespace corvane
