#include "EngineModuleHost.h"
#include "EngineContext.h"
#include "EngineHelpers.h"
#include "EngineSettings.h"
#include "FocusClass.h"
#include "HotkeyTable.h"
#include "HostTreeSnapshot.h"
#include "ModuleInterface.h"
#include "PanelObjects.h"

namespace {

HWND LiveWindow(HWND window)
{
    return window && IsWindow(window) ? window : nullptr;
}

} // namespace

LPCWSTR CEngineModuleHost::SettingsFile()
{
    return m_engine.Paths().settingsFile;
}

LPCWSTR CEngineModuleHost::EngineFolder()
{
    return m_engine.Paths().engineFolder;
}

bool CEngineModuleHost::PluginsEnabled()
{
    return m_engine.Settings().EnablePlugins != 0;
}

HWND CEngineModuleHost::MainWindow()
{
    return LiveWindow(m_engine.Host().mainWindow);
}

HWND CEngineModuleHost::FileList(int side)
{
    if (side != 0 && side != 1)
        return nullptr;
    const CTCFileList* list = m_engine.Panels().fileList[side];
    if (list && LiveWindow(list->Window()))
        return list->Window();
    // Without file-list objects the attach step's snapshot knows the list.
    return m_engine.Tree().valid ? LiveWindow(m_engine.Tree().fileList[side]) : nullptr;
}

HWND CEngineModuleHost::TabControl(int side)
{
    if (side != 0 && side != 1)
        return nullptr;
    const CMyTabs* tabs = m_engine.Panels().tabs[side];
    return tabs ? LiveWindow(tabs->Window()) : nullptr;
}

CString CEngineModuleHost::PanelPath(int side)
{
    if (side != 0 && side != 1)
        return CString();
    HWND bar = nullptr;
    if (const CPathWnd* path = m_engine.Panels().pathWnd[side])
        bar = LiveWindow(path->Window());
    if (!bar && m_engine.Tree().valid)
        bar = LiveWindow(m_engine.Tree().bar2[side]);
    if (!bar)
        return CString();
    WCHAR text[ModuleTextLength] = {};
    GetWindowTextW(bar, text, ModuleTextLength);
    return FolderOfPathText(text);
}

UINT CEngineModuleHost::ClassifyFocus(HWND window)
{
    return ::ClassifyFocus(window);
}

bool CEngineModuleHost::AddModuleHotkey(LPCWSTR hotkeyText, UINT commandNumber)
{
    CKeyApprentice& table = m_engine.Hotkeys();
    if (m_firstHotkey >= 0 && m_generation != table.Generation())
        m_firstHotkey = -1; // the table was rebuilt: the old tail is gone with it
    int first = table.GetCount();
    if (!table.AddHotkey(hotkeyText, commandNumber, nullptr, 0))
        return false;
    if (m_firstHotkey < 0) {
        m_firstHotkey = first;
        m_generation = table.Generation();
    }
    return true;
}

void CEngineModuleHost::RemoveModuleHotkeys()
{
    CKeyApprentice& table = m_engine.Hotkeys();
    if (m_firstHotkey >= 0 && m_generation == table.Generation())
        table.RemoveFrom(m_firstHotkey);
    m_firstHotkey = -1;
}

bool CEngineModuleHost::StartTimer(EngineTimer kind, UINT elapse)
{
    return m_engine.StartTimer(kind, 0, elapse) != 0;
}

void CEngineModuleHost::KillTimer(EngineTimer kind)
{
    m_engine.KillTimer(kind);
}
