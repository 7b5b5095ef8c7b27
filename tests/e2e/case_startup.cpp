// The program starts, shows its window and runs a count-down.
#include <algorithm>
#include <cstdlib>

#include "tests/e2e/case_support.h"

E2E_CASE(starts_and_has_window) {
    e2e::Process program;
    if (!CHECK(e2e::StartProgram(exePath, "", program), "Horavel.exe starts")) return e2e::Result();
    HWND window = e2e::WaitForWindow("Horavel", program.id, 20000);
    CHECK(window != nullptr, "a top-level window titled \"Horavel\" appears within 20 s");
    if (window != nullptr) {
        RECT rect = e2e::WindowRect(window);
        e2e::Log("window at " + std::to_string(rect.left) + "," + std::to_string(rect.top) + " size " +
                 std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top));
        e2e::Pause(500);
    }
    e2e::Screenshot("starts_and_has_window");
    CHECK(e2e::IsRunning(program), "the program is still running");
    e2e::StopProgram(program);
    return e2e::Result();
}

// HORAVEL_LAUNCHES (default 1) launches in a row; scripts/stress-startup runs
// hundreds of them on a loaded machine.
E2E_CASE(launches_to_a_running_count_down) {
    const int launches = std::max(1, std::atoi(e2e::EnvironmentValue("HORAVEL_LAUNCHES").c_str()));
    int failures = 0;
    for (int launch = 1; launch <= launches; ++launch) {
        const std::string failure = e2e::LaunchToRunningCountDown(exePath);
        if (!failure.empty()) {
            ++failures;
            e2e::Log("launch " + std::to_string(launch) + ": " + failure);
        }
        if (launch % 25 == 0) e2e::Log(std::to_string(launch) + " launches, " + std::to_string(failures) + " failed");
    }
    e2e::Log("launches: " + std::to_string(launches) + ", failed: " + std::to_string(failures));
    CHECK(failures == 0, "every launch reaches a running count-down without a fault");
    return e2e::Result();
}
