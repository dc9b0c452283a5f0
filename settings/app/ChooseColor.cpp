#include "ChooseColor.h"
#include "Localizer.h"
#include "Resource.h"

CChooseColor::CChooseColor(const CLocalizer& localizer)
{
    CString text = localizer.LoadLocalizedString(IDS_AUTO_COLOR);
    if (!text.IsEmpty())
        SetDefaultText(text);
    text = localizer.LoadLocalizedString(IDS_MORE_COLORS);
    if (!text.IsEmpty())
        SetCustomText(text);
}

COLORREF ChosenColour(const CColorButton& button)
{
    COLORREF colour = button.GetColor();
    return colour == PopupColorAutomatic && button.IsAutomatic() ? button.GetDefaultColor() : colour;
}
