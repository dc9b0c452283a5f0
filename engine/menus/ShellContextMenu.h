// CShellContextMenu: the shell's context menu (Explorer's right-click menu)
// for file-system paths, and the command chosen in it carried out. One
// object serves one right click: SetObjects, ShowContextMenu, destroyed.
// The shell needs OLE initialised on the thread.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include "Framework.h"

class CShellContextMenu {
public:
    CShellContextMenu() {}
    virtual ~CShellContextMenu();
    CShellContextMenu(const CShellContextMenu&) = delete;
    CShellContextMenu& operator=(const CShellContextMenu&) = delete;

    // The objects of the menu: every path that the shell parses, all taken
    // as children of the first one's parent folder.
    void SetObjects(const CStringArray& paths);
    // Shows the menu owned by `window` at a screen point and carries out the
    // chosen command. 0 when a command was carried out or nothing could be
    // shown, else what the tracking returned.
    int ShowContextMenu(HWND window, POINT point);

    int GetObjectCount() const { return (int)m_ids.GetSize(); }
    // The parent folder of the objects (not add-referenced), or null.
    IShellFolder* GetParentFolder() const { return m_parent; }

private:
    void FreeObjects();
    // The context menu of the objects and its version (3, 2 or 1).
    HRESULT GetContextMenu(void** menu, int& version);
    static LRESULT CALLBACK ContextMenuProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    CMenu m_popup;
    IShellFolder* m_parent = nullptr;
    CArray<LPITEMIDLIST, LPITEMIDLIST> m_ids; // each object's last item, ours to free
};

// The parent folder of an absolute id list, asked for `riid`, and (when
// `last` is given) a copy of the list's last item. E_POINTER for no list,
// no folder pointer or an empty list.
HRESULT BindToParent(LPCITEMIDLIST list, REFIID riid, void** folder, LPITEMIDLIST* last);
