#include "platform/RegistryFile.h"

#include <charconv>
#include <cstdio>
#include <optional>

namespace zentaro::platform {

namespace {

constexpr std::string_view Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view HiveName = "HKEY_CURRENT_USER";
// Hex data is wrapped before this column, as the exporter on Windows does.
constexpr std::size_t WrapColumn = 77;

// UTF-8 and UTF-16 -------------------------------------------------------------------------

// Decodes one code point at `pos` and advances it; none for a malformed sequence.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    int length = lead < 0x80           ? 1
                 : (lead >> 5) == 0x6  ? 2
                 : (lead >> 4) == 0xE  ? 3
                 : (lead >> 3) == 0x1E ? 4
                                       : 0;
    if (length == 0 || pos + length > text.size())
        return std::nullopt;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < Smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return std::nullopt;
    pos += length;
    return code;
}

void EncodeUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void AppendUnit(std::vector<std::uint8_t>& bytes, char32_t unit) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
}

// The text as UTF-16LE with a closing zero. The text has been checked to be valid UTF-8.
std::vector<std::uint8_t> ToUtf16WithZero(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t code = DecodeUtf8(text, pos).value_or(0xFFFD);
        if (code >= 0x10000) {
            AppendUnit(bytes, 0xD800 + ((code - 0x10000) >> 10));
            AppendUnit(bytes, 0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            AppendUnit(bytes, code);
        }
    }
    AppendUnit(bytes, 0);
    return bytes;
}

// UTF-16LE to UTF-8, dropping one closing zero; none for an odd length or a lone surrogate.
std::optional<std::string> FromUtf16(const std::uint8_t* data, std::size_t size) {
    if (size % 2 != 0)
        return std::nullopt;
    std::size_t units = size / 2;
    auto unit = [data](std::size_t i) -> char32_t { return data[2 * i] | (data[2 * i + 1] << 8); };
    if (units > 0 && unit(units - 1) == 0)
        --units;
    std::string out;
    for (std::size_t i = 0; i < units; ++i) {
        char32_t code = unit(i);
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (i + 1 >= units || unit(i + 1) < 0xDC00 || unit(i + 1) > 0xDFFF)
                return std::nullopt;
            code = 0x10000 + ((code - 0xD800) << 10) + (unit(++i) - 0xDC00);
        } else if (code >= 0xDC00 && code <= 0xDFFF) {
            return std::nullopt;
        }
        EncodeUtf8(code, out);
    }
    return out;
}

// Writing ----------------------------------------------------------------------------------

bool HasControlCharacter(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20)
            return true;
    return false;
}

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + '"';
}

// `prefix` (the name and "=hex...:") followed by the bytes, wrapped with trailing backslashes.
std::string HexLine(std::string line, const std::vector<std::uint8_t>& bytes) {
    char pair[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        line += pair;
        if (i + 1 < bytes.size()) {
            line += ',';
            const std::size_t column = line.size() - (line.rfind('\n') + 1);
            if (column + 3 > WrapColumn)
                line += "\\\n  ";
        }
    }
    return line;
}

std::string ValueLine(const TRegistryNamedValue& named) {
    const TRegistryValue& value = named.Value;
    std::string line = (named.Name.empty() ? std::string("@") : Quoted(named.Name)) + '=';
    switch (value.Type) {
    case TRegistryType::String:
        if (!HasControlCharacter(value.Text))
            return line + Quoted(value.Text);
        return HexLine(line + "hex(1):", ToUtf16WithZero(value.Text));
    case TRegistryType::ExpandString:
        return HexLine(line + "hex(2):", ToUtf16WithZero(value.Text));
    case TRegistryType::Integer: {
        char digits[9];
        std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(value.Integer));
        return line + "dword:" + digits;
    }
    case TRegistryType::Binary:
        return HexLine(line + "hex:", value.Bytes);
    }
    char type[16];
    std::snprintf(type, sizeof type, "hex(%x):", static_cast<unsigned>(value.Type));
    return HexLine(line + type, value.Bytes);
}

void FormatKey(const TRegistryNode& node, const std::string& path, bool isRoot, std::string& out) {
    if (!isRoot || !node.Values.empty()) {
        out += "\n[" + path + "]\n";
        for (const TRegistryNamedValue& value : node.Values)
            out += ValueLine(value) + '\n';
    }
    for (const TRegistryNode& sub : node.SubKeys)
        FormatKey(sub, path + '\\' + sub.Name, false, out);
}

// Reading ----------------------------------------------------------------------------------

struct TLine {
    std::string Text;
    int Number = 0;
};

