#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property in a fuzz target: report it and stop, so libFuzzer keeps
// the input as a crash.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", __FILE__, __LINE__,             \
                         #condition);                                                              \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
