#include "platform/win32/win32_task_scheduler.h"

#include <windows.h>
#include <taskschd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/com_apartment.h"
#include "platform/win32/com_owners.h"
#include "platform/win32/native_calls.h"
#include "platform/win32/wide.h"

namespace corvane {
namespace {

using Paths = std::vector<std::string>;
using win32::Bstr;
using win32::ComPtr;
using win32::Variant;

Bstr Text(const std::string& utf8) { return Bstr(win32::Wide(utf8)); }

// Tasks that start at logon, registered in the machine's real library under
// this process's own names, and removed, directly through the library's
// interfaces.
class Win32TaskSchedulerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(apartment_.Entered());
    ASSERT_EQ(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                               IID_ITaskService, service_.ReceiveVoid()), S_OK);
    const Variant none;
    ASSERT_EQ(service_->Connect(none.get(), none.get(), none.get(), none.get()), S_OK);
    ASSERT_EQ(service_->GetFolder(Bstr(L"\\").get(), root_.Receive()), S_OK);
    for (const auto& path : ours_) {
      const std::wstring xml =
          L"<?xml version=\"1.0\" encoding=\"UTF-16\"?><Task version=\"1.2\" "
          L"xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\"><Triggers>"
          L"<LogonTrigger/></Triggers><Settings><Hidden>" +
          std::wstring(path == hidden_ ? L"true" : L"false") +
          L"</Hidden></Settings><Actions><Exec><Command>notepad.exe</Command></Exec></Actions>"
          L"</Task>";
      ComPtr<IRegisteredTask> task;  // the folders on its path are made too
      ASSERT_EQ(root_->RegisterTask(Text(path).get(), Bstr(xml).get(), TASK_CREATE, none.get(),
                                    none.get(), TASK_LOGON_INTERACTIVE_TOKEN, none.get(),
                                    task.Receive()), S_OK) << path;
    }
  }
  void TearDown() override {
    if (!root_) return;
    for (const auto& path : ours_) root_->DeleteTask(Text(path).get(), 0);
    for (const auto& path : {folder_ + "\\inner", folder_}) {
      root_->DeleteFolder(Text(path).get(), 0);
    }
  }
  // Ours in the listing, in its order.
  Paths OursListed() {
    const auto listed = tasks_.Names();
    EXPECT_TRUE(listed.has_value());
    Paths ours;
    for (const auto& path : listed.value_or(Paths{})) {
      if (path.compare(0, folder_.size(), folder_) == 0) ours.push_back(path);
    }
    return ours;
  }

  const win32::ComApartment apartment_;
  ComPtr<ITaskService> service_;
  ComPtr<ITaskFolder> root_;
  const std::string folder_ = "\\CorvaneTest-" + std::to_string(GetCurrentProcessId());
  const std::string hidden_ = folder_ + "\\hidden";
  const Paths ours_ = {folder_ + "-root", folder_ + "\\shown", hidden_, folder_ + "\\inner\\deep"};
  Win32TaskScheduler tasks_;
};

TEST_F(Win32TaskSchedulerTest, ListsEveryTaskByFullPathFolderByFolder) {
  // Wine 8's collections of registered tasks cannot be counted or walked
  // (E_NOTIMPL); there the tasks come from the store's files.
  // A folder's own tasks (in the library's order) come before its subfolders'.
  Paths listed = OursListed();
  ASSERT_EQ(listed.size(), 4u);
  std::sort(listed.begin() + 1, listed.begin() + 3);
  EXPECT_EQ(listed, (Paths{ours_[0], hidden_, ours_[1], ours_[3]}));
  ASSERT_TRUE(tasks_.Delete(hidden_));
  EXPECT_EQ(OursListed(), (Paths{ours_[0], ours_[1], ours_[3]}));
}

TEST_F(Win32TaskSchedulerTest, LooksUpAndDeletesTasksByFullPath) {
  for (const auto& path : ours_) EXPECT_EQ(tasks_.Has(path), true) << path;
  for (const auto& path : {folder_ + "\\missing", folder_ + "-missing\\shown",
                           folder_ + "\\inner", folder_ + "\\", folder_.substr(1) + "-root"}) {
    EXPECT_EQ(tasks_.Has(path), false) << path;
    EXPECT_FALSE(tasks_.Delete(path)) << path;
  }
  EXPECT_EQ(tasks_.Has(folder_ + "\\inner\\deep"), true) << "a folder is no task";

  EXPECT_TRUE(tasks_.Delete(hidden_));
  EXPECT_EQ(tasks_.Has(hidden_), false);
  EXPECT_FALSE(tasks_.Delete(hidden_));
  EXPECT_EQ(tasks_.Has(ours_[1]), true);

  // A thread outside any apartment cannot reach the library: no answer may
  // then pass for "no tasks" or "task gone".
  std::thread([&] {
    Win32TaskScheduler outside;
    EXPECT_EQ(outside.Names(), std::nullopt);
    EXPECT_EQ(outside.Has(ours_[1]), std::nullopt);
    EXPECT_FALSE(outside.Delete(ours_[1]));
  }).join();
  EXPECT_EQ(tasks_.Has(ours_[1]), true);
}

// What a backup keeps of a task registers it again, in its folder made
// anew, and only where no task has the path.
TEST_F(Win32TaskSchedulerTest, RegistersATaskAgainFromItsDefinition) {
  const std::string& path = ours_[3];
  const auto definition = tasks_.Definition(path);
  ASSERT_TRUE(definition.has_value());
  // Wine 8 gives the definition as it stores it, which keeps the settings
  // but no triggers and no action's command.
  if (!win32::RunningOnWine()) {
    EXPECT_NE(definition->find("notepad.exe"), std::string::npos) << *definition;
  }
  EXPECT_FALSE(tasks_.Register(path, *definition)) << "the path is taken";

  ASSERT_TRUE(tasks_.Delete(path));
  ASSERT_EQ(root_->DeleteFolder(Text(folder_ + "\\inner").get(), 0), S_OK);
  EXPECT_EQ(tasks_.Definition(path), std::nullopt);
  EXPECT_TRUE(tasks_.Register(path, *definition));
  EXPECT_EQ(tasks_.Has(path), true);
  EXPECT_EQ(tasks_.Definition(path), definition);

  EXPECT_NE(tasks_.Definition(hidden_).value_or("").find("<Hidden>true</Hidden>"),
            std::string::npos);
  EXPECT_FALSE(tasks_.Register(folder_ + "\\bad", "<Task"));
  EXPECT_FALSE(tasks_.Register("no-folder", *definition));
  EXPECT_EQ(tasks_.Has(folder_ + "\\bad"), false);
}

}  // namespace
}  // namespace corvane
