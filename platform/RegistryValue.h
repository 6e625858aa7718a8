#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zentaro::platform {

// The type of a registry value, numbered as the .reg format numbers them ("hex(2):" is an
// expandable string). Other numbers can occur in a file written elsewhere; such values keep
// their bytes and their number and are copied as they are.
enum class TRegistryType : std::uint32_t {
    String = 1,
    ExpandString = 2,
    Binary = 3,
    Integer = 4,
};

// One registry value. Which field holds the data follows from the type: Text for the two string
// types (UTF-8), Integer for 32-bit integers, Bytes for binary data and for every other type.
struct TRegistryValue {
    TRegistryType Type = TRegistryType::String;
    std::string Text;
    std::uint32_t Integer = 0;
    std::vector<std::uint8_t> Bytes;

    static TRegistryValue FromString(std::string text);
    static TRegistryValue FromExpandString(std::string text);
    static TRegistryValue FromInteger(std::uint32_t integer);
    static TRegistryValue FromBinary(std::vector<std::uint8_t> bytes);

    bool IsText() const noexcept {
        return Type == TRegistryType::String || Type == TRegistryType::ExpandString;
    }
    bool operator==(const TRegistryValue&) const = default;
};

// A value with its name; the empty name is the key's default value.
struct TRegistryNamedValue {
    std::string Name;
    TRegistryValue Value;

    bool operator==(const TRegistryNamedValue&) const = default;
};

} // namespace zentaro::platform
