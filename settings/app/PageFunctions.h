// Small functions several settings pages share: host-relative paths, number
// fields, the minimum-width exchange, path tips and text re-decoding.
#pragma once

#include <windows.h>
#include "Collections.h"
#include "Strings.h"

class CDataExchange;
class CEdit;
class CToolTipCtrl;
class CWnd;

// A path under the host's folder with that folder replaced by the literal
// "%COMMANDER_PATH%" (readers expand it again); other paths unchanged.
CString ShortenHostPath(LPCWSTR lpszPath);

// Enables or disables every direct child of the dialog except pKeep.
void EnableChildrenExcept(CWnd* pDialog, CWnd* pKeep, BOOL bEnable);

// A fill field: leading digits, then nothing or "%" (blanks allowed around
// both). "40 %" gives 40; "40" gives 140, a width in pixels shown above
// 100. FALSE (and nValue unchanged) for anything else.
BOOL ParseNumberField(LPCWSTR lpszText, int& nValue);

// Integer exchange of a column width whose minimum is 50: a width below 50
// (or a text that is not a number) becomes 200, in the control when saving
// and in the member when loading.
void DDXMinWidth(CDataExchange* pDX, int nIDC, int& nValue);

// Text that was UTF-8 decoded as ANSI, decoded again as UTF-8.
void RedecodeUtf8(CString& text);

// A preview background as its list shows it: the file name without the
// text from its last "-" on, cut twice ("paper-40-18.bkg.bmp" shows
// "paper"); a "-" that begins the name is kept.
CString BackgroundDisplayName(LPCWSTR lpszFile);
// A mark's fill as the pages show it: "40%" for a percentage, "50" for 50
// pixels (held as 150).
CString FormatFillText(int nFill);
// Fills a background combo box (the first entry "<Default>") and selects
// nSelected; the box shows only when there is a background to choose.
void FillBackgroundCombo(CWnd* pCombo, const CStringArray& backgrounds, int nSelected);

// TRUE when the path shows whole in the edit box's formatting rectangle.
BOOL PathFits(CEdit* pEdit, LPCWSTR lpszPath);
// The edit box's tip shows its text when the text does not fit, else none.
void UpdatePathTip(CEdit* pEdit, CToolTipCtrl* pTip);
