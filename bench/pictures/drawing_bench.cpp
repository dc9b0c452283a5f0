// Cost of the drawing helpers: a full-HD PNG loaded, gradients of an item's
// size and of a screen's height, an alpha mask of a row. Prints
// "name: value unit" (the best of several rounds).
#include <windows.h>
#include <wincodec.h>
#include <cstdio>
#include <string>
#include <vector>
#include "AlphaMask.h"
#include "BitmapEx.h"
#include "ColorGradient.h"
#include "BenchTiming.h"

namespace {

// A 1920 x 1080 PNG with alpha and a pattern that does not compress to nothing.
bool WriteTestPng(const std::wstring& path)
{
    const UINT width = 1920, height = 1080;
    std::vector<BYTE> pixels((size_t)width * height * 4);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = (BYTE)((i * 2654435761u) >> 24);
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    bool ok = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IWICImagingFactory, (void**)&factory)) &&
              SUCCEEDED(factory->CreateStream(&stream)) &&
              SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
              SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
              SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
              SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
              SUCCEEDED(frame->SetSize(width, height)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
              SUCCEEDED(frame->WritePixels(height, width * 4, (UINT)pixels.size(), pixels.data())) &&
              SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    for (IUnknown* object : {(IUnknown*)frame, (IUnknown*)encoder, (IUnknown*)stream, (IUnknown*)factory})
        if (object)
            object->Release();
    return ok;
}

} // namespace

int wmain(int, wchar_t**)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring png = std::wstring(temp) + L"drawbench" + std::to_wstring(GetCurrentProcessId()) + L".png";
    if (WriteTestPng(png)) {
        CBitmapEx picture;
        double load = BestMs(5, [&] { picture.LoadPicture(png.c_str()); });
        wprintf(L"load_png_1920x1080: %.2f ms\n", load);
    }
    DeleteFileW(png.c_str());

    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    CBitmap canvas;
    canvas.CreateDIB32(1920, 1200);
    screen.SelectObject(&canvas);
    CRect item(0, 0, 300, 20), column(0, 0, 200, 1200), row(0, 0, 400, 20);
    wprintf(L"gradient_item_300x20: %.3f ms\n", BestMs(50, [&] { FillGradient(&screen, &item, 0xFF8040, 0x2040FF, 1); }));
    wprintf(L"gradient_height_1200: %.3f ms\n", BestMs(20, [&] { BandFill(&screen, &column, 0x000000, 0xFFFFFF, TRUE); }));
    AlphaMask mask;
    wprintf(L"alpha_mask_build_400x20: %.3f ms\n", BestMs(50, [&] { mask.Build(&screen, &row, 0x3080F0, 400, 1); }));
    wprintf(L"alpha_mask_draw_400x20: %.3f ms\n", BestMs(50, [&] { mask.Draw(&screen, CPoint(10, 10)); }));
    // The share of a build that is the system's: making and freeing the DIB section alone.
    wprintf(L"dib_section_400x20_baseline: %.3f ms\n", BestMs(50, [&] {
        CBitmap bitmap;
        bitmap.CreateDIB32(400, 20);
    }));
    CoUninitialize();
    return 0;
}
