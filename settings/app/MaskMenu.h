// The file-mask menu of the File Panels and View Modes pages: the host's
// saved searches and selection masks, offered in a popup menu and inserted
// into an edit box of "|"-separated masks.
#pragma once

#include <windows.h>
#include <functional>
#include "Collections.h"
#include "Geometry.h"
#include "Strings.h"

class CEdit;
class CMenu;
class CWnd;

// Where the chosen mask goes.
enum MaskInsertMode
{
    MaskAtSelection = 0, // at the selection (at either end: before or after)
    MaskBefore = 1,      // before the text
    MaskAfter = 2,       // after the text
};

struct CMaskMenuItems
{
    CStringArray searches; // saved searches: [Searches] "<name>_SearchFor" keys with a value
    CStringArray masks;    // [Selection] "0", "1", ... up to the first empty one, without "<..." values
};

// Reads both lists from the host's INI through its section redirection.
void ReadMaskMenuItems(LPCWSTR lpszHostIni, CMaskMenuItems& items);
// Fills an empty popup menu: the searches (ids from 1), then the masks; with
// searches the masks go into a submenu captioned lpszMasksCaption. FALSE
// when there is nothing to offer.
BOOL BuildMaskMenu(CMenu& menu, const CMaskMenuItems& items, LPCWSTR lpszMasksCaption);
// The text a menu id inserts: "=" and the name for a search, the mask for a
// mask; empty for any other id.
CString MaskMenuText(const CMaskMenuItems& items, UINT nID);
// Joins the text into the edit box's masks with "|" and selects it.
void InsertMask(CEdit* pEdit, LPCWSTR lpszMask, int nMode);

// Shows a built menu at a screen point and returns the chosen id (0: none).
typedef std::function<UINT(CMenu& menu, CPoint point, CWnd* pOwner)> CMaskMenuTracker;
// The system's popup menu, TPM_RETURNCMD.
UINT TrackMaskMenu(CMenu& menu, CPoint point, CWnd* pOwner);

// The whole menu at a screen point, for an enabled edit box; beeps when the
// host offers no masks. An empty tracker is TrackMaskMenu.
void ShowMaskMenu(CPoint point, CEdit* pEdit, CWnd* pOwner, int nMode, LPCWSTR lpszHostIni,
                  LPCWSTR lpszMasksCaption, const CMaskMenuTracker& track = CMaskMenuTracker());
