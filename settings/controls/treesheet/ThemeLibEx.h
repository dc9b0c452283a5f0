// CThemeLibEx: the visual-styles library bound at run time, so the page
// frame draws without themes where the library is missing.
#pragma once

#include <windows.h>
#include <uxtheme.h>

namespace TreePropSheet
{

class CThemeLibEx
{
public:
    CThemeLibEx();
    ~CThemeLibEx();
    CThemeLibEx(const CThemeLibEx&) = delete;
    CThemeLibEx& operator=(const CThemeLibEx&) = delete;

    // The library was loaded and every function found.
    BOOL IsAvailable() const { return m_hLib != nullptr; }
    // Available, and the application is themed with an active theme.
    BOOL IsThemed() const;

    BOOL IsAppThemed() const;
    BOOL IsThemeActive() const;
    HTHEME OpenThemeData(HWND hwnd, LPCWSTR pszClassList) const;
    HRESULT CloseThemeData(HTHEME hTheme) const;
    HRESULT GetThemeBackgroundContentRect(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCRECT pBoundingRect,
                                          LPRECT pContentRect) const;
    HRESULT DrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCRECT pRect,
                                LPCRECT pClipRect) const;
    HRESULT GetThemeColor(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor) const;

private:
    using PFN_IsAppThemed = BOOL(WINAPI*)();
    using PFN_IsThemeActive = BOOL(WINAPI*)();
    using PFN_OpenThemeData = HTHEME(WINAPI*)(HWND, LPCWSTR);
    using PFN_CloseThemeData = HRESULT(WINAPI*)(HTHEME);
    using PFN_GetThemeBackgroundContentRect = HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCRECT, LPRECT);
    using PFN_DrawThemeBackground = HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCRECT, LPCRECT);
    using PFN_GetThemeColor = HRESULT(WINAPI*)(HTHEME, int, int, int, COLORREF*);

    HMODULE m_hLib = nullptr;
    PFN_IsAppThemed m_pfnIsAppThemed = nullptr;
    PFN_IsThemeActive m_pfnIsThemeActive = nullptr;
    PFN_OpenThemeData m_pfnOpenThemeData = nullptr;
    PFN_CloseThemeData m_pfnCloseThemeData = nullptr;
    PFN_GetThemeBackgroundContentRect m_pfnGetThemeBackgroundContentRect = nullptr;
    PFN_DrawThemeBackground m_pfnDrawThemeBackground = nullptr;
    PFN_GetThemeColor m_pfnGetThemeColor = nullptr;
};

} // namespace TreePropSheet
