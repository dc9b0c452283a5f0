// The localiser and the language list.
#include "Localizer.h"
#include "HostIniRedirect.h"
#include "IniHelper.h"
#include "Wnd.h"
#include <vector>

const WCHAR LocalizerSection[] = L"Prefector";

CString CLocalizer::LoadLocalizedString(UINT nID, LPCWSTR lpszSection, BOOL bFallback) const
{
    CString text;
    // Without a file every lookup falls back; skip the profile call, which
    // would probe the file system for nothing. A bare name too long to be
    // joined to the Windows folder is no file: the profile functions would
    // overflow on it.
    if (!m_strFile.IsEmpty() && !IsOverlongBareName(m_strFile)) {
        CString key;
        key.Format(L"%u", nID);
        std::vector<WCHAR> buffer;
        DWORD n = CIniHelper::ReadProfileBuffer(lpszSection ? lpszSection : LocalizerSection, key, L"", buffer,
                                                m_strFile, FALSE);
        text = CString(buffer.data(), (int)n);
    }
    if (text.IsEmpty() && bFallback)
        text.LoadString(nID);
    return text;
}

void CLocalizer::LocalizeDlgItem(int nID, CWnd* pDialog) const
{
    if (!pDialog || !pDialog->m_hWnd)
        return;
    CString text = LoadLocalizedString((UINT)nID);
    ReplaceBarsByNewlines(text);
    HWND item = pDialog->GetDlgItemHwnd(nID);
    if (!text.IsEmpty() && item)
        ::SetWindowTextW(item, text);
}

int ReplaceBarsByNewlines(CString& text)
{
    return text.Replace(L'|', L'\n');
}

namespace {

// "title <name>": the file's [Prefector] "Title", else its name without the
// extension.
CString LanguageEntryText(const CString& path, const CString& name)
{
    int dot = name.ReverseFind(L'.');
    WCHAR title[MAX_PATH + 1] = {};
    if (!IsOverlongBareName(path)) // no file: nothing to read
        ::GetPrivateProfileStringW(LocalizerSection, L"Title", L"", title, MAX_PATH + 1, path);
    CString text;
    text.Format(L"%s <%s>", title[0] ? title : (LPCWSTR)(dot >= 0 ? name.Left(dot) : name), (LPCWSTR)name);
    return text;
}

// The path made full, so that two spellings of one file compare equal.
CString FullPath(LPCWSTR lpszPath)
{
    WCHAR full[MAX_PATH + 1] = {};
    DWORD n = ::GetFullPathNameW(lpszPath, MAX_PATH + 1, full, nullptr);
    return n > 0 && n <= MAX_PATH ? CString(full) : CString(lpszPath);
}

} // namespace

int BuildLanguageList(LPCWSTR lpszFolder, LPCWSTR lpszBuiltInText, LPCWSTR lpszCurrentFile,
                      CArray<CLanguageEntry, const CLanguageEntry&>& entries)
{
    entries.RemoveAll();
    CLanguageEntry builtIn = { lpszBuiltInText, CString() };
    entries.Add(builtIn);
    CString folder(lpszFolder);
    int selected = 0;

    CString current = lpszCurrentFile && *lpszCurrentFile ? FullPath(lpszCurrentFile) : CString();

    CString pattern;
    pattern.Format(L"%s\\Language\\*.ini", (LPCWSTR)folder);
    WIN32_FIND_DATAW fd;
    HANDLE find = ::FindFirstFileW(pattern, &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            CString name(fd.cFileName);
            int dot = name.ReverseFind(L'.');
            CLanguageEntry entry;
            entry.path.Format(L"%s\\%s\\%s.ini", (LPCWSTR)folder, L"LANGUAGE",
                              (LPCWSTR)(dot >= 0 ? name.Left(dot) : name));
            entry.text = LanguageEntryText(entry.path, name);
            if (!current.IsEmpty() && FullPath(entry.path).CompareNoCase(current) == 0)
                selected = (int)entries.GetSize();
            entries.Add(entry);
        } while (::FindNextFileW(find, &fd));
        ::FindClose(find);
    }
    // A language file kept elsewhere (the host's LANGUAGE folder, say), or
    // one that cannot be read, is listed too: it is the setting in force.
    if (selected == 0 && lpszCurrentFile && *lpszCurrentFile) {
        CString path(lpszCurrentFile);
        CLanguageEntry entry = { LanguageEntryText(path, path.Mid(path.ReverseFind(L'\\') + 1)), path };
        selected = (int)entries.Add(entry);
    }
    return selected;
}
