#pragma once

#include "platform/RegistryValue.h"

#include <string>
#include <string_view>
#include <vector>

namespace zentaro::platform {

// True when two key or value names are equal apart from the case of ASCII letters, which is how
// the registry compares names.
bool SameRegistryName(std::string_view a, std::string_view b) noexcept;

// One key of the in-memory hive: its values in the order they were first set, and its sub-keys
// sorted by name ignoring ASCII case (the order in which they are enumerated). A name keeps the
// spelling it was created with.
struct TRegistryNode {
    std::string Name;
    std::vector<TRegistryNamedValue> Values;
    std::vector<TRegistryNode> SubKeys;

    TRegistryNode* FindSubKey(std::string_view name);
    const TRegistryNode* FindSubKey(std::string_view name) const;
    // The sub-key of that name, created when missing.
    TRegistryNode& SubKey(std::string_view name);
    // Removes the sub-key with everything below it; false when there is none.
    bool RemoveSubKey(std::string_view name);

    const TRegistryValue* FindValue(std::string_view name) const;
    // Replaces the value of that name in place, or appends it.
    void SetValue(std::string_view name, const TRegistryValue& value);
    // False when there is no value of that name.
    bool RemoveValue(std::string_view name);

    // Follows a path of sub-key names; none when one of them is missing.
    TRegistryNode* Find(const std::vector<std::string>& path);
    const TRegistryNode* Find(const std::vector<std::string>& path) const;

    bool operator==(const TRegistryNode&) const = default;
};

} // namespace zentaro::platform
