// The backups of removals, kept in the data folder so that they outlive
// restarts: "Backups\" holds one record file per removal (see
// backup_record.h), written whole and flushed under a name no file had, so a
// half-written record never exists; "Removed\" holds the Startup files that
// removals moved out of their folder. No scanner reads either folder.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/environment.h"
#include "platform/file_system.h"
#include "removal/backup_record.h"
#include "removal/record_seal.h"
#include "removal/removal_result.h"

namespace corvane {

// What a removal action uses to keep its backup before it removes anything.
class BackupKeeper {
 public:
  virtual ~BackupKeeper() = default;
  // Writes the record of the removal about to be made. Raises InOutError
  // when it cannot; the item must then stay in place.
  virtual void Keep(const BackupBody& body) = 0;
  // Drops the record kept last: the item was not removed after all.
  virtual void Withdraw() = 0;
  // A path in the Removed folder that nothing has yet, for a file of that
  // name ("name (2).lnk" when "name.lnk" is taken; without the dots and
  // blanks that end it); the folder is made when missing. Raises InOutError
  // when it cannot be.
  virtual std::string FreeRemovedPath(const std::string& file_name) = 0;
};

// Keeps the backup; false when it could not be written.
bool KeepBackup(BackupKeeper& keeper, const BackupBody& body);

// The removal's result; its backup is withdrawn unless the item was removed.
RemovalResult Settle(BackupKeeper& keeper, RemovalResult result);

// A record is accepted only when it bears the seal of this user's key and
// puts back exactly what a removal of its entry changed (BackupFitsEntry);
// any other record is damaged: listed, so that it can be forgotten, and
// never acted on.
class BackupStore {
 public:
  // `data_folder` with its trailing backslash.
  BackupStore(FileSystem& files, const Environment& environment, const std::string& data_folder,
              const RecordSeal& seal);

  struct Listed {
    std::string id;                // the record's file name
    std::optional<Backup> backup;  // none for a damaged record
  };

  // Writes the sealed record under a new name and returns its id. Raises InOutError.
  std::string Write(const Backup& backup);
  // Newest first, by the time and number in their names; damaged ones too.
  std::vector<Listed> List() const;
  // No value when there is no accepted record of that id.
  std::optional<Backup> Read(const std::string& id) const;
  // Drops the record, and the file kept for it when the record is accepted.
  void Forget(const std::string& id);
  // Drops the record only.
  void DropRecord(const std::string& id);
  // Seals the records that an earlier version wrote without a seal and that
  // an accepted record could hold; the others stay damaged.
  void SealEarlierRecords();

  std::string RemovedPath(const std::string& kept_name) const;
  // The folders, without their trailing backslash.
  std::string BackupsFolder() const { return backups_.substr(0, backups_.size() - 1); }
  std::string RemovedFolder() const { return removed_.substr(0, removed_.size() - 1); }
  std::string FreeRemovedPath(const std::string& file_name);

  // Records written from now on share one flush, made by FlushRecords, for
  // a cycle that removes many entries: each is still in the folder by name
  // before Write returns, so before its item goes.
  void DeferFlushes() { durability_ = Durability::kFlushLater; }
  // Flushes the records written since DeferFlushes; `meanwhile` runs every
  // few milliseconds while that takes time.
  void FlushRecords(const std::function<void()>& meanwhile) { files_.FlushWritten(meanwhile); }

 private:
  std::optional<std::string> RecordPath(const std::string& id) const;
  // The record, when it is whole and puts back only its entry's item.
  std::optional<Backup> Fitting(const std::string& text) const;
  unsigned long NextNumber(const std::string& stem);

  FileSystem& files_;
  const Environment& environment_;
  RecordSeal seal_;
  std::string backups_;  // with trailing backslash
  std::string removed_;  // with trailing backslash
  Durability durability_ = Durability::kFlushed;
  // The number given last to a record of that stem's second, so that a
  // batch lists the folder once a second rather than once a record.
  std::string numbered_stem_;
  unsigned long last_number_ = 0;
};

// Keeps each backup with the header of the one entry being removed.
class StoreKeeper : public BackupKeeper {
 public:
  StoreKeeper(BackupStore& store, BackupHeader header);
  void Keep(const BackupBody& body) override;
  void Withdraw() override;
  std::string FreeRemovedPath(const std::string& file_name) override;

  // The record kept last; "" when none (or it was withdrawn).
  const std::string& last_id() const { return last_id_; }
  // The folder where a backup could not be kept; "" while none failed.
  const std::string& not_kept_in() const { return not_kept_in_; }
  const BackupHeader& header() const { return header_; }

 private:
  BackupStore& store_;
  BackupHeader header_;
  std::string last_id_;
  std::string not_kept_in_;
};

}  // namespace corvane
