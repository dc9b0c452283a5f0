// The host's command message and WM_COPYDATA handling.
#include "HostProtocol.h"
#include "TCCopyData.h"
#include "TCHostApp.h"
#include "TCMainWnd.h"
#include <set>

using namespace TCHost;

// Host command numbers of this stand-in (its totalcmd.inc names them).
enum {
    CmLeftOpenDrives = 131,
    CmRightOpenDrives = 231,
    CmQuickView = 304,
    CmClearAll = 524,
    CmRereadSource = 540,
    CmLoadSelectionFromClip = 2033,
    CmSrcActivateLeft = 2034,
    CmSrcActivateRight = 2035,
    CmSrcActivateTab1 = 5001,
    CmLeftActivateTab1 = 5201,
    CmRightActivateTab1 = 5301,
    TabMenuCommand = 3009,
};

LRESULT CTCMainWnd::OnHostCommand(WPARAM cmd, LPARAM lParam)
{
    HWND focus = GetFocus();
    // A sent message from this thread is a plain call: posted ones are counted
    // when the thread takes them from its queue.
    bool sent = InSendMessage() || !TheApp().TakePostedCommand(cmd, lParam);
    TheApp().Log(CTCLogLine(L"cmd").Add(L"n", (long long)cmd).Add(L"lparam", (long long)lParam)
                     .Add(L"sent", sent ? 1 : 0).AddWindow(L"focus", focus));
    int focusSide = SideOfList(focus);
    int side = focusSide >= 0 ? focusSide : m_activeSide;
    switch (cmd) {
    case CmClearAll:
        SendMessageW(m_panels[side].m_list, LB_SETSEL, FALSE, -1);
        break;
    case CmLeftOpenDrives:
    case CmRightOpenDrives:
        SendMessageW(m_panels[cmd == CmLeftOpenDrives ? 0 : 1].m_drive, CB_SHOWDROPDOWN, TRUE, 0);
        break;
    case CmQuickView:
        ToggleQuickView();
        break;
    case CmRereadSource:
        m_panels[side].Reread();
        break;
    case CmLoadSelectionFromClip:
        SelectFromClipboard();
        break;
    case CmSrcActivateLeft:
    case CmSrcActivateRight:
        m_activeSide = cmd == CmSrcActivateLeft ? 0 : 1;
        SetFocus(m_panels[m_activeSide].m_list);
        break;
    default:
        if (cmd >= CmSrcActivateTab1 && cmd < CmSrcActivateTab1 + 100)
            m_panels[side].SelectTab((int)cmd - CmSrcActivateTab1);
        else if (cmd >= CmLeftActivateTab1 && cmd < CmLeftActivateTab1 + 99)
            m_panels[0].SelectTab((int)cmd - CmLeftActivateTab1);
        else if (cmd >= CmRightActivateTab1 && cmd < CmRightActivateTab1 + 99)
            m_panels[1].SelectTab((int)cmd - CmRightActivateTab1);
        break;
    }
    return 1;
}

void CTCMainWnd::SelectFromClipboard()
{
    CTCPanel& p = m_panels[m_activeSide];
    std::set<std::wstring> names;
    if (OpenClipboard(m_hwnd)) {
        HANDLE data = GetClipboardData(CF_UNICODETEXT);
        const wchar_t* text = data ? (const wchar_t*)GlobalLock(data) : nullptr;
        if (text) {
            size_t max = GlobalSize(data) / sizeof(wchar_t);
            std::wstring all(text, wcsnlen(text, max));
            GlobalUnlock(data);
            size_t start = 0;
            while (start <= all.size()) {
                size_t end = all.find(L"\r\n", start);
                std::wstring line = all.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
                if (!line.empty())
                    names.insert(line);
                if (end == std::wstring::npos)
                    break;
                start = end + 2;
            }
        }
        CloseClipboard();
    }
    int count = (int)SendMessageW(p.m_list, LB_GETCOUNT, 0, 0), selected = 0;
    for (int i = 0; i < count; ++i) {
        bool sel = names.count(p.ItemName(i)) > 0;
        SendMessageW(p.m_list, LB_SETSEL, sel, i);
        selected += sel;
    }
    TheApp().Log(CTCLogLine(L"selection").Add(L"side", m_activeSide).Add(L"selected", selected));
}

