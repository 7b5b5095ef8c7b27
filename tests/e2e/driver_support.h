#pragma once
// The end-to-end driver's toolkit: start Horavel.exe, find its window, look at
// its gadgets and pixels, press the mouse and keys as a person would, read what
// the program stored, take screenshots. Paths and texts are UTF-8; windows are
// plain HWNDs. Cases register with E2E_CASE and check with CHECK.
#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// ---- cases and checks ----

struct Case {
    const char* name;
    int (*run)(const std::string& exePath);  // 0 when every check passed
};

// Adds a case to the list that horavel_e2e.exe --list prints; E2E_CASE calls it.
int RegisterCase(Case c);
const std::vector<Case>& Cases();

// Records a failed check (printed at once) when ok is false; returns ok.
bool Check(bool ok, const char* expression, const std::string& message, const char* file, int line);
int FailureCount();
// What a case returns: 0 when no check failed, else 1.
int Result();

#define CHECK(cond, message) ::e2e::Check(static_cast<bool>(cond), #cond, (message), __FILE__, __LINE__)

// E2E_CASE(name) { ...; return e2e::Result(); } defines and registers a case.
#define E2E_CASE(name)                                                          \
    static int e2e_case_##name(const std::string& exePath);                      \
    [[maybe_unused]] static const int e2e_registered_##name =                    \
        ::e2e::RegisterCase({#name, &e2e_case_##name});                          \
    static int e2e_case_##name([[maybe_unused]] const std::string& exePath)

// Prints a progress line to the case's log (stdout).
void Log(const std::string& text);

// ---- text ----

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

// ---- processes ----

struct Process {
    HANDLE handle = nullptr;
    DWORD id = 0;
};

// Starts exePath with the given command-line arguments (may be empty) in the
// exe's own folder. Returns false (and logs why) when it cannot start.
bool StartProgram(const std::string& exePath, const std::string& arguments, Process& process);
// Waits up to timeoutMs for the process to end; true with its exit code when it did.
bool WaitForExit(const Process& process, DWORD timeoutMs, DWORD& exitCode);
bool IsRunning(const Process& process);
// Ends the process if it still runs and releases the handle.
void StopProgram(Process& process);

// ---- windows ----

// Polls for a visible top-level window whose title is exactly title, owned by
// the process with id processId (0: any process). nullptr after timeoutMs.
HWND WaitForWindow(const std::string& title, DWORD processId, DWORD timeoutMs);
// Every top-level window of the process (visible or not).
std::vector<HWND> TopLevelWindows(DWORD processId);

struct WindowInfo {
    HWND hwnd = nullptr;
    int id = 0;             // GetDlgCtrlID: the gadget number for the program's gadgets
    std::string className;
    std::string text;
    RECT rect{};            // screen coordinates
    bool visible = false;
    bool enabled = false;
};
WindowInfo DescribeWindow(HWND hwnd);
// All descendants of parent, in EnumChildWindows order.
std::vector<WindowInfo> ChildWindows(HWND parent);
// The first descendant with this control id; hwnd is nullptr when none has it.
WindowInfo FindChild(HWND parent, int id);
std::string WindowText(HWND hwnd);
RECT WindowRect(HWND hwnd);  // screen coordinates
RECT ClientRect(HWND hwnd);  // client coordinates (left = top = 0)
// Converts a point in hwnd's client area to screen coordinates.
POINT ClientToScreenPoint(HWND hwnd, int x, int y);

// ---- mouse and keyboard ----

enum class Button { Left, Right };
// Moves the pointer to screen point (x, y) and presses and releases the button.
void Click(int x, int y, Button button = Button::Left);
void DoubleClick(int x, int y);
void MoveMouse(int x, int y);
void MouseDown(Button button = Button::Left);
void MouseUp(Button button = Button::Left);
// Clicks at a point of hwnd's client area; the default is its centre.
void ClickWindow(HWND hwnd, int x = -1, int y = -1, Button button = Button::Left);
void KeyDown(WORD virtualKey);
void KeyUp(WORD virtualKey);
void PressKey(WORD virtualKey);
// Presses key with the modifiers (VK_CONTROL, VK_SHIFT, VK_MENU) held down.
void PressKeyWith(const std::vector<WORD>& modifiers, WORD virtualKey);
// Types text as Unicode key events.
void TypeText(const std::string& text);
// Lets the program react: sleeps for ms milliseconds.
void Pause(DWORD ms);

// ---- pixels and screenshots ----

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;  // 0x00RRGGBB, top row first
    std::uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};
// One pixel of hwnd's client area as 0x00RRGGBB, or 0xFFFFFFFF when it cannot be read.
std::uint32_t WindowPixel(HWND hwnd, int x, int y);
// A copy of what the screen shows in hwnd's client area.
Pixels CaptureClient(HWND hwnd);
Pixels CaptureScreen();
Pixels CaptureScreenRect(int left, int top, int width, int height);
bool SaveBmp(const Pixels& pixels, const std::string& path);
// Saves the whole screen as a BMP file.
bool CaptureScreenBmp(const std::string& path);
// Saves the whole screen as <screenshot folder>\<name>.bmp (the folder is
// %HORAVEL_SCREENSHOTS%, which tests/e2e/run sets; the harness turns the BMPs
// into PNGs). Returns false when no folder is set or writing fails.
bool Screenshot(const std::string& name);
// Saves pixels taken earlier the same way (for what is on screen only briefly).
bool Screenshot(const std::string& name, const Pixels& pixels);

// ---- files, folders and the registry ----

bool FileExists(const std::string& path);
bool ReadFileBytes(const std::string& path, std::string& contents);
bool WriteFileBytes(const std::string& path, const std::string& contents);
bool DeleteFilePath(const std::string& path);
std::string EnvironmentValue(const std::string& name);  // empty when unset
// A shell folder such as CSIDL_APPDATA; empty when the system has none.
std::string ShellFolder(int csidl);

bool ReadRegistryString(HKEY root, const std::string& key, const std::string& value, std::string& out);
bool ReadRegistryDword(HKEY root, const std::string& key, const std::string& value, DWORD& out);
bool WriteRegistryString(HKEY root, const std::string& key, const std::string& value, const std::string& data);
bool WriteRegistryDword(HKEY root, const std::string& key, const std::string& value, DWORD data);
bool RegistryKeyExists(HKEY root, const std::string& key);
bool DeleteRegistryTree(HKEY root, const std::string& key);

}  // namespace e2e
