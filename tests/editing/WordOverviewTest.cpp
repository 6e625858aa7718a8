#include "editing/TformVexScriptOverview.h"

#include "editing/EditingTexts.h"
#include "editing/HelpPages.h"
#include "editing/TformHelp.h"
#include "editing/TformSyntax.h"
#include "services/LanguageManager.h"
#include "tests/platform/RegistryTestSupport.h"
#include "tests/runtime/TestSupport.h"
#include "tests/services/LanguageCoverage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <set>

namespace {

template <typename T>
T* component(QWidget* window, const char* name) {
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no component %s", name);
    return found;
}

QStringList listed(TformVexScriptOverview* window) {
    QStringList names;
    const auto* list = component<QListWidget>(window, "lbxVexScriptWords");
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    return names;
}

QString field(TformVexScriptOverview* window, const char* name) {
    return component<QLineEdit>(window, name)->text();
}

QString selected(TformVexScriptOverview* window) {
    const QListWidgetItem* item =
        component<QListWidget>(window, "lbxVexScriptWords")->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void registerWord(vex::TLanguageInterpreter& context, const char* name, const char* category,
                  int min, int max, const char* help, const char* example, const char* creator,
                  int update = 0, int listed = 1) {
    vex::TWordAttributes attributes;
    attributes.HelpText = help;
    attributes.Example = example;
    attributes.CodeText = "1";
    attributes.MinArgs = static_cast<std::uint8_t>(min);
    attributes.MaxArgs = static_cast<std::uint8_t>(max);
    attributes.UpdateFlag = static_cast<std::uint8_t>(update);
    attributes.Listed = static_cast<std::uint8_t>(listed);
    attributes.Creator = creator;
    QVERIFY(context.RegisterUserWord(name, category, attributes) > 0);
}

} // namespace

class WordOverviewTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void selectorsOfferUsedCategoriesAndCreators();
    void fieldsOfTheSelectedEntry_data();
    void fieldsOfTheSelectedEntry();
    void prefixFilters_data();
    void prefixFilters();
    void categoryAndCreatorFilter();
    void steppingWraps();
    void f1OpensTheHelpTopic();
    void windowComesBackAndRefills();
    void keepsItsMinimumSizeAndDefaultPlace();
    void thousandsOfUserWords();
    void everyNumberIsInTheModules_data();
    void everyNumberIsInTheModules();
    void screenshot();

private:
    std::unique_ptr<vex::test::TFakeHost> m_host;
    std::unique_ptr<vex::test::TTestContext> m_context;
    TformVexScriptOverview* m_window = nullptr;
    std::unique_ptr<TTemporaryRegistryFile> m_registry;
};

void WordOverviewTest::init() {
    m_registry = std::make_unique<TTemporaryRegistryFile>();
    m_host = std::make_unique<vex::test::TFakeHost>();
    m_context = std::make_unique<vex::test::TTestContext>(*m_host, 1 << 16);
    vex::test::TTestContext& context = *m_context;
    for (const char* category : {"Math", "Texts", "Only Constants", "Unused"})
        context.AddCategory(category);
    registerWord(context, "Square", "Math", 1, 1, "The square.\nOf a number.", "Square(3)", "Anna",
                 1);
    registerWord(context, "Sum", "Math", 1, 255, "", "", "Ben");
    registerWord(context, "Pi0", "Math", 0, 0, "", "", "Anna");
    registerWord(context, "Hidden", "Math", 0, 0, "", "", "Anna", 0, 0);
    registerWord(context, "TextLen", "Texts", 1, 3, "Length.", "", "ben");
    registerWord(context, "Sunk", "Unused", 0, 0, "", "", "Anna");
    QVERIFY(context.RemoveUserWord("Sunk"));
    QVERIFY(context.AddConstant("MaxValue", "Only Constants", "The largest value.", "MaxValue*2"));
    QVERIFY(context.AddConstant("Zero", "Only Constants", "", ""));
    m_window = GetVexScriptOverview(m_context.get());
    m_window->ShowOverview();
}

