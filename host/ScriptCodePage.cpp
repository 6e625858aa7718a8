#include "host/ScriptCodePage.h"

#include "platform/Windows1252.h"

namespace vex::host {

namespace {

namespace windows1252 = zentaro::platform::windows1252;

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
    return windows1252::CodePointOf(byte);
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
        const std::optional<char> byte = code ? windows1252::ByteOf(*code) : std::nullopt;
        if (!byte) {
            return std::nullopt;
        }
        script += *byte;
    }
    return script;
}

} // namespace vex::host
