// The subclassing helper: attach, detach, the subclass procedure and the
// default handling over the common-controls subclass chain.
#include "Subclass.h"
#include <commctrl.h>
#include <new>
#include "ThisModule.h"

namespace {

LONG g_liveBlocks; // test seam: blocks allocated and not freed

// "SC_PROP-{...}-%08X%08X" with the low 32 bits of the window and the object.
struct PropName
{
    WCHAR text[80];
    PropName(HWND hWnd, const CSubclassWnd* object)
    {
        _snwprintf(text, 80, L"SC_PROP-{cc3650cf-ee36-40b3-840f-41203a9ebf54}-%08X%08X",
                   (UINT)(UINT_PTR)hWnd, (UINT)(UINT_PTR)object);
        text[79] = 0;
    }
};

SubclassBlock* NewBlock()
{
    SubclassBlock* block = new (std::nothrow) SubclassBlock{ SubclassBlockLive, 0, 0, 1 };
    if (block)
        InterlockedIncrement(&g_liveBlocks);
    return block;
}

void FreeBlock(SubclassBlock* block)
{
    block->magic = SubclassBlockFreed;
    delete block;
    InterlockedDecrement(&g_liveBlocks);
}

void ReleaseBlock(SubclassBlock* block)
{
    if (--block->refs == 0)
        FreeBlock(block);
}

// The block of `object` on `hWnd` when the window carries that object's
// property and the block is alive; proves that `object` is a real object.
SubclassBlock* FindBlock(HWND hWnd, const CSubclassWnd* object)
{
    auto* block = static_cast<SubclassBlock*>(::GetPropW(hWnd, PropName(hWnd, object).text));
    return block && block->magic == SubclassBlockLive ? block : nullptr;
}

bool OnCurrentThread(HWND hWnd)
{
    return ::GetWindowThreadProcessId(hWnd, nullptr) == ::GetCurrentThreadId();
}

bool InOtherProcess(HWND hWnd)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    return pid != ::GetCurrentProcessId();
}

} // namespace

// The parts that reach into CSubclassWnd.
struct SubclassInternals
{
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR ref);
    static LRESULT CALLBACK AttachHookProc(int code, WPARAM wParam, LPARAM lParam);
    static bool AttachHere(HWND hWnd, CSubclassWnd* object, SubclassBlock* block);
    static int DetachHere(HWND hWnd, CSubclassWnd* object);
    static LRESULT OnHookMessage(HWND hWnd, CSubclassWnd* self, WPARAM wParam, LPARAM lParam);
    static LRESULT OnMessage(HWND hWnd, CSubclassWnd* object, SubclassBlock* block, UINT message,
                             WPARAM wParam, LPARAM lParam);
    static void ForgetDeadWindow(CSubclassWnd* object);
};

UINT SubclassHookMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"SC_HOOK-{87b11ef2-4422-47f5-a560-6a1f9917f047}");
    return message;
}

LONG SubclassLiveBlocks()
{
    return InterlockedCompareExchange(&g_liveBlocks, 0, 0);
}

// On the window's thread: bind the object for the framework, then join the
// window's subclass chain with the object as id and the block as data.
bool SubclassInternals::AttachHere(HWND hWnd, CSubclassWnd* object, SubclassBlock* block)
{
    object->BindWindow(hWnd, block);
    if (!::SetWindowSubclass(hWnd, &SubclassProc, (UINT_PTR)object, (DWORD_PTR)block)) {
        object->UnbindWindow();
        return false;
    }
    return true;
}

