// A stored flag reads as checked unless it is a number that is zero.
#include <cctype>

#include "app/settings.h"
#include "fuzz_support.h"

namespace {

// Zero in a notation the options file knows: blanks, one sign, then a
// decimal or a "$", "x" or "0x" hexadecimal number whose digits are all 0.
bool IsWrittenZero(const std::string& text) {
  std::size_t at = text.find_first_not_of(" \t");
  if (at == std::string::npos) return false;
  if (text[at] == '+' || text[at] == '-') ++at;
  if (text.compare(at, 2, "0x") == 0 || text.compare(at, 2, "0X") == 0) {
    at += 2;
  } else if (at < text.size() && (text[at] == '$' || text[at] == 'x' || text[at] == 'X')) {
    ++at;
  }
  return at < text.size() && text.find_first_not_of('0', at) == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  using corvane::fuzz::Require;
  const std::string text(reinterpret_cast<const char*>(bytes), size);
  Require(corvane::ReadOptionFlag(text) == !IsWrittenZero(text), "only a zero unchecks");
  return 0;
}
