// One full readout refresh on the fake platform: the docked bar of a 1080p
// screen and the maximized window, all three readouts in the 3D look.
#include <benchmark/benchmark.h>

#include "app/timer_engine.h"
#include "display/layout.h"
#include "display/readouts.h"
#include "settings/settings.h"
#include "tests/support/fake_main_window.h"
#include "tests/support/fake_platform.h"
#include "timekeeping/time_values.h"

namespace {

void PrepareWindow(int width, int height) {
    fake::OpenReadoutWindow(width, height);
    settings.ShowCostCounter = 1;
    fake::state.tick = 10'000'000;
    timerState.mode = CountDown;
    timerState.durationMs = 900000;
    timerState.warningMs = 180000;
    timerState.startTick = fake::state.tick - 300000;
    timerState.startTime = ClockNow() - 300;
    meetingStart = ClockNow() - 1200;
    meetingEnd = meetingStart + 3600;
    LayoutReadouts(0);
}

void Refresh(benchmark::State& state) {
    PrepareWindow(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        RefreshReadouts();
        benchmark::DoNotOptimize(fake::state.images);
    }
}

}  // namespace

BENCHMARK(Refresh)->Args({93, 1017})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
