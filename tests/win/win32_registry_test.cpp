#include "platform/win32/win32_registry.h"

#include <winternl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "automation/native_registry.h"
#include "platform/win32/handles.h"
#include "platform/win32/native_calls.h"
#include "platform/win32/wide.h"

namespace corvane {
namespace {

using Names = std::vector<std::string>;
const std::string kNul(1, '\0');

bool Contains(const Names& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

Names Sorted(Names names) {
  std::sort(names.begin(), names.end());
  return names;
}

// Text as the registry stores it: UTF-16 bytes.
std::string Utf16Bytes(const std::string& text) {
  const std::wstring wide = win32::Wide(text);
  return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
}

// A function that this SDK level does not declare, or that only ntdll has.
template <typename Function>
Function* Lookup(const wchar_t* module, const char* name) {
  const auto found = GetProcAddress(GetModuleHandleW(module), name);
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(found));
}
UNICODE_STRING Counted(std::wstring& name) {
  const auto bytes = static_cast<USHORT>(name.size() * sizeof(wchar_t));
  return UNICODE_STRING{bytes, bytes, &name[0]};
}

// A throw-away key under HKEY_CURRENT_USER, set up and checked directly through the API.
class Win32RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TearDown();
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, win32::Wide(path_).c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &created, nullptr), ERROR_SUCCESS);
    key_ = win32::RegistryKey(created);
  }
  // Cleans up with the system's own tree delete, not the code under test;
  // that one cannot reach keys whose names hold a NUL, so they go first.
  void TearDown() override {
    const auto delete_key = Lookup<NTSTATUS NTAPI(HANDLE)>(L"ntdll", "NtDeleteKey");
    for (const auto& key : native_keys_) delete_key(key.get());
    native_keys_.clear();
    key_ = win32::RegistryKey();
    const auto delete_tree = Lookup<LONG WINAPI(HKEY, LPCWSTR)>(L"advapi32", "RegDeleteTreeW");
    ASSERT_NE(delete_tree, nullptr);
    delete_tree(HKEY_CURRENT_USER, win32::Wide(path_).c_str());
  }
  void SetRaw(const std::string& name, DWORD type, const std::string& bytes) {
    ASSERT_EQ(RegSetValueExW(key_.get(), win32::Wide(name).c_str(), 0, type,
                             reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())), ERROR_SUCCESS);
  }
  void SetText(const std::string& name, DWORD type, const std::string& text) {
    SetRaw(name, type, Utf16Bytes(text));
  }
  // A value and a key whose names may hold a NUL, made the native way.
  void SetNative(const std::string& name, const std::string& text) {
    ASSERT_TRUE(automation::SetNativeValue(key_.get(), name, text));
  }
  void CreateNativeKey(const std::string& parent_path, const std::string& name) {
    HKEY opened = nullptr;
    ASSERT_EQ(RegOpenKeyExW(key_.get(), win32::Wide(parent_path).c_str(), 0, KEY_ALL_ACCESS,
                            &opened), ERROR_SUCCESS);
    const win32::RegistryKey parent(opened);
    std::wstring wide = win32::Wide(name);
    UNICODE_STRING counted = Counted(wide);
    OBJECT_ATTRIBUTES attributes{};
    attributes.Length = sizeof attributes;
    attributes.RootDirectory = parent.get();
    attributes.ObjectName = &counted;
    attributes.Attributes = OBJ_CASE_INSENSITIVE;
    HANDLE created = nullptr;
    const auto create = Lookup<NTSTATUS NTAPI(HANDLE*, ACCESS_MASK, OBJECT_ATTRIBUTES*, ULONG,
                                              UNICODE_STRING*, ULONG, ULONG*)>(L"ntdll",
                                                                               "NtCreateKey");
    ASSERT_EQ(create(&created, KEY_ALL_ACCESS, &attributes, 0, nullptr, 0, nullptr), 0);
    native_keys_.emplace_back(static_cast<HKEY>(created));
  }
  // Creates the key with `create`, else only opens it.
  bool RawKey(const std::string& sub_path, bool create = false) {
    HKEY key = nullptr;
    const std::wstring wide = win32::Wide(sub_path);
    const LONG result = create ? RegCreateKeyExW(key_.get(), wide.c_str(), 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &key, nullptr)
                               : RegOpenKeyExW(key_.get(), wide.c_str(), 0, KEY_READ, &key);
    win32::RegistryKey owner(key);
    return result == ERROR_SUCCESS;
  }
  // A registry link at `name` to the key at `target`.
  void PlantLink(const std::string& name, const std::string& target) {
    HKEY opened = nullptr, link = nullptr;
    ASSERT_EQ(RegOpenKeyExW(key_.get(), win32::Wide(target).c_str(), 0, KEY_READ, &opened), 0);
    const std::wstring path = win32::NameOfOpenKey(win32::RegistryKey(opened).get());
    ASSERT_EQ(RegCreateKeyExW(key_.get(), win32::Wide(name).c_str(), 0, nullptr,
                              REG_OPTION_CREATE_LINK, KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr,
                              &link, nullptr), 0);
    native_keys_.emplace_back(link);  // a link left behind goes as the link
    ASSERT_EQ(RegSetValueExW(link, L"SymbolicLinkValue", 0, REG_LINK,
                             reinterpret_cast<const BYTE*>(path.data()),
                             static_cast<DWORD>(path.size() * sizeof(wchar_t))), 0);
  }
  // The type and the stored bytes.
  std::string RawData(const std::string& name) {
    const std::wstring wide = win32::Wide(name);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key_.get(), wide.c_str(), nullptr, &type, nullptr, &size)) return "";
    std::string data(size, '\0');
    const LONG result = RegQueryValueExW(key_.get(), wide.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(&data[0]), &size);
    return result == ERROR_SUCCESS ? std::to_string(type) + ":" + data.substr(0, size) : "";
  }
  std::unique_ptr<RegistryAccessor> Open(KeyAccess access = KeyAccess::kReadWrite) {
    auto accessor = registry_.CreateAccessor();
    EXPECT_TRUE(accessor->OpenKey("\\" + path_, false, access));
    return accessor;
  }

  const std::string path_ = "Software\\CorvaneTest-" + std::to_string(GetCurrentProcessId());
  win32::RegistryKey key_;
  std::vector<win32::RegistryKey> native_keys_;
  Win32Registry registry_;
};

