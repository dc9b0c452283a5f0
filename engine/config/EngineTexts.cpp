#include "EngineTexts.h"
#include "EngineText.h"

namespace {

struct TextRow {
    int id;
    LPCWSTR text;
};

const TextRow DefaultTexts[] = {
    {10, L"Removable"}, {11, L"Network"}, {12, L"CD/DVD"}, {13, L"RAM"}, {14, L"Network && Plugins"},
    {15, L"b|Kb|Mb|Gb|Tb"}, {16, L"Special Folders"}, {17, L"My Computer"}, {18, L"My Documents"},
    {19, L"Portable devices"}, {20, L"No Color"}, {21, L"More Colors"},
    {30, L"Stick Files on Top"}, {31, L"Sticky Files in Folder"}, {32, L"Cancel"}, {33, L"Save"},
    {34, L"Move sticker up"}, {35, L"Move sticker down"}, {36, L"Delete sticker"},
    {37, L"Delete all stickers in the folder"}, {38, L"Delete all stickers"}, {39, L"Type"}, {40, L"File name"},
    {41, L"Do You really want to delete all sticks in all folders? This action is irreversible."},
    {42, L"Save changes?"},
    {50, L"Sticked files are sorted automatically.|Disable sorting to set file order manually."},
    {51, L"Close All"}, {60, L"Sticky Files"}, {61, L"Toggle Stick"}, {62, L"Stick File"}, {63, L"Unstick File"},
    {64, L"Stick Config"}, {65, L"Unstick All"}, {70, L"Reload &Settings"}, {71, L"&Run Prefector"},
    {72, L"&Change Columns Width"}, {73, L"Use File &Grouping"},
    {101, L"Bookmarks"}, {102, L"Clear &All Bookmarks"}, {103, L"&Copy Bookmarks"},
    {104, L"Convert into &Selection"}, {105, L"&Paste Bookmarks"},
    {106, L"All files belong to '%s' folder. Apply selection?"}, {107, L"Sorry, there is no common point to files."},
    {108, L"&Save Bookmarks"}, {109, L"Toggle &Bookmark"}, {110, L"&Next Bookmark"}, {111, L"&Prev Bookmark"},
    {120, L"There are %d open Lister(s).|Exit TC anyway?"},
    {121, L"This Lister is open for several files.\nClose it anyway?"},
};

// The specifiers of a printf format, each from "%" to its conversion letter.
std::vector<CString> Specifiers(LPCWSTR text)
{
    std::vector<CString> found;
    for (LPCWSTR p = text; p && *p; ++p) {
        if (*p != L'%')
            continue;
        if (p[1] == L'%') {
            ++p;
            continue;
        }
        LPCWSTR start = p++;
        while (*p && !iswalpha(*p))
            ++p;
        while (*p && wcschr(L"hlLqjztI", *p) && p[1]) // length modifiers
            ++p;
        found.push_back(CString(start, int(p - start) + (*p ? 1 : 0)));
        if (!*p)
            break;
    }
    return found;
}

bool IsFormatText(int id)
{
    return id == 106 || id == 120;
}

} // namespace

LPCWSTR DefaultEngineText(int id)
{
    for (const TextRow& row : DefaultTexts)
        if (row.id == id)
            return row.text;
    return L"";
}

bool SameFormatSpecifiers(LPCWSTR text, LPCWSTR reference)
{
    return Specifiers(text) == Specifiers(reference);
}

void CEngineTexts::Reset()
{
    m_texts.clear();
    for (const TextRow& row : DefaultTexts)
        m_texts[row.id] = row.text;
}

void CEngineTexts::Load(LPCWSTR localizationFile, HINSTANCE instance)
{
    Reset();
    for (const TextRow& row : DefaultTexts) {
        CString text = LoadEngineText(row.id, row.id == 121 ? 0 : UINT(row.id + 5000), localizationFile, instance);
        if (text.IsEmpty() || (IsFormatText(row.id) && !SameFormatSpecifiers(text, row.text)))
            continue;
        m_texts[row.id] = text;
    }
    // The note before the sticky dialog breaks as its box always did; the
    // Lister questions with a plain line feed.
    m_texts[50].Replace(L"|", L"\r\n");
    for (int id : {120, 121})
        m_texts[id].Replace(L"|", L"\n");
}

CString CEngineTexts::Text(int id) const
{
    auto found = m_texts.find(id);
    return found == m_texts.end() ? CString() : found->second;
}

std::vector<CString> CEngineTexts::SizeUnits() const
{
    std::vector<CString> units;
    CString text = Text(TextSizeUnits);
    int start = 0;
    while (units.size() < 5) {
        int bar = text.Find(L'|', start);
        units.push_back(bar < 0 ? text.Mid(start) : text.Mid(start, bar - start));
        if (bar < 0)
            break;
        start = bar + 1;
    }
    return units;
}
