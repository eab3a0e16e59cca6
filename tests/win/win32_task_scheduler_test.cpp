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
#include "platform/win32/wide.h"

namespace corvane {
namespace {

using Paths = std::vector<std::string>;
using win32::Bstr;
using win32::ComPtr;
using win32::Variant;

// A task that starts at logon, as a program that starts itself would register one.
std::wstring TaskXml(bool hidden) {
  return std::wstring(
             L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>"
             L"<Task version=\"1.2\" "
             L"xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">"
             L"<Triggers><LogonTrigger><Enabled>true</Enabled></LogonTrigger></Triggers>"
             L"<Settings><Hidden>") +
         (hidden ? L"true" : L"false") +
         L"</Hidden></Settings>"
         L"<Actions><Exec><Command>C:\\windows\\notepad.exe</Command></Exec></Actions></Task>";
}

// Tasks registered in the machine's real library under this process's own
// names, set up and removed directly through the Task Scheduler's interfaces.
class Win32TaskSchedulerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(apartment_.Entered());
    ASSERT_EQ(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                               IID_ITaskService, service_.ReceiveVoid()), S_OK);
    const Variant none;
    ASSERT_EQ(service_->Connect(none.get(), none.get(), none.get(), none.get()), S_OK);
    TearDown();
  }
  void TearDown() override {
    if (!service_) return;
    for (const auto& task : {"\\" + tag_ + "-root", folder_ + "\\shown", folder_ + "\\hidden",
                             folder_ + "\\inner\\deep"}) {
      const auto slash = task.rfind('\\');
      if (const auto parent = Folder(slash == 0 ? "\\" : task.substr(0, slash))) {
        parent->DeleteTask(Bstr(win32::Wide(task.substr(slash + 1))).get(), 0);
      }
    }
    if (const auto folder = Folder(folder_)) folder->DeleteFolder(Bstr(L"inner").get(), 0);
    if (const auto root = Folder("\\")) root->DeleteFolder(Bstr(win32::Wide(tag_)).get(), 0);
  }
  // Empty when there is no such folder.
  ComPtr<ITaskFolder> Folder(const std::string& path) {
    ComPtr<ITaskFolder> folder;
    service_->GetFolder(Bstr(win32::Wide(path)).get(), folder.Receive());
    return folder;
  }
  void MakeFolder(const std::string& parent, const std::string& name) {
    const auto folder = Folder(parent);
    ASSERT_TRUE(bool(folder)) << parent;
    ComPtr<ITaskFolder> made;
    const Variant none;
    ASSERT_EQ(folder->CreateFolder(Bstr(win32::Wide(name)).get(), none.get(),
                                                   made.Receive()), S_OK);
  }
  void Register(const std::string& parent, const std::string& name, bool hidden = false) {
    const auto folder = Folder(parent);
    ASSERT_TRUE(bool(folder)) << parent;
    ComPtr<IRegisteredTask> task;
    const Variant none;
    ASSERT_EQ(folder->RegisterTask(
                  Bstr(win32::Wide(name)).get(), Bstr(TaskXml(hidden)).get(), TASK_CREATE,
                  none.get(), none.get(), TASK_LOGON_INTERACTIVE_TOKEN, none.get(),
                  task.Receive()), S_OK) << name;
  }
  // One task in the root, two (one hidden) in a folder, one in its subfolder.
  void RegisterOurs() {
    Register("\\", tag_ + "-root");
    MakeFolder("\\", tag_);
    MakeFolder(folder_, "inner");
    Register(folder_ + "\\inner", "deep");
    Register(folder_, "shown");
    Register(folder_, "hidden", true);
  }
  // Wine 8's collections of registered tasks cannot be counted or walked
  // (E_NOTIMPL): there no folder's tasks can be listed.
  bool TasksCanBeListed() {
    ComPtr<IRegisteredTaskCollection> tasks;
    LONG count = 0;
    return Folder("\\")->GetTasks(TASK_ENUM_HIDDEN, tasks.Receive()) == S_OK &&
           tasks->get_Count(&count) == S_OK;
  }
  // Ours in the listing, in its order.
  Paths OursListed() {
    const auto listed = tasks_.ListTasks();
    EXPECT_TRUE(listed.has_value());
    Paths ours;
    for (const auto& path : listed.value_or(Paths{})) {
      if (path.find(tag_) != std::string::npos) ours.push_back(path);
    }
    return ours;
  }

  const win32::ComApartment apartment_;
  ComPtr<ITaskService> service_;
  const std::string tag_ = "CorvaneTest-" + std::to_string(GetCurrentProcessId());
  const std::string folder_ = "\\" + tag_;
  Win32TaskScheduler tasks_;
};

