// CPlaceholderPage.
#include "PlaceholderPage.h"
#include "Localizer.h"
#include "Resource.h"

CPlaceholderPage::CPlaceholderPage(UINT nIDTemplate, const CLocalizer& localizer)
    : CPropertyPage(nIDTemplate, nIDTemplate), m_localizer(localizer)
{
}

BOOL CPlaceholderPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CString note = m_localizer.LoadLocalizedString(IDS_PLACEHOLDER);
    if (!note.IsEmpty())
        SetDlgItemText(IDC_PLACEHOLDER_TEXT, note);
    return TRUE;
}
