#include "TCShot.h"
#include <wincodec.h>
#include <vector>

// Renders one window (frame and client) into a bitmap of its own size, so the
// control's own clipping works in its coordinates, then copies it into place.
static void PrintOne(HDC target, HWND wnd, const RECT& rc, bool clientOnly)
{
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0)
        return;
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bmp = CreateCompatibleBitmap(target, w, h);
    HGDIOBJ old = SelectObject(dc, bmp);
    SendMessageW(wnd, WM_PRINT, (WPARAM)dc, (clientOnly ? 0 : PRF_NONCLIENT) | PRF_CLIENT | PRF_ERASEBKGND);
    BitBlt(target, rc.left, rc.top, w, h, dc, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
}

static void PrintTree(HDC dc, HWND wnd, HWND root)
{
    if (!IsWindowVisible(wnd))
        return;
    RECT rc;
    if (wnd == root) {
        GetClientRect(wnd, &rc);
    } else {
        GetWindowRect(wnd, &rc);
        MapWindowPoints(nullptr, root, (POINT*)&rc, 2);
    }
    PrintOne(dc, wnd, rc, wnd == root);
    int saved = SaveDC(dc);
    // Children stay inside their parent's client area.
    RECT client;
    GetClientRect(wnd, &client);
    MapWindowPoints(wnd, root, (POINT*)&client, 2);
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    HWND first = GetWindow(wnd, GW_CHILD);
    for (HWND child = first ? GetWindow(first, GW_HWNDLAST) : nullptr; child; child = GetWindow(child, GW_HWNDPREV))
        PrintTree(dc, child, root);
    RestoreDC(dc, saved);
}

static bool WritePng(const std::wstring& path, const BYTE* bits, int width, int height)
{
    bool ok = false;
    HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   (void**)&factory))
        && SUCCEEDED(factory->CreateStream(&stream))
        && SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE))
        && SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder))
        && SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache))
        && SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr))
        && SUCCEEDED(frame->Initialize(nullptr))
        && SUCCEEDED(frame->SetSize(width, height))) {
        WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
        ok = SUCCEEDED(frame->SetPixelFormat(&format)) && IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA)
            && SUCCEEDED(frame->WritePixels(height, width * 4, width * height * 4, const_cast<BYTE*>(bits)))
            && SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    }
    if (frame) frame->Release();
    if (encoder) encoder->Release();
    if (stream) stream->Release();
    if (factory) factory->Release();
    if (SUCCEEDED(init))
        CoUninitialize();
    return ok;
}

bool SaveWindowPng(HWND wnd, const std::wstring& path)
{
    RECT rc;
    GetClientRect(wnd, &rc);
    int width = rc.right, height = rc.bottom;
    if (width <= 0 || height <= 0)
        return false;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bmp) {
        DeleteDC(dc);
        return false;
    }
    HGDIOBJ old = SelectObject(dc, bmp);
    PrintTree(dc, wnd, wnd);
    GdiFlush();
    // GDI leaves the alpha byte undefined: make every pixel opaque.
    BYTE* p = (BYTE*)bits;
    for (int i = 0; i < width * height; ++i)
        p[i * 4 + 3] = 255;
    bool ok = WritePng(path, p, width, height);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return ok;
}
