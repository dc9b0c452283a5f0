// CMainSheet: set-up, page table, captions, OK/Apply, help, tree check
// boxes and command visits.
#include "MainSheet.h"
#include "KeyPage.h"
#include "DriveListPage.h"
#include "MarkPage.h"
#include "AboutPage.h"
#include "AutoViewPage.h"
#include "FilePanelsPage.h"
#include "MiscPage.h"
#include "PluginPage.h"
#include "TabPage.h"
#include "ViewModesPage.h"
#include "Prompt.h"
#include "Resource.h"
#include "WinApp.h"
#include "ModelTexts.h"
#include "SettingsModel.h"
#include "SystemErrorText.h"
#include <shellapi.h>

namespace {

// The pages in the order they are added; the dialog id is the caption's text id.
const UINT kPageTable[] = {
    IDD_KEYBOARD,  IDD_FILE_PANELS, IDD_TAB_OPTIONS, IDD_DRIVE_LIST, IDD_STICKY_FILES, IDD_BOOKMARKS,
    IDD_AUTO_SWITCH, IDD_VIEW_MODES, IDD_PLUGINS,  IDD_MISCELLANEOUS, IDD_ABOUT,
};

UINT TemplateId(const CPropertyPage* pPage)
{
    return pPage && IS_INTRESOURCE(pPage->m_lpszTemplateName) ? (UINT)(UINT_PTR)pPage->m_lpszTemplateName : 0;
}

INT_PTR ShellOpen(LPCWSTR lpszFile)
{
    return (INT_PTR)::ShellExecuteW(nullptr, L"open", lpszFile, nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace

CString ReadmePath(LPCWSTR lpszOwnFolder, LPCWSTR lpszLocalizationFile)
{
    CString localization(lpszLocalizationFile);
    CString suffix;
    int dot = localization.ReverseFind(L'.');
    if (dot >= 0) {
        int slash = localization.ReverseFind(L'\\');
        suffix = L"_" + localization.Mid(slash + 1, dot > slash ? dot - slash - 1 : 0);
    }
    CString path;
    path.Format(L"%s\\Readme%s.html", lpszOwnFolder, (LPCWSTR)suffix);
    return path;
}

CMainSheet::CMainSheet(CSettingsModel& model)
    : CTreePropSheetBase(model.m_strTitle), m_openDocument(ShellOpen), m_model(model),
      m_startup(model.m_strStartupSequence)
{
    HINSTANCE resources = AfxGetResourceHandle();
    m_hIconBig = (HICON)::LoadImageW(resources, MAKEINTRESOURCEW(IDI_MEROVSET), IMAGE_ICON,
                                     ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), LR_SHARED);
    m_hIconSmall = (HICON)::LoadImageW(resources, MAKEINTRESOURCEW(IDI_MEROVSET), IMAGE_ICON,
                                       ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED);
    SetPageTreeWidth(200);
    SetTreeViewMode(TRUE, TRUE, TRUE);
    // Dropped again unless the bitmap holds exactly the two pictures.
    SetTreeDefaultImages(IDB_TREE_IMAGES, 16, RGB(255, 255, 255));
    for (UINT id : kPageTable) {
        std::unique_ptr<CPropertyPage> page;
        if (id == IDD_KEYBOARD) {
            m_pKeyPage = new CKeyPage(model, m_startup, this);
            page.reset(m_pKeyPage);
        } else if (id == IDD_PLUGINS) {
            m_pPluginPage = new CPluginPage(model, this);
            page.reset(m_pPluginPage);
        } else if (id == IDD_ABOUT) {
            page.reset(new CAboutPage);
        } else if (id == IDD_TAB_OPTIONS) {
            page.reset(new CTabPage(model));
        } else if (id == IDD_DRIVE_LIST) {
            page.reset(new CDriveListPage(model));
        } else if (id == IDD_STICKY_FILES) {
            page.reset(new CStickyFilesPage(model, this));
        } else if (id == IDD_BOOKMARKS) {
            page.reset(new CBookmarksPage(model, this));
        } else if (id == IDD_MISCELLANEOUS) {
            page.reset(new CMiscPage(model, m_startup));
        } else if (id == IDD_FILE_PANELS) {
            page.reset(new CFilePanelsPage(model));
        } else if (id == IDD_VIEW_MODES) {
            page.reset(new CViewModes(model));
        } else if (id == IDD_AUTO_SWITCH) {
            page.reset(new CAutoViewPage(model));
        }
        AddPage(page.get());
        m_pages.push_back(std::move(page));
    }
    SetAutoExpandTree(TRUE);
}

CMainSheet::~CMainSheet()
{
}

CPropertyPage* CMainSheet::FindPage(UINT nIDTemplate) const
{
    for (const auto& page : m_pages) {
        if (TemplateId(page.get()) == nIDTemplate)
            return page.get();
    }
    return nullptr;
}

void CMainSheet::OnSheetInitialized()
{
    // Captions from the localisation file, where it names them.
    HWND tab = GetTabControl();
    for (int i = 0; i < TabCtrl_GetItemCount(tab) && i < GetPageCount(); ++i) {
        CString caption = m_model.m_localizer.LoadLocalizedString(TemplateId(GetPage(i)));
        if (caption.IsEmpty())
            continue;
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPWSTR>(caption.GetString());
        TabCtrl_SetItem(tab, i, &item);
    }
}

BOOL CMainSheet::OnInitDialog()
{
    BOOL result = CTreePropSheetBase::OnInitDialog();
    if (GetPageTreeControl())
        GetPageTreeControl()->ModifyStyle(TVS_HASLINES, 0);
    SetIcon(m_hIconBig, TRUE);
    SetIcon(m_hIconSmall, FALSE);
    return result;
}

BOOL CMainSheet::ApplyAndBroadcast()
{
    CWriteReport& report = m_model.m_writeReport;
    report.Clear();
    SendMessage(PSM_APPLY);
    CIniHelper ini(m_model.m_strOwnIni);
    m_startup.Save(ini);
    report.Note(ini);
    m_model.m_strStartupSequence = m_startup.GetText();
    // Also after a failed write: the engines take what was written.
    // A settings path the system cannot name a message after gives 0:
    // nothing is broadcast then (never WM_NULL to every program).
    if (m_model.m_nReloadMessage) {
        DWORD recipients = BSM_APPLICATIONS;
        ::BroadcastSystemMessageW(BSF_POSTMESSAGE, &recipients, m_model.m_nReloadMessage, 0, 0);
    }
    if (!report.Failed())
        return TRUE;
    CString text = FormatLocalText(m_model.m_localizer.LoadLocalizedString(IDS_WRITE_FAILED), report.GetFile(),
                                   SystemErrorText(report.GetError()));
    AfxMessageBox(text, MB_OK | MB_ICONERROR);
    return FALSE;
}

void CMainSheet::ShowHelp()
{
    AfxMessageBox(m_model.m_localizer.LoadLocalizedString(IDS_HELP_TEXT), MB_OK | MB_ICONINFORMATION);
    CString page = ReadmePath(m_model.m_strOwnFolder, m_model.m_localizer.GetFile());
    CString plain = m_model.m_strOwnFolder + L"\\Readme.html";
    // The language's page missing: the plain one (never the same one twice).
    if (m_openDocument && m_openDocument(page) == SE_ERR_FNF && page != plain)
        m_openDocument(plain);
}

void CMainSheet::GoToCommand(LPCWSTR lpszCommand)
{
    CString name(lpszCommand);
    int set = -1;
    if (name.Left(3).CompareNoCase(L"cm_") == 0 || name.Left(3).CompareNoCase(L"em_") == 0) {
        set = 0;
    } else {
        for (int i = 0; i < m_model.m_ownList.GetCount() && set < 0; ++i) {
            if (m_model.m_ownList.GetAt(i).strName.CompareNoCase(name) == 0)
                set = 1;
        }
    }
    if (set >= 0 && m_pKeyPage) {
        SetActivePage(m_pKeyPage);
        m_pKeyPage->SelectCommand(set, name);
        return;
    }
    // A module command: its page edits it.
    if (m_model.m_holder.FindByCommand(name, SourceOwn) >= 0 && m_pPluginPage) {
        SetActivePage(m_pPluginPage);
        m_pPluginPage->SelectCommand(name);
        return;
    }
    AfxMessageBeep(MB_ICONASTERISK);
}

void CMainSheet::RefreshDuplicates()
{
    if (m_pKeyPage && m_pKeyPage->m_hWnd)
        m_pKeyPage->RefreshDuplicates();
    if (m_pPluginPage && m_pPluginPage->m_hWnd)
        m_pPluginPage->RefreshDuplicates();
}

BOOL CMainSheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDOK:
        // The sheet's own handling closes it, unless a write failed.
        return !ApplyAndBroadcast();
    case 0x3021:     // the Apply button
        ApplyAndBroadcast();
        return TRUE;
    case IDHELP:
        ShowHelp();
        return TRUE;
    }
    return CTreePropSheetBase::OnCommand(wParam, lParam);
}

