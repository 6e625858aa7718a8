#pragma once

#include "platform/RegistryTree.h"

#include <string>
#include <string_view>

namespace zentaro::platform {

// The text form of the current-user hive: the .reg export format.
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Velmark Zentaro\Zentaro\8.0\General]
//   "Application Language"=dword:00000007
//   "Title"="Zentaro \"8\""
//   @="the key's default value"
//   "Path"=hex(2):25,00,48,00,4f,00,4d,00,45,00,25,00,00,00
//   "Raw"=hex:01,02,ff
//
// Strings are written in quotes (backslash and quote escaped), or as hex(1) when they hold a
// control character; expandable strings as hex(2); both hex forms carry UTF-16LE with a closing
// zero, as on Windows. Long hex data continues on the next line after a trailing backslash.
// The file is UTF-8 with LF line ends; a file in UTF-16LE with a byte-order mark and CR LF line
// ends, as Windows exports it, is read as well.

// Every key of the tree in pre-order, each followed by its values in order.
std::string FormatRegistryFile(const TRegistryNode& root);

struct TRegistryParseResult {
    bool Ok = false;
    TRegistryNode Root;
    // What is wrong, with its line number, when Ok is false.
    std::string Error;
};

// Reads the text back. A text of only white space is an empty hive. Anything else that is not
// in the format (a missing header, a key outside HKEY_CURRENT_USER, a malformed line) fails the
// whole text: a partly read hive would lose the rest when it is written again.
TRegistryParseResult ParseRegistryFile(std::string_view text);

// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view text) noexcept;

} // namespace zentaro::platform
