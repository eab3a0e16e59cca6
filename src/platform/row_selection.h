// Which rows of the table of places a change concerns, and so which rows a
// cycle scans afresh: every row, or some, by their type codes. The watch
// and the poll timer carry it without knowing the rows.
#pragma once

#include <string>
#include <utility>

namespace corvane {

class RowSelection {
 public:
  // No row.
  RowSelection() = default;
  static RowSelection Every() { return RowSelection(true, {}); }
  static RowSelection Only(const std::string& codes) {
    RowSelection rows;
    for (const char code : codes) rows.Add(code);
    return rows;
  }

  bool every() const { return every_; }
  bool empty() const { return !every_ && codes_.empty(); }
  bool Has(char code) const { return every_ || codes_.find(code) != std::string::npos; }
  // Each selected code once, in the order added; "" for every row.
  const std::string& codes() const { return codes_; }

  void Add(char code) {
    if (!Has(code)) codes_ += code;
  }
  void Add(const RowSelection& other) {
    if (other.every_) *this = Every();
    for (const char code : other.codes_) Add(code);
  }

  bool operator==(const RowSelection& other) const {
    return every_ == other.every_ && codes_ == other.codes_;
  }

 private:
  RowSelection(bool every, std::string codes) : every_(every), codes_(std::move(codes)) {}

  bool every_ = false;
  std::string codes_;  // empty when every_
};

}  // namespace corvane
