#include "TCShot.h"
#include <wincodec.h>
#include <cwchar>
#include <vector>

namespace {

struct CTopWindows {
    DWORD thread;
    std::vector<HWND> windows;  // top of the z-order first
};

BOOL CALLBACK CollectTop(HWND wnd, LPARAM lParam)
{
    auto* top = (CTopWindows*)lParam;
    if (IsWindowVisible(wnd) && GetWindowThreadProcessId(wnd, nullptr) == top->thread)
        top->windows.push_back(wnd);
    return TRUE;
}

// A top-down 32-bit DIB selected into a memory DC, freed at the end of scope.
class CDibCanvas {
public:
    CDibCanvas(int width, int height) : m_dc(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = (DWORD*)bits;
        if (m_bitmap)
            m_old = SelectObject(m_dc, m_bitmap);
    }
    ~CDibCanvas()
    {
        if (m_bitmap) {
            SelectObject(m_dc, m_old);
            DeleteObject(m_bitmap);
        }
        DeleteDC(m_dc);
    }
    CDibCanvas(const CDibCanvas&) = delete;
    CDibCanvas& operator=(const CDibCanvas&) = delete;
    bool Ok() const { return m_bitmap != nullptr; }
    HDC Dc() const { return m_dc; }
    DWORD* Bits() const { return m_bits; }

private:
    HDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    DWORD* m_bits = nullptr;
};

} // namespace

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

bool SaveHostPng(HWND main, const std::wstring& path)
{
    CTopWindows top{GetWindowThreadProcessId(main, nullptr), {}};
    EnumWindows(CollectTop, (LPARAM)&top);
    // The main window and what lies above it, bottom first; the picture spans them all.
    std::vector<HWND> shown;
    for (HWND wnd : top.windows) {
        shown.insert(shown.begin(), wnd);
        if (wnd == main)
            break;
    }
    RECT area;
    if (shown.empty() || shown.front() != main || !GetWindowRect(main, &area))
        return false;
    for (HWND wnd : shown) {
        RECT rc;
        GetWindowRect(wnd, &rc);
        UnionRect(&area, &area, &rc);
    }
    int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return false;
    CDibCanvas canvas(width, height);
    if (!canvas.Ok())
        return false;
    HDC dc = canvas.Dc();
    RECT all = {0, 0, width, height};
    FillRect(dc, &all, (HBRUSH)GetStockObject(GRAY_BRUSH));
    for (HWND wnd : shown) {
        RedrawWindow(wnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        RECT rc;
        GetWindowRect(wnd, &rc);
        HDC from = GetWindowDC(wnd);
        BitBlt(dc, rc.left - area.left, rc.top - area.top, rc.right - rc.left, rc.bottom - rc.top, from, 0, 0, SRCCOPY);
        ReleaseDC(wnd, from);
    }
    GdiFlush();
    // GDI leaves the alpha byte undefined: make every pixel opaque.
    BYTE* p = (BYTE*)canvas.Bits();
    for (int i = 0; i < width * height; ++i)
        p[i * 4 + 3] = 255;
    bool ok = WritePng(path, p, width, height);
    return ok;
}

bool SaveOtherProgramPng(HWND window, const std::wstring& path, std::wstring& why)
{
    wchar_t dll[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, dll, MAX_PATH);
    if (wchar_t* slash = wcsrchr(dll, L'\\'))
        lstrcpynW(slash + 1, L"tcshot.dll", (int)(MAX_PATH - (slash + 1 - dll)));
    HMODULE module = LoadLibraryW(dll);
    auto hook = module ? (HOOKPROC)(void*)GetProcAddress(module, "TourShotHook") : nullptr;
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    HHOOK handle = hook && thread ? SetWindowsHookExW(WH_GETMESSAGE, hook, module, thread) : nullptr;
    ATOM atom = handle ? GlobalAddAtomW(path.c_str()) : 0;
    bool ok = false;
    if (!handle) {
        why = L"cannot hook the program's thread (" + std::wstring(dll) + L")";
    } else if (!atom || path.size() >= MAX_PATH) {
        why = L"the picture's path is too long";
    } else {
        DeleteFileW(path.c_str());
        PostMessageW(window, RegisterWindowMessageW(L"TCTourShot"), atom, 0);
        for (int i = 0; i < 300 && !ok; ++i) {
            ok = GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
            if (!ok)
                Sleep(30);
        }
        if (!ok)
            why = L"the program wrote no picture";
    }
    if (atom)
        GlobalDeleteAtom(atom);
    if (handle)
        UnhookWindowsHookEx(handle);
    if (module)
        FreeLibrary(module);
    return ok;
}

int CountWindowColour(HWND window, COLORREF colour)
{
    RECT client;
    if (!IsWindow(window) || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()
        || !GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
        return -1;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    int width = client.right, height = client.bottom;
    CDibCanvas canvas(width, height);
    if (!canvas.Ok())
        return -1;
    HDC from = GetDC(window);
    BitBlt(canvas.Dc(), 0, 0, width, height, from, 0, 0, SRCCOPY);
    ReleaseDC(window, from);
    GdiFlush();
    // DIB pixels are 0x00RRGGBB, a COLORREF 0x00BBGGRR.
    DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    const DWORD* p = canvas.Bits();
    int count = 0;
    for (int i = 0; i < width * height; ++i)
        count += (p[i] & 0xFFFFFF) == wanted;
    return count;
}
