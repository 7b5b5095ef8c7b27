// The PowerPoint add-in as a first start installs it, with PowerPoint 16.0
// "installed" in the prefix by its registry key.
#include "tests/e2e/case_support.h"

namespace {

const std::string kPowerPoint = "Software\\Microsoft\\Office\\16.0\\PowerPoint";
const std::string kAddinKey = kPowerPoint + "\\AddIns\\Horavel Toolbar Addin";

std::string AddinsFolder() { return e2e::ShellFolder(CSIDL_APPDATA) + "\\Microsoft\\AddIns"; }
std::string AddinFile() { return AddinsFolder() + "\\Horavel Toolbar Addin.ppa"; }

bool IsMessageBox(HWND window) { return e2e::DescribeWindow(window).className == "#32770"; }

bool MessageBoxShown(DWORD processId) {
    for (HWND w : e2e::TopLevelWindows(processId)) {
        if (IsWindowVisible(w) && IsMessageBox(w)) return true;
    }
    return false;
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

bool CanCreateFileIn(const std::string& folder) {
    const std::wstring probe = e2e::Widen(folder + "\\probe.tmp");
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
    }
    CHECK(!e2e::RegistryKeyExists(HKEY_CURRENT_USER, kAddinKey), "nothing is registered");
    CHECK(!e2e::FileExists(AddinFile()), "no add-in file");
    e2e::StopProgram(program);
    CHECK(SetImmutable(AddinsFolder(), false), "the add-ins folder is writable again");
    return e2e::Result();
}
