#include "platform/win32/dpi.h"

#include "platform/images.h"
#include "platform/screen.h"
#include "platform/win32/internal.h"

namespace platform::win32 {
namespace {

using DpiForWindow = UINT(WINAPI*)(HWND);
using MetricsForDpi = int(WINAPI*)(int, UINT);
using ParametersForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

template <typename F>
F User32Call(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

// The system's dots per inch stay as they were at the process start.
UINT SystemDpi() {
    static const UINT dpi = [] {
        HDC screen = GetDC(nullptr);
        const int value = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return value > 0 ? static_cast<UINT>(value) : kDesignDpi;
    }();
    return dpi;
}

}  // namespace

UINT WindowDpi(HWND hwnd) {
    static const DpiForWindow forWindow = User32Call<DpiForWindow>("GetDpiForWindow");
    const UINT dpi = forWindow && hwnd ? forWindow(hwnd) : 0;
    return dpi > 0 ? dpi : SystemDpi();
}

int ToDpi(int designPixels, UINT dpi) { return MulDiv(designPixels, static_cast<int>(dpi), kDesignDpi); }

int FromDpi(int pixels, UINT dpi) {
    if (dpi == 0) return pixels;
    const long long scaled = static_cast<long long>(pixels) * kDesignDpi;
    return static_cast<int>(scaled >= 0 ? (scaled + dpi - 1) / dpi : scaled / static_cast<long long>(dpi));
}

int SystemMetric(int index, UINT dpi) {
    static const MetricsForDpi forDpi = User32Call<MetricsForDpi>("GetSystemMetricsForDpi");
    if (forDpi) return forDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

LOGFONTW MessageFont(UINT dpi) {
    static const ParametersForDpi forDpi = User32Call<ParametersForDpi>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) return metrics.lfMessageFont;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    // The system's metrics are at the system's dots per inch.
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi),
                                            static_cast<int>(SystemDpi()));
    return metrics.lfMessageFont;
}

void TakeSuggestedRect(HWND hwnd, LPARAM suggested) {
    const RECT* r = reinterpret_cast<const RECT*>(suggested);
    if (!r) return;
    SetWindowPos(hwnd, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace platform::win32

namespace platform {

int MainWindowDpi() { return static_cast<int>(win32::WindowDpi(win32::MainWindowHandle())); }

}  // namespace platform
