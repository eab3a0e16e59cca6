// The places whose changes start a poll cycle at once: every key and folder
// that the rows of the table of places read, as Windows can be asked to
// watch them, each with the rows that a change there concerns.
#pragma once

#include <cstddef>
#include <string>

#include "platform/environment.h"
#include "platform/watched_places.h"

namespace corvane {

// At most this many places are watched: one wait of the message loop takes
// 63 handles, and a few are kept spare.
inline constexpr std::size_t kMostWatchedPlaces = 60;

// Every key of every row in each of its views, with its subtree where the
// row says so; the Startup folders, the Windows folder (for the INI files)
// and the task store with its subtree, unless `task_store` is "". The task
// library's row is also rescanned with every change: a standard user may
// not watch its store, and Wine tells no change in the store's subfolders.
// Each
// place is listed once, with the type codes of every row that reads there,
// and folded as FoldPlaces does with kMostWatchedPlaces; a folder made from
// an unset variable, which would name one relative to wherever the program
// runs, is left out.
WatchedPlaces PlacesToWatch(const Environment& environment, const std::string& task_store);

// The places, as few as one wait can watch. A place below one that is
// watched with its subtree is left to that one, which takes its rows; then,
// while there are more than `limit` places, the two keys of one root whose
// common parent key lies deepest are replaced by that parent, watched with
// its subtree and with the rows of both (and of every key below it). The
// order of the places stays that of their first appearance.
WatchedPlaces FoldPlaces(WatchedPlaces places, std::size_t limit);

}  // namespace corvane
