// What a removal did, as the action itself and a fresh look at the item tell.
#pragma once

namespace corvane {

enum class RemovalResult {
  kRemoved,      // the item was there, and this removal made it go
  kAlreadyGone,  // the item was no longer there (or nothing of it starts any more)
  kRefused,      // the item is still in place
};

}  // namespace corvane
