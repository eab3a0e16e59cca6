// What the portable logic may use of the machine it runs on.
#pragma once

#include "platform/definition_library.h"
#include "platform/environment.h"
#include "platform/event_log.h"
#include "platform/file_system.h"
#include "platform/program_facts.h"
#include "platform/registry.h"

namespace corvane {

struct Platform {
  Registry& registry;
  Environment& environment;
  FileSystem& files;
  DefinitionLibrary& tasks;
  ProgramFacts& programs;
  DefinitionLibrary& subscriptions;  // WMI's permanent event subscriptions
  EventLog* event_log = nullptr;     // none: decisions go to the file log alone

  DefinitionLibrary& LibraryOf(Library which) const {
    return which == Library::kTasks ? tasks : subscriptions;
  }
};

}  // namespace corvane
