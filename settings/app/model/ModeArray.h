// The view modes in "Merovin.ini": [ViewModes] lists them in order (name =
// text), each has a section of its own named by the mode, and [AutoView]
// holds each mode's folder rules. Pages edit the records in memory;
// SaveModes writes them back.
#pragma once

#include <windows.h>
#include "Collections.h"
#include "IniHelper.h"
#include "Strings.h"

class CLocalizer;

// No colour.
const COLORREF ModeNoColour = (COLORREF)-1;

struct _tModeDef
{
    CString strName;
    CString strPrevName; // the name before the first rename since the last save
    CString strText;
    CString strView;
    CString strIconFile; // environment-expanded
    int nIconIndex = 0;
    CString strBkgPic;
    COLORREF crBkgColor = ModeNoColour;
    COLORREF crTabColor = ModeNoColour;
    int nSort = 0;
    CString strRules;    // "|"-joined folder rules
    int nGroupping = 0;
    CString strGroups;
    int nGroupping2 = 0;
    CString strGroups2;
    int nActive = 0;     // set by the page that creates the record
    int nAutorun = 0;
    CString strAutorunCmd;
};

class CModeArray : public CIniHelper
{
public:
    // Why a name cannot name a mode.
    enum NameCheck
    {
        NameValid = 0,
        NameReserved, // another section of the file, or not a section name at all
        NameTaken,    // another mode has it
    };

    CModeArray() : CIniHelper(L"") {}

    // Reads [Config] "AutoView" and "KeepScope" and every mode: those of
    // [ViewModes] in key order, then modes that only [AutoView] lists (text
    // lpszNone). A line whose name CheckName refuses is no record: it is kept
    // as read and written back at its place. Returns the number of modes.
    int LoadModes(LPCWSTR lpszNone);
    // The record of one mode's section and rules.
    _tModeDef LoadModeSection(LPCWSTR lpszName) const;
    // Writes the settings and every mode; removes the sections of deleted
    // and renamed modes (never one of the file's other sections). FALSE when
    // a write failed (GetWriteError tells why).
    BOOL SaveModes();

    int GetCount() const { return (int)m_modes.GetSize(); }
    _tModeDef& GetAt(int i) { return m_modes[i]; }
    const _tModeDef& GetAt(int i) const { return m_modes[i]; }
    int Find(LPCWSTR lpszName) const;

    int Add(const _tModeDef& mode) { return (int)m_modes.Add(mode); }
    void InsertAt(int i, const _tModeDef& mode) { m_modes.InsertAt(i, mode); }
    // Removes the mode; its section goes at the next save.
    void RemoveAt(int i);
    // Renames the mode, keeping the first of its earlier names for the save.
    void Rename(int i, LPCWSTR lpszName);
    // Moves a mode to another place (-1: the end), as a dragged list entry.
    void Move(int nFrom, int nTo);

    // Whether the name can name the mode at index (-1 for a new mode).
    NameCheck CheckName(LPCWSTR lpszName, int nIndex) const;
    // CheckName with the refusal shown (message 203 or 238); TRUE when valid.
    BOOL AcceptName(LPCWSTR lpszName, int nIndex, const CLocalizer& localizer) const;
    // Sections of the settings file that no mode may be named after.
    static BOOL IsReservedSection(LPCWSTR lpszName);

    int m_nAutoView = 1;
    int m_nKeepScope = 1;

private:
    // A line of [ViewModes] or [AutoView] that names no mode this utility can
    // edit, and its index among the section's lines as read.
    struct CKeptLine
    {
        int nPlace = 0;
        CString strLine;
    };
    typedef CArray<CKeptLine, const CKeptLine&> CKeptLines;

    // The lines with the kept ones back at their places.
    static void PlaceKept(CStringArray& lines, const CKeptLines& kept);
    void DeleteModeSection(const CString& name) const;
    void WriteModeSection(const _tModeDef& mode) const;

    CArray<_tModeDef, const _tModeDef&> m_modes;
    CStringArray m_deleted;
    CKeptLines m_keptViewModes;
    CKeptLines m_keptAutoView;
};
