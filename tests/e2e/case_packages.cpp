// The release packages as a user gets them: the installer and the portable
// zip. tests/e2e/run builds them and names them in the environment:
// HORAVEL_MSI and HORAVEL_NEXT_MSI (an installer of the next version) with
// their versions, and HORAVEL_PORTABLE, the folder the zip was unpacked into.
#include <windows.h>
#include <msi.h>
#include <msidefs.h>
#include <msiquery.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/case_support.h"

namespace {

// Runs msiexec with the given options and a package, without any user
// interface; its exit code, or -1 when it did not end within two minutes.
long Msiexec(const std::string& option, const std::string& package) {
    e2e::Process process;
    const std::string msiexec = e2e::ShellFolder(CSIDL_SYSTEM) + "\\msiexec.exe";
    if (!e2e::StartProgram(msiexec, option + " \"" + package + "\" /qn", process)) return -1;
    DWORD exitCode = 0;
    const bool ended = e2e::WaitForExit(process, 120000, exitCode);
    e2e::StopProgram(process);
    e2e::Log("msiexec " + option + " " + package + ": " + (ended ? std::to_string(exitCode) : "still running"));
    return ended ? static_cast<long>(exitCode) : -1;
}

// The versions of the entries named "Horavel" in the list of installed
// programs, for this user and for the machine.
std::vector<std::string> InstalledVersions() {
    std::vector<std::string> versions;
    const std::string list = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, e2e::Widen(list).c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &key) != ERROR_SUCCESS) continue;
        wchar_t name[256];
        for (DWORD i = 0, length = 256; RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) ==
                                        ERROR_SUCCESS;
             ++i, length = 256) {
            const std::string entry = list + "\\" + e2e::Narrow(name);
            std::string displayName, version;
            if (e2e::ReadRegistryString(root, entry, "DisplayName", displayName) && displayName == "Horavel") {
                e2e::ReadRegistryString(root, entry, "DisplayVersion", version);
                versions.push_back(version);
            }
        }
        RegCloseKey(key);
    }
    return versions;
}

// The program a shortcut starts; empty when it cannot be read.
std::string ShortcutTarget(const std::string& path) {
    std::string target;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t buffer[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(e2e::Widen(path).c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(buffer, MAX_PATH, nullptr, 0)))
            target = e2e::Narrow(buffer);
        file->Release();
    }
    link->Release();
    return target;
}

