#pragma once
// What the dialog window and its controls share.
#include <windows.h>

#include "platform/dialog.h"

namespace platform::win32 {

extern HWND dialog;

struct ControlRecord {
    HWND hwnd = nullptr;
    ControlKind kind = ControlKind::Label;
    int page = -1;
    int image = -1;          // image controls
    int reportedEntry = -1;  // lists: the selection last reported or set
    TypedKey typed;          // key fields: the last combination typed
};

ControlRecord* FindControl(int control);
HWND TabsHandle();
// Shows the controls of the selected tab page and hides the others'.
void ShowCurrentPage();
// Puts the controls in their drawing order once all are there.
void StackControls();
void ForgetControls();

}  // namespace platform::win32
