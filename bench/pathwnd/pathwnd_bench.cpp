// Folder changes under load: 200 rules in [AutoView], a path bar, a file
// list and a tab control of the left side; the best time of one folder
// change (the host's path text set on the bar), and the GDI, USER and kernel
// handle counts before and after 1,000 changes. Prints "name: value unit" lines.
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <string>
#include "BenchTiming.h"
#include "FakeEngine.h"
#include "FolderRules.h"
#include "PathPeers.h"
#include "ResourceCounts.h"
#include "RuleDecorations.h"

CWinApp theApp(L"PathWndBench");

namespace {

class CBenchEngine : public CFakeEngine, public CPathPeers {
public:
    CFolderRules rules;
    CRuleTabDecorations decorations{rules, CDecorationOptions()};
    CPathPeers* PathPeers() override { return this; }
    const CFolderRules& FolderRules() const override { return rules; }
    CTabDecorationSource* TabDecorations() override { return &decorations; }
};

struct Handles {
    long gdi, windows, kernel;
};

Handles Count()
{
    return {ResourceCount::GdiObjects(), ResourceCount::Windows(), ResourceCount::KernelHandles()};
}

} // namespace

int wmain()
{
    InitCommonControls();
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring ini = std::wstring(temp) + L"pathwnd_bench.ini";
    DeleteFileW(ini.c_str());
    std::wstring keys;
    for (int i = 0; i < 200; ++i) {
        std::wstring name = L"Rule" + std::to_wstring(i), n = std::to_wstring(i);
        keys += name + L"=?*\\DIR" + n + L"*|^*\\DIR" + n + L"\\SKIP*|?*\\ALT" + n + L"\\*" + L'\0';
        std::wstring section = L"View=Brief" + std::wstring(1, L'\0') + L"Sort=2" + L'\0' +
                               (i % 2 ? L"BkgColor=#E0F0FF" + std::wstring(1, L'\0') : L"") + L"TabColor=#FFE0C0" + L'\0' +
                               L"FileGroups=*.txt|*.doc" + L'\0';
        WritePrivateProfileSectionW(name.c_str(), section.c_str(), ini.c_str());
    }
    WritePrivateProfileSectionW(L"AutoView", keys.c_str(), ini.c_str());

    CBenchEngine engine;
    engine.rules.Read(ini.c_str(), L"", nullptr);
    engine.Settings().AutoView = 1;
    engine.Settings().StickyFiles = 0;
    HWND main = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                                nullptr, nullptr, nullptr);
    HWND bar = CreateWindowExW(0, L"STATIC", L"C:\\*.*", WS_CHILD | WS_VISIBLE, 0, 0, 400, 20, main, nullptr,
                               nullptr, nullptr);
    HWND tabControl = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 0, 20, 400, 20, main, nullptr,
                                      nullptr, nullptr);
    HWND listBox = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 0, 40, 400, 500, main,
                                   nullptr, nullptr, nullptr);
    TCITEMW item = {TCIF_TEXT};
    item.pszText = const_cast<LPWSTR>(L"C:");
    SendMessageW(tabControl, TCM_INSERTITEMW, 0, (LPARAM)&item);
    for (int i = 0; i < 40; ++i)
        SendMessageW(listBox, LB_ADDSTRING, 0, (LPARAM)(L"file" + std::to_wstring(i) + L".txt\t1\t01.01.2024").c_str());

    CPanelObjects& panels = engine.Panels();
    panels.fileList[0] = new CTCFileList(engine, 0);
    panels.fileList[0]->AttachFileList(listBox);
    panels.tabs[0] = new CMyTabs(engine, 0);
    panels.tabs[0]->m_decorations = &engine.decorations;
    panels.tabs[0]->InitTabs(tabControl);
    panels.pathWnd[0] = new CPathWnd(engine, 0);
    panels.pathWnd[0]->m_autoView = 1;
    panels.pathWnd[0]->AttachPathWindow(bar);

    int serial = 0;
    auto change = [&] {
        // Every fifth folder matches no rule: the last rule is tried too.
        int n = serial++;
        std::wstring text = n % 5 == 4 ? L"C:\\NONE" + std::to_wstring(n) + L"\\*.*"
                                       : L"C:\\DIR" + std::to_wstring(n % 200) + L"\\sub\\*.*";
        SetWindowTextW(bar, text.c_str());
    };
    double best = BestMs(200, change);
    printf("folder change, 200 rules: %.3f ms\n", best);
    double noRule = BestMs(50, [&] {
        SetWindowTextW(bar, (L"C:\\NONE" + std::to_wstring(serial++) + L"\\*.*").c_str());
    });
    printf("folder change, no rule of 200: %.3f ms\n", noRule);

    Handles before = Count();
    for (int i = 0; i < 1000; ++i)
        change();
    Handles after = Count();
    printf("GDI handles over 1000 changes: %ld\n", after.gdi - before.gdi);
    printf("windows over 1000 changes: %ld\n", after.windows - before.windows);
    printf("kernel handles over 1000 changes: %ld\n", after.kernel - before.kernel);

    panels.DeleteAll();
    DestroyWindow(main);
    DeleteFileW(ini.c_str());
    return 0;
}
