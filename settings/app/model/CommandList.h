// Command lists: the rows the categorised list shows for key assignment. The
// host's commands (type 0), the engine's commands (type 1) and literal
// commands such as module commands (type 2) each live in a CCommandList.
// Rows are never reordered once hotkey entries point at them: a hotkey
// entry's command index is a row index.
#pragma once

#include <windows.h>
#include <string>
#include <unordered_map>
#include "Collections.h"
#include "IniHelper.h"
#include "Strings.h"

class CHotKeyHolder;

// Bits of a row's flags.
enum CommandRowFlags
{
    RowGroup = 0x01,          // a category caption, not a command
    RowOwnKey = 0x02,         // has a hotkey from "Merovin.ini"
    RowTipDescription = 0x08, // the list's tooltip starts with the description
    RowDefaultKey = 0x10,     // has a hotkey from the host's default-hotkeys file
    RowHostKey = 0x20,        // has a hotkey from the host's INI
    RowMultiKey = 0x40,       // the host command owns more than one hotkey
    RowLanguageIni = 0x80,    // came from the language ".ini" (added only when new)
};

struct _CLItem
{
    int nFlags = 0;
    CString strName;        // "cm_Copy", "em_tool", "StickIt"; a group's caption
    CString strNumber;      // the host command number as text; empty otherwise
    CString strDescription;
    CString strExtra;       // the literal command of a type-2 row ("%s,%d")
};

class CCommandList : public CIniHelper
{
public:
    enum ListType
    {
        HostCommands = 0,
        EngineCommands = 1,
        LiteralCommands = 2,
    };

    explicit CCommandList(int nType);

    int GetType() const { return m_nType; }
    int GetCount() const { return (int)m_rows.GetSize(); }
    const _CLItem& GetAt(int i) const { return m_rows[i]; }
    void SetFlags(int i, int nFlags) { m_rows[i].nFlags = nFlags; }
    void SetExtra(int i, LPCWSTR lpszExtra) { m_rows[i].strExtra = lpszExtra; }
    void SetDescription(int i, LPCWSTR lpszText) { m_rows[i].strDescription = lpszText; }
    void RemoveAll();

    // Removes nCount rows from nFirst on (only from lists whose rows no
    // hotkey entry points at: literal lists).
    void RemoveRows(int nFirst, int nCount);
    // Appends a row; returns its index.
    int AddRow(LPCWSTR lpszName, LPCWSTR lpszNumber, LPCWSTR lpszDescription, int nFlags);
    // Adds "name=number;description" (trimmed parts; "name=number" gives
    // "N/A" for both; a text without "=" is all name). With RowLanguageIni a
    // name that is already listed (without case) is skipped: -1.
    int ParseAndAdd(LPCWSTR lpszText, int nFlags);
    // The last command row (not a group) whose number or name equals the
    // text without case; -1 when none.
    int FindCommand(LPCWSTR lpszText) const;
    // TRUE when any row (groups too) has the name, without case.
    BOOL HasName(LPCWSTR lpszName) const;

    // Sets RowDefaultKey, RowHostKey and RowOwnKey from the holder's entries
    // of this list's type.
    void RecomputeHotkeyFlags(const CHotKeyHolder& holder);

private:
    typedef std::unordered_map<std::wstring, int> CIndexMap;

    void IndexRow(int i);

    int m_nType;
    CArray<_CLItem, const _CLItem&> m_rows;
    CIndexMap m_anyByName;     // lower-case name -> last row
    CIndexMap m_commandByName; // the same for command rows
    CIndexMap m_commandByNumber;
};

// Lower-case copy for maps keyed without case.
std::wstring LowerKey(LPCWSTR lpszText);
