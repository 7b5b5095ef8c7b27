#include "tests/e2e/case_support.h"

#include <cstdlib>

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

bool WaitForPicture(HWND hwnd, const Pixels& picture, bool same, DWORD timeoutMs) {
    for (DWORD waited = 0;; waited += 100) {
        if ((CaptureClient(hwnd).rgb == picture.rgb) == same) return true;
        if (waited >= timeoutMs) return false;
        Pause(100);
    }
}

Pixels SteadyPicture(HWND hwnd, DWORD timeoutMs) {
    Pixels last = CaptureClient(hwnd);
    for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
        Pause(100);
        Pixels now = CaptureClient(hwnd);
        if (now.rgb == last.rgb) break;
        last = std::move(now);
    }
    return last;
}

std::string SourcePath(const std::string& exePath, const std::string& relative) {
    const std::string folder = exePath.substr(0, exePath.find_last_of('\\'));
    return folder + "\\..\\..\\" + relative;
}

HWND WaitForWindowTitled(const std::string& part, DWORD timeoutMs) {
    struct Search {
        const std::string& part;
        HWND found;
    } search{part, nullptr};
    for (DWORD waited = 0;; waited += 100) {
        EnumWindows(
            [](HWND hwnd, LPARAM data) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(data);
                if (IsWindowVisible(hwnd) && WindowText(hwnd).find(s.part) != std::string::npos) s.found = hwnd;
                return s.found == nullptr;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (waited >= timeoutMs) break;
        Pause(100);
    }
    EnumWindows(
        [](HWND hwnd, LPARAM) -> BOOL {
            if (IsWindowVisible(hwnd)) Log("  window: \"" + WindowText(hwnd) + "\"");
            return TRUE;
        },
        0);
    return nullptr;
}

std::string SettingsFolder() { return ShellFolder(CSIDL_APPDATA) + "\\Horavel\\"; }

bool WaitForWindowText(HWND hwnd, const std::string& text, DWORD timeoutMs) {
    for (DWORD waited = 0;; waited += 100) {
        if (WindowText(hwnd) == text) return true;
        if (waited >= timeoutMs) return false;
        Pause(100);
    }
}

bool WaitForCaption(HWND window, int gadget, const std::string& text, DWORD timeoutMs) {
    return WaitForWindowText(FindChild(window, gadget).hwnd, text, timeoutMs);
}

namespace {
constexpr DWORD kPromptWait = 5000;
}  // namespace

HWND WaitForProgramWindow(DWORD processId, const wchar_t* className, const std::string& title, DWORD timeoutMs) {
    for (DWORD waited = 0;; waited += 50) {
        for (HWND w : TopLevelWindows(processId)) {
            const WindowInfo info = DescribeWindow(w);
            if (info.visible && info.className == Narrow(className) && (title.empty() || info.text == title)) return w;
        }
        if (waited >= timeoutMs) return nullptr;
        Pause(50);
    }
}

HWND ProgramWindowOfClass(const wchar_t* windowClass, DWORD processId) {
    HWND hwnd = FindWindowW(windowClass, nullptr);
    DWORD owner = 0;
    if (hwnd) GetWindowThreadProcessId(hwnd, &owner);
    return owner == processId ? hwnd : nullptr;
}

std::string FieldText(HWND field) {
    wchar_t text[256] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(field, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kPromptWait, &copied);
    return Narrow(text);
}

bool AnswerPrompt(DWORD processId, const std::string& title, const std::string& typed, std::string* initial,
                  bool cancel) {
    HWND prompt = WaitForProgramWindow(processId, L"#32770", title, kPromptWait);
    if (!prompt) return false;
    Pause(300);
    const RECT r = WindowRect(prompt);
    const int dx = (r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2;
    const int dy = (r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2;
    CHECK(std::abs(dx) <= 2 && std::abs(dy) <= 2, "the prompt stands in the middle of the screen");
    CHECK(GetWindowLongPtrW(prompt, GWL_EXSTYLE) & WS_EX_TOPMOST, "the prompt is top-most, above the strip");
    if (initial) *initial = FieldText(FindChild(prompt, 101).hwnd);
    if (cancel) {
        PressKey(VK_ESCAPE);
    } else {
        TypeText(typed);
        Pause(200);
        PressKey(VK_RETURN);
    }
    for (DWORD waited = 0; IsWindow(prompt) && IsWindowVisible(prompt) && waited < kPromptWait; waited += 50) Pause(50);
    return !IsWindowVisible(prompt);
}

bool ClosePromptBox(DWORD processId, const std::string& title) {
    HWND prompt = WaitForProgramWindow(processId, L"#32770", title, kPromptWait);
    if (!prompt) return false;
    PostMessageW(prompt, WM_SYSCOMMAND, SC_CLOSE, 0);
    for (DWORD waited = 0; IsWindow(prompt) && IsWindowVisible(prompt) && waited < kPromptWait; waited += 50) Pause(50);
    return !IsWindowVisible(prompt);
}

bool Settle(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result) != 0;
}

std::string LaunchToRunningCountDown(const std::string& exePath) {
    Process program;
    if (!StartProgram(exePath, "", program)) return "did not start";
    std::string failure;
    HWND window = WaitForWindow("Horavel", program.id, 20000);
    if (!window) {
        failure = "no window within 20 s";
    } else if (!WaitForCaption(window, 37, ">", 10000)) {
        failure = "no paused timer within 10 s";
    } else {
        PressGadget(window, 37);
        if (!WaitForCaption(window, 37, "||", 5000)) failure = "the count-down did not start";
    }
    // A fault shows its report, whichever step it cut short.
    if (HWND report = WaitForProgramWindow(program.id, L"#32770", "Horavel Error", 0)) {
        failure = "fault report: " + FieldText(FindChild(report, 0xFFFF).hwnd);
    } else if (DWORD exitCode = 0; WaitForExit(program, 0, exitCode)) {
        failure = "ended with exit code " + std::to_string(exitCode);
    }
    StopProgram(program);
    return failure;
}

bool WaitForMenuWindows(DWORD processId, int count, DWORD timeoutMs) {
    const auto shown = [processId] {
        int menus = 0;
        for (HWND w : TopLevelWindows(processId)) {
            const WindowInfo info = DescribeWindow(w);
            menus += info.visible && info.className == "#32768";
        }
        return menus;
    };
    for (DWORD waited = 0;; waited += 50) {
        if (shown() == count) return true;
        if (waited >= timeoutMs) return false;
        Pause(50);
    }
}

void SlideShow::Start() {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread = std::thread([this, ready] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"screenClass";
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH));
        RegisterClassW(&wc);
        window = CreateWindowExW(0, L"screenClass", L"Slide Show", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                                 nullptr, wc.hInstance, nullptr);
        threadId = GetCurrentThreadId();
        SetEvent(ready);
        MSG m;
        while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
        DestroyWindow(window);
    });
    WaitForSingleObject(ready, 5000);
    CloseHandle(ready);
}

void SlideShow::Stop() {
    if (threadId) PostThreadMessageW(threadId, WM_QUIT, 0, 0);
    if (thread.joinable()) thread.join();
}

bool WaitForForeground(HWND w, DWORD timeoutMs) {
    for (DWORD waited = 0;; waited += 50) {
        if (GetForegroundWindow() == w) return true;
        if (waited >= timeoutMs) return false;
        Pause(50);
    }
}

}  // namespace e2e
