// The PowerPoint add-in as a first start installs it, with PowerPoint 16.0
// "installed" in the prefix by its registry key.
#include "tests/e2e/case_support.h"

namespace {

const std::string kPowerPoint = "Software\\Microsoft\\Office\\16.0\\PowerPoint";
const std::string kAddinKey = kPowerPoint + "\\AddIns\\Horavel Toolbar Addin";

std::string AddinsFolder() { return e2e::ShellFolder(CSIDL_APPDATA) + "\\Microsoft\\AddIns"; }
std::string AddinFile() { return AddinsFolder() + "\\Horavel Toolbar Addin.ppa"; }

constexpr int kSettingsOk = 1;
constexpr int kAddinBox = 103;  // message 118 "Show HV button in PowerPoint"

bool IsMessageBox(HWND window) { return e2e::DescribeWindow(window).className == "#32770"; }

bool MessageBoxShown(DWORD processId) {
    for (HWND w : e2e::TopLevelWindows(processId)) {
        if (IsWindowVisible(w) && IsMessageBox(w)) return true;
    }
    return false;
}

// Polls until the add-in's registration and file are both there, or both gone.
bool WaitInstalled(bool installed) {
    for (DWORD waited = 0; waited < 10000; waited += 100) {
        if (e2e::RegistryKeyExists(HKEY_CURRENT_USER, kAddinKey) == installed && e2e::FileExists(AddinFile()) == installed) {
            return true;
        }
        e2e::Pause(100);
    }
    return false;
}

// Opens the settings window, reads the add-in check box, and when toggle is
// set clicks it and accepts with OK. -1 when the window or the box is missing.
int AddinBox(HWND window, DWORD processId, bool toggle) {
    // The window may still be coming up: press again until the settings window shows.
    HWND dialog = nullptr;
    for (int attempt = 0; !dialog && attempt < 3; ++attempt) {
        e2e::PressGadget(window, 35);
        dialog = e2e::WaitForWindow("Horavel Settings", processId, 5000);
    }
    HWND box = dialog ? e2e::FindChild(dialog, kAddinBox).hwnd : nullptr;
    if (!box) return -1;
    const int ticked = SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    if (toggle) e2e::ClickWindow(box, 8, 10);
    CHECK(!toggle || (SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED) != (ticked == 1), "the click toggles the box");
    e2e::ClickWindow(e2e::FindChild(dialog, toggle ? kSettingsOk : IDCANCEL).hwnd);
    for (int i = 0; i < 100 && IsWindow(dialog); ++i) e2e::Pause(100);
    CHECK(!IsWindow(dialog), "the settings window closes");
    return ticked;
}

// The folder as the Unix side sees it (Wine's own export).
std::string UnixPath(const std::string& path) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return {};
    char* unix = toUnix(e2e::Widen(path).c_str());
    if (!unix) return {};
    std::string out = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return out;
}

// Each probe has a name of its own: one created just before the folder
// turned immutable can no longer be deleted, and must not answer for later probes.
bool CanCreateFileIn(const std::string& folder) {
    static int probes = 0;
    const std::wstring probe = e2e::Widen(folder + "\\probe" + std::to_string(++probes) + ".tmp");
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    DeleteFileW(probe.c_str());
    return true;
}

// Tests run as root, to whom no permission bits deny anything: the folder is
// made immutable instead (tests/e2e/run undoes that before it removes a prefix).
bool SetImmutable(const std::string& folder, bool immutable) {
    const std::string unix = UnixPath(folder);
    e2e::Process chattr;
    if (unix.empty() || !e2e::StartProgram("Z:\\usr\\bin\\chattr", (immutable ? "+i \"" : "-i \"") + unix + "\"", chattr)) {
        return false;
    }
    // Wine runs it as a Unix process; it is left to finish, never ended.
    DWORD exitCode = 0;
    e2e::WaitForExit(chattr, 5000, exitCode);
    CloseHandle(chattr.handle);
    for (DWORD waited = 0; waited < 20000; waited += 100) {
        if (CanCreateFileIn(folder) != immutable) return true;
        e2e::Pause(100);
    }
    return false;
}

// The text of a message box: its longest static text.
std::string MessageBoxText(HWND box) {
    std::string text;
    for (const e2e::WindowInfo& child : e2e::ChildWindows(box)) {
        if (child.className == "Static" && child.text.size() > text.size()) text = child.text;
    }
    return text;
}

