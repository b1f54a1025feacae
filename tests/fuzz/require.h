#pragma once
#include <cstdio>
#include <cstdlib>

namespace tavrin {

// A broken property ends the run, so the fuzzer keeps the input.
inline void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

}  // namespace tavrin
