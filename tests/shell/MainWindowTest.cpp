#include "shell/MainWindow.h"

#include "debugging/TformTrace.h"
#include "debugging/TraceTexts.h"
#include "debugging/TraceWindows.h"
#include "platform/Registry.h"
#include "runtime/LanguageTexts.h"
#include "services/LanguageManager.h"
#include "services/MessageBoxes.h"
#include "services/SettingsRootKey.h"
#include "shell/ShellTexts.h"
#include "tests/platform/RegistryTestSupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <set>

using namespace zentaro::platform;

namespace {

// The numbers a window's layout carries (a hint's number only where the layout has a hint).
void addLayoutNumbers(QWidget* window, std::set<int>& numbers) {
    QList<QObject*> components = window->findChildren<QObject*>();
    components.prepend(window);
    for (const QObject* component : components) {
        if (const QVariant tag = component->property("tag"); tag.isValid())
            numbers.insert(tag.toInt());
        const QVariant helpContext = component->property("helpContext");
        if (!helpContext.isValid())
            continue;
        numbers.insert(helpContext.toInt());
        const QString hint =
            component->property("statusTip").toString() + component->property("toolTip").toString();
        if (!hint.isEmpty())
            numbers.insert(helpContext.toInt() + 1);
    }
}

// Every text number the code asks the language module for: the runtime's, the shell's and the
// trace windows' messages, and the numbers in the layouts of the main window and the trace window.
std::set<int> requestedNumbers(QWidget* window) {
    std::set<int> numbers = {
#define NUMBER_OF(constant, number, english) number,
        VEX_LANGUAGE_TEXTS(NUMBER_OF) ZT_SHELL_TEXTS(NUMBER_OF) ZT_TRACE_TEXTS(NUMBER_OF)
#undef NUMBER_OF
    };
    addLayoutNumbers(window, numbers);
    addLayoutNumbers(GetTraceWindow(), numbers);
    return numbers;
}

void setLanguage(std::uint32_t number) {
    TRegistryKey general;
    QCOMPARE(
        TRegistryKey::CurrentUser().CreateKey(std::string(SettingsRootKey) + "\\General", general),
        TRegistryStatus::Success);
    QCOMPARE(general.SetValue("Application Language", TRegistryValue::FromInteger(number)),
             TRegistryStatus::Success);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void menusHoldTheirActions_data();
    void menusHoldTheirActions();
    void everyRequestedNumberIsInTheModules_data();
    void everyRequestedNumberIsInTheModules();
    void translatedScreenshot_data();
    void translatedScreenshot();

    void windowMenuShowsTheTraceWindows_data();
    void windowMenuShowsTheTraceWindows();
    void openShowsDecodedTextAndFileName();
    void failedOpenKeepsWindowUsable_data();
    void failedOpenKeepsWindowUsable();
    void screenshot();

private:
    QString writeFile(const QString& name, const QByteArray& bytes);
    QPlainTextEdit* editor() const;

    QTemporaryDir m_dir;
    TMainWindow* m_window = nullptr;
    std::unique_ptr<TTemporaryRegistryFile> m_registry;
    QStringList m_boxes;
};

void MainWindowTest::initTestCase() {
    m_registry = std::make_unique<TTemporaryRegistryFile>();
    setMessageBoxPresenter([this](const TMessageBoxRequest& request) {
        m_boxes << request.Text;
        return QMessageBox::Ok;
    });
}

void MainWindowTest::cleanupTestCase() {
    setMessageBoxPresenter({});
    m_registry.reset();
}

void MainWindowTest::init() {
    QVERIFY(m_dir.isValid());
    InitializeLanguageManager();
    m_boxes.clear();
    m_window = new TMainWindow;
    m_window->show();
}

void MainWindowTest::cleanup() {
    FinalizeTraceWindows();
    delete m_window;
    m_window = nullptr;
    QVERIFY2(m_boxes.isEmpty(), qPrintable(m_boxes.join('\n')));
}

void MainWindowTest::menusHoldTheirActions_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("actions"); // name, "-" for a separator; "!" marks disabled

