#include "app/window_border.h"

#include "app/placement.h"
#include "platform/window.h"
#include "settings/settings.h"

void ApplyBorderChange() {
    settings.BorderChanged = 0;
    platform::ShowMainWindow(false);
    // windowMetrics still holds the frame of the old style here.
    const WindowMetrics& m = windowMetrics;
    int left = platform::WindowX();
    const int top = platform::WindowY();
    const int width = platform::WindowInnerWidth();
    int height = platform::WindowInnerHeight();
    if (settings.ShowWinBorder == 1) {
        platform::SetMainWindowFramed(true);
    } else {
        platform::SetMainWindowFramed(false);
        height += m.frameTop + m.frameBottom;
        if (left - m.screenLeft + width > m.screenWidth / 2) left += m.frameLeft + m.frameRight;
    }
    MeasureScreen();
    platform::SetWindowMinimumSize(m.minWidth, m.minHeight);
    platform::MoveMainWindow(left, top, width, height);
    // Held on its monitor, with the new frame.
    const int x = platform::WindowX() - m.screenLeft, y = platform::WindowY() - m.screenTop;
    const int overX = x + platform::WindowInnerWidth() + m.frameLeft + m.frameRight - m.screenWidth;
    if (overX > 0 && x > overX) left -= overX;
    const int overY = y + platform::WindowInnerHeight() + m.frameTop + m.frameBottom - m.screenHeight;
    if (overY > 0) height -= overY;
    platform::MoveMainWindow(left, top, width, height);
    platform::ShowMainWindow(true);
}
