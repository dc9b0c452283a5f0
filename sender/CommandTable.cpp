#include "CommandTable.h"

#include <windows.h>

namespace {

struct EngineCommandName {
    const wchar_t* name;
    int number;
};

const EngineCommandName kEngineCommands[] = {
    {L"StickConfig", 65509},
    {L"StickIt", 65510},
    {L"ToggleStick", 65511},
    {L"UnstickIt", 65512},
    {L"UnstickAll", 65513},
    {L"ToggleBookMark", 65501},
    {L"BookMarkNext", 65502},
    {L"BookMarkPrev", 65503},
    {L"Book2Selection", 65505},
    {L"CopyBookMark", 65506},
    {L"PasteBookMark", 65507},
    {L"ClearBookMark", 65518},
    {L"ToggleSaveBookMark", 65519},
    {L"JumpBookMark", 65504},
    {L"NextQuickView", 65515},
    {L"SelectTabColor", 65516},
    {L"ReloadSettings", 65520},
    {L"UseFileGrouping", 65523},
    {L"ShowMVMenu", 65524},
    {L"GotoDirRelative", 65529},
};

}  // namespace

int FindEngineCommand(const wchar_t* name)
{
    // Searched from the last row to the first.
    for (int i = static_cast<int>(sizeof kEngineCommands / sizeof kEngineCommands[0]) - 1; i >= 0; --i) {
        if (CompareStringOrdinal(name, -1, kEngineCommands[i].name, -1, TRUE) == CSTR_EQUAL)
            return kEngineCommands[i].number;
    }
    return 0;
}
