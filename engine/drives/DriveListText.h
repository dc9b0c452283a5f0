// The texts of the drive menu that depend on nothing but their input: sizes,
// display names, the host's FTP log lines.
#pragma once
#include <windows.h>
#include "Framework.h"

// The five size units (bytes to terabytes). A localised "b|Kb|Mb|Gb|Tb"
// replaces the units it gives; units it lacks keep the built-in ones.
struct SizeUnits {
    CString unit[5] = {L"b", L"Kb", L"Mb", L"Gb", L"Tb"};
    void Read(const CString& text);
};

// "%.2f%s": the size in the largest unit under which it stays above 1024
// (exactly 1024 stays in the smaller unit).
CString ScaleSize(ULONGLONG bytes, const SizeUnits& units);
// "\t %.2f%s/%.2f%s ": free and total, right-aligned in the menu.
CString FreeSpaceText(ULONGLONG freeBytes, ULONGLONG totalBytes, const SizeUnits& units);
// Whether a drive's caption shows its free space: fixed drives, and
// removable ones from "D" in the alphabetic list and from "C" in groups.
bool ShowsFreeSpace(UINT type, WCHAR letter, bool categorised);

// The shell's display name of a drive as the Explorer setting
// "ShowDriveLettersFirst" wants it (`value`, -1 when the key cannot be read).
CString DriveNameForSetting(const CString& displayName, int value, UINT type);

// The FTP connections of the host's log: slot N (0 to 9) from lines
// "N ... hostname=host", "N ... username=user" (appended as "(user)"),
// cleared by "N QUIT" or "N :QUIT...".
struct FtpSlots {
    CString host[10];
    void ReadLine(const CString& line);
};
