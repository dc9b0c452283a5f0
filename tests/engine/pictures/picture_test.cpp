// Pictures written with the imaging component in several formats, loaded back
// into premultiplied 32-bit DIB sections; files that are no pictures.
#include <gtest/gtest.h>
#include <wincodec.h>
#include <thread>
#include <vector>
#include "BitmapEx.h"
#include "TestFiles.h"

namespace {

// Writes `pixels` (rows of `format`, `stride` bytes each) as a picture file.
bool WritePicture(const std::wstring& path, REFGUID container, REFGUID format, UINT width, UINT height,
                  UINT stride, std::vector<BYTE> pixels)
{
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    WICPixelFormatGUID chosen = format;
    bool ok = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IWICImagingFactory, (void**)&factory)) &&
              SUCCEEDED(factory->CreateStream(&stream)) &&
              SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
              SUCCEEDED(factory->CreateEncoder(container, nullptr, &encoder)) &&
              SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
              SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
              SUCCEEDED(frame->SetSize(width, height)) && SUCCEEDED(frame->SetPixelFormat(&chosen)) &&
              chosen == format &&
              SUCCEEDED(frame->WritePixels(height, stride, (UINT)pixels.size(), pixels.data())) &&
              SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    for (IUnknown* object : {(IUnknown*)frame, (IUnknown*)encoder, (IUnknown*)stream, (IUnknown*)factory})
        if (object)
            object->Release();
    return ok;
}

// The DIB's pixels as 0xAARRGGBB in memory order, after checking it is 32-bit.
std::vector<DWORD> Pixels(const CBitmapEx& picture)
{
    DIBSECTION section = {};
    if (!GetObjectW(picture.GetSafeHandle(), sizeof(section), &section) || section.dsBm.bmBitsPixel != 32)
        return {};
    const DWORD* bits = static_cast<const DWORD*>(section.dsBm.bmBits);
    return std::vector<DWORD>(bits, bits + (size_t)section.dsBm.bmWidth * section.dsBm.bmHeight);
}

class Pictures : public ::testing::Test {
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
    CTempFolder m_folder{L"pictures"};
};

} // namespace

TEST_F(Pictures, FormatsLoadToPremultipliedPixels)
{
    // PNG with alpha: red at half opacity and an opaque colour above a
    // transparent and a white pixel; the top row comes first in memory.
    std::wstring png = m_folder.File(L"four.png");
    ASSERT_TRUE(WritePicture(png, GUID_ContainerFormatPng, GUID_WICPixelFormat32bppBGRA, 2, 2, 8,
                             {0, 0, 255, 128, 10, 20, 30, 255, 0, 0, 0, 0, 255, 255, 255, 255}));
    CBitmapEx picture;
    ASSERT_TRUE(picture.LoadPicture(png.c_str()));
    EXPECT_EQ(2, picture.GetWidth());
    EXPECT_EQ(2, picture.GetHeight());
    EXPECT_EQ((std::vector<DWORD>{0x80800000, 0xFF1E140A, 0, 0xFFFFFFFF}), Pixels(picture));

    // 24-bit BMP and JPEG (lossy: near the colour), 3 x 2, opaque.
    std::vector<BYTE> rows(12 * 2, 0);
    for (int i = 0; i < 6; ++i) {
        rows[(i / 3) * 12 + (i % 3) * 3 + 0] = 200; // blue
        rows[(i / 3) * 12 + (i % 3) * 3 + 1] = 100;
        rows[(i / 3) * 12 + (i % 3) * 3 + 2] = 50;
    }
    for (REFGUID container : {GUID_ContainerFormatBmp, GUID_ContainerFormatJpeg}) {
        std::wstring path = m_folder.File(&container == &GUID_ContainerFormatBmp ? L"p.bmp" : L"p.jpg");
        ASSERT_TRUE(WritePicture(path, container, GUID_WICPixelFormat24bppBGR, 3, 2, 12, rows));
        HGDIOBJ previous = picture.GetSafeHandle();
        ASSERT_TRUE(picture.LoadPicture(path.c_str()));
        EXPECT_EQ(0u, GetObjectType(previous)); // the earlier bitmap is gone
        EXPECT_EQ(3, picture.GetWidth());
        EXPECT_EQ(2, picture.GetHeight());
        std::vector<DWORD> pixels = Pixels(picture);
        ASSERT_EQ(6u, pixels.size());
        for (DWORD pixel : pixels) {
            EXPECT_EQ(0xFFu, pixel >> 24);
            EXPECT_NEAR(50, (int)(pixel >> 16 & 0xFF), 6);
            EXPECT_NEAR(100, (int)(pixel >> 8 & 0xFF), 6);
            EXPECT_NEAR(200, (int)(pixel & 0xFF), 6);
        }
    }
    EXPECT_STREQ("CBitmapEx", picture.GetRuntimeClassName());
}

TEST_F(Pictures, WhatIsNoPictureLeavesNoBitmap)
{
    std::wstring png = m_folder.File(L"ok.png");
    ASSERT_TRUE(WritePicture(png, GUID_ContainerFormatPng, GUID_WICPixelFormat32bppBGRA, 1, 1, 4, {1, 2, 3, 255}));
    std::wstring text = m_folder.File(L"text.png");
    WriteText(text, "not a picture at all\r\n");
    // A bitmap header for 65536 x 16385 pixels (just over 4 GB as 32-bit) without the pixels.
    std::string header(54, '\0');
    header[0] = 'B', header[1] = 'M', header[10] = 54, header[14] = 40;
    *(LONG*)&header[18] = 65536, *(LONG*)&header[22] = 16385, header[26] = 1, header[28] = 24;
    std::wstring huge = m_folder.File(L"huge.bmp");
    WriteBytes(huge, header.data(), header.size());

    for (std::wstring path : {text, m_folder.File(L"missing.png"), std::wstring(), huge}) {
        CBitmapEx picture;
        ASSERT_TRUE(picture.LoadPicture(png.c_str()));
        HGDIOBJ previous = picture.GetSafeHandle();
        EXPECT_FALSE(picture.LoadPicture(path.c_str())) << path;
        EXPECT_EQ(nullptr, picture.GetSafeHandle()) << path;
        EXPECT_EQ(0, picture.GetWidth());
        EXPECT_EQ(0, picture.GetHeight());
        EXPECT_EQ(0u, GetObjectType(previous));
    }

    // A thread without COM gets a clean failure.
    bool loaded = true;
    std::thread([&] {
        CBitmapEx picture;
        loaded = picture.LoadPicture(png.c_str()) != FALSE;
    }).join();
    EXPECT_FALSE(loaded);
}
