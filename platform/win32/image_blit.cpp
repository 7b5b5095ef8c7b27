// Copying a numbered image onto a window's device context, for the controls that show one.
#include "platform/win32/internal.h"

namespace platform::win32 {

SIZE BlitImage(HDC dc, int image) {
    int w = 0, h = 0;
    HDC source = ImageBitmap(image, &w, &h) ? ImageDc(image) : nullptr;
    if (!source) return SIZE{0, 0};
    BitBlt(dc, 0, 0, w, h, source, 0, 0, SRCCOPY);
    return SIZE{w, h};
}

}  // namespace platform::win32
