// The grid's own texts, in English; the settings utility's localiser
// overrides them by number.
#pragma once

#include "Framework.h"

enum GridTextId : UINT
{
    TextCanContain = 128,
    TextMustContain = 129,
    TextNotContains = 130,
};

// The default text of a number, "" for an unknown one.
CString GridDefaultText(UINT nID);