void WordOverviewTest::cleanup() {
    FinalizeVexScriptOverview();
    FinalizeHelpWindow();
    SetHelpPagesDirectory(QString());
    FinalizeLanguageManager();
    m_context.reset();
    m_host.reset();
    m_registry.reset();
}

void WordOverviewTest::selectorsOfferUsedCategoriesAndCreators() {
    const auto* categories = component<QComboBox>(m_window, "cbCategories");
    QStringList offered;
    for (int i = 0; i < categories->count(); ++i)
        offered << categories->itemText(i);
    // "Only Constants" has no word but a constant; "Unused" (whose only word was removed) and
    // "Visualization" have neither.
    QCOMPARE(offered,
             (QStringList{" All categories", "Math", "Only Constants", "Texts", "Various"}));
    const auto* creators = component<QComboBox>(m_window, "cbCreators");
    QStringList creatorTexts;
    for (int i = 0; i < creators->count(); ++i)
        creatorTexts << creators->itemText(i);
    QCOMPARE(creatorTexts, (QStringList{"All creators", "Test", "Anna", "Ben"}));
    QVERIFY(!creators->isVisible());
}

void WordOverviewTest::fieldsOfTheSelectedEntry_data() {
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QStringList>("fields"); // word, category, creator, syntax, example
    QTest::addColumn<bool>("update");
    QTest::addColumn<QString>("info");
    QTest::newRow("word with help and example")
        << "square" << QStringList{"Square", "Math", "Anna", "Square(e1)", "Square(3)"} << true
        << "The square.\nOf a number.";
    QTest::newRow("no example: the syntax line")
        << "sum" << QStringList{"Sum", "Math", "Ben", "Sum(e1{,e2...e255})", "Sum(e1{,e2...e255})"}
        << false << "Press F1 for Help";
    QTest::newRow("no arguments: the bare name")
        << "Pi" << QStringList{"Pi0", "Math", "Anna", "Pi0", "Pi0"} << false << "Press F1 for Help";
    QTest::newRow("optional arguments")
        << "TextL"
        << QStringList{"TextLen", "Texts", "ben", "TextLen(e1{,e2,e3})", "TextLen(e1{,e2,e3})"}
        << false << "Length.";
    QTest::newRow("constant") << "MaxV"
                              << QStringList{"MaxValue", "Constants", "Engine", "MaxValue",
                                             "MaxValue*2"}
                              << false << "The largest value.";
    QTest::newRow("constant without example")
        << "Zero" << QStringList{"Zero", "Constants", "Engine", "Zero", ""} << false
        << "Press F1 for Help";
}

void WordOverviewTest::fieldsOfTheSelectedEntry() {
    QFETCH(QString, prefix);
    QFETCH(QStringList, fields);
    QFETCH(bool, update);
    QFETCH(QString, info);
    m_window->FilterWords(prefix);
    QCOMPARE(listed(m_window).size(), 1);
    QCOMPARE(selected(m_window), fields[0]);
    QCOMPARE((QStringList{field(m_window, "edVexScriptWord"), field(m_window, "edCategory"),
                          field(m_window, "edCreator"), field(m_window, "edSyntax"),
                          field(m_window, "edExample")}),
             fields);
    QCOMPARE(component<QCheckBox>(m_window, "chkUpdate")->isChecked(), update);
    QCOMPARE(component<QPlainTextEdit>(m_window, "memWordInfo")->toPlainText(), info);
    QCOMPARE(m_window->CurrentExample(), fields[4]);
}

void WordOverviewTest::prefixFilters_data() {
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("several, sorted ignoring case")
        << "s" << QStringList{"Square", "Sum", "SystemFault"};
    QTest::newRow("listed words only") << "Hid" << QStringList{};
    QTest::newRow("none") << "Qx" << QStringList{};
    QTest::newRow("operators") << "<" << QStringList{"<"};
    QTest::newRow("beyond the code page") << QString(QChar(0x03A9)) << QStringList{};
    QTest::newRow("in the code page, no word") << QString(QChar(0xE9)) << QStringList{};
}

