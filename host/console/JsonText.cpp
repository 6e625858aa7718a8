#include "host/console/JsonText.h"

#include "runtime/VexScript.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace vex::host {

namespace {

// Code points of the Windows-1252 bytes 0x80 to 0x9F. The five bytes the code page leaves
// undefined keep their own value as a code point.
constexpr std::uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

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
    } else if (byte >= 0x80 && byte < 0xA0) {
        AppendUtf8(out, kHighControls[byte - 0x80]);
    } else {
        AppendUtf8(out, byte);
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
    return std::isfinite(value) ? FormatNumber(value) : "null";
}

} // namespace vex::host
