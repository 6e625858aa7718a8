#include "host/model/HandlerKinds.h"

#include "runtime/VexScript.h"

#include <array>
#include <cstdint>

namespace vex::host {

namespace {

constexpr std::array<std::string_view, kHandlerKindCount + 1> kNames = {
    "",
#define VEX_HANDLER_NAME(value, name) #name,
    VEX_HANDLER_KINDS(VEX_HANDLER_NAME)
#undef VEX_HANDLER_NAME
};

// A name's length with its third and last byte, ASCII case folded: no two kinds share it, so a
// name is compared in full with the one kind whose key it matches.
constexpr std::uint32_t KeyOf(std::string_view name) noexcept {
    if (name.size() < 3) {
        return 0;
    }
    const auto fold = [](char c) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(c) | 0x20);
    };
    return static_cast<std::uint32_t>(name.size()) | fold(name[2]) << 8 | fold(name.back()) << 16;
}

constexpr std::array<std::uint32_t, kHandlerKindCount + 1> MakeKeys() noexcept {
    std::array<std::uint32_t, kHandlerKindCount + 1> keys{};
    for (std::size_t kind = 1; kind < keys.size(); ++kind) {
        keys[kind] = KeyOf(kNames[kind]);
    }
    return keys;
}

constexpr std::array<std::uint32_t, kHandlerKindCount + 1> kKeys = MakeKeys();

constexpr bool KeysAreDistinct() noexcept {
    for (std::size_t a = 1; a < kKeys.size(); ++a) {
        for (std::size_t b = a + 1; b < kKeys.size(); ++b) {
            if (kKeys[a] == kKeys[b]) {
                return false;
            }
        }
    }
    return true;
}
static_assert(KeysAreDistinct(), "two handler kinds share a key");

} // namespace

std::string_view HandlerKindName(int kind) noexcept {
    return kind >= 1 && kind <= kHandlerKindCount ? kNames[static_cast<std::size_t>(kind)]
                                                  : std::string_view{};
}

int HandlerKindByName(std::string_view name) noexcept {
    const std::uint32_t key = KeyOf(name);
    for (std::size_t kind = 1; kind < kKeys.size(); ++kind) {
        if (kKeys[kind] == key) {
            return SameText(kNames[kind], name) ? static_cast<int>(kind) : 0;
        }
    }
    return 0;
}

} // namespace vex::host
