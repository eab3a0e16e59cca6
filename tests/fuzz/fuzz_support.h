// What the fuzz targets share: a property that fails stops the run with the
// input that broke it, and a file system for the inputs to live in.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/memory/memory_file_system.h"

namespace corvane::fuzz {

inline void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

inline std::string Text(FuzzedDataProvider& data) { return data.ConsumeRandomLengthString(4096); }

}  // namespace corvane::fuzz
