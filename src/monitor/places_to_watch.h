// The places whose changes start a poll cycle at once: every key and folder
// that the rows of the table of places read, as Windows can be asked to
// watch them.
#pragma once

#include <string>

#include "platform/environment.h"
#include "platform/watched_places.h"

namespace corvane {

// Every key of every row in each of its views, with its subtree where the
// row says so; the Startup folders, the Windows folder (for the INI files)
// and the task store with its subtree, unless `task_store` is "". Each
// place is listed once; a folder made from an unset variable, which would
// name one relative to wherever the program runs, is left out.
WatchedPlaces PlacesToWatch(const Environment& environment, const std::string& task_store);

}  // namespace corvane
