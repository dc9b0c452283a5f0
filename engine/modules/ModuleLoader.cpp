#include "ModuleLoader.h"
#include "ModuleCalls.h"
#include "ModuleListText.h"
#include "EngineHelpers.h"
#include "IniReaders.h"
#include <cwchar>

namespace {

const WCHAR PluginListSection[] = L"PluginList";
const WCHAR PluginsSection[] = L"Plugins";

void CopyText(WCHAR* target, int size, LPCWSTR text)
{
    lstrcpynW(target, text ? text : L"", size);
}

} // namespace

CModuleLoader::~CModuleLoader()
{
    // The engine unloads the modules at teardown, from its unload export or
    // the host window's destruction. The loader itself goes away inside the
    // engine's DllMain, under the loader lock, where neither a module's
    // "Unload" nor FreeLibrary may run: whatever is still loaded then stays
    // loaded until the process ends.
}

int CModuleLoader::ProcessRequest(int index, EditRequest& request, INT parameter)
{
    EnterModuleCall();
    int result = CallProcess(m_entries[index].process, &request, parameter);
    LeaveModuleCall();
    return result;
}

void CModuleLoader::LeaveModuleCall()
{
    if (--m_callDepth > 0)
        return;
    std::vector<HMODULE> pending;
    pending.swap(m_pendingFree);
    for (HMODULE module : pending)
        FreeLibrary(module);
}

const ModuleEntry* CModuleLoader::Entry(int index) const
{
    return index >= 0 && index < ModuleCount() ? &m_entries[index] : nullptr;
}

const ModuleHotkey* CModuleLoader::Hotkey(int index) const
{
    return index >= 0 && index < HotkeyCount() ? &m_hotkeys[index] : nullptr;
}

int CModuleLoader::ModuleHotkeyIndex(UINT number) const
{
    if (number > LastModuleCommand || LastModuleCommand - number >= (UINT)HotkeyCount())
        return -1;
    return (int)(LastModuleCommand - number);
}

void CModuleLoader::LoadModuleList()
{
    if (!m_host.PluginsEnabled()) {
        UnloadModules(0);
        return;
    }
    std::vector<ListedModule> list = ReadPluginList();
    if (m_listLoaded && SameList(list)) {
        ReloadChangedWindows();
    } else {
        UnloadModules(0);
        TakeList(list);
    }
    m_listLoaded = true;
    for (int i = 0; i < ModuleCount(); ++i)
        LoadModule(i);
    NotifyListLoad();
    LoadModuleHotkeys();
}

std::vector<CModuleLoader::ListedModule> CModuleLoader::ReadPluginList() const
{
    std::vector<ListedModule> list;
    LPCWSTR ini = m_host.SettingsFile();
    std::vector<WCHAR> keys;
    ReadIniSection(PluginListSection, nullptr, L"", keys, 0, ini);
    for (LPCWSTR key = keys.data(); *key; key += wcslen(key) + 1) {
        WCHAR value[ModuleEntryPathLength + 1] = {};
        GetPrivateProfileStringW(PluginListSection, key, L"", value, ModuleEntryPathLength + 1, ini);
        ListedModule module;
        ParsePluginListLine(key, value, m_host.EngineFolder(), module.name, module.path);
        list.push_back(module);
    }
    return list;
}

bool CModuleLoader::SameList(const std::vector<ListedModule>& list) const
{
    if (list.size() != m_entries.size())
        return false;
    for (size_t i = 0; i < list.size(); ++i) {
        // Compared as stored: the entry fields hold the texts cut to their size.
        ModuleEntry probe;
        CopyText(probe.name, ModuleEntryNameLength, list[i].name);
        CopyText(probe.path, ModuleEntryPathLength, list[i].path);
        if (wcscmp(probe.name, m_entries[i].name) != 0 || wcscmp(probe.path, m_entries[i].path) != 0)
            return false;
    }
    return true;
}

