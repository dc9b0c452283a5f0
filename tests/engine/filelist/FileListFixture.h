// A host file list built on the test's own thread: a main window that draws
// the list's rows as the host does (each column with its own text call,
// folders in brackets with "DirBrackets") and records what it was asked to
// draw, a path bar, the engine's main-window subclass and the engine's
// file-list object on the list, reached through a context of the test's own.
// The host paints each item on "BackColor"/"BackColor2" by the parity of its
// host index (in a multi-column list its place in the column), its text in
// TextColor.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>
#include "FakeEngine.h"
#include "RowMarks.h"
#include "TCWnd.h"
#include "TCFileList.h"
#include "TestFiles.h"

class CListContext : public CFakeEngine {
public:
    const EnginePaths& Paths() const override { return paths; }
    const HostValues& Host() const override { return host; }
    const HostTreeSnapshot& Tree() const override { return tree; }
    CPanelObjects& Panels() override { return panels; }
    CString LoadText(int) const override { return L"sorted|names"; }
    CRowMarkSource* RowMarks() override { return marks; }

    CRowMarkSource* marks = nullptr;
    EnginePaths paths;
    HostValues host;
    HostTreeSnapshot tree = {};
    CPanelObjects panels;
};

// The file list with the keys held and the pointer position set by the test.
class CTestFileList : public CTCFileList {
public:
    using CTCFileList::CTCFileList;
    std::set<int> keys;
    POINT cursor = {};

protected:
    bool KeyDown(int vk) const override { return keys.count(vk) != 0; }
    POINT CursorPos() const override { return cursor; }
};

// One WM_DRAWITEM that reached the host's drawing.
struct CDrawn {
    int item;
    int top;
    DWORD dcType;
    HDC dc;
};

// The colour of the host's text; differs from every background of the tests.
const COLORREF TextColor = RGB(10, 200, 30);

struct CListOptions {
    std::vector<std::wstring> rows;
    DWORD style = 0;      // extra list styles (LBS_MULTICOLUMN)
    int rowHeight = 16;
    int dirBrackets = 1;
    int columnWidth = 0;  // set by the host before the engine attaches
    bool countTexts = false;  // record every LB_GETTEXT that reaches the list box
};

class CFileListFixture : public ::testing::Test {
protected:
    CFileListFixture() : m_folder(L"filelist")
    {
        m_context.paths.stickyFile = m_folder.File(L"Merovin.stk").c_str();
        m_context.paths.settingsFile = m_folder.File(L"Merovin.ini").c_str();
        m_context.host.desktopName = L"Desktop";
        m_context.Settings().StickyFiles = 1;
    }
    ~CFileListFixture() override
    {
        TearDownWindows();
        s_current = nullptr;
    }

    // Detaches the engine's objects and destroys the windows; Build may run again.
    void TearDownWindows()
    {
        m_list.DetachFromWindow();
        SubclassDetach(&m_main);
        if (m_mainWindow)
            DestroyWindow(m_mainWindow);
        m_mainWindow = m_pathBar = m_window = nullptr;
    }

    // Creates the windows with `options`, fills the list and attaches.
    void Build(const CListOptions& options)
    {
        s_current = this;
        m_rowHeight = options.rowHeight;
        m_context.host.dirBrackets = options.dirBrackets;
        WNDCLASSW wc = {};
        wc.lpfnWndProc = MainProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FileListTestMain";
        RegisterClassW(&wc);
        m_mainWindow = CreateWindowExW(0, L"FileListTestMain", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 600,
                                       nullptr, nullptr, wc.hInstance, nullptr);
        m_pathBar = CreateWindowExW(0, L"STATIC", (m_folder.Path() + L"\\*.*").c_str(), WS_CHILD | WS_VISIBLE, 0, 0,
                                    400, 20, m_mainWindow, nullptr, wc.hInstance, nullptr);
        DWORD style = WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_EXTENDEDSEL | LBS_NOTIFY |
                      LBS_NOINTEGRALHEIGHT | options.style;
        style |= (options.style & LBS_MULTICOLUMN) ? WS_HSCROLL : WS_VSCROLL;
        m_window = CreateWindowExW(0, L"LISTBOX", L"", style, 0, 20, 400, 30 * options.rowHeight + 4, m_mainWindow,
                                   nullptr, wc.hInstance, nullptr);
        Fill(options.rows);
        if (options.columnWidth)
            SendMessageW(m_window, LB_SETCOLUMNWIDTH, options.columnWidth, 0);
        if (options.countTexts)
            SetWindowSubclass(m_window, CountTexts, 1, (DWORD_PTR)this);
        m_context.tree.main = m_mainWindow;
        m_context.tree.fileList[0] = m_window;
        m_context.tree.bar2[0] = m_pathBar;
        m_context.panels.fileList[0] = &m_list;
        SubclassAttach(&m_main, m_mainWindow);
        ASSERT_TRUE(m_list.AttachFileList(m_window));
    }

