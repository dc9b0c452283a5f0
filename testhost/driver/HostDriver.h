// Driver library for tests: starts the stand-in host (tchost.exe) in a private
// installation folder, injects keys, synchronises with the host, reads its log
// and answers message boxes.
//
// Typical use:
//   CHostDriver host;
//   CHostSetup setup;
//   setup.pluginFiles = {X64BinFile(L"Merovin.wdx")};  // the 64-bit tree's engine
//   setup.plugin = L"Merovin.wdx";            // loaded from the plug-in folder
//   ASSERT_TRUE(host.Start(setup));
//   size_t mark = host.LogMark();
//   host.Focus(host.Query(1));                 // left file list
//   host.Chord({VK_LCONTROL}, 'Q');            // presses, sentinel, flush
//   auto posts = host.LogSince(mark, L"cmd");  // WM_USER+51 the host received
#pragma once
#include <windows.h>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>
#include "HostProtocol.h"

// One log line of the host: "kind" and its fields (seq, tick and the kind's own).
struct CHostLogEntry {
    std::wstring m_kind;
    std::map<std::wstring, std::wstring> m_fields;

    std::wstring Get(const std::wstring& key) const;
    long long Int(const std::wstring& key, long long fallback = -1) const;  // decimal or 0x hex
    bool Has(const std::wstring& key) const { return m_fields.count(key) != 0; }
};

// Parses the host's log text (UTF-8 lines).
std::vector<CHostLogEntry> ParseHostLog(const std::string& utf8);

// What the installation and the start look like.
struct CHostSetup {
    std::vector<std::wstring> args;          // host options, e.g. L"--tabs=both", L"--stacked"
    std::vector<std::wstring> pluginFiles;   // copied into <home>\plugins\wdx\Merovin
    std::wstring plugin;                     // --plugin: a file name in the plug-in folder or a full path
    std::vector<std::wstring> leftFiles;     // created under <root>\data\left; a trailing "\" makes a folder
    std::vector<std::wstring> rightFiles;    // the same under <root>\data\right
    std::map<std::wstring, std::string> homeFiles;    // extra files in <home>: name -> bytes (e.g. "wincmd.ini")
    std::map<std::wstring, std::string> pluginTexts;  // extra files in the plug-in folder (e.g. "Merovin.ini")
    DWORD readyTimeout = 15000;
};

class CHostDriver {
public:
    CHostDriver();
    ~CHostDriver();  // Stop()

    // Lays out <TEMP>\tchost-<pid>-<n>\{tc, tc\plugins\wdx\Merovin, data\left, data\right},
    // copies tchost.exe and its INI files (from the 64-bit tree, also for a
    // 32-bit test) into tc, starts the host with --home, --log and the two
    // data folders, and waits until it is ready.
    bool Start(const CHostSetup& setup);
    // Closes the host (WM_CLOSE, refusal switched off first), waits, kills it when it hangs.
    // Returns the exit code, or -1 when it had to be killed.
    int Stop(DWORD timeout = 5000);
    bool Running() const;

    HWND Main() const { return m_main; }
    DWORD ProcessId() const { return m_pid; }
    DWORD ThreadId() const { return m_tid; }
    const std::wstring& Root() const { return m_root; }       // the private folder
    const std::wstring& Home() const { return m_home; }       // COMMANDER_PATH
    const std::wstring& PluginDir() const { return m_pluginDir; }
    std::wstring DataDir(int side) const { return m_root + (side ? L"\\data\\right" : L"\\data\\left"); }