void CModuleLoader::TakeList(const std::vector<ListedModule>& list)
{
    m_entries.assign(list.size(), ModuleEntry());
    for (size_t i = 0; i < list.size(); ++i) {
        CopyText(m_entries[i].name, ModuleEntryNameLength, list[i].name);
        CopyText(m_entries[i].path, ModuleEntryPathLength, list[i].path);
    }
}

void CModuleLoader::ReloadChangedWindows()
{
    for (ModuleEntry& entry : m_entries) {
        if (!entry.module || !(entry.flags & OwnWindow))
            continue;
        RECT client;
        if (OwnWindowParent(client) != entry.loadWindow)
            ReleaseModule(entry, true);
    }
}

void CModuleLoader::NotifyListLoad()
{
    bool wanted = false;
    for (const ModuleEntry& entry : m_entries)
        if (entry.module && (entry.flags & PathEvents))
            wanted = true;
    if (!wanted)
        return;
    HWND focus = GetFocus();
    for (int side = 0; side < 2; ++side) {
        CString path = m_host.PanelPath(side);
        NotifyModulesOfPath(focus, path, side);
    }
}

HWND CModuleLoader::OwnWindowParent(RECT& client) const
{
    SetRectEmpty(&client);
    HWND parent = m_host.FileList(1);
    if (parent && IsWindow(parent) && GetClientRect(parent, &client))
        return parent;
    // Before the lists are known the module is placed in the main window.
    parent = m_host.MainWindow();
    if (!parent || !GetClientRect(parent, &client))
        SetRectEmpty(&client);
    return parent;
}

int CModuleLoader::LoadModule(int index, bool hotkeyIndex)
{
    if (hotkeyIndex) {
        if (index < 0 || index >= HotkeyCount())
            return -1;
        index = m_hotkeys[index].moduleIndex;
    }
    if (index < 0 || index >= ModuleCount())
        return -1;
    ModuleEntry& entry = m_entries[index];
    if (entry.module)
        return index;

    HMODULE module = LoadLibraryW(entry.path);
    if (!module)
        return -1;
    entry.getInfo = (ModuleGetInfoProc)(void*)GetProcAddress(module, "GetInfo");
    entry.load = (ModuleLoadProc)(void*)GetProcAddress(module, "Load");
    entry.unload = (ModuleUnloadProc)(void*)GetProcAddress(module, "Unload");
    entry.process = (ModuleProcessProc)(void*)GetProcAddress(module, "Process");
    entry.module = module;
    if (!entry.getInfo || !entry.load || !entry.unload || !entry.process) {
        ReleaseModule(entry, false);
        return -1;
    }
    EnterModuleCall();
    const ModuleInfo* info = CallGetInfo(entry.getInfo);
    LeaveModuleCall();
    if (!IsCompleteInfo(info)) {
        ReleaseModule(entry, false);
        return -1;
    }
    entry.flags = info->flags;

    POINT point = {};
    POINT* pointArg = nullptr;
    HWND parent;
    if (entry.flags & OwnWindow) {
        RECT client;
        parent = OwnWindowParent(client);
        point.x = client.right - info->width;
        point.y = client.bottom - info->height;
        pointArg = &point;
    } else {
        parent = m_host.MainWindow();
    }
    entry.loadWindow = parent;
    EnterModuleCall();
    bool loaded = CallLoad(entry.load, parent, pointArg);
    // The list may have changed while the module ran.
    bool listed = index < ModuleCount() && m_entries[index].module == module;
    if (!loaded && listed) {
        // A module whose "Load" failed may be half set up: let it clean up.
        ReleaseModule(m_entries[index], true);
    }
    LeaveModuleCall();
    return loaded && listed ? index : -1;
}

int CModuleLoader::FindModule(LPCWSTR text) const
{
    if (!text || !*text)
        return -1;
    CString wanted(text);
    if (wcschr(text, L'\\'))
        ResolveModulePath(wanted, m_host.EngineFolder());
    for (int i = ModuleCount() - 1; i >= 0; --i)
        if (_wcsicmp(m_entries[i].path, wanted) == 0)
            return i;
    for (int i = ModuleCount() - 1; i >= 0; --i)
        if (_wcsicmp(m_entries[i].name, wanted) == 0)
            return i;
    return -1;
}

