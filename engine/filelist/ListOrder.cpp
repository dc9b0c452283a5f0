// The order of the rows: the folder's sticky names first (row 0 stays on a
// parent-folder entry), then the folders, then the files in their groups.
// Every host item gets one entry with a sort key; the sorted entries are the
// rows and the file array's map leads from a host index to its row.
#include "TCFileList.h"
#include "CaptureGuard.h"
#include "EngineContext.h"
#include "EngineHelpers.h"
#include "EngineSettings.h"
#include "GroupPattern.h"
#include "HostTreeSnapshot.h"
#include "StickyNames.h"
#include <unordered_map>
#include <unordered_set>

namespace {

// Sort keys: a parent row 0 is 0, sticky items their place in the sticky
// names, every other item comes after them; files after folders.
const UINT KeyFile = 0x40000000;
const UINT KeyOther = 0x80000000;

// Above this many rows the folder's subfolders are read in one enumeration
// instead of one attribute read per row.
const int FolderScanRows = 64;

bool HasDirMarker(const std::wstring& text)
{
    size_t open = text.find(L'<');
    return open != std::wstring::npos && text.find(L'>', open) != std::wstring::npos;
}

// A name folded for comparing without case (as FoldName does), into a
// buffer that keeps its room from row to row.
void FoldInto(std::wstring& folded, LPCWSTR name, size_t length)
{
    folded.assign(name, length);
    bool plain = true;
    for (wchar_t& c : folded) {
        if (c >= L'a' && c <= L'z')
            c = (wchar_t)(c - (L'a' - L'A'));
        else if (c >= 0x80)
            plain = false;
    }
    if (!plain && !folded.empty())
        ::CharUpperBuffW(&folded[0], (DWORD)folded.size());
}

} // namespace

// What one rebuild looks up for every row: the sticky places and the
// folder's subfolders, by folded name.
struct CRebuildLookup {
    std::unordered_map<std::wstring, int> stickyPlace; // highest 1-based place
    std::unordered_set<std::wstring> subfolders;
    bool subfoldersRead = false;
    int count = 0;
    int added = 0;
    int stickyFound = 0;
    std::wstring text, folded; // of the row being added (kept for their room)
};

bool CTCFileList::NoGrouping() const
{
    return m_files.GetPattern().IsEmpty() || m_files.GetPattern() == L"\\";
}

void CTCFileList::ClearOrder()
{
    // The order map goes too: host indexes map to themselves again.
    m_files.Clear();
}

void CTCFileList::EnsureOrder()
{
    if (m_dirty && !m_capturing)
        RebuildOrder();
}

int CTCFileList::MapRowToHost(int row)
{
    EnsureOrder();
    if (row < 0 || row >= (int)m_files.GetSize())
        return row;
    int index = m_files[row].index;
    return index >= 0 ? index : row;
}

int CTCFileList::MapHostToRow(int index)
{
    EnsureOrder();
    const CUIntArray& order = m_files.GetOrder();
    if (index < 0 || index >= (int)order.GetSize())
        return index;
    return (int)order[index];
}

CString CTCFileList::GetPanelPath() const
{
    const HostTreeSnapshot& tree = m_engine.Tree();
    HWND bar = tree.bar2[Side()];
    if (!bar || !::IsWindow(bar))
        return CString();
    WCHAR text[SnapshotTextLength] = {};
    ::GetWindowTextW(bar, text, SnapshotTextLength);
    return FolderOfPathText(text);
}

int CTCFileList::LoadStickyFiles()
{
    m_sticky.Clear();
    if (!m_engine.Settings().StickyFiles)
        return 0;
    m_sticky.SetFolder(m_folder);
    int result = ReadStickyNames(m_engine.Paths().stickyFile, m_folder, m_sticky);
    m_sticky.Sort(m_engine.Settings().StickySort);
    return result;
}

