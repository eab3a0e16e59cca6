#include "changes/blacklist_matches.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "changes/blacklist.h"
#include "platform/errors.h"
#include "texts.h"

namespace corvane {
namespace {

constexpr char kSeparator = '\t';
constexpr char kStampPattern[] = "dddd-dd-dd dd:dd:dd";
constexpr std::size_t kStampLength = sizeof kStampPattern - 1;
constexpr std::size_t kDateLength = 10;

bool IsStamp(const std::string& text) {
  if (text.size() != kStampLength) return false;
  for (std::size_t at = 0; at < kStampLength; ++at) {
    const char c = text[at];
    const bool fits = kStampPattern[at] == 'd' ? c >= '0' && c <= '9' : c == kStampPattern[at];
    if (!fits) return false;
  }
  return true;
}

long Number(const std::string& text, std::size_t at, std::size_t length) {
  return std::stol(text.substr(at, length));
}

// Days since 1970-01-01 of a date in the Gregorian calendar, and back
// (counted in eras of 400 years, which all have the same days).
long DaysFromDate(long year, long month, long day) {
  year -= month <= 2 ? 1 : 0;
  const long era = (year >= 0 ? year : year - 399) / 400;
  const long year_of_era = year - era * 400;
  const long day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const long day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

std::string DateFromDays(long days) {
  days += 719468;
  const long era = (days >= 0 ? days : days - 146096) / 146097;
  const long day_of_era = days - era * 146097;
  const long year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const long day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const long shifted_month = (5 * day_of_year + 2) / 153;
  const long day = day_of_year - (153 * shifted_month + 2) / 5 + 1;
  const long month = shifted_month < 10 ? shifted_month + 3 : shifted_month - 9;
  const long year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
  char text[64];  // room for any long, so no warning of a cut
  std::snprintf(text, sizeof text, "%04ld-%02ld-%02ld", year, month, day);
  return text;
}

// The sortable time 30 days before `now`, which sorts before every recent
// match; "" when `now` is no sortable time.
std::string Cutoff(const std::string& now) {
  if (!IsStamp(now)) return "";
  const long today = DaysFromDate(Number(now, 0, 4), Number(now, 5, 2), Number(now, 8, 2));
  return DateFromDays(today - kRecentMatchDays) + now.substr(kDateLength);
}

// Each name's latest match no older than the cutoff, by name; lines of any
// other form are dropped. Raises InOutError when the file cannot be read.
std::map<std::string, std::string> LatestMatches(const FileSystem& files, const std::string& path,
                                                 const std::string& cutoff) {
  std::map<std::string, std::string> latest;
  if (!files.FileExists(path)) return latest;
  for (const auto& line : SplitTextLines(files.ReadAll(path))) {
    if (line.size() <= kStampLength || line[kStampLength] != kSeparator) continue;
    const auto stamp = line.substr(0, kStampLength);
    if (!IsStamp(stamp) || stamp < cutoff) continue;
    auto& kept = latest[line.substr(kStampLength + 1)];
    if (stamp > kept) kept = stamp;
  }
  return latest;
}

}  // namespace

void RecordBlacklistMatches(FileSystem& files, const std::string& path,
                            const std::vector<std::string>& names, const std::string& now) {
  const auto cutoff = Cutoff(now);
  std::vector<std::string> recorded;
  for (const auto& name : names) {
    // A name that cannot stand on one line never matched a line of the list.
    auto name_in_list = BlacklistName(name);
    if (name_in_list.find_first_of("\r\n\x1A") == std::string::npos) {
      recorded.push_back(std::move(name_in_list));
    }
  }
  if (cutoff.empty() || recorded.empty()) return;
  try {
    auto latest = LatestMatches(files, path, cutoff);
    for (const auto& name : recorded) latest[name] = now;
    std::vector<std::string> lines;
    for (const auto& [matched, stamp] : latest) lines.push_back(stamp + kSeparator + matched);
    files.ReplaceWhole(path, JoinTextLines(lines), texts::kBlacklistMatchesCopySuffix);
  } catch (const InOutError&) {
    // The removal and its log line stand; only the editor's hint is missing.
  }
}

std::map<std::string, std::string> RecentBlacklistMatches(const FileSystem& files,
                                                          const std::string& path,
                                                          const std::string& now) {
  const auto cutoff = Cutoff(now);
  if (cutoff.empty()) return {};
  try {
    auto latest = LatestMatches(files, path, cutoff);
    for (auto& [matched, stamp] : latest) stamp.resize(kDateLength);
    return latest;
  } catch (const InOutError&) {
    return {};
  }
}

}  // namespace corvane
