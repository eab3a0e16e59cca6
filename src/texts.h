// Every text that Corvane shows or writes, in one place, so that the logic,
// the windows and the tests all hold the same words.
#pragma once

namespace corvane::texts {

inline constexpr const char kApplicationTitle[] = "Corvane";
inline constexpr const char kProgramVersion[] = "2.1";

// Error messages; "%s" stands for the name that the message is about.
inline constexpr const char kUnableToReadFile[] = "Unable to read %s";
inline constexpr const char kUnableToWriteFile[] = "Unable to write to %s";
inline constexpr const char kFailedToSetData[] = "Failed to set data for '%s'";
inline constexpr const char kFailedToGetData[] = "Failed to get data for '%s'";
inline constexpr const char kInvalidDataType[] = "Invalid data type for '%s'";

}  // namespace corvane::texts
