// The C++ runtime's run-once and thread-specific primitives for a library
// (the engine and the modules), on plain Win32 TLS.
//
// Each library links its own static copy of the runtime. With the posix
// thread model, the runtime's first run-once or thread-specific call on a
// thread (a guarded static, a thread_local, the first exception thrown)
// makes the thread library create a record for that thread: an event, a
// duplicate of the thread's handle, a TLS index and, for the first key, two
// semaphores. They are freed only when the thread ends, never when the
// library is freed. The host's GUI thread outlives every module, and each
// settings reload frees and loads every module again, so each reload left
// them behind.
//
// The library is linked with --wrap for the functions below (see
// merovin_dll), so the runtime's calls come here instead: run-once is plain
// interlocked state, and keys are Win32 TLS slots whose values this library
// destroys when a thread ends and, for the freeing thread, when the library
// is freed; the slots themselves are released then too.
#include <windows.h>
#include <cerrno>

namespace {

const unsigned MaxKeys = 16;

enum KeyState : LONG { KeyFree, KeyTaking, KeyInUse };

struct CRuntimeKey {
    volatile LONG state;
    DWORD slot;
    void (*destroy)(void*);
};

CRuntimeKey g_keys[MaxKeys];

bool InUse(unsigned key)
{
    return key < MaxKeys && g_keys[key].state == KeyInUse;
}

// Destroys this thread's values, again while destructors set new ones.
void DestroyThreadValues()
{
    for (int round = 0; round < 4; ++round) {
        bool destroyed = false;
        for (unsigned key = 0; key < MaxKeys; ++key) {
            if (!InUse(key) || !g_keys[key].destroy)
                continue;
            void* value = TlsGetValue(g_keys[key].slot);
            if (!value)
                continue;
            TlsSetValue(g_keys[key].slot, nullptr);
            g_keys[key].destroy(value);
            destroyed = true;
        }
        if (!destroyed)
            return;
    }
}

void NTAPI ThreadRuntimeCallback(PVOID, DWORD reason, PVOID)
{
    if (reason == DLL_THREAD_DETACH)
        DestroyThreadValues();
}

// Constructed before, and so destroyed after, every other static object of
// the library: the last code that runs when the library is freed.
struct CRuntimeRelease {
    ~CRuntimeRelease()
    {
        DestroyThreadValues();
        for (unsigned key = 0; key < MaxKeys; ++key) {
            if (InUse(key)) {
                g_keys[key].state = KeyFree;
                TlsFree(g_keys[key].slot);
            }
        }
    }
};

CRuntimeRelease g_release __attribute__((init_priority(101)));

} // namespace

extern "C" {

// Called for every thread that ends while the library is loaded.
__attribute__((section(".CRT$XLY"), used)) PIMAGE_TLS_CALLBACK g_threadRuntimeCallback = ThreadRuntimeCallback;

// pthread_once_t is a long: 0 not run, 1 done; 2 marks a run in progress here.
int __wrap_pthread_once(volatile LONG* once, void (*init)(void))
{
    if (*once == 1)
        return 0;
    if (InterlockedCompareExchange(once, 2, 0) == 0) {
        init();
        InterlockedExchange(once, 1);
        return 0;
    }
    while (*once != 1)
        SwitchToThread();
    return 0;
}

int __wrap_pthread_key_create(unsigned* key, void (*destroy)(void*))
{
    DWORD slot = TlsAlloc();
    if (slot == TLS_OUT_OF_INDEXES)
        return EAGAIN;
    for (unsigned k = 0; k < MaxKeys; ++k) {
        if (InterlockedCompareExchange(&g_keys[k].state, KeyTaking, KeyFree) == KeyFree) {
            g_keys[k].slot = slot;
            g_keys[k].destroy = destroy;
            InterlockedExchange(&g_keys[k].state, KeyInUse);
            *key = k;
            return 0;
        }
    }
    TlsFree(slot);
    return EAGAIN;
}

int __wrap_pthread_key_delete(unsigned key)
{
    if (!InUse(key))
        return EINVAL;
    g_keys[key].state = KeyFree;
    TlsFree(g_keys[key].slot);
    return 0;
}

void* __wrap_pthread_getspecific(unsigned key)
{
    return InUse(key) ? TlsGetValue(g_keys[key].slot) : nullptr;
}

int __wrap_pthread_setspecific(unsigned key, const void* value)
{
    if (!InUse(key))
        return EINVAL;
    return TlsSetValue(g_keys[key].slot, const_cast<void*>(value)) ? 0 : ENOMEM;
}

} // extern "C"
