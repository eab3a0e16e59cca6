// A stand-in for the program that shows one of its windows for the window
// tests to drive from outside:
//   corvane_window_host alert TYPE LOCATION [OPTION]... [TYPE LOCATION [OPTION]...]...
//       one alert after another through ShowAlert, as a poll cycle does; the
//       options give the rest of the alert's facts: --command=TEXT,
//       --publisher=TEXT, --program=PATH (whose signature it shows),
//       --old-command=TEXT (a changed entry), --place=N/COUNT,
//       --same=N (entries of the same type after it). For each alert one line
//       "result=... remove=... enabled=... checked=... timer=...", and
//       " same=0|1" at its end when the same-answer box was offered.
//   corvane_window_host blacklist     the blacklist editor; "result=..."
//   corvane_window_host log           the log viewer; "result=..."
//   corvane_window_host removed [DATE TYPE LOCATION COMMAND OUTCOME]...
//       the window of removed entries over those rows, listed in that order
//       with the ids 1, 2, ...; OUTCOME is what putting the row back comes
//       to (PutBack, PlaceTaken, AccessDenied, Failed), or Later for a row
//       that is listed only from the second time on. One line "put back ID"
//       or "forget ID" for each call, then "result=..."
// The blacklist and the log are the files beside this program. It creates
// the application object and the three windows in the order the program does.
// Its arguments are read in UTF-16, so names in any script come through.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "app/resources.h"
#include "changes/alert.h"
#include "changes/unit2.h"
#include "changes/unit3.h"
#include "changes/unit4.h"
#include "changes/unit5.h"
#include "platform/win32/framework/application.h"
#include "platform/win32/framework/win32_message_boxes.h"
#include "platform/win32/signature_worker.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_signatures.h"
#include "texts.h"

namespace corvane {
namespace {

const char* NameOf(ModalResult result) {
  switch (result) {
    case ModalResult::kNone:
      return "None";
    case ModalResult::kOk:
      return "Ok";
    case ModalResult::kCancel:
      return "Cancel";
    case ModalResult::kYes:
      return "Yes";
    case ModalResult::kNo:
      return "No";
  }
  return "?";
}

// Passes everything to the alert window and keeps how it was closed, which
// ShowAlert folds into one boolean.
class RecordingAlertView : public AlertView {
 public:
  explicit RecordingAlertView(AlertView& view) : view_(view) {}
  void SetFacts(const AlertFacts& facts) override { view_.SetFacts(facts); }
  bool SameAnswerChecked() const override { return view_.SameAnswerChecked(); }
  bool DoNotAskEnabled() const override { return view_.DoNotAskEnabled(); }
  bool DoNotAskChecked() const override { return view_.DoNotAskChecked(); }
  void ClearDoNotAsk() override { view_.ClearDoNotAsk(); }
  ModalResult ShowModal() override { return last_ = view_.ShowModal(); }
  ModalResult last() const { return last_; }

 private:
  AlertView& view_;
  ModalResult last_ = ModalResult::kNone;
};

class SwitchTimer : public PollTimer {
 public:
  void Stop() override { running_ = false; }
  void Start() override { running_ = true; }
  void Hold() override { ++holds_; }
  void Release() override { --holds_; }
  void Soon() override {}
  bool Running() const { return running_ && holds_ == 0; }