// Subkeys are listed sorted; values here are made in sorted order, which keeps
// their index order the same on Windows (order made) and Wine (sorted).
TEST_F(Win32RegistryTest, ListsNamesInIndexOrder) {
  const std::string long_value(16383, 'v');
  for (const auto& name : {std::string(), std::string("alpha"), std::string("beta"), long_value}) {
    SetText(name, REG_SZ, "x" + kNul);
  }
  const std::string long_key(255, 'k');
  for (const auto& name : {long_key, std::string("Beta"), std::string("alpha")}) {
    ASSERT_TRUE(RawKey(name, true));
  }
  const auto accessor = Open();
  EXPECT_EQ(accessor->ValueNames(), (Names{"", "alpha", "beta", long_value}));
  EXPECT_EQ(accessor->SubkeyNames(), (Names{"alpha", "Beta", long_key}));
  EXPECT_EQ(ReadText(*accessor, long_value), "x");
}

TEST_F(Win32RegistryTest, ReadsStringDataUnexpandedWithoutTerminators) {
  const struct {
    const char* name;
    DWORD type;
    std::string stored, read;
  } cases[] = {
      {"plain", REG_SZ, "C:\\a.exe /x" + kNul, "C:\\a.exe /x"},
      {"expandable", REG_EXPAND_SZ, "%SystemRoot%\\b.exe" + kNul, "%SystemRoot%\\b.exe"},
      {"unterminated", REG_SZ, "abc", "abc"},
      {"doubly", REG_SZ, "abc" + kNul + kNul, "abc"},
      {"cut", REG_SZ, "abc" + kNul + "junk" + kNul, "abc"},
      {"empty", REG_SZ, "", ""},
      {"", REG_SZ, std::string(100000, 'd') + kNul, std::string(100000, 'd')},
  };
  for (const auto& c : cases) SetText(c.name, c.type, c.stored);
  const auto accessor = Open();
  for (const auto& c : cases) EXPECT_EQ(ReadText(*accessor, c.name), c.read) << c.name;
  EXPECT_EQ(ReadText(*accessor, "missing"), std::nullopt);
}

