#include "changes/entry_commands.h"

#include <gtest/gtest.h>

#include "memory_platform_fixture.h"

namespace corvane {
namespace {

const std::string kRun = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kWowRun = "\\Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kPolicyRun =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";
const std::string kServices = "\\SYSTEM\\CurrentControlSet\\Services";
const std::string kNt = "\\Software\\Microsoft\\Windows NT\\CurrentVersion";
const std::string kWowHelpers =
    "\\Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
const std::string kApp = "C:\\Program Files\\App\\app.exe";

using EntryCommandsTest = MemoryPlatformTest;

TEST_F(EntryCommandsTest, EachTypeOfEntryShowsWhatItStarts) {
  registry.SetString(kMachine, kRun, "Agent", "C:\\a.exe -x");
  registry.SetString(kMachine, kWowRun, "Old", "old.exe");
  registry.SetExpandString(kUser, kPolicyRun, "Pol", "%windir%\\p.exe");
  registry.SetInteger(kUser, kRun, "Number", 5);
  registry.SetExpandString(kMachine, kServices + "\\Pest", "ImagePath", "\\SystemRoot\\pest.exe");
  registry.SetString(kMachine, "\\Software\\Classes\\CLSID\\{B}\\InprocServer32", "", "C:\\b.dll");
  registry.SetString(kMachine, "\\Software\\Classes\\WOW6432Node\\CLSID\\{W}\\InprocServer32", "",
                     "C:\\w.dll");
  programs.SetShortcut("C:\\S\\App.LNK", {kApp, "-min"});
  programs.SetShortcut("C:\\S\\plain.lnk", {"C:\\plain.exe", ""});
  tasks.Add("\\Updater",
                "<?xml version=\"1.0\"?><Task><!-- <Exec><Command>no</Command></Exec> -->"
                "<Actions Context=\"Author\"><ComHandler><ClassId>{C}</ClassId></ComHandler>\n"
                "  <Exec>\n    <Command>C:\\Program Files\\U\\u.exe</Command>\n"
                "    <Arguments>/a &quot;x &amp; y&quot; &#233;&#x20AC; &bogus;</Arguments>\n"
                "  </Exec></Actions></Task>");
  tasks.Add("\\Handler", "<Task><Actions><ComHandler><ClassId>{C}</ClassId>"
                             "<Data/></ComHandler></Actions></Task>");
  tasks.Add("\\Empty", "");
  const struct {
    std::string entry;
    std::string command;
  } cases[] = {
      {"1" + kRun + "\\Agent", "C:\\a.exe -x"},
      {"1" + kWowRun + "\\Old", "old.exe"},
      {"2" + kPolicyRun + "\\Pol", "%windir%\\p.exe"},
      {"2" + kRun + "\\Number", ""},
      {"2" + kRun + "\\Gone", ""},
      {"3C:\\S\\App.LNK", "\"" + kApp + "\" -min"},
      {"3C:\\S\\plain.lnk", "C:\\plain.exe"},
      {"3C:\\S\\unreadable.lnk", ""},
      {"3C:\\S\\run.bat", "C:\\S\\run.bat"},
      {"4Pest", "\\SystemRoot\\pest.exe"},
      {"4Gone", ""},
      {"5Run=C:\\r.exe a=b", "C:\\r.exe a=b"},
      {"6shell=Explorer.exe", "Explorer.exe"},
      {"72\\Software\\Microsoft\\Internet Explorer\\Main\\Start Page\\http://x\\y", "http://x\\y"},
      {"8{B}", "C:\\b.dll"},
      {"8" + kWowHelpers + "\\{W}", "C:\\w.dll"},
      {"8{Gone}", ""},
      {"W1" + kNt + "\\Winlogon\\Shell\\explorer.exe, e.exe", "explorer.exe, e.exe"},
      {"D1" + kNt + "\\Image File Execution Options\\n.exe\\Debugger\\C:\\d.exe", "C:\\d.exe"},
      {"A1" + kNt + "\\Windows\\AppInit_DLLs\\C:\\x.dll", "C:\\x.dll"},
      {"T\\Updater", "\"C:\\Program Files\\U\\u.exe\" /a \"x & y\" \xC3\xA9\xE2\x82\xAC &bogus;"},
      {"T\\Handler", "{C}"},
      {"T\\Empty", ""},
      {"T\\Gone", ""},
      {"", ""},
      {"1", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CommandOf(platform, c.entry), c.command) << c.entry;
}

TEST_F(EntryCommandsTest, TheProgramOfACommandIsFoundAsWindowsFindsIt) {
  environment.Set("windir", "C:\\Windows");
  environment.Set("ProgramFiles", "C:\\Program Files");
  for (const auto* file : {kApp.c_str(), "C:\\Windows\\System32\\svc.exe",
                           "C:\\Windows\\System32\\drivers\\d.sys", "C:\\Tools\\tool.exe",
                           "C:\\Windows\\System32\\rundll32.exe", "C:\\Lib Dir\\my lib.dll"}) {
    files.AddFile(file);
  }
  programs.SetSearchResult("notepad.exe", "C:\\Windows\\notepad.exe");
  programs.SetSearchResult("rundll32.exe", "C:\\Windows\\System32\\rundll32.exe");
  programs.SetSearchResult("shell32.dll", "C:\\Windows\\System32\\shell32.dll");
  programs.SetPublisher(kApp, "App Co");
  const struct {
    const char* command;
    std::string program;
  } cases[] = {
      {"\"C:\\Program Files\\App\\app.exe\" -x", kApp},
      {"C:\\Program Files\\App\\app.exe  -x y", kApp},
      {"  C:\\Program Files\\App\\app.exe", kApp},
      {"%ProgramFiles%\\App\\app.exe /s", kApp},
      {"%Unset%\\App\\app.exe", ""},
      {"\\SystemRoot\\System32\\svc.exe -k", "C:\\Windows\\System32\\svc.exe"},
      {"\\??\\C:\\Windows\\System32\\drivers\\d.sys", "C:\\Windows\\System32\\drivers\\d.sys"},
      {"system32\\DRIVERS\\d.sys", "C:\\Windows\\system32\\DRIVERS\\d.sys"},
      {"C:\\Tools\\tool -q", "C:\\Tools\\tool.exe"},
      {"notepad", "C:\\Windows\\notepad.exe"},
      {"NOTEPAD.EXE a.txt", "C:\\Windows\\notepad.exe"},
      {"rundll32.exe \"C:\\Lib Dir\\my lib.dll\",Start", "C:\\Lib Dir\\my lib.dll"},
      {"C:\\Windows\\System32\\RUNDLL32 C:\\Lib Dir\\my lib.dll,Start x", "C:\\Lib Dir\\my lib.dll"},
      {"rundll32 shell32,Control_RunDLL", "C:\\Windows\\System32\\shell32.dll"},
      {"rundll32.exe missing.dll,Start", ""},
      {"relative\\app.exe", ""},
      {"C:\\Gone\\gone.exe", ""},
      {"", ""},
      {"   ", ""},
      {"\"", ""},
      {"%%%", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProgramOfCommand(platform, c.command), c.program) << c.command;
  }
  EXPECT_EQ(StartedProgramOf(platform, "C:\\Program Files\\App\\app.exe -x").publisher, "App Co");
  EXPECT_EQ(StartedProgramOf(platform, "C:\\Gone\\gone.exe").publisher, "");
  // A missing program is named all the same; a present host of a missing DLL is not.
  EXPECT_EQ(NamedProgram(platform, "\"C:\\Gone\\gone.exe\" -x"), "C:\\Gone\\gone.exe");
  EXPECT_EQ(NamedProgram(platform, "C:\\Windows\\System32\\rundll32.exe missing.dll,S"), "");
  EXPECT_EQ(NamedProgram(platform, "%ProgramFiles%\\App\\app.exe /s"), kApp);
  // A place that holds a folder names no program.
  files.AddDirectory("C:\\Users\\Public\\Start Menu");
  EXPECT_EQ(NamedProgram(platform, "C:\\Users\\Public\\Start Menu"), "");
}

TEST_F(EntryCommandsTest, RememberedCommandsKeepWhatWritesThemBackAndSkipTheUnreadable) {
  registry.SetString(kUser, kRun, "A", "a.exe");
  registry.SetInteger(kUser, kRun, "Number", 5);
  registry.SetExpandString(kMachine, kServices + "\\Svc", "ImagePath", "%windir%\\svc.exe");
  registry.CreateKey(kMachine, kServices + "\\NoImage");
  files.AddFile("C:\\S\\app.lnk", "LNK\r\nbytes");
  programs.SetShortcut("C:\\S\\app.lnk", {kApp, "-x"});
  files.AddFile("C:\\S\\locked.lnk", "LNK");
  files.SetFailure("C:\\S\\locked.lnk", MemoryFileSystem::Failure::kCannotRead);
  programs.SetShortcut("C:\\S\\locked.lnk", {kApp, ""});
  files.AddFile("C:\\S\\broken.lnk", "not a link");
  files.AddFile("C:\\S\\run.bat", "@echo");

  const auto table = RememberCommands(
      platform, {"2" + kRun + "\\A", "2" + kRun + "\\Number", "2" + kRun + "\\Gone", "4Svc",
                 "4NoImage", "3C:\\S\\app.lnk", "3C:\\S\\locked.lnk", "3C:\\S\\broken.lnk",
                 "3C:\\S\\run.bat", "8{B}", "T\\Task", ""});

  const struct {
    std::string entry;
    StartedCommand remembered;
  } expected[] = {
      {"2" + kRun + "\\A", {"a.exe", RawStringValue(1, "a.exe"), ""}},
      {"2" + kRun + "\\Number", {"", {4, std::string("\x05\0\0\0", 4)}, ""}},
      {"4Svc", {"%windir%\\svc.exe", RawStringValue(2, "%windir%\\svc.exe"), ""}},
      {"3C:\\S\\app.lnk", {"\"" + kApp + "\" -x", {0, ""}, "LNK\r\nbytes"}},
      {"3C:\\S\\broken.lnk", {"", {0, ""}, "not a link"}},
  };
  EXPECT_EQ(table.size(), std::size(expected));
  for (const auto& e : expected) {
    const auto found = table.find(e.entry);
    ASSERT_NE(found, table.end()) << e.entry;
    EXPECT_EQ(found->second.command, e.remembered.command) << e.entry;
    EXPECT_EQ(found->second.value, e.remembered.value) << e.entry;
    EXPECT_EQ(found->second.file_bytes, e.remembered.file_bytes) << e.entry;
  }

  // A shortcut is read as a link again only when its bytes changed.
  const std::string app = "3C:\\S\\app.lnk";
  programs.SetShortcut("C:\\S\\app.lnk", {"C:\\other.exe", ""});
  EXPECT_EQ(RememberCommands(platform, {app}, table).at(app).command, "\"" + kApp + "\" -x");
  files.AddFile("C:\\S\\app.lnk", "LNK\r\nchanged");
  EXPECT_EQ(RememberCommands(platform, {app}, table).at(app).command, "C:\\other.exe");

  // One listed with the size and time it had when it was read is not read
  // at all, until the caller asks for every shortcut to be read whole.
  const std::unordered_map<std::string, std::string> stamps{{app, "size and time"}};
  const auto stamped = RememberCommands(platform, {app}, table, stamps);
  files.AddFile("C:\\S\\app.lnk", "LNK\r\nagain, time put back");
  programs.SetShortcut("C:\\S\\app.lnk", {"C:\\third.exe", ""});
  EXPECT_EQ(RememberCommands(platform, {app}, stamped, stamps).at(app).command, "C:\\other.exe");
  EXPECT_EQ(RememberCommands(platform, {app}, stamped).at(app).command, "C:\\third.exe");
}

}  // namespace
}  // namespace corvane
