#pragma once
// The settings file in the per-user settings folder.
#include <string>

// The folder of the settings file and the user's language files; ends in "\" or is empty.
extern std::string SettingsFolder;

// Works out SettingsFolder, records the program's folder in the registry and
// fills the settings record from the file. Without a file it is a first run:
// first-run values, an immediate save and the add-in's installation. A file
// that is there but cannot be read (a folder, locked, over 1 MiB) is left
// alone and loads as if it held no keys. Temporary files of saves that were
// cut short are removed; without a settings file, the newest complete one
// becomes the settings file instead of a first run.
void LoadSettings();
// Writes the whole record; the old file stays whole when that fails.
void SaveSettings();
