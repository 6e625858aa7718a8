#include "platform/CodePage.h"

#include "platform/Windows1252.h"

namespace windows1252 = zentaro::platform::windows1252;

QString fromWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes)
        *out++ = QChar(windows1252::CodePointOf(static_cast<unsigned char>(c)));
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
    return windows1252::ByteOf(unit.unicode());
}

bool fitsWindows1252(QStringView text) {
    return fromWindows1252(toWindows1252(text)) == text;
}

QString fromScriptText(std::string_view bytes) {
    return fromWindows1252(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string toScriptText(QStringView text) {
    return toWindows1252(text).toStdString();
}
