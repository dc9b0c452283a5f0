// The engine's object on the host's folder-tab control of one side: a colour
// and an icon per tab (following tabs the host moves, saved across starts),
// the host's locked-tab marks and the active-tab colour painted over the
// host's own drawing, the tab menu, ChronoTabs, the wheel, double clicks, the
// jump squares and the colour popup.
#pragma once
#include <windows.h>
#include <functional>
#include <vector>
#include "PanelWnd.h"
#include "TabInfo.h"

class CMyTabs : public CPanelWnd {
    DECLARE_DYNAMIC(CMyTabs)
public:
    CMyTabs(CEngineContext& engine, int side) : CPanelWnd(engine, side) {}
    ~CMyTabs() override;

    // Subclasses the side's tab control unless that is done already, then
    // takes its tabs, colours, icon list and lock states.
    bool InitTabs(HWND tabs);
    // Timers dropped, images cleared, colours saved (with "KeepTabColors"),
    // tabs forgotten, the image list released. Once per attachment.
    void DetachTabs();

    int TabCount() const { return (int)m_tabs.GetSize(); }
    const CTabInfo* Tab(int index) const;
    int CurrentTab() const;
    CString TabText(int index) const;

    // -1: the current tab. Without force a colour the user set stays.
    void SetTabColor(COLORREF colour, int index, bool force);
    COLORREF GetTabColor(int index) const;
    void SaveTabColors(LPCWSTR section, LPCWSTR file) const;
    void LoadTabColors(LPCWSTR section, LPCWSTR file);
    // -1: the current tab 200 ms from now. An owned icon is the tab's to destroy.
    void SetTabIcon(HICON icon, int index, bool owned = false);
    void SetTabIconAndColor(HICON icon, COLORREF colour, int index, bool owned = false);
    // A timed icon's timer fired; false when it is not one of this side's.
    bool OnTimedIcon(UINT_PTR key);
    int PendingTimedIcons() const { return (int)m_timed.size(); }

    // The full control with the engine's extras, painted into `dc`.
    void PaintTabs(HDC dc);
    // Only with "ColoredTabs"; -1: the current tab.
    void OpenColourPopup(int index);
    // The menu of all tabs at a screen point; a choice switches tabs.
    void ShowTabList(POINT screen);
    // The wheel at screen point lParam scrolls the tab strip by one tab when
    // its scroll arrows show and the point is within the tab row.
    bool ScrollByWheel(WPARAM wParam, LPARAM lParam);
    // The items of the tab menu in menu order: (tab index + 1, text).
    std::vector<std::pair<int, CString>> TabListItems() const;
    // The previous tab gets the focus rectangle and becomes the pending target.
    bool ChronoTabs();
    // Shift was released: switches to the pending target.
    void ChronoTabsKeyUp(bool shiftDown);
    // Folders of the tabs from the host's INI (start-up only).
    void RestoreFromHost();
    // The jump squares right of the path window (client coordinates); empty without one.
    CRect JumpSquare(int which) const;

    // Milliseconds since the host process started; 3000 when unknown.
    static int ProcessAgeMs();

    bool m_reversed = false; // tabs run right to left: host tab positions are negated
    // The host's lock state of a tab position (the main window's menu capture).
    std::function<int(const CMyTabs*, int)> m_lockQuery;
    // The folder rules' tab decorations; null: none.
    CTabDecorationSource* m_decorations = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct CTimedIcon {
        int tab;
        HICON icon;
        bool owned;
        UINT_PTR key;
        COLORREF colour;
    };

    LRESULT OnInsertItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteItem(WPARAM wParam);
    LRESULT OnDeleteAllItems();
    LRESULT OnSetItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnColourChosen(WPARAM wParam);
    LRESULT OnPaint();
    LRESULT OnLButtonDblClk();
    LRESULT OnRButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnMButtonUp(LPARAM lParam);
    LRESULT OnMouseWheel(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy();

    bool Valid(int index) const { return index >= 0 && index < TabCount(); }
    int Resolve(int index) const { return index == -1 ? CurrentTab() : index; }
    void ReleaseIcon(CTabInfo& tab);
    // CLR_INVALID: the tab keeps its colour.
    void StartTimedIcon(HICON icon, COLORREF colour, bool owned);
    void ReadLockStates();
    int ReadLockState(int index) const;
    void ApplyDecoration(int index, LPCWSTR folder);
    void OpenPopupAt(int index, POINT screen);
    void Relayout();
    void PaintExtras(CDC& dc, int index, int current);
    CPoint IconSpot(const CRect& tab) const;
    CRect HostArea() const;
    HWND PathWindow() const;
    HWND FileList() const;

    CIconList m_icons;
    CTabArray m_tabs;
    int m_coloredTabs = 0;
    int m_insertGuard = 0;
    DWORD m_moveTick = 0;
    int m_moveFrom = -1;
    int m_moveTo = -1;
    int m_popupTab = -1;

    bool m_tabsAttached = false; // between InitTabs and DetachTabs
    int m_chronoTarget = -1;
    UINT_PTR m_timerSerial = 0;
    std::vector<CTimedIcon> m_timed;
    CBitmap m_paintBitmap; // the memory bitmap the tabs are painted in (the DC goes first)
    CDC m_paintDc;
    CSize m_paintSize;
};
