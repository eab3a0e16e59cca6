// Windows compares registry, environment and file names without regard to
// letter case; Corvane and its in-memory platform do the same with this key
// (ASCII letters only).
#pragma once

#include <string>

namespace corvane {

inline std::string FoldCase(std::string text) {
  for (auto& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

}  // namespace corvane
