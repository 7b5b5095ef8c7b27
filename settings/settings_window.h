#pragma once
// The settings window: a modal dialog over the settings record. Open fills it
// from the record, Run handles it until it closes (OK applies and saves).

// Builds and fills the window from the record, draws About page 0, and shows it.
void OpenSettingsWindow();
// The window's loop, until OK, Cancel or the close box; then the closing steps.
void RunSettingsWindow();

// Copies the controls into the record, runs the add-in step and re-applies the warning time.
void ApplySettingsWindow();
// Enables and disables the controls that depend on others.
void UpdateSettingsControls();
// Puts the texts of the active language into the whole window.
void RelabelSettingsWindow();
// Draws About page 0 to 7 and shows it under its buttons.
void DrawAboutPage(int page);
