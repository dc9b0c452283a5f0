#include "ConfigDlg.h"
#include "ConfigDlgIds.h"
#include "EngineContext.h"
#include "Framework.h"
#include "ProfileFile.h"

namespace {

// The sticky names read per folder, as the file lists read them.
const int StickyKeyLimit = 100;
// Passes of "delete all" before it gives up on a file that keeps sections.
const int DeletePasses = 8;

struct ButtonRow {
    UINT icon;
    UINT control;
    LPCWSTR tip; // built-in tooltip
    int textId;  // engine text that replaces it
};

const ButtonRow Buttons[StickyButtonCount] = {
    {IDI_STICKY_SAVE, IDC_STICKY_SAVE, L"Save stickers", 33},
    {IDI_STICKY_UP, IDC_STICKY_UP, L"Move sticker up", 34},
    {IDI_STICKY_DOWN, IDC_STICKY_DOWN, L"Move sticker down", 35},
    {IDI_STICKY_DELETE, IDC_STICKY_DELETE, L"Delete selected sticker", 36},
    {IDI_STICKY_DELETE_FOLDER, IDC_STICKY_DELETE_FOLDER, L"Delete sticker in the current folder", 37},
    {IDI_STICKY_DELETE_EVERY, IDC_STICKY_DELETE_EVERY, L"Delete all stickers", 38},
};

// List images: file, folder, missing.
enum { ImageFile = 0, ImageFolder = 1, ImageMissing = 2 };

int ImageOf(const CString& path)
{
    DWORD attributes = ::GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ImageMissing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ImageFolder : ImageFile;
}

} // namespace

std::vector<CString> ReadSectionNames(LPCWSTR file)
{
    std::vector<CString> names;
    // A result of size - 2 means the names did not fit.
    for (DWORD size = 32768;; size *= 2) {
        std::vector<WCHAR> buffer(size);
        DWORD length = ::GetPrivateProfileSectionNamesW(buffer.data(), size, file);
        if (length + 2 >= size && size < (1u << 26))
            continue;
        for (LPCWSTR name = buffer.data(); name < buffer.data() + length && *name; name += lstrlenW(name) + 1)
            names.push_back(name);
        return names;
    }
}

bool DeleteEverySection(LPCWSTR file)
{
    for (int pass = 0; pass < DeletePasses; ++pass) {
        std::vector<CString> names = ReadSectionNames(file);
        if (names.empty())
            return true;
        for (const CString& name : names)
            ::WritePrivateProfileStringW(name, nullptr, nullptr, file);
    }
    return ReadSectionNames(file).empty();
}

LRESULT CStickyList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN) && (::GetKeyState(VK_SHIFT) & 0x8000)) {
        NMLVKEYDOWN key = {};
        key.hdr.hwndFrom = m_hWnd;
        key.hdr.idFrom = ::GetDlgCtrlID(m_hWnd);
        key.hdr.code = LVN_KEYDOWN;
        key.wVKey = WORD(wParam);
        ::SendMessageW(::GetParent(m_hWnd), WM_NOTIFY, key.hdr.idFrom, (LPARAM)&key);
        return 0;
    }
    return CListCtrl::WindowProc(message, wParam, lParam);
}

CConfigDlg::CConfigDlg(CEngineContext& engine, HWND owner)
    : CDialog(IDD_STICKY_CONFIG), m_engine(engine), m_ownerWnd(owner)
{
    if (owner)
        m_pParentWnd = &m_ownerWnd;
}

CConfigDlg::~CConfigDlg()
{
    for (HICON icon : m_icons)
        ::DestroyIcon(icon);
}

CString CConfigDlg::Text(int id, LPCWSTR fallback) const
{
    CString text = m_engine.LoadText(id);
    return text.IsEmpty() ? CString(fallback) : text;
}