void CModuleLoader::LoadModuleHotkeys()
{
    // The hotkeys of an earlier load go first, so attaching again never
    // leaves the same module hotkey in the table twice.
    if (m_hotkeysBound) {
        m_host.RemoveModuleHotkeys();
        m_hotkeysBound = false;
    }
    m_hotkeys.clear();

    LPCWSTR ini = m_host.SettingsFile();
    std::vector<WCHAR> keys;
    ReadIniSection(PluginsSection, nullptr, L"", keys, 0, ini);
    UINT number = LastModuleCommand;
    for (LPCWSTR key = keys.data(); *key; key += wcslen(key) + 1) {
        WCHAR value[ModuleEntryPathLength + 1] = {};
        GetPrivateProfileStringW(PluginsSection, key, L"", value, ModuleEntryPathLength + 1, ini);
        CString module;
        ModuleHotkey hotkey;
        ParsePluginsValue(value, module, hotkey.parameter);
        hotkey.moduleIndex = FindModule(module);
        hotkey.number = number--;
        m_hotkeys.push_back(hotkey);
        if (hotkey.moduleIndex >= 0) {
            m_host.AddModuleHotkey(key, hotkey.number);
            m_hotkeysBound = true;
        }
    }
}

void CModuleLoader::NotifyModulesOfPath(HWND focus, LPCWSTR path, int side)
{
    // By index: a module may cause the list to change while it runs.
    for (int i = 0; i < ModuleCount(); ++i) {
        if (!(m_entries[i].flags & PathEvents) || LoadModule(i) < 0)
            continue;
        EditRequest request = {};
        request.code = RequestPathNotice;
        CopyText(request.text, ModuleTextLength, path);
        request.selStart = side;
        request.selEnd = 0;
        request.window = focus;
        ProcessRequest(i, request, 0);
    }
}

void CModuleLoader::ReleaseModule(ModuleEntry& entry, bool callUnload)
{
    if (!entry.module)
        return;
    HMODULE module = entry.module;
    ModuleUnloadProc unload = entry.unload;
    entry.module = nullptr;
    entry.getInfo = nullptr;
    entry.load = nullptr;
    entry.unload = nullptr;
    entry.process = nullptr;
    entry.loadWindow = nullptr;
    if (callUnload && unload) {
        EnterModuleCall();
        CallUnload(unload);
        LeaveModuleCall();
    }
    if (m_callDepth > 0)
        m_pendingFree.push_back(module);
    else
        FreeLibrary(module);
}

void CModuleLoader::UnloadModules(UINT mask)
{
    for (int i = 0; i < ModuleCount(); ++i) {
        ModuleEntry& entry = m_entries[i];
        if (entry.module && (mask == 0 || (entry.flags & mask)))
            ReleaseModule(entry, true);
    }
    if (mask != 0)
        return;
    m_entries.clear();
    if (m_hotkeysBound) {
        m_host.RemoveModuleHotkeys();
        m_hotkeysBound = false;
    }
    m_hotkeys.clear();
    m_listLoaded = false;
}

CString CModuleLoader::Describe() const
{
    CString text;
    for (int i = 0; i < ModuleCount(); ++i) {
        const ModuleEntry& entry = m_entries[i];
        text.AppendFormat(L"Module%d=%s|%s|%d|0x%X\n", i, entry.name, entry.path,
                          entry.module ? 1 : 0, entry.flags);
    }
    for (int i = 0; i < HotkeyCount(); ++i) {
        const ModuleHotkey& hotkey = m_hotkeys[i];
        text.AppendFormat(L"ModuleHotkey%d=%u|%d|%d\n", i, hotkey.number, hotkey.moduleIndex,
                          hotkey.parameter);
    }
    return text;
}
