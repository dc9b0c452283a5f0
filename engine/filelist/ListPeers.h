// What a file list hands to other features (the engine's features answer;
// without them the list keeps the input): the wheel over a folder-tab strip
// and a folder opened in a new tab by the middle button.
#pragma once
#include <windows.h>

class CTCFileList;

class CListPeers {
public:
    virtual ~CListPeers() {}
    // True when a tab control under the pointer (screen point in lParam)
    // scrolled its tabs by the wheel.
    virtual bool OfferWheelToTabs(WPARAM wParam, LPARAM lParam) = 0;
    // Opens `path` in a new tab on the list's side.
    virtual void OpenInNewTab(CTCFileList& list, LPCWSTR path) = 0;
};
