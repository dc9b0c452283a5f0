// CTime.
#include "DateTime.h"
#include <cwchar>
#include <vector>

CString CTime::Format(LPCWSTR pszFormat) const
{
    struct tm parts = {};
    if (!pszFormat || !*pszFormat || localtime_s(&parts, &m_time) != 0)
        return CString();
    // wcsftime gives no reliable sign of a full buffer: a text that reaches
    // the last places is made again in a larger one.
    for (size_t size = 256; size <= 65536; size *= 4) {
        std::vector<WCHAR> buffer(size, L'\0');
        size_t length = wcsftime(buffer.data(), size, pszFormat, &parts);
        if (length > 0 && length < size - 1)
            return CString(buffer.data(), (int)length);
    }
    return CString();
}
