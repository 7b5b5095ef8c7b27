#pragma once
// One modal dialog of the system at a time, owned by the main window: a tab
// panel whose pages hold numbered controls, placed in pixels and drawn in the
// system's dialog font. The program fills and reads the controls by number and
// takes the dialog's events one by one from WaitDialogEvent; the keyboard works
// as in any dialog (Tab and Shift+Tab in the order the controls were added,
// Ctrl+Tab between tabs, Enter presses the default button, Esc cancels).
#include <string>
#include <vector>

#include "platform/types.h"

namespace platform {

// Control numbers with a meaning of their own to the keyboard handling.
constexpr int DialogOk = 1;      // the default button: Enter
constexpr int DialogCancel = 2;  // Esc

enum class ControlKind {
    Tabs,          // the tab panel; its pages are numbered from 0 in the order of its titles
    Label,         // static text, left-aligned
    RightLabel,    // static text, right-aligned
    CentredLabel,  // static text, centred
    CheckBox,
    Button,
    DefaultButton,
    DropDownList,  // fixed entries, no typing
    TextField,
    DigitsField,   // a text field that takes digits only from the keyboard
    Image,         // shows a numbered image (platform/images.h)
    Slider,        // a horizontal slider from 0 to 100, moved by the pointer or the arrow keys
    KeyField,      // shows its text and takes the key combinations typed into it (KeyTyped)
};

// The dialog, created hidden with this client size, centred on the screen and
// titled; the main window is disabled while it exists.
bool OpenDialog(int innerWidth, int innerHeight, const std::string& title);
// Destroys the dialog and gives the main window back its input.
void CloseDialog();
bool DialogIsOpen();
void ShowDialog();
void SetDialogTitle(const std::string& title);
// A new client size; the dialog is centred on the screen until it is shown,
// then keeps its top-left corner.
void SetDialogSize(int innerWidth, int innerHeight);

// Adds a control. page -1 puts it on the dialog itself at (x, y) of the client
// area; page 0 or more puts it on that tab page, (x, y) then counting from the
// page's top-left corner and the control shown only while its page is.
// A control reaching out of its page to the left is cut at the page's edge.
// The tab panel must be added before any control of its pages.
bool AddControl(int control, ControlKind kind, int page, const Rect& place, const std::string& text);
bool ControlExists(int control);
// Where a control stands, in the dialog's client coordinates.
Rect ControlRect(int control);
// Moves a control; place counts as for AddControl.
void PlaceControl(int control, const Rect& place);
// The width a control needs to show its whole text in its font, with its
// frame, check box or arrow: a list its widest entry, a text field the widest
// text its limit allows (else its text), the tab panel all its titles in one row.
int FittingWidth(int control);
// Text fields: at most this many characters, typed or pasted.
void LimitControlText(int control, int characters);

void SetControlText(int control, const std::string& text);
std::string ControlText(int control);  // a list's: the selected entry's text, empty when none
void SetControlChecked(int control, bool checked);
bool ControlChecked(int control);
void EnableControl(int control, bool enabled);
bool ControlEnabled(int control);
void FocusControl(int control);
void SelectAllText(int control);
// Sliders: the position, 0 to 100 (a value beyond is taken as the nearest end).
void SetControlValue(int control, int value);
int ControlValue(int control);

// Drop-down lists and the tab panel: their entries (tab titles), and which is selected (-1 none).
void SetControlEntries(int control, const std::vector<std::string>& entries);
std::vector<std::string> ControlEntries(int control);
void SetControlEntry(int control, int entry, const std::string& text);  // keeps the selection
void SelectControlEntry(int control, int entry);
int SelectedControlEntry(int control);

// Image controls: the image shown, drawn again at once.
void SetControlImage(int control, int image);
// Paints a control again now (buttons that lie over an image).
void RepaintControl(int control);

// Key fields: the last combination typed into one, as modifier bits and a
// virtual-key code (platform/hotkeys.h). Every key but a modifier counts,
// except Tab, Enter and Esc alone and Shift+Tab, which move on as in any dialog.
struct TypedKey {
    int modifiers = 0;
    int key = 0;
};
TypedKey LastTypedKey(int control);

// path shortened with an ellipsis in the middle to fit width pixels of the dialog's font.
std::string CompactPath(const std::string& path, int width);

enum class DialogEventKind {
    None,        // the wait timed out
    Clicked,     // a button or check box was pressed (OK by Enter, Cancel by Esc)
    Selected,    // a list's selection was changed by the user, or the user let go of a slider
    Sliding,     // the user moves a slider: it has a new position, and more may follow
    Focused,     // a text field received the keyboard focus
    TabChanged,  // the user turned to another tab page
    Close,       // the close box
    KeyTyped,    // a combination was typed into a key field (LastTypedKey)
};

struct DialogEvent {
    DialogEventKind kind = DialogEventKind::None;
    int control = 0;
};

// Waits at most timeoutMs for the dialog's next event.
DialogEvent WaitDialogEvent(int timeoutMs);

}  // namespace platform
