#include "app/main_window.h"

#include <algorithm>
#include <optional>

#include "app/command_line.h"
#include "app/commands.h"
#include "app/hotkeys.h"
#include "app/monitors.h"
#include "app/placement.h"
#include "app/presentation.h"
#include "app/timer_commands.h"
#include "app/timer_engine.h"
#include "display/dpi_scale.h"
#include "display/layout.h"
#include "display/readouts.h"
#include "platform/events.h"
#include "platform/gadgets.h"
#include "platform/input.h"
#include "platform/system.h"
#include "platform/window.h"
#include "settings/settings.h"
#include "sound/alert_sound.h"
#include "stage/stage_commands.h"
#include "timekeeping/time_values.h"
#include "timekeeping/timer_menu.h"

namespace {

constexpr int kSizeCommand = 61440;  // the system's resize command; add an edge code
constexpr int kSizeTopLeft = kSizeCommand + 4;
constexpr int kSizeBottomRight = kSizeCommand + 8;
constexpr int kSpaceSeenDown = 32768;

bool IsMessage(const platform::Event& e, unsigned message) {
    return e.kind == platform::EventKind::Message && e.message == message;
}

// Step 3: move and size notifications. Returns true when the pass ends here.
bool HandleSizeMove(const platform::Event& e) {
    if (IsMessage(e, platform::msg::EnterSizeMove)) {
        LayoutReadouts(1);
        mainLoop.inSizeMove = 1;
    } else if (IsMessage(e, platform::msg::ExitSizeMove)) {
        mainLoop.inSizeMove = 0;
        LayoutReadouts(0);
        ReturnFocusToSlideshow();
        return true;
    } else if (IsMessage(e, platform::msg::Size)) {
        if (!mainLoop.inSizeMove) {
            LayoutReadouts(0);
            ReturnFocusToSlideshow();
        }
        return true;
    }
    return false;
}

// Step 4: a click on the timer while an alert sound plays only stops the sound.
// Otherwise a click on a readout opens the menu; a second left click only closes it.
void HandleReadoutClick(const platform::Event& e) {
    if (e.kind == platform::EventKind::Gadget && e.gadget == gadget::TimerReadout && EdgeZone() == 0 &&
        AlertSoundPlaying()) {
        StopAlertSound();
        return;
    }
    if (InBreak()) return;
    const bool onClockOrTimer = e.kind == platform::EventKind::Gadget &&
                                (e.gadget == gadget::ClockReadout || e.gadget == gadget::TimerReadout) &&
                                EdgeZone() == 0;
    const bool onCost = (IsMessage(e, platform::msg::LeftButtonUp) || IsMessage(e, platform::msg::RightButtonUp)) &&
                        MouseOverGadget(gadget::CostReadout);
    if (!onClockOrTimer && !onCost) return;
    const bool right = (e.kind == platform::EventKind::Gadget && e.gadgetType == platform::GadgetRightClick) ||
                       IsMessage(e, platform::msg::RightButtonUp);
    if (right || !mainLoop.popupShown) {
        mainLoop.popupShown = 1;
        BuildTimerMenu();
        ShowTimerMenu();
    } else {
        mainLoop.popupShown = 0;
    }
}

void SetPointerShape() {
    using platform::CursorShape;
    const int zone = EdgeZone();
    if (MouseOverGadget(gadget::Grip) || MouseOverGadget(gadget::Logo)) {
        platform::SetCursorShape(CursorShape::SizeDiagonal);
    } else if (zone == 1 || zone == 2) {
        platform::SetCursorShape(CursorShape::SizeHorizontal);
    } else if (zone == 3 || zone == 6) {
        platform::SetCursorShape(CursorShape::SizeVertical);
    } else if (MouseOverGadget(gadget::TimerReadout) || MouseOverGadget(gadget::ClockReadout) ||
               MouseOverGadget(gadget::CostReadout)) {
        platform::SetCursorShape(CursorShape::Hand);
    }
}

int ImageButtonUnderPointer() {
    for (int g : {gadget::SettingsButton, gadget::Maximize, gadget::Close})
        if (MouseOverGadget(g)) return g;
    return 0;
}

// Step 5: the pointer, the chrome buttons and the top bar. Returns true when
// the close button was released over itself.
bool HandleMouse(const platform::Event& e) {
    bool close = false;
    if (IsMessage(e, platform::msg::MouseMove)) {
        if (platform::GetWindowState() == platform::WindowState::Normal) SetPointerShape();
    } else if (IsMessage(e, platform::msg::LeftDoubleClick)) {
        if (MouseOverGadget(gadget::TopBar) && ImageButtonUnderPointer() == 0) ToggleMaximize();
    } else if (e.kind == platform::EventKind::Gadget && e.gadgetType == platform::GadgetLeftClick) {
        mainLoop.pressedButton = ImageButtonUnderPointer();
    } else if (IsMessage(e, platform::msg::LeftButtonUp)) {
        const int pressed = mainLoop.pressedButton;
        mainLoop.pressedButton = 0;
        if (pressed != 0 && MouseOverGadget(pressed)) {
            if (pressed == gadget::Maximize) ToggleMaximize();
            if (pressed == gadget::Close) close = true;
            if (pressed == gadget::SettingsButton) RunMenuCommand(menu::Settings);
        }
    }
    UpdateButtonImages();
    return close;
}

bool IsKeyMessage(const platform::Event& e, bool down) {
    return down ? IsMessage(e, platform::msg::KeyDown) || IsMessage(e, platform::msg::SysKeyDown)
                : IsMessage(e, platform::msg::KeyUp) || IsMessage(e, platform::msg::SysKeyUp);
}

// Step 7: space pauses and resumes on its release, Esc ends a break. Key
// messages reach only the active window, so they are the keys the active
// window sees.
void HandleKeys(const platform::Event& e) {
    const bool down = IsKeyMessage(e, true), up = IsKeyMessage(e, false);
    if (!down && !up) return;
    mainLoop.windowActive = 1;  // whatever the window was last told
    if (up && e.wParam == platform::keycode::Space && mainLoop.spaceDown) {
        // Forgetting the press in every mode keeps a space pressed during a
        // break from pausing the next count-down out of the blue.
        mainLoop.spaceDown = 0;
        if (!InBreak()) TogglePause();
    } else if (down && e.wParam == platform::keycode::Escape && InBreak()) {
        StopBreak();
    } else if (down && e.wParam == platform::keycode::Space) {
        mainLoop.spaceDown = kSpaceSeenDown;
    }
}

// Step 8: the start/pause button and the presets.
void HandleButtons(const platform::Event& e) {
    if (e.kind != platform::EventKind::Gadget) return;
    if (e.gadget >= gadget::Preset1 && e.gadget <= gadget::Preset5) {
        const std::int32_t clamped = PresetMs(e.gadget - gadget::Preset1 + 1);
        if (platform::KeyIsDown(platform::Key::Control)) {
            AdjustCountDown(clamped);
        } else if (platform::KeyIsDown(platform::Key::Shift)) {
            AdjustCountDown(-clamped);
        } else {
            SetCountDown(clamped);
        }
    } else if (e.gadget == gadget::StartPause) {
        StartOrPause();
    }
}

// The window became active or stopped being so.
void FollowActivation(bool active) {
    mainLoop.windowActive = active ? 1 : 0;
    if (active) {
        // Keys held before the window became active sent it no message.
        mainLoop.ctrlDown = platform::KeyIsDown(platform::Key::Control);
        mainLoop.shiftDown = platform::KeyIsDown(platform::Key::Shift);
    } else {
        // Their release goes to another window: watched again from here on.
        mainLoop.popupShown = 0;
        mainLoop.ctrlDown = mainLoop.shiftDown = false;
        mainLoop.spaceDown = 0;
    }
}

// Looks at the keys' state on every pass: while the pointer rests over the
// window without its being active (no key message comes then), and while a
// prefix is shown, so that it goes even if the window lost the focus without
// hearing of it.
bool Watching() { return mainLoop.presetPrefix != 0 || (mainLoop.pointerOver && !mainLoop.windowActive); }

// Ctrl and Shift as the key messages tell them, or as their state is when watching.
void FollowModifierKeys(const platform::Event& e) {
    const bool down = IsKeyMessage(e, true);
    if (down || IsKeyMessage(e, false)) {
        if (e.wParam == platform::keycode::Control) mainLoop.ctrlDown = down;
        if (e.wParam == platform::keycode::Shift) mainLoop.shiftDown = down;
    } else if (Watching()) {
        mainLoop.ctrlDown = platform::KeyIsDown(platform::Key::Control);
        mainLoop.shiftDown = platform::KeyIsDown(platform::Key::Shift);
    }
}

// Step 9: the presets read +5m while Ctrl is held and -5m while Shift is held.
// The captions are rewritten only when the wanted prefix changes.
void ShowModifierPrefix() {
    if (!settings.ShowTimer) return;
    const char prefix = PresetPrefix(mainLoop.ctrlDown, mainLoop.shiftDown);
    if (prefix != mainLoop.presetPrefix) ShowPresetCaptions(prefix);
}

bool IsPointerEvent(const platform::Event& e) {
    return e.kind == platform::EventKind::Gadget || IsMessage(e, platform::msg::MouseMove) ||
           IsMessage(e, platform::msg::LeftButtonUp) || IsMessage(e, platform::msg::LeftDoubleClick) ||
           IsMessage(e, platform::msg::RightButtonUp);
}

// The pointer's messages say when it is over the window; a mouse-leave says
// that it left the window or one of its gadgets, perhaps for another of them.
void FollowPointer(const platform::Event& e) {
    if (IsPointerEvent(e)) {
        mainLoop.pointerOver = 1;
        // Under Wine a window is not always told that another program took
        // the focus, or gave it back.
        const bool active = platform::MainWindowIsActive();
        if (active != (mainLoop.windowActive != 0)) FollowActivation(active);
    } else if (IsMessage(e, platform::msg::MouseLeave)) {
        const platform::Point p = platform::MousePosition();
        const platform::Point origin = platform::ClientOrigin();
        const platform::Rect client{origin.x, origin.y, platform::WindowInnerWidth(), platform::WindowInnerHeight()};
        mainLoop.pointerOver = platform::Contains(client, p) ? 1 : 0;
    }
}

// One pass of the loop over one event; returns true when the program is to close.
bool HandlePass(const platform::Event& e) {
    if (HandleSizeMove(e)) return false;
    HandleReadoutClick(e);
    bool close = HandleMouse(e);
    if (e.kind == platform::EventKind::Menu) {
        mainLoop.popupShown = 0;
        close = RunMenuCommand(e.menuItem) || close;
        RefreshReadouts();
        ReturnFocusToSlideshow();
    }
    if (IsMessage(e, platform::msg::Hotkey)) RunHotkeyCommand(static_cast<int>(e.wParam));
    if (IsMessage(e, platform::msg::OtherCopyCommand)) RunCopyCommand(static_cast<int>(e.wParam), e.lParam);
    if (IsMessage(e, platform::msg::DpiChanged)) FollowDpiChange();
    HandleKeys(e);
    HandleButtons(e);
    FollowModifierKeys(e);
    ShowModifierPrefix();
    return close;
}

}  // namespace

