#include "editing/ScriptFile.h"

#include "editing/EditingTexts.h"
#include "platform/CodePage.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace {

// The file's own mode: a file nobody may write is read-only also for a user (such as root) whom
// the system would let write it. Whether this user may write it otherwise is for the write to
// find out.
constexpr QFileDevice::Permissions kWriteBits =
    QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;

// The 1-based line of a byte, counting CR LF, LF and lone CR as line ends.
int lineOf(const QByteArray& bytes, qsizetype index) {
    int line = 1;
    for (qsizetype i = 0; i < index; ++i)
        line += bytes[i] == '\n' ||
                (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'));
    return line;
}

// CR LF and lone CR become LF; the longest line is measured on the way.
QString withLineFeeds(const QByteArray& bytes, TScriptFileText& result) {
    QString text = fromWindows1252(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    qsizetype start = 0;
    int number = 1;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        if (end - start > result.LongestLine) {
            result.LongestLine = end - start;
            result.LongestLineNumber = number;
        }
        start = end + 1;
        ++number;
    }
    return text;
}

QString characterName(QStringView character) {
    const char32_t code = character.size() == 2 ? QChar::surrogateToUcs4(character[0], character[1])
                                                : character[0].unicode();
    return QStringLiteral("U+%1").arg(code, 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

TScriptFileText ReadScriptFile(const QString& path) {
    TScriptFileText result;
    QFile file(path);
    if (QFileInfo(path).isDir()) {
        result.Error = qt_error_string(EISDIR);
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.Error = file.errorString();
        return result;
    }
    if (file.size() > kScriptTextLimit * 2) {
        result.Error = EditingText(etFileTooLarge).arg(kScriptTextLimit);
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.Error = file.errorString();
        return result;
    }
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0) {
        result.Error = EditingText(etFileHasNul).arg(lineOf(bytes, nul));
        return result;
    }
    result.Text = withLineFeeds(bytes, result);
    if (result.Text.size() > kScriptTextLimit) {
        result.Error = EditingText(etFileTooLarge).arg(kScriptTextLimit);
        result.Text.clear();
    }
    return result;
}

QString EncodeScriptText(const QString& text, QByteArray& bytes) {
    bytes.resize(text.size());
    int line = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text[i];
        const std::optional<char> byte = unit.isNull() ? std::nullopt : toWindows1252(unit);
        if (!byte) {
            const bool pair = unit.isHighSurrogate() && i + 1 < text.size();
            const QString name = characterName(QStringView(text).mid(i, pair ? 2 : 1));
            bytes.clear();
            return EditingText(etUnsavableCharacter).arg(line).arg(name);
        }
        line += unit == QLatin1Char('\n');
        bytes[i] = *byte;
    }
    return {};
}

QString WriteScriptFile(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    if (info.exists() && !(info.permissions() & kWriteBits))
        return EditingText(etFileReadOnly);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return {};
}

QString SaveScriptFile(const QString& path, const QString& text) {
    QByteArray bytes;
    const QString reason = EncodeScriptText(text, bytes);
    return reason.isEmpty() ? WriteScriptFile(path, bytes) : reason;
}
