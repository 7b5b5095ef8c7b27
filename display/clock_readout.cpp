// The meeting clock: the time of day on a band, above a column that drains
// from the meeting's start to its end, with a mark where the count-down ends.
#include <cstdlib>
#include <string>

#include "app/main_window.h"
#include "app/timer_engine.h"
#include "display/fonts.h"
#include "display/layout.h"
#include "display/readout_drawing.h"
#include "display/readouts.h"
#include "lang/messages.h"
#include "platform/gadgets.h"
#include "settings/settings.h"
#include "timekeeping/time_values.h"

namespace readout {

namespace {

using platform::Rgb;

constexpr int LastMinutes = 300;  // the column turns yellow for the last five minutes
constexpr int MarkerHysteresis = 3;

// The band with the time of day; returns the top of the lower area.
int DrawBand(int cw, const std::string& time) {
    platform::DrawingFont(font::Clock);
    const int h = platform::TextHeight(time);
    const int bh = Round(0.8 * h);
    if (settings.Mode3D == 1)
        ShadedBox(0, 0, cw, bh, 9, 20, 1);
    else
        platform::FillBox({0, 0, cw, bh}, Rgb(255, 255, 255));
    platform::DrawTextAt(Round((cw - platform::TextWidth(time)) / 2.0), -Round(0.1 * h), time, Rgb(0, 0, 0));
    platform::FillBox({0, bh, cw, 1}, Rgb(0, 0, 0));
    return bh + 1;
}

void DrawMarker(int cw, int ch, int y0, int hL, TimeValue t, TimeValue s) {
    const std::int32_t r = RemainingMs();
    const int p = y0 + Round(hL * ((t - s) + r / 1000.0) / MeetingLengthSeconds());
    if (std::abs(markerY - p) > MarkerHysteresis) markerY = p;
    if (markerY >= ch) return;
    platform::Colour c = Rgb(0, 0, 0);
    if (r <= 0 && settings.FinishRed == 1)
        c = Rgb(185, 0, 0);
    else if (r < timerState.warningMs && settings.WarningYellow == 1)
        c = Rgb(255, 255, 0);
    platform::FillBox({0, markerY - 1, cw, 2}, c);
}

}  // namespace

void DrawMeetingClock() {
    const int cw = clockRect.width, ch = clockRect.height;
    if (cw <= 0 || ch <= 0) return;
    const int W = layoutState.lastClientWidth;
    LoadReadoutFont(font::Clock, ClockFontPoints(fontScale, ColumnWidth(), W, settings.Clock24hr != 0), true);
    if (!platform::StartDrawing(image::ClockReadout)) return;

    const TimeValue s = meetingStart, e = meetingEnd, t = timerState.sampleTime;
    const bool shaded = settings.Mode3D == 1;
    const int y0 = DrawBand(cw, FormatClock("%hh:%ii", t, W / layoutState.columns));
    const int hL = ch - y0;
    platform::DrawingFont(font::Text);

    std::string text;
    platform::Colour colour;
    int y;
    if (t < s) {
        platform::FillBox({0, y0, cw, hL}, Rgb(200, 200, 200));
        colour = Rgb(40, 40, 40);
        const int m = y0 + hL / 2;
        const std::string wait = Message(91);
        platform::DrawTextAt((cw - platform::TextWidth(wait)) / 2, m - platform::TextHeight(wait), wait, colour);
        text = FormatDuration(SaturateMs((static_cast<std::int64_t>(s) - t) * 1000), W);
        y = m;
    } else {
        text = FormatDuration(SaturateMs((static_cast<std::int64_t>(e) - t) * 1000), W);
        const int h = platform::TextHeight(text);
        if (t > e) {
            y = y0 + (hL - h) / 2;
            Fill(0, y0, cw, hL, Rgb(255, 0, 0), 4, shaded);
            colour = Rgb(255, 255, 255);
        } else {
            // A meeting that ends where it starts lasts one second here, not a division by zero.
            y = Round(y0 + static_cast<double>(hL) * (t - s) / MeetingLengthSeconds());
            const bool ending = e - t < LastMinutes;
            Fill(0, y0, cw, y - y0, ending ? Rgb(255, 255, 0) : Rgb(0, 0, 0), ending ? 6 : 10, shaded);
            Fill(0, y, cw, ch - y, Rgb(0, 0, 200), 1, shaded);
            colour = ending ? Rgb(0, 0, 0) : Rgb(255, 255, 255);
            if (t == s) StartAtMeetingStart();
            if (settings.ShowTimer == 1 && timerState.paused == 0 && timerState.mode == CountDown)
                DrawMarker(cw, ch, y0, hL, t, s);
        }
        y -= static_cast<int>(0.94 * h);
    }
    if (y < y0) y = y0 - static_cast<int>(0.1 * platform::TextHeight(text));
    platform::DrawTextAt((cw - platform::TextWidth(text)) / 2, y, text, colour);
    platform::StopDrawing();
    platform::SetGadgetImageNumber(gadget::ClockReadout, image::ClockReadout);
}

}  // namespace readout
