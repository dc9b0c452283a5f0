// CPlaceholderPage: a page that is not built yet. It stands in the sheet
// under its own dialog id and caption, so the page tree has its final shape,
// shows a short note and edits nothing.
#pragma once

#include "PropertySheet.h"

class CLocalizer;

class CPlaceholderPage : public CPropertyPage
{
public:
    CPlaceholderPage(UINT nIDTemplate, const CLocalizer& localizer);

    BOOL OnInitDialog() override;

private:
    const CLocalizer& m_localizer;
};
