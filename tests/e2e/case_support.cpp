#include "tests/e2e/case_support.h"

namespace e2e {

HWND StartAndFind(const std::string& exePath, Process& program) {
    if (!CHECK(StartProgram(exePath, "", program), "Horavel.exe starts")) return nullptr;
    HWND window = WaitForWindow("Horavel", program.id, 20000);
    CHECK(window != nullptr, "a top-level window titled \"Horavel\" appears within 20 s");
    if (window) Pause(1000);
    return window;
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void PressGadget(HWND window, int gadget) {
    const POINT at = Centre(FindChild(window, gadget).rect);
    MoveMouse(at.x, at.y);
    Pause(150);
    MouseDown();
    Pause(150);
    MouseUp();
    Pause(300);
}

std::string SourcePath(const std::string& exePath, const std::string& relative) {
    const std::string folder = exePath.substr(0, exePath.find_last_of('\\'));
    return folder + "\\..\\..\\" + relative;
}

std::string SettingsFolder() { return ShellFolder(CSIDL_APPDATA) + "\\Horavel\\"; }

bool WaitForCaption(HWND window, int gadget, const std::string& text, DWORD timeoutMs) {
    for (DWORD waited = 0;; waited += 100) {
        if (WindowText(FindChild(window, gadget).hwnd) == text) return true;
        if (waited >= timeoutMs) return false;
        Pause(100);
    }
}

}  // namespace e2e
