#include "tests/support/fake_alert_windows.h"

namespace fake {

AlertWindowsState alertWindows;

void ResetAlertWindows() { alertWindows = AlertWindowsState{}; }

}  // namespace fake

using fake::alertWindows;

namespace platform {

AlertWindow OpenFlashWindow(Colour colour, int opacity, const Rect& screen) {
    alertWindows.calls.push_back("OpenFlash");
    if (alertWindows.failOpen) return 0;
    fake::AlertWindowRecord w;
    w.flash = true;
    w.colour = colour;
    w.opacity = opacity;
    w.screen = screen;
    alertWindows.windows[alertWindows.next] = w;
    return alertWindows.next++;
}

void ShowFlashWindow(AlertWindow flash, bool shown) {
    alertWindows.calls.push_back(std::string("ShowFlash ") + (shown ? "1" : "0"));
    alertWindows.windows.at(flash).shown = shown;
}

DetachedImage DetachImage(int image) {
    auto it = fake::state.images.find(image);
    if (it == fake::state.images.end()) return 0;
    if (fake::state.drawingImage == image) fake::state.drawingImage = -1;
    const DetachedImage handle = alertWindows.next++;
    alertWindows.detached[handle] = it->second;
    fake::state.images.erase(it);
    return handle;
}

AlertWindow OpenPopupWindow(DetachedImage picture, const Rect& screen) {
    alertWindows.calls.push_back("OpenPopup");
    auto it = alertWindows.detached.find(picture);
    if (it == alertWindows.detached.end()) return 0;
    fake::Image sign = it->second;
    alertWindows.detached.erase(it);  // the window owns it, created or not
    if (alertWindows.failOpen) return 0;
    fake::AlertWindowRecord w;
    w.picture = sign;
    w.screen = screen;
    alertWindows.windows[alertWindows.next] = w;
    return alertWindows.next++;
}

void AnimatePopupWindow(AlertWindow popup, bool open, int durationMs) {
    alertWindows.calls.push_back(std::string("Animate ") + (open ? "open " : "close ") + std::to_string(durationMs));
    alertWindows.windows.at(popup).shown = open;
    fake::state.tick += static_cast<std::uint32_t>(durationMs);
}

void CloseAlertWindow(AlertWindow window) {
    alertWindows.calls.push_back("Close");
    auto& w = alertWindows.windows.at(window);
    w.shown = false;
    w.closed = true;
}

void AlertWait(int ms) {
    alertWindows.calls.push_back("Wait " + std::to_string(ms));
    fake::state.tick += static_cast<std::uint32_t>(ms);
}

}  // namespace platform