TEST_F(Win32RegistryTest, WritesAndReadsTypedData) {
  const auto accessor = Open();
  EXPECT_TRUE(WriteText(*accessor, "text", "C:\\run me.exe"));
  EXPECT_TRUE(WriteNumber(*accessor, "number", -5));
  EXPECT_EQ(RawData("text"), "1:" + Utf16Bytes("C:\\run me.exe" + kNul));  // REG_SZ, ended
  EXPECT_EQ(RawData("number"), "4:\xFB\xFF\xFF\xFF");      // REG_DWORD
  EXPECT_EQ(ReadNumber(*accessor, "number"), -5);
  EXPECT_TRUE(WriteNumber(*accessor, "number", INT32_MIN));
  EXPECT_EQ(ReadNumber(*accessor, "number"), INT32_MIN);

  SetRaw("binary", REG_BINARY, "\x01\x02\x03\x04");
  SetText("multi", REG_MULTI_SZ, "a" + kNul + kNul);
  SetRaw("short", REG_DWORD, "\x01\x02");
  for (const char* name : {"number", "binary", "multi"}) {
    EXPECT_EQ(ReadText(*accessor, name), std::nullopt) << name;
  }
  for (const char* name : {"text", "binary", "missing", "short"}) {
    EXPECT_EQ(ReadNumber(*accessor, name), std::nullopt) << name;
  }
}

TEST_F(Win32RegistryTest, WithoutAnOpenKeyNothingIsReadOrChanged) {
  ASSERT_TRUE(RawKey("child", true));
  SetText("v", REG_SZ, "x" + kNul);
  const auto never_opened = registry_.CreateAccessor();
  const auto closed = Open();
  closed->CloseKey();
  for (RegistryAccessor* accessor : {never_opened.get(), closed.get()}) {
    EXPECT_TRUE(accessor->ValueNames().empty());
    EXPECT_TRUE(accessor->SubkeyNames().empty());
    EXPECT_TRUE(accessor->Values().empty());
    EXPECT_EQ(accessor->ReadRawValue("v"), std::nullopt);
    EXPECT_FALSE(accessor->WriteRawValue("v", {REG_SZ, ""}));
    EXPECT_FALSE(accessor->DeleteValue("v"));
    EXPECT_FALSE(accessor->DeleteKey("child"));
    EXPECT_FALSE(accessor->DeleteKey(path_));
  }
  EXPECT_TRUE(RawKey("child"));
  EXPECT_EQ(RawData("v"), "1:" + Utf16Bytes("x" + kNul));
}

TEST_F(Win32RegistryTest, OpensOnlyWhatIsAskedForWithTheAccessAskedFor) {
  SetText("v", REG_SZ, "here" + kNul);
  const auto accessor = registry_.CreateAccessor();
  for (const auto& path : {path_, "\\" + path_, path_ + "\\", "\\" + path_ + "\\"}) {
    ASSERT_TRUE(accessor->OpenKey(path, false, KeyAccess::kRead)) << path;
    EXPECT_EQ(ReadText(*accessor, "v"), "here") << path;
  }
  EXPECT_FALSE(WriteText(*accessor, "w", "x"));
  EXPECT_FALSE(accessor->DeleteValue("v"));

  // A failed open leaves no key open, not the one before.
  EXPECT_FALSE(accessor->OpenKey(path_ + "\\missing", false, KeyAccess::kReadWrite));
  EXPECT_FALSE(RawKey("missing"));
  EXPECT_EQ(ReadText(*accessor, "v"), std::nullopt);

  EXPECT_TRUE(accessor->OpenKey("\\" + path_ + "\\made\\deep\\", true, KeyAccess::kReadWrite));
  EXPECT_TRUE(RawKey("made\\deep"));
  for (const char* root : {"", "\\"}) {
    ASSERT_TRUE(accessor->OpenKey(root, false, KeyAccess::kRead));
    EXPECT_TRUE(Contains(accessor->SubkeyNames(), "Software"));
  }
  accessor->SetRoot(RegistryRoot::kLocalMachine);
  ASSERT_TRUE(accessor->OpenKey("\\Software\\", false, KeyAccess::kRead));
  EXPECT_TRUE(Contains(accessor->SubkeyNames(), "Microsoft"));
  EXPECT_FALSE(accessor->OpenKey(path_, false, KeyAccess::kRead));
}

