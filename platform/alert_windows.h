#pragma once
// The windows of the visual alerts: the screen flash and the popup sign. Each
// exists only while its alert runs and belongs to the thread that opened it;
// waits keep that thread's alert windows painted.
#include <cstdint>

#include "platform/types.h"

namespace platform {

// An open alert window; 0 is none.
using AlertWindow = std::uintptr_t;

// The flash: borderless, disabled (clicks on it are lost), owned by the main
// window, hidden, top-most, of exactly the layered extended style with this
// whole-window opacity (0 to 255), filled with colour. Showing it maximizes it
// over the monitor whose rectangle screen is. 0 when it cannot be created.
AlertWindow OpenFlashWindow(Colour colour, int opacity, const Rect& screen);
void ShowFlashWindow(AlertWindow flash, bool shown);

// An image taken out of the numbered images, to be shown by a window that may
// live on another thread; 0 is none.
using DetachedImage = std::uintptr_t;
DetachedImage DetachImage(int image);

// The popup sign: a borderless, hidden, top-most window of the picture's size,
// centred on the monitor whose rectangle screen is, showing the picture. It
// owns the picture from the call on, also when it cannot be created (then 0).
AlertWindow OpenPopupWindow(DetachedImage picture, const Rect& screen);
// Opens the popup springing out of its centre (becoming the active window) or
// closes it collapsing into its centre; returns after durationMs, also where
// the system shows or hides it without animating.
void AnimatePopupWindow(AlertWindow popup, bool open, int durationMs);

void CloseAlertWindow(AlertWindow window);

// Waits ms milliseconds, keeping this thread's alert windows painted.
void AlertWait(int ms);

}  // namespace platform
