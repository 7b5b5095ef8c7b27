#include "resources/embedded.h"

std::span<const unsigned char> FindEmbeddedResource(std::string_view name) {
    for (const EmbeddedResource* r = kEmbeddedResources; r->name; ++r) {
        if (name == r->name) return {r->data, r->size};
    }
    return {};
}
