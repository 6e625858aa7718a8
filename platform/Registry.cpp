#include "platform/Registry.h"

#include "platform/RegistryFile.h"

#include <mutex>
#include <optional>

namespace zentaro::platform {

namespace {

constexpr std::size_t MaxKeyNameLength = 255;
constexpr std::size_t MaxValueNameLength = 16383;

std::mutex OverrideMutex;
std::optional<std::vector<std::string>> CurrentUserOverride;

bool HasControlCharacter(std::string_view name) {
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20)
            return true;
    return false;
}

// Splits "a\b\c" into its names; false for an empty or over-long name or a control character.
bool SplitPath(std::string_view path, std::vector<std::string>& names) {
    while (!path.empty()) {
        const std::size_t cut = std::min(path.find('\\'), path.size());
        const std::string_view name = path.substr(0, cut);
        if (name.empty() || name.size() > MaxKeyNameLength || HasControlCharacter(name))
            return false;
        names.emplace_back(name);
        path.remove_prefix(cut);
        if (!path.empty()) {
            path.remove_prefix(1);
            if (path.empty())
                return false;
        }
    }
    return true;
}

bool IsValidValueName(std::string_view name) {
    return name.size() <= MaxValueNameLength && !HasControlCharacter(name) && IsValidUtf8(name);
}

TRegistryStore& Store() {
    return TRegistryStore::Instance();
}

bool KeyExists(const std::vector<std::string>& path) {
    bool exists = false;
    Store().Read([&](const TRegistryNode& root) { exists = root.Find(path) != nullptr; });
    return exists;
}

} // namespace

TRegistryKey TRegistryKey::CurrentUser() {
    TRegistryKey key;
    key.m_open = true;
    key.m_isCurrentUser = true;
    return key;
}

TRegistryStatus TRegistryKey::OverrideCurrentUser(const TRegistryKey& key) {
    if (!key.m_open)
        return TRegistryStatus::NotFound;
    std::vector<std::string> path = key.Resolve();
    if (!KeyExists(path))
        return TRegistryStatus::NotFound;
    std::lock_guard lock(OverrideMutex);
    CurrentUserOverride = std::move(path);
    return TRegistryStatus::Success;
}

void TRegistryKey::EndCurrentUserOverride() {
    std::lock_guard lock(OverrideMutex);
    CurrentUserOverride.reset();
}

std::vector<std::string> TRegistryKey::Resolve() const {
    if (!m_isCurrentUser)
        return m_path;
    std::lock_guard lock(OverrideMutex);
    return CurrentUserOverride.value_or(std::vector<std::string>());
}

std::string TRegistryKey::Path() const {
    std::string text;
    for (const std::string& name : Resolve())
        text += (text.empty() ? "" : "\\") + name;
    return text;
}

TRegistryStatus TRegistryKey::OpenKey(std::string_view subKey, TRegistryKey& key) const {
    if (!m_open)
        return TRegistryStatus::NotFound;
    std::vector<std::string> path = Resolve();
    if (!SplitPath(subKey, path))
        return TRegistryStatus::InvalidName;
    if (!KeyExists(path))
        return TRegistryStatus::NotFound;
    key = TRegistryKey();
    key.m_open = true;
    key.m_path = std::move(path);
    return TRegistryStatus::Success;
}

TRegistryStatus TRegistryKey::CreateKey(std::string_view subKey, TRegistryKey& key) const {
    if (!m_open)
        return TRegistryStatus::NotFound;
    const std::vector<std::string> base = Resolve();
    std::vector<std::string> names;
    if (!SplitPath(subKey, names))
        return TRegistryStatus::InvalidName;
    const TRegistryStatus status = Store().Write([&](TRegistryNode& root) {
        TRegistryNode* node = root.Find(base);
        if (!node)
            return TRegistryStatus::NotFound;
        for (const std::string& name : names)
            node = &node->SubKey(name);
        return TRegistryStatus::Success;
    });
    if (status != TRegistryStatus::Success)
        return status;
    key = TRegistryKey();
    key.m_open = true;
    key.m_path = base;
    key.m_path.insert(key.m_path.end(), names.begin(), names.end());
    return status;
}

