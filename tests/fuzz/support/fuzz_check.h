// What a fuzz target does when an invariant breaks: it says which one and aborts, so that
// libFuzzer keeps the input that broke it.
#pragma once
#include <cstdio>
#include <cstdlib>

namespace wendlix::fuzz_support {

[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

inline void Check(bool ok, const char* what) {
  if (!ok) Fail(what);
}

}  // namespace wendlix::fuzz_support
