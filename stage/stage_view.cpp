#include "stage/stage_view.h"

#include "platform/system.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "stage/stage_state.h"
#include "stage/stage_tokens.h"

namespace {

StageServerConfig runningConfig;

bool SameConfig(const StageServerConfig& a, const StageServerConfig& b) {
    return a.lan == b.lan && a.port == b.port && a.viewToken == b.viewToken && a.controlToken == b.controlToken;
}

}  // namespace

StageServerStatus ApplyStageViewSettings() {
    if (settings.StageView != 1) {
        StopStageServer();
        return StageServerStatus::Off;
    }
    if (EnsureStageTokens(settings)) SaveSettings();
    const StageServerConfig config{settings.StageViewLan == 1, settings.StageViewPort, settings.StageViewToken,
                                   settings.StageControlToken};
    if (CurrentStageServerStatus() == StageServerStatus::Running && SameConfig(config, runningConfig))
        return StageServerStatus::Running;
    runningConfig = config;
    return StartStageServer(config);
}

void PublishStageView(TimeValue clockTime) {
    if (CurrentStageServerStatus() != StageServerStatus::Running) return;
    PublishStageState(TakeStageSnapshot(clockTime), platform::TickCount());
}

std::string StageViewAddress(const Settings& s, const std::string& token) {
    const std::string host = s.StageViewLan == 1 ? LocalNetworkAddress() : "127.0.0.1";
    return "http://" + host + ":" + std::to_string(s.StageViewPort) + "/?token=" + token;
}
