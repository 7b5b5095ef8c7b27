#pragma once
// The fake sound output and file chooser: what the program asked for, in order.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/sound.h"

namespace fake {

struct Sound {
    bool outputAvailable = true;
    platform::SoundDecoder decoder;               // as registered
    std::span<const unsigned char> playing;       // what PlaySoundData plays; empty when stopped
    std::span<const unsigned char> primed;        // what PrimeSoundData was last given
    int volume = -1, primedVolume = -1;           // the volumes PlaySoundData and PrimeSoundData were last given
    bool mediaPlaying = false;                    // from a "play" command until a close (or the test ends it)
    std::uint32_t startTick = 0;                  // the tick count when a sound last started
    std::vector<std::string> mediaCommands;       // every command string sent
    // The file chooser: the paths the user selects one after another, then the answer.
    std::vector<std::string> selections;
    std::string chosenFile;
    std::string filterDescription, filterPattern;  // as the last chooser was shown
};

}  // namespace fake
