#include "platform/RegistryTree.h"

#include <algorithm>

namespace zentaro::platform {

namespace {

char FoldAscii(char c) noexcept {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool LessIgnoringCase(std::string_view a, std::string_view b) noexcept {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(FoldAscii(x)) < static_cast<unsigned char>(FoldAscii(y));
    });
}

// First sub-key whose name is not less than `name`.
template <class Nodes>
auto LowerBound(Nodes& nodes, std::string_view name) {
    return std::lower_bound(nodes.begin(), nodes.end(), name,
                            [](const TRegistryNode& node, std::string_view key) {
                                return LessIgnoringCase(node.Name, key);
                            });
}

template <class Values>
auto FindNamed(Values& values, std::string_view name) {
    return std::find_if(values.begin(), values.end(), [name](const TRegistryNamedValue& value) {
        return SameRegistryName(value.Name, name);
    });
}

} // namespace

TRegistryValue TRegistryValue::FromString(std::string text) {
    TRegistryValue value;
    value.Type = TRegistryType::String;
    value.Text = std::move(text);
    return value;
}

TRegistryValue TRegistryValue::FromExpandString(std::string text) {
    TRegistryValue value;
    value.Type = TRegistryType::ExpandString;
    value.Text = std::move(text);
    return value;
}

TRegistryValue TRegistryValue::FromInteger(std::uint32_t integer) {
    TRegistryValue value;
    value.Type = TRegistryType::Integer;
    value.Integer = integer;
    return value;
}

TRegistryValue TRegistryValue::FromBinary(std::vector<std::uint8_t> bytes) {
    TRegistryValue value;
    value.Type = TRegistryType::Binary;
    value.Bytes = std::move(bytes);
    return value;
}

bool SameRegistryName(std::string_view a, std::string_view b) noexcept {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return FoldAscii(x) == FoldAscii(y);
           });
}

TRegistryNode* TRegistryNode::FindSubKey(std::string_view name) {
    auto it = LowerBound(SubKeys, name);
    return it != SubKeys.end() && SameRegistryName(it->Name, name) ? &*it : nullptr;
}

const TRegistryNode* TRegistryNode::FindSubKey(std::string_view name) const {
    auto it = LowerBound(SubKeys, name);
    return it != SubKeys.end() && SameRegistryName(it->Name, name) ? &*it : nullptr;
}

TRegistryNode& TRegistryNode::SubKey(std::string_view name) {
    auto it = LowerBound(SubKeys, name);
    if (it != SubKeys.end() && SameRegistryName(it->Name, name))
        return *it;
    TRegistryNode node;
    node.Name = std::string(name);
    return *SubKeys.insert(it, std::move(node));
}

bool TRegistryNode::RemoveSubKey(std::string_view name) {
    auto it = LowerBound(SubKeys, name);
    if (it == SubKeys.end() || !SameRegistryName(it->Name, name))
        return false;
    SubKeys.erase(it);
    return true;
}

const TRegistryValue* TRegistryNode::FindValue(std::string_view name) const {
    auto it = FindNamed(Values, name);
    return it != Values.end() ? &it->Value : nullptr;
}

void TRegistryNode::SetValue(std::string_view name, const TRegistryValue& value) {
    auto it = FindNamed(Values, name);
    if (it != Values.end())
        it->Value = value;
    else
        Values.push_back({std::string(name), value});
}

bool TRegistryNode::RemoveValue(std::string_view name) {
    auto it = FindNamed(Values, name);
    if (it == Values.end())
        return false;
    Values.erase(it);
    return true;
}

TRegistryNode* TRegistryNode::Find(const std::vector<std::string>& path) {
    TRegistryNode* node = this;
    for (const std::string& name : path) {
        node = node->FindSubKey(name);
        if (!node)
            return nullptr;
    }
    return node;
}

const TRegistryNode* TRegistryNode::Find(const std::vector<std::string>& path) const {
    return const_cast<TRegistryNode*>(this)->Find(path);
}

} // namespace zentaro::platform
