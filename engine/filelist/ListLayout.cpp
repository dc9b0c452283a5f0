// The layout of a host file list, decided from its style, its first rows and,
// where the text alone cannot tell, from what the host draws for row 0.
#include "TCFileList.h"
#include "CaptureGuard.h"
#include "EngineContext.h"

bool IsGraphic(WCHAR c)
{
    return c > L' ' && c != 0x7F && c != 0xA0;
}

void TrimNonGraphic(CString& text)
{
    int length = text.GetLength();
    while (length > 0 && !IsGraphic(text[length - 1]))
        --length;
    if (length < text.GetLength())
        text = text.Left(length);
}

void TrimNonGraphic(std::wstring& text)
{
    size_t length = text.size();
    while (length > 0 && !IsGraphic(text[length - 1]))
        --length;
    text.resize(length);
}

namespace {

int WithoutTrailing(LPCWSTR text, int length, bool (*keep)(WCHAR))
{
    while (length > 0 && !keep(text[length - 1]))
        --length;
    return length;
}

bool NotBlank(WCHAR c)
{
    return c != L' ';
}

int Find(LPCWSTR text, int length, LPCWSTR what, int from = 0)
{
    int size = lstrlenW(what);
    for (int i = from; i + size <= length; ++i)
        if (wcsncmp(text + i, what, size) == 0)
            return i;
    return -1;
}

bool HoldsAnyOf(LPCWSTR text, int length, LPCWSTR set)
{
    for (int i = 0; i < length; ++i)
        if (text[i] && wcschr(set, text[i]))
            return true;
    return false;
}

} // namespace

int FileNameLength(LPCWSTR text, int length, int sizeStyle)
{
    int tab = Find(text, length, L"\t", 1);
    if (tab > 0)
        return tab;
    int marker = Find(text, length, L" >");
    if (marker >= 0)
        return WithoutTrailing(text, marker, NotBlank);
    int open = Find(text, length, L"<");
    if (open >= 0 && Find(text, length, L">", open) > open)
        return WithoutTrailing(text, open, IsGraphic);
    // A text with a date or other characters a name cannot hold: the
    // columns after the name (size, date, time, attributes) go.
    if (length >= 22 && HoldsAnyOf(text, length, L"\"<>:/\\?*")) {
        for (int column = sizeStyle ? 5 : 4; column > 0; --column) {
            length = WithoutTrailing(text, length, NotBlank);
            while (length > 0 && text[length - 1] != L' ')
                --length;
            length = length > 0 ? length - 1 : 0;
        }
        length = WithoutTrailing(text, length, NotBlank);
    }
    return length;
}

int ExtractFileName(CString& text, UINT layout, int sizeStyle)
{
    if (layout == LayoutMultiColumn)
        return 1;
    if (layout == LayoutThumbnails || layout == LayoutVirtualFolder)
        return 0;
    int length = FileNameLength(text, text.GetLength(), sizeStyle);
    if (length < text.GetLength())
        text = text.Left(length);
    return 1;
}

bool CTCFileList::IsMultiColumn() const
{
    return m_hWnd && (::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & LBS_MULTICOLUMN) != 0;
}

UINT CTCFileList::ClassifyLayout(LPCWSTR text, bool store)
{
    UINT layout = DetermineLayout(text);
    if (store)
        m_layout = m_markLayout = layout;
    return layout;
}

