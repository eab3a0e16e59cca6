#include "changes/startup_export.h"

#include <cstdio>

#include "platform/case_fold.h"
#include "platform/errors.h"
#include "texts.h"

namespace corvane {

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() > tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string CsvField(const std::string& text) {
  std::string field = "\"";
  if (!text.empty() && std::string("=+-@").find(text[0]) != std::string::npos) field += '\'';
  for (const char c : text) {
    if (c == '"') field += '"';
    field += c;
  }
  return field + '"';
}

std::string JsonString(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (byte < 0x20 || byte == 0x7f) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      quoted += escaped;
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

std::string Csv(const std::vector<StartupRow>& rows) {
  std::string text = "\xEF\xBB\xBF";
  const auto& columns = StartupColumns();
  const auto line = [&](auto cell) {
    for (std::size_t at = 0; at < columns.size(); ++at) {
      if (at != 0) text += ',';
      text += CsvField(cell(columns[at]));
    }
    text += "\r\n";
  };
  line([](const StartupColumnInfo& info) { return std::string(info.heading); });
  for (const auto& row : rows) {
    line([&row](const StartupColumnInfo& info) { return CellText(row, info.column); });
  }
  return text;
}

std::string Json(const std::vector<StartupRow>& rows) {
  std::string text = "[";
  for (std::size_t at = 0; at < rows.size(); ++at) {
    text += at == 0 ? "\n  {" : ",\n  {";
    bool first = true;
    for (const auto& info : StartupColumns()) {
      text += first ? "" : ", ";
      first = false;
      text += JsonString(info.json_name) + ": " + JsonString(CellText(rows[at], info.column));
    }
    text += ", \"program\": " + JsonString(rows[at].program) + "}";
  }
  return text + (rows.empty() ? "]\n" : "\n]\n");
}

}  // namespace

std::optional<ExportFormat> ExportFormatOf(const std::string& path) {
  const auto folded = FoldCase(path);
  if (EndsWith(folded, ".csv")) return ExportFormat::kCsv;
  if (EndsWith(folded, ".json")) return ExportFormat::kJson;
  return std::nullopt;
}

std::string FormatExport(const std::vector<StartupRow>& rows, ExportFormat format) {
  return format == ExportFormat::kCsv ? Csv(rows) : Json(rows);
}

void ExportStartupEntries(FileSystem& files, const std::string& path,
                          const std::vector<StartupRow>& rows) {
  const auto format = ExportFormatOf(path);
  if (!format) throw InOutError(texts::kExportNeedsFile);
  files.ReplaceWhole(path, FormatExport(rows, *format), texts::kExportCopySuffix);
}

}  // namespace corvane
