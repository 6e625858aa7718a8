#pragma once

#include <cstdint>
#include <string_view>

namespace vex::host {

// The fifteen kinds of event-handler code an atom can carry, with the number the run loop puts
// into the context's code kind (Stack.CodeKind) while the handler runs. This list is the one
// source of the numbers and names; everything else expands it.
#define VEX_HANDLER_KINDS(X)                                                                       \
    X(1, OnEvent)                                                                                  \
    X(2, OnEntry)                                                                                  \
    X(3, OnEntered)                                                                                \
    X(4, OnExit)                                                                                   \
    X(5, OnExited)                                                                                 \
    X(6, OnCreation)                                                                               \
    X(7, OnDestruction)                                                                            \
    X(8, OnReset)                                                                                  \
    X(9, OnUser)                                                                                   \
    X(10, OnOcReady)                                                                               \
    X(11, OnIcReady)                                                                               \
    X(12, On2DDraw)                                                                                \
    X(13, On3DDraw)                                                                                \
    X(14, OnMessage)                                                                               \
    X(15, OnInit)

enum class THandlerKind : std::uint8_t {
#define VEX_HANDLER_ENUM(value, name) name = value,
    VEX_HANDLER_KINDS(VEX_HANDLER_ENUM)
#undef VEX_HANDLER_ENUM
};

inline constexpr int kHandlerKindCount = 15;

// The name of a kind ("OnEvent" for 1), or empty outside 1 to 15.
std::string_view HandlerKindName(int kind) noexcept;
// The kind of a name, ignoring the case of ASCII letters, or 0 when no kind has that name.
int HandlerKindByName(std::string_view name) noexcept;

} // namespace vex::host
