#include <windows.h>

#include "platform/input.h"

namespace platform {
namespace {

// System cursors are shared: loaded once, never destroyed.
HCURSOR cursors[5] = {};

int VirtualKey(Key key) {
    switch (key) {
        case Key::Space: return VK_SPACE;
        case Key::Escape: return VK_ESCAPE;
        case Key::Control: return VK_CONTROL;
        case Key::Shift: return VK_SHIFT;
    }
    return 0;
}

}  // namespace

bool KeyIsDown(Key key) { return (GetAsyncKeyState(VirtualKey(key)) & 0x8000) != 0; }

Point MousePosition() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

void LoadCursors() {
    cursors[static_cast<int>(CursorShape::Arrow)] = LoadCursorW(nullptr, IDC_ARROW);
    cursors[static_cast<int>(CursorShape::Hand)] = LoadCursorW(nullptr, IDC_HAND);
    cursors[static_cast<int>(CursorShape::SizeDiagonal)] = LoadCursorW(nullptr, IDC_SIZENWSE);
    cursors[static_cast<int>(CursorShape::SizeHorizontal)] = LoadCursorW(nullptr, IDC_SIZEWE);
    cursors[static_cast<int>(CursorShape::SizeVertical)] = LoadCursorW(nullptr, IDC_SIZENS);
}

void DestroyCursors() {
    for (HCURSOR& c : cursors) c = nullptr;
}

void SetCursorShape(CursorShape shape) {
    if (HCURSOR c = cursors[static_cast<int>(shape)]) SetCursor(c);
}

}  // namespace platform
