#include "settings/stage_panel.h"

#include <qrencode.h>

#include <cstdlib>

#include "lang/messages.h"
#include "platform/dialog.h"
#include "platform/images.h"
#include "platform/system.h"
#include "settings/settings.h"
#include "settings/settings_window_layout.h"
#include "stage/stage_tokens.h"
#include "stage/stage_view.h"

namespace {

constexpr int PortInUseMessage = 247;

// The tokens as the tab shows them: the record's until renewed.
std::string viewToken, controlToken;

// The record with the tab's network choices, for the addresses.
Settings Shown() {
    Settings s;
    s.StageViewLan = platform::ControlChecked(sw::StageLan) ? 1 : 0;
    s.StageViewPort = std::atoi(platform::ControlText(sw::StagePort).c_str());
    if (s.StageViewPort <= 0 || s.StageViewPort > 65535) s.StageViewPort = settings.StageViewPort;
    return s;
}

void DrawQr(const std::string& text) {
    using namespace stage_panel;
    if (!platform::CreateImage(QrImage, QrSize, QrSize) || !platform::StartDrawing(QrImage)) return;
    platform::FillBox({0, 0, QrSize, QrSize}, platform::Rgb(255, 255, 255));
    const std::vector<std::vector<bool>> modules = QrModules(text);
    // Whole pixels per module, with a quiet zone of at least two modules.
    const int n = static_cast<int>(modules.size());
    const int scale = n > 0 ? QrSize / (n + 4) : 0;
    const int offset = (QrSize - scale * n) / 2;
    for (int y = 0; y < n && scale > 0; ++y)
        for (int x = 0; x < n; ++x)
            if (modules[y][x])
                platform::FillBox({offset + x * scale, offset + y * scale, scale, scale}, platform::Rgb(0, 0, 0));
    platform::StopDrawing();
    platform::SetControlImage(sw::StageQr, QrImage);
}

}  // namespace

std::vector<std::vector<bool>> QrModules(const std::string& text) {
    QRcode* code = QRcode_encodeString(text.c_str(), 0, QR_ECLEVEL_M, QR_MODE_8, 1);
    if (!code) return {};
    std::vector<std::vector<bool>> modules(code->width, std::vector<bool>(code->width));
    for (int y = 0; y < code->width; ++y)
        for (int x = 0; x < code->width; ++x) modules[y][x] = (code->data[y * code->width + x] & 1) != 0;
    QRcode_free(code);
    return modules;
}

void FillStagePanel() {
    Settings tokens = settings;
    EnsureStageTokens(tokens);
    viewToken = tokens.StageViewToken;
    controlToken = tokens.StageControlToken;
    platform::SetControlChecked(sw::StageOn, settings.StageView == 1);
    platform::SetControlChecked(sw::StageLan, settings.StageViewLan == 1);
    platform::LimitControlText(sw::StagePort, 5);
    platform::SetControlText(sw::StagePort, std::to_string(settings.StageViewPort));
    ShowStageAddress();
}

void ShowStageAddress() {
    const Settings s = Shown();
    const std::string view = StageViewAddress(s, viewToken);
    platform::SetControlText(sw::StageAddress, view);
    platform::SetControlText(sw::StageControlAddress, StageViewAddress(s, controlToken));
    // Said beside the address whenever the server could not have the port.
    std::string status;
    if (settings.StageView == 1 && CurrentStageServerStatus() == StageServerStatus::PortInUse) {
        status = Message(PortInUseMessage);
        const std::size_t at = status.find("[PORT]");
        if (at != std::string::npos) status.replace(at, 6, std::to_string(settings.StageViewPort));
    }
    platform::SetControlText(sw::StageStatus, status);
    DrawQr(view);
}

void RenewStagePanelTokens() {
    Settings fresh;
    if (!RenewStageTokens(fresh)) return;
    viewToken = fresh.StageViewToken;
    controlToken = fresh.StageControlToken;
    ShowStageAddress();
}

void CopyStageAddress() { platform::CopyTextToClipboard(StageViewAddress(Shown(), viewToken)); }

void ApplyStagePanel(Settings& s) {
    s.StageView = platform::ControlChecked(sw::StageOn) ? 1 : 0;
    const Settings shown = Shown();
    s.StageViewLan = shown.StageViewLan;
    s.StageViewPort = shown.StageViewPort;
    s.StageViewToken = viewToken;
    s.StageControlToken = controlToken;
}
