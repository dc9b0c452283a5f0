#include "DriveListText.h"

void SizeUnits::Read(const CString& text)
{
    int start = 0;
    for (int i = 0; i < 5 && start <= text.GetLength(); ++i) {
        int bar = text.Find(L'|', start);
        CString part = bar < 0 ? text.Mid(start) : text.Mid(start, bar - start);
        if (!part.IsEmpty())
            unit[i] = part;
        if (bar < 0)
            break;
        start = bar + 1;
    }
}

CString ScaleSize(ULONGLONG bytes, const SizeUnits& units)
{
    int index = 0;
    while (index < 4 && (bytes >> (10 * index)) > 1024)
        ++index;
    double value = double(bytes) / double(1ULL << (10 * index));
    CString text;
    text.Format(L"%.2f%s", value, units.unit[index].GetString());
    return text;
}

CString FreeSpaceText(ULONGLONG freeBytes, ULONGLONG totalBytes, const SizeUnits& units)
{
    CString text;
    text.Format(L"\t %s/%s ", ScaleSize(freeBytes, units).GetString(), ScaleSize(totalBytes, units).GetString());
    return text;
}

bool ShowsFreeSpace(UINT type, WCHAR letter, bool categorised)
{
    if (type == DRIVE_FIXED)
        return true;
    return type == DRIVE_REMOVABLE && letter >= (categorised ? L'C' : L'D');
}

CString DriveNameForSetting(const CString& displayName, int value, UINT type)
{
    int close = displayName.Find(L')');
    switch (value) {
    case 0: {
        int open = displayName.ReverseFind(L'(');
        return open < 0 ? displayName : displayName.Left(open);
    }
    case 1:
        if (type != DRIVE_REMOTE)
            return DriveNameForSetting(displayName, 0, type);
        return close < 0 ? displayName : displayName.Mid(close + 1);
    case 4:
        return close < 0 ? displayName : displayName.Mid(close + 1);
    default:
        return displayName;
    }
}

void FtpSlots::ReadLine(const CString& line)
{
    int digits = 0, slot = 0;
    for (; line[digits] >= L'0' && line[digits] <= L'9'; ++digits) {
        if (slot <= 9)
            slot = slot * 10 + (line[digits] - L'0');
    }
    if (digits == 0 || slot > 9)
        return; // no number, or one outside 0 to 9 (leading zeros count for nothing)
    int at = line.Find(L"hostname=");
    if (at >= 0) {
        host[slot] = line.Mid(at + 9);
        return;
    }
    at = line.Find(L"username=");
    if (at >= 0) {
        host[slot] += L"(" + line.Mid(at + 9) + L")";
        return;
    }
    CString rest = line.Mid(digits);
    rest.TrimLeft();
    if (rest.Left(5) == L":QUIT" || rest == L"QUIT")
        host[slot].Empty();
}