BOOL CConfigDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    HINSTANCE module = m_engine.EngineInstance();
    HICON small = (HICON)::LoadImageW(module, MAKEINTRESOURCEW(IDI_STICKY_DIALOG), IMAGE_ICON, 16, 16, 0);
    if (small) {
        m_icons.push_back(small);
        SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)small);
    }
    SetWindowText(Text(30, L"Stick Files on Top"));
    SetDlgItemText(IDC_STICKY_LABEL, Text(31, L"Sticky Files in Folder"));
    SetDlgItemText(IDCANCEL, Text(32, L"Cancel"));

    m_list.SubclassDlgItem(IDC_STICKY_LIST, this);
    m_folders.SubclassDlgItem(IDC_STICKY_FOLDERS, this);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES);
    m_list.InsertColumn(0, Text(39, L"Type"));
    m_list.InsertColumn(1, Text(40, L"File name"));

    FillFolders();
    FillList();
    UpdateButtons(0);

    if (m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 0)) {
        for (UINT id : {IDI_STICKY_FILE, IDI_STICKY_FOLDER, IDI_STICKY_MISSING}) {
            HICON icon = (HICON)::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0);
            m_images.Add(icon);
            if (icon)
                ::DestroyIcon(icon);
        }
        m_list.SetImageList(&m_images, LVSIL_SMALL);
    }
    for (int row = 0; row < StickyButtonCount; ++row) {
        const ButtonRow& button = Buttons[row];
        m_buttons[row].SubclassDlgItem(button.control, this);
        if (!m_tips[row].Create(this))
            continue;
        m_tips[row].AddTool(&m_buttons[row], Text(button.textId, button.tip));
        m_tips[row].Activate(TRUE);
        m_hasTip[row] = true;
        HICON icon = (HICON)::LoadImageW(module, MAKEINTRESOURCEW(button.icon), IMAGE_ICON, 16, 16, 0);
        if (icon) {
            m_icons.push_back(icon);
            m_buttons[row].SetIcon(icon);
        }
    }
    m_list.SetFocus();
    return FALSE; // the focus is set
}

