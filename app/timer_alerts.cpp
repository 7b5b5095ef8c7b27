#include "app/timer_engine.h"
#include "display/alerts.h"
#include "settings/settings.h"
#include "sound/alert_sound.h"

namespace {

// A sound number within the built-in set plays that sound; any other plays the
// user's file.
AlertStep SoundStep(int variant, std::int32_t soundFile, int builtInCount, const std::string& customPath,
                    std::int32_t volume) {
    if (soundFile >= 1 && soundFile <= builtInCount) return {AlertKind::Sound, variant, "", soundFile, volume};
    return {AlertKind::Sound, variant, customPath, 0, volume};
}

AlertStep WarningSoundStep(const Settings& s) {
    return SoundStep(1, s.WarningSoundFile, 10, s.WarningSoundCustom, s.WarningVolume);
}
AlertStep FinishSoundStep(const Settings& s) {
    return SoundStep(0, s.FinishSoundFile, 19, s.FinishSoundCustom, s.FinishVolume);
}

}  // namespace

std::int32_t FinishMark(std::int32_t remainingMs) {
    return remainingMs > 0 ? -1 : static_cast<std::int32_t>(-static_cast<std::int64_t>(remainingMs) / 15000);
}

std::vector<AlertStep> DueAlerts(TimerState& timer, const Settings& s) {
    std::vector<AlertStep> steps;
    const std::int32_t r = RemainingMsOf(timer);
    const std::int32_t mark = FinishMark(r);
    const bool finishEvent = mark > timer.finishMark;
    timer.finishMark = mark;
    if (finishEvent) {
        if (!timer.finishFired) {
            timer.warningFired = 1;  // a warning can no longer follow
            timer.alertBusy = 0;
        }
        if (s.FinishSound == 1 && !timer.finishFired) {
            steps.push_back(FinishSoundStep(s));
        }
        timer.finishFired = 1;
        // The flash clears alertBusy when it ends, so the popup's test can be made now.
        if (s.FinishFlash == 1 && !timer.alertBusy) steps.push_back({AlertKind::Flash, 0, "", 0});
        if (s.FinishPopup == 1 && !timer.alertBusy) steps.push_back({AlertKind::Popup, 0, "", 0});
    } else if (r <= timer.warningMs && r / 1000 > 0 && !timer.warningFired) {
        timer.warningFired = 1;
        if (s.WarningSound == 1) steps.push_back(WarningSoundStep(s));
        if (s.WarningFlash == 1 && !timer.alertBusy) steps.push_back({AlertKind::Flash, 1, "", 0});
        if (s.WarningPopup == 1 && !timer.alertBusy) steps.push_back({AlertKind::Popup, 1, "", 0});
    }
    return steps;
}

std::optional<AlertStep> UpcomingAlertSound(const TimerState& timer, const Settings& s, std::int32_t aheadMs) {
    const std::int32_t r = RemainingMsOf(timer);
    // The warning comes when r reaches warningMs, if a whole second is then left.
    if (!timer.warningFired && timer.warningMs >= 1000 && r > timer.warningMs && s.WarningSound == 1) {
        if (r - timer.warningMs > aheadMs) return std::nullopt;
        return WarningSoundStep(s);
    }
    if (timer.finishFired || s.FinishSound != 1 || r <= 0 || r > aheadMs) return std::nullopt;
    return FinishSoundStep(s);
}

void CheckAlerts() {
    if (settings.ShowTimer != 1 || timerState.mode != CountDown || timerState.paused) return;
    // The sound device takes a while to start: a sound due soon is made ready
    // a few seconds ahead, so that it is heard from its beginning.
    constexpr std::int32_t PrepareAheadMs = 3000;
    if (const auto next = UpcomingAlertSound(timerState, settings, PrepareAheadMs))
        PrepareAlertSound(next->soundPath, next->builtInSound, next->volume);
    // The once-flags are set before any effect starts: the flash and the popup
    // refresh the readouts, and so run this step again, while they are on screen.
    for (const AlertStep& step : DueAlerts(timerState, settings)) {
        switch (step.kind) {
            case AlertKind::Sound: PlayAlertSound(step.soundPath, step.builtInSound, step.volume); break;
            case AlertKind::Flash: ScreenFlash(step.variant); break;
            case AlertKind::Popup: AlertPopup(step.variant); break;
        }
    }
}
