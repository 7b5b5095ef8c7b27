#pragma once
// Pointer, cursors and the keyboard's current state.
#include "platform/types.h"

namespace platform {

enum class Key { Space, Escape, Control, Shift };
// The key's current up/down state (not an event), either key of a pair counting.
bool KeyIsDown(Key key);

Point MousePosition();  // screen coordinates

enum class CursorShape { Arrow, Hand, SizeDiagonal, SizeHorizontal, SizeVertical };
void LoadCursors();
void DestroyCursors();
void SetCursorShape(CursorShape shape);

}  // namespace platform
