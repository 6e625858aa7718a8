#include "host/ScriptCodePage.h"

#include <array>

namespace vex::host {

namespace {

// 0x80 to 0x9F are where Windows-1252 differs from Latin-1; every other byte is its own
// character.
constexpr std::array<std::uint16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::optional<char> ScriptByteOf(std::uint32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
        return static_cast<char>(code);
    }
    for (std::size_t k = 0; k < kHighControlRange.size(); ++k) {
        if (kHighControlRange[k] == code) {
            return static_cast<char>(0x80 + k);
        }
    }
    return std::nullopt;
}

// The character starting at `i` and its length in bytes; none for a malformed sequence (an
// overlong form included).
std::optional<std::uint32_t> DecodeUtf8(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int length = lead < 0x80           ? 1
                 : (lead >> 5) == 0x6  ? 2
                 : (lead >> 4) == 0xE  ? 3
                 : (lead >> 3) == 0x1E ? 4
                                       : 0;
    if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) {
        return std::nullopt;
    }
    std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        code = (code << 6) | (next & 0x3F);
    }
    constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length]) {
        return std::nullopt;
    }
    i += static_cast<std::size_t>(length);
    return code;
}

} // namespace

std::uint32_t ScriptCodePoint(unsigned char byte) noexcept {
    return byte >= 0x80 && byte <= 0x9F ? kHighControlRange[byte - 0x80] : byte;
}

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

std::string ScriptToUtf8(std::string_view script) {
    std::string utf8;
    utf8.reserve(script.size());
    for (char ch : script) {
        AppendUtf8(utf8, ScriptCodePoint(static_cast<unsigned char>(ch)));
    }
    return utf8;
}

std::optional<std::string> Utf8ToScript(std::string_view utf8) {
    std::string script;
    script.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::optional<std::uint32_t> code = DecodeUtf8(utf8, i);
        const std::optional<char> byte = code ? ScriptByteOf(*code) : std::nullopt;
        if (!byte) {
            return std::nullopt;
        }
        script += *byte;
    }
    return script;
}

} // namespace vex::host
