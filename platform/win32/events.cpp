// The event queue: window notifications queued by the window procedures, and
// the raw mouse and key messages of the main window and its gadgets as they
// are taken from the thread's message queue.
#include <windows.h>

#include <deque>

#include "platform/events.h"
#include "platform/win32/internal.h"

namespace platform::win32 {
namespace {

std::deque<Event> queue;

// The pointer's messages and the keys': the loop follows the keys and the
// pointer through them.
bool IsRawInputMessage(UINT message) {
    return message == WM_MOUSEMOVE || message == WM_LBUTTONUP || message == WM_LBUTTONDBLCLK ||
           message == WM_RBUTTONUP || message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
           message == WM_SYSKEYUP || message == WM_MOUSELEAVE || message == msg::Wake;
}

// Asks for a mouse-leave message when the pointer leaves this element, so
// that nobody has to look where the pointer is meanwhile.
void TrackLeave(HWND hwnd) {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = hwnd;
    TrackMouseEvent(&track);
}

Event Pop() {
    Event e = queue.front();
    queue.pop_front();
    return e;
}

// Dispatches one message if there is one; returns false when the thread's queue is empty.
bool PumpOne() {
    MSG m;
    if (!PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) return false;
    if (m.message == WM_QUIT) {
        Event e;
        e.kind = EventKind::Close;
        QueueEvent(e);
        return true;
    }
    const bool raw = IsRawInputMessage(m.message) && BelongsToMainWindow(m.hwnd);
    // A click takes the mouse capture, which ends the tracking: the button's
    // release asks again.
    if (raw && (m.message == WM_MOUSEMOVE || m.message == WM_LBUTTONUP || m.message == WM_RBUTTONUP))
        TrackLeave(m.hwnd);
    TranslateMessage(&m);
    DispatchMessageW(&m);
    if (raw) {
        Event e;
        e.kind = EventKind::Message;
        e.message = m.message;
        e.wParam = m.wParam;
        e.lParam = m.lParam;
        QueueEvent(e);
    }
    return true;
}

}  // namespace

void QueueEvent(const Event& event) { queue.push_back(event); }

void QueueGadgetEvent(int gadget, int type) {
    Event e;
    e.kind = EventKind::Gadget;
    e.gadget = gadget;
    e.gadgetType = type;
    QueueEvent(e);
}

}  // namespace platform::win32

namespace platform {

Event WaitEvent(int timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (!win32::queue.empty()) return win32::Pop();
        const DWORD elapsed = GetTickCount() - start;
        const DWORD left = elapsed >= static_cast<DWORD>(timeoutMs) ? 0 : static_cast<DWORD>(timeoutMs) - elapsed;
        // Returns at once while the thread's queue holds anything, seen before
        // or not; a wait that runs out has then found nothing to take.
        if (MsgWaitForMultipleObjectsEx(0, nullptr, left, QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_TIMEOUT) return {};
        while (win32::queue.empty() && win32::PumpOne()) {
        }
        if (win32::queue.empty() && left == 0) return {};
    }
}

void DiscardEvents() {
    while (win32::PumpOne()) {
    }
    win32::queue.clear();
}

}  // namespace platform
