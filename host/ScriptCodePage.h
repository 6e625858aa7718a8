#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Script texts are bytes in Windows-1252; the file system takes and gives names in UTF-8. Every
// word and service that hands a name to the system converts it here, and converts back the names
// it reads (directory listings, the current directory). The desktop's Qt layers have their own
// conversion at their boundary (platform/CodePage.h); both read the one table of
// platform/Windows1252.h.

namespace vex::host {

// The character of a Windows-1252 byte. The five bytes the code page leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 control characters of the same value, as Windows
// decodes them, so every byte has one and every text converts.
std::uint32_t ScriptCodePoint(unsigned char byte) noexcept;

// Appends a character (below U+10000) as UTF-8.
void AppendUtf8(std::string& out, std::uint32_t code);

// A script text as UTF-8, for the system.
std::string ScriptToUtf8(std::string_view script);

// A UTF-8 text from the system as a script text; none when it holds a character Windows-1252
// cannot hold or is not valid UTF-8.
std::optional<std::string> Utf8ToScript(std::string_view utf8);

} // namespace vex::host
