// Windows itself behind the platform's interfaces, one object of each, for
// the program's run or for one export from the command line.
#pragma once

#include "platform/platform.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_event_log.h"
#include "platform/win32/win32_event_subscriptions.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_program_facts.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_task_scheduler.h"

namespace corvane {

struct Win32Platform {
  Win32Registry registry;
  Win32Environment environment;
  Win32FileSystem files;
  Win32TaskScheduler tasks;
  Win32EventSubscriptions subscriptions;
  Win32ProgramFacts programs;
  Win32EventLog event_log;
  Platform platform{registry, environment, files, tasks, programs, subscriptions, &event_log};
};

}  // namespace corvane
