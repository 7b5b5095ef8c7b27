// The program starts and shows its window.
#include "tests/e2e/driver_support.h"

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
