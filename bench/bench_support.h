// What the Windows benches share: a user who keeps every entry and a screen
// that shows nothing, for cycles run inside the bench, a machine made
// realistic for a run, and the machine's options file set aside while a
// bench runs the real program.
#pragma once

#include <windows.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "changes/alert_view.h"
#include "platform/user_interface.h"
#include "platform/win32/handles.h"
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

inline constexpr int kServices = 600;
inline constexpr int kRunValues = 400;
inline constexpr int kStartupFiles = 400;
inline constexpr char kServicesPath[] = "SYSTEM\\CurrentControlSet\\Services\\";
inline constexpr char kRunPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The key, made when missing, in the literal view; null when it cannot be.
inline HKEY CreateKey(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  RegCreateKeyExW(root, win32::Wide(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                  nullptr, &key, nullptr);
  return key;
}

inline void SetString(HKEY key, const std::string& name, const std::string& data) {
  const auto text = win32::Wide(data);
  RegSetValueExW(key, win32::Wide(name).c_str(), 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(text.c_str()),
                 DWORD((text.size() + 1) * sizeof(wchar_t)));
}

// A machine as busy as a real one, made for the run and taken away again:
// 600 automatic services, 400 of the user's Run values ("CvBench<n>"; the
// destructor also removes those up to n = 1,399 that a bench added) and 400
// files in the user's Startup folder.
class RealisticMachine {
 public:
  explicit RealisticMachine(std::string startup) : startup_(std::move(startup)) {
    for (int i = 0; i < kServices; ++i) {
      const win32::RegistryKey key(CreateKey(HKEY_LOCAL_MACHINE, Service(i)));
      const DWORD automatic = 2;
      RegSetValueExW(key.get(), L"Start", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&automatic),
                     sizeof automatic);
      SetString(key.get(), "ImagePath",
                "C:\\Program Files\\Bench\\service" + std::to_string(i) + ".exe");
    }
    const win32::RegistryKey run(CreateKey(HKEY_CURRENT_USER, kRunPath));
    for (int i = 0; i < kRunValues; ++i) {
      SetString(run.get(), "CvBench" + std::to_string(i), "C:\\bench\\tool.exe /background");
    }
    for (int i = 0; i < kStartupFiles; ++i) {
      const win32::FileHandle file(CreateFileW(win32::Wide(File(i)).c_str(), GENERIC_WRITE, 0,
                                               nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                               nullptr));
    }
  }
  ~RealisticMachine() {
    for (int i = 0; i < kServices; ++i) {
      RegDeleteKeyW(HKEY_LOCAL_MACHINE, win32::Wide(Service(i)).c_str());
    }
    const win32::RegistryKey run(CreateKey(HKEY_CURRENT_USER, kRunPath));
    for (int i = 0; i < kRunValues + 1000; ++i) {
      RegDeleteValueW(run.get(), win32::Wide("CvBench" + std::to_string(i)).c_str());
    }
    for (int i = 0; i < kStartupFiles; ++i) DeleteFileW(win32::Wide(File(i)).c_str());
  }
  RealisticMachine(const RealisticMachine&) = delete;
  RealisticMachine& operator=(const RealisticMachine&) = delete;

 private:
  static std::string Service(int i) {
    return std::string(kServicesPath) + "CvBench" + std::to_string(i);
  }
  std::string File(int i) const { return startup_ + "\\cvbench" + std::to_string(i) + ".lnk"; }
  std::string startup_;
};

// A file of the machine, as it was, put back when this goes; meanwhile it
// holds `content`, or is not there at all.
class FileSetAside {
 public:
  FileSetAside(std::wstring path, const std::optional<std::string>& content)
      : path_(std::move(path)) {
    std::ifstream in(path_.c_str(), std::ios::binary);
    if (in) saved_ = std::string(std::istreambuf_iterator<char>(in), {});
    in.close();
    if (content) {
      std::ofstream(path_.c_str(), std::ios::binary) << *content;
    } else {
      DeleteFileW(path_.c_str());
    }
  }
  ~FileSetAside() {
    if (saved_) {
      std::ofstream(path_.c_str(), std::ios::binary) << *saved_;
    } else {
      DeleteFileW(path_.c_str());
    }
  }
  FileSetAside(const FileSetAside&) = delete;
  FileSetAside& operator=(const FileSetAside&) = delete;

 private:
  std::wstring path_;
  std::optional<std::string> saved_;
};

inline std::wstring OptionsPath() {
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  return std::wstring(windows) + L"\\" + win32::Wide(texts::kOptionsFile);
}

// The options file of the machine, set aside: the program run meanwhile
// finds options of its own version, all areas on.
class OptionsSetAside : public FileSetAside {
 public:
  OptionsSetAside()
      : FileSetAside(OptionsPath(), std::string("[") + texts::kOptionsSection + "]\r\n" +
                                        texts::kVersionKey + "=" + texts::kProgramVersion +
                                        "\r\n") {}
};

}  // namespace corvane::bench
