#include "platform/CodePage.h"

#include <QTest>

#include <string>

class CodePageTest : public QObject {
    Q_OBJECT

private slots:
    void fromWindows1252_data();
    void fromWindows1252();
    void toWindows1252_data();
    void toWindows1252();
    void everyByteSurvivesTheRoundTrip();
};

void CodePageTest::fromWindows1252_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("ascii up to 0x7F") << QByteArray("a[b]\x7F") << QStringLiteral(u"a[b]\u007F");
    QTest::newRow("0x80 euro, first of the table") << QByteArray("\x80") << QStringLiteral(u"€");
    QTest::newRow("0x9F, last of the table") << QByteArray("\x9F") << QStringLiteral(u"Ÿ");
    QTest::newRow("curly quotes and dash")
        << QByteArray("\x93x\x94\x96") << QStringLiteral(u"“x”–");
    QTest::newRow("undefined bytes stay C1 controls")
        << QByteArray("\x81\x8D\x8F\x90\x9D") << QStringLiteral(u"\u0081\u008D\u008F\u0090\u009D");
    QTest::newRow("0xA0 to 0xFF as Latin-1")
        << QByteArray("\xA0\xE9\xFF") << QStringLiteral(u"\u00A0éÿ");
    QTest::newRow("NUL is kept") << QByteArray("a\0b", 3) << QStringView(u"a\0b", 3).toString();
}

void CodePageTest::fromWindows1252() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(::fromWindows1252(bytes), text);
}

void CodePageTest::toWindows1252_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("fits");

    QTest::newRow("ascii") << QStringLiteral("Do(1)") << QByteArray("Do(1)") << true;
    QTest::newRow("table characters")
        << QStringLiteral(u"€“x”Ÿ") << QByteArray("\x80\x93x\x94\x9F") << true;
    QTest::newRow("Latin-1") << QStringLiteral(u"café") << QByteArray("caf\xE9") << true;
    QTest::newRow("outside the code page") << QStringLiteral(u"a中b") << QByteArray("a?b") << false;
    QTest::newRow("surrogate pair is one character")
        << QStringLiteral(u"x😀y") << QByteArray("x?y") << false;
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?") << false;
}

void CodePageTest::toWindows1252() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, fits);
    QCOMPARE(::toWindows1252(text), bytes);
    QCOMPARE(::fitsWindows1252(text), fits);
}

void CodePageTest::everyByteSurvivesTheRoundTrip() {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    QCOMPARE(::toWindows1252(::fromWindows1252(all)), all);
    // Script texts are the same bytes held in a standard string.
    const std::string script(all.constData(), static_cast<std::size_t>(all.size()));
    QCOMPARE(::fromScriptText(script), ::fromWindows1252(all));
    QCOMPARE(::toScriptText(::fromScriptText(script)), script);
}

QTEST_APPLESS_MAIN(CodePageTest)
#include "CodePageTest.moc"
