// The engine's text table: every localisable text of the engine's menus and
// messages, with its built-in default. At start-up each text is replaced by
// the localisation file's or the string table's text (LoadEngineText) when
// that is not empty; a text that is used as a format keeps the default unless
// the replacement has the same conversion specifiers.
#pragma once
#include <windows.h>
#include <map>
#include <vector>
#include "Strings.h"

// Texts with a meaning of their own to the code that shows them.
enum EngineTextId {
    TextSizeUnits = 15,
    TextStickySorted = 50,
    TextToggleStick = 61,
    TextStickIt = 62,
    TextUnStickIt = 63,
    TextStickConfig = 64,
    TextUnStickAll = 65,
    TextReloadSettings = 70,
    TextRunSettings = 71,
    TextChangeColumns = 72,
    TextUseFileGrouping = 73,
    TextBookmarks = 101,
    TextClearBookmarks = 102,
    TextCopyBookmarks = 103,
    TextBookmarksToSelection = 104,
    TextPasteBookmarks = 105,
    TextApplySelection = 106,
    TextNoCommonPoint = 107,
    TextSaveBookmarks = 108,
    TextToggleBookmark = 109,
    TextNextBookmark = 110,
    TextPrevBookmark = 111,
    TextOpenListers = 120,
    TextMultiLister = 121,
};

// The built-in text of `id`; empty for an id the table does not hold.
LPCWSTR DefaultEngineText(int id);
// Whether `text` has the same conversion specifiers, in the same order, as
// `reference` ("%%" is no specifier).
bool SameFormatSpecifiers(LPCWSTR text, LPCWSTR reference);

class CEngineTexts {
public:
    CEngineTexts() { Reset(); }

    // Every text back to its default.
    void Reset();
    // Reads every text (localisation file, then string resource id + 5000;
    // none for 121) and post-processes: "|" becomes a line break in 50
    // (CR LF), 120 and 121 (LF).
    void Load(LPCWSTR localizationFile, HINSTANCE instance);
    // The text of `id`; empty for an unknown id.
    CString Text(int id) const;
    // Text 15 split at "|" into at most five size units.
    std::vector<CString> SizeUnits() const;

private:
    std::map<int, CString> m_texts;
};
