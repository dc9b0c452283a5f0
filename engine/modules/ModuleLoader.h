// The engine's module loader: the modules of "PluginList", their hotkeys of
// "Plugins", running their commands on the focused control, panel-path
// notices, and unloading. Everything runs on the host's GUI thread.
#pragma once
#include <windows.h>
#include <vector>
#include "Strings.h"
#include "ModuleInterface.h"
#include "ModuleHost.h"
#include "TCProtocol.h"

// Delay of the selection restore after a module's SetText.
const UINT SelectionRestoreDelay = 100;

const int ModuleEntryNameLength = 260;
const int ModuleEntryPathLength = 1024;

// One listed module; loaded while `module` is set.
struct ModuleEntry {
    UINT flags = 0; // copied from the module's ModuleInfo at load
    HMODULE module = nullptr;
    ModuleGetInfoProc getInfo = nullptr;
    ModuleLoadProc load = nullptr;
    ModuleUnloadProc unload = nullptr;
    ModuleProcessProc process = nullptr;
    WCHAR name[ModuleEntryNameLength] = {};
    WCHAR path[ModuleEntryPathLength] = {};
    HWND loadWindow = nullptr; // the window given to "Load"
};

// One "Plugins" line.
struct ModuleHotkey {
    int moduleIndex = -1; // -1 when no listed module matches
    int parameter = 0;
    UINT number = 0;      // its CommandNumber
};

class CModuleLoader {
public:
    explicit CModuleLoader(CModuleHost& host) : m_host(host) {}
    ~CModuleLoader();
    CModuleLoader(const CModuleLoader&) = delete;
    CModuleLoader& operator=(const CModuleLoader&) = delete;

    // Part of every attach. Reads "PluginList" and loads its modules, sends
    // the path notices of both sides, then binds the "Plugins" hotkeys. When
    // the list has not changed since the last load the loaded modules are
    // kept (an OwnWindow module whose window changed is loaded again), and
    // the module hotkeys are replaced, never added twice.
    void LoadModuleList();
    // Loads entry `index` (or the module of hotkey `index`) unless it is
    // loaded; returns the entry's index, or -1.
    int LoadModule(int index, bool hotkeyIndex = false);
    // The last entry whose path, or else whose name, equals `text` without
    // case; a text holding "\" is resolved first. -1 when none.
    int FindModule(LPCWSTR text) const;
    // Reads "Plugins": numbers from LastModuleCommand downward in file order;
    // a line whose module is listed is added to the hotkey table.
    void LoadModuleHotkeys();

    // Runs a module command on `focus`: for hotkey index `value` when `name`
    // is null, else for module `name` with parameter `value`. Returns 1 when
    // "Process" returned non-zero, else 0 (the key then goes on to the host).
    int RunModuleCommand(int value, HWND focus, LPCWSTR name = nullptr);
    // The dispatcher's module command: RunModuleCommand on the focused window.
    int RunModuleByName(LPCWSTR name, int parameter);
    // Tells every PathEvents module (in list order) the path of a side.
    void NotifyModulesOfPath(HWND focus, LPCWSTR path, int side);
    // Unloads ("Unload", then FreeLibrary) every loaded module whose flags
    // share a bit with `mask`; mask 0 unloads all and forgets the list and
    // the module hotkeys.
    void UnloadModules(UINT mask);

    // The engine's handler of EngineTimer::SelectionRestore: the kept
    // request's window gets the focus and the kept selection.
    void OnSelectionRestoreTimer();

    // The module hotkey index of a command number: 65499 - number within
    // 65500 - HotkeyCount() to 65499, else -1.
    int ModuleHotkeyIndex(UINT number) const;

    int ModuleCount() const { return (int)m_entries.size(); }
    int HotkeyCount() const { return (int)m_hotkeys.size(); }
    const ModuleEntry* Entry(int index) const;
    const ModuleHotkey* Hotkey(int index) const;
    // Lines describing the entries and the hotkeys, for tests and diagnostics.
    CString Describe() const;

private:
    struct ListedModule {
        CString name;
        CString path;
    };
    std::vector<ListedModule> ReadPluginList() const;
    bool SameList(const std::vector<ListedModule>& list) const;
    void TakeList(const std::vector<ListedModule>& list);
    void ReloadChangedWindows();
    void NotifyListLoad();
    void ReleaseModule(ModuleEntry& entry, bool callUnload);
    // The window an OwnWindow module is loaded with now, and its client rectangle.
    HWND OwnWindowParent(RECT& client) const;
    void ActOnResult(int result, HWND focus, EditRequest& request);
    // "Process" of entry `index`. A module may run a message loop inside it,
    // where the engine may unload modules: libraries are then freed only
    // once the outermost module call has returned.
    int ProcessRequest(int index, EditRequest& request, INT parameter);
    void EnterModuleCall() { ++m_callDepth; }
    void LeaveModuleCall();

    CModuleHost& m_host;
    std::vector<ModuleEntry> m_entries;
    std::vector<ModuleHotkey> m_hotkeys;
    bool m_listLoaded = false;
    bool m_hotkeysBound = false;
    EditRequest m_keptRequest = {}; // the request of the last SetText
    int m_callDepth = 0;                 // module calls in progress
    std::vector<HMODULE> m_pendingFree;  // freed when the calls have returned
};
