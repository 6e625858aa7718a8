#pragma once

// The word numbers the runtime itself acts on. The host's built-in set gives these numbers to
// these words, and its word tables name them by these constants, so runtime and host read one
// list.

namespace vex {

// Words 1 to 1667 are built in; user-defined words are numbered from 1668 on.
inline constexpr int kBuiltInWordCount = 1667;
// The largest word number a code tree can hold (a node keeps it in 16 bits).
inline constexpr int kMaxWordNumber = 65535;

enum TFixedWordNumber : int {
    // The user-word definition word: registered early while its text is parsed.
    wnDefineWord = 75,
    // A group of 19 words whose runtime errors are reported with a fixed text instead of their
    // own message.
    wnErrorGroupFirst = 372,
    wnErrorGroupLast = 390,
    // Targets of bare names: a named attribute of the current object, a stored entry of the
    // current GUI instance.
    wnNamedAtt = 648,
    wnGuiInstance = 869,
    // Declarations acted on while parsing: globals, a local of a computed kind, and locals of
    // the kinds text, number, reference and interface.
    wnDeclareGlobal = 908,
    wnLocal = 1343,
    wnGlobal = 1344,
    wnLocalText = 1410,
    wnLocalNum = 1411,
    wnLocalObj = 1412,
    wnLocalIntf = 1413,
};

} // namespace vex
