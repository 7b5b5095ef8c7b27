#pragma once
// The nineteen built-in alert sounds, carried inside the program one after
// another as complete mono Ogg Vorbis files (resources/sounds, made by
// tools/make_sounds.cpp).
#include <span>

constexpr int BuiltInSoundCount = 19;

// Sound number (1 to 19): the bytes from its start to the start of the next
// sound (for the last, to the end of the set). Empty for any other number.
std::span<const unsigned char> BuiltInSound(int number);