BOOL CMainSheet::HasTreeItem(HTREEITEM hItem, HTREEITEM hFirst) const
{
    CTreeCtrl* tree = GetPageTreeControl();
    for (HTREEITEM h = hFirst; h; h = tree->GetNextSiblingItem(h)) {
        if (h == hItem || HasTreeItem(hItem, tree->GetChildItem(h)))
            return TRUE;
    }
    return FALSE;
}

LRESULT CMainSheet::OnTreeCheck(HTREEITEM hItem)
{
    CTreeCtrl* tree = GetPageTreeControl();
    // Only items of this tree, only pages, only items that show a check box.
    if (!tree || !hItem || !HasTreeItem(hItem, tree->GetRootItem()))
        return 0;
    INT_PTR page = (INT_PTR)tree->GetItemData(hItem);
    if (page < 0 || page >= GetPageCount())
        return 0;
    UINT state = tree->GetItemState(hItem, TVIS_STATEIMAGEMASK) >> 12;
    if (state != 1 && state != 2)
        return 0;
    if (page + 1 == GetPageCount()) {
        tree->SetCheck(hItem, TRUE); // the About page stays
        return 0;
    }
    BOOL checked = state == 2;
    SendMessage(GetEnablePageMessage(), (WPARAM)GetPage((int)page), checked);
    if (checked)
        SetActivePage((int)page);
    return 0;
}

