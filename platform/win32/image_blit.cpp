// Copying a numbered image onto a window's device context, for the controls that show one.
#include "platform/win32/internal.h"

namespace platform::win32 {

SIZE BlitImage(HDC dc, int image) {
    int w = 0, h = 0;
    HBITMAP bitmap = ImageBitmap(image, &w, &h);
    if (!bitmap) return SIZE{0, 0};
    // The image may be the open drawing surface, already selected into a DC.
    HDC source = DrawingDcOf(image);
    HDC own = nullptr;
    HGDIOBJ old = nullptr;
    if (!source) {
        own = CreateCompatibleDC(dc);
        old = SelectObject(own, bitmap);
        source = own;
    }
    BitBlt(dc, 0, 0, w, h, source, 0, 0, SRCCOPY);
    if (own) {
        SelectObject(own, old);
        DeleteDC(own);
    }
    return SIZE{w, h};
}

}  // namespace platform::win32