BOOL CConfigDlg::PreTranslateMessage(MSG* pMsg)
{
    for (int row = 0; row < StickyButtonCount; ++row)
        if (m_hasTip[row])
            m_tips[row].RelayEvent(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CConfigDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT code = HIWORD(wParam);
    switch (LOWORD(wParam)) {
    case IDC_STICKY_UP:
        if (code == BN_CLICKED)
            OnMove(-1);
        return TRUE;
    case IDC_STICKY_DOWN:
        if (code == BN_CLICKED)
            OnMove(1);
        return TRUE;
    case IDC_STICKY_DELETE:
        if (code == BN_CLICKED)
            OnDeleteSelected();
        return TRUE;
    case IDC_STICKY_SAVE:
        if (code == BN_CLICKED)
            OnSave();
        return TRUE;
    case IDC_STICKY_DELETE_FOLDER:
        if (code == BN_CLICKED)
            OnDeleteFolder();
        return TRUE;
    case IDC_STICKY_DELETE_EVERY:
        if (code == BN_CLICKED)
            OnDeleteEvery();
        return TRUE;
    case IDC_STICKY_FOLDERS:
        if (code == CBN_SELCHANGE)
            OnChangeFolder();
        return TRUE;
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

BOOL CConfigDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || header->idFrom != IDC_STICKY_LIST)
        return CDialog::OnNotify(wParam, lParam, pResult);
    switch (header->code) {
    case LVN_KEYDOWN:
        OnListKeyDown(reinterpret_cast<const NMLVKEYDOWN*>(lParam));
        return TRUE;
    case LVN_ITEMCHANGED:
        if (reinterpret_cast<const NMLISTVIEW*>(lParam)->uChanged & LVIF_STATE)
            UpdateButtons(m_modified);
        return TRUE;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
}

void CConfigDlg::OnListKeyDown(const NMLVKEYDOWN* key)
{
    bool shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (shift && key->wVKey == VK_UP)
        OnMove(-1); // also with sorting on
    else if (shift && key->wVKey == VK_DOWN)
        OnMove(1);
    else if (!shift && key->wVKey == VK_DELETE)
        OnDeleteSelected();
}

void CConfigDlg::FillFolders()
{
    m_folders.ResetContent();
    for (const CString& name : ReadSectionNames(m_stickyFile))
        m_folders.AddString(name);
    int count = m_folders.GetCount();
    if (count <= 0)
        return;
    int chosen = 0;
    for (int i = 0; i < count; ++i) {
        CString name;
        m_folders.GetLBText(i, name);
        if (name.Compare(m_preselect) == 0) { // exactly: the combo's search ignores case
            chosen = i;
            break;
        }
    }
    m_folders.SetCurSel(chosen);
}

void CConfigDlg::FillList()
{
    m_list.DeleteAllItems();
    m_names.Clear();
    m_folder.Empty();
    int selected = m_folders.GetCurSel();
    if (selected < 0)
        return;
    m_folders.GetLBText(selected, m_folder);
    std::vector<CString> names;
    ReadNumberedSection(m_stickyFile, m_folder, StickyKeyLimit, names);
    for (const CString& name : names)
        m_names.Add(name);
    if (m_sort) {
        m_names.SetFolder(m_folder);
        m_names.Sort(TRUE);
    }
    for (int i = 0; i < (int)m_names.GetSize(); ++i) {
        int item = m_list.InsertItem(i, L"", ImageOf(m_folder + L"\\" + m_names[i]));
        m_list.SetItemText(item, 1, m_names[i]);
    }
    m_list.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
    m_list.SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER);
    Select(0);
}

int CConfigDlg::Selected() const
{
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

void CConfigDlg::Select(int item)
{
    if (item < 0 || item >= m_list.GetItemCount())
        return;
    m_list.SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.EnsureVisible(item, FALSE);
}

void CConfigDlg::UpdateButtons(int modified)
{
    m_modified = modified;
    int selected = Selected();
    int count = m_list.GetItemCount();
    // Moving and deleting one item need a selected item.
    ::EnableWindow(GetDlgItemHwnd(IDC_STICKY_SAVE), modified == 1);
    ::EnableWindow(GetDlgItemHwnd(IDC_STICKY_UP), !m_sort && selected >= 1);
    ::EnableWindow(GetDlgItemHwnd(IDC_STICKY_DOWN), !m_sort && selected >= 0 && selected < count - 1);
    ::EnableWindow(GetDlgItemHwnd(IDC_STICKY_DELETE), selected >= 0);
    ::EnableWindow(GetDlgItemHwnd(IDC_STICKY_DELETE_FOLDER), count > 0);
    ::EnableWindow(GetDlgItemHwnd(IDC_STICKY_DELETE_EVERY), TRUE);
}

void CConfigDlg::OnMove(int delta)
{
    int from = Selected();
    int to = from + delta;
    if (from < 0 || to < 0 || to >= m_list.GetItemCount())
        return;
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = from;
    m_list.GetItem(&item);
    CString name = m_list.GetItemText(from, 1);
    m_list.DeleteItem(from);
    int moved = m_list.InsertItem(to, L"", item.iImage);
    m_list.SetItemText(moved, 1, name);
    Select(moved);
    UpdateButtons(1);
}

void CConfigDlg::OnDeleteSelected()
{
    int selected = Selected();
    if (selected < 0)
        return;
    m_list.DeleteItem(selected);
    int count = m_list.GetItemCount();
    Select(selected < count ? selected : count - 1);
    UpdateButtons(1);
}

void CConfigDlg::OnDeleteFolder()
{
    m_list.DeleteAllItems();
    UpdateButtons(1);
}

void CConfigDlg::OnSave()
{
    Save(true);
}

void CConfigDlg::Save(bool removeEmptied)
{
    if (m_folder.IsEmpty())
        return;
    std::vector<CString> names;
    m_names.Clear();
    for (int i = 0; i < m_list.GetItemCount(); ++i) {
        names.push_back(m_list.GetItemText(i, 1));
        m_names.Add(names.back());
    }
    if (!names.empty() && !ProfileFileExists(m_stickyFile))
        CreateUnicodeProfile(m_stickyFile);
    WriteNumberedSection(m_stickyFile, m_folder, names);
    if (removeEmptied && names.empty()) {
        for (int i = 0; i < m_folders.GetCount(); ++i) {
            CString name;
            m_folders.GetLBText(i, name);
            if (name.Compare(m_folder) == 0) {
                m_folders.DeleteString(i);
                m_folders.SetCurSel(i > 0 ? i - 1 : 0);
                break;
            }
        }
        FillList();
    }
    UpdateButtons(0);
}

int CConfigDlg::Ask(int textId, LPCWSTR fallback)
{
    return AfxGetPromptService().MessageBox(m_hWnd, Text(textId, fallback), L"Merovin", MB_YESNO | MB_ICONQUESTION);
}

void CConfigDlg::OnChangeFolder()
{
    // The combo box already shows the new folder; a Yes saves the list
    // under the folder it came from.
    if (m_modified && Ask(42, L"Save changes?") == IDYES)
        Save(false);
    FillList();
    UpdateButtons(0);
}

void CConfigDlg::OnDeleteEvery()
{
    if (Ask(41, L"Do You really want to delete all sticks in all folders? This action is irreversible.") != IDYES)
        return;
    if (DeleteEverySection(m_stickyFile)) {
        EndDialog(IDOK);
        return;
    }
    // Something kept its section (a read-only file): show what is left.
    AfxMessageBeep(MB_ICONEXCLAMATION);
    FillFolders();
    FillList();
    UpdateButtons(0);
}

void CConfigDlg::OnOK()
{
    if (m_modified)
        Save(false);
    EndDialog(IDOK);
}
