#include "SpecialKeyFilter.h"
#include "HotkeyText.h"

namespace {

const int Undecided = 4;

bool IsDriveRoot(LPCWSTR path)
{
    return path && iswalpha(path[0]) && path[1] == L':' && path[2] == 0;
}

bool IsUpKey(HotkeyCode code)
{
    BYTE key = HotkeyKey(code);
    return key == VK_BACK || (key == VK_PRIOR && (HotkeyModifiers(code) & HotkeyCtrl) != 0);
}

} // namespace

int FilterSpecialKey(const HotkeyEntry& entry, const SpecialKeyInput& in, int& escCount, SpecialKeyAction& action)
{
    action = SpecialKeyNoAction;
    if (!entry.fixed)
        return SpecialKeyRunSwallow;
    int outcome = Undecided;
    if (entry.code == VK_END) {
        if (in.editOutsideHost) {
            action = SpecialKeyLeftListToEnd;
            outcome = SpecialKeySwallowOnly;
        } else {
            outcome = SpecialKeyPassOnly;
        }
    }
    if (in.gotoUpFromRoot) {
        if (!IsUpKey(entry.code))
            outcome = Undecided;
        else if (in.listSide < 0)
            outcome = SpecialKeyPassOnly;
        else
            outcome = IsDriveRoot(in.path) ? SpecialKeyRun : SpecialKeyPassOnly;
    }
    if (outcome != Undecided)
        return outcome;
    if (!in.escSpecial)
        return SpecialKeyRun;

    if (in.driveListOpen)
        return SpecialKeyPassOnly;
    if (HotkeyKey(entry.code) != VK_ESCAPE) {
        escCount = 0;
        return SpecialKeyPassOnly;
    }
    if (in.listSide < 0)
        return SpecialKeyPassOnly;
    ++escCount;
    if (in.selectedCount > 0)
        return SpecialKeyRun;
    if (escCount == 1)
        return SpecialKeyPassOnly;
    if (escCount > 2 && (escCount & 1)) {
        action = SpecialKeyRestoreSelection;
        return SpecialKeySwallowOnly;
    }
    return in.itemHeight >= TallListItem ? SpecialKeyRun : SpecialKeyPassOnly;
}
