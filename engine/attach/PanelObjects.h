// The engine's objects on the host's panel windows, one pair per kind
// (0 left, 1 right), each null until attaching creates it. Each attaches to
// its host window through the subclassing helper and detaches when deleted;
// what it does with the window's messages belongs to its own feature.
#pragma once
#include <windows.h>
#include "TCFileList.h"
#include "MyTabs.h"
#include "PathWnd.h"
#include "MyCombo.h"

struct CPanelObjects {
    CTCFileList* fileList[2] = {};
    CMyTabs* tabs[2] = {};
    CPathWnd* pathWnd[2] = {};
    CMyCombo* driveCombo[2] = {};

    // Deletes every object (each detaches from its window): path windows,
    // drive combo boxes, file lists, folder tabs, left before right.
    void DeleteAll();
    // Number of objects attached to a window.
    int AttachedCount() const;
};
