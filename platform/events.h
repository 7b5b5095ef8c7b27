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
constexpr unsigned Command = 273;
constexpr unsigned MouseMove = 512;
constexpr unsigned LeftButtonDown = 513;
constexpr unsigned LeftButtonUp = 514;
constexpr unsigned LeftDoubleClick = 515;
constexpr unsigned RightButtonUp = 517;
constexpr unsigned EnterSizeMove = 561;
constexpr unsigned ExitSizeMove = 562;
}  // namespace msg

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
