// The entry of every test program. Output is unbuffered so that a program
// that dies still shows the tests it ran, and an exception nobody handles is
// named on stderr before the process ends.
#include <windows.h>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

LONG WINAPI ReportUnhandled(EXCEPTION_POINTERS* info)
{
    const EXCEPTION_RECORD* record = info ? info->ExceptionRecord : nullptr;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    fprintf(stderr, "unhandled exception 0x%08lX at %p in %s.%s\n",
            record ? record->ExceptionCode : 0ul, record ? record->ExceptionAddress : nullptr,
            test ? test->test_suite_name() : "(no test)", test ? test->name() : "");
    fflush(stderr);
    return EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    SetUnhandledExceptionFilter(ReportUnhandled);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
