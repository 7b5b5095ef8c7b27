#pragma once
// The main window's loop and commands.
#include <array>
#include <cstdint>
#include <string>

#include "platform/types.h"

// State of the main loop.
struct MainLoopState {
    int pressedButton = 0;  // 33, 34 or 35 while a left click on it is held
    int popupShown = 0;
    int spaceDown = 0;      // 32768 after the space bar was seen down
    int inSizeMove = 0;     // the user is moving or sizing the window
    int userMaximized = 0;  // the user maximized the window (button or double click)
    char presetPrefix = 0;  // '+' or '-' while the preset captions show one
    int windowActive = 0;   // followed from the activation and key messages
    int pointerOver = 0;    // followed from the pointer's messages and its leaving
    bool ctrlDown = false;  // either Ctrl key, followed from the key messages
    bool shiftDown = false;
};
extern MainLoopState mainLoop;

// Gadget numbers of the main window.
namespace gadget {
constexpr int CostReadout = 0;
constexpr int ClockReadout = 1;
constexpr int TimerReadout = 2;
constexpr int TopBar = 3;
constexpr int BottomBar = 4;
constexpr int Logo = 31;  // also the top-left sizing grip
constexpr int Maximize = 33;
constexpr int Close = 34;
constexpr int SettingsButton = 35;
constexpr int Grip = 36;
constexpr int StartPause = 37;
constexpr int Preset1 = 38;  // presets 1 to 5 are 38 to 42
constexpr int Preset5 = 42;
}  // namespace gadget

// Image numbers of the window chrome.
namespace image {
constexpr int CostReadout = 0;
constexpr int ClockReadout = 1;
constexpr int TimerReadout = 2;
constexpr int Strip = 3;
constexpr int Settings = 5;  // 5, 6, 7: normal, hover, pressed
constexpr int Maximize = 19;  // 19, 20, 21
constexpr int Close = 25;     // 25, 26, 27
constexpr int Logo = 28;
constexpr int Grip = 29;
}  // namespace image

void RunMainLoop();
// How long the loop may wait for the next event. While the keys' state is
// watched (the pointer rests over the window while it is not active, or a +/-
// prefix is shown) it wakes at least every 20 ms; otherwise only when the next
// refresh is due, as any message wakes it anyway.
int LoopWaitMs(bool watching, std::uint32_t now, std::uint32_t nextRefreshTick);
void MainWindowCallback(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
int MouseOverGadget(int g);
int EdgeZone();
// Pure pieces of the above, for the tests.
int EdgeZoneAt(int x, int y, int innerWidth, int innerHeight);
std::string PresetCaption(int seconds);
// The pictures of buttons 35, 33 and 34, given the held button and which of them the pointer is over.
std::array<int, 3> ButtonPictures(int pressedButton, bool over35, bool over33, bool over34);
// The prefix the held modifier keys ask of the preset captions: '+' with Ctrl,
// '-' with Shift, none ('\0') without either.
char PresetPrefix(bool ctrl, bool shift);
// Captions of buttons 38 to 42 from Button1 to Button5, behind the prefix.
void ShowPresetCaptions(char prefix);
int MouseOverGadgetAt(int g, platform::Point pointer);
void UpdateButtonImages();
void SetPresetCaptions();
void SetGadgetImage(int g, int image);
void ToggleMaximize();