TRegistryStatus TRegistryKey::QueryValue(std::string_view name, TRegistryValue& value) const {
    if (!m_open)
        return TRegistryStatus::NotFound;
    const std::vector<std::string> path = Resolve();
    TRegistryStatus status = TRegistryStatus::NotFound;
    Store().Read([&](const TRegistryNode& root) {
        const TRegistryNode* node = root.Find(path);
        const TRegistryValue* found = node ? node->FindValue(name) : nullptr;
        if (found) {
            value = *found;
            status = TRegistryStatus::Success;
        }
    });
    return status;
}

TRegistryStatus TRegistryKey::SetValue(std::string_view name, const TRegistryValue& value) const {
    if (!m_open)
        return TRegistryStatus::NotFound;
    if (!IsValidValueName(name))
        return TRegistryStatus::InvalidName;
    if (value.IsText() && !IsValidUtf8(value.Text))
        return TRegistryStatus::InvalidValue;
    const std::vector<std::string> path = Resolve();
    return Store().Write([&](TRegistryNode& root) {
        TRegistryNode* node = root.Find(path);
        if (!node)
            return TRegistryStatus::NotFound;
        node->SetValue(name, value);
        return TRegistryStatus::Success;
    });
}

TRegistryStatus TRegistryKey::DeleteValue(std::string_view name) const {
    if (!m_open)
        return TRegistryStatus::NotFound;
    const std::vector<std::string> path = Resolve();
    return Store().Write([&](TRegistryNode& root) {
        TRegistryNode* node = root.Find(path);
        return node && node->RemoveValue(name) ? TRegistryStatus::Success
                                               : TRegistryStatus::NotFound;
    });
}

TRegistryStatus TRegistryKey::EnumKey(int index, std::string& name) const {
    if (!m_open)
        return TRegistryStatus::NotFound;
    const std::vector<std::string> path = Resolve();
    TRegistryStatus status = TRegistryStatus::NotFound;
    Store().Read([&](const TRegistryNode& root) {
        const TRegistryNode* node = root.Find(path);
        if (!node)
            return;
        if (index < 0 || static_cast<std::size_t>(index) >= node->SubKeys.size()) {
            status = TRegistryStatus::NoMoreItems;
            return;
        }
        name = node->SubKeys[static_cast<std::size_t>(index)].Name;
        status = TRegistryStatus::Success;
    });
    return status;
}

TRegistryStatus TRegistryKey::EnumValue(int index, std::string& name, TRegistryValue& value) const {
    if (!m_open)
        return TRegistryStatus::NotFound;
    const std::vector<std::string> path = Resolve();
    TRegistryStatus status = TRegistryStatus::NotFound;
    Store().Read([&](const TRegistryNode& root) {
        const TRegistryNode* node = root.Find(path);
        if (!node)
            return;
        if (index < 0 || static_cast<std::size_t>(index) >= node->Values.size()) {
            status = TRegistryStatus::NoMoreItems;
            return;
        }
        const TRegistryNamedValue& named = node->Values[static_cast<std::size_t>(index)];
        name = named.Name;
        value = named.Value;
        status = TRegistryStatus::Success;
    });
    return status;
}

TRegistryStatus TRegistryKey::DeleteTree(std::string_view subKey) const {
    if (!m_open)
        return TRegistryStatus::NotFound;
    std::vector<std::string> path = Resolve();
    const std::size_t baseLength = path.size();
    if (!SplitPath(subKey, path))
        return TRegistryStatus::InvalidName;
    return Store().Write([&](TRegistryNode& root) {
        if (path.size() == baseLength) {
            TRegistryNode* node = root.Find(path);
            if (!node)
                return TRegistryStatus::NotFound;
            node->Values.clear();
            node->SubKeys.clear();
            return TRegistryStatus::Success;
        }
        const std::vector<std::string> parentPath(path.begin(), path.end() - 1);
        TRegistryNode* parent = root.Find(parentPath);
        return parent && parent->RemoveSubKey(path.back()) ? TRegistryStatus::Success
                                                           : TRegistryStatus::NotFound;
    });
}

} // namespace zentaro::platform
