// Checks shared by the fuzz targets and the corpus replays: a failed check
// names itself and aborts, which libFuzzer reports with the input and a replay
// reports with the file it was reading.
#pragma once
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                                     \
    do {                                                                                     \
        if (!(cond)) {                                                                       \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);  \
            std::fflush(stderr);                                                             \
            std::abort();                                                                    \
        }                                                                                    \
    } while (0)
