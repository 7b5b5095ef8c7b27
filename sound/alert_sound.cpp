#include "sound/alert_sound.h"

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

void PreviewSelection(const std::string& path) { PlayAlertSound(path, 0); }

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

void RegisterOggDecoder() { platform::RegisterSoundDecoder(OggVorbisDecoder()); }

bool StartSoundSystem() { return soundAvailable = platform::SoundOutputAvailable(); }

void PlayAlertSound(const std::string& path, int builtInSound) {
    StopAlertSound();
    if (!soundAvailable) return;
    if (!path.empty()) {
        if (!PathFitsMediaCommand(path)) return;
        platform::SendMediaCommand("OPEN \"" + path + "\" Type MPEGVIDEO ALIAS MP3_1");
        mediaOpen = true;
        platform::SendMediaCommand("play MP3_1 from 0");
        return;
    }
    const auto sound = BuiltInSound(builtInSound);
    if (sound.empty()) return;
    platform::PlaySoundData(sound);
    builtInLoaded = true;
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

std::string ChooseSoundFile() {
    const std::string chosen =
        platform::ChooseExistingFile(Message(94) + " (wav, mp3, wma, ogg)", "*.wav;*.mp3;*.wma;*.ogg", PreviewSelection);
    StopAlertSound();  // the preview ends with the dialog
    return chosen;
}
