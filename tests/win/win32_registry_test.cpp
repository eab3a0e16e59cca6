#include "platform/win32/win32_registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/win32/handles.h"
#include "texts.h"

namespace corvane {
namespace {

using Names = std::vector<std::string>;
const std::string kNul(1, '\0');

// The message of the RegistryError that `action` raises, or a note that it raised none.
template <typename Action>
std::string ErrorOf(Action action) {
  try {
    action();
  } catch (const RegistryError& error) {
    return error.what();
  }
  return "(none)";
}

bool Contains(const Names& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// A throw-away key under HKEY_CURRENT_USER, set up and checked directly through the API.
class Win32RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TearDown();
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &created, nullptr), ERROR_SUCCESS);
    key_ = win32::RegistryKey(created);
  }
  // Cleans up with the system's own tree delete, not the code under test.
  void TearDown() override {
    key_ = win32::RegistryKey();
    const auto found = GetProcAddress(GetModuleHandleA("advapi32"), "RegDeleteTreeA");
    const auto delete_tree =
        reinterpret_cast<LONG(WINAPI*)(HKEY, LPCSTR)>(reinterpret_cast<void (*)()>(found));
    ASSERT_NE(delete_tree, nullptr);
    delete_tree(HKEY_CURRENT_USER, path_.c_str());
  }
  void SetRaw(const std::string& name, DWORD type, const std::string& bytes) {
    ASSERT_EQ(RegSetValueExA(key_.get(), name.c_str(), 0, type,
                             reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())), ERROR_SUCCESS);
  }
  // Creates the key with `create`, else only opens it.
  bool RawKey(const std::string& sub_path, bool create = false) {
    HKEY key = nullptr;
    const LONG result = create ? RegCreateKeyExA(key_.get(), sub_path.c_str(), 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &key, nullptr)
                               : RegOpenKeyExA(key_.get(), sub_path.c_str(), 0, KEY_READ, &key);
    win32::RegistryKey owner(key);
    return result == ERROR_SUCCESS;
  }
  // The type and the stored bytes.
  std::string RawData(const std::string& name) {
    DWORD type = 0, size = 64;
    std::string data(size, '\0');
    const LONG result = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type,
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
  Win32Registry registry_;
};

// Subkeys are listed sorted; values here are made in sorted order, which keeps
// their index order the same on Windows (order made) and Wine (sorted).
TEST_F(Win32RegistryTest, ListsNamesInIndexOrder) {
  const std::string long_value(16383, 'v');
  for (const auto& name : {std::string(), std::string("alpha"), std::string("beta"), long_value}) {
    SetRaw(name, REG_SZ, "x" + kNul);
  }
  const std::string long_key(255, 'k');
  for (const auto& name : {long_key, std::string("Beta"), std::string("alpha")}) {
    ASSERT_TRUE(RawKey(name, true));
  }
  const auto accessor = Open();
  EXPECT_EQ(accessor->ValueNames(), (Names{"", "alpha", "beta", long_value}));
  EXPECT_EQ(accessor->SubkeyNames(), (Names{"alpha", "Beta", long_key}));
  EXPECT_EQ(accessor->ReadString(long_value), "x");
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
  for (const auto& c : cases) SetRaw(c.name, c.type, c.stored);
  const auto accessor = Open();
  for (const auto& c : cases) EXPECT_EQ(accessor->ReadString(c.name), c.read) << c.name;
  EXPECT_EQ(accessor->ReadString("missing"), "");
}

