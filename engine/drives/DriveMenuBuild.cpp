// The drive menu's content: drives, group titles, special folders, FTP
// connections, client shares, portable devices and user commands.
#include "MyCombo.h"
#include <shlobj.h>
#include "EngineContext.h"
#include "EngineHelpers.h"
#include "HostIniRedirect.h"
#include "IniSection.h"
#include "HostTreeSnapshot.h"
#include "HotkeyTable.h"
#include "IconMenu.h"

namespace {

// SHGetFileInfoW: small icon, system index and display name (without
// SHGFI_ICONLOCATION, which writes the icon's file over the display name).
const UINT DriveInfoFlags = SHGFI_SYSICONINDEX | SHGFI_DISPLAYNAME | SHGFI_ICON | SHGFI_SMALLICON;

struct DriveGroup {
    UINT type;
    int title; // engine text, 0 none
};
const DriveGroup DriveGroups[5] = {{DRIVE_FIXED, 0}, {DRIVE_REMOVABLE, 10}, {DRIVE_CDROM, 12},
                                   {DRIVE_RAMDISK, 13}, {DRIVE_REMOTE, 11}};
const int NetworkGroup = 4;

int GroupOfType(UINT type)
{
    for (int g = 0; g < 5; ++g)
        if (DriveGroups[g].type == type)
            return g;
    return -1;
}

struct SpecialFolder {
    WCHAR letter;
    int csidl;
    int name; // engine text
};
const SpecialFolder SpecialFolders[3] = {{L'+', CSIDL_DRIVES, 17}, {L'*', CSIDL_PERSONAL, 18},
                                         {L'\\', CSIDL_NETWORK, 14}};
const int NetworkRow = 2;

class CTicker {
public:
    explicit CTicker(LPCWSTR name, int number = 0) : m_name(name), m_number(number), m_start(GetTickCount()) {}
    ~CTicker()
    {
        DWORD spent = GetTickCount() - m_start;
        if (spent) {
            CString line;
            line.Format(L"Ticker %s(%d) - %d msec\n", m_name.GetString(), m_number, int(spent));
            OutputDebugStringW(line);
        }
    }

private:
    CString m_name;
    int m_number;
    DWORD m_start;
};

} // namespace

void CMyCombo::BuildDriveMenu(CIconMenu& menu)
{
    menu.SetColors(m_colors);
    menu.SetIconSize(GetSystemMetrics(SM_CXSMICON));
    menu.SetNoIcons((m_style & DriveListNoIcons) ? TRUE : FALSE);
    ReadComboLetters();
    m_drives.Refresh();
    DWORD mask = m_drives.DriveMask();
    CString line;
    DWORD start = GetTickCount();
    if (m_alphabetic)
        BuildAlphabeticList(menu, mask);
    else
        BuildCategorizedList(menu, mask);
    line.Format(L"Build drv list in %d msec\n", int(GetTickCount() - start));
    OutputDebugStringW(line);
    start = GetTickCount();
    AddFtpItems(menu);
    AddRemoteClientItems(menu);
    if (!m_alphabetic)
        AddSpecialFolderGroup(menu);
    AddPortableDevices(menu);
    AddUserCommands(menu);
    line.Format(L"Build FTP list in %d msec\n", int(GetTickCount() - start));
    OutputDebugStringW(line);
}

void CMyCombo::AddIconItem(CIconMenu& menu, UINT id, LPCWSTR caption, HICON icon, bool own, UINT_PTR tag,
                           LPCWSTR data, UINT flags)
{
    if (own && icon) {
        m_menuIcons.push_back(icon);
        ++m_iconsMade;
    }
    IconMenuItem* item = new IconMenuItem;
    item->icon = icon;
    item->caption = caption;
    item->data = data;
    item->tag = tag;
    menu.InsertItem(id, item, flags);
}

void CMyCombo::BuildAlphabeticList(CIconMenu& menu, DWORD mask)
{
    CTicker ticker(L"DriveList");
    UINT id = 1;
    for (WCHAR letter = L'A'; letter <= L'Z'; ++letter) {
        if ((mask & (1u << (letter - L'A'))) && ComboIndex(letter) != -1) {
            WCHAR root[4] = {letter, L':', L'\\', 0};
            AddDriveItem(menu, letter, id++, false, GroupOfType(m_drives.DriveType(root)));
        }
    }
    AddSpecialFolders(menu, id, true);
}

void CMyCombo::BuildCategorizedList(CIconMenu& menu, DWORD mask)
{
    CTicker ticker(L"DriveList");
    CString letters[5];
    for (WCHAR letter = L'A'; letter <= L'Z'; ++letter) {
        if (!(mask & (1u << (letter - L'A'))) || ComboIndex(letter) == -1)
            continue;
        WCHAR root[4] = {letter, L':', L'\\', 0};
        int group = GroupOfType(m_drives.DriveType(root));
        if (group >= 0)
            letters[group] += letter;
    }
    UINT id = 1;
    for (int g = 0; g < 5; ++g) {
        if (g == NetworkGroup || (g > 0 && !letters[g].IsEmpty()))
            AddIconItem(menu, id++, Text(DriveGroups[g].title), nullptr, false, 0, L"", MF_SEPARATOR);
        if (g == NetworkGroup)
            AddSpecialFolderItem(menu, NetworkRow, id++);
        for (int i = 0; i < letters[g].GetLength(); ++i)
            AddDriveItem(menu, letters[g][i], id++, true, g);
    }
}

