// Shared by the directory-menu tests: windows of the host's classes, fixture
// files in a private folder, and services that answer the module's calls.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "PathfanServices.h"

// Registers the host's edit classes (superclasses of EDIT) and the plain
// parent classes the classifier knows; safe to call again.
void RegisterHostClasses();
// Registers one class: a superclass of EDIT when `edit`, else a plain window.
void RegisterTestClass(LPCWSTR name, bool edit);

// Creates a window of `className`: a child of `parent`, or a hidden top-level
// window when `parent` is null.
HWND MakeWindow(LPCWSTR className, HWND parent, LPCWSTR text = L"", DWORD style = 0);

// A private folder for one test, removed with its files at the end.
class CTempFolder
{
public:
    CTempFolder();
    ~CTempFolder();
    std::wstring Path(LPCWSTR name) const { return m_path + L"\\" + name; }
    const std::wstring& Folder() const { return m_path; }
    // Writes `text` as UTF-16LE with a byte-order mark (lines joined with CRLF).
    std::wstring Write(LPCWSTR name, const std::wstring& text) const;

private:
    std::wstring m_path;
};

// The menu as text: "caption#id" items, "-" separators, "caption>[...]"
// submenus, joined by "|".
std::wstring DumpMenu(HMENU menu);
// The id of the first item with this caption, searched through the submenus; 0 if none.
UINT FindIdByCaption(HMENU menu, LPCWSTR caption);

// Answers the module's system calls: a menu choice by caption, a clipboard
// in memory that host commands fill, a fixed folder and time.
class CFakeServices : public CPathfanServices
{
public:
    CFakeServices();

    UINT TrackMenu(HMENU menu, UINT flags, POINT point, HWND owner) override;
    POINT GetCursorPos() override { return cursor; }
    ClipboardRead GetClipboardText(HWND owner, LPWSTR buffer, int size) override;
    bool EmptyClipboard(HWND owner) override;
    void SendHostCommand(HWND host, UINT command) override;
    CString GetCurrentDirectory() override { return CString(currentDirectory.c_str()); }
    void GetLocalTime(SYSTEMTIME* time) override { *time = now; }
    bool BrowseFile(LPCWSTR filter, CString& path) override;
    bool BrowseFolder(LPCWSTR title, CString& path) override;
    void Beep(UINT type) override { beeps.push_back(type); }

    // Caption of the item to choose; empty chooses nothing.
    std::wstring choice;
    std::vector<std::wstring> menus; // DumpMenu of every menu tracked
    UINT lastFlags = 0;
    POINT lastPoint = {};
    HWND lastOwner = nullptr;

    bool clipboardOpens = true;
    bool clipboardHasText = true;
    std::wstring clipboard;
    // Texts the host puts on the clipboard for its commands.
    std::vector<std::pair<UINT, std::wstring>> hostTexts;
    std::vector<UINT> hostCommands;

    std::wstring currentDirectory = L"C:\\work\\src";
    SYSTEMTIME now = {};
    POINT cursor = {300, 200};
    std::wstring browsedFile, browsedFolder; // empty: cancelled
    std::wstring fileFilter, folderTitle;
    std::vector<UINT> beeps;
};
