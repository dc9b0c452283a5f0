#include "Clipboard.h"
#include <shellapi.h>
#include <shlwapi.h>

bool PutClipboardText(HWND owner, const CString& text)
{
    if (!::OpenClipboard(owner))
        return false;
    bool done = false;
    if (::EmptyClipboard()) {
        SIZE_T bytes = (text.GetLength() + 1) * sizeof(WCHAR);
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
        if (void* data = block ? ::GlobalLock(block) : nullptr) {
            memcpy(data, (LPCWSTR)text, bytes);
            ::GlobalUnlock(block);
            done = ::SetClipboardData(CF_UNICODETEXT, block) != nullptr;
        }
        if (block && !done)
            ::GlobalFree(block); // the clipboard took nothing
    }
    ::CloseClipboard();
    return done;
}

std::vector<CString> SplitPastedText(LPCWSTR text)
{
    std::vector<CString> paths;
    for (LPCWSTR start = text;;) {
        LPCWSTR end = start;
        while (*end && *end != L'\r' && *end != L'\n')
            ++end;
        int length = (int)(end - start);
        if (length > 0 && length <= BookmarkMaxLength) {
            CString line(start, length);
            if (!::PathIsRelativeW(line))
                paths.push_back(line);
        }
        if (!*end)
            break;
        start = end + (end[0] == L'\r' && end[1] == L'\n' ? 2 : 1);
    }
    return paths;
}

bool ReadClipboardPaths(HWND owner, CPastedPaths& pasted)
{
    pasted = CPastedPaths();
    bool text = ::IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
    if (!text && !::IsClipboardFormatAvailable(CF_HDROP))
        return false;
    if (!::OpenClipboard(owner))
        return false;
    bool found = false;
    if (text) {
        HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
        if (LPCWSTR chars = data ? static_cast<LPCWSTR>(::GlobalLock(data)) : nullptr) {
            size_t size = ::GlobalSize(data) / sizeof(WCHAR);
            pasted.paths = SplitPastedText(CString(chars, (int)wcsnlen(chars, size)));
            ::GlobalUnlock(data);
            pasted.fromText = found = true;
        }
    } else if (HDROP drop = static_cast<HDROP>(::GetClipboardData(CF_HDROP))) {
        UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            WCHAR name[BookmarkMaxLength + 2] = {};
            UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
            if (length > 0 && length <= BookmarkMaxLength && ::DragQueryFileW(drop, i, name, BookmarkMaxLength + 1))
                pasted.paths.push_back(name);
        }
        found = true;
    }
    ::CloseClipboard();
    return found;
}
