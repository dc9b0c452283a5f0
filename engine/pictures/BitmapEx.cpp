#include "BitmapEx.h"
#include <wincodec.h>
#include <climits>

IMPLEMENT_DYNAMIC(CBitmapEx, CBitmap)

namespace {

// Releases a COM interface when it goes out of scope.
template <class T>
class CReleasing {
public:
    CReleasing() {}
    ~CReleasing()
    {
        if (m_p)
            m_p->Release();
    }
    CReleasing(const CReleasing&) = delete;
    CReleasing& operator=(const CReleasing&) = delete;
    T** Out() { return &m_p; }
    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }

private:
    T* m_p = nullptr;
};

} // namespace

BOOL CBitmapEx::LoadPicture(LPCWSTR path)
{
    m_width = 0;
    m_height = 0;
    DeleteObject();
    if (!path || !*path)
        return FALSE;

    CReleasing<IWICImagingFactory> factory;
    CReleasing<IWICBitmapDecoder> decoder;
    CReleasing<IWICBitmapFrameDecode> frame;
    CReleasing<IWICFormatConverter> converter;
    UINT width = 0, height = 0;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.Out()))) ||
        FAILED(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  decoder.Out())) ||
        FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(frame->GetSize(&width, &height)) ||
        FAILED(factory->CreateFormatConverter(converter.Out())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                     0.0, WICBitmapPaletteTypeCustom)))
        return FALSE;

    // A picture's size comes from the file: refuse what a DIB cannot hold
    // before asking for the memory.
    ULONGLONG stride = (ULONGLONG)width * 4;
    ULONGLONG size = stride * height;
    if (width == 0 || height == 0 || width > INT_MAX || height > INT_MAX || size > INT_MAX)
        return FALSE;
    void* bits = nullptr;
    if (!CreateDIB32((int)width, (int)height, &bits))
        return FALSE;
    if (FAILED(converter->CopyPixels(nullptr, (UINT)stride, (UINT)size, static_cast<BYTE*>(bits)))) {
        DeleteObject();
        return FALSE;
    }
    m_width = (int)width;
    m_height = (int)height;
    return TRUE;
}
