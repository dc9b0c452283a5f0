#include "TCPanel.h"
#include "TCHostApp.h"
#include "TCOptions.h"
#include <algorithm>
#include <commctrl.h>

static const int ListTop = 92;      // below drive box, tabs, path bar and header
static const int StatusHeight = 22;

bool IsFolderPath(const std::wstring& path)
{
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::wstring> SplitRow(const std::wstring& row)
{
    std::vector<std::wstring> cols;
    size_t start = 0;
    for (;;) {
        size_t tab = row.find(L'\t', start);
        cols.push_back(row.substr(start, tab == std::wstring::npos ? std::wstring::npos : tab - start));
        if (tab == std::wstring::npos)
            break;
        start = tab + 1;
    }
    return cols;
}

HWND CTCPanel::CreateBar(int bar, int x, int y, int w, int h, const wchar_t* text, bool hidden)
{
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (hidden ? 0 : WS_VISIBLE);
    m_bars[bar] = CreateWindowExW(0, L"Window", text, style, x, y, w, h, m_panel, nullptr, GetModuleHandleW(nullptr), nullptr);
    return m_bars[bar];
}

RECT CTCPanel::ListRect() const
{
    RECT r = {m_rc.left, m_rc.top + ListTop, m_rc.right, m_rc.bottom - StatusHeight};
    return r;
}

void CTCPanel::Create(HWND main, const CTCOptions& options, bool withTabs, const RECT& rc)
{
    m_main = main;
    m_rc = rc;
    m_hiddenBars = options.m_hiddenBars;
    HINSTANCE inst = GetModuleHandleW(nullptr);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    m_panel = CreateWindowExW(0, L"Window", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                            rc.left, rc.top, w, h, main, nullptr, inst, nullptr);
    m_drive = CreateWindowExW(0, L"LCLComboBox", L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                            0, 0, 80, 300, m_panel, (HMENU)(INT_PTR)(DriveComboId + m_side), inst, nullptr);
    // One entry per drive, then the host's network and plug-in folder.
    DWORD drives = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        wchar_t entry[8];
        _snwprintf(entry, 8, L"[-%c-]", L'a' + i);
        entry[7] = 0;
        if (drives & (1u << i))
            SendMessageW(m_drive, CB_ADDSTRING, 0, (LPARAM)entry);
    }
    SendMessageW(m_drive, CB_ADDSTRING, 0, (LPARAM)L"\\ Network");
    SendMessageW(m_drive, CB_SETCURSEL, 0, 0);
    // Hidden bars: bar 1 first (its top is 0 anyway), then bar 3.
    CreateBar(BarFree, 82, 0, w - 82, 22, L"", options.m_hiddenBars >= 1);
    if (withTabs)
        CreateTabs();
    CreateBar(BarPath, 0, 48, w, 20, L"", false);
    if (options.m_bars >= 4)
        CreateBar(BarHeader, 0, 70, w, 20, L"Name\tSize\tDate", options.m_hiddenBars >= 2);
    CreateBar(BarStatus, 0, h - StatusHeight, w, StatusHeight, L"", false);
    RecreateList();
}

static std::wstring TabName(const std::wstring& path)
{
    size_t slash = path.find_last_of(L'\\');
    if (slash != std::wstring::npos && slash + 1 < path.size())
        return path.substr(slash + 1);
    return path;
}

HWND CTCPanel::CreateTabs()
{
    DestroyTabs();
    int w = m_rc.right - m_rc.left;
    m_tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_FOCUSNEVER,
                           0, 24, w, 22, m_panel, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(m_tabs, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), 0);
    if (m_tabFolders.empty()) {
        m_tabFolders.push_back(m_folder);
        m_tabLocks.push_back(0);
        m_currentTab = 0;
    }
    for (size_t i = 0; i < m_tabFolders.size(); ++i)
        InsertTabItem((int)i, TabName(m_tabFolders[i]));
    SendMessageW(m_tabs, TCM_SETCURSEL, m_currentTab, 0);
    TheApp().Main().HookTabs(m_tabs);
    return m_tabs;
}

void CTCPanel::DestroyTabs()
{
    if (m_tabs)
        DestroyWindow(m_tabs);
    m_tabs = nullptr;
}

