#include "shell/MainWindow.h"

#include "host/model/ModelServices.h"

#include "debugging/TformTrace.h"
#include "debugging/TraceTexts.h"
#include "debugging/TraceWindows.h"
#include "editing/ApplicationServices.h"
#include "editing/EditingTexts.h"
#include "editing/EditorMenu.h"
#include "editing/ScriptEditor.h"
#include "editing/TformHelp.h"
#include "editing/VexScriptEditor.h"
#include "platform/CodePage.h"
#include "platform/Registry.h"
#include "runtime/LanguageTexts.h"
#include "runtime/VexScript.h"
#include "services/FileDialogs.h"
#include "services/LanguageManager.h"
#include "services/MessageBoxes.h"
#include "services/SettingsRootKey.h"
#include "shell/ApplicationHost.h"
#include "shell/ModelTreeView.h"
#include "shell/ShellTexts.h"
#include "tests/platform/RegistryTestSupport.h"
#include "tests/services/LanguageCoverage.h"
#include "tests/services/LanguageSettings.h"
#include "tests/shell/TreeShape.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <memory>
#include <set>

using namespace zentaro::platform;

namespace {

// Every text number the code asks the language module for: the runtime's, the shell's, the
// editing layer's and the trace windows' messages, and the numbers in the layouts of the main
// window and the trace window.
std::set<int> requestedNumbers(QWidget* window) {
    std::set<int> numbers = {
#define NUMBER_OF(constant, number, english) number,
        VEX_LANGUAGE_TEXTS(NUMBER_OF) ZT_SHELL_TEXTS(NUMBER_OF) ZT_TRACE_TEXTS(NUMBER_OF)
            ZT_EDITING_TEXTS(NUMBER_OF)
#undef NUMBER_OF
    };
    addLayoutNumbers(window, numbers);
    addLayoutNumbers(GetTraceWindow(), numbers);
    return numbers;
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
    void openEditRunAndSaveByKeys();
    void checkSyntaxSelectsTheFirstFailingStatement();
    void runReportsTheErrorsOfItsStatements();
    void stopAtFirstErrorIsChosenAndKept();
    void changedScriptIsSavedOrKeptBeforeItGoes_data();
    void changedScriptIsSavedOrKeptBeforeItGoes();
    void failedSaveKeepsTheFileAndTheChanges();

    void withoutAContextTheModelItemsAreDisabled();
    void statusBarShowsModelNameFileAndClock();
    void newModelAsksOnlyWhenAtomsWouldBeLost_data();
    void newModelAsksOnlyWhenAtomsWouldBeLost();
    void quittingAsksOnlyWhenAtomsWouldBeLost_data();
    void quittingAsksOnlyWhenAtomsWouldBeLost();
    void saveAndOpenRoundTrip_data();
    void saveAndOpenRoundTrip();
    void failedOpenKeepsTheModel_data();
    void failedOpenKeepsTheModel();
    void libraryIsAddedOrLeavesNothing();
    void failedSaveIsReported();
    void openItemsAskThroughTheOpenDialog_data();
    void openItemsAskThroughTheOpenDialog();
    void wordReferenceListsTheRegistry();
    void editorKeysWinInsideTheEditor();
    void editorOpensAndSavesThroughTheFileMenu();
    void syntaxCheckBindsTheSelectedAtom();
    void screenshotWithModel();

private:
    QString writeFile(const QString& name, const QByteArray& bytes);
    QByteArray readFile(const QString& path);
    TVexScriptEditor* editor() const;
    double run(const char* script);
    vex::host::TModelServices& services() const { return m_host->Services(); }
    // The tree as "name(children...)", top-level items separated by spaces.
    QString tree();
    QString statusText(const char* label) const;

    QTemporaryDir m_dir;
    // The window's services, with the test's boxes and dialogs.
    TApplicationServices m_applicationServices;
    std::unique_ptr<TApplicationHost> m_host;
    std::unique_ptr<TApplicationInterpreter> m_context;
    TMainWindow* m_window = nullptr;
    std::unique_ptr<TTemporaryRegistryFile> m_registry;
    QStringList m_boxes;
    QMessageBox::StandardButton m_answer = QMessageBox::Ok;
    QStringList m_saveDialogs;
    QString m_savePath;
    QStringList m_openDialogs; // "title: filter"
    QString m_openPath;
};

void MainWindowTest::initTestCase() {
    m_registry = std::make_unique<TTemporaryRegistryFile>();
    m_applicationServices.MessageBoxes = [this](const TMessageBoxRequest& request) {
        m_boxes << request.Text;
        return m_answer;
    };
    m_applicationServices.FileDialogs.Save = [this](const TFileDialogRequest& request) {
        m_saveDialogs << request.Title;
        return m_savePath;
    };
    m_applicationServices.FileDialogs.Open = [this](const TFileDialogRequest& request) {
        m_openDialogs << request.Title + ": " + request.Filter;
        return m_openPath;
    };
}

void MainWindowTest::cleanupTestCase() {
    m_registry.reset();
}

// The window follows a context of its own, with its tree registered as the shell does.
void MainWindowTest::init() {
    QVERIFY(m_dir.isValid());
    InitializeLanguageManager();
    QVERIFY(LoadCurrentLanguageModule());
    m_boxes.clear();
    m_answer = QMessageBox::Ok;
    m_saveDialogs.clear();
    m_savePath.clear();
    m_openDialogs.clear();
    m_openPath.clear();
    m_host = std::make_unique<TApplicationHost>(m_applicationServices);
    m_context = std::make_unique<TApplicationInterpreter>(*m_host);
    m_applicationServices.Context = m_context.get();
    m_window = new TMainWindow(m_applicationServices);
    services().Tree = m_window->modelTree();
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void MainWindowTest::cleanup() {
    services().Tree = nullptr;
    delete m_window;
    m_window = nullptr;
    m_applicationServices.Context = nullptr;
    m_context.reset();
    m_host.reset();
    const QStringList errors = ErrorLog();
    FinalizeTraceWindows();
    QVERIFY2(m_boxes.isEmpty(), qPrintable(m_boxes.join('\n')));
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
}

void MainWindowTest::menusHoldTheirActions_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("actions"); // name, "-" for a separator; "!" marks disabled

    QTest::newRow("File")
        << "mnFile"
        << QStringList{"acNewModel",  "acOpenModel",  "acOpenLibrary", "acSaveModel",    "-",
                       "acNewScript", "acOpenScript", "acSaveScript",  "acSaveScriptAs", "-",
                       "acExit"};
    // Stop is enabled only while the person's run goes.
    QTest::newRow("Script") << "mnScript"
                            << QStringList{"acRun",         "acDebug", "!acStop",
                                           "acCheckSyntax", "-",       "acStopAtFirstError"};
    QTest::newRow("Window") << "mnWindow"
                            << QStringList{"acTraceWindow", "acErrorWindow", "acDebugger"};
    QTest::newRow("Help") << "mnHelp" << QStringList{"acWordReference", "acAbout"};
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
    const QStringList missing = missingLanguageNumbers(numbers);
    QVERIFY2(missing.isEmpty(), qPrintable("missing: " + missing.join(' ')));
}

void MainWindowTest::translatedScreenshot_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fileMenu");
    QTest::addColumn<QString>("atoms");
    QTest::addColumn<QStringList>("qtTexts"); // Yes, No, the dialog's "Look in", its Cancel
    QTest::newRow("English") << 9 << "en"
                             << "&File"
                             << "Model atoms" << QStringList{"&Yes", "&No", "Look in:", "Cancel"};
    QTest::newRow("German") << 7 << "de"
                            << "&Datei"
                            << "Atome des Modells"
                            << QStringList{"&Ja", "&Nein", "Suchen in:", "Abbrechen"};
}

