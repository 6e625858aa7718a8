#include "editing/TformHelp.h"

#include "editing/HelpPages.h"
#include "tests/platform/RegistryTestSupport.h"
#include "tests/runtime/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <memory>

namespace {

QLineEdit* searchField(TformHelp* window) {
    return window->findChild<QLineEdit*>(QStringLiteral("edSearch"));
}

QStringList visibleTopics(TformHelp* window) {
    QStringList names;
    const auto* list = window->findChild<QListWidget*>(QStringLiteral("lbxTopics"));
    for (int row = 0; row < list->count(); ++row)
        if (!list->item(row)->isHidden())
            names << list->item(row)->text();
    return names;
}

// The text with its ASCII letters in one case; other letters stay, as topics compare them.
QString asciiCase(QString text, bool upper) {
    for (QChar& ch : text) {
        const char16_t code = ch.unicode();
        if (upper && code >= u'a' && code <= u'z')
            ch = QChar(code - u'a' + u'A');
        else if (!upper && code >= u'A' && code <= u'Z')
            ch = QChar(code - u'A' + u'a');
    }
    return text;
}

QString pageText(TformHelp* window) {
    return window->findChild<QTextBrowser*>(QStringLiteral("memHelp"))->toPlainText();
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pagesOfTheRegistry();
    void writingKeepsForeignDirectories();
    void unknownTopicOpensTheIndexWithTheWord();
    void searchNarrowsTheIndex();
    void withoutPagesTheWindowSaysWhere();
    void theBuildWroteTheStandardPages();
    void screenshot();

private:
    void expectEveryTopicOpensItsPage(const QString& directory);

    std::unique_ptr<vex::test::TFakeHost> m_host;
    std::unique_ptr<vex::test::TTestContext> m_context;
    std::unique_ptr<QTemporaryDir> m_pages;
    std::unique_ptr<TTemporaryRegistryFile> m_registry;
};

void HelpWindowTest::init() {
    m_registry = std::make_unique<TTemporaryRegistryFile>();
    m_host = std::make_unique<vex::test::TFakeHost>();
    m_context = std::make_unique<vex::test::TTestContext>(*m_host, 1 << 16);
    vex::TWordAttributes attributes;
    attributes.HelpText = "Joins <texts> & more.\nSecond line.";
    attributes.Example = "Glue([a],[b])";
    attributes.CodeText = "1";
    attributes.MinArgs = 1;
    attributes.MaxArgs = 3;
    QVERIFY(m_context->RegisterUserWord("Glue", "Various", attributes) > 0);
    // Names whose pages need file names other than themselves.
    QVERIFY(m_context->RegisterUserWord("Do_It", "Various", attributes) > 0);
    QVERIFY(m_context->RegisterUserWord("Caf\xE9", "Various", attributes) > 0);
    m_pages = std::make_unique<QTemporaryDir>();
    QString error;
    QVERIFY2(WriteHelpPages(*m_context, m_pages->path(), error), qPrintable(error));
    SetHelpPagesDirectory(m_pages->path());
}

void HelpWindowTest::cleanup() {
    FinalizeHelpWindow();
    SetHelpPagesDirectory(QString());
    m_pages.reset();
    m_context.reset();
    m_host.reset();
    m_registry.reset();
}

// Every topic a help directory lists opens the page listed for it, by its name as a word list
// shows it (an operator included) and in either case of its ASCII letters; every page has a file
// name of its own that any file system takes.
void HelpWindowTest::expectEveryTopicOpensItsPage(const QString& directory) {
    QFile list(QDir(directory).filePath(QLatin1String(HelpTopicList)));
    QVERIFY(list.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(list.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QVERIFY(!lines.isEmpty());
    TformHelp* window = GetHelpWindow();
    const QRegularExpression portableName(QStringLiteral("^[a-z0-9_]+\\.html$"));
    QSet<QString> files;
    for (const QString& line : lines) {
        const QString name = line.section(u'\t', 0, 0);
        const QString file = line.section(u'\t', 1, 1);
        QVERIFY2(portableName.match(file).hasMatch(), qPrintable(line));
        QVERIFY2(!files.contains(file), qPrintable(line));
        files.insert(file);
        for (const QString& entry : {name, asciiCase(name, false), asciiCase(name, true)}) {
            QVERIFY2(window->ShowTopic(entry), qPrintable(entry));
            QCOMPARE(window->CurrentPage(), file);
        }
        QVERIFY2(pageText(window).contains(name), qPrintable(line));
    }
}

void HelpWindowTest::pagesOfTheRegistry() {
    const QDir pages(m_pages->path());
    QFile page(pages.filePath(QStringLiteral("glue.html")));
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    for (const char* part :
         {"<h1>Glue</h1>", "<code>Glue(e1{,e2,e3})</code>", "<b>Arguments:</b> 1 to 3",
          "<pre>Glue([a],[b])</pre>", "Joins &lt;texts&gt; &amp; more.<br>Second line.",
          "<b>Category:</b> Various"})
        QVERIFY2(html.contains(QLatin1String(part)), part);
    // Operators under their topic names; unlisted words have no page.
    QVERIFY(pages.exists(QStringLiteral("add.html")));
    QVERIFY(pages.exists(QStringLiteral("issmallerthan.html")));
    QVERIFY(!pages.exists(QStringLiteral("w100.html")));
    expectEveryTopicOpensItsPage(pages.path());
}

void HelpWindowTest::writingKeepsForeignDirectories() {
    QTemporaryDir directory;
    QFile other(QDir(directory.path()).filePath(QStringLiteral("notes.txt")));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.close();
    QString error;
    QVERIFY(!WriteHelpPages(*m_context, directory.path(), error));
    QVERIFY(error.contains(QLatin1String("other files")));
    QVERIFY(other.exists());
    QVERIFY(!QFile::exists(QDir(directory.path()).filePath(QStringLiteral("index.html"))));
}

void HelpWindowTest::unknownTopicOpensTheIndexWithTheWord() {
    ShowHelpTopic(QStringLiteral("<"));
    TformHelp* window = GetHelpWindow();
    QVERIFY(window->isVisible());
    QCOMPARE(window->CurrentPage(), QStringLiteral("issmallerthan.html"));

    QVERIFY(!window->ShowTopic(QStringLiteral("Glu")));
    QCOMPARE(window->CurrentPage(), QStringLiteral("index.html"));
    QCOMPARE(searchField(window)->text(), QStringLiteral("Glu"));
    QCOMPARE(visibleTopics(window), QStringList{"Glue"});
    // Enter opens the first topic the index still lists.
    QTest::keyClick(searchField(window), Qt::Key_Return);
    QCOMPARE(window->CurrentPage(), QStringLiteral("glue.html"));
}

void HelpWindowTest::searchNarrowsTheIndex() {
    TformHelp* window = GetHelpWindow();
    QTest::keyClicks(searchField(window), QStringLiteral("LOCAL"));
    QCOMPARE(visibleTopics(window), (QStringList{"Local", "LocalInterface", "LocalNumber",
                                                 "LocalReference", "LocalText"}));
    searchField(window)->clear();
    QVERIFY(visibleTopics(window).size() > 20);
}

void HelpWindowTest::withoutPagesTheWindowSaysWhere() {
    QTemporaryDir empty;
    SetHelpPagesDirectory(empty.path());
    TformHelp* window = GetHelpWindow();
    QCOMPARE(window->PagesDirectory(), QString());
    QVERIFY(pageText(window).startsWith(QLatin1String("The help pages were not found.")));
    QVERIFY(!window->ShowTopic(QStringLiteral("Do")));
    QCOMPARE(searchField(window)->text(), QStringLiteral("Do"));
}

void HelpWindowTest::theBuildWroteTheStandardPages() {
    SetHelpPagesDirectory(QString());
    const QStringList directories = HelpPageDirectories();
    QCOMPARE(directories.first(), QCoreApplication::applicationDirPath() + "/help");
    QVERIFY(directories.last().endsWith(QLatin1String("/share/zentaro/help")));
    TformHelp* window = GetHelpWindow();
    QCOMPARE(window->PagesDirectory(), directories.first());
    QVERIFY(window->ShowTopic(QStringLiteral("<>")));
    QCOMPARE(window->CurrentPage(), QStringLiteral("isunequalto.html"));
    expectEveryTopicOpensItsPage(directories.first());
}

// Leaves HelpWindow-page.png to look at.
void HelpWindowTest::screenshot() {
    ShowHelpTopic(QStringLiteral("Glue"));
    TformHelp* window = GetHelpWindow();
    window->resize(640, 360);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QImage image = window->grab().toImage();
    QVERIFY(image.save(QStringLiteral(ZENTARO_TEST_OUTPUT_DIR "/HelpWindow-page.png")));
    QCOMPARE(image.size(), window->size() * image.devicePixelRatio());
}

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"
