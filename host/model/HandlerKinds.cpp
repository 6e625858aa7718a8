#include "host/model/HandlerKinds.h"

#include "runtime/VexScript.h"

#include <array>

namespace vex::host {

namespace {

constexpr std::array<std::string_view, kHandlerKindCount + 1> kNames = {
    "",
#define VEX_HANDLER_NAME(value, name) #name,
    VEX_HANDLER_KINDS(VEX_HANDLER_NAME)
#undef VEX_HANDLER_NAME
};

} // namespace

std::string_view HandlerKindName(int kind) noexcept {
    return kind >= 1 && kind <= kHandlerKindCount ? kNames[static_cast<std::size_t>(kind)]
                                                  : std::string_view{};
}

int HandlerKindByName(std::string_view name) noexcept {
    for (int kind = 1; kind <= kHandlerKindCount; ++kind) {
        if (SameText(kNames[static_cast<std::size_t>(kind)], name)) {
            return kind;
        }
    }
    return 0;
}

} // namespace vex::host
