// The stand-in host's main window "TTOTAL_CMD" and its child tree.
#pragma once
#include <windows.h>
#include <string>
#include "TCPanel.h"

struct CTCOptions;

class CTCMainWnd {
public:
    HWND m_hwnd = nullptr;
    CTCPanel m_panels[2];
    HWND m_buttonBar = nullptr;
    HWND m_bottomBar = nullptr, m_cmdLabel = nullptr, m_cmdCombo = nullptr, m_cmdEdit = nullptr, m_fkeyBar = nullptr;
    HWND m_ftpPanel = nullptr, m_ftpCombo = nullptr, m_ftpList = nullptr;
    HWND m_lister = nullptr;    // the quick-view Lister of cm_QuickView
    int m_activeSide = 0;       // side of the file list that had the focus last
    bool m_refuseClose = false;
    bool m_treeBuilt = false;

    bool Create(const CTCOptions& options);
    void BuildTree();
    static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnChildMessage(HWND from, UINT msg, WPARAM wParam, LPARAM lParam);

    // Input subclass (key logging, active side) and tab-control subclass.
    void HookInput(HWND wnd);
    void HookTabs(HWND wnd);

    HWND OnQuery(int code);
    int SideOfList(HWND wnd) const;

private:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnHostCommand(WPARAM cmd, LPARAM lParam);
    LRESULT OnCopyData(HWND from, const COPYDATASTRUCT* cds);
    LRESULT OnChangeDir(const COPYDATASTRUCT* cds);
    LRESULT OnUserCommand(const COPYDATASTRUCT* cds);
    void StartUserProgram(const std::wstring& cmd, const std::wstring& param);
    LRESULT OnGetPath(HWND replyTo, const COPYDATASTRUCT* cds);
    LRESULT OnSetFocusRequest(HWND target);
    LRESULT OnClose();
    LRESULT OnRecreate(int side, int part);
    LRESULT OnCreateWindows(int count, int interval);
    LRESULT LogPluginDump();
    LRESULT OnShowWindow(int kind, LPARAM arg);
    void OnMessageBoxRequest(LPARAM arg);
    void SelectFromClipboard();
    void ToggleQuickView();
    void PaintMain(HDC dc);

    const CTCOptions* m_options = nullptr;
    int m_pendingWindows = 0;

public:
    // The host's popup for command 3009 sent to a tab control.
    void ShowTabMenu(HWND tabs, LPARAM position);
    static LRESULT CALLBACK OnDemandProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

// Row height of the thumbnail view.
const int ThumbRowHeight = 60;

// Timer ids of the main window.
const UINT_PTR TimerLateWindows = 1;
const UINT_PTR TimerCreateWindows = 2;
