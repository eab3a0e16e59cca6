#include "automation/process.h"

#include "platform/win32/wide.h"

namespace corvane::automation {

std::string QuoteArgument(const std::string& argument) {
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are halved by the runtime, others kept.
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, '\\');  // they stand before the closing quote
  return quoted + "\"";
}

Process::Process(const std::string& program, const std::vector<std::string>& arguments) {
  std::string command_line = QuoteArgument(program);
  for (const std::string& argument : arguments) command_line += " " + QuoteArgument(argument);
  const std::string directory = program.substr(0, program.find_last_of('\\') + 1);

  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  KernelHandle child_end;
  if (!CreatePipe(output_.out(), child_end.out(), &inherited, 0)) return;
  SetHandleInformation(output_.get(), HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = child_end.get();
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION started{};
  std::wstring wide_command_line = win32::Wide(command_line);
  if (!CreateProcessW(nullptr, &wide_command_line[0], nullptr, nullptr, TRUE, 0, nullptr,
                      win32::Wide(directory).c_str(), &startup, &started)) {
    return;
  }
  process_ = KernelHandle(started.hProcess);
  const KernelHandle thread(started.hThread);
  id_ = started.dwProcessId;
  // Only the child holds the writing end now, so the pipe ends when it does.
  child_end = KernelHandle();
  reader_ = std::thread([this] {
    char piece[4096];
    DWORD got = 0;
    while (ReadFile(output_.get(), piece, sizeof piece, &got, nullptr) && got > 0) {
      written_.append(piece, got);
    }
  });
}

Process::~Process() {
  if (started() && !WaitForExit(0)) {
    TerminateProcess(process_.get(), 1);
    WaitForExit(5000);
  }
  if (reader_.joinable()) reader_.join();
}

bool Process::WaitForExit(DWORD timeout_ms) {
  return started() && WaitForSingleObject(process_.get(), timeout_ms) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (started()) GetExitCodeProcess(process_.get(), &code);
  return code;
}

std::string Process::Output() {
  // A program that hangs is ended, so that the test fails instead of hanging.
  if (started() && !WaitForExit(10000)) TerminateProcess(process_.get(), 1);
  if (reader_.joinable()) reader_.join();
  return written_;
}

}  // namespace corvane::automation
