#pragma once
// The event queue of the main window.
#include <cstdint>

namespace platform {

// Raw window message numbers the program looks at (the Win32 values).
namespace msg {
constexpr unsigned Size = 5;
constexpr unsigned Activate = 6;
constexpr unsigned Close = 16;
constexpr unsigned DisplayChange = 126;
constexpr unsigned OtherCopyCommand = 74;  // a command from another copy (platform/other_copy.h)
constexpr unsigned KeyDown = 256;
constexpr unsigned KeyUp = 257;
constexpr unsigned SysKeyDown = 260;  // a key pressed with Alt held, or F10
constexpr unsigned SysKeyUp = 261;
constexpr unsigned Command = 273;
constexpr unsigned Hotkey = 786;  // a registered global hotkey (platform/hotkeys.h), wParam its id
constexpr unsigned MouseMove = 512;
constexpr unsigned LeftButtonDown = 513;
constexpr unsigned LeftButtonUp = 514;
constexpr unsigned LeftDoubleClick = 515;
constexpr unsigned RightButtonUp = 517;
constexpr unsigned EnterSizeMove = 561;
constexpr unsigned ExitSizeMove = 562;
constexpr unsigned MouseLeave = 675;  // the pointer left the window element that last had a mouse move
// The window stands on a monitor of other dots per inch (their number in the
// low word of wParam) and has taken the rectangle the system suggests.
constexpr unsigned DpiChanged = 736;
constexpr unsigned Wake = 0x8001;     // WakeMainLoop's message (an application message)
}  // namespace msg

// Key codes the key messages carry in wParam (the Win32 virtual-key values);
// either key of a pair gives the same code.
namespace keycode {
constexpr std::uintptr_t Shift = 0x10;
constexpr std::uintptr_t Control = 0x11;
constexpr std::uintptr_t Escape = 0x1B;
constexpr std::uintptr_t Space = 0x20;
}  // namespace keycode

enum class EventKind {
    None,     // the wait timed out
    Gadget,   // a gadget was clicked: gadget, gadgetType
    Menu,     // a popup-menu entry was chosen: menuItem
    Close,    // the window's close command
    Message,  // any other window message: message, wParam, lParam
};

constexpr int GadgetLeftClick = 0;
constexpr int GadgetRightClick = 1;

struct Event {
    EventKind kind = EventKind::None;
    int gadget = 0;
    int gadgetType = 0;
    int menuItem = 0;
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

// Waits at most timeoutMs for the next event of the main window.
Event WaitEvent(int timeoutMs);
// Takes and discards every pending event.
void DiscardEvents();

}  // namespace platform
