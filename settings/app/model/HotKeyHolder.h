// The hotkey model: every hotkey in force when the engine runs, from the
// host's default hotkeys, the host's INI and the engine's own "Merovin.ini".
// Pages show, assign and clear hotkeys through it; only entries of the own
// INI are written back, to [Keyboard] and [Plugins].
#pragma once

#include <windows.h>
#include "Collections.h"
#include "IniHelper.h"
#include "Strings.h"

class CCommandList;
class CLocalizer;

struct CHKEntry
{
    CString strKey;     // the hotkey text
    int nIndex = -1;    // row of the host or own list (types 0 and 1)
    CString strComment; // [Plugins] entries only
    CString strCommand; // the literal command (type 2), the line's key (type 3)
    CString strLine;    // type 3: the [Keyboard] line as it stands in the file
    int nFlags = 0;
    int nSource = 0;
    int nType = 0;
};

// Entry flags.
enum HotKeyEntryFlags
{
    EntryChanged = 0x01, // added or re-keyed in this run, not yet saved
    EntryDeleted = 0x20, // removed; dropped at the next save
};

// Entry sources, tested as a mask.
enum HotKeySource
{
    SourceDefaults = 1, // the host's default-hotkeys file
    SourceHost = 2,     // the host's INI
    SourceOwn = 4,      // "Merovin.ini"
    AllSources = SourceDefaults | SourceHost | SourceOwn,
};

// Entry types.
enum HotKeyEntryType
{
    EntryHostCommand = 0,   // row of the host list
    EntryEngineCommand = 1, // row of the own list
    EntryLiteral = 2,       // module commands ("module,id") and host menu items
    // A [Keyboard] line the utility cannot resolve (a command number, a name
    // its lists lack): never shown or matched, written back as it was read.
    EntryKeptLine = 3,
};

class CHotKeyHolder : public CIniHelper
{
public:
    CHotKeyHolder() : CIniHelper(L"") {}

    // The lists that entries of types 0 and 1 point into, and the localiser
    // of the holder's messages.
    void Link(CCommandList* pHostList, CCommandList* pOwnList, const CLocalizer* pLocalizer);
    CCommandList* GetHostList() const { return m_pHostList; }
    CCommandList* GetOwnList() const { return m_pOwnList; }

    // Loads every source in order (see HotKeySources.cpp): the default-hotkeys
    // file in lpszOwnFolder, the host INI's [Shortcuts], [ShortcutsWin] and
    // [User], then [Keyboard] and [Plugins] of the own INI. Clears the
    // modified flag; the holder's file is then the own INI.
    void Load(LPCWSTR lpszOwnFolder, LPCWSTR lpszHostIni, LPCWSTR lpszOwnIni);
    // Writes the own entries: mode 1 rewrites [Keyboard] (and updates
    // [Plugins]), mode 2 rewrites [Plugins] (and updates [Keyboard]).
    // Nothing while no change was made. Returns TRUE when it wrote;
    // GetWriteError tells the error of this save's first failed write.
    BOOL Save(int nMode);

    int GetCount() const { return (int)m_entries.GetSize(); }
    const CHKEntry& GetAt(int i) const { return m_entries[i]; }
    BOOL IsModified() const { return m_bModified; }

    int AddByIndex(int nType, int nIndex, LPCWSTR lpszKey, int nSource);
    int AddLiteral(LPCWSTR lpszKey, LPCWSTR lpszCommand, int nSource);

    // The command an entry binds: a list row's name or the literal.
    CString CommandText(int i) const;
    // The first live entry of a source in the mask whose command equals the
    // text without case; -1 when none.
    int FindByCommand(LPCWSTR lpszCommand, int nSourceMask) const;
    // The entry a change of the command's key acts on: its own entry when it
    // has one, else its first entry of any source; -1 when none.
    int FindEntryToChange(LPCWSTR lpszCommand) const;
    // The last live entry or kept [Keyboard] line holding the key (without
    // case; a kept line's key normalised first); a default hotkey counts
    // only while the host INI does not bind its command.
    int FindByKey(LPCWSTR lpszKey) const;
    // The host list row of a command name or number; -1 when none.
    int FindHostCommand(LPCWSTR lpszText) const;

    // A non-empty key re-keys the entry (now an own one); an empty key drops
    // an unsaved entry at once and marks any other deleted.
    void SetKey(int i, LPCWSTR lpszKey);
    // Drops deleted entries and clears the changed marks.
    void PurgeDeleted();
    // Binds the key to a command: a row of the host (type 0) or own (type 1)
    // list, or the literal text (type 2). A key taken by another command asks
    // first (message 102); 0 when the user declines, 1 when bound.
    int Assign(LPCWSTR lpszKey, int nType, int nRow, LPCWSTR lpszLiteral = nullptr, LPCWSTR lpszComment = nullptr);
    // Removes the literal entries of a module ("module,..."); returns how many.
    int RemoveModuleEntries(LPCWSTR lpszModule);
    // Appends the command's distinct keys to text ("; " between them) and
    // returns how many there are. A non-zero mask counts only keys holding
    // every selected modifier: 1 Win, 2 Ctrl, 4 Alt, 8 Shift.
    int CollectHotkeys(LPCWSTR lpszCommand, CString& text, int nModifierMask = 0) const;

    // Message 103 for a hotkey whose command no list knows, until the user
    // answers No once.
    void ReportUndefinedCommand(LPCWSTR lpszKey, LPCWSTR lpszCommand);

private:
    void LoadDefaults(LPCWSTR lpszFile);
    void LoadHostShortcuts(LPCWSTR lpszHostIni);
    void LoadHostWinShortcuts(LPCWSTR lpszHostIni);
    void LoadHostUserMenu(LPCWSTR lpszHostIni);
    void LoadKeyboard(LPCWSTR lpszOwnIni);
    void LoadPlugins(LPCWSTR lpszOwnIni);
    CString LocalText(UINT nID) const;

    CArray<CHKEntry, const CHKEntry&> m_entries;
    CCommandList* m_pHostList = nullptr;
    CCommandList* m_pOwnList = nullptr;
    const CLocalizer* m_pLocalizer = nullptr;
    BOOL m_bModified = FALSE;
    BOOL m_bReportUndefined = TRUE;
};

// A hotkey text with its modifiers written Win, Alt, Ctrl, Shift; a text
// that does not parse, or that names a modifier's side, stays as it is.
CString NormaliseHotkeyText(LPCWSTR lpszKey);

// The name [PluginList] gives a module path: a key holding "\" is a path
// and its value the name, otherwise the key is the name and the value the
// path. The path itself when no line lists it.
CString ModuleNameForPath(LPCWSTR lpszPath, LPCWSTR lpszOwnIni);
