#pragma once

#include "runtime/CompiledCode.h"

#include <cstdint>
#include <string>

namespace vex {

// The syntax record of a word: its argument range, its documentation and, for a user-defined
// word, its body.
struct TSyntax {
    std::uint8_t MinArgs = 0;
    std::uint8_t MaxArgs = 0;
    // A byte the registering code keeps with the word: stored and released with the record, never
    // read by the runtime.
    std::uint8_t OpaqueFlags = 0;
    // Shown by the word overview.
    std::uint8_t UpdateFlag = 0;
    // The help text and an example, shown by the word overview and the word reference.
    std::string HelpText;
    std::string Example;
    // Nonzero when the word is shown in the word overview and coloured as a word by the editor.
    std::uint8_t Listed = 1;
    // The body of a user-defined word; empty for built-in words.
    TExpression Code;
    // Calls of the body that are running. A record replaced while its body runs is retired
    // instead of released, and released when its last call ends.
    int ActiveCalls = 0;
    // Set when the record was replaced while calls of its body were running.
    bool Retired = false;
    // Set for a user-defined word the parser registered early, by name and argument counts,
    // until its definition runs and gives it a body: calling it meanwhile is an error.
    bool Provisional = false;
};

} // namespace vex
