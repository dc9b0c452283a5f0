// The framework's per-thread state.
#include "ThreadState.h"

AFX_THREAD_STATE* AfxGetThreadState()
{
    // Zero-initialised for every new thread; plain data, so a thread's copy
    // needs no clean-up when the thread or the module goes away.
    static thread_local AFX_THREAD_STATE state;
    return &state;
}
