// The best wall-clock time of several rounds of a piece of work, in ms.
#pragma once
#include <windows.h>

template <typename Work>
double BestMs(int rounds, Work work)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    double best = 1e30;
    for (int i = 0; i < rounds; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        work();
        QueryPerformanceCounter(&end);
        double ms = double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
        if (ms < best)
            best = ms;
    }
    return best;
}
