#pragma once
// Alert sounds: the built-in set and the user's files.
#include <string>

// Starts the sound system once; remembers whether that worked.
bool StartSoundSystem();
extern bool soundAvailable;
void PlayAlertSound(const std::string& path, int builtInSound);
void StopAlertSound();
// The file chooser with preview: the chosen path, or empty text on cancel.
std::string ChooseSoundFile();
// Frees the loaded built-in sound, if any (shutdown).
void FreeAlertSound();