void CTCMainWnd::ToggleQuickView()
{
    if (m_lister && IsWindow(m_lister)) {
        DestroyWindow(m_lister);
        m_lister = nullptr;
        return;
    }
    CTCPanel& other = m_panels[1 - m_activeSide];
    RECT r;
    GetWindowRect(other.m_list, &r);
    MapWindowPoints(nullptr, m_hwnd, (POINT*)&r, 2);
    m_lister = CreateWindowExW(0, L"TLister", L"Lister", WS_CHILD | WS_VISIBLE | WS_BORDER, r.left, r.top,
                             r.right - r.left, r.bottom - r.top, m_hwnd, nullptr, TheApp().Instance(), nullptr);
    SetWindowPos(m_lister, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

LRESULT CTCMainWnd::OnCopyData(HWND from, const COPYDATASTRUCT* cds)
{
    if (!cds) {
        TheApp().Log(CTCLogLine(L"copydata").Add(L"ok", 0).Add(L"reason", L"no record"));
        return 0;
    }
    switch (cds->dwData) {
    case CopyDataUserCommand:
        return OnUserCommand(cds);
    case CopyDataChangePath:
        return OnChangeDir(cds);
    case CopyDataGetPath:
        return OnGetPath(from, cds);
    }
    TheApp().Log(CTCLogLine(L"copydata").AddHex(L"dw", cds->dwData).Add(L"cb", cds->cbData).Add(L"ok", 0)
                     .Add(L"reason", L"unknown dwData"));
    return 0;
}

LRESULT CTCMainWnd::OnUserCommand(const COPYDATASTRUCT* cds)
{
    std::string name;
    std::wstring reason;
    if (!ParseUserCommand((const BYTE*)cds->lpData, cds->cbData, name, reason)) {
        TheApp().Log(CTCLogLine(L"copydata").AddHex(L"dw", cds->dwData).Add(L"cb", cds->cbData).Add(L"ok", 0)
                         .Add(L"reason", reason));
        return 0;
    }
    int n = MultiByteToWideChar(CP_ACP, 0, name.c_str(), (int)name.size(), nullptr, 0);
    std::wstring wname(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, name.c_str(), (int)name.size(), &wname[0], n);
    std::wstring file = TheApp().Home() + L"\\usercmd.ini";
    wchar_t cmd[1024] = L"", param[1024] = L"";
    GetPrivateProfileStringW(wname.c_str(), L"cmd", L"", cmd, 1024, file.c_str());
    GetPrivateProfileStringW(wname.c_str(), L"param", L"", param, 1024, file.c_str());
    TheApp().Log(CTCLogLine(L"copydata").AddHex(L"dw", cds->dwData).Add(L"cb", cds->cbData).Add(L"ok", 1)
                     .Add(L"name", wname).Add(L"command", cmd));
    StartUserProgram(cmd, param);
    return 1;
}

// A user command whose "cmd" is a program starts it with "param", as the
// host does (its own commands, such as "cd", are only logged).
void CTCMainWnd::StartUserProgram(const std::wstring& cmd, const std::wstring& param)
{
    wchar_t program[MAX_PATH] = L"";
    DWORD n = ExpandEnvironmentStringsW(cmd.c_str(), program, MAX_PATH);
    size_t length = n > 0 && n <= MAX_PATH ? wcslen(program) : 0;
    if (length < 4 || _wcsicmp(program + length - 4, L".exe") != 0)
        return;
    std::wstring line = L"\"" + std::wstring(program) + L"\" " + param;
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    BOOL started = CreateProcessW(program, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    TheApp().Log(CTCLogLine(L"run").Add(L"program", program).Add(L"param", param).Add(L"ok", started ? 1 : 0)
                     .Add(L"pid", started ? (long long)pi.dwProcessId : 0));
    if (started) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}

LRESULT CTCMainWnd::OnChangeDir(const COPYDATASTRUCT* cds)
{
    CTCChangeDir cd;
    std::wstring reason;
    if (!ParseChangeDir((const BYTE*)cds->lpData, cds->cbData, cd, reason)) {
        TheApp().Log(CTCLogLine(L"copydata").AddHex(L"dw", cds->dwData).Add(L"cb", cds->cbData).Add(L"ok", 0)
                         .Add(L"reason", reason));
        return 0;
    }
    // First/second mean left/right, or with "S" source/target by the focused side.
    int side = cd.second ? 1 : 0;
    if (cd.source) {
        int focusSide = SideOfList(GetFocus());
        int source = focusSide >= 0 ? focusSide : m_activeSide;
        side = cd.second ? 1 - source : source;
    }
    std::wstring flags = std::wstring(cd.source ? L"S" : L"") + (cd.always ? L"A" : L"") + (cd.newTab ? L"T" : L"");
    TheApp().Log(CTCLogLine(L"copydata").AddHex(L"dw", cds->dwData).Add(L"cb", cds->cbData).Add(L"ok", 1)
                     .Add(L"side", side).Add(L"second", cd.second ? 1 : 0).Add(L"flags", flags).Add(L"path", cd.path));
    if (!m_treeBuilt)
        return 1;
    CTCPanel& p = m_panels[side];
    if (cd.newTab)
        p.AddTab(cd.path);
    p.SetFolder(cd.path);
    return 1;
}

LRESULT CTCMainWnd::OnGetPath(HWND replyTo, const COPYDATASTRUCT* cds)
{
    int side = 0;
    std::wstring reason;
    if (!ParseGetPath((const BYTE*)cds->lpData, cds->cbData, side, reason)) {
        TheApp().Log(CTCLogLine(L"copydata").AddHex(L"dw", cds->dwData).Add(L"cb", cds->cbData).Add(L"ok", 0)
                         .Add(L"reason", reason));
        return 0;
    }
    std::wstring path = m_panels[side].m_folder;
    if (path.empty() || path.back() != L'\\')
        path += L'\\';
    bool valid = replyTo && IsWindow(replyTo) && replyTo != m_hwnd;
    TheApp().Log(CTCLogLine(L"copydata").AddHex(L"dw", cds->dwData).Add(L"cb", cds->cbData).Add(L"ok", valid ? 1 : 0)
                     .Add(L"side", side).AddHex(L"reply", (ULONG_PTR)replyTo).Add(L"path", path));
    if (!valid)
        return 0;
    COPYDATASTRUCT answer = {CopyDataGetPath, (DWORD)((path.size() + 1) * sizeof(wchar_t)), (void*)path.c_str()};
    // A window of a hung process must not hang the host.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(replyTo, WM_COPYDATA, (WPARAM)m_hwnd, (LPARAM)&answer, SMTO_NORMAL, 5000, &ignored);
    return 1;
}