// Leaves MainWindow-<name>.png and MainWindow-<name>-file-menu.png to look at.
void MainWindowTest::translatedScreenshot() {
    QFETCH(int, language);
    QFETCH(QString, name);
    QFETCH(QString, fileMenu);
    QFETCH(QString, atoms);
    QFETCH(QStringList, qtTexts);
    setLanguage(static_cast<std::uint32_t>(language));
    InitializeLanguageManager();
    QVERIFY(LoadCurrentLanguageModule());
    services().Tree = nullptr;
    delete m_window;
    m_window = new TMainWindow(m_applicationServices);
    services().Tree = m_window->modelTree();
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

    // Qt's own texts: the buttons of a question and the save dialog, as the window shows them.
    QMessageBox question(QMessageBox::Question, QString(),
                         ShellText(stDiscardModel).arg(QStringLiteral("Bank")),
                         QMessageBox::Yes | QMessageBox::No, m_window);
    question.show();
    QVERIFY(QTest::qWaitForWindowExposed(&question));
    QCOMPARE(question.button(QMessageBox::Yes)->text(), qtTexts[0]);
    QCOMPARE(question.button(QMessageBox::No)->text(), qtTexts[1]);
    QVERIFY(question.grab().save(base + "-question.png"));
    QFileDialog dialog(m_window, ShellText(stSaveModelTitle), m_dir.path(),
                       ShellText(stScriptFilter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.findChild<QLabel*>("lookInLabel")->text(), qtTexts[2]);
    QCOMPARE(
        dialog.findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Cancel)->text(),
        qtTexts[3]);
    QVERIFY(dialog.grab().save(base + "-save-dialog.png"));
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
    ClearErrorLog();
}

