#pragma once
// An in-memory registry for the unit tests: keys with typed values on this
// computer and on remote computers, keys that deny full access, and failures
// on demand. Paths are compared without regard to ASCII case, as Windows does.
#include <cstdint>
#include <map>
#include <string>

#include "platform/registry.h"

namespace fake {

struct CaseLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

struct RegistryValue {
    std::uint32_t type = platform::kRegistryText;
    std::string text;  // type 1; may hold a zero before its end
    std::uint32_t number = 0;  // type 4
};

struct RegistryKey {
    std::map<std::string, RegistryValue, CaseLess> values;  // "" is the default value
    bool denyFullAccess = false;  // exists, but opening it for full access fails
};

// Keys by full path below the root, without a leading "\".
using RegistryTree = std::map<std::string, RegistryKey, CaseLess>;

struct RegistryState {
    RegistryTree local;
    std::map<std::string, RegistryTree, CaseLess> computers;  // remote computers that answer
    int readError = 0;   // status of the read after a successful type query
    int writeError = 0;  // status of every value write
    int valueWrites = 0;  // successful value writes
    int rootCloses = 0;   // attempts to close this computer's root, which must never happen

    struct Handle {
        std::string computer;  // empty: this computer
        std::string path;
    };
    std::map<platform::RegistryHandle, Handle> handles;  // open keys and connections
    platform::RegistryHandle nextHandle = 100;
};

extern RegistryState registry;

// An empty registry with no remote computers and no failures.
void ResetRegistry();

// Keys and connections opened and not yet closed.
int OpenRegistryHandles();

// Puts a value into this computer's registry, creating the key.
void SetRegistryText(const std::string& path, const std::string& name, const std::string& text);
void SetRegistryNumber(const std::string& path, const std::string& name, std::uint32_t number);
// The value, or null when the key or the value is missing.
const RegistryValue* FindRegistryValue(const std::string& path, const std::string& name);

}  // namespace fake
