// Declining a changed entry: the command it started before is written back.
#pragma once

#include <string>

#include "monitor/started_command.h"
#include "platform/platform.h"
#include "removal/backup_store.h"
#include "removal/removal_result.h"

namespace corvane {

// The rows whose command can change: the registry value that holds the
// command (a Run-type value, a service's ImagePath), or a Startup shortcut's
// bytes, or a watched file's bytes, from the copy kept in `kept_copies` by
// their hash (a copy whose bytes do not have that hash is not used). Keeps
// what the entry holds now, then
// writes `old` back exactly (the value as stored; a shortcut replaced in one
// step), then looks again. kRemoved when the old command is back,
// kAlreadyGone when it was back already or the entry itself is gone (which
// is never made again), kRefused when the new command stays.
RemovalResult RevertChange(Platform& platform, BackupKeeper& keeper, const std::string& entry,
                           const StartedCommand& old, const std::string& kept_copies);

}  // namespace corvane
