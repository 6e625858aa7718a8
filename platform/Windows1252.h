#pragma once

// Windows-1252, the code page of script texts, as one table that both sides read: the host's
// conversions for the file system (host/ScriptCodePage.h, standard library only) and the desktop's
// conversions for Qt strings (platform/CodePage.h). This header stays free of Qt and of other
// project headers, since the host may include it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace zentaro::platform::windows1252 {

// 0x80 to 0x9F are where Windows-1252 differs from Latin-1; every other byte is its own code
// point. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for
// the C1 control characters of the same value, as Windows decodes them, so every byte has a
// character and every byte string decodes.
inline constexpr std::array<char16_t, 32> kHighRange = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

// The character of a byte.
constexpr char16_t CodePointOf(unsigned char byte) noexcept {
    return byte >= 0x80 && byte <= 0x9F ? kHighRange[byte - 0x80] : char16_t(byte);
}

// The byte of a character, or none when the code page cannot hold it.
constexpr std::optional<char> ByteOf(std::uint32_t code) noexcept {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
        return static_cast<char>(code);
    }
    for (std::size_t k = 0; k < kHighRange.size(); ++k) {
        if (kHighRange[k] == code) {
            return static_cast<char>(0x80 + k);
        }
    }
    return std::nullopt;
}

} // namespace zentaro::platform::windows1252
