#include "ShellContextMenu.h"
#include "IconMenu.h"
#include "ItemIdList.h"

namespace {

// Command ids of the shell's items in the popup.
const UINT FirstShellCommand = 1;
const UINT LastShellCommand = 10000;

// What the window procedure needs while one shell menu is shown.
struct ShownMenu {
    bool showing = false;
    WNDPROC oldProc = nullptr;
    IContextMenu2* menu2 = nullptr;
    IContextMenu3* menu3 = nullptr;
};

ShownMenu& Shown()
{
    static ShownMenu shown;
    return shown;
}

} // namespace

HRESULT BindToParent(LPCITEMIDLIST list, REFIID riid, void** folder, LPITEMIDLIST* last)
{
    if (!list || !folder)
        return E_POINTER;
    *folder = nullptr;
    if (last)
        *last = nullptr;
    UINT count = IdListCount(list);
    if (count == 0)
        return E_POINTER;
    IShellFolder* desktop = nullptr;
    HRESULT hr = SHGetDesktopFolder(&desktop);
    if (FAILED(hr))
        return hr;
    LPCITEMIDLIST lastItem = count == 1 ? list : IdListItemAfter(list, count - 1);
    if (count == 1) {
        hr = desktop->QueryInterface(riid, folder);
    } else {
        LPITEMIDLIST parentList = IdListCopy(list, (int)(reinterpret_cast<const BYTE*>(lastItem) -
                                                         reinterpret_cast<const BYTE*>(list)));
        IShellFolder* parent = nullptr;
        hr = parentList ? desktop->BindToObject(parentList, nullptr, IID_IShellFolder, (void**)&parent)
                        : E_OUTOFMEMORY;
        if (SUCCEEDED(hr)) {
            hr = parent->QueryInterface(riid, folder);
            parent->Release();
        }
        CoTaskMemFree(parentList);
    }
    desktop->Release();
    if (SUCCEEDED(hr) && last && !(*last = IdListCopy(lastItem))) {
        static_cast<IUnknown*>(*folder)->Release();
        *folder = nullptr;
        hr = E_OUTOFMEMORY;
    }
    return hr;
}

CShellContextMenu::~CShellContextMenu()
{
    FreeObjects();
}

void CShellContextMenu::FreeObjects()
{
    if (m_parent)
        m_parent->Release();
    m_parent = nullptr;
    for (INT_PTR i = 0; i < m_ids.GetSize(); ++i)
        CoTaskMemFree(m_ids[i]);
    m_ids.RemoveAll();
}

void CShellContextMenu::SetObjects(const CStringArray& paths)
{
    FreeObjects();
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)))
        return;
    // A path the shell cannot parse is left out: the menu is of the others.
    for (INT_PTR i = 0; i < paths.GetSize(); ++i) {
        CString path = paths[i];
        LPITEMIDLIST full = nullptr;
        if (path.IsEmpty() ||
            FAILED(desktop->ParseDisplayName(nullptr, nullptr, path.GetBuffer(), nullptr, &full, nullptr)) || !full)
            continue;
        IShellFolder* folder = nullptr;
        LPITEMIDLIST last = nullptr;
        HRESULT hr = BindToParent(full, IID_IShellFolder, (void**)&folder, &last);
        CoTaskMemFree(full);
        if (FAILED(hr))
            continue;
        if (!m_parent)
            m_parent = folder;
        else
            folder->Release();
        m_ids.Add(last);
    }
    desktop->Release();
}

HRESULT CShellContextMenu::GetContextMenu(void** menu, int& version)
{
    *menu = nullptr;
    version = 0;
    if (!m_parent || m_ids.IsEmpty())
        return E_FAIL;
    IContextMenu* first = nullptr;
    auto* ids = const_cast<LPCITEMIDLIST*>(reinterpret_cast<const LPCITEMIDLIST*>(m_ids.GetData()));
    HRESULT hr = m_parent->GetUIObjectOf(nullptr, (UINT)m_ids.GetSize(), ids, IID_IContextMenu, nullptr,
                                         (void**)&first);
    if (FAILED(hr) || !first)
        return FAILED(hr) ? hr : E_FAIL;
    if (SUCCEEDED(first->QueryInterface(IID_IContextMenu3, menu)) && *menu) {
        version = 3;
    } else if (SUCCEEDED(first->QueryInterface(IID_IContextMenu2, menu)) && *menu) {
        version = 2;
    } else {
        *menu = first;
        version = 1;
        return S_OK;
    }
    first->Release();
    return S_OK;
}

int CShellContextMenu::ShowContextMenu(HWND window, POINT point)
{
    // One shell menu at a time: the window procedure's state is shared.
    if (!IsWindow(window) || Shown().showing)
        return 0;
    void* object = nullptr;
    int version = 0;
    if (FAILED(GetContextMenu(&object, version)))
        return 0;
    IContextMenu* menu = static_cast<IContextMenu*>(object);
    if (!m_popup.m_hMenu)
        m_popup.CreatePopupMenu();
    if (!m_popup.m_hMenu ||
        FAILED(menu->QueryContextMenu(m_popup, (UINT)m_popup.GetMenuItemCount(), FirstShellCommand,
                                      LastShellCommand, CMF_EXPLORE))) {
        menu->Release();
        return 0;
    }
    // Shell extensions that draw their own items get their messages through
    // the owner window's procedure while the menu is open.
    ShownMenu& shown = Shown();
    shown.showing = true;
    if (version >= 2) {
        shown.oldProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ContextMenuProc)));
        if (version == 3)
            shown.menu3 = static_cast<IContextMenu3*>(object);
        else
            shown.menu2 = static_cast<IContextMenu2*>(object);
    }
    int result = TrackPopupMenu(m_popup, TPM_RETURNCMD | TPM_RECURSE, point.x, point.y, 0, window, nullptr);
    if (shown.oldProc)
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(shown.oldProc));
    if (result >= (int)FirstShellCommand && result <= (int)LastShellCommand) {
        CMINVOKECOMMANDINFO invoke = {};
        invoke.cbSize = sizeof(invoke);
        invoke.lpVerb = MAKEINTRESOURCEA(result - FirstShellCommand);
        invoke.nShow = SW_SHOWNORMAL;
        menu->InvokeCommand(&invoke);
        result = 0;
    }
    menu->Release();
    shown = ShownMenu();
    return result;
}

LRESULT CALLBACK CShellContextMenu::ContextMenuProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const ShownMenu& shown = Shown();
    IContextMenu2* handler = shown.menu2 ? shown.menu2 : shown.menu3;
    switch (message) {
    case WM_MENUCHAR:
        if (shown.menu3) {
            LRESULT result = 0;
            shown.menu3->HandleMenuMsg2(message, wParam, lParam, &result);
            return result;
        }
        break;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        // The icon menu underneath keeps drawing its own items.
        if (wParam || !handler || CIconMenu::IsIconMenuItem(message, lParam))
            break;
        handler->HandleMenuMsg(message, wParam, lParam);
        return TRUE;
    case WM_INITMENUPOPUP:
        if (!handler)
            break;
        handler->HandleMenuMsg(message, wParam, lParam);
        return 0;
    }
    return CallWindowProcW(shown.oldProc, hWnd, message, wParam, lParam);
}
