// CAboutPage: the last page of the sheet (dialog 500). Pictures and
// quotations; it edits no setting.
#pragma once

#include <windows.h>
#include "PropertySheet.h"

// The two quotations the page sets at run time.
extern const WCHAR AboutQuoteSea[];
extern const WCHAR AboutQuoteNight[];

class CAboutPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CAboutPage)
public:
    CAboutPage();

    BOOL OnInitDialog() override;
};
