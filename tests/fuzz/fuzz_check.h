#pragma once
// A broken promise stops the fuzzer with its reason; libFuzzer keeps the input that broke it.

#include <cstdio>
#include <cstdlib>

namespace veilpix::fuzzing {

inline void Require(bool holds, const char* promise) {
  if (holds) return;
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::abort();
}

}  // namespace veilpix::fuzzing