    // Replaces the rows as the host does (reset, then one string per item,
    // with redrawing off).
    void Fill(const std::vector<std::wstring>& rows)
    {
        SendMessageW(m_window, WM_SETREDRAW, FALSE, 0);
        SendMessageW(m_window, LB_RESETCONTENT, 0, 0);
        for (const std::wstring& row : rows)
            SendMessageW(m_window, LB_ADDSTRING, 0, (LPARAM)row.c_str());
        SendMessageW(m_window, WM_SETREDRAW, TRUE, 0);
    }

    void WriteSticky(const char* text) { WriteText(m_folder.File(L"Merovin.stk"), text); }
    // "[<folder>]\r\n" and the names as keys 1, 2, ...
    void Stick(const std::vector<std::wstring>& names)
    {
        std::string text = "[" + Narrow(m_folder.Path()) + "]\r\n";
        for (size_t i = 0; i < names.size(); ++i)
            text += std::to_string(i + 1) + "=" + Narrow(names[i]) + "\r\n";
        WriteSticky(text.c_str());
    }
    static std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessageW(m_window, message, wParam, lParam);
    }
    // The host index shown in each row.
    std::vector<int> Order()
    {
        std::vector<int> order;
        int count = (int)Send(LB_GETCOUNT);
        for (int row = 0; row < count; ++row)
            order.push_back(m_list.MapRowToHost(row));
        return order;
    }
    // Paints the list now; the items the host was asked to draw, by row.
    std::vector<CDrawn> Paint()
    {
        m_drawn.clear();
        RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return m_drawn;
    }

    CTempFolder m_folder;
    CListContext m_context;
    CTCWnd m_main{m_context};
    CTestFileList m_list{m_context, 0};
    HWND m_mainWindow = nullptr, m_pathBar = nullptr, m_window = nullptr;
    int m_rowHeight = 16;
    std::vector<CDrawn> m_drawn;
    std::vector<int> m_textReads;  // with countTexts: the indexes read

private:
    static LRESULT CALLBACK CountTexts(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
    {
        if (message == LB_GETTEXT)
            reinterpret_cast<CFileListFixture*>(self)->m_textReads.push_back((int)wParam);
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }

    static LRESULT CALLBACK MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        CFileListFixture* self = s_current;
        if (self && message == WM_MEASUREITEM) {
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = self->m_rowHeight;
            return TRUE;
        }
        if (self && message == WM_DRAWITEM) {
            self->DrawRow(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    void DrawRow(const DRAWITEMSTRUCT& item)
    {
        m_drawn.push_back({(int)item.itemID, item.rcItem.top, GetObjectType(item.hDC), item.hDC});
        int place = (int)item.itemID;
        if (GetWindowLongW(item.hwndItem, GWL_STYLE) & LBS_MULTICOLUMN) {
            RECT client;
            GetClientRect(item.hwndItem, &client);
            int perColumn = (client.bottom - client.top) / m_rowHeight;
            place %= perColumn > 0 ? perColumn : 1;
        }
        COLORREF back = place & 1 ? m_context.host.backColor2 : m_context.host.backColor;
        HBRUSH brush = CreateSolidBrush(back);
        FillRect(item.hDC, &item.rcItem, brush);
        DeleteObject(brush);
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, TextColor);
        int length = (int)SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
        std::wstring text(length > 0 ? length + 1 : 1, L'\0');
        SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, (LPARAM)&text[0]);
        text.resize(wcslen(text.c_str()));
        bool folder = text.find(L"<DIR>") != std::wstring::npos;
        int x = item.rcItem.left;
        for (size_t start = 0, column = 0; start <= text.size(); ++column) {
            size_t tab = text.find(L'\t', start);
            std::wstring piece = text.substr(start, tab == std::wstring::npos ? std::wstring::npos : tab - start);
            if (column == 0 && folder && m_context.host.dirBrackets)
                piece = L"[" + piece + L"]";
            ExtTextOutW(item.hDC, x, item.rcItem.top, 0, nullptr, piece.c_str(), (UINT)piece.size(), nullptr);
            x += 100;
            if (tab == std::wstring::npos)
                break;
            start = tab + 1;
        }
    }

    static inline CFileListFixture* s_current = nullptr;
};