void CTCFileList::ToggleGrouping()
{
    m_grouping = m_grouping ? FALSE : TRUE;
    if (!m_hWnd)
        return;
    RebuildOrder();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CTCFileList::RebuildOrder()
{
    int caret;
    {
        CCaptureGuard guard(m_capturing);
        if (!guard.WasFree() || !m_hWnd)
            return;
        caret = BuildOrder();
    }
    if (IsOrdered() && caret >= 0) {
        // The caret stays on its item.
        ::SendMessageW(m_hWnd, LB_SETCARETINDEX, caret, 1);
    }
    // The host's own first caret after a rebuild may still ask to keep its
    // distance from the top.
    m_firstCaretAfterRebuild = TRUE;
}

int CTCFileList::BuildOrder()
{
    CString folder = GetPanelPath();
    if (folder != m_folder)
        m_folder = folder;
    int count = Count();
    // The host item under the caret, as the order before this rebuild shows it.
    int caret = CaretRow();
    if (caret >= 0 && caret < (int)m_files.GetSize() && (int)m_files.GetSize() == count)
        caret = m_files[caret].index;
    ClearOrder();
    m_files.SetFolder(m_folder);
    m_files.SetPattern(m_grouping ? (LPCWSTR)m_groupMasks : L"", m_engine.Paths().hostIni);
    m_sticky.Clear();
    m_hostTopIndex = -1;
    m_dirty = FALSE;
    ClassifyLayout(nullptr, true);
    if (m_layout == LayoutThumbnails || m_layout == LayoutVirtualFolder)
        return caret;
    DWORD attributes = m_folder.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(m_folder + L"\\");
    m_folderExists = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    LoadStickyFiles();

    CRebuildLookup lookup;
    lookup.count = count;
    for (int place = 0; place < (int)m_sticky.GetSize(); ++place) {
        FoldInto(lookup.folded, m_sticky[place], m_sticky[place].GetLength());
        lookup.stickyPlace[lookup.folded] = place + 1;
    }
    m_files.SetSize(count);
    for (int i = 0; i < count; ++i) {
        if (i >= 2 && m_sticky.IsEmpty() && NoGrouping())
            break; // only rows 0 and 1 matter without sticky names and groups
        AddHostItem(i, lookup);
    }
    m_files.SetSize(lookup.added);
    m_sticky.SetCounter(lookup.stickyFound);

    if (m_sticky.IsEmpty() && NoGrouping())
        ClearOrder();
    if (!m_files.IsEmpty()) {
        FinishOrder(m_files);
        // Rows are a permutation of the host items: an item left out (an
        // empty row text) keeps the host's own order for all of them.
        bool complete = m_files.GetSize() == count && m_files.GetOrder().GetSize() == count;
        if (!complete || !m_files.IsChanged())
            ClearOrder();
    }
    return caret;
}

void CTCFileList::AddHostItem(int index, CRebuildLookup& lookup)
{
    std::wstring& text = lookup.text;
    ReadRowText(index, text);
    if (text.empty()) {
        m_layout = LayoutUnclassified;
        return;
    }
    if (index == 0) {
        if (m_layout == LayoutUnclassified && ClassifyLayout(text.c_str(), true) == LayoutUnclassified)
            return;
        m_markLayout = m_layout;
        if (m_layout == LayoutMultiColumn) {
            size_t close = text.rfind(L'>');
            bool open = text.find(L'<') != std::wstring::npos;
            if (close != std::wstring::npos)
                m_markLayout = LayoutColumns;
            else if (open)
                m_markLayout = LayoutNameMarker;
            if (close != std::wstring::npos && !open) {
                text.resize(close);
                while (!text.empty() && text.back() == L' ')
                    text.pop_back();
            }
        }
    }
    int length = (int)text.size();
    if (m_markLayout != LayoutMultiColumn)
        length = FileNameLength(text.c_str(), length, m_engine.Host().sizeStyle);
    CFileEntry& entry = m_files[lookup.added++];
    entry.index = index;
    entry.name = CString(text.c_str(), length);
    const CString& name = entry.name;
    if (index == 0)
        m_firstIsParent = name == L"..";
    FoldInto(lookup.folded, text.c_str(), length);
    auto sticky = lookup.stickyPlace.find(lookup.folded);
    if (index == 0 && m_firstIsParent) {
        entry.group = 0;
    } else if (sticky != lookup.stickyPlace.end()) {
        entry.group = (UINT)sticky->second + (IsFolderItem(text, name, lookup) ? 0 : KeyFile);
        ++lookup.stickyFound;
    } else {
        entry.group = KeyOther;
        if (m_folderExists && !IsFolderItem(text, name, lookup))
            entry.group += KeyFile + (NoGrouping() ? 0 : GroupOf(m_files, name));
    }
}

bool CTCFileList::IsFolderItem(const std::wstring& text, const CString& name, CRebuildLookup& lookup)
{
    if (HasDirMarker(text))
        return true;
    if (!m_folderExists)
        return false;
    if (lookup.count <= FolderScanRows) {
        DWORD attributes = ::GetFileAttributesW(m_folder + L"\\" + name);
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    if (!lookup.subfoldersRead) {
        lookup.subfoldersRead = true;
        WIN32_FIND_DATAW found;
        HANDLE find = ::FindFirstFileExW(m_folder + L"\\*", FindExInfoBasic, &found, FindExSearchLimitToDirectories,
                                         nullptr, FIND_FIRST_EX_LARGE_FETCH);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    std::wstring folded;
                    FoldInto(folded, found.cFileName, wcslen(found.cFileName));
                    lookup.subfolders.insert(folded);
                }
            } while (::FindNextFileW(find, &found));
            ::FindClose(find);
        }
    }
    return lookup.subfolders.count(lookup.folded) != 0;
}

