#pragma once
// The one top-level window of the program.
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace platform {

enum class WindowState { Normal = 0, Maximized = 1, Minimized = 2 };

struct WindowOptions {
    int x = 0;            // outer left edge, screen pixels
    int y = 0;            // outer top edge, screen pixels
    int innerWidth = 0;   // client area size
    int innerHeight = 0;
    std::string title;
    bool framed = false;     // title bar, system menu, min/max boxes, sizing border; else borderless pop-up
    bool maximized = false;  // open maximized
};

// The window's message callback: sees every message of the main window (and the
// command notifications of its gadgets) before the normal processing, which
// always goes on afterwards.
using WindowCallback = void (*)(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

// Opens the window hidden (a maximized one at its maximized size already);
// ShowMainWindow(true) shows it once its gadgets stand.
bool OpenMainWindow(const WindowOptions& options);
void CloseMainWindow();
bool MainWindowIsOpen();
void SetWindowCallback(WindowCallback callback);
void SetWindowBackground(Colour colour);
void SetWindowMinimumSize(int innerWidth, int innerHeight);  // no maximum

// Outer top-left corner on the screen and the client size.
int WindowX();
int WindowY();
int WindowInnerWidth();
int WindowInnerHeight();
// The client area's top-left corner on the screen.
Point ClientOrigin();
// Moves the window (outer corner) and sizes its client area.
void MoveMainWindow(int x, int y, int innerWidth, int innerHeight);

// Gives the window the framed or the borderless style of OpenMainWindow, in place.
void SetMainWindowFramed(bool framed);
// Shows the window, painted with all its gadgets, or hides it.
void ShowMainWindow(bool visible);
bool MainWindowIsVisible();

WindowState GetWindowState();
void SetWindowState(WindowState state);  // maximize, restore or minimize
bool MainWindowIsActive();

// Releases the mouse capture and hands the pointer to the system's modal move of
// the window (as a press on its caption). Returns when the user lets go.
void StartSystemMove();
// Releases the mouse capture and starts the system's modal resize; command is
// 61440 (SC_SIZE) plus an edge code: 1 left, 2 right, 3 top, 4 top-left, 6 bottom, 8 bottom-right.
void StartSystemSize(int command);

}  // namespace platform
