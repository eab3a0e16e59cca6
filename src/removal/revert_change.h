// Declining a changed entry: the command it started before is written back.
#pragma once

#include <string>

#include "monitor/started_command.h"
#include "platform/platform.h"
#include "removal/backup_store.h"
#include "removal/removal_result.h"

namespace corvane {

// Types 1 and 2 (the Run-type value's data), 4 (the service's ImagePath) and
// 3 (a Startup shortcut's bytes): keeps what the entry holds now, then
// writes `old` back exactly (the value as stored; a shortcut replaced in one
// step), then looks again. kRemoved when the old command is back,
// kAlreadyGone when it was back already or the entry itself is gone (which
// is never made again), kRefused when the new command stays.
RemovalResult RevertChange(Platform& platform, BackupKeeper& keeper, const std::string& entry,
                           const StartedCommand& old);

}  // namespace corvane
