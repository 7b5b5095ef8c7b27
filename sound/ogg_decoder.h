#pragma once
// The Ogg Vorbis decoder (vorbisfile over bytes in memory) through which the
// sound output plays the built-in sounds.
#include "platform/sound.h"

const platform::SoundDecoder& OggVorbisDecoder();
