#pragma once

#include "platform/CodePage.h"
#include "runtime/VexScript.h"

#include <QString>

#include <string>
#include <string_view>

// How the debugger window shows the runtime's values in its cells and boxes.

// A number in the runtime's general format.
inline QString NumberText(double value) {
    return QString::fromStdString(vex::FormatNumber(value));
}

// An atom name as a cell shows it: its first 244 characters, and nothing for a name with a NUL
// byte in it, which no name typed or read from a file holds.
inline QString AtomNameCell(const std::string& name) {
    constexpr qsizetype kNameCharacters = 244;
    if (name.find('\0') != std::string::npos)
        return {};
    return fromScriptText(name).left(kNameCharacters);
}
