#include "platform/file_chooser.h"
#include "tests/support/fake_platform.h"

namespace platform {

using fake::state;

void RegisterSoundDecoder(const SoundDecoder& decoder) { state.sound.decoder = decoder; }

bool SoundOutputAvailable() { return state.sound.outputAvailable; }

void PlaySoundData(std::span<const unsigned char> data, int volume) {
    state.sound.playing = data;
    state.sound.volume = volume;
    state.sound.startTick = state.tick;
    state.calls.push_back("PlaySoundData");
}

void PrimeSoundData(std::span<const unsigned char> data, int volume) {
    state.sound.primed = data;
    state.sound.primedVolume = volume;
    state.calls.push_back("PrimeSoundData");
}

void StopSoundData() {
    state.sound.playing = {};
    state.calls.push_back("StopSoundData");
}

bool SoundPlaying() { return !state.sound.playing.empty() || state.sound.mediaPlaying; }

void WaitForSoundToStop() {
    state.sound.playing = {};
    state.calls.push_back("WaitForSoundToStop");
}

void SendMediaCommand(const std::string& command) {
    state.sound.mediaCommands.push_back(command);
    if (command.starts_with("play ")) {
        state.sound.startTick = state.tick;
        state.sound.mediaPlaying = true;
    }
    if (command.starts_with("close ")) state.sound.mediaPlaying = false;
    state.calls.push_back("MediaCommand " + command);
}

std::string ChooseExistingFile(const std::string& description, const std::string& pattern,
                               FileSelectionHook onSelectionChange) {
    state.sound.filterDescription = description;
    state.sound.filterPattern = pattern;
    state.calls.push_back("ChooseExistingFile");
    for (const std::string& path : state.sound.selections) onSelectionChange(path);
    return state.sound.chosenFile;
}

}  // namespace platform