HWND CTCPanel::RecreatePathBar()
{
    if (m_bars[BarPath])
        DestroyWindow(m_bars[BarPath]);
    CreateBar(BarPath, 0, 48, m_rc.right - m_rc.left, 20, PathText().c_str(), false);
    return m_bars[BarPath];
}

HWND CTCPanel::AddHeaderBar()
{
    if (!m_bars[BarHeader])
        CreateBar(BarHeader, 0, 70, m_rc.right - m_rc.left, 20, L"Name\tSize\tDate", false);
    return m_bars[BarHeader];
}

HWND CTCPanel::RecreateList()
{
    if (m_list)
        DestroyWindow(m_list);
    RECT r = ListRect();
    int view = TheApp().Options().m_view;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                  LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    style |= view == ViewBrief ? LBS_MULTICOLUMN | WS_HSCROLL : WS_VSCROLL;
    m_list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LCLListBox", L"", style, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, m_main, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(m_list, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), 0);
    if (view == ViewBrief)
        SendMessageW(m_list, LB_SETCOLUMNWIDTH, BriefColumnWidth, 0);
    // Above the panel window it overlaps, so the panel never paints over it.
    SetWindowPos(m_list, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TheApp().Main().HookInput(m_list);
    if (!m_folder.empty())
        Refill();
    return m_list;
}

std::wstring CTCPanel::PathText() const
{
    std::wstring t = m_folder;
    if (t.empty() || t.back() != L'\\')
        t += L'\\';
    return t + L"*.*";
}

CTCRow ParseRow(const std::wstring& text)
{
    CTCRow row;
    size_t marker = text.find(L" >");
    if (marker != std::wstring::npos) {
        // "name >size date" or "name ><DIR> date"
        row.name = text.substr(0, marker);
        std::wstring rest = text.substr(marker + 2);
        row.dir = rest.compare(0, 5, L"<DIR>") == 0;
        if (!row.dir)
            row.size = _wcstoui64(rest.c_str(), nullptr, 10);
        return row;
    }
    std::vector<std::wstring> cols = SplitRow(text);
    row.name = cols[0];
    row.dir = cols.size() > 1 && cols[1] == L"<DIR>";
    if (!row.dir && cols.size() > 1)
        row.size = _wcstoui64(cols[1].c_str(), nullptr, 10);
    return row;
}

std::wstring CTCPanel::RowText(int index) const
{
    int len = (int)SendMessageW(m_list, LB_GETTEXTLEN, index, 0);
    if (len <= 0)
        return L"";
    std::wstring row(len + 1, L'\0');
    SendMessageW(m_list, LB_GETTEXT, index, (LPARAM)&row[0]);
    row.resize(wcsnlen(row.c_str(), len));
    return row;
}

std::wstring CTCPanel::ItemName(int index) const
{
    return ParseRow(RowText(index)).name;
}

void CTCPanel::OnDriveSelected()
{
    int index = (int)SendMessageW(m_drive, CB_GETCURSEL, 0, 0);
    wchar_t text[64] = {};
    if (index >= 0 && SendMessageW(m_drive, CB_GETLBTEXTLEN, index, 0) < 63)
        SendMessageW(m_drive, CB_GETLBTEXT, index, (LPARAM)text);
    TheApp().Log(CTCLogLine(L"drivesel").Add(L"side", m_side).Add(L"id", GetDlgCtrlID(m_drive))
                     .Add(L"index", index).Add(L"text", text));
    if (wcsncmp(text, L"[-", 2) == 0 && iswalpha(text[2])) {
        wchar_t root[4] = {(wchar_t)towupper(text[2]), L':', L'\\', 0};
        SetFolder(root);
    }
    SetFocus(m_list); // the panel shows the drive and takes the focus
}

void CTCPanel::SetFolder(const std::wstring& path, const std::wstring& caretName)
{
    m_folder = path;
    while (m_folder.size() > 3 && m_folder.back() == L'\\')
        m_folder.pop_back();
    if (m_folder.size() == 2 && m_folder[1] == L':')
        m_folder += L'\\';
    if (!m_tabFolders.empty() && m_currentTab < (int)m_tabFolders.size()) {
        m_tabFolders[m_currentTab] = m_folder;
        if (m_tabs) {
            std::wstring name = TabName(m_folder);
            TCITEMW item = {TCIF_TEXT};
            item.pszText = &name[0];
            SendMessageW(m_tabs, TCM_SETITEMW, m_currentTab, (LPARAM)&item);
        }
    }
    // The host's two orders: the path text first (the default), or the
    // list refilled first.
    if (TheApp().Options().m_refillFirst) {
        Refill(caretName, -1);
        SetWindowTextW(m_bars[BarPath], PathText().c_str());
    } else {
        SetWindowTextW(m_bars[BarPath], PathText().c_str());
        Refill(caretName, -1);
    }
}

void CTCPanel::AddTab(const std::wstring& path)
{
    m_tabFolders.push_back(path);
    m_tabLocks.push_back(0);
    m_currentTab = (int)m_tabFolders.size() - 1;
    if (m_tabs) {
        InsertTabItem(m_currentTab, TabName(path));
        SendMessageW(m_tabs, TCM_SETCURSEL, m_currentTab, 0);
    }
}

// The host inserts tabs with the A message carrying a wide item.
void CTCPanel::InsertTabItem(int index, std::wstring name)
{
    TCITEMW item = {TCIF_TEXT};
    item.pszText = &name[0];
    SendMessageW(m_tabs, TCM_INSERTITEMA, index, (LPARAM)&item);
}

bool CTCPanel::MoveTab(int from, int to, DWORD deleteAfterMs)
{
    int count = (int)m_tabFolders.size();
    if (!m_tabs || from < 0 || from >= count || to < 0 || to >= count || from == to)
        return false;
    // As the host does it: a copy inserted at the new place, then the old tab deleted.
    int insertAt = to > from ? to + 1 : to;
    InsertTabItem(insertAt, TabName(m_tabFolders[from]));
    if (deleteAfterMs)
        Sleep(deleteAfterMs);
    int old = insertAt <= from ? from + 1 : from;
    SendMessageW(m_tabs, TCM_DELETEITEM, old, 0);
    std::wstring folder = m_tabFolders[from];
    int lock = m_tabLocks[from];
    m_tabFolders.erase(m_tabFolders.begin() + from);
    m_tabLocks.erase(m_tabLocks.begin() + from);
    m_tabFolders.insert(m_tabFolders.begin() + to, folder);
    m_tabLocks.insert(m_tabLocks.begin() + to, lock);
    m_currentTab = (int)SendMessageW(m_tabs, TCM_GETCURSEL, 0, 0);
    if (m_currentTab < 0) {
        m_currentTab = to;
        SendMessageW(m_tabs, TCM_SETCURSEL, to, 0);
    }
    return true;
}

void CTCPanel::SelectTab(int index)
{
    if (index < 0 || index >= (int)m_tabFolders.size())
        return;
    m_currentTab = index;
    if (m_tabs)
        SendMessageW(m_tabs, TCM_SETCURSEL, index, 0);
    SetFolder(m_tabFolders[index]);
}

namespace {
struct Entry {
    std::wstring name;
    bool dir;
    ULONGLONG size;
    FILETIME time;
};
}

static std::wstring FormatRow(const Entry& e, int view)
{
    SYSTEMTIME st = {};
    FILETIME local;
    FileTimeToLocalFileTime(&e.time, &local);
    FileTimeToSystemTime(&local, &st);
    wchar_t date[32];
    _snwprintf(date, 32, L"%02u.%02u.%04u %02u:%02u", st.wDay, st.wMonth, st.wYear, st.wHour, st.wMinute);
    date[31] = 0;
    std::wstring size = e.dir ? L"<DIR>" : std::to_wstring(e.size);
    if (view == ViewMarker)
        return e.name + L" >" + size + L" " + date;
    return e.name + L"\t" + size + L"\t" + date;
}

void CTCPanel::Reread()
{
    int caret = (int)SendMessageW(m_list, LB_GETCARETINDEX, 0, 0);
    int top = (int)SendMessageW(m_list, LB_GETTOPINDEX, 0, 0);
    Refill(caret >= 0 ? ItemName(caret) : std::wstring(), caret - top);
}

void CTCPanel::Refill(const std::wstring& caretName, int distance)
{
    std::vector<Entry> entries;
    std::wstring pattern = m_folder;
    if (pattern.empty() || pattern.back() != L'\\')
        pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW(pattern.c_str(), &fd);
    bool exists = find != INVALID_HANDLE_VALUE;
    if (exists) {
        do {
            if (wcscmp(fd.cFileName, L".") == 0 || wcscmp(fd.cFileName, L"..") == 0)
                continue;
            Entry e{fd.cFileName, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                    ((ULONGLONG)fd.nFileSizeHigh << 32) | fd.nFileSizeLow, fd.ftLastWriteTime};
            entries.push_back(e);
        } while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.dir != b.dir)
            return a.dir;
        return _wcsicmp(a.name.c_str(), b.name.c_str()) < 0;
    });
    int view = TheApp().Options().m_view;
    SendMessageW(m_list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(m_list, LB_RESETCONTENT, 0, 0);
    bool root = m_folder.size() <= 3;
    if (!root)
        SendMessageW(m_list, LB_ADDSTRING, 0, (LPARAM)(view == ViewMarker ? L".. ><DIR>" : L"..\t<DIR>"));
    m_files = m_dirs = 0;
    m_bytes = 0;
    std::wstring names;
    int caret = 0;
    for (const Entry& e : entries) {
        std::wstring row = FormatRow(e, view);
        int index = (int)SendMessageW(m_list, LB_ADDSTRING, 0, (LPARAM)row.c_str());
        if (!caretName.empty() && _wcsicmp(e.name.c_str(), caretName.c_str()) == 0)
            caret = index;
        if (e.dir) ++m_dirs; else { ++m_files; m_bytes += e.size; }
        if (!names.empty()) names += L'|';
        names += e.name;
    }
    // The caret item keeps its distance from the top (-1: the top stays at 0).
    int top = distance >= 0 && caret - distance > 0 ? caret - distance : 0;
    SendMessageW(m_list, LB_SETTOPINDEX, top, 0);
    SendMessageW(m_list, LB_SETCARETINDEX, caret, 0);
    SendMessageW(m_list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_list, nullptr, TRUE);
    UpdateStatus();
    UpdateFreeSpace();
    TheApp().Log(CTCLogLine(L"folder").Add(L"side", m_side).Add(L"path", m_folder).Add(L"exists", exists ? 1 : 0)
                     .Add(L"rows", SendMessageW(m_list, LB_GETCOUNT, 0, 0)).Add(L"names", names)
                     .Add(L"top", top).Add(L"caret", caret));
}

