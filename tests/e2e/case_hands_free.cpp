// Hands-free control of the real program under Wine: a global hotkey typed on
// the X server while another Wine window has the keyboard, and commands given
// to the running copy from the command line.
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/case_support.h"
#include "tests/e2e/settings_window_support.h"

namespace {

constexpr DWORD kWait = 10000;
constexpr int kStartPause = 37;
// The settings window's Hotkeys page: its tab, and the key field and note of a command.
constexpr int kHotkeysTab = 5;
constexpr int kHotkeyField = 730, kHotkeyNote = 750;
constexpr int kStartPauseRow = 0, kCountUpRow = 9, kMenuRow = 12;

void WriteHotkeySettings(const std::string& startPause, const std::string& more = "") {
    CreateDirectoryW(e2e::Widen(e2e::SettingsFolder()).c_str(), nullptr);
    CHECK(e2e::WriteFileBytes(e2e::SettingsFolder() + "HV_Settings.ini",
                              "\xEF\xBB\xBF\r\n[Horavel]\r\nStartupLocation = 3\r\nHotkeys = 1\r\n"
                              "Hotkey\\StartPause = " + startPause + "\r\n" + more),
          "the settings file is written");
}

// Types keys on the X server with xdotool, as a person at the keyboard would:
// they go to the window that has the X focus. Wine runs a Unix program named by
// its path without handing back a process, so the caller waits for the effect.
bool TypeOnXServer(const std::string& keys) {
    std::wstring commandLine = L"Z:\\usr\\bin\\xdotool key --clearmodifiers " + e2e::Widen(keys);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        e2e::Log("cannot run xdotool (error " + std::to_string(GetLastError()) + ")");
        return false;
    }
    if (info.hThread) CloseHandle(info.hThread);
    if (info.hProcess) {
        WaitForSingleObject(info.hProcess, kWait);
        CloseHandle(info.hProcess);
    }
    return true;
}

// Makes w the foreground window (and so the X focus), as a click on it would.
bool Focus(HWND w) {
    SetForegroundWindow(w);
    return e2e::WaitForForeground(w, kWait);
}

// The timer readout changes picture twice: the program has refreshed it at
// least once after whatever came before.
void WaitForTwoRefreshes(HWND window) {
    const HWND timer = e2e::FindChild(window, 2).hwnd;
    for (int i = 0; i < 2; ++i) {
        const e2e::Pixels before = e2e::CaptureClient(timer);
        CHECK(e2e::WaitForPicture(timer, before, false, kWait), "the timer readout is redrawn");
    }
}

// Runs Horavel.exe with arguments and what it writes to its standard output
// (a pipe, as a shell gives it); its exit code, or -1 when it did not end.
int RunWithOutput(const std::string& exePath, const std::string& arguments, std::string& output) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    if (!CreatePipe(&read, &write, &inherit, 0)) return -1;
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    std::wstring commandLine = L"\"" + e2e::Widen(exePath) + L"\" " + e2e::Widen(arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = write;
    PROCESS_INFORMATION info{};
    const bool started =
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
    CloseHandle(write);
    output.clear();
    DWORD code = static_cast<DWORD>(-1);
    if (started) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
        if (WaitForSingleObject(info.hProcess, kWait) != WAIT_OBJECT_0 || !GetExitCodeProcess(info.hProcess, &code))
            code = static_cast<DWORD>(-1);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    CloseHandle(read);
    return static_cast<int>(code);
}

// The value of a key of a flat JSON object: a string's characters or a number's text.
std::string JsonValue(const std::string& json, const std::string& key) {
    const std::string at = "\"" + key + "\":";
    const std::size_t from = json.find(at);
    if (from == std::string::npos) return "(missing)";
    std::size_t begin = from + at.size();
    if (json[begin] == '"') {
        const std::size_t end = json.find('"', begin + 1);
        return end == std::string::npos ? "(unterminated)" : json.substr(begin + 1, end - begin - 1);
    }
    const std::size_t end = json.find_first_of(",}", begin);
    return json.substr(begin, end - begin);
}

int MainWindowsRunning() {
    int n = 0;
    HWND w = nullptr;
    while ((w = FindWindowExW(nullptr, w, L"HoravelMain", nullptr)) != nullptr) ++n;
    return n;
}

}  // namespace