class TParser {
public:
    explicit TParser(std::string_view text)
        : m_text(text) {}

    TRegistryParseResult Run() {
        TRegistryParseResult result;
        if (!ReadAll(result.Root)) {
            result.Error = "line " + std::to_string(m_line.Number) + ": " + m_error;
            result.Root = {};
            return result;
        }
        result.Ok = true;
        return result;
    }

private:
    bool Fail(std::string message) {
        m_error = std::move(message);
        return false;
    }

    // The next line with continuation lines joined; false at the end of the text.
    bool NextLine() {
        if (m_pos >= m_text.size())
            return false;
        m_line = {std::string(), m_number + 1};
        bool continued = true;
        while (continued && m_pos < m_text.size()) {
            std::size_t end = m_text.find('\n', m_pos);
            if (end == std::string_view::npos)
                end = m_text.size();
            std::string_view piece = m_text.substr(m_pos, end - m_pos);
            m_pos = end + 1;
            ++m_number;
            if (!piece.empty() && piece.back() == '\r')
                piece.remove_suffix(1);
            if (m_line.Text.size() > 0)
                piece.remove_prefix(std::min(piece.find_first_not_of(" \t"), piece.size()));
            continued = !piece.empty() && piece.back() == '\\' && IsHexValue(m_line.Text, piece);
            if (continued)
                piece.remove_suffix(1);
            m_line.Text += piece;
        }
        return true;
    }

    // Only hex data continues over lines; a quoted string may end in a backslash of its own.
    static bool IsHexValue(const std::string& sofar, std::string_view piece) {
        const std::string_view line = sofar.empty() ? piece : std::string_view(sofar);
        const std::size_t eq = ValueSeparator(line);
        return eq != std::string_view::npos && line.substr(eq + 1).starts_with("hex");
    }

    // Position of the '=' after the value name, or npos.
    static std::size_t ValueSeparator(std::string_view line) {
        if (line.starts_with("@="))
            return 1;
        if (!line.starts_with('"'))
            return std::string_view::npos;
        for (std::size_t i = 1; i < line.size(); ++i) {
            if (line[i] == '\\')
                ++i;
            else if (line[i] == '"')
                return i + 1 < line.size() && line[i + 1] == '=' ? i + 1 : std::string_view::npos;
        }
        return std::string_view::npos;
    }

    bool ReadAll(TRegistryNode& root) {
        bool sawHeader = false;
        TRegistryNode* key = nullptr;
        while (NextLine()) {
            std::string_view line = m_line.Text;
            if (line.empty() || line.starts_with(';'))
                continue;
            if (!sawHeader) {
                if (line != Header)
                    return Fail("the file does not begin with \"" + std::string(Header) + "\"");
                sawHeader = true;
            } else if (line.starts_with('[')) {
                key = ReadKeyLine(line, root);
                if (!key)
                    return false;
            } else if (!key) {
                return Fail("a value before the first key");
            } else if (!ReadValueLine(line, *key)) {
                return false;
            }
        }
        return true;
    }

    TRegistryNode* ReadKeyLine(std::string_view line, TRegistryNode& root) {
        if (line.size() < 2 || line.back() != ']') {
            Fail("a key line without its closing bracket");
            return nullptr;
        }
        std::string_view path = line.substr(1, line.size() - 2);
        if (!path.starts_with(HiveName) ||
            (path.size() > HiveName.size() && path[HiveName.size()] != '\\')) {
            Fail("a key outside " + std::string(HiveName));
            return nullptr;
        }
        path.remove_prefix(std::min(path.size(), HiveName.size() + 1));
        TRegistryNode* node = &root;
        while (!path.empty()) {
            const std::size_t cut = std::min(path.find('\\'), path.size());
            if (cut == 0) {
                Fail("an empty key name");
                return nullptr;
            }
            node = &node->SubKey(path.substr(0, cut));
            path.remove_prefix(std::min(cut + 1, path.size()));
        }
        return node;
    }

    bool ReadValueLine(std::string_view line, TRegistryNode& key) {
        const std::size_t eq = ValueSeparator(line);
        if (eq == std::string_view::npos)
            return Fail("a line that is neither a key nor a value");
        std::string name;
        if (line[0] == '"' && !Unquote(line.substr(0, eq), name))
            return false;
        TRegistryValue value;
        if (!ReadData(line.substr(eq + 1), value))
            return false;
        key.SetValue(name, value);
        return true;
    }