    // WM_USER+50 answer for a code (file lists 1/2, panels 15/16, path bars 9/10, ...).
    HWND Query(int code) const;
    // Sends or posts to the main window.
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0, DWORD timeout = 5000) const;
    bool Post(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // WM_COPYDATA to the main window with wParam as given; returns the host's answer.
    LRESULT CopyData(ULONG_PTR dwData, const void* data, DWORD size, WPARAM wParam = 1) const;

    // Foreground and focus, set on the host thread (WM_APP+0x201).
    bool Focus(HWND target);

    // How long a key step waits for the host to take a key.
    static constexpr DWORD KeyTimeout = 2000;
    // Keys: press the modifiers in order (sided codes: VK_LCONTROL, VK_RCONTROL, VK_LSHIFT,
    // VK_RSHIFT, VK_LMENU, VK_RMENU, VK_LWIN, VK_RWIN), wait (<= KeyTimeout) until the host
    // took the last of them from its queue, press and release vk, release the modifiers in
    // reverse, then Sync(). False when SendInput failed, the modifier did not arrive (the
    // modifiers are released then) or the sync failed.
    bool Chord(std::initializer_list<WORD> modifiers, WORD vk);
    bool Press(WORD vk) { return Chord({}, vk); }
    // Sentinel VK_F24 down/up, wait (<= keyTimeout) until the host took its release, then a
    // posted flush that the host confirms: everything posted before it has been handled.
    bool Sync(DWORD keyTimeout = KeyTimeout);
    // Only the posted flush (no keys).
    bool Flush(DWORD timeout = 5000);

    // The log. LogMark() is the number of lines written so far (asked on the host thread).
    std::vector<CHostLogEntry> ReadLog() const;
    size_t LogMark() const;
    std::vector<CHostLogEntry> LogSince(size_t mark, const std::wstring& kind = L"") const;
    // Waits until a line of that kind after mark has field key == value (value empty: any line).
    bool WaitForLog(size_t mark, const std::wstring& kind, const std::wstring& key = L"",
                    const std::wstring& value = L"", DWORD timeout = 3000) const;

    // Message boxes ("#32770") of the host thread.
    HWND FindMessageBox(DWORD timeout = 3000) const;
    static std::wstring MessageBoxText(HWND box);  // its static text (control 0xFFFF)
    static bool AnswerMessageBox(HWND box, int id);  // posts WM_COMMAND id (IDYES, IDNO, IDOK, ...)

    // Rows of a host list box as the host stores them ("name.ext\tsize\tdate";
    // folders "name\t<DIR>\tdate"; ".." first as "..\t<DIR>").
    static std::vector<std::wstring> ListRows(HWND list);

    // Protocol helpers.
    bool LoadPlugin() const { return Send(TCHost::MsgLoadPlugin) != 0; }
    bool UnloadPlugin() const { return Send(TCHost::MsgUnloadPlugin) != 0; }
    HWND ShowWindow(int kind, LPARAM arg = 0) const { return (HWND)Send(TCHost::MsgShowWindow, kind, arg); }
    HWND Recreate(int side, int part) const { return (HWND)Send(TCHost::MsgRecreate, side, part); }
    // Client pixels of a host window of that colour after a redraw (-1: not readable).
    int ColourCount(HWND window, COLORREF colour) const
    {
        return (int)Send(TCHost::MsgCountColour, (WPARAM)window, (LPARAM)colour);
    }

    // How many kernel handles, GDI objects or windows the host process holds.
    long CountResources(TCHost::ResourceKind kind) const { return (long)Send(TCHost::MsgCountResources, kind); }

    const std::wstring& LastError() const { return m_error; }

private:
    bool Prepare(const CHostSetup& setup);
    bool WaitReady(DWORD timeout);

    std::wstring m_root, m_home, m_pluginDir, m_logPath, m_error;
    HANDLE m_process = nullptr;
    DWORD m_pid = 0, m_tid = 0;
    HWND m_main = nullptr;
    HANDLE m_ready = nullptr, m_keys = nullptr, m_flush = nullptr;
    LONG m_flushToken = 0;
};

// Key input helpers (SendInput with real scan codes and the extended flag where the key needs it).
bool IsExtendedKey(WORD vk);
INPUT MakeKeyInput(WORD vk, bool up);
bool SendKeys(const std::vector<INPUT>& inputs);
std::vector<INPUT> BuildChord(std::initializer_list<WORD> modifiers, WORD vk);
