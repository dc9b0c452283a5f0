// Prints timings of the loaded calculator module ("name: value unit"): one
// Process call for a typical expression, one for an expression that calls
// three user functions side by side, one for a user function whose body calls
// a second one whose body calls a third, and loading the module with 100 user
// functions in its "Numbra.ini".
#include "NumbraLoader.h"
#include <cstdio>
#include <string>

namespace {

double Seconds(const LARGE_INTEGER& start, const LARGE_INTEGER& end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return (double)(end.QuadPart - start.QuadPart) / frequency.QuadPart;
}

double MicrosPerCall(CNumbraLoader& numbra, const wchar_t* text, int calls)
{
    EditRequest request = {};
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < calls; ++i) {
        wcscpy(request.text, text);
        numbra.process(&request, 2);
    }
    QueryPerformanceCounter(&end);
    return Seconds(start, end) * 1e6 / calls;
}

} // namespace

int main()
{
    std::string settings = "[Constants]\n";
    for (int i = 0; i < 20; ++i)
        settings += "c" + std::to_string(i) + "=" + std::to_string(i) + " ;constant\n";
    settings += "[Functions]\n";
    for (int i = 0; i < 94; ++i)
        settings += "f" + std::to_string(i) + "(a,b)=a*b+" + std::to_string(i) + " ;function\n";
    settings += "hyp(a,b)=sqrt(a*a+b*b)\nsq(x)=x*x\navg3=(p1+p2+p3)/_cnt\n"
                "outer(x)=middle(x)+1\nmiddle(x)=inner(x)*2\ninner(x)=x+1\n"
                "[Operators2]\nhyp=#\n[Operators1]\nsq='\n";

    LARGE_INTEGER start, end;
    // The first load pays for reading the library from disk.
    {
        CNumbraLoader first;
    }
    QueryPerformanceCounter(&start);
    {
        CNumbraLoader plain;
    }
    QueryPerformanceCounter(&end);
    std::printf("numbra_load_plain: %.1f ms\n", Seconds(start, end) * 1e3);
    QueryPerformanceCounter(&start);
    CNumbraLoader numbra(settings.c_str());
    QueryPerformanceCounter(&end);
    if (!numbra.process) {
        std::printf("numbra_load: failed\n");
        return 1;
    }
    std::printf("numbra_load_100_functions: %.1f ms\n", Seconds(start, end) * 1e3);
    std::printf("numbra_process: %.1f us\n",
        MicrosPerCall(numbra, L"(0x1F & 7) + sqrt(2)*3^^2 - 1010 1111 % 7", 1000));
    std::printf("numbra_process_3_user_functions: %.1f us\n",
        MicrosPerCall(numbra, L"hyp(3,4) + sq(2) + avg3(1,2,3)", 200));
    std::printf("numbra_process_3_nested_user_functions: %.1f us\n", MicrosPerCall(numbra, L"outer(3)", 200));
    return 0;
}
