// What the engine keeps per folder tab, and the image list of the tab icons.
#pragma once
#include <windows.h>
#include "Framework.h"

// 0xFF000000: the tab has no colour of its own.
const COLORREF TabNoColor = 0xFF000000;

struct CTabInfo {
    COLORREF colour = TabNoColor;
    BOOL colourSet = FALSE; // chosen by the user or read from the colour section
    HICON icon = nullptr;
    bool iconOwned = false; // the tab destroys the icon when it is replaced or goes
    int lockState = 0;      // the host's lock: 2 locked, 3 locked with folder changes allowed
};

typedef CArray<CTabInfo> CTabArray;

// An image list of 16x16 icons that remembers the icons added to it.
class CIconList : public CImageList {
    DECLARE_DYNAMIC(CIconList)
public:
    BOOL CreateSmall() { return Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 4); }
    // The index of an icon already held, else the index it is appended at.
    int AddIcon(HICON icon);
    void Clear();

private:
    CArray<HICON, HICON> m_icons;
};

// A folder's tab icon and colour, as the folder rules (or the folder's own
// "desktop.ini") give them.
struct TabDecoration {
    COLORREF colour = TabNoColor;
    HICON icon = nullptr;
    bool iconOwned = false; // a "desktop.ini" icon: the tab owns it
};

// Where the tabs ask for a folder's decoration; the folder rules supply it.
class CTabDecorationSource {
public:
    virtual ~CTabDecorationSource() {}
    // False when nothing applies to the folder.
    virtual bool Decorate(int side, LPCWSTR folder, TabDecoration& decoration) = 0;
};