TEST_F(Win32RegistryTest, TellsAndDeletesValuesOfAnyType) {
  SetRaw("v", REG_BINARY, "");
  SetText("", REG_SZ, "x" + kNul);
  const auto accessor = Open();
  EXPECT_TRUE(ValueExists(*accessor, "v"));
  EXPECT_TRUE(ValueExists(*accessor, ""));
  EXPECT_FALSE(ValueExists(*accessor, "missing"));
  EXPECT_TRUE(accessor->DeleteValue("v"));
  EXPECT_FALSE(ValueExists(*accessor, "v"));
  EXPECT_FALSE(accessor->DeleteValue("v"));
}

// A key planted as a link to another goes as the link, alone or below the
// key deleted: the key it points to stays whole.
TEST_F(Win32RegistryTest, DeletesAKeyWithAllItsSubkeysAndALinkAsTheLink) {
  for (const char* path : {"doomed\\a\\b\\c", "doomed\\a\\e", "doomed\\d", "kept"}) {
    ASSERT_TRUE(RawKey(path, true));
  }
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(RawKey("doomed\\many\\" + std::to_string(i), true));
  const auto accessor = Open(KeyAccess::kRead);
  EXPECT_TRUE(accessor->DeleteKey("doomed"));
  EXPECT_FALSE(RawKey("doomed"));
  EXPECT_TRUE(RawKey("kept"));
  EXPECT_FALSE(accessor->DeleteKey("doomed"));
  EXPECT_FALSE(accessor->DeleteKey(""));
  EXPECT_TRUE(RawKey("")) << "the open key itself stays";

  ASSERT_TRUE(RawKey("holder", true) && RawKey("target\\inner", true));
  for (const char* link : {"link", "holder\\link"}) PlantLink(link, "target");
  const auto target = registry_.CreateAccessor();
  ASSERT_TRUE(target->OpenKey(path_ + "\\holder\\link", false, KeyAccess::kReadWrite));
  ASSERT_TRUE(WriteText(*target, "v", "x") && RawKey("link\\inner")) << "the links work";
  EXPECT_TRUE(accessor->DeleteKey("link"));
  EXPECT_TRUE(accessor->DeleteKey("holder"));
  EXPECT_FALSE(RawKey("link") || RawKey("holder"));
  ASSERT_TRUE(target->OpenKey(path_ + "\\target", false, KeyAccess::kRead));
  EXPECT_TRUE(RawKey("target\\inner") && ReadText(*target, "v") == "x");
}

// Names are Unicode end to end: no ANSI code page folds "Ō" into "O" or
// turns Cyrillic and CJK into question marks.
TEST_F(Win32RegistryTest, KeepsNamesAndDataInAnyLanguage) {
  const Names names = {"CvOne", "CvŌne", "Жtool", "Тест工具"};
  const auto accessor = Open();
  for (const auto& name : names) {
    EXPECT_TRUE(WriteText(*accessor, name, "C:\\Программы\\" + name + ".exe"));
  }
  EXPECT_EQ(Sorted(accessor->ValueNames()), names);
  for (const auto& name : names) {
    EXPECT_EQ(ReadText(*accessor, name), "C:\\Программы\\" + name + ".exe") << name;
    EXPECT_EQ(RawData(name), "1:" + Utf16Bytes("C:\\Программы\\" + name + ".exe" + kNul));
  }
  EXPECT_TRUE(accessor->DeleteValue("CvOne"));
  EXPECT_TRUE(ValueExists(*accessor, "CvŌne"));

  ASSERT_TRUE(accessor->OpenKey(path_ + "\\Тест工具\\Ж中", true, KeyAccess::kReadWrite));
  EXPECT_TRUE(RawKey("Тест工具\\Ж中"));
  ASSERT_TRUE(accessor->OpenKey(path_, false, KeyAccess::kReadWrite));
  EXPECT_EQ(accessor->SubkeyNames(), Names{"Тест工具"});
  EXPECT_TRUE(accessor->DeleteKey("Тест工具"));
  EXPECT_FALSE(RawKey("Тест工具"));
}

