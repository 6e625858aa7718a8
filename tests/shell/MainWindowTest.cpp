#include "shell/MainWindow.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void openShowsDecodedTextAndFileName();
    void failedOpenKeepsWindowUsable_data();
    void failedOpenKeepsWindowUsable();
    void screenshot();

private:
    QString writeFile(const QString& name, const QByteArray& bytes);
    QPlainTextEdit* editor() const;

    QTemporaryDir m_dir;
    TMainWindow* m_window = nullptr;
};

void MainWindowTest::init() {
    QVERIFY(m_dir.isValid());
    m_window = new TMainWindow;
    m_window->show();
}

void MainWindowTest::cleanup() {
    delete m_window;
    m_window = nullptr;
}

QString MainWindowTest::writeFile(const QString& name, const QByteArray& bytes) {
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QPlainTextEdit* MainWindowTest::editor() const {
    return m_window->findChild<QPlainTextEdit*>(QStringLiteral("edScript"));
}

void MainWindowTest::openShowsDecodedTextAndFileName() {
    const QString path = writeFile("price.vex", "Set(p, [\x80 5 caf\xE9]);\n{ \x93quoted\x94 }\n");

    QVERIFY(m_window->openScript(path));

    QCOMPARE(editor()->toPlainText(), QStringLiteral(u"Set(p, [€ 5 café]);\n{ “quoted” }\n"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("price.vex - Zentaro"));
    QVERIFY(editor()->isReadOnly());
    QVERIFY(QFontInfo(editor()->font()).fixedPitch());
}

void MainWindowTest::failedOpenKeepsWindowUsable_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << QStringLiteral("missing.vex");
    QTest::newRow("folder") << QStringLiteral("folder.vex");
}

void MainWindowTest::failedOpenKeepsWindowUsable() {
    QFETCH(QString, name);
    QVERIFY(QDir(m_dir.path()).mkpath("folder.vex"));
    QVERIFY(m_window->openScript(writeFile("first.vex", "Beep();\n")));

    const QString badPath = m_dir.filePath(name);
    QVERIFY(!m_window->openScript(badPath));

    QVERIFY2(m_window->statusBar()->currentMessage().contains(badPath),
             qPrintable(m_window->statusBar()->currentMessage()));
    QCOMPARE(editor()->toPlainText(), QStringLiteral("Beep();\n"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("first.vex - Zentaro"));

    QVERIFY(m_window->openScript(writeFile("second.vex", "Stop();\n")));
    QCOMPARE(editor()->toPlainText(), QStringLiteral("Stop();\n"));
    QVERIFY(m_window->statusBar()->currentMessage().isEmpty());
}

// Not a pixel comparison: it leaves a picture to look at and checks that something was drawn.
void MainWindowTest::screenshot() {
    QVERIFY(m_window->openScript(writeFile(
        "demo.vex", "{ Demo \x96 prices in \x80 }\nSet(total, 0);\nWhile(total < 10, Inc(total));\n"
                    "Trace([caf\xE9 \x93ready\x94]);\n")));
    QVERIFY(QTest::qWaitForWindowExposed(m_window));

    const QImage image = m_window->grab().toImage();
    const QString file = QStringLiteral(ZENTARO_TEST_OUTPUT_DIR "/MainWindowTest.png");
    QVERIFY(image.save(file));

    // Glyphs must have been drawn: the top of the text area differs from its background.
    const QWidget* viewport = editor()->viewport();
    const QRect area(viewport->mapTo(m_window, QPoint(0, 0)), QSize(300, 40));
    const QRgb background = image.pixel(area.topLeft() + QPoint(viewport->width() - 5, 0));
    int inked = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            inked += image.pixel(x, y) != background;
    QVERIFY2(inked > 100, "the editor shows no text");
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