    bool Unquote(std::string_view quoted, std::string& out) {
        if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"')
            return Fail("a malformed quoted text");
        for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
            char c = quoted[i];
            if (c == '\\') {
                c = quoted[++i];
                if ((c != '\\' && c != '"') || i + 1 >= quoted.size())
                    return Fail("an unknown escape in a quoted text");
            } else if (c == '"') {
                return Fail("an unescaped quote in a quoted text");
            }
            out += c;
        }
        if (!IsValidUtf8(out))
            return Fail("a quoted text that is not UTF-8");
        return true;
    }

    bool ReadData(std::string_view data, TRegistryValue& value) {
        if (data.starts_with('"')) {
            value.Type = TRegistryType::String;
            return Unquote(data, value.Text);
        }
        if (data.starts_with("dword:"))
            return ReadDword(data.substr(6), value);
        if (data.starts_with("hex:")) {
            value.Type = TRegistryType::Binary;
            return ReadHex(data.substr(4), value.Bytes);
        }
        if (data.starts_with("hex(")) {
            const std::size_t close = data.find("):");
            if (close == std::string_view::npos)
                return Fail("a malformed hex type");
            unsigned type = 0;
            const auto [end, ec] = std::from_chars(data.data() + 4, data.data() + close, type, 16);
            if (ec != std::errc() || end != data.data() + close)
                return Fail("a malformed hex type");
            return ReadTypedHex(static_cast<TRegistryType>(type), data.substr(close + 2), value);
        }
        return Fail("a value of unknown form");
    }

    bool ReadDword(std::string_view digits, TRegistryValue& value) {
        value.Type = TRegistryType::Integer;
        const auto [end, ec] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value.Integer, 16);
        if (digits.size() != 8 || ec != std::errc() || end != digits.data() + digits.size())
            return Fail("a dword that is not eight hex digits");
        return true;
    }

    bool ReadHex(std::string_view list, std::vector<std::uint8_t>& bytes) {
        while (!list.empty()) {
            const std::size_t cut = std::min(list.find(','), list.size());
            std::string_view pair = list.substr(0, cut);
            unsigned byte = 0;
            const auto [end, ec] =
                std::from_chars(pair.data(), pair.data() + pair.size(), byte, 16);
            if (pair.size() != 2 || ec != std::errc() || end != pair.data() + pair.size())
                return Fail("malformed hex data");
            bytes.push_back(static_cast<std::uint8_t>(byte));
            list.remove_prefix(cut);
            if (!list.empty()) {
                list.remove_prefix(1);
                if (list.empty())
                    return Fail("hex data ending in a comma");
            }
        }
        return true;
    }

    bool ReadTypedHex(TRegistryType type, std::string_view list, TRegistryValue& value) {
        value.Type = type;
        std::vector<std::uint8_t> bytes;
        if (!ReadHex(list, bytes))
            return false;
        if (type == TRegistryType::String || type == TRegistryType::ExpandString) {
            std::optional<std::string> text = FromUtf16(bytes.data(), bytes.size());
            if (!text)
                return Fail("a string in hex that is not UTF-16");
            value.Text = std::move(*text);
        } else if (type == TRegistryType::Integer) {
            if (bytes.size() != 4)
                return Fail("a hex(4) value that is not four bytes");
            value.Integer = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                            (static_cast<std::uint32_t>(bytes[3]) << 24);
        } else {
            value.Bytes = std::move(bytes);
        }
        return true;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_number = 0;
    TLine m_line;
    std::string m_error;
};

// A whole file in UTF-16LE (with its byte-order mark) becomes UTF-8; anything else is taken as
// UTF-8, with a byte-order mark dropped.
std::optional<std::string> NormaliseEncoding(std::string_view text) {
    if (text.starts_with("\xFF\xFE"))
        return FromUtf16(reinterpret_cast<const std::uint8_t*>(text.data()) + 2, text.size() - 2);
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    return std::string(text);
}

} // namespace

bool IsValidUtf8(std::string_view text) noexcept {
    for (std::size_t pos = 0; pos < text.size();)
        if (!DecodeUtf8(text, pos))
            return false;
    return true;
}

std::string FormatRegistryFile(const TRegistryNode& root) {
    std::string out(Header);
    out += '\n';
    FormatKey(root, std::string(HiveName), true, out);
    return out;
}

TRegistryParseResult ParseRegistryFile(std::string_view text) {
    const std::optional<std::string> normalised = NormaliseEncoding(text);
    if (!normalised) {
        TRegistryParseResult result;
        result.Error = "the file is neither UTF-8 nor UTF-16";
        return result;
    }
    if (normalised->find_first_not_of(" \t\r\n") == std::string::npos) {
        TRegistryParseResult result;
        result.Ok = true;
        return result;
    }
    return TParser(*normalised).Run();
}

} // namespace zentaro::platform
