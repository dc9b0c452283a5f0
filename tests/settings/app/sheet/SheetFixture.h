// A small installation for the sheet's tests: host commands in two
// categories, a user command, host and default keys, and own keys of which
// three share Ctrl+K. The model is built over it as the program builds it.
#pragma once

#include <windows.h>
#include <memory>
#include "MainSheet.h"
#include "ModelFiles.h"
#include "PumpMessages.h"

inline void WriteSheetFixture(const CModelFiles& files, const std::string& ownIni = std::string())
{
    files.WriteHost(L"totalcmd.inc", "[_____Files_____]=0\r\ncm_Copy=3101;Copy files\r\ncm_Other=3102;Other files\r\n"
                                     "cm_Edit=904;Edit\r\n[_____View_____]=0\r\ncm_Thumbs=269;Thumbnails\r\n");
    files.WriteHost(L"wincmd.ini", "[Shortcuts]\r\nCA+X=cm_Edit\r\n");
    files.WriteHost(L"usercmd.ini", "[em_tool]\r\ncmd=notepad.exe\r\nmenu=Tool\r\n");
    files.WriteOwn(L"tc default hotkeys.hky", "[TC Default Hotkeys]\r\ncm_Thumbs=Ctrl+Shift+F1\r\n");
    files.WriteOwn(L"Merovin.ini", ownIni.empty() ? "[Keyboard]\r\nem_tool=Ctrl+K\r\nStickIt=Ctrl+K\r\n"
                                                    "UnStickIt=Ctrl+K\r\n[Plugins]\r\nCtrl+Q=Numbra,3 ;calc\r\n"
                                                  : ownIni);
}

// The model and the sheet, shown modeless over an owner window.
class CSheetFixture
{
public:
    explicit CSheetFixture(LPCWSTR name, const CStringArray& args = CStringArray(),
                           const std::string& ownIni = std::string())
        : files(name)
    {
        WriteSheetFixture(files, ownIni);
        model = files.Build(args);
        owner.CreateEx(0, AfxRegisterWndClass(0), L"owner", WS_OVERLAPPEDWINDOW, 0, 300, 100, 100, nullptr, nullptr);
        sheet.reset(new CMainSheet(*model));
        sheet->m_openDocument = [this](LPCWSTR path) {
            opened.Add(path);
            return (INT_PTR)(opened.GetSize() == 1 ? notFound : 33);
        };
        created = sheet->Create(&owner) != FALSE;
    }
    ~CSheetFixture()
    {
        if (sheet->m_hWnd)
            sheet->DestroyWindow();
        owner.DestroyWindow();
    }

    CModelFiles files;
    std::unique_ptr<CSettingsModel> model;
    CWnd owner;
    std::unique_ptr<CMainSheet> sheet;
    CStringArray opened; // documents the sheet opened
    INT_PTR notFound = 33; // the first open's result
    bool created = false;
};

// The folder of the test program (the test modules are built beside it).
inline CString ExeFolder()
{
    WCHAR path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString folder(path);
    return folder.Left(folder.ReverseFind(L'\\'));
}

// One of the suite's modules built in this program's width, as MerovSet
// loads it (the 32-bit program the 32-bit build).
inline CString OwnWidthModule(LPCWSTR base)
{
    return ExeFolder() + L"\\" + base + (sizeof(void*) == 8 ? L"64.dll" : L".dll");
}

// A wide text for test messages.
inline std::string Narrow(LPCWSTR text)
{
    std::string out;
    for (; text && *text; ++text)
        out += *text < 128 ? char(*text) : '?';
    return out;
}

// Counts the reload messages broadcast for a settings file, received by a
// window that registered the path in upper case, as an engine does.
struct CReloadCounter
{
    UINT message = 0;
    int count = 0;
    HWND wnd = nullptr;
    static inline CReloadCounter* s_pCounter = nullptr;

    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (s_pCounter && msg == s_pCounter->message && msg && wParam == 0 && lParam == 0)
            ++s_pCounter->count;
        return DefWindowProcW(wnd, msg, wParam, lParam);
    }

    explicit CReloadCounter(const CString& iniPath)
    {
        CString upper(iniPath);
        upper.MakeUpper();
        message = RegisterWindowMessageW(upper);
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ReloadCounter";
        RegisterClassW(&wc);
        wnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                              wc.hInstance, nullptr);
        s_pCounter = this;
    }
    ~CReloadCounter()
    {
        DestroyWindow(wnd);
        s_pCounter = nullptr;
    }
};
