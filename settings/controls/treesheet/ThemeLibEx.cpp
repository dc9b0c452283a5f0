// CThemeLibEx.
#include "ThemeLibEx.h"

namespace TreePropSheet
{

namespace {

template <class T>
bool Bind(HMODULE lib, const char* name, T& pfn)
{
    pfn = reinterpret_cast<T>(reinterpret_cast<void*>(::GetProcAddress(lib, name)));
    return pfn != nullptr;
}

} // namespace

CThemeLibEx::CThemeLibEx()
{
    HMODULE lib = ::LoadLibraryW(L"uxtheme.dll");
    if (!lib)
        return;
    bool all = Bind(lib, "IsAppThemed", m_pfnIsAppThemed) && Bind(lib, "IsThemeActive", m_pfnIsThemeActive) &&
               Bind(lib, "OpenThemeData", m_pfnOpenThemeData) && Bind(lib, "CloseThemeData", m_pfnCloseThemeData) &&
               Bind(lib, "GetThemeBackgroundContentRect", m_pfnGetThemeBackgroundContentRect) &&
               Bind(lib, "DrawThemeBackground", m_pfnDrawThemeBackground) &&
               Bind(lib, "GetThemeColor", m_pfnGetThemeColor);
    if (all)
        m_hLib = lib;
    else
        ::FreeLibrary(lib);
}

CThemeLibEx::~CThemeLibEx()
{
    if (m_hLib)
        ::FreeLibrary(m_hLib);
}

BOOL CThemeLibEx::IsThemed() const
{
    return IsAvailable() && IsAppThemed() && IsThemeActive();
}

BOOL CThemeLibEx::IsAppThemed() const
{
    return m_hLib ? m_pfnIsAppThemed() : FALSE;
}

BOOL CThemeLibEx::IsThemeActive() const
{
    return m_hLib ? m_pfnIsThemeActive() : FALSE;
}

HTHEME CThemeLibEx::OpenThemeData(HWND hwnd, LPCWSTR pszClassList) const
{
    return m_hLib ? m_pfnOpenThemeData(hwnd, pszClassList) : nullptr;
}

HRESULT CThemeLibEx::CloseThemeData(HTHEME hTheme) const
{
    return m_hLib ? m_pfnCloseThemeData(hTheme) : E_FAIL;
}

HRESULT CThemeLibEx::GetThemeBackgroundContentRect(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                                   LPCRECT pBoundingRect, LPRECT pContentRect) const
{
    return m_hLib ? m_pfnGetThemeBackgroundContentRect(hTheme, hdc, iPartId, iStateId, pBoundingRect, pContentRect)
                  : E_FAIL;
}

HRESULT CThemeLibEx::DrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCRECT pRect,
                                         LPCRECT pClipRect) const
{
    return m_hLib ? m_pfnDrawThemeBackground(hTheme, hdc, iPartId, iStateId, pRect, pClipRect) : E_FAIL;
}

HRESULT CThemeLibEx::GetThemeColor(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor) const
{
    return m_hLib ? m_pfnGetThemeColor(hTheme, iPartId, iStateId, iPropId, pColor) : E_FAIL;
}

} // namespace TreePropSheet