QString MainWindowTest::writeFile(const QString& name, const QByteArray& bytes) {
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

TVexScriptEditor* MainWindowTest::editor() const {
    return m_window->findChild<TScriptEditor*>(QStringLiteral("pnScript"))->Editor();
}

void MainWindowTest::openShowsDecodedTextAndFileName() {
    const QString path = writeFile("price.vex", "Set(p, [\x80 5 caf\xE9]);\n{ \x93quoted\x94 }\n");

    QVERIFY(m_window->openScript(path));

    QCOMPARE(editor()->toPlainText(), QStringLiteral(u"Set(p, [€ 5 café]);\n{ “quoted” }\n"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("price.vex[*] - Zentaro"));
    QVERIFY(!m_window->isWindowModified());
    QVERIFY(!editor()->isReadOnly());
    QVERIFY(QFontInfo(editor()->font()).fixedPitch());
}

void MainWindowTest::failedOpenKeepsWindowUsable_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing file") << QStringLiteral("missing.vex") << "No such file";
    QTest::newRow("folder") << QStringLiteral("folder.vex") << "Is a directory";
    QTest::newRow("binary file") << QStringLiteral("binary.vex") << "NUL bytes (line 1)";
}

void MainWindowTest::failedOpenKeepsWindowUsable() {
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QVERIFY(QDir(m_dir.path()).mkpath("folder.vex"));
    writeFile("binary.vex", QByteArray("\x7f"
                                       "ELF\x02\x01\x01\0\0\0",
                                       11));
    QVERIFY(m_window->openScript(writeFile("first.vex", "Beep();\n")));
    QTest::keyClick(editor(), Qt::Key_X);

    const QString badPath = m_dir.filePath(name);
    QVERIFY(!m_window->openScript(badPath));

    QCOMPARE(m_boxes.size(), 1);
    QVERIFY2(m_boxes.takeFirst().contains(reason), qPrintable(reason));
    QVERIFY2(m_window->statusBar()->currentMessage().contains(badPath),
             qPrintable(m_window->statusBar()->currentMessage()));
    QCOMPARE(editor()->toPlainText(), QStringLiteral("xBeep();\n"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("first.vex[*] - Zentaro"));
    QVERIFY(m_window->isWindowModified());

    QVERIFY(m_window->openScript(writeFile("second.vex", "Stop();\n")));
    QCOMPARE(editor()->toPlainText(), QStringLiteral("Stop();\n"));
    QVERIFY(!m_window->isWindowModified());
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

QByteArray MainWindowTest::readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Opens a script, adds a line by keys, runs it with F9 and saves it with Ctrl+S.
void MainWindowTest::openEditRunAndSaveByKeys() {
    const QString path = writeFile("twenty.vex", "DeclareGlobal([n], 0)\nn := 20\n");
    QVERIFY(m_window->openScript(path));
    editor()->setFocus();
    QTest::keyClick(editor(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(editor(), "n * 2 + 2");
    QVERIFY(m_window->isWindowModified());

    QTest::keyClick(editor(), Qt::Key_F9);
    QCOMPARE(m_window->statusBar()->currentMessage(), QStringLiteral("Result: 42"));
    // The run declared n, and the rows were built again with it.
    QCOMPARE(editor()->WordList().GetRow(2)->GetToken(0)->TokenClass, scGlobalVariable);

    QTest::keyClick(editor(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(readFile(path), QByteArray("DeclareGlobal([n], 0)\nn := 20\nn * 2 + 2\n"));
    QVERIFY(!m_window->isWindowModified());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("twenty.vex[*] - Zentaro"));
}

void MainWindowTest::checkSyntaxSelectsTheFirstFailingStatement() {
    QVERIFY(m_window->openScript(writeFile(
        "faulty.vex",
        "DeclareGlobal([x], 0)\n\n{ two faults }\nDo(1,\n  NoSuchWord(2))\nNoSuchEither(3)\n")));
    editor()->setFocus();
    QTest::keyClick(editor(), Qt::Key_F9, Qt::ControlModifier);
    QCOMPARE(editor()->textCursor().selectedText(), QStringLiteral("Do(1,\u2029  NoSuchWord(2))"));
    QVERIFY2(m_window->statusBar()->currentMessage().contains("line 4"),
             qPrintable(m_window->statusBar()->currentMessage()));
    QCOMPARE(ErrorLog().size(), 2);
    ClearErrorLog();

    editor()->SetScriptText("DeclareGlobal([y], 0)\ny := 1\n");
    QVERIFY(m_window->checkEditedScript());
    QCOMPARE(m_window->statusBar()->currentMessage(), QStringLiteral("The syntax is correct."));
}

void MainWindowTest::runReportsTheErrorsOfItsStatements() {
    editor()->SetScriptText("1 + 1\nNoSuchWord(1)\n7\n");
    QVERIFY(!m_window->runEditedScript());
    QCOMPARE(m_window->statusBar()->currentMessage(),
             QStringLiteral("The run reported errors; the error window lists them."));
    QCOMPARE(ErrorLog().size(), 1);
    ClearErrorLog();
    editor()->SetScriptText("{ nothing }\n\n");
    QVERIFY(m_window->runEditedScript());
    QCOMPARE(m_window->statusBar()->currentMessage(),
             QStringLiteral("The script holds no statement."));
}

// Off, an error inside a user word is contained: the word gives 0, the assignment around it and
// the next statement go on. Ticked, the run ends at the error. The tick is kept in the settings
// and comes back in the next session; a damaged value there gives the default.
void MainWindowTest::stopAtFirstErrorIsChosenAndKept() {
    const TTemporaryRegistryFile settings;
    // A new session: the preference starts at its default, the window reads the settings.
    const auto restart = [this] {
        services().Preferences.StopAtFirstError = false;
        services().Tree = nullptr;
        delete m_window;
        m_window = new TMainWindow(m_applicationServices);
        services().Tree = m_window->modelTree();
        return m_window->findChild<QAction*>("acStopAtFirstError");
    };
    QAction* stop = restart();
    QVERIFY(stop->isCheckable());
    QVERIFY(!stop->isChecked());

    const char* script = "Global([stock])\nstock := 1\n"
                         "DefineWord([Guarded],[Error([no stock])],1,1,[])\n"
                         "stock := Guarded(stock) + 100\nstock := stock + 1\n";
    for (const bool ticked : {false, true}) {
        if (stop->isChecked() != ticked)
            stop->trigger();
        QCOMPARE(services().Preferences.StopAtFirstError, ticked);
        editor()->SetScriptText(script);
        QVERIFY(!m_window->runEditedScript());
        QCOMPARE(ErrorLog().size(), 1);
        ClearErrorLog();
        QCOMPARE(run("stock"), ticked ? 1.0 : 101.0);
    }

    QVERIFY(restart()->isChecked());
    QVERIFY(services().Preferences.StopAtFirstError);

    TRegistryKey general;
    QCOMPARE(
        TRegistryKey::CurrentUser().OpenKey(std::string(SettingsRootKey) + "\\General", general),
        TRegistryStatus::Success);
    for (const TRegistryValue& damaged :
         {TRegistryValue::FromString("1"), TRegistryValue::FromInteger(2)}) {
        QCOMPARE(general.SetValue("Stop At First Error", damaged), TRegistryStatus::Success);
        QVERIFY(!restart()->isChecked());
        QVERIFY(!services().Preferences.StopAtFirstError);
    }
}

void MainWindowTest::changedScriptIsSavedOrKeptBeforeItGoes_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("text");    // what the editor holds afterwards
    QTest::addColumn<QByteArray>("file"); // what the script's file holds afterwards
    QTest::addColumn<bool>("visible");
    const QByteArray old("Do(1)\n");
    const QByteArray changed("Do(12)\n");
    QTest::newRow("new, cancelled") << "new" << int(QMessageBox::Cancel) << "Do(12)\n"
                                    << old << true;
    QTest::newRow("new, not saved") << "new" << int(QMessageBox::No) << "" << old << true;
    QTest::newRow("new, saved") << "new" << int(QMessageBox::Yes) << "" << changed << true;
    QTest::newRow("quit, cancelled") << "quit" << int(QMessageBox::Cancel) << "Do(12)\n"
                                     << old << true;
    QTest::newRow("quit, not saved") << "quit" << int(QMessageBox::No) << "Do(12)\n"
                                     << old << false;
    QTest::newRow("quit, saved") << "quit" << int(QMessageBox::Yes) << "Do(12)\n"
                                 << changed << false;
}

void MainWindowTest::changedScriptIsSavedOrKeptBeforeItGoes() {
    QFETCH(QString, operation);
    QFETCH(int, answer);
    QFETCH(QString, text);
    QFETCH(QByteArray, file);
    QFETCH(bool, visible);
    const QString path = writeFile("asked.vex", "Do(1)\n");
    QVERIFY(m_window->openScript(path));
    editor()->setFocus();
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(editor(), Qt::Key_Right);
    QTest::keyClick(editor(), Qt::Key_2);
    QCOMPARE(editor()->toPlainText(), QStringLiteral("Do(12)\n"));

    m_answer = QMessageBox::StandardButton(answer);
    if (operation == "new")
        m_window->findChild<QAction*>("acNewScript")->trigger();
    else
        m_window->close();
    QCOMPARE(m_boxes, QStringList{"The script asked.vex has changed. Save the changes?"});
    m_boxes.clear();
    QCOMPARE(editor()->toPlainText(), text);
    QCOMPARE(readFile(path), file);
    QCOMPARE(m_window->isVisible(), visible);

    // Nothing changed since: no question.
    if (!m_window->isWindowModified()) {
        m_window->findChild<QAction*>("acNewScript")->trigger();
        QVERIFY(m_boxes.isEmpty());
    }
}

void MainWindowTest::failedSaveKeepsTheFileAndTheChanges() {
    const QString path = writeFile("locked.vex", "Do(1)\n");
    QVERIFY(m_window->openScript(path));
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    editor()->setFocus();
    QTest::keyClick(editor(), Qt::Key_X);
    QTest::keyClick(editor(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_boxes.size(), 1);
    QVERIFY2(m_boxes.takeFirst().contains("read-only"), "no reason given");
    QCOMPARE(readFile(path), QByteArray("Do(1)\n"));
    QVERIFY(m_window->isWindowModified());

    // A file that went away since it was opened is written anew.
    QVERIFY(QFile::remove(path));
    QVERIFY(m_window->saveScript());
    QCOMPARE(readFile(path), QByteArray("xDo(1)\n"));
    QVERIFY(!m_window->isWindowModified());

    // An untitled script asks for its name; a character Windows-1252 cannot hold is refused.
    m_window->newScript();
    editor()->SetScriptText(QString::fromUtf8("Do(1)\n[\u2192]\n"));
    m_savePath = m_dir.filePath("arrow.vex");
    QVERIFY(!m_window->saveScript());
    QCOMPARE(m_saveDialogs, QStringList{"Save Script As"});
    QVERIFY2(m_boxes.takeFirst().contains("line 2 holds the character U+2192"), "no line given");
    QVERIFY(!QFile::exists(m_savePath));
}

double MainWindowTest::run(const char* script) {
    vex::TText text;
    return m_context->ExecuteText(script, text);
}

namespace {

QString runText(vex::TLanguageInterpreter& context, const char* script) {
    vex::TText text;
    context.ExecuteText(script, text);
    return fromWindows1252(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

// A model with a bit of everything a model file carries: name, atoms, a label, a pending event
// and a clock past 0.
const char* const BankModel =
    "Do(SetName(model,[Bank]),DeclareGlobal([q],2),q := CreateAtom(model,[Queue]),"
    "SetLabel(q,[title],[Main queue]),CreateAtom(q,[Customer]),CreateEvent(6.5,q,7),RunModel(2))";

} // namespace

QString MainWindowTest::tree() {
    TModelTreeView* view = m_window->modelTree();
    if (!QTest::qWaitFor([view] { return !view->refreshPending(); }))
        return "refresh still pending";
    return TreeShape(*view);
}

QString MainWindowTest::statusText(const char* label) const {
    return m_window->findChild<QLabel*>(label)->text();
}

void MainWindowTest::withoutAContextTheModelItemsAreDisabled() {
    TMainWindow window;
    for (const char* item : {"acNewModel", "acOpenModel", "acOpenLibrary", "acSaveModel",
                             "acWordReference", "acStopAtFirstError"})
        QVERIFY2(!window.findChild<QAction*>(item)->isEnabled(), item);
    QVERIFY(window.findChild<QLabel*>("lblNoModel")->isVisibleTo(&window));
    QVERIFY(!window.findChild<QLabel*>("lblClock")->isVisibleTo(&window));
    QVERIFY(!window.newModel());
    QVERIFY(!window.openModel(writeFile("model.vex", "ModelFile(1,[x],0)\n")));
    QVERIFY(!m_window->findChild<QLabel*>("lblNoModel")->isVisibleTo(m_window));
}

void MainWindowTest::statusBarShowsModelNameFileAndClock() {
    QCOMPARE(statusText("lblModelName"), QString("Model: model"));
    QCOMPARE(statusText("lblClock"), QString("Time: 0"));

    run("Do(SetName(model,[Bank]),CreateEvent(5,CreateAtom(model,[Door])),RunModel(12.5))");
    QTRY_COMPARE(statusText("lblModelName"), QString("Model: Bank"));
    QTRY_COMPARE(statusText("lblClock"), QString("Time: 12.5"));

    run("RunModel(1E20)"); // the clock alone changes: the status bar notices without a rebuild
    QTRY_COMPARE(statusText("lblClock"), QString("Time: 1E20"));

    QVERIFY(m_window->saveModelAs(m_dir.filePath("bank.vex")));
    QCOMPARE(statusText("lblModelName"), QString("Model: Bank (bank.vex)"));
}

void MainWindowTest::newModelAsksOnlyWhenAtomsWouldBeLost_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("tree");

    QTest::newRow("no atoms: no question")
        << "SetName(model,[Empty])" << int(QMessageBox::No) << 0 << "model Library";
    QTest::newRow("atoms, kept") << "CreateAtom(model,[Queue])" << int(QMessageBox::No) << 1
                                 << "model(Queue) Library";
    QTest::newRow("atoms, discarded")
        << "CreateAtom(model,[Queue])" << int(QMessageBox::Yes) << 1 << "model Library";
}

void MainWindowTest::newModelAsksOnlyWhenAtomsWouldBeLost() {
    QFETCH(QString, script);
    QFETCH(int, answer);
    QFETCH(int, questions);
    QFETCH(QString, tree);
    run(script.toLatin1().constData());
    m_answer = QMessageBox::StandardButton(answer);

    m_window->findChild<QAction*>("acNewModel")->trigger();

    QCOMPARE(m_boxes.size(), questions);
    m_boxes.clear();
    QCOMPARE(this->tree(), tree);
}

void MainWindowTest::quittingAsksOnlyWhenAtomsWouldBeLost_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("byMenu"); // File > Exit, else the window's own close
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("closed");

    QTest::newRow("no atoms: no question") << "SetName(model,[Empty])" << true << 0 << 0 << true;
    QTest::newRow("atoms, kept") << "CreateAtom(model,[Queue])" << true << int(QMessageBox::No) << 1
                                 << false;
    QTest::newRow("atoms, discarded")
        << "CreateAtom(model,[Queue])" << true << int(QMessageBox::Yes) << 1 << true;
    QTest::newRow("window closed, atoms kept")
        << "CreateAtom(model,[Queue])" << false << int(QMessageBox::No) << 1 << false;
}

void MainWindowTest::quittingAsksOnlyWhenAtomsWouldBeLost() {
    QFETCH(QString, script);
    QFETCH(bool, byMenu);
    QFETCH(int, answer);
    QFETCH(int, questions);
    QFETCH(bool, closed);
    run(script.toLatin1().constData());
    m_answer = QMessageBox::StandardButton(answer);

    if (byMenu)
        m_window->findChild<QAction*>("acExit")->trigger();
    else
        m_window->close();

    QCOMPARE(m_boxes.size(), questions);
    if (questions)
        QCOMPARE(m_boxes.first(), QString("Discard the model \"model\" and quit? What was not "
                                          "saved is lost."));
    m_boxes.clear();
    QCOMPARE(m_window->isVisible(), !closed);
    QCOMPARE(run("ChildCount(model)"), script.startsWith("Create") ? 1.0 : 0.0);
}

void MainWindowTest::saveAndOpenRoundTrip_data() {
    QTest::addColumn<QString>("fileName");
    QTest::newRow("plain name") << "bank.vex";
    QTest::newRow("brackets in the name") << "odd ]name[.vex";
    QTest::newRow("letters beyond ASCII") << QString::fromUtf8("B\u00e4ckerei \u20ac.vex");
}

// Save asks for a name once; the model opened again is the one saved, under the file's name.
void MainWindowTest::saveAndOpenRoundTrip() {
    QFETCH(QString, fileName);
    run(BankModel);
    m_savePath = m_dir.filePath(fileName);

    m_window->findChild<QAction*>("acSaveModel")->trigger();
    QCOMPARE(m_saveDialogs, QStringList{"Save Model As"});
    QVERIFY(QFileInfo(m_savePath).isFile());
    QVERIFY(m_window->saveModel());
    QCOMPARE(m_saveDialogs.size(), 1); // the model knows its file now

    QVERIFY(m_window->newModel());
    QCOMPARE(tree(), QString("model Library"));
    QVERIFY(m_window->openModel(m_savePath));

    const QString stem = QFileInfo(fileName).completeBaseName();
    QCOMPARE(tree(), stem + "(Queue(Customer)) Library");
    QCOMPARE(runText(*m_context, "label([title],Child(model,1))"), QString("Main queue"));
    QCOMPARE(run("SimTime"), 2.0);
    QCOMPARE(run("EventCount"), 1.0);
    QCOMPARE(runText(*m_context, "ModelFileName"), m_savePath);
    QCOMPARE(statusText("lblModelName"), QString("Model: %1 (%2)").arg(stem, fileName));
    QVERIFY(!services().WaitCursorShown());
    QVERIFY(!services().Progress.IsActive());
}

void MainWindowTest::failedOpenKeepsTheModel_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // null: no such file
    QTest::addColumn<bool>("box");           // else the error window has the errors

    QTest::newRow("missing file") << "missing.vex" << QByteArray() << true;
    QTest::newRow("folder") << "folder.vex" << QByteArray() << true;
    QTest::newRow("cut off") << "cut.vex"
                             << QByteArray("{ Zentaro model file }\nModelFile(1,[Broken],3)\n"
                                           "LoadAtom(1,0,[Half],4)\nLoadAtom(2,1,[Cu")
                             << false;
    QTest::newRow("binary") << "binary.vex" << QByteArray("\x00\x01\xFF\xFE))((", 8) << false;
    QTest::newRow("a name Windows-1252 cannot hold")
        << QString::fromUtf8("\u4e2d.vex") << QByteArray("ModelFile(1,[X],0)\n") << true;
    QTest::newRow("newer format") << "future.vex"
                                  << QByteArray("ModelFile(2,[Future],0)\nLoadAtom(1,0,[A],2)\n")
                                  << false;
}

void MainWindowTest::failedOpenKeepsTheModel() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, box);
    QVERIFY(QDir(m_dir.path()).mkpath("folder.vex"));
    run(BankModel);
    const QString saved = m_dir.filePath("bank.vex");
    QVERIFY(m_window->saveModelAs(saved));
    const QString path = content.isNull() ? m_dir.filePath(name) : writeFile(name, content);

    QVERIFY(!m_window->openModel(path));

    QCOMPARE(tree(), QString("Bank(Queue(Customer)) Library"));
    QCOMPARE(runText(*m_context, "label([title],Child(model,1))"), QString("Main queue"));
    QCOMPARE(run("SimTime"), 2.0);
    QCOMPARE(run("EventCount"), 1.0);
    QCOMPARE(runText(*m_context, "ModelFileName"), saved);
    QVERIFY(!services().WaitCursorShown());
    QVERIFY(!services().Progress.IsActive());
    QVERIFY2(m_window->statusBar()->currentMessage().contains(path),
             qPrintable(m_window->statusBar()->currentMessage()));
    QCOMPARE(m_boxes.size(), box ? 1 : 0);
    QCOMPARE(ErrorLog().isEmpty(), box);
    m_boxes.clear();
    ClearErrorLog();
}

// A library read goes below "Library" and leaves the model's name and file alone; a damaged one
// leaves nothing behind, and the next model opens as usual.
void MainWindowTest::libraryIsAddedOrLeavesNothing() {
    run("Do(SetName(model,[Bank]),CreateAtom(model,[Mine]))");
    const QString parts = writeFile(
        "parts.vex", "ModelFile(1,[Parts],0)\nLoadAtom(1,0,[Part],0)\nLoadAtom(2,1,[Bolt],0)\n");
    const QString damaged = writeFile(
        "damaged.vex", "ModelFile(1,[Parts],0)\nLoadAtom(1,0,[Nut],0)\nLoadAtom(5,0,[Bad],0)\n");

    QVERIFY(m_window->openLibrary(parts));
    QCOMPARE(tree(), QString("Bank(Mine) Library(Part(Bolt))"));
    QCOMPARE(runText(*m_context, "ModelFileName"), QString());

    QVERIFY(!m_window->openLibrary(damaged));
    QCOMPARE(tree(), QString("Bank(Mine) Library(Part(Bolt))"));
    QVERIFY(!ErrorLog().isEmpty());
    ClearErrorLog();

    const QString model = m_dir.filePath("next.vex");
    QVERIFY(m_window->saveModelAs(model));
    QVERIFY(m_window->openModel(model));
    QCOMPARE(tree(), QString("next(Mine) Library(Part(Bolt))"));
}

void MainWindowTest::failedSaveIsReported() {
    run(BankModel);
    QVERIFY(!m_window->saveModelAs(m_dir.filePath("no/such/folder/bank.vex")));
    QCOMPARE(m_window->statusBar()->currentMessage(), ShellText(stModelNotSaved));
    QCOMPARE(ErrorLog().size(), 1);
    QCOMPARE(runText(*m_context, "ModelFileName"), QString());
    ClearErrorLog();
    // A name the scripts cannot hold is refused before anything is written.
    const QString foreign = m_dir.filePath(QString::fromUtf8("\u4e2d-saved.vex"));
    QVERIFY(!m_window->saveModelAs(foreign));
    QCOMPARE(m_boxes,
             QStringList{ShellText(stCannotSave).arg(foreign, ShellText(stNameOutsideCodePage))});
    m_boxes.clear();
    QVERIFY(!QFileInfo::exists(foreign));
}

void MainWindowTest::openItemsAskThroughTheOpenDialog_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("title");
    QTest::newRow("Open model") << "acOpenModel" << ShellText(stOpenModelTitle);
    QTest::newRow("Open library") << "acOpenLibrary" << ShellText(stOpenLibraryTitle);
    QTest::newRow("Open script") << "acOpenScript" << ShellText(stOpenScriptTitle);
}

// Cancelled, the dialog leaves everything as it was.
void MainWindowTest::openItemsAskThroughTheOpenDialog() {
    QFETCH(QString, item);
    QFETCH(QString, title);
    run(BankModel);
    const QString before = tree();
    m_window->findChild<QAction*>(item)->trigger();
    QCOMPARE(m_openDialogs, QStringList{title + ": " + ShellText(stScriptFilter)});
    QCOMPARE(tree(), before);
}

void MainWindowTest::wordReferenceListsTheRegistry() {
    m_window->findChild<QAction*>("acWordReference")->trigger();

    const auto* reference = m_window->findChild<QTextBrowser*>("formWordReference");
    QVERIFY(reference);
    QVERIFY(reference->isVisible());
    QVERIFY(reference->isReadOnly());
    QCOMPARE(reference->windowTitle(), QString("Word Reference"));
    const QString text = reference->toPlainText();
    QVERIFY(text.contains("CreateAtom"));
    QVERIFY(text.contains("Creates an atom as the last child of a mother"));
}

// In the editor Ctrl+O switches colouring and F1 opens the help of the word at the caret; in
// the rest of the window they open a script and the word reference.
void MainWindowTest::editorKeysWinInsideTheEditor() {
    editor()->SetScriptText("CreateAtom(model, [Door])");
    editor()->setFocus();
    QTest::keyClick(editor(), Qt::Key_O, Qt::ControlModifier);
    QVERIFY(!editor()->ColoringOn());
    QTest::keyClick(editor(), Qt::Key_F1);
    QVERIFY(GetHelpWindow()->isVisible());
    QVERIFY(m_openDialogs.isEmpty());
    QVERIFY(!m_window->findChild<QTextBrowser*>("formWordReference"));
    FinalizeHelpWindow();

    m_window->activateWindow();
    m_window->modelTree()->setFocus();
    QTest::keyClick(m_window->modelTree(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(m_openDialogs,
             QStringList{ShellText(stOpenScriptTitle) + ": " + ShellText(stScriptFilter)});
    QTest::keyClick(m_window->modelTree(), Qt::Key_F1);
    QVERIFY(m_window->findChild<QTextBrowser*>("formWordReference")->isVisible());
}

// The editor's Open and Save as are the File menu's: the title follows the file, and a changed
// script is asked about before it goes. Show trace window shows the error window.
void MainWindowTest::editorOpensAndSavesThroughTheFileMenu() {
    TEditorMenu* menu = editor()->EditorMenu();
    m_openPath = writeFile("opened.vex", "Do(1)\n");
    menu->CommandAction(TEditorCommand::Open)->trigger();
    QCOMPARE(editor()->toPlainText(), QStringLiteral("Do(1)\n"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("opened.vex[*] - Zentaro"));

    QTest::keyClicks(editor(), "x");
    m_answer = QMessageBox::Cancel;
    m_openPath = writeFile("other.vex", "Do(2)\n");
    menu->CommandAction(TEditorCommand::Open)->trigger();
    QCOMPARE(editor()->toPlainText(), QStringLiteral("xDo(1)\n"));
    QCOMPARE(m_boxes.size(), 1);
    m_boxes.clear();

    m_savePath = m_dir.filePath("saved-as.vex");
    menu->CommandAction(TEditorCommand::SaveAs)->trigger();
    QCOMPARE(readFile(m_savePath), QByteArray("xDo(1)\n"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("saved-as.vex[*] - Zentaro"));
    QVERIFY(!m_window->isWindowModified());

    menu->CommandAction(TEditorCommand::ShowTraceWindow)->trigger();
    QVERIFY(GetErrorWindow()->isVisible());
}

// The editor's syntax check (F10) lets bare names denote the named attributes of the atom that
// is current in the model panel.
void MainWindowTest::syntaxCheckBindsTheSelectedAtom() {
    run("SetAtt(CreateAtom(model,[Door]),[capacity],10)");
    TModelTreeView* tree = m_window->modelTree();
    tree->rebuild();
    QTreeWidgetItem* model = tree->topLevelItem(0);
    QCOMPARE(model->childCount(), 1);
    editor()->SetScriptText("capacity * 2");
    editor()->setFocus();

    tree->setCurrentItem(model->child(0));
    QTest::keyClick(editor(), Qt::Key_F10);
    QCOMPARE(m_boxes, QStringList{EditingText(etSyntaxCorrect)});
    QVERIFY(ErrorLog().isEmpty());

    m_boxes.clear();
    tree->setCurrentItem(model);
    QTest::keyClick(editor(), Qt::Key_F10);
    QCOMPARE(m_boxes, QStringList{EditingText(etSyntaxFaulty)});
    QCOMPARE(ErrorLog().size(), 1);
    m_boxes.clear();
    ClearErrorLog();
}

// Leaves MainWindow-model.png (and /tmp/gui-helper-main.png) to look at.
void MainWindowTest::screenshotWithModel() {
    run("Do(SetName(model,[Bank]),DeclareGlobal([q],2),CreateAtom(model,[Door]),"
        "q := CreateAtom(model,[Queue]),CreateAtom(q,[Ann]),CreateAtom(q,[Bob]),"
        "CreateAtom(q,[Cleo]),CreateAtom(CreateAtom(model,[Teller]),[Desk]),"
        "CreateAtom(AtomByName([Library],main),[Customer]),CreateEvent(3,q),RunModel(42.5))");
    QVERIFY(m_window->saveModelAs(m_dir.filePath("bank.vex")));
    QVERIFY(m_window->openScript(writeFile("bank-run.vex", "{ one day of the bank }\n"
                                                           "ResetModel\nRunModel(480)\n")));
    QCOMPARE(tree(), QString("Bank(Door Queue(Ann Bob Cleo) Teller(Desk)) Library(Customer)"));
    TModelTreeView* view = m_window->modelTree();
    const auto queue = static_cast<std::int32_t>(run("q"));
    view->itemOf(queue)->setExpanded(true);
    view->setCurrentItem(view->itemOf(queue)->child(1));
    QVERIFY(QTest::qWaitForWindowExposed(m_window));

    const QImage image = m_window->grab().toImage();
    QVERIFY(image.save(QStringLiteral(ZENTARO_TEST_OUTPUT_DIR "/MainWindow-model.png")));
    QVERIFY(image.save(QStringLiteral("/tmp/gui-helper-main.png")));
    QCOMPARE(statusText("lblClock"), QString("Time: 42.5"));
    QVERIFY(view->visualItemRect(view->itemOf(queue)->child(2)).isValid());
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
