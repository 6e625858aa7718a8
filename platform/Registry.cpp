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

using TNodeReader = std::function<TRegistryStatus(const TRegistryNode& node)>;

// Hands the node at `path` to `read` under the store's lock; NotFound, without calling it, when
// there is no such key.
TRegistryStatus ReadNodeAt(const std::vector<std::string>& path, const TNodeReader& read) {
    TRegistryStatus status = TRegistryStatus::NotFound;
    Store().Read([&](const TRegistryNode& root) {
        if (const TRegistryNode* node = root.Find(path))
            status = read(*node);
    });
    return status;
}

// Hands the node at `path` to `change` under the file lock; NotFound, without calling it, when
// there is no such key.
TRegistryStatus ChangeNodeAt(const std::vector<std::string>& path,
                             const TRegistryStore::TChange& change) {
    return Store().Write([&](TRegistryNode& root) {
        TRegistryNode* node = root.Find(path);
        return node ? change(*node) : TRegistryStatus::NotFound;
    });
}

bool KeyExists(const std::vector<std::string>& path) {
    return ReadNodeAt(path, [](const TRegistryNode&) { return TRegistryStatus::Success; }) ==
           TRegistryStatus::Success;
}

// The item at an index of a key's sub-keys or values; none below 0 or past the last.
template <class TItem>
const TItem* ItemAt(const std::vector<TItem>& items, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= items.size())
        return nullptr;
    return &items[static_cast<std::size_t>(index)];
}

} // namespace

TRegistryKey TRegistryKey::CurrentUser() {
    TRegistryKey key;
    key.m_open = true;
    key.m_isCurrentUser = true;
    return key;
}

TRegistryStatus TRegistryKey::OverrideCurrentUser(const TRegistryKey& key) {
    std::vector<std::string> path;
    const TRegistryStatus status = key.ExistingSubKeyPath({}, path);
    if (status != TRegistryStatus::Success)
        return status;
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

TRegistryStatus TRegistryKey::SubKeyPath(std::string_view subKey,
                                         std::vector<std::string>& path) const {
    if (!m_open)
        return TRegistryStatus::NotFound;
    path = Resolve();
    return SplitPath(subKey, path) ? TRegistryStatus::Success : TRegistryStatus::InvalidName;
}

TRegistryStatus TRegistryKey::ExistingSubKeyPath(std::string_view subKey,
                                                 std::vector<std::string>& path) const {
    const TRegistryStatus status = SubKeyPath(subKey, path);
    if (status == TRegistryStatus::Success && !KeyExists(path))
        return TRegistryStatus::NotFound;
    return status;
}

TRegistryStatus TRegistryKey::ReadNode(const TNodeReader& read) const {
    std::vector<std::string> path;
    const TRegistryStatus status = SubKeyPath({}, path);
    return status == TRegistryStatus::Success ? ReadNodeAt(path, read) : status;
}

TRegistryStatus TRegistryKey::ChangeNode(const TRegistryStore::TChange& change,
                                         TRegistryStatus arguments) const {
    std::vector<std::string> path;
    TRegistryStatus status = SubKeyPath({}, path);
    if (status == TRegistryStatus::Success)
        status = arguments;
    return status == TRegistryStatus::Success ? ChangeNodeAt(path, change) : status;
}

TRegistryKey TRegistryKey::Opened(std::vector<std::string> path) {
    TRegistryKey key;
    key.m_open = true;
    key.m_path = std::move(path);
    return key;
}

TRegistryStatus TRegistryKey::OpenKey(std::string_view subKey, TRegistryKey& key) const {
    std::vector<std::string> path;
    const TRegistryStatus status = ExistingSubKeyPath(subKey, path);
    if (status == TRegistryStatus::Success)
        key = Opened(std::move(path));
    return status;
}

// The keys above the new one must exist up to this key; from there down they are created.
TRegistryStatus TRegistryKey::CreateKey(std::string_view subKey, TRegistryKey& key) const {
    std::vector<std::string> path;
    TRegistryStatus status = SubKeyPath({}, path);
    std::vector<std::string> names;
    if (status == TRegistryStatus::Success && !SplitPath(subKey, names))
        status = TRegistryStatus::InvalidName;
    if (status != TRegistryStatus::Success)
        return status;
    status = ChangeNodeAt(path, [&](TRegistryNode& node) {
        TRegistryNode* below = &node;
        for (const std::string& name : names)
            below = &below->SubKey(name);
        return TRegistryStatus::Success;
    });
    if (status == TRegistryStatus::Success) {
        path.insert(path.end(), names.begin(), names.end());
        key = Opened(std::move(path));
    }
    return status;
}

TRegistryStatus TRegistryKey::QueryValue(std::string_view name, TRegistryValue& value) const {
    return ReadNode([&](const TRegistryNode& node) {
        const TRegistryValue* found = node.FindValue(name);
        if (!found)
            return TRegistryStatus::NotFound;
        value = *found;
        return TRegistryStatus::Success;
    });
}

TRegistryStatus TRegistryKey::SetValue(std::string_view name, const TRegistryValue& value) const {
    TRegistryStatus arguments = TRegistryStatus::Success;
    if (!IsValidValueName(name))
        arguments = TRegistryStatus::InvalidName;
    else if (value.IsText() && !IsValidUtf8(value.Text))
        arguments = TRegistryStatus::InvalidValue;
    return ChangeNode(
        [&](TRegistryNode& node) {
            node.SetValue(name, value);
            return TRegistryStatus::Success;
        },
        arguments);
}

TRegistryStatus TRegistryKey::DeleteValue(std::string_view name) const {
    return ChangeNode([&](TRegistryNode& node) {
        return node.RemoveValue(name) ? TRegistryStatus::Success : TRegistryStatus::NotFound;
    });
}

TRegistryStatus TRegistryKey::EnumKey(int index, std::string& name) const {
    return ReadNode([&](const TRegistryNode& node) {
        const TRegistryNode* subKey = ItemAt(node.SubKeys, index);
        if (!subKey)
            return TRegistryStatus::NoMoreItems;
        name = subKey->Name;
        return TRegistryStatus::Success;
    });
}

TRegistryStatus TRegistryKey::EnumValue(int index, std::string& name, TRegistryValue& value) const {
    return ReadNode([&](const TRegistryNode& node) {
        const TRegistryNamedValue* named = ItemAt(node.Values, index);
        if (!named)
            return TRegistryStatus::NoMoreItems;
        name = named->Name;
        value = named->Value;
        return TRegistryStatus::Success;
    });
}

// The sub-key is removed from its parent; an empty path empties this key instead.
TRegistryStatus TRegistryKey::DeleteTree(std::string_view subKey) const {
    std::vector<std::string> path;
    const TRegistryStatus status = SubKeyPath(subKey, path);
    if (status != TRegistryStatus::Success)
        return status;
    if (subKey.empty())
        return ChangeNodeAt(path, [](TRegistryNode& node) {
            node.Values.clear();
            node.SubKeys.clear();
            return TRegistryStatus::Success;
        });
    const std::string name = path.back();
    path.pop_back();
    return ChangeNodeAt(path, [&](TRegistryNode& parent) {
        return parent.RemoveSubKey(name) ? TRegistryStatus::Success : TRegistryStatus::NotFound;
    });
}

} // namespace zentaro::platform
