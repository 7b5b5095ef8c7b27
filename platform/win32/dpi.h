#pragma once
// Dots per inch per window. Sizes the program designs are pixels at 96 dots
// per inch (100 %); a window on a monitor of another scaling takes them at
// its own dots per inch. The calls of newer systems are looked up at run
// time, so that older ones still run with the system's dots per inch.
#include <windows.h>

namespace platform::win32 {

inline constexpr UINT kDesignDpi = 96;
inline constexpr UINT kDpiChangedMessage = 0x02E0;  // WM_DPICHANGED

// The dots per inch of the monitor hwnd stands on; the system's where the
// system does not tell them per window.
UINT WindowDpi(HWND hwnd);
// Design pixels at dpi, rounded to the nearest pixel; and pixels at dpi back
// to design pixels, rounded up (a measured width still fits once scaled again).
int ToDpi(int designPixels, UINT dpi);
int FromDpi(int pixels, UINT dpi);
// A system metric (GetSystemMetrics) at dpi.
int SystemMetric(int index, UINT dpi);
// The system's message font (the push buttons' font) at dpi.
LOGFONTW MessageFont(UINT dpi);
// A window told that its dots per inch changed takes the rectangle the system
// suggests (lParam of the message).
void TakeSuggestedRect(HWND hwnd, LPARAM suggested);

}  // namespace platform::win32