bool HasIcon(HWND box) {
    for (const e2e::WindowInfo& child : e2e::ChildWindows(box)) {
        const LONG style = GetWindowLongW(child.hwnd, GWL_STYLE);
        if (child.className == "Static" && child.visible && (style & SS_TYPEMASK) == SS_ICON) return true;
    }
    return false;
}

}  // namespace

E2E_CASE(first_start_installs_the_addin_for_powerpoint_16) {
    CHECK(e2e::WriteRegistryString(HKEY_CURRENT_USER, kPowerPoint, "Version", "16"), "PowerPoint 16.0's key is made");
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        CHECK(!IsMessageBox(window) && !MessageBoxShown(program.id), "nothing but the main window is shown");
        std::string written, block;
        CHECK(e2e::ReadFileBytes(AddinFile(), written), "the add-in file is written under " + AddinsFolder());
        CHECK(e2e::ReadFileBytes(e2e::SourcePath(exePath, "resources\\addin.ppa"), block), "the block is read");
        CHECK(!block.empty() && written == block, "the file holds the embedded block byte for byte");
        std::string path;
        DWORD autoLoad = 0;
        CHECK(e2e::ReadRegistryString(HKEY_CURRENT_USER, kAddinKey, "Path", path) && path == AddinFile(),
              "the add-in's key has \"Path\" = the file, not \"" + path + "\"");
        CHECK(e2e::ReadRegistryDword(HKEY_CURRENT_USER, kAddinKey, "AutoLoad", autoLoad) && autoLoad == 1,
              "the add-in's key has \"AutoLoad\" = 1");

        // AddinInstalled as the settings window shows it, and the box at work.
        CHECK(AddinBox(window, program.id, true) == 1, "the settings window's add-in box is ticked");
        CHECK(WaitInstalled(false), "unticked and accepted, the key and the file are removed");
        CHECK(e2e::RegistryKeyExists(HKEY_CURRENT_USER, kPowerPoint), "PowerPoint's own key stays");
        CHECK(AddinBox(window, program.id, true) == 0, "the box reads unticked");
        CHECK(WaitInstalled(true), "ticked again and accepted, the key and the file are back");
        CHECK(!MessageBoxShown(program.id), "without a word");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(read_only_addins_folder_shows_the_report) {
    CHECK(e2e::WriteRegistryString(HKEY_CURRENT_USER, kPowerPoint, "Version", "16"), "PowerPoint 16.0's key is made");
    SHCreateDirectoryExW(nullptr, e2e::Widen(AddinsFolder()).c_str(), nullptr);
    if (!CHECK(SetImmutable(AddinsFolder(), true), "the add-ins folder is made read-only")) return e2e::Result();

    e2e::Process program;
    CHECK(e2e::StartProgram(exePath, "", program), "Horavel.exe starts");
    HWND box = e2e::WaitForWindow("Horavel", program.id, 20000);
    if (CHECK(box && IsMessageBox(box), "a message box titled \"Horavel\" comes first")) {
        e2e::Screenshot("read_only_addins_folder_shows_the_report");
        const std::string expected =
            "ERROR: There was a Read/Write error (Error No.: 2)."
            "\r\n\r\nOK: PowerPoint v16.0 found on this computer"
            "\r\nERROR: No WRITE Access to the PowerPoint Add-In Folder."
            "\rERROR: Horavel Add-In File not found."
            "\r\n\r\nsPpaPath = "
            "\r\n\r\nsPptAddinRegKeyPath = " + kAddinKey;
        const std::string text = MessageBoxText(box);
        CHECK(text == expected, "the box shows the exact report, not \"" + text + "\"");
        CHECK(HasIcon(box), "with the error icon");
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        for (DWORD waited = 0; IsWindow(box) && IsWindowVisible(box) && waited < 10000; waited += 100) e2e::Pause(100);
        CHECK(!IsWindow(box) || !IsWindowVisible(box), "OK closes the box");
        HWND window = e2e::WaitForWindow("Horavel", program.id, 20000);
        CHECK(window && !IsMessageBox(window), "the main window follows once the box is closed");
        if (window) CHECK(AddinBox(window, program.id, false) == 0, "the settings window's add-in box is not ticked");
    }
    CHECK(!e2e::RegistryKeyExists(HKEY_CURRENT_USER, kAddinKey), "nothing is registered");
    CHECK(!e2e::FileExists(AddinFile()), "no add-in file");
    e2e::StopProgram(program);
    // Courtesy only: tests/e2e/run clears the flag before it removes the prefix,
    // so a slow chattr under load is no failure of the program's.
    SetImmutable(AddinsFolder(), false);
    return e2e::Result();
}
