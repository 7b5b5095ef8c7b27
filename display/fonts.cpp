#include "display/fonts.h"

#include <algorithm>
#include <cmath>

#include "app/timer_engine.h"
#include "platform/images.h"

namespace {

// The divisors are the character counts of the texts drawn in those fonts.
constexpr int ClockChars24 = 5;          // 12:30
constexpr int ClockCharsWithSpace = 8;   // 12:30 PM
constexpr int ClockCharsNoSpace = 7;     // 12:30PM
constexpr int TimerChars = 6;            // 04:59, 15 min
constexpr int BreakChars = 16;           // Return in 15 min
constexpr int UntilChars12 = 25;         // Return at 10:30 AM (15 min)
constexpr int UntilChars24 = 21;         // Return at 10:30 (15 min)

int Int(double value) { return static_cast<int>(value); }

}  // namespace

int NearestEven(double value) { return static_cast<int>(std::nearbyint(value)); }

double CostFontRequest(float scale, double columnWidth, int sampleCharacters) {
    return static_cast<double>(scale) * columnWidth * 0.95 / std::max(1, sampleCharacters);
}

CostFont FitCostFont(double requestedPoints, int textHeight, int clientHeight) {
    const int limit = NearestEven(0.1 * clientHeight);
    if (textHeight <= limit) return {Int(requestedPoints), textHeight};
    return {Int((0.1 * clientHeight / textHeight) * requestedPoints), limit};
}

int ClockFontPoints(float scale, double columnWidth, int clientWidth, bool clock24) {
    const double s = static_cast<double>(scale) * columnWidth;
    if (clock24) return Int(s * 0.95 / ClockChars24);
    if (clientWidth > 100) return Int(s * 0.98 / ClockCharsWithSpace);
    return Int(s / ClockCharsNoSpace);
}

int TimerFontPoints(float scale, double columnWidth) {
    return Int(static_cast<double>(scale) * columnWidth * 0.95 / TimerChars);
}

int TenthsFontPoints(int timerPoints) {
    return timerPoints > 9 ? static_cast<int>(std::floor(0.8 * timerPoints)) : timerPoints;
}

int BreakFontPoints(float scale, double columnWidth, int mode, bool clock24) {
    const int chars = mode == Until ? (clock24 ? UntilChars24 : UntilChars12) : BreakChars;
    return Int(static_cast<double>(scale) * columnWidth * 0.95 / chars);
}

void LoadReadoutFont(int slot, int points, bool bold) { platform::LoadFont(slot, "Arial", std::max(1, points), bold); }