// A name with a NUL (which native calls can make) is listed whole, and a
// call given it acts on that name only, never on the one cut at the NUL.
TEST_F(Win32RegistryTest, ReachesExactlyTheNameThatHoldsANul) {
  const std::string hidden = "Run" + kNul + "hidden";
  SetText("Run", REG_SZ, "good" + kNul);
  SetNative(hidden, "evil");
  const auto accessor = Open();
  EXPECT_EQ(Sorted(accessor->ValueNames()), (Names{"Run", hidden}));
  EXPECT_TRUE(ValueExists(*accessor, hidden));
  EXPECT_FALSE(ValueExists(*accessor, "Run" + kNul + "other"));
  EXPECT_EQ(ReadText(*accessor, hidden), "evil");
  EXPECT_FALSE(accessor->DeleteValue("Run" + kNul + "other"));
  EXPECT_TRUE(accessor->DeleteValue(hidden));
  EXPECT_FALSE(ValueExists(*accessor, hidden));
  EXPECT_FALSE(accessor->DeleteValue(hidden));
  EXPECT_EQ(accessor->ValueNames(), Names{"Run"});
  EXPECT_EQ(ReadText(*accessor, "Run"), "good");

  const std::string odd_key = "k" + kNul + "x";
  ASSERT_TRUE(RawKey("k", true));
  CreateNativeKey("", odd_key);
  ASSERT_TRUE(RawKey("tree\\plain", true));
  CreateNativeKey("tree", "n" + kNul + "ul");
  EXPECT_EQ(Sorted(accessor->SubkeyNames()), (Names{"k", odd_key, "tree"}));
  EXPECT_FALSE(accessor->DeleteKey(odd_key));
  EXPECT_EQ(Sorted(accessor->SubkeyNames()), (Names{"k", odd_key, "tree"}));
  EXPECT_TRUE(accessor->DeleteKey("tree")) << "its NUL-named subkey goes too";
  EXPECT_FALSE(RawKey("tree"));
  EXPECT_FALSE(accessor->OpenKey(path_ + "\\" + odd_key, false, KeyAccess::kRead));
  EXPECT_FALSE(accessor->OpenKey(path_ + "\\" + odd_key, true, KeyAccess::kReadWrite));
  EXPECT_TRUE(RawKey("k"));
  EXPECT_FALSE(RawKey("k\\x")) << "nothing made under the name cut at the NUL";
}

