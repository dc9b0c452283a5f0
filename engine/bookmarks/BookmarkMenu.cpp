// The bookmark menu, and "JumpBookMark" which shows it.
#include "BookmarkMenu.h"
#include "ActiveFileList.h"
#include "Bookmarks.h"
#include "CommandExec.h"
#include "EngineContext.h"
#include "EngineSettings.h"
#include "EngineTexts.h"
#include "GoToPath.h"
#include "IconMenu.h"
#include "MenuHotkeyTexts.h"
#include "TCFileList.h"
#include "TCProtocol.h"
#include <algorithm>
#include <shlwapi.h>
#include <strsafe.h>

namespace {

CString EngineText(CEngineContext& engine, int id)
{
    CString text = engine.LoadText(id);
    return text.IsEmpty() ? CString(DefaultEngineText(id)) : text;
}

// The path shortened to `width` pixels as the window's DC measures it.
CString CompactPath(const CString& path, HDC dc, int width)
{
    std::vector<WCHAR> buffer(std::max(path.GetLength() + 4, MAX_PATH), 0);
    StringCchCopyW(buffer.data(), buffer.size(), path);
    if (dc && width > 0)
        PathCompactPathW(dc, buffer.data(), UINT(width));
    return CString(buffer.data());
}

} // namespace

CString CommandItemText(CEngineContext& engine, int textId, UINT command)
{
    LPCWSTR hotkey = engine.MenuHotkeyTexts().Text(command);
    WCHAR text[MenuItemTextLength];
    StringCchPrintfW(text, MenuItemTextLength, L"%s\t%s", EngineText(engine, textId).GetString(), hotkey ? hotkey : L"");
    return text;
}

HICON CheckedIcon(CEngineContext& engine)
{
    int size = GetSystemMetrics(SM_CXSMICON);
    return (HICON)LoadImageW(engine.EngineInstance(), MAKEINTRESOURCEW(CheckedIconId), IMAGE_ICON, size, size,
                             LR_SHARED);
}

void FillBookmarkMenu(CEngineContext& engine, CIconMenu& menu, const std::vector<CString>& items, int currentState)
{
    menu.AddItem(EngineText(engine, TextBookmarks), 0, MF_SEPARATOR);
    HWND main = engine.Host().mainWindow;
    RECT frame = {};
    if (main)
        GetWindowRect(main, &frame);
    int width = (frame.right - frame.left) / 3 * 2;
    HDC dc = GetDC(main);
    for (size_t i = 0; i < items.size(); ++i) {
        CString path = CompactPath(items[i], dc, width);
        WCHAR text[MenuItemTextLength];
        if (i < 9)
            StringCchPrintfW(text, MenuItemTextLength, L"%s\t&%d", path.GetString(), int(i + 1));
        else if (i == 9)
            StringCchPrintfW(text, MenuItemTextLength, L"%s\t&0", path.GetString());
        else
            StringCchCopyW(text, MenuItemTextLength, path);
        menu.AddItem(text, UINT(BookmarkMenuFirstId + i));
    }
    ReleaseDC(main, dc);
    if (!items.empty())
        menu.AddItem(L"", 0, MF_SEPARATOR);

    size_t count = items.size();
    bool canPaste = IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_HDROP);
    struct Row {
        int text;
        UINT command;
        bool greyed;
        bool separatorBefore;
    };
    const Row rows[] = {
        {TextNextBookmark, CmdBookMarkNext, count < 2, false},
        {TextPrevBookmark, CmdBookMarkPrev, count < 2, false},
        {TextToggleBookmark, CmdToggleBookMark, currentState == -2, false},
        {TextCopyBookmarks, CmdCopyBookMark, count == 0, true},
        {TextPasteBookmarks, CmdPasteBookMark, !canPaste, false},
        {TextBookmarksToSelection, CmdBook2Selection, count == 0, false},
        {TextClearBookmarks, CmdClearBookMark, count == 0, true},
        {TextSaveBookmarks, CmdToggleSaveBookmark, false, false},
    };
    for (const Row& row : rows) {
        if (row.separatorBefore)
            menu.AddItem(L"", 0, MF_SEPARATOR);
        menu.AddItem(CommandItemText(engine, row.text, row.command), row.command, row.greyed ? MF_GRAYED : 0);
    }
    if (engine.Settings().PersistBookmarks)
        if (IconMenuItem* item = menu.GetItem(CmdToggleSaveBookmark, FALSE))
            item->icon = CheckedIcon(engine);
}

int CBookmarks::Jump()
{
    bool commandLine = false;
    CTCFileList* list = ActiveFileList(m_engine, &commandLine);
    if (!list && !commandLine)
        return 0;
    std::vector<CString> items = Items();
    CIconMenu menu;
    menu.SetColors(m_engine.Settings().menuColors);
    menu.SetIconSize(GetSystemMetrics(SM_CXSMICON));
    int current = list ? (int)::SendMessageW(list->Window(), LB_GETCURSEL, 0, 0) : 0;
    FillBookmarkMenu(m_engine, menu, items, current);

    UINT flags = TPM_RETURNCMD | TPM_NONOTIFY;
    RECT r = {};
    POINT at = {};
    if (list) {
        ::GetWindowRect(list->Window(), &r);
        at = {r.right, r.top};
        flags |= TPM_RIGHTALIGN | TPM_TOPALIGN;
    } else {
        ::GetWindowRect(m_engine.Host().mainWindow, &r);
        at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        flags |= TPM_CENTERALIGN | TPM_VCENTERALIGN;
    }
    UINT id = (UINT)menu.Track(flags, at.x, at.y, list);
    return RunMenuChoice(id, items);
}

int CBookmarks::RunMenuChoice(UINT id, const std::vector<CString>& items)
{
    // By id range: a command's own result never decides whether the id
    // was a bookmark.
    if (id >= FirstEngineCommand && id <= LastEngineCommand) {
        m_engine.Commands().ExecuteEngineCommand(id);
        return 1;
    }
    if (id >= BookmarkMenuFirstId && id < BookmarkMenuFirstId + items.size()) {
        m_current = int(id - BookmarkMenuFirstId + 1);
        GoToPath(m_engine, items[m_current - 1], GoToSource, false);
    }
    return 1;
}