void RunMainLoop() {
    mainLoop.windowActive = platform::MainWindowIsActive() ? 1 : 0;
    std::optional<platform::Event> held;
    for (;;) {
        const platform::Event e = held ? *held
                                       : platform::WaitEvent(LoopWaitMs(Watching(), platform::TickCount(),
                                                                        timerState.nextRefreshTick));
        held.reset();
        if (e.kind == platform::EventKind::Close) return;
        WatchMonitors(platform::TickCount());
        RunStageCommands();
        if (TimerTick()) {
            // A pass cut short while the window moves keeps its event for the
            // next one: a lost end of the move would leave the window hidden
            // and deaf to clicks.
            if (e.kind != platform::EventKind::None) held = e;
            continue;
        }
        // Nothing happened and no key needs watching: nothing to do until the
        // next refresh or the next message.
        if (e.kind == platform::EventKind::None && !Watching()) continue;
        FollowPointer(e);
        if (HandlePass(e)) return;
    }
}

int LoopWaitMs(bool watching, std::uint32_t now, std::uint32_t nextRefreshTick) {
    constexpr int kWatchMs = 20;
    constexpr int kLongestWaitMs = 1000;
    const std::int32_t untilRefresh =
        nextRefreshTick == 0 ? 0 : std::clamp<std::int32_t>(static_cast<std::int32_t>(nextRefreshTick - now), 0,
                                                            kLongestWaitMs);
    return watching ? std::min<int>(kWatchMs, untilRefresh) : untilRefresh;
}

