// The hotkey table's place in the engine's start-up and teardown, and the
// start-up command sequence.
#include "KeyboardTable.h"
#include "MerovinApp.h"

namespace {

// The host's command numbers of this start, for the table builder.
class CHostCommandLookup : public IHostCommandLookup {
public:
    explicit CHostCommandLookup(const CMerovinApp& app) : m_app(app) {}
    int HostCommandNumber(LPCWSTR name) const override { return m_app.HostCommandNumber(name); }

private:
    const CMerovinApp& m_app;
};

} // namespace

void CMerovinApp::BuildKeyboardTable()
{
    KeyboardSwitches switches;
    switches.StickyFiles = m_settings.StickyFiles;
    switches.BookMarks = m_settings.BookMarks;
    switches.CloseAllListers = m_settings.CloseAllListers;
    switches.AutoCompletion = m_settings.AutoCompletion;
    switches.TabsToFav = m_settings.TabsToFav;
    switches.ChangeColumns = m_settings.ChangeColumns;
    switches.ESCSpecial = m_settings.ESCSpecial;
    switches.GotoUpFromRoot = m_settings.GotoUpFromRoot;
    CHostCommandLookup lookup(*this);
    ::BuildKeyboardTable(m_hotkeyTable, m_menuHotkeyTexts, m_settingsFile, switches, lookup);
}

void CMerovinApp::ClearKeyboardTable()
{
    m_hotkeyTable.ClearHotkeys();
    m_menuHotkeyTexts.Clear();
    m_commands.Reset();
}

void CMerovinApp::RunStartupSequence()
{
    m_commands.RunStartupSequence();
}
