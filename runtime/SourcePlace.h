#pragma once

#include <string>

namespace vex {

// Where a text that is compiled lies in its file: the file's name and the line and column (from
// 1) of its first character. A statement of a script file starts at column 1 of its line; the
// body of a word or a handler written as a text constant starts after the constant's '['.
struct TSourceOrigin {
    std::string File;
    // 0 when the text lies in no file: its nodes then have no place.
    int Line = 0;
    int Column = 1;
    // The text as it stands in the file when the compiled text differs from it: a text
    // constant's content keeps its line feeds there, which the text it gives has lost (and its
    // tabs, which became blanks). Empty when the compiled text is the file's own.
    std::string Written;

    // The origin of a text that lies in no file.
    static const TSourceOrigin& None() {
        static const TSourceOrigin none;
        return none;
    }
};

// The place of a node's text in its file. Line 0 when it is not known.
struct TSourcePlace {
    std::string File;
    int Line = 0;
    int Column = 0;

    bool Known() const noexcept { return Line > 0; }
};

} // namespace vex
