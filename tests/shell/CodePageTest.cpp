#include "shell/CodePage.h"

#include <QTest>

class CodePageTest : public QObject {
    Q_OBJECT

private slots:
    void fromWindows1252_data();
    void fromWindows1252();
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

QTEST_APPLESS_MAIN(CodePageTest)
#include "CodePageTest.moc"
