// CChooseColor: the colour button of the settings pages, its box texts
// localised ("Auto Color", "More Colors") where the language file or the
// string table gives a text.
#pragma once

#include "ColorButton.h"

class CLocalizer;

// The colour a settings button stands for: its colour, or its default
// colour while it shows automatic.
COLORREF ChosenColour(const CColorButton& button);

class CChooseColor : public CColorButton
{
public:
    explicit CChooseColor(const CLocalizer& localizer);
};
