// The bookmark list and its file.
#include "Bookmarks.h"
#include "ScopedLock.h"
#include "SystemErrorText.h"
#include "EngineContext.h"
#include "EngineSettings.h"
#include "Framework.h"
#include "ProfileFile.h"

namespace {

const WCHAR Section[] = L"BookMarks";
// The reader stops after this key.
const int LastKey = 32766;

int LastIndexOf(const std::vector<CString>& items, LPCWSTR path)
{
    for (int i = (int)items.size() - 1; i >= 0; --i)
        if (SameNoCase(items[i], path))
            return i;
    return -1;
}

} // namespace

CBookmarks::CBookmarks(CEngineContext& engine) : m_engine(engine)
{
    ::InitializeCriticalSection(&m_lock);
}

CBookmarks::~CBookmarks()
{
    ::DeleteCriticalSection(&m_lock);
}

void CBookmarks::Load()
{
    const CString& file = m_engine.Paths().bookmarksFile;
    if (!ProfileFileExists(file))
        return;
    std::vector<CString> stored;
    ReadNumberedSection(file, Section, LastKey, stored);
    std::vector<CString> items = Items();
    for (const CString& path : stored)
        if (path.GetLength() <= 1023 && LastIndexOf(items, path) < 0)
            items.push_back(path);
    Replace(std::move(items));
}

bool CBookmarks::Save()
{
    if (!m_engine.Settings().PersistBookmarks)
        return true;
    const CString& file = m_engine.Paths().bookmarksFile;
    if (file.IsEmpty())
        return false;
    if (!ProfileFileExists(file)) {
        if (DWORD error = CreateUnicodeProfile(file)) {
            AfxMessageBox(SystemErrorText(error), MB_OK | MB_ICONERROR);
            return false;
        }
    }
    return WriteNumberedSection(file, Section, Items());
}

int CBookmarks::IndexOf(LPCWSTR path) const
{
    if (!path)
        return 0;
    CScopedLock lock(m_lock);
    return LastIndexOf(m_items, path) + 1;
}

std::vector<CString> CBookmarks::Items() const
{
    CScopedLock lock(m_lock);
    return m_items;
}

void CBookmarks::Replace(std::vector<CString> items)
{
    CScopedLock lock(m_lock);
    m_items.swap(items);
}
