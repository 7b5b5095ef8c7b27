#pragma once
// Steps the end-to-end cases share.
#include <string>
#include <thread>

#include "tests/e2e/driver_support.h"

namespace e2e {

// Starts the program and waits for its window and its first layout; nullptr
// (with a failed check) when either does not come.
HWND StartAndFind(const std::string& exePath, Process& program);

POINT Centre(const RECT& r);

// Starts the program and takes it up to a running count-down: its window, the
// first layout (the start button reads ">"), a click on start, the button
// reading "||". Empty when it got there; otherwise what stopped it, with the
// text of the fault report when one came up.
std::string LaunchToRunningCountDown(const std::string& exePath);

// Presses and releases the left button over a gadget, slowly enough for the
// program to see the press while the button is still down.
void PressGadget(HWND window, int gadget);

// The source tree's path of a file, found from the program's path (build\win\Horavel.exe).
std::string SourcePath(const std::string& exePath, const std::string& relative);

// %APPDATA%\Horavel\, where the settings and the user's language files live.
std::string SettingsFolder();

// Polls until what hwnd shows on the screen is (same) or is no longer (!same)
// the picture; false after timeoutMs.
bool WaitForPicture(HWND hwnd, const Pixels& picture, bool same, DWORD timeoutMs);

// What hwnd shows once two pictures 100 ms apart agree (the paints a change
// set off are done), or the last one after timeoutMs.
Pixels SteadyPicture(HWND hwnd, DWORD timeoutMs);

// Polls until the window's text (a title or a control's caption) is text; false after timeoutMs.
bool WaitForWindowText(HWND hwnd, const std::string& text, DWORD timeoutMs);
// Polls until the gadget's caption is text; false after timeoutMs.
bool WaitForCaption(HWND window, int gadget, const std::string& text, DWORD timeoutMs);

// The program's visible top-level window of this class (and title, when one is
// given); nullptr after timeoutMs.
HWND WaitForProgramWindow(DWORD processId, const wchar_t* className, const std::string& title, DWORD timeoutMs);

// The program's window of this class, shown or not, at once; nullptr when it has none.
HWND ProgramWindowOfClass(const wchar_t* windowClass, DWORD processId);

// A visible top-level window of any program whose title contains part (the
// shell opens documents in other programs); nullptr after timeoutMs, with the
// visible windows' titles logged.
HWND WaitForWindowTitled(const std::string& part, DWORD timeoutMs);

// The text of another program's edit field (GetWindowText does not ask it).
std::string FieldText(HWND field);

// Answers the program's prompt with this title: the text typed over the
// initial answer (which the field holds selected), then Enter; Esc instead
// when cancel is set. Checks that the prompt stands centred and top-most;
// true when it closed.
bool AnswerPrompt(DWORD processId, const std::string& title, const std::string& typed, std::string* initial = nullptr,
                  bool cancel = false);
// Closes the program's prompt with this title by its close box; true when it closed.
bool ClosePromptBox(DWORD processId, const std::string& title);

// Waits until the program shows `count` of the system's menu windows (the
// menu and its open submenus); false after timeoutMs.
bool WaitForMenuWindows(DWORD processId, int count, DWORD timeoutMs);

// A stand-in for the presentation program's full-screen slide show: a window
// of its class ("screenClass"), served by a thread of its own.
struct SlideShow {
    HWND window = nullptr;
    DWORD threadId = 0;
    std::thread thread;

    void Start();
    void Stop();
};

// Polls until w is the foreground window; false after timeoutMs.
bool WaitForForeground(HWND w, DWORD timeoutMs);

// A round trip through the window's thread: what it was sent or posted before is done.
bool Settle(HWND window);

}  // namespace e2e
