// Starting, driving and stopping the stand-in host.
#include "HostDriver.h"
#include "BuildPaths.h"
#include <shellapi.h>
#include <cstdio>

using namespace TCHost;

static std::wstring Folder(const std::wstring& path)
{
    size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

static std::wstring FileName(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}


static bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(f, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(f);
    return ok && written == bytes.size();
}

static std::wstring Quote(const std::wstring& s)
{
    return L"\"" + s + L"\"";
}

static void DeleteTree(const std::wstring& folder)
{
    std::wstring from = folder + L'\0';  // double-zero terminated
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&op);
}

CHostDriver::CHostDriver() = default;

CHostDriver::~CHostDriver()
{
    Stop();
    for (HANDLE h : {m_ready, m_keys, m_flush})
        if (h)
            CloseHandle(h);
    if (!m_root.empty() && GetEnvironmentVariableW(L"TCHOST_KEEP", nullptr, 0) == 0)
        DeleteTree(m_root);
}

bool CHostDriver::Prepare(const CHostSetup& setup)
{
    wchar_t temp[MAX_PATH];
    DWORD n = GetTempPathW(MAX_PATH, temp);
    if (n == 0 || n >= MAX_PATH) {
        m_error = L"no temp folder";
        return false;
    }
    // A folder of its own per driver: the process id and a number that is free.
    for (unsigned i = GetTickCount() % 10000;; ++i) {
        wchar_t name[MAX_PATH + 64];
        _snwprintf(name, MAX_PATH + 64, L"%lstchost-%lu-%u", temp, GetCurrentProcessId(), i);
        name[MAX_PATH + 63] = 0;
        if (CreateDirectoryW(name, nullptr)) {
            m_root = name;
            break;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            m_error = L"cannot create the test folder";
            return false;
        }
    }
    m_home = m_root + L"\\tc";
    m_pluginDir = m_home + L"\\plugins\\wdx\\Merovin";
    m_logPath = m_root + L"\\tchost.log";
    for (const std::wstring& d : {m_home, m_home + L"\\plugins", m_home + L"\\plugins\\wdx", m_pluginDir,
                                  m_root + L"\\data", DataDir(0), DataDir(1)})
        CreateDirectoryW(d.c_str(), nullptr);

    // The stand-in is a 64-bit program, also for the 32-bit tree's tests.
    std::wstring bin = MEROVIN_X64_BIN;
    if (!CopyFileW((bin + L"\\tchost.exe").c_str(), (m_home + L"\\tchost.exe").c_str(), FALSE)) {
        m_error = L"cannot copy tchost.exe from " + bin;
        return false;
    }
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((bin + L"\\tchost-files\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                CopyFileW((bin + L"\\tchost-files\\" + fd.cFileName).c_str(), (m_home + L"\\" + fd.cFileName).c_str(), FALSE);
        } while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    for (const std::wstring& f : setup.pluginFiles) {
        if (!CopyFileW(f.c_str(), (m_pluginDir + L"\\" + FileName(f)).c_str(), FALSE)) {
            m_error = L"cannot copy " + f;
            return false;
        }
    }
    for (const auto& kv : setup.homeFiles)
        WriteBytes(m_home + L"\\" + kv.first, kv.second);
    for (const auto& kv : setup.pluginTexts)
        WriteBytes(m_pluginDir + L"\\" + kv.first, kv.second);
    for (int side = 0; side < 2; ++side) {
        for (const std::wstring& f : side ? setup.rightFiles : setup.leftFiles) {
            std::wstring path = DataDir(side) + L"\\" + f;
            if (!f.empty() && (f.back() == L'\\' || f.back() == L'/')) {
                path.pop_back();
                CreateDirectoryW(path.c_str(), nullptr);
            } else {
                CreateDirectoryW(Folder(path).c_str(), nullptr);
                WriteBytes(path, "stand-in file\r\n");
            }
        }
    }
    return true;
}

bool CHostDriver::Start(const CHostSetup& setup)
{
    if (m_process) {
        m_error = L"already started";
        return false;
    }
    if (!Prepare(setup))
        return false;
    std::wstring cmd = Quote(m_home + L"\\tchost.exe") + L" " + Quote(L"--home=" + m_home) + L" " +
        Quote(L"--log=" + m_logPath);
    for (const std::wstring& a : setup.args)
        cmd += L" " + Quote(a);
    if (!setup.plugin.empty()) {
        std::wstring plugin = setup.plugin.find(L'\\') == std::wstring::npos ? m_pluginDir + L"\\" + setup.plugin : setup.plugin;
        cmd += L" " + Quote(L"--plugin=" + plugin);
    }
    cmd += L" " + Quote(DataDir(0)) + L" " + Quote(DataDir(1));
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, m_home.c_str(), &si, &pi)) {
        m_error = L"cannot start tchost.exe";
        return false;
    }
    m_process = pi.hProcess;
    m_pid = pi.dwProcessId;
    m_tid = pi.dwThreadId;
    // The events exist before the host runs, so none of its signals is lost.
    wchar_t name[64];
    EventName(name, 64, m_pid, L"ready");
    m_ready = CreateEventW(nullptr, TRUE, FALSE, name);
    EventName(name, 64, m_pid, L"keys");
    m_keys = CreateEventW(nullptr, FALSE, FALSE, name);
    EventName(name, 64, m_pid, L"flush");
    m_flush = CreateEventW(nullptr, FALSE, FALSE, name);
    ResumeThread(pi.hThread);
    CloseHandle(pi.hThread);
    return WaitReady(setup.readyTimeout);
}

