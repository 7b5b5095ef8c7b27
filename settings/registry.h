#pragma once
// The registry layer used by the settings store and the add-in installer.
// Every operation returns 1 on success and 0 otherwise, and leaves its status
// (0, or the operating system's error code) in RegLastError. A key path may
// start with "\"; an empty computer name means this computer.
//
// These names are macros in <windows.h>: never include this header there.
#include <string>

#include "platform/registry.h"

using platform::RegistryRoot;

extern std::string RegLastValue;  // what the last successful RegGetValue read
extern int RegLastError;

int RegKeyExists(RegistryRoot root, const std::string& keyPath, const std::string& computer);
int RegCreateKey(RegistryRoot root, const std::string& keyPath, const std::string& computer);
int RegDeleteKey(RegistryRoot root, const std::string& keyPath, const std::string& computer);
// Reads a value as text into RegLastValue: text values as they are, 32-bit
// numbers in signed decimal; a value of any other type leaves RegLastValue
// alone. An empty value name is the key's default value.
int RegGetValue(RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                const std::string& computer);
// Stores into an existing key: type 1 (kRegistryText) the text, type 4
// (kRegistryNumber) the integer the text begins with; any other type nothing.
int RegSetValue(RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                const std::string& value, int type, const std::string& computer);
