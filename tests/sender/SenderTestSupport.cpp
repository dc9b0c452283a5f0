#include "SenderTestSupport.h"

#include <tlhelp32.h>
#include <algorithm>

namespace {

std::wstring ProgramName(DWORD processId)
{
    std::wstring name;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return name;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == processId) {
            name = entry.szExeFile;
            break;
        }
    }
    CloseHandle(snapshot);
    return name;
}

std::wstring WindowText(HWND hwnd)
{
    wchar_t text[1024] = {};
    GetWindowTextW(hwnd, text, 1024);
    return text;
}

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

}  // namespace

CBoxWatcher::CBoxWatcher(DWORD processId) : m_processId(processId)
{
    InitializeCriticalSection(&m_lock);
    // Under Wine, on a desktop other than the default one, the process sees
    // no windows from any thread until a thread that started it (here the
    // caller's) has connected to the desktop.
    GetDesktopWindow();
    m_thread = CreateThread(nullptr, 0, ThreadProc, this, 0, nullptr);
}

CBoxWatcher::~CBoxWatcher()
{
    Stop();
    DeleteCriticalSection(&m_lock);
}

std::vector<SeenBox> CBoxWatcher::Stop()
{
    if (m_thread) {
        InterlockedExchange(&m_stop, 1);
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
        m_thread = nullptr;
    }
    EnterCriticalSection(&m_lock);
    std::vector<SeenBox> boxes = m_boxes;
    LeaveCriticalSection(&m_lock);
    return boxes;
}

DWORD WINAPI CBoxWatcher::ThreadProc(void* self)
{
    auto* watcher = static_cast<CBoxWatcher*>(self);
    while (!watcher->m_stop) {
        watcher->Poll();
        Sleep(20);
    }
    return 0;
}

static BOOL CALLBACK CollectBox(HWND hwnd, LPARAM lp)
{
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (IsWindowVisible(hwnd) && lstrcmpW(cls, L"#32770") == 0)
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
    return TRUE;
}

void CBoxWatcher::Poll()
{
    std::vector<HWND> boxes;
    EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&boxes));

    for (HWND box : boxes) {
        if (std::find(m_answered.begin(), m_answered.end(), box) != m_answered.end())
            continue;
        DWORD owner = 0;
        GetWindowThreadProcessId(box, &owner);
        bool watched = m_processId ? owner == m_processId
                                   : lstrcmpiW(ProgramName(owner).c_str(), L"Merovcall.exe") == 0;
        if (!watched)
            continue;
        SeenBox seen = {WindowText(box), WindowText(GetDlgItem(box, 0xFFFF))};
        m_answered.push_back(box);
        EnterCriticalSection(&m_lock);
        m_boxes.push_back(seen);
        LeaveCriticalSection(&m_lock);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
}

CSenderFolder::CSenderFolder()
{
    static LONG counter = 0;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    m_folder = std::wstring(temp) + L"merovcall_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
               std::to_wstring(InterlockedIncrement(&counter)) + L"\\";
    CreateDirectoryW(m_folder.c_str(), nullptr);
    CopyFileW((ProgramFolder() + L"Merovcall.exe").c_str(), Sender().c_str(), FALSE);
}

CSenderFolder::~CSenderFolder()
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((m_folder + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((m_folder + data.cFileName).c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(m_folder.c_str());
}

void CSenderFolder::WriteIni(const char* text)
{
    HANDLE file = CreateFileW(Path(L"merovin.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text, lstrlenA(text), &written, nullptr);
    CloseHandle(file);
}

std::wstring CSenderFolder::Host(const wchar_t* reportName, bool dispatcher) const
{
    return Beside(L"sender_fakehost.exe") + (dispatcher ? L"" : L" --no-dispatcher") +
           L" \"--report=" + Path(reportName) + L"\" --";
}

HostReport CSenderFolder::Report(const wchar_t* reportName) const
{
    HostReport report;
    HANDLE file = CreateFileW(Path(reportName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return report;
    std::wstring content(GetFileSize(file, nullptr) / sizeof(wchar_t), L'\0');
    DWORD read = 0;
    ReadFile(file, &content[0], static_cast<DWORD>(content.size() * sizeof(wchar_t)), &read, nullptr);
    CloseHandle(file);
    report.written = true;

    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find(L'\n', start);
        if (end == std::wstring::npos)
            end = content.size();
        std::wstring line = content.substr(start, end - start);
        start = end + 1;
        if (line.compare(0, 8, L"settext ") == 0) {
            size_t space = line.find(L' ', 8);
            report.received.push_back({_wtoi64(line.substr(8, space - 8).c_str()),
                                       space == std::wstring::npos ? L"" : line.substr(space + 1)});
        } else if (line.compare(0, 5, L"exit ") == 0) {
            report.childExit = _wtoi64(line.c_str() + 5);
        }
    }
    return report;
}

std::wstring Beside(const wchar_t* program)
{
    return L"\"" + ProgramFolder() + program + L"\"";
}

ChainResult RunChain(const std::wstring& commandLine)
{
    ChainResult result;
    CBoxWatcher watcher;
    std::wstring line = commandLine;
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    if (CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0)
            GetExitCodeProcess(pi.hProcess, &result.exitCode);
        else
            TerminateProcess(pi.hProcess, 0xFFFFFFFF);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    result.boxes = watcher.Stop();
    return result;
}
