// CHotKeyHolder::Save: the own entries back to [Keyboard] and [Plugins].
//
// The section the saving page owns is emptied and written anew with one
// section write (one rewrite of the file instead of one per key). The other
// section is written key by key, as the profile functions would: an existing
// key keeps its line and gets the entry's value, a new key is appended; only
// values that differ are written.
#include "HotKeyHolder.h"
#include "CommandList.h"
#include "IniSection.h"
#include <string>
#include <unordered_map>

namespace {

const WCHAR kKeyboard[] = L"Keyboard";
const WCHAR kPlugins[] = L"Plugins";

// Keys are matched without case; [Plugins] keys are hotkeys and match in
// their normalised form.
std::wstring MatchKey(const CString& key, bool hotkey)
{
    return LowerKey(hotkey ? NormaliseHotkeyText(key) : key);
}

// A section built in memory, written with one call.
class CSectionText
{
public:
    explicit CSectionText(bool hotkeyKeys) : m_hotkeyKeys(hotkeyKeys) {}

    // The key's line gets the value; a new key is appended.
    void Set(const CString& key, const CString& value)
    {
        std::wstring match = MatchKey(key, m_hotkeyKeys);
        auto found = m_lineOfKey.find(match);
        if (found != m_lineOfKey.end()) {
            m_lines[found->second] = key + L"=" + value;
            return;
        }
        m_lineOfKey.emplace(match, (int)m_lines.Add(key + L"=" + value));
    }
    // A line kept as it stands; a later Set of its key replaces it.
    void Keep(const CString& key, const CString& line)
    {
        m_lineOfKey.emplace(MatchKey(key, m_hotkeyKeys), (int)m_lines.GetSize());
        m_lines.Add(line);
    }
    BOOL Write(const CIniHelper& ini, LPCWSTR lpszSection) const { return ini.WriteSection(lpszSection, m_lines); }

private:
    bool m_hotkeyKeys;
    CStringArray m_lines;
    std::unordered_map<std::wstring, int> m_lineOfKey;
};

// A section of the file written key by key.
class CSectionUpdate
{
public:
    CSectionUpdate(const CIniHelper& ini, LPCWSTR lpszSection, bool hotkeyKeys)
        : m_ini(ini), m_section(lpszSection), m_hotkeyKeys(hotkeyKeys)
    {
        CIniSection current;
        current.Load(lpszSection, ini.GetFileName());
        for (int i = 0; i < current.KeyCount(); ++i) {
            const CString& key = current.Key(i);
            m_values.emplace(MatchKey(key, hotkeyKeys), CKeyValue{ key, current.Text(i) });
        }
    }

    void Set(const CString& key, const CString& value)
    {
        std::wstring match = MatchKey(key, m_hotkeyKeys);
        auto found = m_values.find(match);
        if (found == m_values.end()) {
            m_ini.WriteString(m_section, key, value);
            m_values.emplace(match, CKeyValue{ key, value });
        } else if (found->second.value != value) {
            m_ini.WriteString(m_section, found->second.key, value);
            found->second.value = value;
        }
    }

private:
    struct CKeyValue
    {
        CString key; // as it stands in the file
        CString value;
    };

    const CIniHelper& m_ini;
    LPCWSTR m_section;
    bool m_hotkeyKeys;
    std::unordered_map<std::wstring, CKeyValue> m_values;
};

CString PluginsValue(const CHKEntry& entry)
{
    return entry.strComment.IsEmpty() ? entry.strCommand : entry.strCommand + L" ;" + entry.strComment;
}

} // namespace

BOOL CHotKeyHolder::Save(int nMode)
{
    ClearWriteError();
    if (!m_bModified || (nMode != 1 && nMode != 2))
        return FALSE;
    PurgeDeleted();
    CSectionText keyboard(false), plugins(true);
    CSectionUpdate other(*this, nMode == 1 ? kPlugins : kKeyboard, nMode == 1);
    for (int i = 0; i < GetCount(); ++i) {
        const CHKEntry& entry = m_entries[i];
        if (!(entry.nSource & SourceOwn))
            continue;
        if (entry.nType == EntryLiteral) {
            if (nMode == 2)
                plugins.Set(entry.strKey, PluginsValue(entry));
            else
                other.Set(entry.strKey, PluginsValue(entry));
        } else if (entry.nType == EntryKeptLine) {
            // Still in the file unless [Keyboard] is written anew.
            if (nMode == 1)
                keyboard.Keep(entry.strCommand, entry.strLine);
        } else if (nMode == 1) {
            keyboard.Set(CommandText(i), entry.strKey);
        } else {
            other.Set(CommandText(i), entry.strKey);
        }
    }
    return nMode == 1 ? keyboard.Write(*this, kKeyboard) : plugins.Write(*this, kPlugins);
}
