#include "display/readouts.h"

#include <cstdlib>

#include "app/command_line.h"
#include "app/main_window.h"
#include "app/timer_engine.h"
#include "display/fonts.h"
#include "display/layout.h"
#include "display/readout_drawing.h"
#include "lang/messages.h"
#include "lang/utf8.h"
#include "platform/gadgets.h"
#include "platform/images.h"
#include "platform/screen.h"
#include "settings/settings.h"
#include "stage/stage_view.h"
#include "timekeeping/time_values.h"

std::string thousandsSeparator = ",";
std::string shownTimerText;
int markerY = 0;

namespace {

// Sets the timer buttons where they already are, so that they repaint above
// the freshly shown timer readout.
void RepaintTimerButtons() {
    for (int g = gadget::StartPause; g <= gadget::Preset5; ++g) {
        const platform::Rect r = platform::GadgetRect(g);
        platform::ResizeGadget(g, r.x, r.y, r.width, r.height);
    }
}

}  // namespace

std::int64_t HourlyRate() {
    const std::int64_t salary = settings.CostSalary;
    switch (settings.CostPeriod) {
        case 0: return salary / 2080;  // 52 weeks of 40 hours
        // A month is a twelfth of the working year, so a monthly salary gives
        // the same rate as twelve times that salary per year.
        case 1: return salary * 12 / 2080;
        case 2: return salary / 40;
        default: return salary;
    }
}

std::int64_t MeetingCost() {
    const std::int64_t seconds = static_cast<std::int64_t>(timerState.sampleTime) - meetingStart;
    // A typed head count can be as large as 32 bits hold: the product is taken
    // wide and the cost held at the largest a readout can show.
    const __int128 cost = static_cast<__int128>(seconds) * settings.NumOfParticipants * HourlyRate() / 3600;
    constexpr std::int64_t limit = INT64_MAX;
    return static_cast<std::int64_t>(cost > limit ? limit : cost < -limit ? -limit : cost);
}

std::string GroupDigits(const std::string& digits, const std::string& separator) {
    if (CharacterCount(separator) != 1 || digits.size() <= 3) return digits;
    std::string grouped;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) grouped += separator;
        grouped += digits[i];
    }
    return grouped;
}

std::string CostText() {
    if (static_cast<std::int64_t>(timerState.sampleTime) - meetingStart <= 0) return Message(91);
    const std::int64_t cost = MeetingCost();
    const std::string digits = std::to_string(cost < 0 ? -cost : cost);
    return settings.CostCurrency + (cost < 0 ? "-" : "") + GroupDigits(digits, thousandsSeparator);
}

namespace readout {

void DrawCostReadout() {
    if (costRect.width <= 0 || costRect.height <= 0 || !platform::StartDrawing(image::CostReadout)) return;
    const int w = platform::ImageWidth(image::CostReadout), h = platform::ImageHeight(image::CostReadout);
    const std::string text = CostText();
    platform::DrawingFont(font::Cost);
    platform::FillBox({0, 0, w, h}, platform::Rgb(255, 255, 185));
    platform::DrawTextAt(Round((w - platform::TextWidth(text)) / 2.0), 0, text, platform::Rgb(255, 100, 0));
    platform::StopDrawing();
    platform::SetGadgetImageNumber(gadget::CostReadout, image::CostReadout);
}

}  // namespace readout

void RefreshReadouts() {
    TimerState& t = timerState;
    SampleTimer();
    shownTimerText.clear();

    if (InBreak()) {
        readout::DrawBreakReadout();
        PublishStageView(t.sampleTime);
    } else {
        if (settings.ShowCostCounter == 1) readout::DrawCostReadout();
        const int textPoints = TimerFontPoints(fontScale, ColumnWidth());
        LoadReadoutFont(font::Text, textPoints, true);
        LoadReadoutFont(font::Tenths, TenthsFontPoints(textPoints), false);
        if (settings.ShowMeetingClock == 1) readout::DrawMeetingClock();
        // A paused timer is drawn, and published, as it stood at the pause.
        const bool frozen = t.paused == 1;
        const std::uint32_t realTick = t.sampleTick;
        const TimeValue realTime = t.sampleTime;
        if (frozen) {
            t.sampleTick = t.pauseTick;
            t.sampleTime = t.startTime + static_cast<std::int32_t>(t.pauseTick - t.startTick) / 1000;
        }
        if (settings.ShowTimer == 1) {
            if (t.mode == CountDown)
                readout::DrawCountDown();
            else if (t.mode == CountUp)
                readout::DrawCountUp();
        }
        PublishStageView(realTime);
        if (frozen) {
            t.sampleTick = realTick;
            t.sampleTime = realTime;
        }
        if (settings.ShowTimer == 1) RepaintTimerButtons();
    }
    platform::ActivateMainWindow();
    PublishTimerStatus();
}