// Runs on the window's thread while another thread attaches there; acts only
// on SC_HOOK 1 for an object whose attach is under way (its property exists
// and it has no window yet).
LRESULT CALLBACK SubclassInternals::AttachHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    auto* cwp = reinterpret_cast<CWPSTRUCT*>(lParam);
    UINT hook = SubclassHookMessage();
    if (code == HC_ACTION && cwp && hook && cwp->message == hook && cwp->wParam == SubclassHookAttach) {
        auto* object = reinterpret_cast<CSubclassWnd*>(cwp->lParam);
        SubclassBlock* block = object ? FindBlock(cwp->hwnd, object) : nullptr;
        if (block && !object->m_hWnd && block->refs == 1 && OnCurrentThread(cwp->hwnd))
            AttachHere(cwp->hwnd, object, block);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

int SubclassAttach(CSubclassWnd* object, HWND window)
{
    UINT hook = SubclassHookMessage();
    if (!object || object->m_hWnd || !hook || !window || !::IsWindow(window))
        return 0;
    // Checked before anything is stored on the window: a window of another
    // process is left untouched.
    if (InOtherProcess(window))
        return 0;
    SubclassBlock* block = NewBlock();
    if (!block)
        return 0;
    PropName name(window, object);
    if (!::SetPropW(window, name.text, block)) {
        FreeBlock(block);
        return 0;
    }

    bool attached = false;
    if (OnCurrentThread(window)) {
        attached = SubclassInternals::AttachHere(window, object, block);
    } else {
        DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
        HHOOK h = ::SetWindowsHookExW(WH_CALLWNDPROC, &SubclassInternals::AttachHookProc, ThisModule(), thread);
        if (h) {
            ::SendMessageW(window, hook, SubclassHookAttach, (LPARAM)object);
            ::UnhookWindowsHookEx(h);
        }
        attached = object->m_hWnd == window;
    }
    if (!attached) {
        if (::GetPropW(window, name.text) == block)
            ::RemovePropW(window, name.text);
        FreeBlock(block);
        return 0;
    }
    return 1;
}

// On the window's thread. Leaves the chain (also safe from inside the
// object's own call), drops the framework's binding and the property, and
// releases the attachment's reference.
int SubclassInternals::DetachHere(HWND hWnd, CSubclassWnd* object)
{
    SubclassBlock* block = FindBlock(hWnd, object);
    if (!block)
        return 1;
    ::RemoveWindowSubclass(hWnd, &SubclassProc, (UINT_PTR)object);
    if (object->m_hWnd == hWnd)
        object->UnbindWindow();
    ::RemovePropW(hWnd, PropName(hWnd, object).text);
    ReleaseBlock(block);
    return 1;
}

// The window went away without WM_NCDESTROY reaching the object (its thread
// ended): its properties went with it; only the object and block are left.
void SubclassInternals::ForgetDeadWindow(CSubclassWnd* object)
{
    SubclassBlock* block = object->m_pBlock;
    object->UnbindWindow();
    if (block && block->magic == SubclassBlockLive)
        ReleaseBlock(block);
}

int SubclassDetach(CSubclassWnd* object)
{
    if (!object)
        return 0;
    HWND hWnd = object->m_hWnd;
    if (!hWnd)
        return 1;
    if (!::IsWindow(hWnd)) {
        SubclassInternals::ForgetDeadWindow(object);
        return 1;
    }
    if (!FindBlock(hWnd, object))
        return 1;
    if (InOtherProcess(hWnd))
        return 0;
    if (!OnCurrentThread(hWnd)) {
        ::SendMessageW(hWnd, SubclassHookMessage(), SubclassHookDetach, (LPARAM)object);
        return object->m_hWnd ? 0 : 1;
    }
    return SubclassInternals::DetachHere(hWnd, object);
}

LRESULT SubclassDefault(CSubclassWnd* object, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!object || !object->m_hWnd)
        return 0;
    HWND hWnd = object->m_hWnd;
    SubclassBlock* block = const_cast<SubclassBlock*>(object->GetSubclassBlock());
    if (!block || block->magic != SubclassBlockLive)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    // The chain's current position is the object's only while one of its
    // calls runs on this thread and its default handling has not begun.
    if (block->calls && !block->inDefault && OnCurrentThread(hWnd)) {
        ++block->refs;
        block->inDefault = 1;
        LRESULT result = ::DefSubclassProc(hWnd, message, wParam, lParam);
        block->inDefault = 0;
        ReleaseBlock(block);
        return result;
    }
    SubclassDefaultRecord record = { message, wParam, lParam, object };
    return ::SendMessageW(hWnd, SubclassHookMessage(), SubclassHookDefault, (LPARAM)&record);
}

// SC_HOOK reaching an object's subclass procedure. Nothing of it goes to
// the object's own handling.
LRESULT SubclassInternals::OnHookMessage(HWND hWnd, CSubclassWnd* self, WPARAM wParam, LPARAM lParam)
{
    if (wParam == SubclassHookDefault && lParam) {
        auto* record = reinterpret_cast<SubclassDefaultRecord*>(lParam);
        if (!record->object || record->object == self)
            return ::DefSubclassProc(hWnd, record->message, record->wParam, record->lParam);
    } else if (wParam == SubclassHookDetach) {
        return DetachHere(hWnd, reinterpret_cast<CSubclassWnd*>(lParam));
    }
    return ::DefSubclassProc(hWnd, SubclassHookMessage(), wParam, lParam);
}

LRESULT SubclassInternals::OnMessage(HWND hWnd, CSubclassWnd* object, SubclassBlock* block, UINT message,
                                     WPARAM wParam, LPARAM lParam)
{
    WNDPROC before = message == WM_NCDESTROY ? (WNDPROC)::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) : nullptr;
    bool deleted = false;
    ++block->calls;
    LRESULT result = object->RouteMessage(hWnd, message, wParam, lParam, &deleted);
    --block->calls;
    if (message == WM_NCDESTROY) {
        if ((WNDPROC)::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) != before)
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)before);
        // A deleted object detached itself in its destructor.
        if (!deleted && object->m_hWnd == hWnd) {
            DetachHere(hWnd, object);
            try {
                object->PostNcDestroy(); // may delete the object
            } catch (...) {
            }
        }
    }
    return result;
}

LRESULT CALLBACK SubclassInternals::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                                 UINT_PTR id, DWORD_PTR ref)
{
    auto* block = reinterpret_cast<SubclassBlock*>(ref);
    auto* object = reinterpret_cast<CSubclassWnd*>(id);
    if (!block || block->magic != SubclassBlockLive)
        return ::DefSubclassProc(hWnd, message, wParam, lParam);
    ++block->refs; // the block outlives this call even if the object detaches
    UINT hook = SubclassHookMessage();
    LRESULT result;
    if (hook && message == hook)
        result = OnHookMessage(hWnd, object, wParam, lParam);
    else
        result = OnMessage(hWnd, object, block, message, wParam, lParam);
    ReleaseBlock(block);
    return result;
}
