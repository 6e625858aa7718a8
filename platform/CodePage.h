#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>
#include <string>
#include <string_view>

// Script files and script texts are bytes in the system code page, Windows-1252. Whatever shows
// them to a person converts here, at the boundary.

// Decodes Windows-1252 bytes. The five bytes that code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) become the C1 control characters of the same value, as Windows itself decodes them.
QString fromWindows1252(QByteArrayView bytes);

// Encodes text as Windows-1252 bytes; a character that code page cannot hold becomes "?".
QByteArray toWindows1252(QStringView text);

// One UTF-16 unit as a Windows-1252 byte, or none when the code page cannot hold it (each half
// of a surrogate pair among them). Text that must keep one byte per unit, so that positions in
// the bytes are positions in the text, encodes unit by unit with this.
std::optional<char> toWindows1252(QChar unit);

// Whether toWindows1252 keeps every character of the text: a name that does not fit would reach
// the script changed.
bool fitsWindows1252(QStringView text);

// A script text (Windows-1252 bytes, as the runtime holds them) for a person, and a person's text
// as a script text.
QString fromScriptText(std::string_view bytes);
std::string toScriptText(QStringView text);
