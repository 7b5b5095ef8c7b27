#pragma once
// Alert sounds: the built-in set and the user's files.
#include <string>

#include "platform/sound_volume.h"

// Registers the Ogg Vorbis decoder with the sound output, so that the
// built-in sounds can be played (process start).
void RegisterOggDecoder();
// Starts the sound system once; remembers whether that worked.
bool StartSoundSystem();
extern bool soundAvailable;
// Stops what plays, then plays the user's file at path when it is not empty,
// else built-in sound builtInSound (1 to 19), else nothing, at volume percent
// of its loudness (0 to 100). Returns at once.
void PlayAlertSound(const std::string& path, int builtInSound, int volume = platform::FullVolume);
void StopAlertSound();
// Whether the sound PlayAlertSound started is still to be heard.
bool AlertSoundPlaying();
// Gets built-in sound builtInSound ready to play without delay, a few seconds
// before PlayAlertSound is due to play it; nothing for a user's file (path not
// empty), which opens in the background when it plays. Returns at once.
void PrepareAlertSound(const std::string& path, int builtInSound, int volume);
// The file chooser with preview at volume: the chosen path, or empty text on cancel.
std::string ChooseSoundFile(int volume = platform::FullVolume);
// Frees the loaded built-in sound, if any (shutdown).
void FreeAlertSound();

// Whether path may be quoted into a media-control command: no double quote,
// no control character, within the system's path limit. Any other path could
// end the quoted name early and add commands of its own.
bool PathFitsMediaCommand(const std::string& path);
// Whether path names a device rather than a file: a reserved name such as CON,
// NUL, COM1 or LPT1 as its last part (with any extension, in any folder), or a
// path into the device namespace (\\.\ or \\?\). Opening one can block for
// as long as the device likes.
bool PathNamesDevice(const std::string& path);
