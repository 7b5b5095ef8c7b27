#pragma once
// What the pieces of the Win32 backend share among themselves.
#include <windows.h>

#include <climits>
#include <cstdint>
#include <vector>

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
// Fingerprints of an image's bands of kBandRows rows (the last may be shorter)
// and of its size, to tell which rows the screen shows already; none when
// there is no such image. Filled into prints, whose room is kept.
inline constexpr int kBandRows = 16;
void ImageBandPrints(int image, std::vector<std::uint64_t>& prints);
// Copies the image's rows top to top + rows - 1 (all of them by default) to
// the same place on dc; the image's size, 0 x 0 when there is no such image.
SIZE BlitImage(HDC dc, int image, int top = 0, int rows = INT_MAX);
// Draws the whole image at dc's (0, 0), grown smoothly from design pixels (at
// 96 dots per inch) to dpi; the size it took, 0 x 0 when there is no such image.
SIZE StretchImage(HDC dc, int image, UINT dpi);
// Takes a numbered image's bitmap out of the numbered images (closing it as the
// drawing surface first); the caller deletes it. Null when there is no such image.
HBITMAP TakeImageBitmap(int image);

// The pictures beside popup-menu entries, drawn for the main window when the
// menu asks for them; false for any other owner-drawn item.
bool MeasureMenuPicture(MEASUREITEMSTRUCT* measure);
bool DrawMenuPicture(const DRAWITEMSTRUCT* draw);

// Told by the main window's procedure when the window is deactivated, so that
// the next ActivateMainWindow makes it active again (until then it has nothing to do).
void NoteMainWindowDeactivated();

// The main window's class, by which another copy finds it.
inline constexpr wchar_t kMainWindowClass[] = L"HoravelMain";
// A WM_COPYDATA of the main window: a command of another copy, queued as an
// event, or its status request, answered at once.
LRESULT ReceiveCopyData(WPARAM wParam, LPARAM lParam);

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
