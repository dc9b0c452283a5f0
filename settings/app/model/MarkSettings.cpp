// The mark settings and the preview backgrounds.
#include "MarkSettings.h"
#include "ColorSetting.h"
#include "IniHelper.h"
#include "IniSection.h"

namespace {

const WCHAR kConfig[] = L"Config";
const WCHAR kDefPreviewFile[] = L"DefPreviewFile";

int StyleIndex(int nStored)
{
    return nStored >= 2 ? nStored - 2 : 0;
}

} // namespace

void LoadMarkSettings(CMarkSettings& marks, LPCWSTR lpszIni)
{
    CIniSection config, colors;
    config.Load(kConfig, lpszIni);
    colors.Load(ColorsSection, lpszIni);
    int markPercent = colors.Int(L"MarkPercent", 33);
    auto Fill = [&](LPCWSTR key) {
        int fill = colors.Int(key, -1);
        return fill == -1 ? markPercent : fill;
    };
    auto Colour = [&](LPCWSTR key, COLORREF defaultColour) { return ParseColorText(colors.Text(key), defaultColour); };

    marks.sticky.nEnabled = config.Int(L"StickyFiles", 0);
    marks.sticky.nExtra = config.Int(L"StickySort", 1);
    marks.sticky.crColour = Colour(L"StickColor", ::GetSysColor(COLOR_ACTIVECAPTION));
    marks.sticky.nStyle = StyleIndex(colors.Int(L"StickStyle", 0));
    marks.sticky.nFill = Fill(L"MarkPercentStick");

    marks.bookmark.nEnabled = config.Int(L"BookMarks", 0);
    marks.bookmark.nExtra = config.Int(L"PersistBookmarks", 0);
    marks.bookmark.crColour = Colour(L"BookMarkColor", 0xE696E6);
    marks.bookmark.nStyle = StyleIndex(colors.Int(L"BookMarkStyle", 0));
    marks.bookmark.nFill = Fill(L"MarkPercentBM");

    marks.cursor.nEnabled = config.Int(L"LostFocus", 0);
    marks.cursor.nExtra = 0;
    marks.cursor.crColour = Colour(L"LostFocusColor", ColorAutomatic);
    marks.cursor.nStyle = StyleIndex(colors.Int(L"LostFocusStyle", 3));
    marks.cursor.nFill = Fill(L"MarkPercentCursor");
}

void SaveMarkSettings(const CMarkSettings& marks, const CIniHelper& ini, const CStringArray& backgrounds)
{
    auto Style = [](const CMarkSetting& mark) { return mark.nStyle + 2; };
    ini.WriteInt(kConfig, L"StickyFiles", marks.sticky.nEnabled);
    ini.WriteInt(kConfig, L"StickySort", marks.sticky.nExtra);
    ini.WriteColour(ColorsSection, L"StickColor", marks.sticky.crColour);
    ini.WriteInt(ColorsSection, L"StickStyle", Style(marks.sticky));
    ini.WriteInt(ColorsSection, L"MarkPercentStick", marks.sticky.nFill);
    ini.WriteInt(kConfig, L"BookMarks", marks.bookmark.nEnabled);
    ini.WriteColour(ColorsSection, L"BookMarkColor", marks.bookmark.crColour);
    ini.WriteInt(ColorsSection, L"BookMarkStyle", Style(marks.bookmark));
    ini.WriteInt(kConfig, L"PersistBookmarks", marks.bookmark.nExtra);
    ini.WriteInt(ColorsSection, L"MarkPercentBM", marks.bookmark.nFill);
    ini.WriteInt(kConfig, L"LostFocus", marks.cursor.nEnabled);
    ini.WriteColour(ColorsSection, L"LostFocusColor", marks.cursor.crColour);
    ini.WriteInt(ColorsSection, L"LostFocusStyle", Style(marks.cursor));
    ini.WriteInt(ColorsSection, L"MarkPercentCursor", marks.cursor.nFill);
    bool chosen = marks.nBackground > 0 && marks.nBackground < backgrounds.GetSize();
    ini.WriteString(kConfig, kDefPreviewFile, chosen ? (LPCWSTR)backgrounds[marks.nBackground] : nullptr);
}

int BuildPreviewBackgrounds(LPCWSTR lpszFolder, LPCWSTR lpszDefault, LPCWSTR lpszIni, CStringArray& backgrounds)
{
    backgrounds.RemoveAll();
    backgrounds.Add(lpszDefault);
    CString pattern;
    pattern.Format(L"%s\\*.bkg.bmp", lpszFolder ? lpszFolder : L"");
    WIN32_FIND_DATAW fd;
    HANDLE find = ::FindFirstFileW(pattern, &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                backgrounds.Add(CString(fd.cFileName));
        } while (::FindNextFileW(find, &fd));
        ::FindClose(find);
    }
    CString chosen = CIniHelper(lpszIni).ReadString(kConfig, kDefPreviewFile);
    for (INT_PTR i = 1; i < backgrounds.GetSize() && !chosen.IsEmpty(); ++i) {
        if (backgrounds[i] == chosen)
            return (int)i;
    }
    return 0;
}
