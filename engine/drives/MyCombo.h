// CMyCombo: the engine's object on the drive combo box of one side. With
// "DriveList" set it replaces the host's drop-down list by an icon menu of
// the drives (alphabetic or grouped by type, with icons and free space),
// the host's FTP connections, the remote-desktop client's shares, special
// folders, portable devices and the user's "em_mvdl_" commands. Choosing a
// drive selects its entry of the host's combo box and tells the host as if
// the user had picked it (100 ms later, when the menu and the host's list
// are gone); a folder or device is opened, a command run.
#pragma once
#include <windows.h>
#include <vector>
#include "PanelWnd.h"
#include "MenuColors.h"
#include "DriveInfo.h"
#include "DriveListSources.h"
#include "DriveListText.h"
#include "PortableDevices.h"

class CIconMenu;
struct IconMenuItem;

// Drive-list style flags.
enum DriveListStyle : UINT {
    DriveListAnyLanguage = 1, // typed non-Latin letters go through the keyboard layout
    DriveListNoIcons = 2,
    DriveListUserCommands = 4,
    DriveListCustomIcons = 8, // icons of "mvdl.icl" beside the engine
};

// Command ids of the menu's ranges.
const UINT DriveMenuShareFirst = 100, DriveMenuShareLast = 199;
const UINT DriveMenuCommandFirst = 200, DriveMenuCommandLast = 299;
const UINT DriveMenuDeviceTitle = 301;
const int DriveMenuCustomIcons = 11;

class CMyCombo : public CPanelWnd {
public:
    CMyCombo(CEngineContext& engine, int side);
    ~CMyCombo() override;

    // Attaching: "DriveList" is 1 (alphabetic) and the style flags; custom
    // icons are (re)loaded when flag 8 is set.
    void SetStyle(bool alphabetic, UINT style);
    void SetMenuColors(const MenuColors& colors) { m_colors = colors; }

    // Drops the engine's menu down under the combo box and applies the choice.
    void ShowDriveMenu();
    // Fills `menu` as the drop-down shows it (no tracking).
    void BuildDriveMenu(CIconMenu& menu);
    // The choice `id` of `menu` (0: none).
    void ApplyChoice(CIconMenu& menu, int id);
    // WM_MENUCHAR of the open menu.
    LRESULT MenuCharacter(WCHAR ch, UINT flags, HMENU menu);
    // The drive-switch timer: select the kept entry and tell the host.
    void OnDriveSwitchTimer();
    // Destroys the icons the last menu build made.
    void FreeMenuIcons();

    // Tests replace what the system cannot give.
    void SetSources(CDriveListSources* sources) { m_sources = sources ? sources : &m_systemSources; }
    CDriveInfo& Drives() { return m_drives; }
    CWPDDeviceList& Devices() { return m_devices; }
    int IconsMade() const { return m_iconsMade; }
    int IconsFreed() const { return m_iconsFreed; }
    CIconMenu* OpenMenu() const { return m_openMenu; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnLButtonDown();
    LRESULT OnLButtonDblClk();
    LRESULT OnShowDropDown(WPARAM show);
    LRESULT OnCtlColor(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus(WPARAM previous);
    LRESULT OnDeviceChange();
    LRESULT OnDestroy();

    void ReadComboLetters();
    int ComboIndex(WCHAR letter) const;
    void RestoreFocus();
    void StartDriveSwitch(WCHAR letter);
    CString Text(int id) const;

    // The builder's steps (DriveMenuBuild.cpp).
    void BuildAlphabeticList(CIconMenu& menu, DWORD mask);
    void BuildCategorizedList(CIconMenu& menu, DWORD mask);
    void AddDriveItem(CIconMenu& menu, WCHAR letter, UINT id, bool categorised, int group);
    CString DriveDisplayName(LPCWSTR root, UINT type, HICON& icon);
    int AddSpecialFolders(CIconMenu& menu, UINT firstId, bool withNetwork);
    void AddSpecialFolderItem(CIconMenu& menu, int row, UINT id);
    void AddSpecialFolderGroup(CIconMenu& menu);
    void AddFtpItems(CIconMenu& menu);
    void AddRemoteClientItems(CIconMenu& menu);
    void AddPortableDevices(CIconMenu& menu);
    void AddUserCommands(CIconMenu& menu);
    // Appends an item; the icon is one the build made when `own` is set.
    void AddIconItem(CIconMenu& menu, UINT id, LPCWSTR caption, HICON icon, bool own, UINT_PTR tag,
                     LPCWSTR data = L"", UINT flags = 0);
    HICON FolderIcon(int csidl, CString* name);
    HICON CustomIcon(int index) const;
    void LoadCustomIcons();
    void FreeCustomIcons();

    MenuColors m_colors = {};
    CIconMenu* m_openMenu = nullptr;
    int m_dropping = 0;
    int m_alphabetic = 1;
    int m_menuCharIndex = -1;
    WCHAR m_chosenLetter = 0;
    WCHAR m_comboLetters[50] = {};
    HWND m_prevFocus = nullptr;
    DWORD m_lastClose = 0;
    UINT m_style = 0;
    CStringArray m_shareNames;
    UINT m_shareBase = 0;
    CDriveInfo m_drives;
    CWPDDeviceList m_devices;
    SizeUnits m_units;
    HICON m_customIcons[DriveMenuCustomIcons] = {};
    std::vector<HICON> m_menuIcons;
    int m_iconsMade = 0;
    int m_iconsFreed = 0;
    // The pending drive switch.
    int m_switchIndex = -1;
    WPARAM m_switchCommand = 0;
    CDriveListSources m_systemSources;
    CDriveListSources* m_sources = &m_systemSources;
};
