// Builds the module's popup menus: snippet sections of the module's own INI
// file (separators, submenus, lists of any INI section, host sections) and the
// host's directory hotlist. Item ids count up in menu order.
#pragma once
#include "Framework.h"

class CIniSection;

// The six arguments of a "$swat(" entry, with their defaults applied.
struct SwatArgs {
    CString section;
    int captionKind = 1; // 1 name, 2 value, 3 name and value
    int dataKind = 2;    // 1 name, 2 value, 0 nothing
    CString pattern;     // empty: every key, under its own name
    int group = 0;
    CString iniFile;     // empty: the host's main INI
};

// Parses the text after "$swat(" up to its matching ")": arguments split at
// every comma. False when the ")" is missing.
bool ParseSwatArgs(LPCWSTR value, SwatArgs& args);

// Searches `pattern` (ECMAScript) in `text`; `found` gets the group's text,
// empty when the pattern has no such group. A pattern the regular-expression
// engine refuses finds nothing.
bool RegexGroup(LPCWSTR text, LPCWSTR pattern, int group, CString& found);

class CMenuBuilder
{
public:
    // `settingsFile` is the module's own INI file, `hostIni` the host's main INI.
    CMenuBuilder(LPCWSTR settingsFile, LPCWSTR hostIni);

    // Fills `menu` from a section of the module's INI file; returns the ids used.
    UINT BuildMenuFromSection(HMENU menu, LPCWSTR section, UINT firstId);
    // One item per key of an INI section; returns the items added.
    UINT AddSectionItems(HMENU menu, UINT firstId, const SwatArgs& args);
    // The values of the host section's keys "0", "1", ...; returns the items added.
    UINT AddNumberedKeyItems(HMENU menu, LPCWSTR hostSection, UINT firstId);
    // The host's directory hotlist from entry `firstEntry`; returns the ids used.
    UINT AddHotlistItems(HMENU menu, int firstEntry, UINT firstId);

    // Ids of the hotlist items in the menu built last: low < id <= high.
    void ClearHotlistRange() { m_hotlistLow = m_hotlistHigh = 0; }
    bool IsHotlistItem(UINT id) const { return id > m_hotlistLow && id <= m_hotlistHigh; }
    UINT GetHotlistLow() const { return m_hotlistLow; }
    UINT GetHotlistHigh() const { return m_hotlistHigh; }

private:
    UINT BuildSection(HMENU menu, LPCWSTR section, UINT firstId, int depth);
    UINT AddHostSection(HMENU menu, const CString& name, UINT firstId);
    UINT AddHotlistLevel(HMENU menu, const CIniSection& hotlist, int& entry, UINT firstId,
                         bool nested, bool& ended);

    CString m_settingsFile;
    CString m_hostIni;
    UINT m_hotlistLow = 0;
    UINT m_hotlistHigh = 0;
};
