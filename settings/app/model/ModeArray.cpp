// CModeArray: reading and writing the view modes.
#include "ModeArray.h"
#include "ColorSetting.h"
#include "HostPaths.h"
#include "IniSection.h"
#include "Localizer.h"
#include "ModelTexts.h"
#include "PageFunctions.h"
#include "Prompt.h"

namespace {

const WCHAR kConfig[] = L"Config";
const WCHAR kViewModes[] = L"ViewModes";
const WCHAR kAutoView[] = L"AutoView";

// Sections of "Merovin.ini" that are not view modes.
const LPCWSTR kReservedSections[] = {
    L"Config",   L"Colors&Styles", L"Keyboard",      L"Plugins",        L"PluginList",
    L"ViewModes", L"AutoView",     L"LeftTabColors", L"RightTabColors",
};

// 2 means "on when the matching text is set".
int Resolved(int nValue, const CString& text)
{
    return nValue == 2 ? (text.IsEmpty() ? 0 : 1) : nValue;
}

CString Decimal(int nValue)
{
    CString text;
    text.Format(L"%d", nValue);
    return text;
}

CString ColourText(COLORREF colour)
{
    if (colour == ColorAutomatic || colour == ModeNoColour)
        return CString();
    WCHAR text[16];
    FormatColorText(colour, text, 16);
    return CString(text);
}

} // namespace

BOOL CModeArray::IsReservedSection(LPCWSTR lpszName)
{
    for (LPCWSTR section : kReservedSections) {
        if (lstrcmpiW(section, lpszName) == 0)
            return TRUE;
    }
    return FALSE;
}

int CModeArray::LoadModes(LPCWSTR lpszNone)
{
    m_modes.RemoveAll();
    m_deleted.RemoveAll();
    m_keptViewModes.RemoveAll();
    m_keptAutoView.RemoveAll();
    m_nAutoView = ReadInt(kConfig, L"AutoView", 0);
    m_nKeepScope = ReadInt(kConfig, L"KeepScope", 1);
    // Modes that only [AutoView] lists (older or hand-written files) are
    // modes too: their rules must survive a save.
    for (int pass = 0; pass < 2; ++pass) {
        CStringArray lines;
        ReadLines(pass == 0 ? kViewModes : kAutoView, lines);
        for (int i = 0; i < (int)lines.GetSize(); ++i) {
            const CString& line = lines[i];
            int equals = line.Find(L'=');
            CString name = equals >= 0 ? line.Left(equals) : line;
            name.Trim(L" \t");
            // A name that cannot be edited here (a settings section's, one
            // with "[" or "]", no key at all) is no record, but the engine
            // may use it: its line stays as it is.
            if (equals < 0 || CheckName(name, -1) == NameReserved) {
                CKeptLine kept;
                kept.nPlace = i;
                kept.strLine = line;
                (pass == 0 ? m_keptViewModes : m_keptAutoView).Add(kept);
                continue;
            }
            if (Find(name) >= 0)
                continue;
            _tModeDef mode = LoadModeSection(name);
            mode.strText = pass == 0 ? ProfileValue(line.Mid(equals + 1)) : CString(lpszNone);
            m_modes.Add(mode);
        }
    }
    return GetCount();
}

_tModeDef CModeArray::LoadModeSection(LPCWSTR lpszName) const
{
    CIniSection section;
    section.Load(lpszName, GetFileName());
    _tModeDef mode;
    mode.strName = lpszName;
    mode.nActive = section.Int(L"Active", 1);
    mode.strView = section.Text(L"View");
    mode.nSort = section.Int(L"Sort", 0);
    mode.crBkgColor = ParseColorText(section.Text(L"BkgColor"), ModeNoColour);
    mode.crTabColor = ParseColorText(section.Text(L"TabColor"), ModeNoColour);
    mode.strGroups = section.Text(L"FileGroups");
    mode.nGroupping = Resolved(section.Int(L"FileGroupping", 2), mode.strGroups);
    mode.strGroups2 = section.Text(L"FileGroups2");
    mode.nGroupping2 = Resolved(section.Int(L"FileGroupping2", 2), mode.strGroups2);
    mode.strAutorunCmd = section.Text(L"AutorunCmd");
    mode.nAutorun = Resolved(section.Int(L"Autorun", 2), mode.strAutorunCmd);
    mode.strBkgPic = section.Text(L"BkgPic");
    CString icon = ExpandText(section.Text(L"TabIcon"));
    int comma = icon.ReverseFind(L',');
    mode.strIconFile = comma >= 0 ? icon.Left(comma) : icon;
    mode.nIconIndex = comma >= 0 ? _wtoi(icon.Mid(comma + 1)) : 0;
    mode.strRules = ReadString(kAutoView, lpszName);
    return mode;
}

BOOL CModeArray::SaveModes()
{
    ClearWriteError();
    WriteInt(kConfig, L"AutoView", m_nAutoView);
    WriteInt(kConfig, L"KeepScope", m_nKeepScope);

    // The lists are written whole, in record order. A mode's text is written
    // even when empty: without its key the mode would be gone.
    CStringArray viewModes, autoView;
    for (int i = 0; i < GetCount(); ++i) {
        const _tModeDef& mode = m_modes[i];
        viewModes.Add(mode.strName + L"=" + mode.strText);
        if (!mode.strRules.IsEmpty())
            autoView.Add(mode.strName + L"=" + mode.strRules);
    }
    PlaceKept(viewModes, m_keptViewModes);
    PlaceKept(autoView, m_keptAutoView);
    WriteSection(kAutoView, autoView);
    WriteSection(kViewModes, viewModes);

    for (INT_PTR i = 0; i < m_deleted.GetSize(); ++i)
        DeleteModeSection(m_deleted[i]);
    for (int i = 0; i < GetCount(); ++i) {
        if (!m_modes[i].strPrevName.IsEmpty())
            DeleteModeSection(m_modes[i].strPrevName);
    }
    for (int i = 0; i < GetCount(); ++i)
        WriteModeSection(m_modes[i]);
    // After a failed write the next save removes the old sections again.
    if (GetWriteError())
        return FALSE;
    m_deleted.RemoveAll();
    for (int i = 0; i < GetCount(); ++i)
        m_modes[i].strPrevName.Empty();
    return TRUE;
}

