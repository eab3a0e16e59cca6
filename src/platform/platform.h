// What the portable logic may use of the machine it runs on.
#pragma once

#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/program_facts.h"
#include "platform/registry.h"
#include "platform/task_scheduler.h"

namespace corvane {

struct Platform {
  Registry& registry;
  Environment& environment;
  FileSystem& files;
  TaskScheduler& tasks;
  ProgramFacts& programs;
};

}  // namespace corvane
