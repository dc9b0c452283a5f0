// CChooseColor: the colour button of the settings pages, its box texts
// localised ("Auto Color", "More Colors") where the language file or the
// string table gives a text.
#pragma once

#include "ColorButton.h"

class CLocalizer;

class CChooseColor : public CColorButton
{
public:
    explicit CChooseColor(const CLocalizer& localizer);
};