void CTCPanel::UpdateStatus()
{
    int count = (int)SendMessageW(m_list, LB_GETSELCOUNT, 0, 0);
    std::vector<int> rows(count > 0 ? count : 0);
    if (count > 0)
        count = (int)SendMessageW(m_list, LB_GETSELITEMS, count, (LPARAM)rows.data());
    int files = 0, dirs = 0;
    ULONGLONG bytes = 0;
    for (int i = 0; i < count; ++i) {
        std::wstring text = RowText(rows[i]);
        if (text.empty())
            continue;
        CTCRow row = ParseRow(text);
        if (row.dir) {
            if (row.name != L"..")
                ++dirs;
        } else {
            ++files;
            bytes += row.size;
        }
    }
    wchar_t text[128];
    _snwprintf(text, 128, L"%llu k / %llu k in %d / %d file(s), %d / %d dir(s)", bytes / 1024, m_bytes / 1024, files,
               m_files, dirs, m_dirs);
    text[127] = 0;
    SetWindowTextW(m_bars[BarStatus], text);
}

void CTCPanel::UpdateFreeSpace()
{
    wchar_t text[128];
    ULARGE_INTEGER freeBytes = {}, total = {};
    std::wstring root = m_folder.substr(0, 3);
    GetDiskFreeSpaceExW(root.c_str(), &freeBytes, &total, nullptr);
    wchar_t drive = m_folder.empty() ? L'c' : (wchar_t)towlower(m_folder[0]);
    _snwprintf(text, 128, L"[-%c-] %llu k of %llu k free", drive, freeBytes.QuadPart / 1024, total.QuadPart / 1024);
    text[127] = 0;
    SetWindowTextW(m_bars[BarFree], text);
}

