// Prints the average time of one Process call of the loaded calculator
// module for a typical expression.
#include "NumbraLoader.h"
#include <cstdio>

int main()
{
    CNumbraLoader numbra;
    if (!numbra.process) {
        std::printf("numbra_load: failed\n");
        return 1;
    }
    const int Calls = 1000;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    EditRequest request = {};
    QueryPerformanceCounter(&start);
    for (int i = 0; i < Calls; ++i) {
        wcscpy(request.text, L"(0x1F & 7) + sqrt(2)*3^^2 - 1010 1111 % 7");
        numbra.process(&request, 2);
    }
    QueryPerformanceCounter(&end);
    double micros = (end.QuadPart - start.QuadPart) * 1e6 / frequency.QuadPart / Calls;
    std::printf("numbra_process: %.1f us\n", micros);
    return 0;
}
