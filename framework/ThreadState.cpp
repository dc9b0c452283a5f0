// The framework's per-thread state.
#include "ThreadState.h"

AFX_THREAD_STATE* AfxGetThreadState()
{
    // Zero-initialised for every new thread; plain data. A thread's copy is
    // freed when the thread ends or, in a library, when the library is freed
    // (ThreadRuntime.cpp).
    static thread_local AFX_THREAD_STATE state;
    return &state;
}
