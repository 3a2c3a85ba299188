// Wall-clock seconds from the performance counter, for the Windows benchmarks.
#pragma once
#include <windows.h>

inline double BenchNow() {
    LARGE_INTEGER f, t;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}