void CModeArray::PlaceKept(CStringArray& lines, const CKeptLines& kept)
{
    // In the order read, each at its index (at the end when fewer lines are left).
    for (INT_PTR i = 0; i < kept.GetSize(); ++i) {
        INT_PTR place = kept[i].nPlace < lines.GetSize() ? kept[i].nPlace : lines.GetSize();
        lines.InsertAt(place, kept[i].strLine);
    }
}

void CModeArray::DeleteModeSection(const CString& name) const
{
    // Never one of the file's own sections, whatever the records say.
    if (name.IsEmpty() || IsReservedSection(name))
        return;
    WriteString(name, nullptr, nullptr);
}

void CModeArray::WriteModeSection(const _tModeDef& mode) const
{
    if (IsReservedSection(mode.strName))
        return;
    CString icon;
    if (!mode.strIconFile.IsEmpty())
        icon.Format(L"%s,%d", (LPCWSTR)ShortenHostPath(mode.strIconFile), mode.nIconIndex);
    const struct
    {
        LPCWSTR key;
        CString value; // empty: the key is removed
    } keys[] = {
        { L"Active", Decimal(mode.nActive) },
        { L"View", mode.strView },
        { L"Sort", Decimal(mode.nSort) },
        { L"BkgColor", ColourText(mode.crBkgColor) },
        { L"BkgPic", ShortenHostPath(mode.strBkgPic) },
        { L"TabIcon", icon },
        { L"TabColor", ColourText(mode.crTabColor) },
        { L"FileGroupping", Decimal(Resolved(mode.nGroupping, mode.strGroups)) },
        { L"FileGroups", mode.strGroups },
        { L"FileGroupping2", Decimal(Resolved(mode.nGroupping2, mode.strGroups2)) },
        { L"FileGroups2", mode.strGroups2 },
        { L"Autorun", Decimal(Resolved(mode.nAutorun, mode.strAutorunCmd)) },
        { L"AutorunCmd", mode.strAutorunCmd },
    };
    // Only what differs is written: each write rewrites the whole file.
    CIniSection current;
    current.Load(mode.strName, GetFileName());
    for (const auto& key : keys) {
        if (key.value.IsEmpty()) {
            if (current.Has(key.key))
                WriteString(mode.strName, key.key, nullptr);
        } else if (!current.Has(key.key) || current.Text(key.key) != key.value) {
            WriteString(mode.strName, key.key, key.value);
        }
    }
}

int CModeArray::Find(LPCWSTR lpszName) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_modes[i].strName.CompareNoCase(lpszName) == 0)
            return i;
    }
    return -1;
}

void CModeArray::RemoveAt(int i)
{
    if (i < 0 || i >= GetCount())
        return;
    const _tModeDef& mode = m_modes[i];
    // The section stands in the file under the name of the last save.
    m_deleted.Add(mode.strPrevName.IsEmpty() ? mode.strName : mode.strPrevName);
    m_modes.RemoveAt(i);
}

void CModeArray::Rename(int i, LPCWSTR lpszName)
{
    if (i < 0 || i >= GetCount())
        return;
    _tModeDef& mode = m_modes[i];
    if (mode.strPrevName.IsEmpty())
        mode.strPrevName = mode.strName;
    mode.strName = lpszName;
}

void CModeArray::Move(int nFrom, int nTo)
{
    if (nFrom < 0 || nFrom >= GetCount())
        return;
    _tModeDef mode = m_modes[nFrom];
    m_modes.RemoveAt(nFrom);
    if (nTo < 0 || nTo >= GetCount())
        m_modes.Add(mode);
    else
        m_modes.InsertAt(nTo, mode);
}

CModeArray::NameCheck CModeArray::CheckName(LPCWSTR lpszName, int nIndex) const
{
    CString name(lpszName), trimmed(lpszName);
    trimmed.Trim(L" \t");
    // A name is a section name and a key: blanks around it are lost, "=",
    // "[" and "]" break the lines, a leading ";" makes a comment of them.
    if (name.IsEmpty() || trimmed != name || name.FindOneOf(L"=[]") >= 0 || name[0] == L';' ||
        IsReservedSection(name))
        return NameReserved;
    int existing = Find(name);
    if (existing >= 0 && existing != nIndex)
        return NameTaken;
    return NameValid;
}

BOOL CModeArray::AcceptName(LPCWSTR lpszName, int nIndex, const CLocalizer& localizer) const
{
    NameCheck check = CheckName(lpszName, nIndex);
    if (check == NameValid)
        return TRUE;
    CString format = localizer.LoadLocalizedString(check == NameTaken ? IdsModeExists : IdsModeNameReserved);
    AfxMessageBox(FormatLocalText(format, lpszName), MB_OK | MB_ICONERROR);
    return FALSE;
}
