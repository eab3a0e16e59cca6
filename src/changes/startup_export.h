// The list of startup entries as a file: CSV (UTF-8 with a byte-order mark,
// so that Excel reads it as such) or JSON, chosen by the file's extension.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "changes/startup_list.h"
#include "platform/file_system.h"

namespace corvane {

enum class ExportFormat { kCsv, kJson };

// By the name's extension, letter case aside; none for any other.
std::optional<ExportFormat> ExportFormatOf(const std::string& path);

// Every column of the window for every row given. A CSV field that a
// spreadsheet would take for a formula (it begins with =, +, -, @) is
// written with a leading apostrophe: an entry's name is chosen by the
// program that planted it.
std::string FormatExport(const std::vector<StartupRow>& rows, ExportFormat format);

// Writes the rows to the file in the format its extension names, whole or
// not at all. Raises InOutError when the extension is neither or the file
// cannot be written.
void ExportStartupEntries(FileSystem& files, const std::string& path,
                          const std::vector<StartupRow>& rows);

}  // namespace corvane