bool SamePath(const std::string& a, const std::string& b) {
    return CompareStringOrdinal(e2e::Widen(a).c_str(), -1, e2e::Widen(b).c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(e2e::Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The names in a folder, sorted.
std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(e2e::Widen(folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(e2e::Narrow(name));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// Whether the package says that installing it needs no administrator rights.
bool AsksForNoElevation(const std::string& package) {
    MSIHANDLE summary = 0;
    if (MsiGetSummaryInformationW(0, e2e::Widen(package).c_str(), 0, &summary) != ERROR_SUCCESS) return false;
    UINT type = 0;
    INT wordCount = 0;
    const UINT status = MsiSummaryInfoGetPropertyW(summary, PID_WORDCOUNT, &type, &wordCount, nullptr, nullptr, nullptr);
    MsiCloseHandle(summary);
    return status == ERROR_SUCCESS && (wordCount & msidbSumInfoSourceTypeLUAPackage) != 0;
}

// The folder the portable zip was unpacked into, and the program's folder,
// which the zip holds: Horavel-<version>.
std::string PortableUnpacked() { return e2e::EnvironmentValue("HORAVEL_PORTABLE"); }
std::string PortableFolder() { return PortableUnpacked() + "\\Horavel-" + e2e::EnvironmentValue("HORAVEL_MSI_VERSION"); }

// The PowerPoint add-in's registration under one version's key.
std::string AddinKey(const std::string& version) {
    return "Software\\Microsoft\\Office\\" + version + "\\PowerPoint\\AddIns\\Horavel Toolbar Addin";
}

bool IsRegistered(const std::string& version) {
    std::string path;
    DWORD autoLoad = 0;
    return e2e::ReadRegistryString(HKEY_CURRENT_USER, AddinKey(version), "Path", path) ||
           e2e::ReadRegistryDword(HKEY_CURRENT_USER, AddinKey(version), "AutoLoad", autoLoad);
}

// Starts the program, waits for its window and ends it again.
void ShowsItsWindow(const std::string& exePath) {
    e2e::Process program;
    e2e::StartAndFind(exePath, program);
    CHECK(e2e::IsRunning(program), exePath + " still runs");
    e2e::StopProgram(program);
}

}  // namespace

E2E_CASE(installer_installs_upgrades_and_uninstalls) {
    const std::string msi = e2e::EnvironmentValue("HORAVEL_MSI");
    const std::string version = e2e::EnvironmentValue("HORAVEL_MSI_VERSION");
    const std::string nextMsi = e2e::EnvironmentValue("HORAVEL_NEXT_MSI");
    const std::string nextVersion = e2e::EnvironmentValue("HORAVEL_NEXT_MSI_VERSION");
    if (!CHECK(e2e::FileExists(msi) && e2e::FileExists(nextMsi), "both installers are there")) return e2e::Result();
    CHECK(AsksForNoElevation(msi), "the installer needs no administrator rights");
    CoInitialize(nullptr);

    const std::string folder = e2e::ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Horavel";
    const std::string program = folder + "\\Horavel.exe";
    const std::string shortcut = e2e::ShellFolder(CSIDL_PROGRAMS) + "\\Horavel.lnk";
    const std::string settingsFile = e2e::SettingsFolder() + "HV_Settings.ini";
    const std::string languageFile = e2e::SettingsFolder() + "Deutsch_v167.txt";

    // PowerPoint 16.0, for which the program's first run installs the add-in,
    // and a registration of 12.0 that names someone else's file.
    const std::string addins = e2e::ShellFolder(CSIDL_APPDATA) + "\\Microsoft\\AddIns\\";
    const std::string addinFile = addins + "Horavel Toolbar Addin.ppa";
    const std::string otherFile = addins + "Someone Else.ppa";
    HKEY powerPoint = nullptr;
    CHECK(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Office\\16.0\\PowerPoint", 0, nullptr, 0, KEY_READ,
                          nullptr, &powerPoint, nullptr) == ERROR_SUCCESS,
          "PowerPoint 16.0 is there");
    if (powerPoint) RegCloseKey(powerPoint);

    CHECK(Msiexec("/i", msi) == 0, "msiexec /i installs without a user interface");
    CHECK(e2e::FileExists(program), "the program is in the user's programs folder");
    CHECK(SamePath(ShortcutTarget(shortcut), program), "the Start-menu shortcut starts the installed program");
    CHECK(InstalledVersions() == std::vector<std::string>{version}, "one installed-programs entry, version " + version);
    ShowsItsWindow(program);
    std::string settings;
    CHECK(e2e::ReadFileBytes(settingsFile, settings), "the program wrote its settings file");
    CHECK(e2e::WriteFileBytes(languageFile, "Deutsch\r\n"), "a language file of the user's is written");
    CHECK(IsRegistered("16.0") && e2e::FileExists(addinFile), "the first run installed the add-in for PowerPoint 16.0");
    CHECK(e2e::WriteFileBytes(otherFile, "not ours") &&
              e2e::WriteRegistryString(HKEY_CURRENT_USER, AddinKey("12.0"), "Path", otherFile) &&
              e2e::WriteRegistryDword(HKEY_CURRENT_USER, AddinKey("12.0"), "AutoLoad", 1),
          "a registration for PowerPoint 12.0 names someone else's file");

    CHECK(Msiexec("/i", nextMsi) == 0, "the next version installs over it");
    CHECK(InstalledVersions() == std::vector<std::string>{nextVersion},
          "one installed-programs entry, now version " + nextVersion);
    CHECK(e2e::FileExists(program) && e2e::FileExists(shortcut), "program and shortcut are in their places");
    ShowsItsWindow(program);
    CHECK(Msiexec("/i", msi) != 0, "the older installer refuses to replace the newer version");
    CHECK(InstalledVersions() == std::vector<std::string>{nextVersion}, "the newer version stays installed");

    CHECK(Msiexec("/x", nextMsi) == 0, "msiexec /x uninstalls without a user interface");
    CHECK(!FolderExists(folder), "the program and its folder are gone");
    CHECK(!e2e::FileExists(shortcut), "the shortcut is gone");
    CHECK(InstalledVersions().empty(), "the installed-programs entry is gone");
    std::string settingsAfter;
    CHECK(e2e::ReadFileBytes(settingsFile, settingsAfter) && settingsAfter == settings,
          "the settings file stays as it was");
    CHECK(e2e::FileExists(languageFile), "the user's language file stays");
    for (const char* version : {"16.0", "12.0"}) {
        CHECK(!IsRegistered(version), std::string("the add-in's registration for PowerPoint ") + version + " is gone");
    }
    CHECK(!e2e::FileExists(addinFile), "the add-in file is gone");
    CHECK(e2e::FileExists(otherFile), "a file of another name that a registration named stays");
    CHECK(e2e::RegistryKeyExists(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\16.0\\PowerPoint"),
          "PowerPoint's own key stays");
    CoUninitialize();
    return e2e::Result();
}

E2E_CASE(portable_zip_runs_from_any_folder) {
    CHECK(FolderEntries(PortableUnpacked()) == std::vector<std::string>{"Horavel-" + e2e::EnvironmentValue("HORAVEL_MSI_VERSION")},
          "the zip unpacks into one folder named for the program and its version");
    const std::string folder = PortableFolder();
    const bool awkwardName = folder.find(' ') != std::string::npos &&
                             std::any_of(folder.begin(), folder.end(), [](char c) { return (c & 0x80) != 0; });
    CHECK(awkwardName, "the folder's name has a blank and a character beyond ASCII: " + folder);
    const std::vector<std::string> unpacked = FolderEntries(folder);
    CHECK(unpacked == (std::vector<std::string>{"Horavel.exe", "ReadMe.txt"}), "the zip holds the program and its read-me");

    WIN32_FILE_ATTRIBUTE_DATA program{};
    GetFileAttributesExW(e2e::Widen(folder + "\\Horavel.exe").c_str(), GetFileExInfoStandard, &program);
    const ULONGLONG size = (ULONGLONG{program.nFileSizeHigh} << 32) | program.nFileSizeLow;
    e2e::Log("Horavel.exe: " + std::to_string(size) + " bytes");
    // The stage view's server brings about 1.1 MB of the static C++ runtime (streams,
    // locales, regular expressions) that the program did not use before.
    CHECK(size > 0 && size <= 2500000, "the program with everything built in is at most 2.5 MB");

    ShowsItsWindow(folder + "\\Horavel.exe");
    std::string recorded;
    CHECK(e2e::ReadRegistryString(HKEY_CURRENT_USER, "Software\\Horavel", "", recorded) && recorded == folder,
          "the program records the folder it runs from: " + recorded);
    CHECK(e2e::FileExists(e2e::SettingsFolder() + "HV_Settings.ini"), "its settings go into the settings folder");
    CHECK(FolderEntries(folder) == unpacked, "it writes nothing into its own folder");
    return e2e::Result();
}

// A winmm.dll planted beside a portable copy is never loaded. tests/e2e/run
// tells Wine to prefer a winmm.dll on disk to its own, as Windows would.
E2E_CASE(portable_copy_ignores_a_planted_library) {
    const std::string folder = e2e::ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Planted";
    const std::string program = folder + "\\Horavel.exe";
    const std::string planted = folder + "\\winmm.dll";
    const std::string built = exePath.substr(0, exePath.find_last_of('\\')) + "\\planted\\winmm.dll";
    CreateDirectoryW(e2e::Widen(folder).c_str(), nullptr);
    const bool copied = CopyFileW(e2e::Widen(PortableFolder() + "\\Horavel.exe").c_str(), e2e::Widen(program).c_str(), FALSE) &&
                        CopyFileW(e2e::Widen(built).c_str(), e2e::Widen(planted).c_str(), FALSE);
    if (!CHECK(copied, "a portable copy with a winmm.dll beside it in " + folder)) return e2e::Result();

    const std::string failure = e2e::LaunchToRunningCountDown(program);
    CHECK(!e2e::FileExists(planted + ".loaded"), "the winmm.dll beside the program is never loaded");
    CHECK(failure.empty(), "the copy runs a count-down: " + failure);
    return e2e::Result();
}
