#include "removal/backup_store.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <utility>

#include "platform/errors.h"
#include "removal/backup_place.h"
#include "texts.h"

namespace corvane {

namespace {

// Enough for every name a Startup folder could hand over twice; beyond it
// something is wrong.
constexpr int kLastRemovedNumber = 9999;

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The digits of the record's time, so that names sort as the times do.
std::string Stem(const std::string& sortable) {
  std::string stem;
  for (const char c : sortable) {
    if (c >= '0' && c <= '9') stem += c;
  }
  return stem;
}

// Newer first: a later time, or within one second the record written later
// (a longer number, or the same length and a higher one), as the names say.
bool Newer(const BackupStore::Listed& a, const BackupStore::Listed& b) {
  const auto order = [](const std::string& id) {
    const auto separator = id.find(texts::kBackupNumberSeparator);
    const auto stem = id.substr(0, separator);
    const auto number = separator == std::string::npos ? std::string() : id.substr(separator);
    return std::make_tuple(stem.size(), stem, number.size(), number);
  };
  return order(a.id) > order(b.id);
}

}  // namespace

bool KeepBackup(BackupKeeper& keeper, const BackupBody& body) {
  try {
    keeper.Keep(body);
    return true;
  } catch (const InOutError&) {
    return false;
  }
}

RemovalResult Settle(BackupKeeper& keeper, RemovalResult result) {
  if (result != RemovalResult::kRemoved) keeper.Withdraw();
  return result;
}

BackupStore::BackupStore(FileSystem& files, const Environment& environment,
                         const std::string& data_folder, const RecordSeal& seal)
    : files_(files),
      environment_(environment),
      seal_(seal),
      backups_(data_folder + texts::kBackupsFolder + '\\'),
      removed_(data_folder + texts::kRemovedFolder + '\\') {}

std::optional<std::string> BackupStore::RecordPath(const std::string& id) const {
  // Ids come from List; anything else must not reach outside the folder.
  if (id.find_first_of("\\/:") != std::string::npos || !EndsWith(id, texts::kBackupExtension) ||
      id.size() == std::char_traits<char>::length(texts::kBackupExtension)) {
    return std::nullopt;
  }
  return backups_ + id;
}

std::string BackupStore::Write(const Backup& backup) {
  files_.MakeDirectory(backups_);
  const auto stem = Stem(backup.header.sortable) + texts::kBackupNumberSeparator;
  const auto path = files_.WriteNewFile(
      backups_ + stem + std::to_string(NextNumber(stem)) + texts::kBackupExtension,
      seal_.Seal(FormatBackup(backup)), durability_);
  return path.substr(backups_.size());
}

// One more than the highest number of that second, so names keep their order.
unsigned long BackupStore::NextNumber(const std::string& stem) {
  if (stem != numbered_stem_) {
    numbered_stem_ = stem;
    last_number_ = 0;
    for (const auto& name : files_.FindFiles(backups_ + stem + '*' + texts::kBackupExtension)) {
      last_number_ = std::max(last_number_, std::strtoul(name.c_str() + stem.size(), nullptr, 10));
    }
  }
  return ++last_number_;
}

std::vector<BackupStore::Listed> BackupStore::List() const {
  std::vector<Listed> listed;
  for (const auto& name : files_.FindFiles(backups_ + '*' + texts::kBackupExtension)) {
    listed.push_back({name, Read(name)});
  }
  std::sort(listed.begin(), listed.end(), Newer);
  return listed;
}

std::optional<Backup> BackupStore::Read(const std::string& id) const {
  const auto path = RecordPath(id);
  if (!path || !files_.FileExists(*path)) return std::nullopt;
  try {
    const auto opened = seal_.Open(files_.ReadAll(*path));
    if (opened.found != RecordSeal::Found::kSealed) return std::nullopt;
    return Fitting(opened.text);
  } catch (const InOutError&) {
    return std::nullopt;
  }
}

std::optional<Backup> BackupStore::Fitting(const std::string& text) const {
  auto backup = ParseBackup(text);
  if (!backup || !BackupFitsEntry(environment_, backup->header.entry, backup->body)) {
    return std::nullopt;
  }
  return backup;
}

void BackupStore::SealEarlierRecords() {
  for (const auto& name : files_.FindFiles(backups_ + '*' + texts::kBackupExtension)) {
    const auto path = RecordPath(name);
    if (!path) continue;
    try {
      const auto opened = seal_.Open(files_.ReadAll(*path));
      if (opened.found != RecordSeal::Found::kUnsealed || !Fitting(opened.text)) continue;
      files_.ReplaceWhole(*path, seal_.Seal(opened.text), texts::kRecordCopySuffix);
    } catch (const InOutError&) {
      // Left as it is, and so damaged.
    }
  }
}

void BackupStore::Forget(const std::string& id) {
  if (const auto backup = Read(id)) {
    if (const auto* moved = std::get_if<MovedFileBackup>(&backup->body)) {
      files_.RemoveFile(RemovedPath(moved->kept_name));
    }
  }
  DropRecord(id);
}

void BackupStore::DropRecord(const std::string& id) {
  if (const auto path = RecordPath(id)) files_.RemoveFile(*path);
}

std::string BackupStore::RemovedPath(const std::string& kept_name) const {
  return removed_ + kept_name;
}

std::string BackupStore::FreeRemovedPath(const std::string& name) {
  files_.MakeDirectory(removed_);
  // Kept under a name every Windows program can handle: one that ends in a
  // dot or a blank is reachable by its exact path alone (the record keeps
  // the original name for putting it back).
  const auto kept = name.find_last_not_of(". ");
  const auto file_name = kept == std::string::npos ? std::string(texts::kRemovedWithoutName)
                                                   : name.substr(0, kept + 1);
  const auto dot = file_name.rfind('.');
  const auto stem = dot == std::string::npos ? file_name : file_name.substr(0, dot);
  const auto extension = dot == std::string::npos ? std::string() : file_name.substr(dot);
  for (int number = 1; number <= kLastRemovedNumber; ++number) {
    const auto path =
        removed_ + (number == 1 ? file_name
                                : stem + texts::kRemovedNumberOpen + std::to_string(number) +
                                      texts::kRemovedNumberClose + extension);
    if (!files_.FileExists(path) && !files_.DirectoryExists(path)) return path;
  }
  throw InOutError(FormatText(texts::kUnableToWriteFile, removed_ + file_name));
}

StoreKeeper::StoreKeeper(BackupStore& store, BackupHeader header)
    : store_(store), header_(std::move(header)) {}

void StoreKeeper::Keep(const BackupBody& body) {
  try {
    last_id_ = store_.Write({header_, body});
  } catch (const InOutError&) {
    not_kept_in_ = store_.BackupsFolder();
    throw;
  }
}

void StoreKeeper::Withdraw() {
  if (last_id_.empty()) return;
  store_.DropRecord(last_id_);
  last_id_.clear();
}

std::string StoreKeeper::FreeRemovedPath(const std::string& file_name) {
  try {
    return store_.FreeRemovedPath(file_name);
  } catch (const InOutError&) {
    not_kept_in_ = store_.RemovedFolder();
    throw;
  }
}

}  // namespace corvane
