#pragma once
// The settings window's "Stage View" tab: the server on or off, open to the
// local network or not, its port, the addresses to type (with a QR code of
// the view address), "copy address" and renewing the tokens.
#include <string>
#include <vector>

struct Settings;

namespace stage_panel {
constexpr int QrImage = 50;
constexpr int QrSize = 76;  // the picture's side in pixels
}  // namespace stage_panel

// Fills the tab from the record, with working copies of the tokens.
void FillStagePanel();
// The address lines, the port's state and the QR code again (the LAN box or
// the language changed).
void ShowStageAddress();
// New tokens in the working copies; the record takes them on OK.
void RenewStagePanelTokens();
// The view address into the clipboard.
void CopyStageAddress();
// The tab's controls into the record.
void ApplyStagePanel(Settings& s);

// The modules of a QR code of text, row by row (true: dark); empty when it
// cannot be made.
std::vector<std::vector<bool>> QrModules(const std::string& text);