TEST_F(Win32TaskSchedulerTest, ListsEveryTaskByFullPathFolderByFolder) {
  ASSERT_NO_FATAL_FAILURE(RegisterOurs());
  if (!TasksCanBeListed()) {
    EXPECT_EQ(tasks_.ListTasks(), std::nullopt) << "no listing may pass for an empty library";
    return;
  }
  // A folder's own tasks (in the library's order) come before those of its
  // subfolders.
  Paths listed = OursListed();
  ASSERT_EQ(listed.size(), 4u);
  std::sort(listed.begin() + 1, listed.begin() + 3);
  EXPECT_EQ(listed, (Paths{"\\" + tag_ + "-root", folder_ + "\\hidden", folder_ + "\\shown",
                           folder_ + "\\inner\\deep"}));
  ASSERT_TRUE(tasks_.DeleteTask(folder_ + "\\hidden"));
  EXPECT_EQ(OursListed(), (Paths{"\\" + tag_ + "-root", folder_ + "\\shown",
                                 folder_ + "\\inner\\deep"}));
}

TEST_F(Win32TaskSchedulerTest, LooksUpAndDeletesTasksByFullPath) {
  ASSERT_NO_FATAL_FAILURE(RegisterOurs());
  const struct {
    std::string path;
    bool exists;
  } cases[] = {
      {folder_ + "\\shown", true},
      {folder_ + "\\hidden", true},
      {folder_ + "\\inner\\deep", true},
      {"\\" + tag_ + "-root", true},
      {folder_ + "\\missing", false},
      {folder_ + "-missing\\shown", false},
      {folder_ + "\\inner", false},
      {folder_ + "\\", false},
      {tag_ + "-root", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(tasks_.TaskExists(c.path), c.exists) << c.path;

  EXPECT_TRUE(tasks_.DeleteTask(folder_ + "\\hidden"));
  EXPECT_EQ(tasks_.TaskExists(folder_ + "\\hidden"), false);
  EXPECT_EQ(tasks_.TaskExists(folder_ + "\\shown"), true);
  EXPECT_FALSE(tasks_.DeleteTask(folder_ + "\\hidden"));
  EXPECT_FALSE(tasks_.DeleteTask(folder_ + "-missing\\shown"));
  EXPECT_FALSE(tasks_.DeleteTask(folder_ + "\\inner"));
  EXPECT_EQ(tasks_.TaskExists(folder_ + "\\inner\\deep"), true) << "a folder is no task";
}

// A thread outside any COM apartment cannot reach the library: no answer
// may then pass for "no tasks" or "task gone".
TEST_F(Win32TaskSchedulerTest, GivesNoAnswerWhereTheLibraryCannotBeReached) {
  Register("\\", tag_ + "-root");
  std::thread outside([&] {
    Win32TaskScheduler tasks;
    EXPECT_EQ(tasks.ListTasks(), std::nullopt);
    EXPECT_EQ(tasks.TaskExists("\\" + tag_ + "-root"), std::nullopt);
    EXPECT_FALSE(tasks.DeleteTask("\\" + tag_ + "-root"));
  });
  outside.join();
  EXPECT_EQ(tasks_.TaskExists("\\" + tag_ + "-root"), true);
}

}  // namespace
}  // namespace corvane
