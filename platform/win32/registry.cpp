// The registry through advapi32.
#include "platform/registry.h"

#include <windows.h>

#include <vector>

#include "platform/win32/text.h"

namespace platform {

using win32::Utf8;
using win32::Wide;

namespace {

HKEY Key(RegistryHandle handle) { return reinterpret_cast<HKEY>(handle); }
RegistryHandle Handle(HKEY key) { return reinterpret_cast<RegistryHandle>(key); }

// The only root the program knows.
HKEY RootKey(RegistryRoot) { return HKEY_CURRENT_USER; }

}  // namespace

int RegistryConnect(RegistryRoot root, const std::string& computer, RegistryHandle* handle) {
    *handle = 0;
    if (computer.empty()) {
        *handle = Handle(RootKey(root));
        return 0;
    }
    HKEY connected = nullptr;
    const LSTATUS status = RegConnectRegistryW(Wide(computer).c_str(), RootKey(root), &connected);
    if (status == ERROR_SUCCESS) *handle = Handle(connected);
    return static_cast<int>(status);
}

int RegistryOpenKey(RegistryHandle parent, const std::string& path, RegistryHandle* key) {
    *key = 0;
    HKEY opened = nullptr;
    const LSTATUS status = RegOpenKeyExW(Key(parent), Wide(path).c_str(), 0, KEY_ALL_ACCESS, &opened);
    if (status == ERROR_SUCCESS) *key = Handle(opened);
    return static_cast<int>(status);
}

int RegistryCreateKey(RegistryHandle parent, const std::string& path, RegistryHandle* key) {
    *key = 0;
    HKEY created = nullptr;
    const LSTATUS status = RegCreateKeyExW(Key(parent), Wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_ALL_ACCESS, nullptr, &created, nullptr);
    if (status == ERROR_SUCCESS) *key = Handle(created);
    return static_cast<int>(status);
}

int RegistryDeleteKey(RegistryHandle parent, const std::string& path) {
    return static_cast<int>(RegDeleteKeyW(Key(parent), Wide(path).c_str()));
}

int RegistryQueryValue(RegistryHandle key, const std::string& name, std::uint32_t* type) {
    DWORD t = 0;
    const LSTATUS status = RegQueryValueExW(Key(key), Wide(name).c_str(), nullptr, &t, nullptr, nullptr);
    if (status == ERROR_SUCCESS) *type = t;
    return static_cast<int>(status);
}

int RegistryReadText(RegistryHandle key, const std::string& name, std::string* text) {
    const std::wstring wideName = Wide(name);
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(Key(key), wideName.c_str(), nullptr, nullptr, nullptr, &size);
    if (status != ERROR_SUCCESS) return static_cast<int>(status);
    // One spare character: a stored text need not end in a zero.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD bytes = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    status = RegQueryValueExW(Key(key), wideName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()),
                              &bytes);
    if (status != ERROR_SUCCESS) return static_cast<int>(status);
    *text = Utf8(std::wstring(buffer.data()));
    return 0;
}

int RegistryReadNumber(RegistryHandle key, const std::string& name, std::uint32_t* number) {
    DWORD value = 0;
    DWORD bytes = sizeof value;
    const LSTATUS status =
        RegQueryValueExW(Key(key), Wide(name).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &bytes);
    if (status == ERROR_SUCCESS) *number = value;
    return static_cast<int>(status);
}

int RegistryWriteText(RegistryHandle key, const std::string& name, const std::string& text) {
    const std::wstring wide = Wide(text);
    const auto bytes = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));
    return static_cast<int>(RegSetValueExW(Key(key), Wide(name).c_str(), 0, REG_SZ,
                                           reinterpret_cast<const BYTE*>(wide.c_str()), bytes));
}

int RegistryWriteNumber(RegistryHandle key, const std::string& name, std::uint32_t number) {
    const DWORD value = number;
    return static_cast<int>(RegSetValueExW(Key(key), Wide(name).c_str(), 0, REG_DWORD,
                                           reinterpret_cast<const BYTE*>(&value), sizeof value));
}

void RegistryClose(RegistryHandle handle) { RegCloseKey(Key(handle)); }

}  // namespace platform