void CTCPanel::DrawItem(const DRAWITEMSTRUCT* dis)
{
    if (dis->itemID == (UINT)-1) {
        FillRect(dis->hDC, &dis->rcItem, GetSysColorBrush(COLOR_WINDOW));
        return;
    }
    bool combo = dis->CtlType == ODT_COMBOBOX;
    if (combo) {
        DrawComboItem(dis);
        return;
    }
    // The item to draw is the one the host knows by itemID, asked through
    // the list window like every other question about a row.
    std::wstring text;
    int len = (int)SendMessageW(dis->hwndItem, LB_GETTEXTLEN, dis->itemID, 0);
    if (len > 0) {
        text.assign(len + 1, L'\0');
        SendMessageW(dis->hwndItem, LB_GETTEXT, dis->itemID, (LPARAM)&text[0]);
        text.resize(wcsnlen(text.c_str(), len));
    }
    CTCRow row = ParseRow(text);
    TheApp().Log(CTCLogLine(L"draw").Add(L"side", TheApp().Main().SideOfList(dis->hwndItem))
                     .Add(L"item", (long long)(int)dis->itemID).Add(L"dc", (long long)GetObjectType(dis->hDC))
                     .Add(L"top", dis->rcItem.top).Add(L"left", dis->rcItem.left).Add(L"name", row.name));
    HDC dc = dis->hDC;
    const RECT& rc = dis->rcItem;
    bool selected = (dis->itemState & ODS_SELECTED) != 0;
    // Alternating row colours by the item's own number (in a multi-column
    // list by its place in its column).
    int place = (int)dis->itemID;
    if (GetWindowLongW(dis->hwndItem, GWL_STYLE) & LBS_MULTICOLUMN) {
        RECT client;
        GetClientRect(dis->hwndItem, &client);
        int height = (int)SendMessageW(dis->hwndItem, LB_GETITEMHEIGHT, 0, 0);
        int perColumn = height > 0 ? (client.bottom - client.top) / height : 0;
        if (perColumn > 0)
            place %= perColumn;
    }
    COLORREF back = selected ? GetSysColor(COLOR_HIGHLIGHT) : TheApp().BackColor(place & 1);
    COLORREF fore = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    SetBkColor(dc, back);
    SetTextColor(dc, fore);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    ExtTextOutW(dc, rc.left, rc.top, ETO_OPAQUE, &rc, L"", 0, nullptr);
    std::wstring name = row.dir && TheApp().DirBrackets() ? L"[" + row.name + L"]" : row.name;
    std::vector<std::wstring> cols = {name};
    if (!(GetWindowLongW(dis->hwndItem, GWL_STYLE) & LBS_MULTICOLUMN)) {
        cols.push_back(row.dir ? L"<DIR>" : std::to_wstring(row.size));
        std::vector<std::wstring> split = SplitRow(text);
        size_t marker = text.find(L" >");
        if (marker == std::wstring::npos && split.size() > 2)
            cols.push_back(split[2]);
        else if (marker != std::wstring::npos && text.find(L' ', marker + 2) != std::wstring::npos)
            cols.push_back(text.substr(text.find(L' ', marker + 2) + 1));
    }
    // Columns: name, size, date at fixed fractions of the width.
    int w = rc.right - rc.left;
    const int at[3] = {2, w * 55 / 100, w * 72 / 100};
    for (size_t i = 0; i < cols.size(); ++i) {
        RECT clip = {rc.left + at[i], rc.top, i + 1 < cols.size() ? rc.left + at[i + 1] - 4 : rc.right, rc.bottom};
        ExtTextOutW(dc, clip.left, rc.top + 1, ETO_CLIPPED, &clip, cols[i].c_str(), (UINT)cols[i].size(), nullptr);
    }
    if (dis->itemState & ODS_FOCUS)
        DrawFocusRect(dc, &rc);
    SelectObject(dc, old);
}

void CTCPanel::DrawComboItem(const DRAWITEMSTRUCT* dis)
{
    bool selected = (dis->itemState & ODS_SELECTED) != 0;
    HDC dc = dis->hDC;
    std::wstring text;
    int len = (int)SendMessageW(dis->hwndItem, CB_GETLBTEXTLEN, dis->itemID, 0);
    if (len > 0) {
        text.assign(len + 1, L'\0');
        SendMessageW(dis->hwndItem, CB_GETLBTEXT, dis->itemID, (LPARAM)&text[0]);
        text.resize(wcsnlen(text.c_str(), len));
    }
    SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const RECT& rc = dis->rcItem;
    ExtTextOutW(dc, rc.left + 2, rc.top + 1, ETO_OPAQUE | ETO_CLIPPED, &rc, text.c_str(), (UINT)text.size(), nullptr);
    if (dis->itemState & ODS_FOCUS)
        DrawFocusRect(dc, &rc);
    SelectObject(dc, old);
}
