#pragma once
// The presentation add-in: finds the user's PowerPoint version, installs the
// add-in file into its add-ins folder and registers it to load automatically,
// and removes both again. Everything is the current user's.
#include <string>
#include <string_view>

// Filled by the first CheckAddin of the run and kept: later installs and
// removals reuse them without probing the registry again.
extern std::string OfficeVersion;  // the PowerPoint version found ("16.0" ...), or empty
extern std::string AddinRegKey;    // the add-in's key below the user's root, or empty
extern std::string AddinFilePath;  // where the add-in file is, or empty

// The add-in file as the program carries it, written out byte for byte.
inline constexpr std::string_view kAddinResource = "resources/addin.ppa";

// 1 when the add-in is registered for the newest PowerPoint version present.
int CheckAddin();
// Writes the add-in file unless it is there already and registers it; a
// failure is reported in a message box, no PowerPoint at all silently.
void InstallAddin();
// Deletes the registration and the add-in file.
void RemoveAddin();
