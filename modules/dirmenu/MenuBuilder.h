// Builds the module's popup menus: snippet sections of the module's own INI
// file (separators, submenus, lists of any INI section, host sections) and the
// host's directory hotlist. Item ids count up in menu order.
//
// Menu files may name sections in loops or fan out without end, so one build
// opens no section twice on the same path (the entry becomes "($sub)"), stops
// at MaxMenuItems entries or MaxSubmenus submenus in all, and reads each
// section from its file once.
#pragma once
#include "Framework.h"
#include "IniSection.h"

// Values of the menu files are read as into a 1024-character buffer.
const int IniValueLength = 1024;
#include <map>
#include <memory>
#include <string>
#include <vector>

// Entries (items, separators, submenus) of one menu in all, and the submenus
// among them (each costs the process a window-manager handle); the entries
// after the first one that does not fit are left out.
const UINT MaxMenuItems = 4096;
const UINT MaxSubmenus = 256;

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
// engine refuses, and a search it gives up, find nothing.
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

    // Entries and submenus of the menu built last.
    UINT GetItemCount() const { return m_itemCount; }
    UINT GetSubmenuCount() const { return m_submenuCount; }

private:
    class CBuildScope;

    UINT BuildSection(HMENU menu, LPCWSTR section, UINT firstId, int depth);
    UINT AddHostSection(HMENU menu, const CString& name, UINT firstId);
    // A hotlist submenu being filled.
    struct CHotlistLevel {
        HMENU menu;
        CString caption;
        UINT id; // the next item's id
        bool separatorDue;
    };
    void CloseHotlistLevel(std::vector<CHotlistLevel>& levels);
    bool IsOpen(LPCWSTR section) const;
    // A section of `file` (of the file the host's rules give when `host`),
    // read once per build.
    const CIniSection& ReadSection(LPCWSTR file, LPCWSTR section, bool host);

    // Appending that counts the menu's entries.
    bool HasRoom(UINT entries = 1) const { return !m_full && m_itemCount + entries <= MaxMenuItems; }
    void AddText(HMENU menu, UINT id, LPCWSTR caption, LPCWSTR text);
    void AddSeparator(HMENU menu);
    // A submenu's entry is counted before it is filled; null (and the menu
    // full) when there is no room for it.
    HMENU BeginSubmenu();
    void DropSubmenu(HMENU submenu);

    CString m_settingsFile;
    CString m_hostIni;
    UINT m_hotlistLow = 0;
    UINT m_hotlistHigh = 0;
    int m_buildDepth = 0;
    UINT m_itemCount = 0;
    UINT m_submenuCount = 0;
    bool m_full = false;
    CStringArray m_openSections; // the current path, outermost first
    std::map<std::wstring, std::unique_ptr<CIniSection>> m_sections;
};
