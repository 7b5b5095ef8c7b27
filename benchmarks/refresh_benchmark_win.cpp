// One full readout refresh on the real Win32 backend: the program's own window
// opened with the default settings, timed at the docked size and maximized,
// with the count-down paused and running. Run under Wine by hand:
//   wine horavel_refresh_bench.exe [refreshes]
// With --pieces it also times the parts of a refresh and single drawing calls.
// With --click-start [preset] it only clicks the start/pause button of a
// running Horavel.exe, after preset button 38 + preset when one is given
// (scripts/measure-cpu starts the count-down that way). With --time-start
// PROGRAM [gadget [runs [end]]] it starts PROGRAM runs times (default 1),
// prints the median milliseconds until a window of it is shown (and, for a
// gadget number other than -1, that gadget has been laid out with a size), and
// leaves the last start running unless "end" is given.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <vector>

#include "app/Horavel_Main.h"
#include "app/main_window.h"
#include "app/timer_engine.h"
#include "display/fonts.h"
#include "display/layout.h"
#include "display/readout_drawing.h"
#include "display/readouts.h"
#include "platform/events.h"
#include "platform/gadgets.h"
#include "platform/images.h"
#include "platform/input.h"
#include "platform/screen.h"
#include "platform/win32/text.h"
#include "platform/window.h"

namespace {

double MsPerCount() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Now(double msPerCount) {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) * msPerCount;
}

// Hands the window the messages the refreshes left, as the main loop would
// between two refreshes: the repaint of the buttons set where they stand.
void Pump() {
    while (platform::WaitEvent(0).kind != platform::EventKind::None) {
    }
}

struct Figures {
    double median = 0;
    double mean = 0;
};

Figures Summarise(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    const std::size_t n = ms.size();
    const double median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    return {median, std::accumulate(ms.begin(), ms.end(), 0.0) / static_cast<double>(n)};
}

// Times n refreshes, each alone and with the pump that follows it.
void TimeRefreshes(const char* label, int n) {
    const double unit = MsPerCount();
    for (int i = 0; i < 20; ++i) {  // the first refreshes of a size create the fonts
        RefreshReadouts();
        Pump();
    }
    std::vector<double> refresh, withPump;
    refresh.reserve(n);
    withPump.reserve(n);
    for (int i = 0; i < n; ++i) {
        const double start = Now(unit);
        RefreshReadouts();
        const double drawn = Now(unit);
        Pump();
        const double pumped = Now(unit);
        refresh.push_back(drawn - start);
        withPump.push_back(pumped - start);
    }
    const Figures r = Summarise(refresh), p = Summarise(withPump);
    std::printf("%-22s %5d x %-5d  refresh median %7.3f ms  mean %7.3f ms  | with pump median %7.3f ms  mean %7.3f ms\n",
                label, platform::WindowInnerWidth(), platform::WindowInnerHeight(), r.median, r.mean, p.median,
                p.mean);
    std::fflush(stdout);
}

// Median milliseconds of n runs of one piece of work, each followed by the pump.
template <typename Part>
double MedianMs(int n, Part part) {
    const double unit = MsPerCount();
    std::vector<double> ms;
    ms.reserve(n);
    for (int i = 0; i < n; ++i) {
        const double start = Now(unit);
        part();
        ms.push_back(Now(unit) - start);
        Pump();
    }
    return Summarise(ms).median;
}

void TimePieces(int n) {
    const auto report = [](const char* name, double ms) { std::printf("    %-44s %7.3f ms\n", name, ms); };
    const int textPoints = TimerFontPoints(fontScale, ColumnWidth());
    report("cost readout", MedianMs(n, readout::DrawCostReadout));
    report("two timer fonts (LoadFont x2)", MedianMs(n, [&] {
               LoadReadoutFont(font::Text, textPoints, true);
               LoadReadoutFont(font::Tenths, TenthsFontPoints(textPoints), false);
           }));
    report("meeting clock (with its font)", MedianMs(n, readout::DrawMeetingClock));
    report("count-down", MedianMs(n, readout::DrawCountDown));
    report("timer buttons set where they stand", MedianMs(n, [] {
               for (int g = gadget::StartPause; g <= gadget::Preset5; ++g) {
                   const platform::Rect r = platform::GadgetRect(g);
                   platform::ResizeGadget(g, r.x, r.y, r.width, r.height);
               }
           }));
    report("  of which GadgetRect x6", MedianMs(n, [] {
               for (int g = gadget::StartPause; g <= gadget::Preset5; ++g) platform::GadgetRect(g);
           }));
    report("ActivateMainWindow", MedianMs(n, platform::ActivateMainWindow));
    // Single calls on the timer image.
    const int w = platform::ImageWidth(image::TimerReadout), h = platform::ImageHeight(image::TimerReadout);
    report("  StartDrawing + StopDrawing", MedianMs(n, [] {
               platform::StartDrawing(image::TimerReadout);
               platform::StopDrawing();
           }));
    report("  FillGradient of the timer image", MedianMs(n, [&] {
               platform::StartDrawing(image::TimerReadout);
               platform::FillGradient({0, 0, w, h}, platform::Rgb(0, 0, 0), platform::Rgb(90, 90, 90), false);
               platform::StopDrawing();
           }));
    report("  FillBox of the timer image", MedianMs(n, [&] {
               platform::StartDrawing(image::TimerReadout);
               platform::FillBox({0, 0, w, h}, platform::Rgb(20, 20, 20));
               platform::StopDrawing();
           }));
    report("  DrawTextAt of the timer text", MedianMs(n, [] {
               platform::StartDrawing(image::TimerReadout);
               platform::DrawingFont(font::Text);
               platform::DrawTextAt(0, 0, "09:59", platform::Rgb(255, 255, 255));
               platform::StopDrawing();
           }));
    report("  LoadFont (timer text, same size again)", MedianMs(n, [&] {
               LoadReadoutFont(font::Text, textPoints, true);
           }));
    report("  show the timer image (paint)", MedianMs(n, [] {
               platform::SetGadgetImageNumber(gadget::TimerReadout, image::TimerReadout);
           }));
    // What the main loop calls in every pass, also when no event came.
    report("loop: WaitEvent(0), nothing pending", MedianMs(n, [] { platform::WaitEvent(0); }));
    report("loop: UpdateButtonImages", MedianMs(n, UpdateButtonImages));
    report("loop: MainWindowIsActive + KeyIsDown x3", MedianMs(n, [] {
               platform::MainWindowIsActive();
               for (auto key : {platform::Key::Space, platform::Key::Control, platform::Key::Shift})
                   platform::KeyIsDown(key);
           }));
    std::printf("    timer image %d x %d, clock image %d x %d\n", w, h, platform::ImageWidth(image::ClockReadout),
                platform::ImageHeight(image::ClockReadout));
    std::fflush(stdout);
}