void CMyCombo::AddDriveItem(CIconMenu& menu, WCHAR letter, UINT id, bool categorised, int group)
{
    WCHAR root[4] = {letter, L':', L'\\', 0};
    CTicker ticker(root);
    UINT type = m_drives.DriveType(root);
    HICON shellIcon = nullptr;
    CString name = DriveDisplayName(root, type, shellIcon);
    HICON icon = nullptr;
    if ((m_style & DriveListCustomIcons) && group >= 0)
        icon = CustomIcon(group == 1 && (letter == L'A' || letter == L'B') ? 5 : group);
    CString freeSpace;
    ULARGE_INTEGER freeBytes = {}, totalBytes = {};
    if (ShowsFreeSpace(type, letter, categorised) && GetDiskFreeSpaceExW(root, &freeBytes, &totalBytes, nullptr))
        freeSpace = FreeSpaceText(freeBytes.QuadPart, totalBytes.QuadPart, m_units);
    CString caption;
    caption.Format(L"%c - %s%s", letter, name.GetString(), freeSpace.GetString());
    // The shell's icon is the build's to destroy, also when a custom icon is shown.
    if (icon && shellIcon) {
        m_menuIcons.push_back(shellIcon);
        ++m_iconsMade;
        shellIcon = nullptr;
    }
    AddIconItem(menu, id, caption, icon ? icon : shellIcon, icon == nullptr, UINT_PTR(ComboIndex(letter)));
}

CString CMyCombo::DriveDisplayName(LPCWSTR root, UINT type, HICON& icon)
{
    SHFILEINFOW info = {};
    icon = nullptr;
    if (!m_sources->FileInfo(root, info, DriveInfoFlags))
        return L"Unknown Drive";
    icon = info.hIcon;
    int value = m_sources->ShowDriveLettersFirst();
    CString name = info.szDisplayName;
    return value < 0 ? name : DriveNameForSetting(name, value, type);
}

HICON CMyCombo::FolderIcon(int csidl, CString* name)
{
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(SHGetFolderLocation(::GetParent(m_hWnd), csidl, nullptr, 0, &pidl)) || !pidl)
        return nullptr;
    SHFILEINFOW info = {};
    HICON icon = nullptr;
    if (m_sources->FileInfo(reinterpret_cast<LPCWSTR>(pidl), info, DriveInfoFlags | SHGFI_PIDL)) {
        icon = info.hIcon;
        if (name)
            *name = info.szDisplayName;
    }
    CoTaskMemFree(pidl);
    return icon;
}

void CMyCombo::AddSpecialFolderItem(CIconMenu& menu, int row, UINT id)
{
    const SpecialFolder& folder = SpecialFolders[row];
    HICON shellIcon = FolderIcon(folder.csidl, nullptr);
    HICON custom = CustomIcon(7 + row);
    if (custom && shellIcon) {
        m_menuIcons.push_back(shellIcon);
        ++m_iconsMade;
    }
    CString caption;
    caption.Format(L"%c - %s", folder.letter, Text(folder.name).GetString());
    AddIconItem(menu, id, caption, custom ? custom : shellIcon, custom == nullptr,
                UINT_PTR(ComboIndex(folder.letter)));
}

int CMyCombo::AddSpecialFolders(CIconMenu& menu, UINT firstId, bool withNetwork)
{
    int added = 0;
    for (int row = 0; row < 3; ++row) {
        if ((row == NetworkRow && !withNetwork) || ComboIndex(SpecialFolders[row].letter) == -1)
            continue;
        AddSpecialFolderItem(menu, row, firstId + UINT(added++));
    }
    return added;
}

void CMyCombo::AddSpecialFolderGroup(CIconMenu& menu)
{
    if (ComboIndex(L'+') == -1 && ComboIndex(L'*') == -1)
        return;
    int count = menu.GetItemCount();
    AddIconItem(menu, UINT(count + 1), Text(16), nullptr, false, 0, L"", MF_SEPARATOR);
    AddSpecialFolders(menu, UINT(count + 2), false);
}

