// A picture file of any format the imaging component decodes, loaded into a
// 32-bit top-down DIB section with premultiplied alpha (the file lists'
// background pictures). COM must be initialised on the calling thread (the
// host does that); without it loading fails cleanly.
#pragma once
#include "Framework.h"

class CBitmapEx : public CBitmap {
    DECLARE_DYNAMIC(CBitmapEx)
public:
    // TRUE when the picture was loaded. The previous bitmap is released first
    // in any case; on failure there is no bitmap and the size is 0.
    BOOL LoadPicture(LPCWSTR path);

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }

private:
    int m_width = 0;
    int m_height = 0;
};
