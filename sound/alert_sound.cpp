#include "sound/alert_sound.h"

#include <cctype>

#include "lang/messages.h"
#include "platform/file_chooser.h"
#include "platform/sound.h"
#include "sound/built_in_sounds.h"
#include "sound/ogg_decoder.h"

bool soundAvailable = false;

namespace {

// The system's path limit: 260 UTF-16 units with the terminating null.
constexpr int MaxPathUnits = 259;

bool builtInLoaded = false;  // slot 0 holds a sound
bool mediaOpen = false;      // "MP3_1" may be open: an OPEN was sent since the last close
int previewVolume = platform::FullVolume;  // of the files the open chooser plays

void PreviewSelection(const std::string& path) { PlayAlertSound(path, 0, previewVolume); }

}  // namespace

bool PathFitsMediaCommand(const std::string& path) {
    int units = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (c < 0x20 || c == 0x7F || c == '"') return false;
        // U+0080 to U+009F, the second set of control characters, are C2 80 to C2 9F in UTF-8.
        if (c == 0xC2 && i + 1 < path.size() && static_cast<unsigned char>(path[i + 1]) <= 0x9F) return false;
        if ((c & 0xC0) != 0x80) units += c >= 0xF0 ? 2 : 1;  // beyond U+FFFF a character takes two units
    }
    return units <= MaxPathUnits;
}

bool PathNamesDevice(const std::string& path) {
    const auto slash = [](char c) { return c == '\\' || c == '/'; };
    if (path.size() >= 4 && slash(path[0]) && slash(path[1]) && (path[2] == '.' || path[2] == '?') && slash(path[3]))
        return true;
    // The last part, without a drive, up to its first dot or colon ("COM1:"),
    // without the blanks the system drops at its end; compared in upper case.
    std::size_t start = path.find_last_of("\\/");
    start = start != std::string::npos ? start + 1 : path.size() >= 2 && path[1] == ':' ? 2 : 0;
    std::string name = path.substr(start, path.find_first_of(".:", start) - start);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"})
        if (name == device) return true;
    if (name.size() < 4 || (!name.starts_with("COM") && !name.starts_with("LPT"))) return false;
    // COM1 to COM9 and LPT1 to LPT9, and with a superscript 1, 2 or 3 (C2 B9, C2 B2, C2 B3).
    const std::string number = name.substr(3);
    return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') || number == "\xC2\xB9" ||
           number == "\xC2\xB2" || number == "\xC2\xB3";
}

void RegisterOggDecoder() { platform::RegisterSoundDecoder(OggVorbisDecoder()); }

bool StartSoundSystem() { return soundAvailable = platform::SoundOutputAvailable(); }

void PlayAlertSound(const std::string& path, int builtInSound, int volume) {
    StopAlertSound();
    if (!soundAvailable) return;
    volume = platform::ClampVolume(volume);
    if (!path.empty()) {
        if (!PathFitsMediaCommand(path) || PathNamesDevice(path)) return;
        platform::SendMediaCommand("OPEN \"" + path + "\" Type MPEGVIDEO ALIAS MP3_1");
        mediaOpen = true;
        // A file opens at full volume.
        if (volume < platform::FullVolume)
            platform::SendMediaCommand("setaudio MP3_1 volume to " + std::to_string(platform::MediaVolume(volume)));
        platform::SendMediaCommand("play MP3_1 from 0");
        return;
    }
    const auto sound = BuiltInSound(builtInSound);
    if (sound.empty()) return;
    platform::PlaySoundData(sound, volume);
    builtInLoaded = true;
}

bool AlertSoundPlaying() { return soundAvailable && (builtInLoaded || mediaOpen) && platform::SoundPlaying(); }

void PrepareAlertSound(const std::string& path, int builtInSound, int volume) {
    const auto sound = BuiltInSound(builtInSound);
    if (soundAvailable && path.empty() && !sound.empty()) platform::PrimeSoundData(sound, platform::ClampVolume(volume));
}

void StopAlertSound() {
    if (builtInLoaded) platform::StopSoundData();
    builtInLoaded = false;
    // A media-control command costs milliseconds: closing an alias that was
    // never opened is left out.
    if (mediaOpen) platform::SendMediaCommand("close MP3_1");
    mediaOpen = false;
}

void FreeAlertSound() {
    if (!soundAvailable) return;
    StopAlertSound();
    platform::WaitForSoundToStop();
}

std::string ChooseSoundFile(int volume) {
    previewVolume = volume;
    const std::string chosen =
        platform::ChooseExistingFile(Message(94) + " (wav, mp3, wma, ogg)", "*.wav;*.mp3;*.wma;*.ogg", PreviewSelection);
    StopAlertSound();  // the preview ends with the dialog
    return chosen;
}