void CMyCombo::AddFtpItems(CIconMenu& menu)
{
    HWND log = m_engine.Tree().ftpLogList;
    if (!log || !::IsWindow(log))
        return;
    CTicker ticker(L"CheckFTPList");
    UINT id = UINT(menu.GetItemCount() + 1);
    FtpSlots slots;
    int lines = int(::SendMessageW(log, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < lines; ++i) {
        int length = int(::SendMessageW(log, LB_GETTEXTLEN, WPARAM(i), 0));
        if (length <= 0)
            continue;
        std::vector<WCHAR> text(size_t(length) + 1, 0);
        ::SendMessageW(log, LB_GETTEXT, WPARAM(i), LPARAM(text.data()));
        slots.ReadLine(text.data());
    }
    HICON computer = nullptr;
    // Every entry is looked at: an entry with empty text left no letter, and
    // connections may follow it.
    for (int i = 0; i < 49; ++i) {
        WCHAR digit = m_comboLetters[i];
        if (!iswdigit(digit) || slots.host[digit - L'0'].IsEmpty())
            continue;
        HICON icon = CustomIcon(6);
        bool own = false;
        if (!icon) {
            // Each item gets its own copy: every item's icon is destroyed once.
            if (!computer)
                computer = FolderIcon(CSIDL_DRIVES, nullptr);
            icon = computer ? CopyIcon(computer) : nullptr;
            own = true;
        }
        CString caption;
        caption.Format(L"%c - FTP on %s", digit, slots.host[digit - L'0'].GetString());
        AddIconItem(menu, id++, caption, icon, own, UINT_PTR(ComboIndex(digit)));
    }
    if (computer)
        DestroyIcon(computer);
}

void CMyCombo::AddRemoteClientItems(CIconMenu& menu)
{
    m_shareNames.RemoveAll();
    m_shareBase = 0;
    if (!m_sources->RemoteSession())
        return;
    CTicker ticker(L"CheckTSClient");
    CStringArray found;
    m_sources->ClientShares(found);
    for (INT_PTR i = 0; i < found.GetSize(); ++i) {
        INT_PTR at = 0;
        while (at < m_shareNames.GetSize() && m_shareNames[at].CompareNoCase(found[i]) <= 0)
            ++at;
        m_shareNames.InsertAt(at, found[i]);
    }
    if (m_shareNames.GetSize() == 0)
        return;
    m_shareBase = DriveMenuShareFirst;
    CIconMenu* submenu = new CIconMenu;
    submenu->SetNoIcons((m_style & DriveListNoIcons) ? TRUE : FALSE);
    submenu->SetColors(m_colors);
    submenu->SetIconSize(GetSystemMetrics(SM_CXSMICON));
    for (INT_PTR i = 0; i < m_shareNames.GetSize() && DriveMenuShareFirst + i <= DriveMenuShareLast; ++i)
        AddIconItem(*submenu, UINT(DriveMenuShareFirst + i), m_shareNames[i], nullptr, false, 0);
    WCHAR caption[261] = {};
    ReadHostIniString(L"Configuration", L"tsclient", L"TS Client", caption, 261, m_engine.Paths().hostIni);
    if (!menu.AddSubmenu(submenu, caption))
        delete submenu; // not taken: still ours
}

void CMyCombo::AddPortableDevices(CIconMenu& menu)
{
    int count = m_devices.EnumPortableDevices();
    if (count <= 0)
        return;
    AddIconItem(menu, DriveMenuDeviceTitle, Text(19), nullptr, false, 0, L"", MF_SEPARATOR);
    for (int i = 0; i < count; ++i) {
        const CWPDDevice* device = m_devices.GetAt(i);
        HICON custom = CustomIcon(10);
        AddIconItem(menu, DriveMenuDeviceTitle + 1 + UINT(i), device->friendlyName, custom ? custom : device->icon,
                    false, 0, device->shellPath);
    }
}

void CMyCombo::AddUserCommands(CIconMenu& menu)
{
    if (!(m_style & DriveListUserCommands))
        return;
    const CString& file = m_engine.Paths().userCmdIni;
    if (file.IsEmpty())
        return;
    std::vector<WCHAR> names(65536, 0);
    DWORD length = GetPrivateProfileSectionNamesW(names.data(), DWORD(names.size()), file);
    UINT id = DriveMenuCommandFirst;
    bool separated = false;
    for (LPCWSTR name = names.data(); name < names.data() + length && *name && id <= DriveMenuCommandLast;
         name += wcslen(name) + 1) {
        if (_wcsnicmp(name, L"em_mvdl_", 8) != 0)
            continue;
        // One read per section: the profile functions read the file each call.
        CIniSection section(1025);
        section.Load(name, file);
        CString button = section.Text(L"Button");
        HICON icon = button.IsEmpty() ? nullptr : IconFromText(button, m_engine.Host().extractIcons);
        CString caption = section.Text(L"Menu");
        int bar = caption.Find(L'|');
        if (bar >= 0) {
            AddIconItem(menu, 0, caption.Left(bar), nullptr, false, 0, L"", MF_SEPARATOR);
            caption = caption.Mid(bar + 1);
            separated = true;
        } else if (!separated) {
            AddIconItem(menu, 0, L"", nullptr, false, 0, L"", MF_SEPARATOR);
            separated = true;
        }
        LPCWSTR hotkey = m_engine.Hotkeys().HotkeyTextOfCommand(name);
        if (caption.IsEmpty())
            caption = name;
        if (hotkey && hotkey[0])
            caption += CString(L"\t") + hotkey;
        AddIconItem(menu, id++, caption, icon, true, 0, name);
    }
}