BOOL CMainSheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* nm = reinterpret_cast<NMHDR*>(lParam);
    CTreeCtrl* tree = GetPageTreeControl();
    if (nm && tree && nm->hwndFrom == tree->m_hWnd) {
        if (nm->code == NM_CLICK) {
            DWORD pos = ::GetMessagePos();
            CPoint point((short)LOWORD(pos), (short)HIWORD(pos));
            tree->ScreenToClient(&point);
            UINT flags = 0;
            HTREEITEM item = tree->HitTest(point, &flags);
            if (item && (flags & TVHT_ONITEMSTATEICON))
                PostMessage(WMU_TREE_CHECK, 0, (LPARAM)item);
        } else if (nm->code == TVN_KEYDOWN && reinterpret_cast<NMTVKEYDOWN*>(lParam)->wVKey == VK_SPACE) {
            if (HTREEITEM item = tree->GetSelectedItem())
                PostMessage(WMU_TREE_CHECK, 0, (LPARAM)item);
        }
    }
    return CTreePropSheetBase::OnNotify(wParam, lParam, pResult);
}

LRESULT CMainSheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WMU_TREE_CHECK:
        return OnTreeCheck((HTREEITEM)lParam);
    case WM_HELP:
        PostMessage(WM_COMMAND, IDHELP, 0);
        return TRUE;
    }
    return CTreePropSheetBase::WindowProc(message, wParam, lParam);
}
