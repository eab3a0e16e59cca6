// Corvane's start: the application titled "Corvane", then the main window
// (which puts the icon into the notification area and takes the first
// baseline), the alert, the blacklist editor and the log viewer, then the
// message loop until the user exits. The windows go in reverse order.
#include <windows.h>

#include "app/unit1.h"
#include "changes/data_files.h"
#include "changes/unit2.h"
#include "changes/unit3.h"
#include "changes/unit4.h"
#include "platform/win32/framework/application.h"
#include "platform/win32/framework/win32_clock.h"
#include "platform/win32/framework/win32_message_boxes.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_profile_file.h"
#include "platform/win32/win32_registry.h"
#include "texts.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace corvane;
  // The title comes first: the tray icon finds the taskbar window by it.
  win32::Application application(instance, texts::kApplicationTitle);

  Win32Registry registry;
  Win32Environment environment;
  Win32FileSystem files;
  Platform platform{registry, environment, files};
  Win32ProfileFile profile;
  win32::Win32MessageBoxes boxes(application);
  win32::Win32Clock clock;
  EntryTables tables;
  const DataFiles data = LocateDataFiles(files, environment);

  TForm1 form1(application, MainWindowParts{platform, data, profile, boxes, clock, tables});
  TForm2 form2(application);
  TForm3 form3(application, files, data, boxes);
  TForm4 form4(application, files, data);
  form1.Attach(form2, form3, form4);
  return application.Run();
}
