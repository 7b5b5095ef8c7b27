#include "sound/built_in_sounds.h"

#include <string_view>

#include "resources/embedded.h"

namespace {

constexpr std::string_view SoundFolder = "resources/sounds/";

// The embedded files of the set in their order, which is their numbering.
const EmbeddedResource* NthSound(int number) {
    int seen = 0;
    for (const EmbeddedResource* r = kEmbeddedResources; r->name; ++r) {
        if (std::string_view(r->name).starts_with(SoundFolder) && ++seen == number) return r;
    }
    return nullptr;
}

}  // namespace

std::span<const unsigned char> BuiltInSound(int number) {
    if (number < 1 || number > BuiltInSoundCount) return {};
    const EmbeddedResource* sound = NthSound(number);
    if (!sound) return {};
    const EmbeddedResource* next = number < BuiltInSoundCount ? NthSound(number + 1) : nullptr;
    const unsigned char* end = next ? next->data : sound->data + sound->size;
    return {sound->data, end};
}