// What a backup keeps goes back exactly: every type, text in any language,
// string data without its final NUL (which Windows would add if it could),
// odd sizes, names holding a NUL.
TEST_F(Win32RegistryTest, ReadsAndWritesBackRawValuesByteForByte) {
  const std::string hidden = "Run" + kNul + "hidden";
  const struct {
    std::string name;
    RawValue value;
  } cases[] = {
      {"sz", {REG_SZ, Utf16Bytes("C:\\Программы\\工具.exe /x" + kNul)}},
      {"unended", {REG_SZ, Utf16Bytes("abc")}},
      {"odd", {REG_SZ, "abc"}},
      {"expand", {REG_EXPAND_SZ, Utf16Bytes("%SystemRoot%\\Ж.exe" + kNul)}},
      {"multi", {REG_MULTI_SZ, Utf16Bytes("a" + kNul + "中文" + kNul + kNul)}},
      {"dword", {REG_DWORD, "\xFB\xFF\xFF\xFF"}},
      {"qword", {REG_QWORD, std::string("\x01\0\0\0\0\0\0\x80", 8)}},
      {"binary", {REG_BINARY, std::string("\0\xFF\x10", 3)}},
      {"large", {REG_BINARY, std::string(100000, '\x5A')}},
      {std::string(300, 'n'), {REG_SZ, Utf16Bytes("long name" + kNul)}},
      {"", {REG_SZ, Utf16Bytes("default" + kNul)}},
      {hidden, {REG_SZ, Utf16Bytes("evil" + kNul)}},
  };
  const auto accessor = Open();
  for (const auto& c : cases) EXPECT_TRUE(accessor->WriteRawValue(c.name, c.value)) << c.name;
  for (const auto& c : cases) {
    if (c.name != hidden) {
      EXPECT_EQ(RawData(c.name), std::to_string(c.value.type) + ":" + c.value.bytes) << c.name;
    }
    EXPECT_EQ(accessor->ReadRawValue(c.name), c.value) << c.name;
  }
  EXPECT_EQ(accessor->ReadRawValue("Run"), std::nullopt) << "the name is not cut at its NUL";
  std::ptrdiff_t listed = 0;
  for (const auto& [name, value] : accessor->Values()) {
    listed += std::count_if(std::begin(cases), std::end(cases),
                            [&](const auto& c) { return c.name == name && c.value == value; });
  }
  EXPECT_EQ(listed, std::distance(std::begin(cases), std::end(cases))) << "each with its data";

  // Written back over a value of another type, each is as it was.
  for (const auto& c : cases) {
    const auto read = accessor->ReadRawValue(c.name);
    accessor->WriteRawValue(c.name, {REG_DWORD, "\0\0\0\0"});
    accessor->WriteRawValue(c.name, read.value_or(RawValue{}));
    EXPECT_EQ(accessor->ReadRawValue(c.name), c.value) << c.name;
  }
  EXPECT_EQ(accessor->ReadRawValue("missing"), std::nullopt);
}

// The machine's Software key has a 64-bit and a 32-bit view on 64-bit
// Windows; paths are meant literally in the 64-bit one, so the 32-bit program
// reaches the 32-bit view as "\\Software\\WOW6432Node\\...". Works under a
// throw-away key of HKEY_LOCAL_MACHINE in both views.
class Win32RegistryViewsTest : public ::testing::Test {
 protected:
  void SetUp() override { node_existed_ = RawHas(KEY_WOW64_64KEY, "Software\\WOW6432Node"); }
  // Cleans up in the 64-bit view, where every path is literal; a 32-bit
  // Windows has no WOW6432Node of its own, so the test made that one.
  void TearDown() override {
    const auto delete_tree = Lookup<LONG WINAPI(HKEY, LPCWSTR)>(L"advapi32", "RegDeleteTreeW");
    const auto delete_key =
        Lookup<LONG WINAPI(HKEY, LPCWSTR, REGSAM, DWORD)>(L"advapi32", "RegDeleteKeyExW");
    for (const auto& path : {"Software\\WOW6432Node\\" + name_, "Software\\" + name_,
                             std::string(node_existed_ ? "" : "Software\\WOW6432Node")}) {
      HKEY opened = nullptr;
      if (path.empty() || RegOpenKeyExW(HKEY_LOCAL_MACHINE, win32::Wide(path).c_str(), 0,
                                        KEY_ALL_ACCESS | KEY_WOW64_64KEY, &opened)) {
        continue;
      }
      delete_tree(win32::RegistryKey(opened).get(), nullptr);
      delete_key(HKEY_LOCAL_MACHINE, win32::Wide(path).c_str(), KEY_WOW64_64KEY, 0);
    }
  }
  // Whether the machine has the key in that view, and the value in it.
  static bool RawHas(REGSAM view, const std::string& path, const wchar_t* value = nullptr) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, win32::Wide(path).c_str(), 0, KEY_READ | view,
                      &opened) != ERROR_SUCCESS) {
      return false;
    }
    const win32::RegistryKey key(opened);
    return !value || !RegQueryValueExW(key.get(), value, nullptr, nullptr, nullptr, nullptr);
  }

  const std::string name_ = "CvTest-" + std::to_string(GetCurrentProcessId());
  bool node_existed_ = false;
  Win32Registry registry_;
};

