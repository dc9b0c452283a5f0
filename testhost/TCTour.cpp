#include "TCTour.h"
#include "HostDriver.h"
#include "TCHostApp.h"
#include "TCShot.h"
#include <cstdio>

static const UINT CallMessage = WM_APP + 1;  // of the tour's own message-only window

bool CTour::Start(const std::wstring& folder)
{
    m_folder = folder;
    m_hostThread = GetCurrentThreadId();
    CreateDirectoryW(folder.c_str(), nullptr);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = CallProc;
    wc.hInstance = TheApp().Instance();
    wc.lpszClassName = L"TCTourCall";
    RegisterClassW(&wc);
    m_call = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    m_thread = m_call ? CreateThread(nullptr, 0, ThreadProc, this, 0, nullptr) : nullptr;
    return m_thread != nullptr;
}

int CTour::Finish()
{
    if (!m_thread)
        return 1;
    // The tour may still hand work to this thread when the host was closed early.
    while (MsgWaitForMultipleObjects(1, &m_thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    CloseHandle(m_thread);
    m_thread = nullptr;
    if (m_call)
        DestroyWindow(m_call);
    return m_failed;
}

DWORD WINAPI CTour::ThreadProc(void* self)
{
    ((CTour*)self)->Run();
    return 0;
}

LRESULT CALLBACK CTour::CallProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == CallMessage) {
        (*(const std::function<void()>*)lParam)();
        return 1;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

// Sent, so it also runs while the host thread sits in a menu's or a popup's loop.
void CTour::OnHost(const std::function<void()>& work)
{
    SendMessageW(m_call, CallMessage, 0, (LPARAM)&work);
}

bool CTour::Focus(HWND target)
{
    bool ok = false;
    OnHost([&] {
        HWND root = GetAncestor(target, GA_ROOT);
        SetForegroundWindow(root);
        SetFocus(target);
        ok = GetFocus() == target;
    });
    return ok;
}

bool CTour::Keys(std::initializer_list<WORD> modifiers, WORD vk)
{
    return SendKeys(BuildChord(modifiers, vk));
}

bool CTour::Type(const std::wstring& text)
{
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        for (bool up : {false, true}) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = c;
            input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
            inputs.push_back(input);
        }
    }
    return SendKeys(inputs);
}

bool CTour::WaitFor(DWORD ms, const std::function<bool()>& done)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start > ms)
            return false;
        Sleep(30);
    }
}

std::wstring CTour::Text(HWND wnd)
{
    wchar_t text[1024] = L"";
    SendMessageW(wnd, WM_GETTEXT, 1024, (LPARAM)text);
    return text;
}

void CTour::SetText(HWND wnd, const std::wstring& text)
{
    SendMessageW(wnd, WM_SETTEXT, 0, (LPARAM)text.c_str());
}

namespace {
struct CFind {
    const wchar_t* windowClass;
    HINSTANCE module;
    HWND found;
};

BOOL CALLBACK FindPopup(HWND wnd, LPARAM lParam)
{
    auto* find = (CFind*)lParam;
    if (!IsWindowVisible(wnd))
        return TRUE;
    wchar_t name[64] = L"";
    GetClassNameW(wnd, name, 64);
    if (find->windowClass ? wcscmp(name, find->windowClass) == 0
                          : (HINSTANCE)GetWindowLongPtrW(wnd, GWLP_HINSTANCE) == find->module) {
        find->found = wnd;
        return FALSE;
    }
    return TRUE;
}
} // namespace

HWND CTour::Popup(const wchar_t* windowClass)
{
    CFind find = {windowClass, nullptr, nullptr};
    EnumThreadWindows(m_hostThread, FindPopup, (LPARAM)&find);
    return find.found;
}

HWND CTour::ModuleWindow(const wchar_t* module)
{
    CFind find = {nullptr, GetModuleHandleW(module), nullptr};
    if (!find.module)
        return nullptr;
    EnumThreadWindows(m_hostThread, FindPopup, (LPARAM)&find);
    return find.found;
}

bool CTour::Dismiss(const std::function<HWND()>& popup)
{
    for (int attempt = 0; attempt < 3 && popup(); ++attempt) {
        if (attempt == 0) {
            Keys({}, VK_ESCAPE);
        } else if (HWND wnd = popup()) {
            PostMessageW(wnd, WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessageW(wnd, WM_CLOSE, 0, 0);
        }
        if (WaitFor(1500, [&] { return popup() == nullptr; }))
            return true;
    }
    if (popup())
        OnHost([] { EndMenu(); });
    return WaitFor(1500, [&] { return popup() == nullptr; });
}

bool CTour::StartProgram(const std::wstring& exe, const std::wstring& folder)
{
    EndProgram(0);
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    m_program = pi.hProcess;
    m_programThread = pi.dwThreadId;
    return true;
}

bool CTour::ProgramRunning()
{
    return m_program && WaitForSingleObject(m_program, 0) == WAIT_TIMEOUT;
}

HWND CTour::ProgramWindow(const wchar_t* windowClass)
{
    CFind find = {windowClass, nullptr, nullptr};
    if (m_programThread)
        EnumThreadWindows(m_programThread, FindPopup, (LPARAM)&find);
    return find.found;
}

void CTour::EndProgram(DWORD ms)
{
    if (!m_program)
        return;
    if (WaitForSingleObject(m_program, ms) == WAIT_TIMEOUT) {
        TerminateProcess(m_program, 1);
        WaitForSingleObject(m_program, 5000);
    }
    CloseHandle(m_program);
    m_program = nullptr;
    m_programThread = 0;
}

std::map<std::wstring, std::wstring> CTour::EngineState()
{
    std::wstring text;
    OnHost([&] { text = TheApp().Plugin().DebugDump(); });
    std::map<std::wstring, std::wstring> state;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(start, end - start);
        size_t eq = line.find(L'=');
        if (eq != std::wstring::npos)
            state[line.substr(0, eq)] = line.substr(eq + 1);
        start = end + 1;
    }
    return state;
}

