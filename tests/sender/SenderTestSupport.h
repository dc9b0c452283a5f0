// Helpers for the sender tests: a private folder with a copy of the sender
// and its "merovin.ini", running process chains, answering message boxes.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

struct SeenBox {
    std::wstring caption;
    std::wstring text;
};

// Answers (presses OK on) every visible message box of the watched processes
// on a thread of its own and remembers caption and text. Watches the process
// processId, or with 0 every process whose program is "Merovcall.exe".
class CBoxWatcher {
public:
    explicit CBoxWatcher(DWORD processId = 0);
    ~CBoxWatcher();
    std::vector<SeenBox> Stop();

private:
    static DWORD WINAPI ThreadProc(void* self);
    void Poll();
    DWORD m_processId;
    HANDLE m_thread = nullptr;
    volatile LONG m_stop = 0;
    CRITICAL_SECTION m_lock;
    std::vector<SeenBox> m_boxes;
    std::vector<HWND> m_answered;
};

// One received WM_SETTEXT.
struct SetText {
    long long number;
    std::wstring text;
    bool operator==(const SetText& o) const { return number == o.number && text == o.text; }
};

struct HostReport {
    bool written = false;
    std::vector<SetText> received;
    long long childExit = -1;
};

// A temporary folder holding a copy of the sender; removed at the end.
class CSenderFolder {
public:
    CSenderFolder();
    ~CSenderFolder();
    void WriteIni(const char* text);
    std::wstring Path(const wchar_t* name) const { return m_folder + name; }
    std::wstring Sender() const { return Path(L"Merovcall.exe"); }
    // A fake host command line that writes its report to reportName.
    std::wstring Host(const wchar_t* reportName, bool dispatcher = true) const;
    HostReport Report(const wchar_t* reportName) const;

private:
    std::wstring m_folder;
};

struct ChainResult {
    DWORD exitCode = 0xFFFFFFFF;  // of the process started
    std::vector<SeenBox> boxes;
};

// A program beside the test program, quoted.
std::wstring Beside(const wchar_t* program);

// Starts commandLine, answers the sender's message boxes until it has ended
// (at most 30 s, then it is ended and the result says 0xFFFFFFFF).
ChainResult RunChain(const std::wstring& commandLine);
