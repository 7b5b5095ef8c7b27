#include "office/addin.h"

#include <algorithm>
#include <span>

#include "lang/messages.h"
#include "platform/files.h"
#include "platform/system.h"
#include "resources/embedded.h"
#include "settings/registry.h"
#include "settings/settings.h"

std::string OfficeVersion;
std::string AddinRegKey;
std::string AddinFilePath;

namespace {

constexpr std::string_view kFileName = "Horavel Toolbar Addin.ppa";
constexpr std::string_view kTitle = "Horavel";
constexpr int kReadWriteErrorMessage = 125;

// PowerPoint 2016 and every release after it keep their settings under 16.0;
// older releases each have their own number.
constexpr std::string_view kVersions[] = {"16.0", "15.0", "14.0", "13.0", "12.0", "11.0", "10.0", "9.0", "8.0"};

std::string ReadWriteError() {
    // At start-up the add-in is installed before the language is loaded: the
    // report must not go out without its heading.
    if (Message(kReadWriteErrorMessage).empty()) LoadLanguage(settings.Language);
    std::string text = Message(kReadWriteErrorMessage);
    const std::string_view placeholder = "[ERROR_CODE]";
    if (const std::size_t at = text.find(placeholder); at != std::string::npos) {
        text.replace(at, placeholder.size(), std::to_string(RegLastError));
    }
    return text;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The registered path comes from the registry, where anyone may have put
// anything: only a file carrying the add-in's own name is ever deleted.
bool IsAddinFile(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos) return false;
    const std::string_view name = std::string_view(path).substr(slash + 1);
    return std::equal(name.begin(), name.end(), kFileName.begin(), kFileName.end(),
                      [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

// The add-ins folder below the user's application-data folder, made where
// missing; empty when the shell knows no such folder.
std::string AddinsFolder() {
    std::string folder = platform::AppDataFolder();
    if (folder.empty()) return {};
    if (folder.back() != '\\') folder += '\\';
    for (const char* level : {"Microsoft\\", "AddIns\\"}) {
        folder += level;
        // A failure shows when the file cannot be written into it.
        if (!platform::DirectoryExists(folder)) platform::CreateFolder(folder);
    }
    return folder;
}

bool WriteAddinFile(const std::string& path) {
    const std::span<const unsigned char> block = FindEmbeddedResource(kAddinResource);
    return !block.empty() && platform::WriteNewFile(path, std::string(block.begin(), block.end()));
}

// Returns false with the report extended when a step fails.
bool Register(std::string& report) {
    const RegistryRoot root = RegistryRoot::CurrentUser;
    if (!RegCreateKey(root, AddinRegKey, "")) {
        report += "\r\nERROR: Could not create registry key.";
        return false;
    }
    bool ok = true;
    if (!RegSetValue(root, AddinRegKey, "Path", AddinFilePath, static_cast<int>(platform::kRegistryText), "")) {
        report += "\r\nERROR: Could not create registry PATH value.";
        ok = false;
    }
    if (!RegSetValue(root, AddinRegKey, "AutoLoad", "1", static_cast<int>(platform::kRegistryNumber), "")) {
        report += "\r\nERROR: Could not create registry AUTOLOAD value.";
        ok = false;
    }
    return ok;
}

}  // namespace

int CheckAddin() {
    for (std::string_view version : kVersions) {
        const std::string key = "Software\\Microsoft\\Office\\" + std::string(version) + "\\PowerPoint";
        if (!RegKeyExists(RegistryRoot::CurrentUser, key, "")) continue;
        OfficeVersion = version;
        AddinRegKey = key + "\\AddIns\\Horavel Toolbar Addin";
        // A "Path" of a type that reads as no text must not bring in an
        // older read's value.
        RegLastValue.clear();
        if (!RegGetValue(RegistryRoot::CurrentUser, AddinRegKey, "Path", "")) return 0;
        AddinFilePath = RegLastValue;
        return 1;
    }
    OfficeVersion.clear();
    AddinRegKey.clear();
    AddinFilePath.clear();
    return 0;
}

void InstallAddin() {
    if (OfficeVersion.empty() || AddinRegKey.empty()) CheckAddin();
    if (OfficeVersion.empty() || AddinRegKey.empty()) return;

    std::string report = "\r\n\r\nOK: PowerPoint v" + OfficeVersion + " found on this computer";
    const std::string folder = AddinsFolder();
    AddinFilePath = folder.empty() ? std::string() : folder + std::string(kFileName);

    // An add-in file already there may be in use by PowerPoint: never replace it.
    if (!platform::FileExists(AddinFilePath) && !WriteAddinFile(AddinFilePath)) {
        report += "\r\nERROR: No WRITE Access to the PowerPoint Add-In Folder.";
    }
    bool success = platform::CanReadFile(AddinFilePath);
    if (success) {
        report += "\rOK: Horavel Add-In File found.";
    } else {
        report += "\rERROR: Horavel Add-In File not found.";
        AddinFilePath.clear();
    }
    if (success) success = Register(report);
    if (success) return;

    report += "\r\n\r\nsPpaPath = " + AddinFilePath;
    report += "\r\n\r\nsPptAddinRegKeyPath = " + AddinRegKey;
    platform::ShowMessageBox(std::string(kTitle), ReadWriteError() + report, platform::MessageBoxKind::Ok,
                             platform::MessageBoxIcon::Error);
}

void RemoveAddin() {
    if (OfficeVersion.empty() || AddinRegKey.empty()) CheckAddin();
    if (!OfficeVersion.empty() && !AddinRegKey.empty() && !RegDeleteKey(RegistryRoot::CurrentUser, AddinRegKey, "")) {
        platform::ShowMessageBox(std::string(kTitle), ReadWriteError());
    }
    // Not being able to delete the file is not worth a word: it is inert
    // once its registration is gone.
    if (IsAddinFile(AddinFilePath) && platform::FileExists(AddinFilePath)) platform::RemoveFile(AddinFilePath);
}