void WordOverviewTest::prefixFilters() {
    QFETCH(QString, prefix);
    QFETCH(QStringList, names);
    m_window->FilterWords(QStringLiteral("Square"));
    m_window->FilterWords(prefix);
    QCOMPARE(listed(m_window), names);
    if (names.size() != 1) {
        // Nothing shown; the category box keeps its text.
        QCOMPARE(m_window->CurrentIndex(), -1);
        QCOMPARE(field(m_window, "edVexScriptWord"), QString());
        QCOMPARE(field(m_window, "edExample"), QString());
        QCOMPARE(field(m_window, "edCategory"), QStringLiteral("Math"));
        QCOMPARE(component<QPlainTextEdit>(m_window, "memWordInfo")->toPlainText(), QString());
    }
}

void WordOverviewTest::categoryAndCreatorFilter() {
    auto* categories = component<QComboBox>(m_window, "cbCategories");
    m_window->FilterWords(QStringLiteral("Sq"));
    categories->setCurrentText(QStringLiteral("Math"));
    // The editor's prefix is dropped.
    QCOMPARE(listed(m_window), (QStringList{"Pi0", "Square", "Sum"}));
    categories->setCurrentText(QStringLiteral("Only Constants"));
    QCOMPARE(listed(m_window), (QStringList{"MaxValue", "Zero"}));

    categories->setCurrentIndex(0);
    auto* creators = component<QComboBox>(m_window, "cbCreators");
    creators->setCurrentText(QStringLiteral("Ben"));
    // Creators compare exactly; constants are not filtered by creator.
    QCOMPARE(listed(m_window), (QStringList{"MaxValue", "Sum", "Zero"}));
}

void WordOverviewTest::steppingWraps() {
    auto* categories = component<QComboBox>(m_window, "cbCategories");
    categories->setCurrentText(QStringLiteral("Math"));
    QCOMPARE(selected(m_window), QString());
    m_window->StepWord(-1);
    QCOMPARE(selected(m_window), QStringLiteral("Sum"));
    QCOMPARE(field(m_window, "edVexScriptWord"), QStringLiteral("Sum"));
    m_window->StepWord(+1);
    QCOMPARE(selected(m_window), QStringLiteral("Pi0"));
    m_window->StepWord(-1);
    QCOMPARE(selected(m_window), QStringLiteral("Sum"));

    // From no selection, next is the first.
    m_window->FilterWords(QString());
    m_window->StepWord(+1);
    QCOMPARE(selected(m_window), listed(m_window).first());

    // Keys in the list select as well.
    auto* list = component<QListWidget>(m_window, "lbxVexScriptWords");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(field(m_window, "edVexScriptWord"), listed(m_window).at(1));
}

void WordOverviewTest::f1OpensTheHelpTopic() {
    QTemporaryDir pages;
    QString error;
    QVERIFY2(WriteHelpPages(*m_context, pages.path(), error), qPrintable(error));
    SetHelpPagesDirectory(pages.path());
    auto* list = component<QListWidget>(m_window, "lbxVexScriptWords");
    // Without a selection F1 does nothing.
    QTest::keyClick(list, Qt::Key_F1);
    QCOMPARE(GetHelpWindow()->isVisible(), false);

    m_window->FilterWords(QStringLiteral("+"));
    QTest::keyClick(list, Qt::Key_F1, Qt::ShiftModifier);
    QVERIFY(GetHelpWindow()->isVisible());
    QCOMPARE(GetHelpWindow()->CurrentPage(), QStringLiteral("add.html"));
    m_window->FilterWords(QStringLiteral("square"));
    QTest::keyClick(list, Qt::Key_F1);
    QCOMPARE(GetHelpWindow()->CurrentPage(), QStringLiteral("square.html"));
}