TEST_F(Win32RegistryViewsTest, ReachesEachViewOfTheMachineSoftwareByItsLiteralPath) {
  const auto accessor = registry_.CreateAccessor();
  accessor->SetRoot(RegistryRoot::kLocalMachine);
  const std::string in_32 = "\\Software\\WOW6432Node\\" + name_;
  ASSERT_TRUE(accessor->OpenKey(in_32 + "\\child\\grandchild", true, KeyAccess::kReadWrite));
  ASSERT_TRUE(accessor->OpenKey(in_32, false, KeyAccess::kReadWrite));
  ASSERT_TRUE(WriteText(*accessor, "v32", "x"));
  ASSERT_TRUE(accessor->OpenKey("\\Software\\" + name_, true, KeyAccess::kReadWrite));
  ASSERT_TRUE(WriteText(*accessor, "v64", "x"));
  BOOL wow64 = FALSE;
  if (sizeof(void*) == 8 || (IsWow64Process(GetCurrentProcess(), &wow64) && wow64)) {
    const std::string path = "Software\\" + name_;
    EXPECT_TRUE(RawHas(KEY_WOW64_32KEY, path, L"v32"));
    EXPECT_FALSE(RawHas(KEY_WOW64_32KEY, path, L"v64"));
    EXPECT_TRUE(RawHas(KEY_WOW64_64KEY, path, L"v64"));
    EXPECT_FALSE(RawHas(KEY_WOW64_64KEY, path, L"v32"));
  }

  ASSERT_TRUE(accessor->OpenKey(in_32, false, KeyAccess::kReadWrite));
  EXPECT_EQ(accessor->ValueNames(), Names{"v32"});
  EXPECT_EQ(accessor->SubkeyNames(), Names{"child"});
  EXPECT_TRUE(accessor->DeleteValue("v32"));
  EXPECT_TRUE(accessor->DeleteKey("child"));
  EXPECT_TRUE(accessor->ValueNames().empty() && accessor->SubkeyNames().empty());
  ASSERT_TRUE(accessor->OpenKey("\\Software\\WOW6432Node", false, KeyAccess::kReadWrite));
  EXPECT_TRUE(accessor->DeleteKey(name_));
  EXPECT_FALSE(RawHas(KEY_WOW64_64KEY, in_32.substr(1)));
  EXPECT_TRUE(RawHas(KEY_WOW64_64KEY, "Software\\" + name_, L"v64")) << "the other view kept";
}

// Windows shares a few keys between its views: both paths open one key,
// which the scanners must read once. Other keys are two.
TEST_F(Win32RegistryViewsTest, TellsAKeySharedBetweenTheViewsFromTwoKeys) {
  BOOL wow64 = FALSE;
  if (sizeof(void*) != 8 && !(IsWow64Process(GetCurrentProcess(), &wow64) && wow64)) {
    GTEST_SKIP() << "32-bit Windows has one view";
  }
  const auto identity = [&](const std::string& path) {
    const auto accessor = registry_.CreateAccessor();
    accessor->SetRoot(RegistryRoot::kLocalMachine);
    return accessor->OpenKey(path, false, KeyAccess::kRead) ? accessor->OpenKeyIdentity()
                                                            : "missing " + path;
  };
  const std::string options =
      "\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options";
  EXPECT_EQ(identity("\\Software" + options), identity("\\Software\\WOW6432Node" + options));
  EXPECT_EQ(identity("\\Software\\Microsoft"), identity("\\SOFTWARE\\microsoft\\"));
  EXPECT_NE(identity("\\Software\\Microsoft"), identity("\\Software\\WOW6432Node\\Microsoft"));
}

}  // namespace
}  // namespace corvane