static BOOL CALLBACK FindMainProc(HWND wnd, LPARAM lParam)
{
    wchar_t cls[64];
    if (GetClassNameW(wnd, cls, 64) && wcscmp(cls, L"TTOTAL_CMD") == 0) {
        *(HWND*)lParam = wnd;
        return FALSE;
    }
    return TRUE;
}

bool CHostDriver::WaitReady(DWORD timeout)
{
    HANDLE handles[2] = {m_ready, m_process};
    DWORD r = WaitForMultipleObjects(2, handles, FALSE, timeout);
    if (r != WAIT_OBJECT_0) {
        m_error = r == WAIT_OBJECT_0 + 1 ? L"the host ended during start-up" : L"the host did not get ready";
        return false;
    }
    EnumThreadWindows(m_tid, FindMainProc, (LPARAM)&m_main);
    if (!m_main)
        m_error = L"no TTOTAL_CMD window";
    return m_main != nullptr;
}

bool CHostDriver::Running() const
{
    return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

int CHostDriver::Stop(DWORD timeout)
{
    if (!m_process)
        return -1;
    int code = -1;
    if (Running()) {
        Send(MsgSetRefuseClose, 0, 0, 2000);
        PostMessageW(m_main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(m_process, timeout) != WAIT_OBJECT_0) {
            TerminateProcess(m_process, 99);
            WaitForSingleObject(m_process, 5000);
            CloseHandle(m_process);
            m_process = nullptr;
            return -1;
        }
    }
    DWORD exitCode = 0;
    if (GetExitCodeProcess(m_process, &exitCode))
        code = (int)exitCode;
    CloseHandle(m_process);
    m_process = nullptr;
    return code;
}

HWND CHostDriver::Query(int code) const
{
    return (HWND)Send(HostQueryMessage, code, 0);
}

LRESULT CHostDriver::Send(UINT msg, WPARAM wParam, LPARAM lParam, DWORD timeout) const
{
    DWORD_PTR result = 0;
    if (!m_main || !SendMessageTimeoutW(m_main, msg, wParam, lParam, SMTO_NORMAL, timeout, &result))
        return 0;
    return (LRESULT)result;
}

bool CHostDriver::Post(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return m_main && PostMessageW(m_main, msg, wParam, lParam);
}

LRESULT CHostDriver::CopyData(ULONG_PTR dwData, const void* data, DWORD size, WPARAM wParam) const
{
    COPYDATASTRUCT cds = {dwData, size, const_cast<void*>(data)};
    return Send(WM_COPYDATA, wParam, (LPARAM)&cds);
}

bool CHostDriver::Focus(HWND target)
{
    return Send(MsgSetFocus, (WPARAM)target) != 0;
}

// The code the host's windows see for a sided modifier.
static WORD UnsidedKey(WORD vk)
{
    switch (vk) {
    case VK_LCONTROL: case VK_RCONTROL: return VK_CONTROL;
    case VK_LSHIFT: case VK_RSHIFT: return VK_SHIFT;
    case VK_LMENU: case VK_RMENU: return VK_MENU;
    }
    return vk;
}

bool CHostDriver::Chord(std::initializer_list<WORD> modifiers, WORD vk)
{
    std::vector<INPUT> keys = BuildChord(modifiers, vk);
    size_t held = modifiers.size();
    // As a person types, the modifiers are down before the key: the key goes
    // once the host has taken the last of them from its queue, else a command
    // the key posts from a low-level hook overtakes them (and a menu it opens
    // takes the queued Alt for its own). The host gets as long as for the
    // sentinel; a modifier that never arrives fails the step, with the
    // modifiers released again.
    if (held) {
        size_t mark = LogMark();
        if (!SendKeys(std::vector<INPUT>(keys.begin(), keys.begin() + held))) {
            m_error = L"SendInput failed";
            return false;
        }
        wchar_t code[8];
        _snwprintf(code, 8, L"0x%X", UnsidedKey(*(modifiers.end() - 1)));
        if (!WaitForLog(mark, L"modifier", L"vk", code, KeyTimeout)) {
            SendKeys(std::vector<INPUT>(keys.begin() + held + 2, keys.end()));
            m_error = std::wstring(L"the host did not take the modifier ") + code + L" before the key";
            return false;
        }
    }
    if (!SendKeys(std::vector<INPUT>(keys.begin() + held, keys.end()))) {
        m_error = L"SendInput failed";
        return false;
    }
    return Sync(KeyTimeout);
}

bool CHostDriver::Sync(DWORD keyTimeout)
{
    ResetEvent(m_keys);
    if (!SendKeys({MakeKeyInput(SentinelKey, false), MakeKeyInput(SentinelKey, true)})) {
        m_error = L"SendInput of the sentinel failed";
        return false;
    }
    bool keys = WaitForSingleObject(m_keys, keyTimeout) == WAIT_OBJECT_0;
    bool flushed = Flush();
    if (!keys)
        m_error = L"the sentinel key did not arrive";
    return keys && flushed;
}

bool CHostDriver::Flush(DWORD timeout)
{
    LONG token = ++m_flushToken;
    if (!Post(MsgFlush, 0, token)) {
        m_error = L"cannot post the flush";
        return false;
    }
    HANDLE handles[2] = {m_flush, m_process};
    if (WaitForMultipleObjects(2, handles, FALSE, timeout) != WAIT_OBJECT_0) {
        m_error = L"the flush did not complete";
        return false;
    }
    return true;
}

std::vector<CHostLogEntry> CHostDriver::ReadLog() const
{
    std::string bytes;
    HANDLE f = CreateFileW(m_logPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return {};
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0)
        bytes.append(buf, got);
    CloseHandle(f);
    return ParseHostLog(bytes);
}

size_t CHostDriver::LogMark() const
{
    return (size_t)Send(MsgLogMark);
}

std::vector<CHostLogEntry> CHostDriver::LogSince(size_t mark, const std::wstring& kind) const
{
    std::vector<CHostLogEntry> out;
    for (CHostLogEntry& e : ReadLog()) {
        if (e.Int(L"seq", 0) > (long long)mark && (kind.empty() || e.m_kind == kind))
            out.push_back(e);
    }
    return out;
}

bool CHostDriver::WaitForLog(size_t mark, const std::wstring& kind, const std::wstring& key, const std::wstring& value,
                             DWORD timeout) const
{
    DWORD start = GetTickCount();
    for (;;) {
        for (const CHostLogEntry& e : LogSince(mark, kind)) {
            if (key.empty() || e.Get(key) == value)
                return true;
        }
        if (GetTickCount() - start > timeout)
            return false;
        Sleep(20);
    }
}

static BOOL CALLBACK FindBoxProc(HWND wnd, LPARAM lParam)
{
    wchar_t cls[64];
    if (IsWindowVisible(wnd) && GetClassNameW(wnd, cls, 64) && wcscmp(cls, L"#32770") == 0) {
        *(HWND*)lParam = wnd;
        return FALSE;
    }
    return TRUE;
}

HWND CHostDriver::FindMessageBox(DWORD timeout) const
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND box = nullptr;
        EnumThreadWindows(m_tid, FindBoxProc, (LPARAM)&box);
        if (box)
            return box;
        if (GetTickCount() - start > timeout)
            return nullptr;
        Sleep(20);
    }
}

std::wstring CHostDriver::MessageBoxText(HWND box)
{
    HWND text = GetDlgItem(box, 0xFFFF);
    wchar_t buf[1024] = L"";
    if (text)
        GetWindowTextW(text, buf, 1024);
    return buf;
}

bool CHostDriver::AnswerMessageBox(HWND box, int id)
{
    return PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(box, id)) != 0;
}

std::vector<std::wstring> CHostDriver::ListRows(HWND list)
{
    std::vector<std::wstring> rows;
    int count = (int)SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        int len = (int)SendMessageW(list, LB_GETTEXTLEN, i, 0);
        if (len < 0 || len > 4096) {
            rows.push_back(L"");
            continue;
        }
        std::wstring row(len + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, i, (LPARAM)&row[0]);
        row.resize(wcsnlen(row.c_str(), len));
        rows.push_back(row);
    }
    return rows;
}