 private:
  bool running_ = true;
  int holds_ = 0;
};

void Print(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

// Rows from the command line, which answer as told and say what was asked of them.
class ScriptedRemovedEntries : public RemovedEntries {
 public:
  // Five arguments a row, from `first` on.
  ScriptedRemovedEntries(const std::vector<std::string>& argv, std::size_t first) {
    for (std::size_t index = first; index + 4 < argv.size(); index += 5) {
      const std::string id = std::to_string(rows_.size() + 1);
      const std::string& location = argv[index + 2];
      // As the store names an entry: the last part of its place.
      const std::string name = location.substr(location.rfind('\\') + 1);
      rows_.push_back(
          Row{{id, argv[index], argv[index + 1], location, argv[index + 3], false, name},
              argv[index + 4]});
    }
  }

  std::vector<RemovedEntry> List() override {
    ++lists_;
    std::vector<RemovedEntry> listed;
    for (const Row& row : rows_) {
      if (row.outcome != "Later" || lists_ > 1) listed.push_back(row.entry);
    }
    return listed;
  }

  PutBackOutcome PutBack(const std::string& id) override {
    Print("put back " + id);
    for (auto row = rows_.begin(); row != rows_.end(); ++row) {
      if (row->entry.id != id) continue;
      if (row->outcome == "PlaceTaken") return PutBackOutcome::kPlaceTaken;
      if (row->outcome == "AccessDenied") return PutBackOutcome::kAccessDenied;
      if (row->outcome == "Failed") return PutBackOutcome::kFailed;
      rows_.erase(row);
      return PutBackOutcome::kPutBack;
    }
    return PutBackOutcome::kFailed;
  }

  void Forget(const std::string& id) override {
    Print("forget " + id);
    for (auto row = rows_.begin(); row != rows_.end(); ++row) {
      if (row->entry.id == id) {
        rows_.erase(row);
        return;
      }
    }
  }

 private:
  struct Row {
    RemovedEntry entry;
    std::string outcome;
  };
  std::vector<Row> rows_;
  int lists_ = 0;
};

// The command line's arguments as UTF-8, the program's name first.
std::vector<std::string> Arguments() {
  int count = 0;
  wchar_t** const wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int index = 0; wide != nullptr && index < count; ++index) {
    arguments.push_back(win32::Utf8(wide[index], std::wcslen(wide[index])));
  }
  LocalFree(wide);
  return arguments;
}

// The alerts that the arguments after "alert" describe; none when they do not
// read as TYPE LOCATION [OPTION]... again and again.
std::vector<AlertFacts> AlertsFrom(const std::vector<std::string>& argv) {
  std::vector<AlertFacts> alerts;
  for (std::size_t index = 2; index < argv.size(); ++index) {
    const std::string& argument = argv[index];
    if (argument.rfind("--", 0) != 0) {
      if (index + 1 == argv.size()) return {};
      AlertFacts facts;
      facts.type_text = argument;
      facts.location = argv[++index];
      // As the cycle offers it: for registry Run-type entries.
      facts.offer_do_not_ask = argument == texts::kRegistryStartupType;
      alerts.push_back(facts);
      continue;
    }
    if (alerts.empty()) return {};
    AlertFacts& facts = alerts.back();
    const auto equals = argument.find('=');
    const std::string option = argument.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : argument.substr(equals + 1);
    if (option == "--command") {
      facts.command = value;
    } else if (option == "--publisher") {
      facts.publisher = value;
    } else if (option == "--program") {
      facts.program = value;
    } else if (option == "--old-command") {
      facts.changed = true;
      facts.old_command = value;
    } else if (option == "--place") {
      facts.position = std::stoul(value);
      facts.count = std::stoul(value.substr(value.find('/') + 1));
    } else if (option == "--same") {
      facts.same_type_after = std::stoul(value);
    } else {
      return {};
    }
  }
  return alerts;
}

int Run(const std::vector<std::string>& argv) {
  const int argc = static_cast<int>(argv.size());
  const std::string mode = argc > 1 ? argv[1] : "";
  win32::Application application(GetModuleHandleW(nullptr), texts::kApplicationTitle,
                                 IDI_CORVANE);
  Win32FileSystem files;
  win32::Win32MessageBoxes boxes(application);
  // Stands for the poll timer: the alert must leave it running.
  SwitchTimer timer;
  Win32Signatures checks;
  win32::SignatureWorker signatures(checks);
  TForm2 alert(application, signatures);
  const DataFiles data{files.ProgramDirectory()};
  TForm3 blacklist(application, files, data, boxes);
  TForm4 log(application, files, data);

  const auto alerts = AlertsFrom(argv);
  if (mode == "alert" && !alerts.empty()) {
    RecordingAlertView view(alert);
    for (const AlertFacts& facts : alerts) {
      const AlertAnswer answer = ShowAlert(view, timer, boxes, facts);
      Print(std::string("result=") + NameOf(view.last()) + " remove=" +
            (answer.remove ? "1" : "0") + " enabled=" + (view.DoNotAskEnabled() ? "1" : "0") +
            " checked=" + (view.DoNotAskChecked() ? "1" : "0") +
            " timer=" + (timer.Running() ? "1" : "0") +
            (facts.same_type_after > 0 ? (answer.same_for_rest ? " same=1" : " same=0") : ""));
    }
    return 0;
  }
  if (mode == "blacklist") {
    Print(std::string("result=") + NameOf(blacklist.ShowModal()));
    return 0;
  }
  if (mode == "log") {
    Print(std::string("result=") + NameOf(log.ShowModal()));
    return 0;
  }
  if (mode == "removed" && (argc - 2) % 5 == 0) {
    ScriptedRemovedEntries entries(argv, 2);
    TForm5 removed(application, entries, boxes);
    Print(std::string("result=") + NameOf(removed.ShowModal()));
    return 0;
  }
  std::fprintf(stderr,
               "usage: corvane_window_host alert TYPE LOCATION [OPTION]... | blacklist | log | "
               "removed [DATE TYPE LOCATION COMMAND OUTCOME]...\n");
  return 2;
}

}  // namespace
}  // namespace corvane

int main() { return corvane::Run(corvane::Arguments()); }
