#pragma once
// The settings window's Hotkeys page: the on/off box, a key field per
// command, and beside each the note of what its combination would meet.

// Fills the page from the record.
void FillHotkeyControls();
// Copies the page into the record.
void ApplyHotkeyControls();
// The box was clicked: turned on with no combination set, the default set comes in.
void OnHotkeysBox();
// A combination was typed into a key field: Backspace or Delete alone clears it.
void OnKeyTyped(int control);
// Writes the notes beside the combinations and enables the fields with the box.
void ShowHotkeyNotes();
