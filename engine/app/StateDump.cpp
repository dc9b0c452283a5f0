// The engine's state as "key=value" lines, for tests and diagnostics.
#include "MerovinApp.h"

CString CMerovinApp::DebugDump() const
{
    CString text;
    text.AppendFormat(L"running=%d\n", m_running ? 1 : 0);
    text.AppendFormat(L"pinned=%d\n", m_selfPin ? 1 : 0);
    text.AppendFormat(L"title=%s\n", m_title.GetString());
    text.AppendFormat(L"engineFolder=%s\n", m_paths.engineFolder.GetString());
    text.AppendFormat(L"settingsFile=%s\n", m_paths.settingsFile.GetString());
    text.AppendFormat(L"bookmarksFile=%s\n", m_paths.bookmarksFile.GetString());
    text.AppendFormat(L"stickyFile=%s\n", m_paths.stickyFile.GetString());
    text.AppendFormat(L"localizationFile=%s\n", m_paths.localizationFile.GetString());
    text.AppendFormat(L"hostIni=%s\n", m_paths.hostIni.GetString());
    text.AppendFormat(L"userCmdIni=%s\n", m_paths.userCmdIni.GetString());
    text.AppendFormat(L"hostCommandFile=%s\n", m_paths.hostCommandFile.GetString());
    text.AppendFormat(L"hostCommandCount=%d\n", m_hostCommands.Count());
    text.AppendFormat(L"hostMain=%p\n", (void*)m_host.mainWindow);
    text.AppendFormat(L"desktopName=%s\n", m_host.desktopName.GetString());
    text.AppendFormat(L"extractIcons=%d\n", m_host.extractIcons ? 1 : 0);
    text.AppendFormat(L"dispatcher=%p\n", (void*)m_dispWnd.GetSafeHwnd());
    text.AppendFormat(L"reloadMessage=%u\n", m_reloadMessage);
    text.AppendFormat(L"keyboardHook=%d\n", m_hooks.Keyboard() ? 1 : 0);
    text.AppendFormat(L"keyboardHookLowLevel=%d\n", m_hooks.KeyboardIsLowLevel() ? 1 : 0);
    text.AppendFormat(L"hotkeyCount=%d\n", m_hotkeyTable.GetCount());
    text.AppendFormat(L"hotkeyGeneration=%u\n", m_hotkeyTable.Generation());
    text.AppendFormat(L"getMessageHook=%d\n", m_hooks.GetMessageHook() ? 1 : 0);
    text.AppendFormat(L"watcherHook=%d\n", m_hooks.Watcher() ? 1 : 0);
    text.AppendFormat(L"timers=%d\n", m_timers.Count());
    text.AppendFormat(L"timerList=%s\n", m_timers.Describe().GetString());
    text.AppendFormat(L"subclasses=%d\n", m_attach.SubclassCount());
    text += m_attach.Describe();
    text.AppendFormat(L"DirBrackets=%d\n", m_host.dirBrackets);
    text.AppendFormat(L"SizeStyle=%d\n", m_host.sizeStyle);
    text.AppendFormat(L"BackColor=0x%08X\n", (unsigned)m_host.backColor);
    text.AppendFormat(L"BackColor2=0x%08X\n", (unsigned)m_host.backColor2);
    text.AppendFormat(L"InverseCursor=%d\n", m_host.inverseCursor);
    text.AppendFormat(L"hostVersion=%s\n", m_host.version.GetString());
    text += m_settings.Describe();
    text += m_modules.Describe();
    const MenuColors& m = m_settings.menuColors;
    text.AppendFormat(L"Menu1stColor=0x%08X\nMenu2ndColor=0x%08X\nMenuTextColor=0x%08X\n",
                      (unsigned)m.menu1st, (unsigned)m.menu2nd, (unsigned)m.menuText);
    text.AppendFormat(L"Select1stColor=0x%08X\nSelect2ndColor=0x%08X\nSelectTextColor=0x%08X\n",
                      (unsigned)m.select1st, (unsigned)m.select2nd, (unsigned)m.selectText);
    text.AppendFormat(L"Separator1stColor=0x%08X\nSeparator2ndColor=0x%08X\nSeparatorTextColor=0x%08X\n",
                      (unsigned)m.separator1st, (unsigned)m.separator2nd, (unsigned)m.separatorText);
    text.AppendFormat(L"IconBarColor=0x%08X\nSeparatorStyle=%d\nSelectStyle=%d\nMenuTextStyle=%d\nFlatMenu=%d\n",
                      (unsigned)m.iconBar, m.separatorStyle, m.selectStyle, m.menuTextStyle, m.flatMenu);
    return text;
}
