#pragma once

#include <string>
#include <string_view>

namespace vex::host {

// A byte string as a JSON string literal, quotes included. Bytes above 127 are read as
// Windows-1252 and written in UTF-8; control characters are escaped.
std::string JsonString(std::string_view bytes);
// A number as a JSON number with the fewest digits that read back as the same double (2^0.5 is
// 1.4142135623730951); null for a NAN or an infinity, which JSON cannot express.
std::string JsonNumber(double value);

} // namespace vex::host