void MainWindowCallback(unsigned message, std::uintptr_t wParam, std::intptr_t) {
    namespace msg = platform::msg;
    if (message == msg::Activate) FollowActivation((wParam & 0xFFFF) != 0);
    if (message == msg::DisplayChange) NoteMonitorChange();  // followed on the loop's next pass
    if (platform::GetWindowState() != platform::WindowState::Normal) return;

    const bool command = message == msg::Command;
    if (command && wParam == gadget::BottomBar && MouseOverGadget(gadget::Grip)) {
        platform::StartSystemSize(kSizeBottomRight);
    } else if (command && wParam == gadget::TopBar && MouseOverGadget(gadget::Logo)) {
        platform::StartSystemSize(kSizeTopLeft);
    } else if ((command || (message == msg::LeftButtonDown && MouseOverGadget(gadget::CostReadout))) &&
               EdgeZone() != 0) {
        platform::StartSystemSize(kSizeCommand + EdgeZone());
    } else if (command && wParam == gadget::TopBar && MouseOverGadget(gadget::TopBar) &&
               !MouseOverGadget(gadget::Logo) && !MouseOverGadget(gadget::Maximize) &&
               !MouseOverGadget(gadget::Close)) {
        platform::StartSystemMove();
        mainLoop.pressedButton = 0;
    }
}

