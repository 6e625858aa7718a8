#pragma once

#include <QString>

// Script files: Windows-1252 bytes. Reading takes CR LF, LF and lone CR as line ends; writing
// ends every line with LF. What cannot be read or written whole is refused with a reason, and
// nothing is half done: a file that is no script is not read, and a failed write leaves the old
// file as it was.

// The most characters the editor holds.
inline constexpr qsizetype kScriptTextLimit = 25165824;

struct TScriptFileText {
    // Empty when the file was read; otherwise why not, in the current language.
    QString Error;
    // The text with LF line ends.
    QString Text;
    // The longest line and its number (1-based).
    qsizetype LongestLine = 0;
    int LongestLineNumber = 0;
};

// Reads a script file. Refused: a file that cannot be opened or read, one holding NUL bytes
// (which no script holds), and one of more than kScriptTextLimit characters.
TScriptFileText ReadScriptFile(const QString& path);

// The bytes of a text as a script file holds them, or the reason it cannot: a character that
// Windows-1252 cannot hold, or NUL, named with its line.
QString EncodeScriptText(const QString& text, QByteArray& bytes);

// Encodes and writes a text; the reason of a failure, or empty.
QString SaveScriptFile(const QString& path, const QString& text);

// Writes bytes to a script file through a temporary file that replaces the old one only when it
// is complete. Refuses a file marked read-only. Returns the reason of a failure, or empty.
QString WriteScriptFile(const QString& path, const QByteArray& bytes);
