#include "settings/registry.h"

#include "settings/ini_file.h"

std::string RegLastValue;
int RegLastError = 0;

namespace {

using platform::RegistryHandle;

std::string StripLeadingBackslash(const std::string& path) {
    return !path.empty() && path.front() == '\\' ? path.substr(1) : path;
}

// The root an operation works on: this computer's, or a connection to another
// computer's that lasts for one operation only.
struct Root {
    RegistryHandle handle = 0;
    bool connected = false;
};

int Connect(RegistryRoot root, const std::string& computer, Root* out) {
    int status = platform::RegistryConnect(root, computer, &out->handle);
    out->connected = status == 0 && !computer.empty();
    return status;
}

// Closes the key before the connection it was opened through.
int EndRegistryCall(const Root& root, RegistryHandle key, int status) {
    if (key != 0) platform::RegistryClose(key);
    if (root.connected) platform::RegistryClose(root.handle);
    RegLastError = status;
    return status == 0 ? 1 : 0;
}

}  // namespace

int RegKeyExists(RegistryRoot root, const std::string& keyPath, const std::string& computer) {
    Root r;
    RegistryHandle key = 0;
    int status = Connect(root, computer, &r);
    if (status == 0) status = platform::RegistryOpenKey(r.handle, StripLeadingBackslash(keyPath), &key);
    return EndRegistryCall(r, key, status);
}

int RegCreateKey(RegistryRoot root, const std::string& keyPath, const std::string& computer) {
    Root r;
    RegistryHandle key = 0;
    int status = Connect(root, computer, &r);
    if (status == 0) status = platform::RegistryCreateKey(r.handle, StripLeadingBackslash(keyPath), &key);
    return EndRegistryCall(r, key, status);
}

int RegDeleteKey(RegistryRoot root, const std::string& keyPath, const std::string& computer) {
    Root r;
    int status = Connect(root, computer, &r);
    if (status == 0) status = platform::RegistryDeleteKey(r.handle, StripLeadingBackslash(keyPath));
    return EndRegistryCall(r, 0, status);
}

int RegGetValue(RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                const std::string& computer) {
    Root r;
    RegistryHandle key = 0;
    int status = Connect(root, computer, &r);
    if (status == 0) status = platform::RegistryOpenKey(r.handle, StripLeadingBackslash(keyPath), &key);
    std::uint32_t type = 0;
    if (status == 0) status = platform::RegistryQueryValue(key, valueName, &type);
    // The result says whether the value was found; a failed second read only
    // empties the text.
    if (status == 0 && type == platform::kRegistryText) {
        std::string text;
        RegLastValue = platform::RegistryReadText(key, valueName, &text) == 0 ? text : std::string();
    } else if (status == 0 && type == platform::kRegistryNumber) {
        std::uint32_t number = 0;
        RegLastValue = platform::RegistryReadNumber(key, valueName, &number) == 0
                           ? std::to_string(static_cast<std::int32_t>(number))
                           : std::string("0");
    }
    return EndRegistryCall(r, key, status);
}

int RegSetValue(RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                const std::string& value, int type, const std::string& computer) {
    Root r;
    RegistryHandle key = 0;
    int status = Connect(root, computer, &r);
    if (status == 0) status = platform::RegistryOpenKey(r.handle, StripLeadingBackslash(keyPath), &key);
    if (status == 0 && type == static_cast<int>(platform::kRegistryText)) {
        status = platform::RegistryWriteText(key, valueName, value);
    } else if (status == 0 && type == static_cast<int>(platform::kRegistryNumber)) {
        status = platform::RegistryWriteNumber(key, valueName,
                                               static_cast<std::uint32_t>(ParseLeadingInteger(value)));
    }
    return EndRegistryCall(r, key, status);
}
