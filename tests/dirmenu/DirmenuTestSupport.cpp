#include "DirmenuTestSupport.h"
#include <shellapi.h>

namespace {

WNDPROC g_editProc = nullptr;

LRESULT CALLBACK EditSuperclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(g_editProc, window, message, wParam, lParam);
}

void DumpInto(HMENU menu, std::wstring& out)
{
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (i)
            out += L"|";
        WCHAR caption[256] = {};
        MENUITEMINFOW item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        item.dwTypeData = caption;
        item.cch = 255;
        GetMenuItemInfoW(menu, i, TRUE, &item);
        if (item.fType & MFT_SEPARATOR) {
            out += L"-";
        } else if (item.hSubMenu) {
            out += caption;
            out += L">[";
            DumpInto(item.hSubMenu, out);
            out += L"]";
        } else {
            out += caption;
            out += L"#" + std::to_wstring(item.wID);
        }
    }
}

} // namespace

void RegisterTestClass(LPCWSTR name, bool edit)
{
    WNDCLASSEXW existing = {sizeof(existing)};
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &existing))
        return;
    WNDCLASSEXW wc = {sizeof(wc)};
    if (edit) {
        GetClassInfoExW(nullptr, L"EDIT", &wc);
        g_editProc = wc.lpfnWndProc;
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = EditSuperclassProc;
    } else {
        wc.lpfnWndProc = DefWindowProcW;
        wc.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    }
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = name;
    wc.style &= ~CS_GLOBALCLASS;
    RegisterClassExW(&wc);
}

void RegisterHostClasses()
{
    for (LPCWSTR name : {L"TAltEdit", L"TInEdit", L"TMemo", L"TEdit", L"TMyMemo", L"TTabEdit"})
        RegisterTestClass(name, true);
    for (LPCWSTR name : {L"TMyComboBox", L"TInpComboDlg", L"TCOMBOINPUT", L"TListBox", L"TPanel",
                         L"TCmpForm", L"TMyPanel", L"TFileCompForm", L"TTOTAL_CMD", L"TCheckEditBox",
                         L"TMyCheckBox", L"TSTDTREEDLG", L"TDLGZIP", L"TDLGUNZIPALL",
                         L"TONEBUTTONCHANGEDLG", L"TBUTTONCHANGEDLG", L"TUSERMENUCHANGE",
                         L"TOtherForm"})
        RegisterTestClass(name, false);
}

HWND MakeWindow(LPCWSTR className, HWND parent, LPCWSTR text, DWORD style)
{
    DWORD baseStyle = parent ? (WS_CHILD | WS_VISIBLE) : WS_OVERLAPPEDWINDOW;
    return CreateWindowExW(0, className, text, baseStyle | style, 10, 10, 300, 120, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

CTempFolder::CTempFolder()
{
    static int serial = 0;
    WCHAR temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    m_path = std::wstring(temp) + L"dirmenu_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
             std::to_wstring(++serial);
    CreateDirectoryW(m_path.c_str(), nullptr);
}

CTempFolder::~CTempFolder()
{
    std::wstring from = m_path;
    from.push_back(0);
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    SHFileOperationW(&op);
}

std::wstring CTempFolder::Write(LPCWSTR name, const std::wstring& text) const
{
    std::wstring path = Path(name);
    std::wstring content = L"\xFEFF";
    for (wchar_t ch : text) {
        if (ch == L'\n')
            content += L"\r\n";
        else
            content += ch;
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, content.data(), (DWORD)(content.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    // The profile functions may cache a file of the same name.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
    return path;
}

std::wstring DumpMenu(HMENU menu)
{
    std::wstring out;
    DumpInto(menu, out);
    return out;
}

UINT FindIdByCaption(HMENU menu, LPCWSTR caption)
{
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        WCHAR text[256] = {};
        MENUITEMINFOW item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = 255;
        GetMenuItemInfoW(menu, i, TRUE, &item);
        if (item.hSubMenu) {
            UINT id = FindIdByCaption(item.hSubMenu, caption);
            if (id)
                return id;
        } else if (!(item.fType & MFT_SEPARATOR) && wcscmp(text, caption) == 0) {
            return item.wID;
        }
    }
    return 0;
}

CFakeServices::CFakeServices()
{
    now.wYear = 2024;
    now.wMonth = 3;
    now.wDay = 5;
    now.wDayOfWeek = 2;
    now.wHour = 14;
    now.wMinute = 7;
    now.wSecond = 9;
}

UINT CFakeServices::TrackMenu(HMENU menu, UINT flags, POINT point, HWND owner)
{
    menus.push_back(DumpMenu(menu));
    lastFlags = flags;
    lastPoint = point;
    lastOwner = owner;
    return choice.empty() ? 0 : FindIdByCaption(menu, choice.c_str());
}

ClipboardRead CFakeServices::GetClipboardText(HWND, LPWSTR buffer, int size)
{
    buffer[0] = 0;
    if (!clipboardOpens)
        return ClipboardClosed;
    if (!clipboardHasText)
        return ClipboardNoText;
    lstrcpynW(buffer, clipboard.c_str(), size);
    return ClipboardText;
}

bool CFakeServices::EmptyClipboard(HWND)
{
    if (!clipboardOpens)
        return false;
    clipboard.clear();
    clipboardHasText = false;
    return true;
}

void CFakeServices::SendHostCommand(HWND, UINT command)
{
    hostCommands.push_back(command);
    for (auto& answer : hostTexts) {
        if (answer.first == command) {
            clipboard = answer.second;
            clipboardHasText = true;
        }
    }
}

bool CFakeServices::BrowseFile(LPCWSTR filter, CString& path)
{
    fileFilter = filter;
    if (browsedFile.empty())
        return false;
    path = browsedFile.c_str();
    return true;
}

bool CFakeServices::BrowseFolder(LPCWSTR title, CString& path)
{
    folderTitle = title;
    if (browsedFolder.empty())
        return false;
    path = browsedFolder.c_str();
    return true;
}
