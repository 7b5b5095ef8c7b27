#pragma once
// What the pieces of the Win32 backend share among themselves.
#include <windows.h>

#include <cstdint>

#include "platform/events.h"
#include "platform/win32/main_window_handle.h"

namespace platform::win32 {

// The event queue that WaitEvent hands out.
void QueueEvent(const Event& event);
void QueueGadgetEvent(int gadget, int type);

// Images: the memory DC that holds a numbered image's bitmap (made at the
// first call), and the image's size when asked; null when there is no such
// image. The bitmap stays in that DC: it is drawn and copied from there only.
HDC ImageDc(int image, int* width = nullptr, int* height = nullptr);
// A fingerprint of an image's size and pixels (never 0), to tell whether the
// screen already shows them.
std::uint64_t ImageFingerprint(int image);
// Copies the image to (0, 0) of dc; its size, 0 x 0 when there is no such image.
SIZE BlitImage(HDC dc, int image);
// Takes a numbered image's bitmap out of the numbered images (closing it as the
// drawing surface first); the caller deletes it. Null when there is no such image.
HBITMAP TakeImageBitmap(int image);

// The pictures beside popup-menu entries, drawn for the main window when the
// menu asks for them; false for any other owner-drawn item.
bool MeasureMenuPicture(MEASUREITEMSTRUCT* measure);
bool DrawMenuPicture(const DRAWITEMSTRUCT* draw);

// Registers a window class of the program's own with the arrow pointer.
void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, UINT style = 0);

// Gadgets: true when hwnd is the main window or one of its gadgets.
bool BelongsToMainWindow(HWND hwnd);
void RegisterGadgetClass();  // and the push buttons
inline constexpr wchar_t kPushButtonClass[] = L"HoravelButton";
void RegisterPushButtonClass();
void DestroyGadgets();

// The steps of a file save (1 created, 2 written, 3 flushed, 4 closed, 5 in
// place) report here; only the save probe of the tests listens, to end the
// process after one of them as a kill would.
extern void (*saveStepHook)(int step);
inline void SaveStep(int step) {
    if (saveStepHook) saveStepHook(step);
}

}  // namespace platform::win32
