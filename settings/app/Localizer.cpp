// The localiser and the language list.
#include "Localizer.h"
#include "IniHelper.h"
#include "Wnd.h"
#include <vector>

const WCHAR LocalizerSection[] = L"Prefector";

CString CLocalizer::LoadLocalizedString(UINT nID, LPCWSTR lpszSection, BOOL bFallback) const
{
    CString text;
    // Without a file every lookup falls back; skip the profile call, which
    // would probe the file system for nothing.
    if (!m_strFile.IsEmpty()) {
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

int BuildLanguageList(LPCWSTR lpszFolder, LPCWSTR lpszBuiltInText, LPCWSTR lpszCurrentFile,
                      CArray<CLanguageEntry, const CLanguageEntry&>& entries)
{
    entries.RemoveAll();
    CLanguageEntry builtIn = { lpszBuiltInText, CString() };
    entries.Add(builtIn);
    CString folder(lpszFolder);
    int selected = 0;

    CString pattern;
    pattern.Format(L"%s\\Language\\*.ini", (LPCWSTR)folder);
    WIN32_FIND_DATAW fd;
    HANDLE find = ::FindFirstFileW(pattern, &fd);
    if (find == INVALID_HANDLE_VALUE)
        return selected;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        CString name(fd.cFileName);
        int dot = name.ReverseFind(L'.');
        CString fileTitle = dot >= 0 ? name.Left(dot) : name;
        CLanguageEntry entry;
        entry.path.Format(L"%s\\%s\\%s.ini", (LPCWSTR)folder, L"LANGUAGE", (LPCWSTR)fileTitle);
        WCHAR title[MAX_PATH + 1] = {};
        ::GetPrivateProfileStringW(LocalizerSection, L"Title", L"", title, MAX_PATH + 1, entry.path);
        entry.text.Format(L"%s <%s>", title[0] ? title : (LPCWSTR)fileTitle, (LPCWSTR)name);
        if (lpszCurrentFile && entry.path.CompareNoCase(lpszCurrentFile) == 0)
            selected = (int)entries.GetSize();
        entries.Add(entry);
    } while (::FindNextFileW(find, &fd));
    ::FindClose(find);
    return selected;
}
