// The demo's scripted tour. A thread of the host presses the demo's keys as a
// person would, waits for what each step is to show, takes one screenshot per
// step (menus and popups while they are open) and reports each step as ok or
// failed, with its caption, on the console and in index.html beside the
// pictures. The steps are one table (TCTourSteps.cpp); the host thread only
// runs what the tour hands it through a message-only window.
#pragma once
#include <windows.h>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

class CTour;

// One step: its screenshot's file name, the caption printed and shown under
// the picture, the action that makes the step visible (false with the reason
// when the expected window or text did not appear) and what closes it again
// after the screenshot (may be null).
struct CTourStep {
    const wchar_t* shot;
    const wchar_t* caption;
    bool (*show)(CTour& tour, std::wstring& why);
    void (*close)(CTour& tour);
};

// The tour's steps, in order.
const std::vector<CTourStep>& TourSteps();

class CTour {
public:
    // Starts the tour's thread; screenshots and index.html go into `folder`.
    bool Start(const std::wstring& folder);
    // Waits for the thread; returns the number of failed steps.
    int Finish();

    // For the steps; all of them run on the tour's thread.
    void OnHost(const std::function<void()>& work);  // runs `work` on the host's thread
    bool Focus(HWND target);
    bool Keys(std::initializer_list<WORD> modifiers, WORD vk);  // sided modifiers, as a person presses them
    bool Type(const std::wstring& text);                         // Unicode key input into the focus
    bool WaitFor(DWORD ms, const std::function<bool()>& done);
    std::wstring Text(HWND wnd);
    void SetText(HWND wnd, const std::wstring& text);
    // The visible top-level window of the host's thread with that class, or null.
    HWND Popup(const wchar_t* windowClass);
    // The visible top-level window created by the module file `module`, or null.
    HWND ModuleWindow(const wchar_t* module);
    // Closes a popup with Escape, then by message; true when it is gone.
    bool Dismiss(const std::function<HWND()>& popup);
    // The engine's own state ("MerovinDebugDump"), key -> value.
    std::map<std::wstring, std::wstring> EngineState();
    // The step's picture shows this window of another program (and what
    // lies above it) instead of the host.
    void ShootOtherProgram(HWND window) { m_otherWindow = window; }
    // Another program the tour runs (one at a time), started in `folder`.
    bool StartProgram(const std::wstring& exe, const std::wstring& folder);
    bool ProgramRunning();
    // A visible top-level window of the program's first thread with that class, or null.
    HWND ProgramWindow(const wchar_t* windowClass);
    // Waits up to `ms` for the program to end, then ends it.
    void EndProgram(DWORD ms);

private:
    static DWORD WINAPI ThreadProc(void* self);
    static LRESULT CALLBACK CallProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Run();
    void Say(const std::wstring& line);
    void WriteIndex(const std::vector<std::wstring>& results);

    std::wstring m_folder;
    HWND m_call = nullptr;
    HANDLE m_thread = nullptr;
    DWORD m_hostThread = 0;
    int m_failed = 0;
    HWND m_otherWindow = nullptr;
    HANDLE m_program = nullptr;
    DWORD m_programThread = 0;
};

// The steps with MerovSet, the settings utility (TCTourSettings.cpp): it is
// started from the engine's folder over the demo's settings, shows its
// Keyboard Mapping page, then its other pages one by one, and is closed with
// Cancel.
bool ShowSettingsKeys(CTour& tour, std::wstring& why);
bool ShowSettingsPlugins(CTour& tour, std::wstring& why);
bool ShowSettingsFilePanels(CTour& tour, std::wstring& why);
bool ShowSettingsViewModes(CTour& tour, std::wstring& why);
bool ShowSettingsAutoSwitch(CTour& tour, std::wstring& why);
bool ShowSettingsTabOptions(CTour& tour, std::wstring& why);
bool ShowSettingsDriveList(CTour& tour, std::wstring& why);
bool ShowSettingsStickyFiles(CTour& tour, std::wstring& why);
bool ShowSettingsBookmarks(CTour& tour, std::wstring& why);
bool ShowSettingsMisc(CTour& tour, std::wstring& why);
bool ShowSettingsAbout(CTour& tour, std::wstring& why);
void CloseSettings(CTour& tour);

// The steps of the engine's bookmark menu, file grouping (on, then switched
// off and on again), the tab list and TCPathfan's snippets (TCTourFeatures.cpp).
bool ShowBookmarkMenu(CTour& tour, std::wstring& why);
bool ShowFileGroups(CTour& tour, std::wstring& why);
bool ShowGroupingOff(CTour& tour, std::wstring& why);
void RestoreGrouping(CTour& tour);
bool ShowTabList(CTour& tour, std::wstring& why);
bool ShowSnippets(CTour& tour, std::wstring& why);