void SetRunning(bool running) {
    if ((timerState.paused == 0) != running) TogglePause();
    Pump();
}

int Measure(int n, bool pieces) {
    if (!InitApplication()) {
        std::fprintf(stderr, "the main window did not open\n");
        return 1;
    }
    for (int i = 0; i < 10; ++i) platform::WaitEvent(50);

    TimeRefreshes("docked, paused", n);
    SetCountDown(600000);
    SetRunning(true);
    TimeRefreshes("docked, running", n);
    if (pieces) TimePieces(n);

    platform::SetWindowState(platform::WindowState::Maximized);
    for (int i = 0; i < 10; ++i) platform::WaitEvent(50);
    LayoutReadouts(0);
    Pump();
    TimeRefreshes("maximized, running", n);
    if (pieces) TimePieces(n);
    SetRunning(false);
    TimeRefreshes("maximized, paused", n);
    return 0;
}

// Clicks the start/pause button of the running program's window.
int ClickStart(int preset) {
    HWND window = FindWindowW(L"HoravelMain", L"Horavel");
    HWND button = window ? GetDlgItem(window, gadget::StartPause) : nullptr;
    if (!button) {
        std::fprintf(stderr, "no Horavel window with a start/pause button\n");
        return 1;
    }
    if (preset >= 0) SendMessageW(GetDlgItem(window, gadget::Preset1 + preset), BM_CLICK, 0, 0);
    SendMessageW(button, BM_CLICK, 0, 0);
    Sleep(500);
    wchar_t caption[16] = L"";
    GetWindowTextW(button, caption, 16);
    std::printf("the start/pause button reads %s\n", platform::win32::Utf8(caption).c_str());
    return 0;
}

struct Search {
    DWORD processId;
    int gadget;
    HWND found;
};

BOOL CALLBACK FindShownWindow(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->processId || !IsWindowVisible(hwnd)) return TRUE;
    if (search->gadget >= 0) {
        HWND child = GetDlgItem(hwnd, search->gadget);
        RECT r{};
        if (!child || !GetWindowRect(child, &r) || r.right <= r.left || r.bottom <= r.top) return TRUE;
    }
    search->found = hwnd;
    return FALSE;
}

// Milliseconds from the start of program until a window of it is shown, or
// a negative number when none comes within a minute; the process is left running.
double TimeOneStart(const char* program, int gadget, PROCESS_INFORMATION& process) {
    std::wstring command = L"\"" + platform::win32::Wide(program) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    const double unit = MsPerCount();
    const double start = Now(unit);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    Search search{process.dwProcessId, gadget, nullptr};
    while (Now(unit) - start < 60000) {
        EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return Now(unit) - start;
        Sleep(1);
    }
    return -1;
}

// Starts program runs times, ending each start once it is shown but the last
// unless endAll, and prints the median time to shown.
int TimeStart(const char* program, int gadget, int runs, bool endAll) {
    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        PROCESS_INFORMATION process{};
        const double shown = TimeOneStart(program, gadget, process);
        if ((endAll || run + 1 < runs) && process.hProcess) {
            TerminateProcess(process.hProcess, 0);
            WaitForSingleObject(process.hProcess, 10000);
        }
        if (process.hProcess) {
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        if (shown < 0) {
            std::fprintf(stderr, "no window of %s within 60 s\n", program);
            return 1;
        }
        ms.push_back(shown);
    }
    std::printf("shown after %.0f ms (median of", Summarise(ms).median);
    for (double m : ms) std::printf(" %.0f", m);
    std::printf(")\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int status = 0;
    if (argc > 1 && std::strcmp(argv[1], "--click-start") == 0) {
        status = ClickStart(argc > 2 ? std::atoi(argv[2]) : -1);
    } else if (argc > 2 && std::strcmp(argv[1], "--time-start") == 0) {
        status = TimeStart(argv[2], argc > 3 ? std::atoi(argv[3]) : -1, argc > 4 ? std::max(1, std::atoi(argv[4])) : 1,
                           argc > 5 && std::strcmp(argv[5], "end") == 0);
    } else {
        const bool pieces = argc > 1 && std::strcmp(argv[1], "--pieces") == 0;
        const int first = pieces ? 2 : 1;
        const int n = argc > first ? std::max(1, std::atoi(argv[first])) : 500;
        status = Measure(n, pieces);
    }
    platform::EndProcess(status);
}
