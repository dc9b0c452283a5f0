// The marks of a file-list row and where the sticky and bookmark marks come
// from (the engine's features answer; without them no row is marked).
#pragma once
#include <windows.h>
#include "Strings.h"

class CTCFileList;

enum RowMark : UINT {
    MarkSticky = 1,
    MarkBookmark = 2,
    MarkLostFocus = 4,
};

class CRowMarkSource {
public:
    virtual ~CRowMarkSource() {}
    // MarkSticky and MarkBookmark of host item `index` of `list`.
    virtual UINT RowMarks(CTCFileList& list, int index) = 0;
};

// What a folder rule gives the list's background: a colour (ColorNone for
// none) or a picture path.
struct CRuleBackground {
    COLORREF backColor;
    CString picture;
};
