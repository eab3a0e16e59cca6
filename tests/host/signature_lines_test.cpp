#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "changes/command_lines.h"
#include "changes/signature_texts.h"

namespace corvane {
namespace {

TEST(SignatureTexts, ReadAsTheSignatureAndCompanyAllow) {
  using S = SignatureState;
  const struct {
    Signature signature;
    std::string company, text, publisher;
    bool windows_own;
  } cases[] = {
      {{S::kUnknown, ""}, "Acme", "", "Acme", 0},
      {{S::kVerified, "Acme"}, "Other", "Verified: Acme", "Acme (verified)", 0},
      {{S::kVerified, "Microsoft A"}, "", "Verified: Microsoft A", "Microsoft A (verified)", 1},
      // A certificate's name is anyone's to make.
      {{S::kVerified, "Microsoft\n"}, "", "Verified: Microsoft\\n", "Microsoft\\n (verified)", 0},
      {{S::kNotSigned, ""}, "Microsoft", "Not signed", "Microsoft (not verified)", 0},
      {{S::kNotValid, ""}, "", "Signature not valid", "", 0},
      {{S::kFileNotFound, ""}, "Acme", "File not found", "(file not found)", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SignatureText(c.signature), c.text);
    EXPECT_EQ(PublisherLine(c.signature, c.company), c.publisher);
    EXPECT_EQ(IsWindowsOwn(c.signature), c.windows_own);
  }
}

// One unit a byte, 20 to a line, three lines.
TEST(CommandLines, KeepTheProgramsNameAndTheArgumentsStartInView) {
  const auto bytes = [](const std::string& text) { return int(text.size()); };
  using Lines = std::vector<std::string>;
  const struct {
    std::string command;
    Lines lines;
  } cases[] = {
      {"", {""}},
      {"C:\\a.exe /s", {"C:\\a.exe /s"}},
      {"C:\\Program Files\\Vendor\\tool.exe /run",
       {"C:\\Program Files\\", "Vendor\\tool.exe /run"}},
      {"C:\\Tools\\tool.exe /background /interval=1",
       {"C:\\Tools\\tool.exe", "/background", "/interval=1"}},
      // Three lines are enough: nothing left out.
      {"C:\\Program Files\\Vendor Name\\Sub\\Deeper\\tool.exe /run",
       {"C:\\Program Files\\", "Vendor Name\\Sub\\", "Deeper\\tool.exe /run"}},
      // Too long: the middle of the folder goes, never the program's name.
      {"\"C:\\Program Files\\Vendor Name\\Sub\\Deeper\\tool.exe\" /a /b /c /d /e /f /g",
       {"\"C:\\Program Fi...me\\", "Sub\\Deeper\\tool.exe\"", "/a /b /c /d /e /f /g"}},
      {"C:\\" + std::string(50, 'x') + "\\tool.exe /run",
       {"C:\\xxxxxxxxxxxxxxxxx", "xx...xxxxxxxxxxxxxxx", "xxxxxx\\tool.exe /run"}},
      // In whole characters.
      {"C:\\Тест\\Тест\\Тест\\Тест\\Тест\\t.exe", {"C:\\Тест\\", "Тес...\\Тест\\", "Тест\\t.exe"}},
      // Arguments too long even so: their end goes, their start stays.
      {"C:\\Tools\\tool.exe " + std::string(70, 'a'),
       {"C:\\Tools\\tool.exe aa", std::string(20, 'a'), std::string(17, 'a') + "..."}},
      {"C:\\" + std::string(50, 'x') + "\\tool.exe " + std::string(70, 'a'),
       {"C:\\xxxxxxxxxxx...xxx", "xxxxxxxxxxx\\tool.exe", std::string(17, 'a') + "..."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    EXPECT_EQ(CommandLines(c.command, 20, 3, bytes), c.lines);
  }
}

}  // namespace
}  // namespace corvane
