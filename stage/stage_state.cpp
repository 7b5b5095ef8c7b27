#include "stage/stage_state.h"

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>

#include "app/command_line.h"
#include "app/timer_engine.h"
#include "display/layout.h"
#include "app/main_window.h"
#include "display/timer_look.h"
#include "lang/messages.h"
#include "settings/settings.h"

namespace {

constexpr int MessageConnectionLost = 240;

std::string ColourText(platform::Colour c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(c & 0xFFFFFF));
    return JsonString(text);
}

const char* Flag(bool b) { return b ? "true" : "false"; }

// Every field but the remaining time and the tick: what the page draws.
std::string ShownFields(const StageSnapshot& s) {
    return "\"mode\":" + JsonString(s.mode) + ",\"phase\":" + JsonString(s.phase) + ",\"text\":" + JsonString(s.text) +
           ",\"background\":" + ColourText(s.background) + ",\"fill\":" + ColourText(s.fill) +
           ",\"color\":" + ColourText(s.textColour) + ",\"hasFill\":" + Flag(s.hasFill) +
           ",\"fillPermille\":" + std::to_string(s.fillPermille) + ",\"blink\":" + Flag(s.blink) +
           ",\"lit\":" + Flag(s.lit) + ",\"clock\":" + JsonString(s.clockText) + ",\"breakText\":" + JsonString(s.breakText) +
           ",\"presets\":[" + JsonString(s.presets[0]) + "," + JsonString(s.presets[1]) + "," + JsonString(s.presets[2]) + "," +
           JsonString(s.presets[3]) + "," + JsonString(s.presets[4]) + "],\"lostText\":" + JsonString(s.lostText);
}

struct Publication {
    std::mutex lock;
    std::condition_variable changed;
    std::string shown;
    PublishedStageState state;
    std::deque<PublishedStageState> history;  // the last changes, oldest first
};
Publication& publication() {
    static Publication p;
    return p;
}

}  // namespace

StageSnapshot TakeStageSnapshot(TimeValue clockTime) {
    const int width = layoutState.lastClientWidth;
    const TimerLook look = CurrentTimerLook(width);
    StageSnapshot s;
    s.mode = TimerModeName(timerState.mode);
    s.phase = TimerPhaseName(RemainingMs());
    s.text = look.text;
    s.remainingMs = timerState.mode == CountUp
                        ? SaturateMs(static_cast<std::int32_t>(timerState.sampleTick - timerState.startTick))
                        : RemainingMs();
    s.background = look.background;
    s.fill = look.fill;
    s.textColour = look.textColour;
    s.hasFill = look.hasFill;
    s.fillPermille = look.hasFill ? std::clamp<std::int64_t>(1000 - look.elapsedPermille, 0, 1000) : 0;
    s.blink = look.blinking;
    s.lit = look.lit;
    s.clockText = FormatClock("%hh:%ii", clockTime, width / std::max(1, layoutState.columns));
    if (InBreak()) s.breakText = look.text;
    const std::int32_t seconds[] = {settings.Button1, settings.Button2, settings.Button3, settings.Button4,
                                    settings.Button5};
    for (int i = 0; i < 5; ++i) s.presets[i] = PresetCaption(seconds[i]);
    s.lostText = Message(MessageConnectionLost);
    return s;
}

std::string StageStateJson(const StageSnapshot& s, std::uint32_t tick) {
    return "{" + ShownFields(s) + ",\"remainingMs\":" + std::to_string(s.remainingMs) +
           ",\"tick\":" + std::to_string(tick) + "}";
}

void PublishStageState(const StageSnapshot& s, std::uint32_t tick) {
    std::string shown = ShownFields(s);
    std::string json = StageStateJson(s, tick);
    Publication& p = publication();
    bool news = false;
    {
        const std::lock_guard<std::mutex> hold(p.lock);
        // Only a change of what is shown is news for the event streams; a
        // request for the state always gets the latest remaining time.
        news = shown != p.shown || p.state.json.empty();
        p.state.json.swap(json);
        if (news) {
            p.shown.swap(shown);
            ++p.state.version;
            p.history.push_back(p.state);
            if (p.history.size() > StageHistory) p.history.pop_front();
        }
    }
    if (news) p.changed.notify_all();
}

PublishedStageState CurrentStageState() {
    Publication& p = publication();
    const std::lock_guard<std::mutex> hold(p.lock);
    return p.state;
}

std::vector<PublishedStageState> WaitForStageChanges(std::uint64_t seen, std::chrono::milliseconds wait,
                                                     const std::atomic<bool>& stop) {
    Publication& p = publication();
    std::unique_lock<std::mutex> hold(p.lock);
    p.changed.wait_for(hold, wait, [&] { return p.state.version != seen || stop; });
    std::vector<PublishedStageState> changes;
    for (const PublishedStageState& s : p.history)
        if (s.version > seen) changes.push_back(s);
    return changes;
}

void WakeStageWaiters() {
    Publication& p = publication();
    // Taking the lock orders the waker after any waiter that has just looked
    // at its flag and not yet started waiting.
    { const std::lock_guard<std::mutex> hold(p.lock); }
    p.changed.notify_all();
}