bool CTCFileList::RemoveHostItem(int index)
{
    const CUIntArray& order = m_files.GetOrder();
    if (index <= 0 || index >= (int)order.GetSize() || order.GetSize() != m_files.GetSize())
        return false;
    // The keys of the other items do not change: dropping the entry and
    // renumbering the host indexes above it gives what a rebuild gives.
    m_files.RemoveAt(order[index]);
    bool changed = false;
    for (INT_PTR row = 0; row < m_files.GetSize(); ++row) {
        CFileEntry& entry = m_files[row];
        if (entry.index > index)
            --entry.index;
        changed = changed || entry.index != (int)row;
    }
    if (!changed) {
        ClearOrder();
        return true;
    }
    FinishOrder(m_files);
    if (m_files.GetOrder().GetSize() != m_files.GetSize())
        ClearOrder();
    return true;
}

int CTCFileList::FindRowByName(LPCWSTR name) const
{
    for (int row = (int)m_files.GetSize() - 1; row >= 0; --row)
        if (m_files[row].name.CompareNoCase(name) == 0)
            return row;
    return -1;
}

LRESULT CTCFileList::AskList(UINT message, WPARAM wParam, LPARAM lParam)
{
    return m_listProc ? ::CallWindowProcW(m_listProc, m_hWnd, message, wParam, lParam)
                      : Forward(message, wParam, lParam);
}

void CTCFileList::ReadRowText(int index, std::wstring& text)
{
    // Read for every row of a rebuild: straight from the list box.
    int length = (int)AskList(LB_GETTEXTLEN, index);
    if (length <= 0) {
        text.clear();
        return;
    }
    text.resize(length + 1);
    int got = (int)AskList(LB_GETTEXT, index, (LPARAM)&text[0]);
    text.resize(got >= 0 && got <= length ? got : 0);
    TrimNonGraphic(text);
}

CString CTCFileList::GetRowText(int index)
{
    if (index < 0)
        index = MapRowToHost(CaretRow());
    std::wstring text;
    ReadRowText(index, text);
    return CString(text);
}

bool CTCFileList::GetItemName(CString& name, int index)
{
    name = GetRowText(index);
    UINT layout = m_markLayout == LayoutUnclassified ? LayoutColumns : m_markLayout;
    if (!ExtractFileName(name, layout, m_engine.Host().sizeStyle) || name.IsEmpty()) {
        name.Empty();
        return false;
    }
    return true;
}

bool CTCFileList::GetItemPath(CString& path, int index)
{
    CString name;
    if (!GetItemName(name, index))
        return false;
    path = m_folder.IsEmpty() ? name : m_folder + L"\\" + name;
    return true;
}
