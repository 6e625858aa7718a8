#include "editing/HelpTopics.h"

#include "platform/CodePage.h"

QString HelpTopicOf(const QString& entry) {
    for (const TOperatorTopic& row : OperatorTopics)
        if (entry == QLatin1String(row.Operator))
            return QString::fromLatin1(row.Topic);
    return entry;
}

QString HelpPageFile(const QString& topic) {
    QString file;
    for (const char byte : toWindows1252(topic)) {
        const auto code = static_cast<unsigned char>(byte);
        if ((code >= 'a' && code <= 'z') || (code >= '0' && code <= '9'))
            file += QChar(code);
        else if (code >= 'A' && code <= 'Z')
            file += QChar(code - 'A' + 'a');
        else
            file += u'_' + QString::number(code, 16).rightJustified(2, u'0');
    }
    return file + QStringLiteral(".html");
}
