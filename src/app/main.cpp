// Corvane's start: one copy per user session, then the application titled
// "Corvane", the main window (which puts the icon into the notification
// area and takes the first baseline), the alert, the blacklist editor, the
// log viewer, the windows of removed and of startup entries and the progress of a long run
// of removals, then the message loop, which also waits for Windows to
// signal a change at a watched place, until the user exits. The windows go
// in reverse order.
#include <windows.h>

#include "app/command_switches.h"
#include "app/resources.h"
#include "app/unit1.h"
#include "changes/data_files.h"
#include "changes/removal_progress.h"
#include "changes/removed_entries_store.h"
#include "changes/startup_entries_store.h"
#include "changes/unit2.h"
#include "changes/unit3.h"
#include "changes/unit4.h"
#include "changes/unit5.h"
#include "changes/unit6.h"
#include "monitor/places_to_watch.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/framework/application.h"
#include "platform/win32/framework/session_mutex.h"
#include "platform/win32/framework/win32_clock.h"
#include "platform/win32/framework/win32_message_boxes.h"
#include "platform/win32/signature_worker.h"
#include "platform/win32/win32_change_watch.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_profile_file.h"
#include "platform/win32/win32_signatures.h"
#include "platform/win32/win32_user_secrets.h"
#include "texts.h"

namespace {

// Made by the copy of Corvane that runs in this session, for as long as it runs.
constexpr wchar_t kSessionMutexName[] = L"Local\\Halvorn.Corvane.Running";

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace corvane;
  // For the program's life, and first: the task library and WMI are reached
  // through COM objects of this thread, and they go before the apartment does.
  const win32::ComApartment apartment;
  // A switch on the command line asks for work without the icon or a window.
  if (const auto exit_code = RunCommandSwitches(CommandArguments())) return *exit_code;
  // Before any window or icon: a second copy would watch the same places
  // and ask twice about every entry.
  const win32::SessionMutex running(kSessionMutexName);
  if (running.HeldElsewhere()) {
    TForm1::BringRunningForward();
    return 0;
  }
  win32::Application application(instance, texts::kApplicationTitle, IDI_CORVANE);

  Win32Platform windows;
  Platform& platform = windows.platform;
  auto& environment = windows.environment;
  auto& files = windows.files;
  Win32ProfileFile profile;
  win32::Win32MessageBoxes boxes(application);
  win32::Win32Clock clock;
  EntryTables tables;
  Win32UserSecrets secrets;
  DataFiles data = LocateDataFiles(files, environment);
  OpenDataFolder(files, environment, secrets, data);
  tables.kept_copies = data.KeptCopies();
  // Armed before the first baseline, so that no change after it goes
  // unnoticed; a signal from before it only gives one quiet cycle.
  const auto task_store = TaskStoreFolder();
  const auto places = PlacesToWatch(environment, task_store);
  win32::Win32ChangeWatch watch(places);
  // Before every scan; the shell's Startup folders can be redirected while
  // Corvane runs, and the watch follows them.
  const auto arm = [&watch, &environment, &task_store] {
    watch.FollowFolders(PlacesToWatch(environment, task_store).folders);
    watch.ArmSignaled();
  };

  // Program files' signatures, checked on a thread of their own for every
  // window that shows them; it outlives the windows.
  Win32Signatures signature_checks;
  win32::SignatureWorker signatures(signature_checks);
  BaselineFile saved_baseline(files, data.SavedBaseline(), data.seal);
  TForm1 form1(application, MainWindowParts{platform, data, profile, boxes, clock, tables,
                                            &saved_baseline, arm, places.unsignaled_rows});
  TForm2 form2(application, signatures);
  TForm3 form3(application, files, data, boxes, clock);
  TForm4 form4(application, files, data);
  RemovedEntriesStore removed(platform, data, tables, clock);
  TForm5 form5(application, removed, boxes);
  StartupEntriesStore startup(platform, data, tables, clock);
  TForm6 form6(application, startup, signatures, form5, boxes);
  RemovalProgress progress(application);
  form1.Attach(form2, form3, form4, form5, form6, progress);
  application.WaitAlsoOn([&watch] { return watch.Handles(); },
                         [&watch, &form1](HANDLE signaled) {
                           if (const auto rows = watch.Signaled(signaled)) {
                             form1.WatchedPlaceChanged(*rows);
                           }
                         });
  return application.Run();
}
