#include "AboutPage.h"
#include "Resource.h"
#include "WinApp.h"

const WCHAR AboutQuoteSea[] = L"The sea, once it casts its spell, holds one in its net of wonder forever.";
const WCHAR AboutQuoteNight[] = L"We are all in the gutter, but some of us are looking at the stars.";

IMPLEMENT_DYNCREATE(CAboutPage, CPropertyPage)

CAboutPage::CAboutPage() : CPropertyPage(IDD_ABOUT, IDD_ABOUT)
{
    HICON icon = (HICON)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_ABOUT), IMAGE_ICON, 16, 16,
                                     LR_SHARED);
    if (icon) {
        m_psp.dwFlags |= PSP_USEHICON;
        m_psp.hIcon = icon;
    }
}

BOOL CAboutPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    SetDlgItemText(IDC_ABOUT_QUOTE_1, AboutQuoteSea);
    SetDlgItemText(IDC_ABOUT_QUOTE_2, AboutQuoteNight);
    return TRUE;
}