void CTour::Say(const std::wstring& line)
{
    TheApp().Log(CTCLogLine(L"tour").Add(L"text", line));
    std::wstring text = line + L"\n";
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string utf8(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), &utf8[0], n, nullptr, nullptr);
    fwrite(utf8.data(), 1, utf8.size(), stdout);
    fflush(stdout);
}

static std::string Html(const std::wstring& text)
{
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
        case L'&': out += L"&amp;"; break;
        case L'<': out += L"&lt;"; break;
        case L'>': out += L"&gt;"; break;
        case L'"': out += L"&quot;"; break;
        default: out += c;
        }
    }
    int n = WideCharToMultiByte(CP_UTF8, 0, out.c_str(), (int)out.size(), nullptr, 0, nullptr, nullptr);
    std::string utf8(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, out.c_str(), (int)out.size(), &utf8[0], n, nullptr, nullptr);
    return utf8;
}

// index.html: the pictures with their captions, in tour order, viewable offline.
void CTour::WriteIndex(const std::vector<std::wstring>& results)
{
    const std::vector<CTourStep>& steps = TourSteps();
    std::string page =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Merovin demo tour</title>\n"
        "<style>body{font-family:sans-serif;margin:2em}figure{margin:0 0 2.5em}"
        "img{max-width:100%;border:1px solid #999}.failed{color:#b00}</style></head><body>\n"
        "<h1>Merovin demo tour</h1>\n";
    page += "<p>" + std::to_string(steps.size() - m_failed) + " of " + std::to_string(steps.size()) +
            " steps ok.</p>\n";
    for (size_t i = 0; i < steps.size() && i < results.size(); ++i) {
        bool ok = results[i].empty();
        page += "<figure><img src=\"" + Html(steps[i].shot) + "\" alt=\"" + Html(steps[i].caption) + "\">\n";
        page += "<figcaption" + std::string(ok ? "" : " class=\"failed\"") + ">" + std::to_string(i + 1) + ". " +
                Html(steps[i].caption) + (ok ? "" : " &mdash; FAILED: " + Html(results[i])) +
                "</figcaption></figure>\n";
    }
    page += "</body></html>\n";
    HANDLE f = CreateFileW((m_folder + L"\\index.html").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        Say(L"tour: cannot write index.html");
        return;
    }
    DWORD written = 0;
    WriteFile(f, page.data(), (DWORD)page.size(), &written, nullptr);
    CloseHandle(f);
}

void CTour::Run()
{
    const std::vector<CTourStep>& steps = TourSteps();
    std::vector<std::wstring> results;
    for (size_t i = 0; i < steps.size(); ++i) {
        const CTourStep& step = steps[i];
        std::wstring why;
        m_otherWindow = nullptr;
        bool ok = step.show(*this, why);
        if (!ok && why.empty())
            why = L"failed";
        std::wstring path = m_folder + L"\\" + step.shot;
        bool shot = false;
        std::wstring shotWhy = L"no screenshot";
        if (m_otherWindow)
            shot = SaveOtherProgramPng(m_otherWindow, path, shotWhy);
        else
            OnHost([&] { shot = SaveHostPng(TheApp().Main().m_hwnd, path); });
        if (ok && !shot) {
            ok = false;
            why = shotWhy;
        }
        if (step.close)
            step.close(*this);
        results.push_back(ok ? L"" : why);
        m_failed += ok ? 0 : 1;
        wchar_t head[64];
        _snwprintf(head, 64, L"step %u %ls: ", (unsigned)(i + 1), ok ? L"ok" : L"FAILED");
        head[63] = 0;
        Say(head + std::wstring(step.caption) + L" [" + step.shot + L"]" + (ok ? L"" : L" -- " + why));
    }
    EndProgram(0);
    WriteIndex(results);
    Say(L"tour: " + std::to_wstring(steps.size() - m_failed) + L" of " + std::to_wstring(steps.size()) +
        L" steps ok; pictures and index.html in " + m_folder);
    OnHost([] {
        CTCMainWnd& main = TheApp().Main();
        main.m_refuseClose = false;
        PostMessageW(main.m_hwnd, WM_CLOSE, 0, 0);
    });
}
