// What the sticky commands of a file list ask of the sticky file: its writer
// and the sticky-files dialog.
#pragma once
#include <windows.h>

// The place codes of SetPosition.
enum StickyPlace {
    StickyClearFolder = -3, // the folder's section goes
    StickyToggle = -2,      // removed when sticky, else put first
    StickyRemove = -1,
    StickyFirst = 1,        // n > 1: put at place n
};

class CStickyStore {
public:
    virtual ~CStickyStore() {}
    // Changes the place of `name` in `folder`'s section.
    virtual void SetPosition(LPCWSTR folder, LPCWSTR name, int place) = 0;
    // The sticky-files dialog, modal over `owner`, on `folder` (names sorted with `sort`).
    virtual void RunDialog(HWND owner, LPCWSTR folder, BOOL sort) = 0;
};
