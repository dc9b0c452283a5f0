// A stand-in host main window with the host's child tree, built on the
// test's own thread, so that the engine loaded into the test process
// attaches to it and its state can be read through the diagnostic dump.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>
#include "HostTestSupport.h"

struct CMiniHostOptions {
    int bars = 4;           // "Window" bars per panel (3: the scan fails)
    int hiddenBars = 0;     // invisible bars in the left panel
    bool tabs = true;       // a tab control in each panel
};

class CMiniHost {
public:
    struct Panel {
        HWND panel = nullptr, drive = nullptr, tabs = nullptr, list = nullptr;
        HWND bars[4] = {};
    };

    explicit CMiniHost(const CMiniHostOptions& options = CMiniHostOptions())
    {
        s_current = this;
        HINSTANCE inst = GetModuleHandleW(nullptr);
        InitCommonControls();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = MainProc;
        wc.hInstance = inst;
        wc.lpszClassName = L"TTOTAL_CMD";
        RegisterClassW(&wc);
        wc.lpfnWndProc = DefWindowProcW;
        for (const wchar_t* name : {L"Window", L"LCLComboBox", L"LCLListBox"}) {
            wc.lpszClassName = name;
            RegisterClassW(&wc);
        }
        main = CreateWindowExW(0, L"TTOTAL_CMD", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600,
                               nullptr, nullptr, inst, nullptr);
        buttonBar = Child(L"Window", main, 0, 0, 800, 30);
        for (int side = 0; side < 2; ++side) {
            Panel& p = panels[side];
            p.panel = Child(L"Window", main, side * 400, 30, 400, 480);
            p.drive = Child(L"LCLComboBox", p.panel, 0, 0, 100, 20);
            if (options.tabs)
                p.tabs = Child(WC_TABCONTROLW, p.panel, 100, 0, 300, 20);
            for (int bar = 0; bar < options.bars; ++bar) {
                bool hidden = side == 0 && bar < options.hiddenBars;
                p.bars[bar] = Child(L"Window", p.panel, 0, BarTop(bar), 400, 20, hidden);
            }
            p.list = Child(L"LCLListBox", p.panel, 0, 110, 400, 360);
        }
        bottomBar = Child(L"Window", main, 0, 520, 800, 40);
        commandCombo = Child(L"LCLComboBox", bottomBar, 0, 0, 600, 20);
        commandEdit = Child(L"Edit", commandCombo, 0, 0, 580, 20);
        afterCommand = Child(L"Window", bottomBar, 600, 0, 200, 20);
    }
    ~CMiniHost()
    {
        if (IsWindow(main))
            DestroyWindow(main);
        s_current = nullptr;
    }

    static int BarTop(int bar) { return 25 + bar * 20; }

    static HWND Child(const wchar_t* cls, HWND parent, int x, int y, int w, int h, bool hidden = false)
    {
        return CreateWindowExW(0, cls, L"", WS_CHILD | (hidden ? 0 : WS_VISIBLE), x, y, w, h, parent, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    }

    // Every window of the tree, the main window first.
    std::vector<HWND> AllWindows() const
    {
        return WindowAndDescendants(main);
    }

    HWND main = nullptr, buttonBar = nullptr, bottomBar = nullptr;
    HWND commandCombo = nullptr, commandEdit = nullptr, afterCommand = nullptr;
    Panel panels[2];

    // What the host's own window procedure saw.
    bool refuseClose = false;
    int closes = 0;
    int closesWithSubclass = 0;  // WM_CLOSE arrived while an engine object was on the window
    int destroys = 0;
    int drawItems = 0;           // WM_DRAWITEM that reached the host
    std::vector<UINT> posFlags;  // WINDOWPOS flags of WM_WINDOWPOSCHANGING

private:
    static LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        CMiniHost* host = s_current;
        if (host) {
            switch (msg) {
            case WM_CLOSE:
                ++host->closes;
                if (HasEngineProperty(hwnd))
                    ++host->closesWithSubclass;
                if (host->refuseClose)
                    return 0;
                DestroyWindow(hwnd);
                return 0;
            case WM_DESTROY:
                ++host->destroys;
                break;
            case WM_DRAWITEM:
                ++host->drawItems;
                return TRUE;
            case WM_WINDOWPOSCHANGING:
                host->posFlags.push_back(reinterpret_cast<WINDOWPOS*>(lParam)->flags);
                break;
            }
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }

public:
    // Names of the window's properties.
    static std::vector<std::wstring> Properties(HWND window)
    {
        std::vector<std::wstring> names;
        EnumPropsExW(window, [](HWND, LPWSTR name, HANDLE, ULONG_PTR data) -> BOOL {
            auto* list = reinterpret_cast<std::vector<std::wstring>*>(data);
            if (IS_INTRESOURCE(name))
                list->push_back(L"#atom");
            else
                list->push_back(name);
            return TRUE;
        }, reinterpret_cast<LPARAM>(&names));
        return names;
    }
    static bool HasEngineProperty(HWND window)
    {
        for (const std::wstring& name : Properties(window))
            if (name.compare(0, 8, L"SC_PROP-") == 0)
                return true;
        return false;
    }

    static CMiniHost* s_current;
};

inline CMiniHost* CMiniHost::s_current = nullptr;
