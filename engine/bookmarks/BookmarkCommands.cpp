// The bookmark commands: toggle, step, copy (also as a selection), paste, clear.
#include "Bookmarks.h"
#include "ActiveFileList.h"
#include "Clipboard.h"
#include "EngineContext.h"
#include "Framework.h"
#include "GoToPath.h"
#include "PanelObjects.h"
#include "ProfileFile.h"
#include "TCProtocol.h"
#include <algorithm>

namespace {

// Engine texts of the selection and their defaults.
const int ApplySelectionText = 106;
const WCHAR ApplySelectionDefault[] = L"All files belong to '%s' folder. Apply selection?";
const int NoCommonPointText = 107;
const WCHAR NoCommonPointDefault[] = L"Sorry, there is no common point to files.";

// Host commands of the selection: activate the left or right panel, then
// select the clipboard's names.
const WPARAM HostActivateLeft = 2034;
const WPARAM HostActivateRight = 2035;
const WPARAM HostSelectFromClipboard = 2033;

CString TextOr(CEngineContext& engine, int id, LPCWSTR fallback)
{
    CString text = engine.LoadText(id);
    return text.IsEmpty() ? CString(fallback) : text;
}

// A localised format is used only when it takes exactly one "%s" and
// nothing else, so a bad translation cannot take the host down.
CString FormatWithFolder(const CString& format, LPCWSTR fallback, LPCWSTR folder)
{
    int strings = 0;
    bool sound = true;
    for (int i = 0; i < format.GetLength(); ++i) {
        if (format[i] != L'%')
            continue;
        WCHAR next = format[i + 1];
        if (next == L's')
            ++strings;
        else if (next != L'%')
            sound = false;
        ++i;
    }
    CString text;
    text.Format(sound && strings == 1 ? (LPCWSTR)format : fallback, folder);
    return text;
}

} // namespace

bool CBookmarks::HasCommandFocus(CTCFileList** list)
{
    bool commandLine = false;
    *list = ActiveFileList(m_engine, &commandLine);
    return *list || commandLine;
}

void CBookmarks::RepaintLists()
{
    for (CTCFileList* list : m_engine.Panels().fileList)
        if (list && list->Window())
            ::InvalidateRect(list->Window(), nullptr, TRUE);
}

int CBookmarks::Toggle()
{
    CTCFileList* list = ActiveFileList(m_engine);
    if (!list)
        return 0;
    CString path;
    if (!list->GetItemPath(path, -1))
        return 1;
    if (path.GetLength() >= 2 && path.Right(2) == L"..")
        return 0; // the parent-folder entry: the host has the key
    int length = path.GetLength();
    while (length > 1 && (path[length - 1] == L'.' || path[length - 1] == L'\\'))
        --length;
    path = path.Left(length);
    if (path.IsEmpty())
        return 0;
    std::vector<CString> items = Items();
    int found = -1;
    for (int i = (int)items.size() - 1; i >= 0 && found < 0; --i)
        if (SameNoCase(items[i], path))
            found = i;
    if (found >= 0)
        items.erase(items.begin() + found);
    else
        items.push_back(path);
    Replace(std::move(items));
    Save();
    ::InvalidateRect(list->Window(), nullptr, TRUE);
    return 1;
}

int CBookmarks::Step(bool next)
{
    CTCFileList* list = nullptr;
    if (!HasCommandFocus(&list))
        return 0;
    std::vector<CString> items = Items();
    int count = (int)items.size();
    if (count == 0)
        return 1;
    if (next)
        m_current = m_current <= 0 || m_current >= count ? 1 : m_current + 1;
    else
        m_current = m_current <= 1 ? count : std::min(m_current - 1, count);
    if (m_current <= count)
        GoToPath(m_engine, items[m_current - 1], GoToSource, false);
    return 1;
}

int CBookmarks::CommonPrefix(const std::vector<CString>& items, CString& folder) const
{
    const CString& first = items[0];
    int prefix = std::min(1024, first.GetLength());
    for (size_t i = 1; i < items.size(); ++i) {
        int same = 0;
        while (same < prefix && same < items[i].GetLength() && items[i][same] == first[same])
            ++same;
        prefix = same;
    }
    if (prefix == 0)
        return 0;
    CString head = first.Left(prefix);
    if (head[prefix - 1] != L'\\') {
        int slash = head.ReverseFind(L'\\');
        if (slash < 0)
            return 0; // no folder in common ("C:" alone)
        prefix = slash + 1;
    }
    folder = first.Left(prefix - 1);
    return prefix;
}

int CBookmarks::Copy(bool toSelection)
{
    CTCFileList* focused = nullptr;
    if (!HasCommandFocus(&focused))
        return 0;
    std::vector<CString> items = Items();
    if (items.empty())
        return 1;
    int prefix = 0;
    CString folder;
    CTCFileList* target = nullptr;
    bool changeFolder = false;
    bool apply = false;
    CString text;
    if (toSelection) {
        prefix = CommonPrefix(items, folder);
        if (prefix == 0) {
            AfxMessageBox(TextOr(m_engine, NoCommonPointText, NoCommonPointDefault), MB_OK | MB_ICONEXCLAMATION);
        } else {
            target = focused ? focused : m_engine.Panels().fileList[0];
            changeFolder = !target || folder.Compare(target->GetPanelPath()) != 0;
            apply = true;
            if (changeFolder) {
                CString question = FormatWithFolder(m_engine.LoadText(ApplySelectionText), ApplySelectionDefault, folder);
                apply = AfxMessageBox(question, MB_YESNO | MB_ICONINFORMATION) == IDYES;
            }
            text = folder + L"\r\n";
        }
    }
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += L"\r\n";
        text += items[i].Mid(prefix);
    }
    if (!PutClipboardText(m_engine.Dispatcher(), text) || !toSelection || prefix == 0 || !apply)
        return 1;
    HWND main = m_engine.Host().mainWindow;
    if (target && target->Window())
        ::SetFocus(target->Window());
    if (changeFolder)
        GoToPath(m_engine, folder, GoToSource, false);
    int side = target ? target->Side() : 0;
    ::PostMessageW(main, HostCommandMessage, side == 0 ? HostActivateLeft : HostActivateRight, 0);
    ::PostMessageW(main, HostCommandMessage, HostSelectFromClipboard, 0);
    return 1;
}

int CBookmarks::Paste()
{
    CTCFileList* list = nullptr;
    if (!HasCommandFocus(&list))
        return 0;
    CPastedPaths pasted;
    if (!ReadClipboardPaths(m_engine.Dispatcher(), pasted) || pasted.paths.empty())
        return 1; // nothing usable: the bookmarks stay as they are
    std::vector<CString> items = pasted.fromText ? std::vector<CString>() : Items();
    items.insert(items.end(), pasted.paths.begin(), pasted.paths.end());
    Replace(std::move(items));
    RepaintLists();
    Save();
    return 1;
}

int CBookmarks::Clear()
{
    Replace(std::vector<CString>());
    RepaintLists();
    Save();
    return 1;
}
