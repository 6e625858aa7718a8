#include "host/console/JsonText.h"

#include "host/ScriptCodePage.h"

#include "runtime/VexScript.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace vex::host {

namespace {

void AppendEscaped(std::string& out, unsigned char byte) {
    switch (byte) {
    case '"':
        out += "\\\"";
        return;
    case '\\':
        out += "\\\\";
        return;
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    case '\t':
        out += "\\t";
        return;
    default:
        break;
    }
    if (byte < 0x20) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\u%04x", byte);
        out += escape;
    } else {
        AppendUtf8(out, ScriptCodePoint(byte));
    }
}

} // namespace

std::string JsonString(std::string_view bytes) {
    std::string out = "\"";
    for (char ch : bytes) {
        AppendEscaped(out, static_cast<unsigned char>(ch));
    }
    return out + "\"";
}

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    // The shortest digits that read back as the same double; 32 bytes hold any of them.
    char digits[32];
    const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, written.ptr);
}

} // namespace vex::host
