#include "platform/CodePage.h"

#include <array>

namespace {

// 0x80 to 0x9F are where Windows-1252 differs from Latin-1; every other byte is its own code point.
constexpr std::array<char16_t, 32> HighControlRange = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

} // namespace

QString fromWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const bool inTable = byte >= 0x80 && byte <= 0x9F;
        *out++ = QChar(inTable ? HighControlRange[byte - 0x80] : char16_t(byte));
    }
    return text;
}

// Characters outside Latin-1's range are looked up in the table; a surrogate pair is one
// character and becomes one "?".
QByteArray toWindows1252(QStringView text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;
            bytes.append('?');
            continue;
        }
        bytes.append(toWindows1252(QChar(unit)).value_or('?'));
    }
    return bytes;
}

std::optional<char> toWindows1252(QChar unit) {
    const char16_t code = unit.unicode();
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<char>(code);
    for (std::size_t k = 0; k < HighControlRange.size(); ++k)
        if (HighControlRange[k] == code)
            return static_cast<char>(0x80 + k);
    return std::nullopt;
}

bool fitsWindows1252(QStringView text) {
    return fromWindows1252(toWindows1252(text)) == text;
}