int MouseOverGadgetAt(int g, platform::Point pointer) {
    if (!platform::GadgetExists(g)) return 0;
    return platform::Contains(platform::GadgetScreenRect(g), pointer) ? 1 : 0;
}

int MouseOverGadget(int g) { return MouseOverGadgetAt(g, platform::MousePosition()); }

int EdgeZoneAt(int x, int y, int w, int h) {
    if (x >= 0 && x <= 4) return 1;
    if (x > w - 5 && x <= w) return 2;
    if (y >= 0 && y <= 3) return 3;
    if (y > h - 4 && y <= h) return 6;
    return 0;
}

int EdgeZone() {
    const platform::Point mouse = platform::MousePosition();
    const platform::Point origin = platform::ClientOrigin();
    return EdgeZoneAt(mouse.x - origin.x, mouse.y - origin.y, platform::WindowInnerWidth(),
                      platform::WindowInnerHeight());
}

std::array<int, 3> ButtonPictures(int pressedButton, bool over35, bool over33, bool over34) {
    const int buttons[] = {gadget::SettingsButton, gadget::Maximize, gadget::Close};
    const bool over[] = {over35, over33, over34};
    std::array<int, 3> pictures = {image::Settings, image::Maximize, image::Close};
    for (int i = 0; i < 3; ++i) {
        if (pressedButton == 0 && over[i]) {
            pictures[i] += 1;
            return pictures;
        }
    }
    for (int i = 0; i < 3; ++i) {
        if (pressedButton == buttons[i] && over[i]) {
            pictures[i] += 2;
            return pictures;
        }
    }
    return pictures;
}

void UpdateButtonImages() {
    const platform::Point pointer = platform::MousePosition();
    const auto pictures = ButtonPictures(mainLoop.pressedButton, MouseOverGadgetAt(gadget::SettingsButton, pointer),
                                         MouseOverGadgetAt(gadget::Maximize, pointer),
                                         MouseOverGadgetAt(gadget::Close, pointer));
    SetGadgetImage(gadget::SettingsButton, pictures[0]);
    SetGadgetImage(gadget::Maximize, pictures[1]);
    SetGadgetImage(gadget::Close, pictures[2]);
}

void SetGadgetImage(int g, int image) {
    if (platform::GetGadgetImageNumber(g) != image) platform::SetGadgetImageNumber(g, image);
}

std::string PresetCaption(int seconds) {
    const int m = seconds / 60;
    const int r = seconds - m * 60;
    std::string caption;
    if (m != 0) caption += std::to_string(m) + "m";
    if (r != 0) caption += std::to_string(r) + "s";
    return caption.empty() ? "0s" : caption;
}

char PresetPrefix(bool ctrl, bool shift) { return ctrl ? '+' : shift ? '-' : '\0'; }

void ShowPresetCaptions(char prefix) {
    const std::int32_t seconds[] = {settings.Button1, settings.Button2, settings.Button3, settings.Button4,
                                    settings.Button5};
    const std::string before = prefix ? std::string(1, prefix) : std::string();
    for (int i = 0; i < 5; ++i) platform::SetGadgetText(gadget::Preset1 + i, before + PresetCaption(seconds[i]));
    mainLoop.presetPrefix = prefix;
}

void SetPresetCaptions() { ShowPresetCaptions('\0'); }

void ToggleMaximize() {
    if (platform::GetWindowState() == platform::WindowState::Maximized) {
        platform::SetWindowState(platform::WindowState::Normal);
        mainLoop.userMaximized = 0;
    } else {
        platform::SetWindowState(platform::WindowState::Maximized);
        mainLoop.userMaximized = 1;
    }
    LayoutReadouts(0);
}
