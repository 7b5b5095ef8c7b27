#include "tests/support/fake_registry.h"

#include <algorithm>

namespace fake {

namespace {

constexpr int kFileNotFound = 2;
constexpr int kAccessDenied = 5;
constexpr int kInvalidHandle = 6;
constexpr int kBadNetPath = 53;
constexpr platform::RegistryHandle kLocalRoot = 1;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerText(const std::string& s) {
    std::string out = s;
    std::transform(out.begin(), out.end(), out.begin(), Lower);
    return out;
}

RegistryTree* TreeOf(const std::string& computer) {
    if (computer.empty()) return &registry.local;
    auto it = registry.computers.find(computer);
    return it == registry.computers.end() ? nullptr : &it->second;
}

const RegistryState::Handle* Find(platform::RegistryHandle h) {
    if (h == kLocalRoot) {
        static const RegistryState::Handle root;
        return &root;
    }
    auto it = registry.handles.find(h);
    return it == registry.handles.end() ? nullptr : &it->second;
}

std::string Join(const std::string& parent, const std::string& path) {
    if (parent.empty()) return path;
    if (path.empty()) return parent;
    return parent + "\\" + path;
}

platform::RegistryHandle NewHandle(const std::string& computer, const std::string& path) {
    platform::RegistryHandle h = registry.nextHandle++;
    registry.handles[h] = RegistryState::Handle{computer, path};
    return h;
}

// The key a handle stands for; the root has no key of its own.
RegistryKey* KeyOf(platform::RegistryHandle h) {
    const RegistryState::Handle* handle = Find(h);
    if (!handle || handle->path.empty()) return nullptr;
    RegistryTree* tree = TreeOf(handle->computer);
    if (!tree) return nullptr;
    auto it = tree->find(handle->path);
    return it == tree->end() ? nullptr : &it->second;
}

bool HasSubkeys(const RegistryTree& tree, const std::string& path) {
    const std::string prefix = LowerText(path) + "\\";
    return std::any_of(tree.begin(), tree.end(),
                       [&](const auto& entry) { return LowerText(entry.first).starts_with(prefix); });
}

}  // namespace

bool CaseLess::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

RegistryState registry;

void ResetRegistry() { registry = RegistryState{}; }

int OpenRegistryHandles() { return static_cast<int>(registry.handles.size()); }

void SetRegistryText(const std::string& path, const std::string& name, const std::string& text) {
    registry.local[path].values[name] = RegistryValue{platform::kRegistryText, text, 0};
}

void SetRegistryNumber(const std::string& path, const std::string& name, std::uint32_t number) {
    registry.local[path].values[name] = RegistryValue{platform::kRegistryNumber, {}, number};
}

const RegistryValue* FindRegistryValue(const std::string& path, const std::string& name) {
    auto key = registry.local.find(path);
    if (key == registry.local.end()) return nullptr;
    auto value = key->second.values.find(name);
    return value == key->second.values.end() ? nullptr : &value->second;
}

}  // namespace fake

using fake::registry;

namespace platform {

int RegistryConnect(RegistryRoot, const std::string& computer, RegistryHandle* handle) {
    *handle = 0;
    if (computer.empty()) {
        *handle = fake::kLocalRoot;
        return 0;
    }
    if (!fake::TreeOf(computer)) return fake::kBadNetPath;
    *handle = fake::NewHandle(computer, {});
    return 0;
}

int RegistryOpenKey(RegistryHandle parent, const std::string& path, RegistryHandle* key) {
    *key = 0;
    const auto* p = fake::Find(parent);
    if (!p || !fake::TreeOf(p->computer)) return fake::kInvalidHandle;
    fake::RegistryTree* tree = fake::TreeOf(p->computer);
    const std::string full = fake::Join(p->path, path);
    auto it = tree->find(full);
    if (it == tree->end()) return fake::kFileNotFound;
    if (it->second.denyFullAccess) return fake::kAccessDenied;
    *key = fake::NewHandle(p->computer, it->first);
    return 0;
}

int RegistryCreateKey(RegistryHandle parent, const std::string& path, RegistryHandle* key) {
    *key = 0;
    const auto* p = fake::Find(parent);
    if (!p || !fake::TreeOf(p->computer)) return fake::kInvalidHandle;
    const std::string computer = p->computer;
    fake::RegistryTree* tree = fake::TreeOf(computer);
    const std::string full = fake::Join(p->path, path);
    if (auto it = tree->find(full); it != tree->end() && it->second.denyFullAccess) return fake::kAccessDenied;
    // Like the real registry, creating a key creates the keys above it.
    for (std::size_t pos = full.find('\\'); pos != std::string::npos; pos = full.find('\\', pos + 1)) {
        (*tree)[full.substr(0, pos)];
    }
    (*tree)[full];
    *key = fake::NewHandle(computer, tree->find(full)->first);
    return 0;
}

int RegistryDeleteKey(RegistryHandle parent, const std::string& path) {
    const auto* p = fake::Find(parent);
    if (!p || !fake::TreeOf(p->computer)) return fake::kInvalidHandle;
    fake::RegistryTree* tree = fake::TreeOf(p->computer);
    auto it = tree->find(fake::Join(p->path, path));
    if (it == tree->end()) return fake::kFileNotFound;
    if (fake::HasSubkeys(*tree, it->first)) return fake::kAccessDenied;
    tree->erase(it);
    return 0;
}

namespace {

// The named value of an open key, or the status code that says why there is none.
int FindValue(RegistryHandle key, const std::string& name, bool reading, const fake::RegistryValue** value) {
    fake::RegistryKey* k = fake::KeyOf(key);
    if (!k) return fake::kInvalidHandle;
    if (reading && registry.readError != 0) return registry.readError;
    auto it = k->values.find(name);
    if (it == k->values.end()) return fake::kFileNotFound;
    *value = &it->second;
    return 0;
}

}  // namespace

int RegistryQueryValue(RegistryHandle key, const std::string& name, std::uint32_t* type) {
    const fake::RegistryValue* value = nullptr;
    const int status = FindValue(key, name, false, &value);
    if (status == 0) *type = value->type;
    return status;
}

int RegistryReadText(RegistryHandle key, const std::string& name, std::string* text) {
    const fake::RegistryValue* value = nullptr;
    const int status = FindValue(key, name, true, &value);
    if (status == 0) *text = value->text.substr(0, value->text.find('\0'));
    return status;
}

int RegistryReadNumber(RegistryHandle key, const std::string& name, std::uint32_t* number) {
    const fake::RegistryValue* value = nullptr;
    const int status = FindValue(key, name, true, &value);
    if (status == 0) *number = value->number;
    return status;
}

int RegistryWriteText(RegistryHandle key, const std::string& name, const std::string& text) {
    fake::RegistryKey* k = fake::KeyOf(key);
    if (!k) return fake::kInvalidHandle;
    if (registry.writeError != 0) return registry.writeError;
    k->values[name] = fake::RegistryValue{kRegistryText, text, 0};
    ++registry.valueWrites;
    return 0;
}

int RegistryWriteNumber(RegistryHandle key, const std::string& name, std::uint32_t number) {
    fake::RegistryKey* k = fake::KeyOf(key);
    if (!k) return fake::kInvalidHandle;
    if (registry.writeError != 0) return registry.writeError;
    k->values[name] = fake::RegistryValue{kRegistryNumber, {}, number};
    ++registry.valueWrites;
    return 0;
}

void RegistryClose(RegistryHandle handle) {
    if (handle == fake::kLocalRoot) ++registry.rootCloses;
    registry.handles.erase(handle);
}

}  // namespace platform
