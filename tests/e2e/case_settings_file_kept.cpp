// A settings file the program may not write, or cannot read, stays as it is:
// a read-only file is not replaced at exit, and a file held locked by another
// program is neither written nor taken for a first run (no add-in install).
#include "tests/e2e/case_support.h"

namespace {

const char kSettings[] = "\xEF\xBB\xBF\r\n[Horavel]\r\nStartupLocation = 0\r\nButton1 = 60\r\n";
const std::string kPowerPoint = "Software\\Microsoft\\Office\\16.0\\PowerPoint";

std::string SettingsFile() { return e2e::SettingsFolder() + "HV_Settings.ini"; }
std::string AddinFile() { return e2e::ShellFolder(CSIDL_APPDATA) + "\\Microsoft\\AddIns\\Horavel Toolbar Addin.ppa"; }

bool TemporaryFilesLeft() {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(e2e::Widen(e2e::SettingsFolder() + "HV_Settings.ini.*.tmp").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

// Starts the program, then closes it by its close button; true when it ended with exit code 0.
bool RunAndClose(const std::string& exePath) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    DWORD exitCode = 1;
    if (window) {
        e2e::PressGadget(window, 34);
        CHECK(e2e::WaitForExit(program, 10000, exitCode) && exitCode == 0, "the program ends with exit code 0");
    }
    e2e::StopProgram(program);
    return window && exitCode == 0;
}

}  // namespace

E2E_CASE(read_only_settings_file_is_kept_at_exit) {
    CreateDirectoryW(e2e::Widen(e2e::SettingsFolder()).c_str(), nullptr);
    CHECK(e2e::WriteFileBytes(SettingsFile(), kSettings), "a settings file that remembers the window is written");
    const std::wstring file = e2e::Widen(SettingsFile());
    CHECK(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY), "the file is made read-only");
    // StartupLocation 0: the exit saves the window's place, were the file writable.
    CHECK(RunAndClose(exePath), "the program runs and closes");
    std::string after;
    CHECK(e2e::ReadFileBytes(SettingsFile(), after) && after == kSettings, "the file holds its old bytes");
    CHECK(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_READONLY, "and stays read-only");
    CHECK(!TemporaryFilesLeft(), "no temporary file is left beside it");
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    return e2e::Result();
}

E2E_CASE(locked_settings_file_installs_nothing_and_stays) {
    CHECK(e2e::WriteRegistryString(HKEY_CURRENT_USER, kPowerPoint, "Version", "16"), "PowerPoint 16.0's key is made");
    CreateDirectoryW(e2e::Widen(e2e::SettingsFolder()).c_str(), nullptr);
    // Without StartupLocation: read, it would count as a first run.
    const std::string content = "\xEF\xBB\xBF\r\n[Horavel]\r\nButton1 = 60\r\n";
    CHECK(e2e::WriteFileBytes(SettingsFile(), content), "a settings file is written");
    // Held open with no sharing, as another program might: it cannot be read meanwhile.
    HANDLE lock = CreateFileW(e2e::Widen(SettingsFile()).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (CHECK(lock != INVALID_HANDLE_VALUE, "the file is locked")) {
        CHECK(RunAndClose(exePath), "the program runs and closes");
        CloseHandle(lock);
    }
    CHECK(!e2e::FileExists(AddinFile()), "no add-in file is installed");
    CHECK(!e2e::RegistryKeyExists(HKEY_CURRENT_USER, kPowerPoint + "\\AddIns\\Horavel Toolbar Addin"),
          "no add-in is registered");
    std::string after;
    CHECK(e2e::ReadFileBytes(SettingsFile(), after) && after == content, "the file holds its old bytes");
    CHECK(!TemporaryFilesLeft(), "no temporary file is left beside it");
    return e2e::Result();
}