    // Actions whose feature does not exist yet are there, but disabled.
    QTest::newRow("File") << "mnFile" << QStringList{"!acNewModel",
                                                     "!acOpenModel",
                                                     "!acOpenLibrary",
                                                     "!acSaveModel",
                                                     "-",
                                                     "acOpenScript",
                                                     "-",
                                                     "acExit"};
    QTest::newRow("Window") << "mnWindow" << QStringList{"acTraceWindow", "acErrorWindow"};
    QTest::newRow("Help") << "mnHelp" << QStringList{"!acWordReference", "acAbout"};
}

void MainWindowTest::menusHoldTheirActions() {
    QFETCH(QString, menu);
    QFETCH(QStringList, actions);
    QStringList found;
    for (const QAction* action : m_window->findChild<QMenu*>(menu)->actions())
        found << (action->isSeparator() ? QString("-")
                                        : (action->isEnabled() ? "" : "!") + action->objectName());
    QCOMPARE(found, actions);
}

void MainWindowTest::everyRequestedNumberIsInTheModules_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("ZT9, English") << 9;
    QTest::newRow("ZT7, German") << 7;
}

void MainWindowTest::everyRequestedNumberIsInTheModules() {
    QFETCH(int, language);
    const std::set<int> numbers = requestedNumbers(m_window);
    QVERIFY(numbers.size() > 60);
    QVERIFY(LoadLanguageModule("ZT", language));
    QStringList missing;
    for (int number : numbers)
        if (GetLanguageText(number).isEmpty())
            missing << QString::number(number);
    QVERIFY2(missing.isEmpty(), qPrintable("missing: " + missing.join(' ')));
}

void MainWindowTest::translatedScreenshot_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fileMenu");
    QTest::addColumn<QString>("atoms");
    QTest::newRow("English") << 9 << "en"
                             << "&File"
                             << "Model atoms";
    QTest::newRow("German") << 7 << "de"
                            << "&Datei"
                            << "Atome des Modells";
}

// Leaves MainWindow-<name>.png and MainWindow-<name>-file-menu.png to look at.
void MainWindowTest::translatedScreenshot() {
    QFETCH(int, language);
    QFETCH(QString, name);
    QFETCH(QString, fileMenu);
    QFETCH(QString, atoms);
    setLanguage(static_cast<std::uint32_t>(language));
    InitializeLanguageManager();
    delete m_window;
    m_window = new TMainWindow;
    m_window->show();
    QVERIFY(m_window->openScript(writeFile("demo.vex", "Print([caf\xE9], 1+2)\n")));
    QVERIFY(QTest::qWaitForWindowExposed(m_window));

    QMenu* menu = m_window->findChild<QMenu*>("mnFile");
    QCOMPARE(menu->title(), fileMenu);
    QCOMPARE(m_window->findChild<QLabel*>("lblAtoms")->text(), atoms);
    const QString base = QStringLiteral(ZENTARO_TEST_OUTPUT_DIR "/MainWindow-") + name;
    QVERIFY(m_window->grab().save(base + ".png"));
    menu->popup(m_window->mapToGlobal(QPoint(0, m_window->menuBar()->height())));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    QVERIFY(menu->grab().save(base + "-file-menu.png"));
    menu->hide();
    setLanguage(9);
}

void MainWindowTest::windowMenuShowsTheTraceWindows_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("errorWindow");
    QTest::newRow("Trace window") << "acTraceWindow" << false;
    QTest::newRow("Error window") << "acErrorWindow" << true;
}

void MainWindowTest::windowMenuShowsTheTraceWindows() {
    QFETCH(QString, item);
    QFETCH(bool, errorWindow);
    TraceMessage("gathered before", errorWindow);
    TformTrace* window = errorWindow ? GetErrorWindow() : GetTraceWindow();
    window->hide();

    m_window->findChild<QAction*>(item)->trigger();

    QVERIFY(window->isVisible());
    QCOMPARE(window->findChild<QPlainTextEdit*>("memTrace")->toPlainText(),
             QStringLiteral("1 gathered before"));
    QCOMPARE(window->findChild<QWidget*>("sbTrace")->isVisible(), errorWindow);
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
