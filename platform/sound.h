#pragma once
// Sound output: compressed sound data played once in the background through a
// decoder the program registers, and the system's media-control commands for
// files of any format its codecs know.
#include <cstdint>
#include <span>
#include <string>

namespace platform {

// Turns compressed sound data into 16-bit samples. The sound output calls it
// on a thread of its own, one stream at a time.
struct SoundDecoder {
    // A stream over data, which outlives it; nullptr when data is not a stream
    // this decoder reads. Sets the channel count and the sample rate.
    void* (*open)(std::span<const unsigned char> data, int* channels, int* rate) = nullptr;
    // Up to maxSamples interleaved samples into samples; 0 at the end of the
    // stream, negative when the data is damaged.
    int (*read)(void* stream, std::int16_t* samples, int maxSamples) = nullptr;
    void (*close)(void* stream) = nullptr;
};
void RegisterSoundDecoder(const SoundDecoder& decoder);

// Whether a wave output device exists and can be opened.
bool SoundOutputAvailable();
// Starts playing data once, in the background, at volume percent of its
// loudness (platform/sound_volume.h), and returns at once; whatever
// PlaySoundData started before is stopped first. data must stay valid until
// StopSoundData or the next PlaySoundData.
void PlaySoundData(std::span<const unsigned char> data, int volume);
// Gets the output ready to play data without delay, in the background: the
// device open and the start decoded. A PlaySoundData of the same data at the
// same volume within a few seconds then starts at once; after that the device
// is let go. Returns at once; a sound that plays goes on.
void PrimeSoundData(std::span<const unsigned char> data, int volume);
// Stops what PlaySoundData started and returns at once; the device and its
// buffers are released in the background. Harmless when nothing plays.
void StopSoundData();
// Whether what PlaySoundData or a media-control "play" started is still to be
// heard: from the request until the sound ends or is stopped (a user's file
// is asked about its state a few times a second while it plays).
bool SoundPlaying();
// Stops as StopSoundData does, then returns only when every sound started has
// released the device and nothing of the sound output runs any more (shutdown).
void WaitForSoundToStop();

// Sends one media-control command string, with no return buffer and no
// notification window; the result is ignored. Returns at once: the commands
// run in their order in the background, where those that a later close would
// undo at once are left out.
void SendMediaCommand(const std::string& command);

}  // namespace platform
