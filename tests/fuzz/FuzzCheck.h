#pragma once
// A failed check in a fuzz target: the message and an abort, which libFuzzer reports as a finding
// with the input that caused it.

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                                  \
    do {                                                                                                       \
        if (!(condition)) {                                                                                    \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);          \
            std::abort();                                                                                      \
        }                                                                                                      \
    } while (false)
