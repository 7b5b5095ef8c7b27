#pragma once
// Data files carried inside the program (bitmaps, sounds, language tables,
// the add-in), generated into byte arrays at build time.
#include <cstddef>
#include <span>
#include <string_view>

struct EmbeddedResource {
    const char* name;  // path relative to the source tree, e.g. "resources/chrome/strip.bmp"
    const unsigned char* data;
    std::size_t size;
};

extern const EmbeddedResource kEmbeddedResources[];  // ends with a null name

// The bytes of the named resource; empty when there is none of that name.
std::span<const unsigned char> FindEmbeddedResource(std::string_view name);