E2E_CASE(hotkey_starts_the_count_down_and_leaves_the_keyboard_where_it_is) {
    WriteHotkeySettings("Ctrl+Shift+Alt+Space");
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    e2e::SlideShow show;
    if (window) {
        CHECK(e2e::WaitForCaption(window, kStartPause, ">", kWait), "the count-down stands paused");
        show.Start();
        CHECK(Focus(show.window), "the slide-show stand-in has the keyboard");
        CHECK(TypeOnXServer("ctrl+shift+alt+space"), "xdotool types the hotkey");
        CHECK(e2e::WaitForCaption(window, kStartPause, "||", kWait), "the hotkey starts the count-down");
        WaitForTwoRefreshes(window);
        CHECK(GetForegroundWindow() == show.window, "the slide show keeps the keyboard");
        show.Stop();

        // Another program's window: Wine's Notepad.
        e2e::Process notepad;
        CHECK(e2e::StartProgram("C:\\windows\\system32\\notepad.exe", "", notepad), "Notepad starts");
        HWND editor = e2e::WaitForProgramWindow(notepad.id, L"Notepad", "", kWait);
        CHECK(editor != nullptr && Focus(editor), "Notepad has the keyboard");
        CHECK(TypeOnXServer("ctrl+shift+alt+space"), "xdotool types the hotkey again");
        CHECK(e2e::WaitForCaption(window, kStartPause, ">", kWait), "the hotkey pauses the count-down");
        CHECK(GetForegroundWindow() == editor, "Notepad keeps the keyboard");
        CHECK(TypeOnXServer("ctrl+shift+alt+space"), "xdotool types the hotkey once more");
        CHECK(e2e::WaitForCaption(window, kStartPause, "||", kWait), "the hotkey resumes the count-down");
        WaitForTwoRefreshes(window);
        CHECK(GetForegroundWindow() == editor, "Notepad keeps the keyboard");
        e2e::StopProgram(notepad);
    }
    show.Stop();
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(commands_reach_the_running_copy_and_status_tells_the_screen) {
    std::string output;
    CHECK(RunWithOutput(exePath, "status", output) == 1, "status with no copy running ends with 1");
    CHECK(output.empty(), "and prints nothing: " + output);
    CHECK(RunWithOutput(exePath, "start -5m", output) == 2, "a bad length ends with 2");
    CHECK(output.find("Usage: Horavel.exe") != std::string::npos, "and prints the usage: " + output);
    CHECK(MainWindowsRunning() == 0, "neither started a copy");

    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        CHECK(e2e::WaitForCaption(window, kStartPause, ">", kWait), "the count-down stands paused");
        e2e::Process second;
        DWORD code = 0;
        CHECK(e2e::StartProgram(exePath, "start 1:30", second) && e2e::WaitForExit(second, kWait, code) && code == 0,
              "Horavel.exe start 1:30 hands the command on and ends with 0");
        e2e::StopProgram(second);
        CHECK(e2e::WaitForCaption(window, kStartPause, "||", kWait), "the running copy's count-down runs");
        CHECK(MainWindowsRunning() == 1, "no second window appears");

        CHECK(RunWithOutput(exePath, "status", output) == 0, "status ends with 0 while a copy runs");
        e2e::Log("status: " + output);
        CHECK(output.size() > 2 && output.front() == '{' && output.substr(output.size() - 2) == "}\n",
              "one line holding one JSON object");
        CHECK(JsonValue(output, "mode") == "countdown" && JsonValue(output, "phase") == "running",
              "a running count-down");
        const int remaining = std::stoi("0" + JsonValue(output, "remainingMs"));
        CHECK(remaining > 60000 && remaining <= 90000, "counting down from 1:30: " + std::to_string(remaining));
        const std::string text = JsonValue(output, "text");
        const int shownSeconds = text.size() == 5 && text[2] == ':'
                                     ? std::stoi(text.substr(0, 2)) * 60 + std::stoi(text.substr(3))
                                     : -100;
        CHECK(std::abs(shownSeconds * 1000 - remaining) <= 1000, "the readout's text as the strip shows it: " + text);
        CHECK(JsonValue(output, "meetingStart").find(':') != std::string::npos, "the meeting start as a clock time");
        CHECK(JsonValue(output, "meetingEnd").find(':') != std::string::npos, "the meeting end as a clock time");

        CHECK(e2e::StartProgram(exePath, "pause", second) && e2e::WaitForExit(second, kWait, code) && code == 0,
              "Horavel.exe pause ends with 0");
        e2e::StopProgram(second);
        CHECK(e2e::WaitForCaption(window, kStartPause, ">", kWait), "the count-down is paused");
        CHECK(RunWithOutput(exePath, "status", output) == 0 && JsonValue(output, "phase") == "paused",
              "status says paused: " + output);
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(a_command_with_no_copy_running_starts_one_that_acts) {
    e2e::Process program;
    CHECK(e2e::StartProgram(exePath, "start 90s", program), "Horavel.exe start 90s starts");
    HWND window = e2e::WaitForWindow("Horavel", program.id, 20000);
    CHECK(window != nullptr, "its window appears");
    if (window) CHECK(e2e::WaitForCaption(window, kStartPause, "||", kWait), "and its count-down runs");
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(hotkey_held_by_another_program_is_reported_beside_its_command) {
    namespace sw = e2e::settings_window;
    // The driver holds the combination first, as another program would.
    CHECK(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_SHIFT | MOD_ALT, VK_SPACE), "the driver holds the hotkey");
    WriteHotkeySettings("Ctrl+Shift+Alt+Space",
                        "Hotkey\\Reset = Ctrl+Shift+Alt+0\r\nHotkey\\Preset1 = Ctrl+Shift+Alt+1\r\n"
                        "Hotkey\\Preset2 = Ctrl+Shift+Alt+2\r\nHotkey\\AddMinute = Ctrl+Shift+Alt+Up\r\n"
                        "Hotkey\\SubMinute = Ctrl+Shift+Alt+Down\r\nHotkey\\Break = Ctrl+Alt+Q\r\n");
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    HWND dialog = window ? sw::OpenWithButton(window, program.id) : nullptr;
    if (CHECK(dialog != nullptr, "the settings window opens") && CHECK(sw::TurnToTab(dialog, kHotkeysTab), "the Hotkeys tab shows")) {
        e2e::Screenshot("settings_hotkeys_in_use");
        CHECK(e2e::FieldText(e2e::FindChild(dialog, kHotkeyField + kStartPauseRow).hwnd) == "Ctrl+Shift+Alt+Space",
              "the combination stands in its field");
        const std::string note = e2e::WindowText(e2e::FindChild(dialog, kHotkeyNote + kStartPauseRow).hwnd);
        CHECK(note == "in use by another program", "the clash is told beside the command: \"" + note + "\"");
        // The default set types nothing in the layout in use.
        for (int row : {1, 2, 3, 7, 8})
            CHECK(e2e::WindowText(e2e::FindChild(dialog, kHotkeyNote + row).hwnd).empty(),
                  "no note beside row " + std::to_string(row));
        e2e::Log("beside Ctrl+Alt+Q: \"" + e2e::WindowText(e2e::FindChild(dialog, kHotkeyNote + 10).hwnd) + "\"");
        // A combination typed into a field, as the user sets one.
        HWND field = e2e::FindChild(dialog, kHotkeyField + kMenuRow).hwnd;
        e2e::ClickWindow(field);
        e2e::PressKeyWith({VK_CONTROL, VK_SHIFT, VK_MENU}, 'M');
        for (DWORD waited = 0; waited < kWait && e2e::FieldText(field) != "Ctrl+Shift+Alt+M"; waited += 100)
            e2e::Pause(100);
        CHECK(e2e::FieldText(field) == "Ctrl+Shift+Alt+M", "the typed combination: " + e2e::FieldText(field));
        CHECK(e2e::WindowText(e2e::FindChild(dialog, kHotkeyNote + kMenuRow).hwnd).empty(), "and it is free");
        // A letter alone types itself: the note says so.
        HWND countUp = e2e::FindChild(dialog, kHotkeyField + kCountUpRow).hwnd;
        e2e::ClickWindow(countUp);
        e2e::PressKey('Q');
        for (DWORD waited = 0; waited < kWait && e2e::FieldText(countUp) != "Q"; waited += 100) e2e::Pause(100);
        const std::string typing = e2e::WindowText(e2e::FindChild(dialog, kHotkeyNote + kCountUpRow).hwnd);
        CHECK(typing == "types a character", "beside Q: \"" + typing + "\"");
        e2e::PressKey(VK_RETURN);
        CHECK(sw::WaitClosed(dialog), "OK closes the window");
        std::string saved;
        CHECK(e2e::ReadFileBytes(e2e::SettingsFolder() + "HV_Settings.ini", saved) &&
                  saved.find("Hotkey\\Menu = Ctrl+Shift+Alt+M\r\n") != std::string::npos,
              "OK stores it");
    }
    e2e::StopProgram(program);
    UnregisterHotKey(nullptr, 1);
    return e2e::Result();
}
