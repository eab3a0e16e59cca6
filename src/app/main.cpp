// Corvane's entry point. For now it takes one snapshot scan of every area
// and ends; an unreadable INI file is reported in the application's error box.
#include <windows.h>

#include <exception>

#include "monitor/area_switches.h"
#include "monitor/snapshot_scan.h"
#include "platform/errors.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "texts.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  corvane::Win32Registry registry;
  corvane::Win32Environment environment;
  corvane::Win32FileSystem files;
  const corvane::Platform platform{registry, environment, files};
  const corvane::FixedAreaSwitches switches;
  corvane::EntryTables tables;
  try {
    corvane::TakeSnapshotScan(platform, switches, tables);
  } catch (const corvane::InOutError& error) {
    MessageBoxA(nullptr, error.what(), corvane::texts::kApplicationTitle, MB_OK | MB_ICONERROR);
    return 1;
  }
  return 0;
}
