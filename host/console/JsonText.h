#pragma once

#include <string>
#include <string_view>

namespace vex::host {

// A byte string as a JSON string literal, quotes included. Bytes above 127 are read as
// Windows-1252 and written in UTF-8; control characters are escaped.
std::string JsonString(std::string_view bytes);
// A number as a JSON number in the number format; null for a NAN or an infinity, which JSON
// cannot express.
std::string JsonNumber(double value);

} // namespace vex::host