TEST_F(Win32RegistryTest, WritesAndReadsTypedData) {
  const auto accessor = Open();
  accessor->WriteString("text", "C:\\run me.exe");
  accessor->WriteInteger("number", -5);
  EXPECT_EQ(RawData("text"), "1:C:\\run me.exe" + kNul);  // REG_SZ with its terminator
  EXPECT_EQ(RawData("number"), "4:\xFB\xFF\xFF\xFF");      // REG_DWORD
  EXPECT_EQ(accessor->ReadInteger("number"), -5);
  accessor->WriteInteger("number", INT32_MIN);
  EXPECT_EQ(accessor->ReadInteger("number"), INT32_MIN);

  SetRaw("binary", REG_BINARY, "\x01\x02\x03\x04");
  SetRaw("multi", REG_MULTI_SZ, "a" + kNul + kNul);
  SetRaw("short", REG_DWORD, "\x01\x02");
  const auto invalid = [](const char* name) {
    return FormatText(texts::kInvalidDataType, name);
  };
  for (const char* name : {"number", "binary", "multi"}) {
    EXPECT_EQ(ErrorOf([&] { accessor->ReadString(name); }), invalid(name));
  }
  for (const char* name : {"text", "binary"}) {
    EXPECT_EQ(ErrorOf([&] { accessor->ReadInteger(name); }), invalid(name));
  }
  for (const char* name : {"missing", "short"}) {
    EXPECT_EQ(ErrorOf([&] { accessor->ReadInteger(name); }),
              FormatText(texts::kFailedToGetData, name));
  }
}

TEST_F(Win32RegistryTest, WithoutAnOpenKeyNothingIsReadOrChanged) {
  ASSERT_TRUE(RawKey("child", true));
  SetRaw("v", REG_SZ, "x" + kNul);
  const auto never_opened = registry_.CreateAccessor();
  const auto closed = Open();
  closed->CloseKey();
  for (RegistryAccessor* accessor : {never_opened.get(), closed.get()}) {
    EXPECT_TRUE(accessor->ValueNames().empty());
    EXPECT_TRUE(accessor->SubkeyNames().empty());
    EXPECT_EQ(accessor->ReadString("v"), "");
    EXPECT_FALSE(accessor->ValueExists("v"));
    EXPECT_EQ(ErrorOf([&] { accessor->ReadInteger("v"); }),
              FormatText(texts::kFailedToGetData, "v"));
    const std::string refused = FormatText(texts::kFailedToSetData, "v");
    EXPECT_EQ(ErrorOf([&] { accessor->WriteString("v", "y"); }), refused);
    EXPECT_EQ(ErrorOf([&] { accessor->WriteInteger("v", 1); }), refused);
    EXPECT_FALSE(accessor->DeleteValue("v"));
    EXPECT_FALSE(accessor->DeleteKey("child"));
    EXPECT_FALSE(accessor->DeleteKey(path_));
  }
  EXPECT_TRUE(RawKey("child"));
  EXPECT_EQ(RawData("v"), "1:x" + kNul);
}

TEST_F(Win32RegistryTest, OpensOnlyWhatIsAskedForWithTheAccessAskedFor) {
  SetRaw("v", REG_SZ, "here" + kNul);
  const auto accessor = registry_.CreateAccessor();
  for (const auto& path : {path_, "\\" + path_, path_ + "\\", "\\" + path_ + "\\"}) {
    ASSERT_TRUE(accessor->OpenKey(path, false, KeyAccess::kRead)) << path;
    EXPECT_EQ(accessor->ReadString("v"), "here") << path;
  }
  EXPECT_EQ(ErrorOf([&] { accessor->WriteString("w", "x"); }),
            FormatText(texts::kFailedToSetData, "w"));
  EXPECT_FALSE(accessor->DeleteValue("v"));

  // A failed open leaves no key open, not the one before.
  EXPECT_FALSE(accessor->OpenKey(path_ + "\\missing", false, KeyAccess::kReadWrite));
  EXPECT_FALSE(RawKey("missing"));
  EXPECT_EQ(accessor->ReadString("v"), "");

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
  SetRaw("", REG_SZ, "x" + kNul);
  const auto accessor = Open();
  EXPECT_TRUE(accessor->ValueExists("v"));
  EXPECT_TRUE(accessor->ValueExists(""));
  EXPECT_FALSE(accessor->ValueExists("missing"));
  EXPECT_TRUE(accessor->DeleteValue("v"));
  EXPECT_FALSE(accessor->ValueExists("v"));
  EXPECT_FALSE(accessor->DeleteValue("v"));
}

TEST_F(Win32RegistryTest, DeletesAKeyWithAllItsSubkeys) {
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
}

}  // namespace
}  // namespace corvane
