#include "StickyFile.h"
#include "CommandExec.h"
#include "ConfigDlg.h"
#include "Prompt.h"
#include "ScopedLock.h"
#include "EngineContext.h"
#include "GroupPattern.h"
#include "ProfileFile.h"
#include "TCFileList.h"
#include <algorithm>

namespace {

// The file's time is looked at again after this many milliseconds.
const DWORD FileTimeCheckInterval = 200;

bool SectionPresent(LPCWSTR file, LPCWSTR folder)
{
    WCHAR probe[4] = {};
    return ::GetPrivateProfileSectionW(folder, probe, 4, file) > 0;
}

} // namespace

int SetStickyPosition(LPCWSTR stickyFile, LPCWSTR folder, LPCWSTR name, int position)
{
    if (!stickyFile || !*stickyFile || !folder || !*folder)
        return StickyRefused;
    if (position == StickyClearFolder) {
        if (!SectionPresent(stickyFile, folder))
            return StickyUnchanged;
        return ::WritePrivateProfileStringW(folder, nullptr, nullptr, stickyFile) ? StickyWritten : StickyRefused;
    }
    if (!name || !*name)
        return StickyRefused;
    std::vector<CString> names;
    ReadNumberedSection(stickyFile, folder, 0, names);
    int current = -1; // 0-based place of the last equal name
    for (int i = (int)names.size() - 1; i >= 0 && current < 0; --i)
        if (SameNoCase(names[i], name))
            current = i;
    int target = position == StickyToggle ? (current < 0 ? 1 : -1) : (position == 0 ? 1 : position);
    std::vector<CString> changed = names;
    if (current >= 0)
        changed.erase(changed.begin() + current);
    if (target > 0)
        changed.insert(changed.begin() + std::min<size_t>(target - 1, changed.size()), CString(name));
    // Names compare without case: a name already in its place, written in
    // another case, changes nothing.
    bool same = changed.size() == names.size();
    for (size_t i = 0; same && i < names.size(); ++i)
        same = SameNoCase(names[i], changed[i]);
    if (same)
        return StickyUnchanged;
    if (!ProfileFileExists(stickyFile))
        CreateUnicodeProfile(stickyFile); // names outside the ANSI code page keep matching
    return WriteNumberedSection(stickyFile, folder, changed) ? StickyWritten : StickyRefused;
}

bool IsStickyItem(bool stickyFiles, CTCFileList& list, int index)
{
    if (!stickyFiles || index < 0)
        return false;
    int leading = list.FirstIsParent() ? 1 : 0;
    if (index == 0 && leading)
        return false;
    int place = list.MapHostToRow(index) - leading;
    return place >= 0 && place < list.Sticky().GetCounter();
}

CStickyFile::CStickyFile(CEngineContext& engine) : m_engine(engine)
{
    ::InitializeCriticalSection(&m_lock);
}

CStickyFile::~CStickyFile()
{
    ::DeleteCriticalSection(&m_lock);
}

void CStickyFile::CheckFileTime(LPCWSTR file)
{
    DWORD now = ::GetTickCount();
    if (!m_sections.empty() && now - m_checkedAt < FileTimeCheckInterval)
        return;
    m_checkedAt = now;
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ::GetFileAttributesExW(file, GetFileExInfoStandard, &data);
    if (::CompareFileTime(&data.ftLastWriteTime, &m_fileTime) != 0) {
        m_sections.clear();
        m_fileTime = data.ftLastWriteTime;
    }
}

int CStickyFile::Order(LPCWSTR path)
{
    LPCWSTR slash = path ? wcsrchr(path, L'\\') : nullptr;
    if (!slash)
        return 0;
    CString folder(path, (int)(slash - path));
    std::wstring name = FoldName(slash + 1);
    CString file = m_engine.StickyFile();
    CScopedLock lock(m_lock);
    CheckFileTime(file);
    std::wstring key = FoldName(folder);
    auto section = m_sections.find(key);
    if (section == m_sections.end()) {
        std::vector<CString> names;
        if (!folder.IsEmpty())
            ReadNumberedSection(file, folder, 0, names);
        std::vector<std::wstring> folded;
        for (const CString& each : names)
            folded.push_back(FoldName(each));
        section = m_sections.emplace(key, std::move(folded)).first;
    }
    const std::vector<std::wstring>& names = section->second;
    for (int i = (int)names.size() - 1; i >= 0; --i)
        if (names[i] == name)
            return i + 1;
    return 0;
}

int CStickyFile::SetStickyPosition(LPCWSTR folder, LPCWSTR name, int position)
{
    int result = ::SetStickyPosition(m_engine.Paths().stickyFile, folder, name, position);
    if (result == StickyWritten) {
        CScopedLock lock(m_lock);
        m_sections.clear();
        m_checkedAt = ::GetTickCount() - FileTimeCheckInterval; // read the new time at the next call
    }
    return result;
}

void CStickyFile::SetPosition(LPCWSTR folder, LPCWSTR name, int place)
{
    if (SetStickyPosition(folder, name, place) == StickyRefused)
        AfxMessageBeep(MB_ICONASTERISK);
}

void CStickyFile::RunDialog(HWND owner, LPCWSTR folder, BOOL sort)
{
    ShowDialog(owner, folder, sort);
}

INT_PTR CStickyFile::ShowDialog(HWND owner, LPCWSTR folder, BOOL sort)
{
    if (m_engine.Paths().stickyFile.IsEmpty())
        return IDCANCEL; // not started: a bare name would be a file of the Windows folder
    CCommandExecutor::CRunScope running(m_engine.Commands());
    CConfigDlg dialog(m_engine, owner);
    dialog.m_stickyFile = m_engine.Paths().stickyFile;
    dialog.m_preselect = folder ? folder : L"";
    dialog.m_sort = sort;
    INT_PTR result = dialog.DoModal();
    CScopedLock lock(m_lock);
    m_sections.clear(); // the dialog may have written the file
    m_checkedAt = ::GetTickCount() - FileTimeCheckInterval;
    return result;
}
