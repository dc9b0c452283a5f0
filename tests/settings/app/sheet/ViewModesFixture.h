// The View Modes page on the sheet over a fixture installation, driven as a
// user drives it: list entries dragged and renamed by posted messages,
// boxes typed into, buttons clicked.
#pragma once

#include <string>
#include "Resource.h"
#include "SheetFixture.h"
#include "ViewModesPage.h"

class CModesFixture
{
public:
    // hostIni, when given, replaces the host's INI before the page shows.
    CModesFixture(LPCWSTR name, const std::string& ini, const std::string& hostIni = std::string())
        : f(name, CStringArray(), ini)
    {
        if (!hostIni.empty())
            f.files.WriteHost(L"wincmd.ini", hostIni);
        page = static_cast<CViewModes*>(f.sheet->FindPage(IDD_VIEW_MODES));
        f.sheet->SetActivePage(page);
        list = &page->GetList();
        h = list->GetItemHeight(0);
    }

    void Pump() { PumpFor(0); }
    void Select(int index)
    {
        list->SetCurSel(index);
        page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MODE_LIST, LBN_SELCHANGE), (LPARAM)list->m_hWnd);
    }
    void Type(int id, LPCWSTR text) { page->SetDlgItemText(id, text); }
    void Click(int id, int check = -1)
    {
        HWND control = page->GetDlgItemHwnd(id);
        if (check >= 0)
            SendMessageW(control, BM_SETCHECK, check, 0);
        page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)control);
    }
    bool Enabled(int id) { return IsWindowEnabled(page->GetDlgItemHwnd(id)) != FALSE; }
    void Mouse(UINT message, int y)
    {
        list->PostMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(60, (WORD)(short)y));
        Pump();
    }
    int RowY(int index) { return (index - list->GetTopIndex()) * h + h / 2; }
    void Drag(int from, int to)
    {
        Mouse(WM_LBUTTONDOWN, RowY(from));
        Mouse(WM_MOUSEMOVE, RowY(to));
        Mouse(WM_LBUTTONUP, RowY(to));
    }
    void Rename(int index, LPCWSTR name)
    {
        list->SetCurSel(index);
        list->PostMessage(WM_KEYUP, VK_F2, 0);
        Pump();
        list->GetEditor().SetWindowText(name);
        list->GetEditor().PostMessage(WM_KEYDOWN, VK_RETURN, 0);
        Pump();
    }
    std::string Listed()
    {
        std::string names;
        for (int i = 0; i < list->GetCount(); ++i) {
            CString text;
            list->GetText(i, text);
            names += Narrow(text) + (list->GetItemData(i) ? "*" : "") + ",";
        }
        return names;
    }
    std::string Section(const char* name) { return CModelFiles::Section(f.files.OwnIni(), name); }
    // The keys of a section in file order, "a,b,".
    std::string Keys(const char* name)
    {
        std::string keys, lines = Section(name);
        for (size_t at = 0; at < lines.size();) {
            size_t end = lines.find("\r\n", at);
            keys += lines.substr(at, lines.find('=', at) - at) + ",";
            at = end == std::string::npos ? lines.size() : end + 2;
        }
        return keys;
    }

    CSheetFixture f;
    CViewModes* page = nullptr;
    CDDListBox* list = nullptr;
    int h = 16;
};
