#pragma once
// A scriptable stand-in for the gadget runtime, for the unit tests: every
// platform call lands in the state below, which tests set up and inspect.
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/events.h"
#include "platform/files.h"
#include "platform/gadgets.h"
#include "platform/images.h"
#include "platform/input.h"
#include "platform/system.h"
#include "platform/window.h"
#include "tests/support/fake_sound.h"

namespace fake {

struct Gadget {
    bool isButton = false;
    platform::Rect rect;
    bool visible = true;
    std::string text;
    std::uint32_t textTick = 0;  // tick count when the text was last set
    int image = -1;
    int imageChanges = 0;  // how often the shown image was replaced
    std::string toolTip;
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<platform::Colour> pixels;  // row by row
    std::vector<std::uint8_t> alpha;       // decoded pictures with alpha only
};

struct Font {
    std::string face;
    int points = 0;
    bool bold = false;
};

// One scripted event; its action runs just before the event is delivered
// (to move the mouse, hold a key, advance the clock...).
struct Step {
    platform::Event event;
    std::function<void()> action;
};

// Thrown by platform::EndProcess so a test can see the program end.
struct ProcessEnded {
    int exitCode;
};

struct State {
    // Clock.
    std::uint32_t tick = 1000;
    platform::LocalTime localTime{2024, 3, 14, 10, 7, 30};

    // Window.
    bool windowOpen = false;
    bool failOpenWindow = false;
    platform::WindowOptions window;
    platform::WindowCallback callback = nullptr;
    platform::Colour background = 0;
    int minWidth = 0, minHeight = 0;
    platform::WindowState state = platform::WindowState::Normal;
    platform::Rect normalRect;  // outer x, y and inner size before maximizing
    bool active = true;
    bool windowVisible = false;  // shown by ShowMainWindow
    int screenWidth = 1920, screenHeight = 1080;

    // Gadgets, images, fonts, drawing.
    std::map<int, Gadget> gadgets;
    std::optional<std::map<int, Gadget>> gadgetsWhenShown;  // as they stood when the window first showed
    std::map<int, Image> images;
    std::map<int, Font> fonts;
    int dpiY = 96;
    int drawingImage = -1;  // -1 nothing open, -2 the window's surface
    int drawingFont = -1;

    // Input.
    std::set<platform::Key> keysDown;
    platform::Point mouse;
    platform::CursorShape cursor = platform::CursorShape::Arrow;
    bool cursorsLoaded = false;

    // Events. When the script runs dry, waits return nothing and let the tick
    // count run on; after idleLimit empty waits a close event ends the loop so
    // a faulty test cannot hang.
    std::deque<Step> script;
    int idleWaits = 0;
    int idleLimit = 1000;
    // The timeout of every wait; actions due at a tick count, run while an
    // empty wait passes that tick (a key that changes without a message).
    std::vector<int> waits;
    std::multimap<std::uint32_t, std::function<void()>> timed;
    // Reads of the keyboard and the pointer.
    int inputReads = 0;

    // Message boxes shown (title, text), and the answer to give.
    std::vector<std::pair<std::string, std::string>> messageBoxes;
    std::vector<platform::MessageBoxIcon> messageBoxIcons;  // the icon of each box shown
    platform::MessageBoxResult messageBoxAnswer = platform::MessageBoxResult::Ok;

    platform::FaultHandler faultHandler = nullptr;

    // Files: path to content; folders; what the shell reports.
    std::map<std::string, std::string> files;
    std::map<std::string, std::uint64_t> fileTimes;  // last-write times FindFiles reports (0 when unset)
    std::set<std::string> folders;
    std::string appDataFolder = "C:\\Users\\tester\\AppData\\Roaming";
    std::string programFile = "C:\\Program Files\\Horavel\\Horavel.exe";
    bool failWrites = false;
    std::set<std::string> readOnlyFolders;  // nothing can be created in them
    std::set<std::string> lockedFiles;      // held by another program: not opened, not deleted

    Sound sound;

    // System commands and other calls worth checking, in order.
    std::vector<std::string> calls;
};

extern State state;

// Puts everything back to the state of a fresh machine.
void Reset();

// Queues events for WaitEvent.
void Push(const platform::Event& event, std::function<void()> action = {});
void PushGadget(int gadget, int type = platform::GadgetLeftClick, std::function<void()> action = {});
void PushMessage(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0,
                 std::function<void()> action = {});
void PushMenu(int item, std::function<void()> action = {});
void PushClose();
// Runs action once an empty wait reaches this tick count.
void At(std::uint32_t tick, std::function<void()> action);

// Puts the mouse pointer on the centre of a gadget.
void PointAt(int gadget);

// Font metrics of the fake: every character is a block of this size.
int CharHeight(const Font& font);
int CharWidth(const Font& font);

platform::Colour Pixel(int image, int x, int y);

// How often another thread woke the main loop (WakeMainLoop).
extern std::atomic<int> wakeCount;

}  // namespace fake