UINT CTCFileList::DetermineLayout(LPCWSTR text)
{
    if (IsMultiColumn())
        return LayoutMultiColumn;
    int count = Count();
    if (count <= 0)
        return LayoutUnclassified;
    if ((int)Forward(LB_GETITEMHEIGHT, 0) > ThumbnailRowHeight)
        return LayoutThumbnails;
    CString first = GetRowText(0);
    if (first == L".\\." || first == CString(L"\\") + m_engine.Host().desktopName)
        return LayoutVirtualFolder;
    CString row = text ? CString(text) : first;
    if (row == L"..") {
        if (count == 1)
            return LayoutUnclassified;
        row = GetRowText(1);
    }
    int close = row.Find(L'>');
    int open = row.Find(L'<');
    if (close >= 0 && (open < 0 || open > close))
        return LayoutNameMarker;
    if (open < 0 || row.Find(L'>', open) < 0)
        return LayoutColumns;
    // The host draws each column on its own: the name is the first piece.
    CString drawn = CaptureItemText(0);
    int bar = drawn.Find(L'|');
    if (bar >= 0)
        drawn = drawn.Left(bar);
    LPCWSTR parent = m_engine.Host().dirBrackets ? L"[..]" : L"..";
    return drawn == parent ? LayoutColumnsWithParent : LayoutColumns;
}

namespace {

const int CaptureLength = 1024;

struct CCaptureText {
    CString text;
    int pieces = 0;

    void Add(LPCWSTR piece, int length)
    {
        if (pieces++ > 0)
            Append(L"|", 1);
        Append(piece, length);
    }
    void Append(LPCWSTR piece, int length)
    {
        int room = CaptureLength - 1 - text.GetLength();
        if (room > 0)
            text.Append(piece, length < room ? length : room);
    }
};

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data)
{
    auto* capture = reinterpret_cast<CCaptureText*>(data);
    switch (record->iType) {
    case EMR_EXTTEXTOUTW: {
        auto* out = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const EMRTEXT& text = out->emrtext;
        // The string lies inside the record; a record that claims more is cut.
        DWORD end = text.offString + text.nChars * sizeof(WCHAR);
        if (text.offString >= sizeof(EMREXTTEXTOUTW) && end <= record->nSize)
            capture->Add(reinterpret_cast<LPCWSTR>(reinterpret_cast<const BYTE*>(record) + text.offString),
                         (int)text.nChars);
        break;
    }
    case EMR_EXTTEXTOUTA:
    case EMR_POLYTEXTOUTA:
    case EMR_POLYTEXTOUTW:
        capture->Add(L"EMR_EXTTEXTOUTA or *poly", 24);
        break;
    }
    return 1;
}

} // namespace

CString CTCFileList::CaptureItemText(int row)
{
    CCaptureText capture;
    HWND parent = ::GetParent(m_hWnd);
    HDC listDC = ::GetDC(m_hWnd);
    if (!parent || !listDC) {
        if (listDC)
            ::ReleaseDC(m_hWnd, listDC);
        return capture.text;
    }
    RECT frame = {0, 0, 1000000, 1000000};
    HDC metaDC = ::CreateEnhMetaFileW(listDC, nullptr, &frame, nullptr);
    if (metaDC) {
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_LISTBOX;
        item.CtlID = (UINT)(UINT_PTR)m_hWnd;
        item.itemID = (UINT)row;
        item.itemAction = ODA_DRAWENTIRE;
        item.hwndItem = m_hWnd;
        item.hDC = metaDC;
        Forward(LB_GETITEMRECT, row, (LPARAM)&item.rcItem);
        ::OffsetRect(&item.rcItem, -item.rcItem.left, -item.rcItem.top);
        item.itemData = (ULONG_PTR)Forward(LB_GETITEMDATA, row);
        {
            CCaptureGuard guard(m_capturing);
            m_captureDC = metaDC;
            ::SendMessageW(parent, WM_DRAWITEM, item.CtlID, (LPARAM)&item);
            m_captureDC = nullptr;
        }
        HENHMETAFILE meta = ::CloseEnhMetaFile(metaDC);
        if (meta) {
            ::EnumEnhMetaFile(nullptr, meta, CollectText, &capture, nullptr);
            ::DeleteEnhMetaFile(meta);
        }
    }
    ::ReleaseDC(m_hWnd, listDC);
    return capture.text;
}

bool CTCFileList::IsCaptureDraw(HDC dc) const
{
    return m_capturing && dc && (dc == m_captureDC || ::GetObjectType(dc) == OBJ_ENHMETADC);
}
