#pragma once
// The registry. Status results are the operating system's error codes, 0 for
// success. Handles are opaque; 0 is no handle.
#include <cstdint>
#include <string>

namespace platform {

// The program only ever works below the current user's root.
enum class RegistryRoot { CurrentUser };

using RegistryHandle = std::uintptr_t;

// Value types as the registry numbers them.
constexpr std::uint32_t kRegistryText = 1;
constexpr std::uint32_t kRegistryNumber = 4;

// With an empty computer name, the handle of this computer's root (never to
// be closed); otherwise a connection to that computer's root, closed with
// RegistryClose.
int RegistryConnect(RegistryRoot root, const std::string& computer, RegistryHandle* handle);

// Opens, or creates and opens, a key below parent asking for full access.
int RegistryOpenKey(RegistryHandle parent, const std::string& path, RegistryHandle* key);
int RegistryCreateKey(RegistryHandle parent, const std::string& path, RegistryHandle* key);
// Deletes a key that has no subkeys.
int RegistryDeleteKey(RegistryHandle parent, const std::string& path);

// The type of a value; an empty name is the key's default value.
int RegistryQueryValue(RegistryHandle key, const std::string& name, std::uint32_t* type);
// A text value up to its terminating zero.
int RegistryReadText(RegistryHandle key, const std::string& name, std::string* text);
int RegistryReadNumber(RegistryHandle key, const std::string& name, std::uint32_t* number);
int RegistryWriteText(RegistryHandle key, const std::string& name, const std::string& text);
int RegistryWriteNumber(RegistryHandle key, const std::string& name, std::uint32_t number);

void RegistryClose(RegistryHandle handle);

}  // namespace platform