void WordOverviewTest::windowComesBackAndRefills() {
    m_window->close();
    QVERIFY(!m_window->isVisible());
    QCOMPARE(GetVexScriptOverview(m_context.get()), m_window);

    vex::TWordAttributes attributes;
    attributes.CodeText = "1";
    QVERIFY(m_context->RegisterUserWord("Squid", "Texts", attributes) > 0);
    m_window->ShowOverview();
    QVERIFY(m_window->isVisible());
    m_window->FilterWords(QStringLiteral("Sq"));
    QCOMPARE(listed(m_window), (QStringList{"Square", "Squid"}));

    // Its place is stored when it goes, and it comes back there.
    m_window->move(33, 44);
    m_window->resize(210, 450);
    FinalizeVexScriptOverview();
    m_window = GetVexScriptOverview(m_context.get());
    m_window->ShowOverview();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QCOMPARE(m_window->pos(), QPoint(33, 44));
    // The stored size is the frame's; the client gets it back once the frame is known.
    QTRY_COMPARE(m_window->size(), QSize(210, 450));
}

void WordOverviewTest::keepsItsMinimumSizeAndDefaultPlace() {
    // Nothing stored yet (init removed the settings): the default place.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(m_window->pos(), QPoint(screen.width() - 260, 220));
    QCOMPARE(m_window->height(), std::max(400, screen.height() - 300));
    QCOMPARE(m_window->width(), 204);

    m_window->resize(100, 300);
    QCOMPARE(m_window->size(), QSize(150, 400));

    // Stay on top from the pop-up menu, and back.
    auto* stayOnTop = m_window->findChild<QAction*>(QStringLiteral("StayOnTop"));
    stayOnTop->trigger();
    QVERIFY(m_window->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(m_window->isVisible());
    stayOnTop->trigger();
    QVERIFY(!(m_window->windowFlags() & Qt::WindowStaysOnTopHint));
}

void WordOverviewTest::thousandsOfUserWords() {
    m_context->AddCategory("Many");
    vex::TWordAttributes attributes;
    attributes.CodeText = "1";
    for (int i = 0; i < 5000; ++i)
        QVERIFY(m_context->RegisterUserWord("User" + std::to_string(i), "Many", attributes) > 0);
    m_window->close();
    m_window->ShowOverview();
    QCOMPARE(listed(m_window).size() > 5000, true);
    m_window->FilterWords(QStringLiteral("User49"));
    QCOMPARE(listed(m_window).size(), 111);
    m_window->FilterWords(QStringLiteral("User4999"));
    QCOMPARE(field(m_window, "edVexScriptWord"), QStringLiteral("User4999"));
}

void WordOverviewTest::everyNumberIsInTheModules_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("ZT9, English") << 9;
    QTest::newRow("ZT7, German") << 7;
}

void WordOverviewTest::everyNumberIsInTheModules() {
    QFETCH(int, language);
    std::set<int> numbers = {
#define NUMBER_OF(constant, number, english) number,
        ZT_EDITING_TEXTS(NUMBER_OF)
#undef NUMBER_OF
    };
    TformSyntax syntax(m_context.get());
    for (QWidget* window : std::initializer_list<QWidget*>{m_window, GetHelpWindow(), &syntax})
        addLayoutNumbers(window, numbers);
    QVERIFY(LoadLanguageModule("ZT", language));
    const QStringList missing = missingLanguageNumbers(numbers);
    QVERIFY2(missing.isEmpty(), qPrintable("missing: " + missing.join(' ')));

    // A window created now is translated.
    FinalizeVexScriptOverview();
    m_window = GetVexScriptOverview(m_context.get());
    m_window->ShowOverview();
    QCOMPARE(component<QComboBox>(m_window, "cbCategories")->itemText(0),
             u' ' + GetLanguageText(4310));
}

// Leaves WordOverview-entry.png to look at.
void WordOverviewTest::screenshot() {
    m_window->resize(260, 581);
    m_window->FilterWords(QStringLiteral("Squ"));
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    const QImage image = m_window->grab().toImage();
    QVERIFY(image.save(QStringLiteral(ZENTARO_TEST_OUTPUT_DIR "/WordOverview-entry.png")));
    QCOMPARE(image.size(), m_window->size() * image.devicePixelRatio());
}

QTEST_MAIN(WordOverviewTest)
#include "WordOverviewTest.moc"
