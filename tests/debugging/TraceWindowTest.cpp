#include "debugging/TformTrace.h"
#include "debugging/TraceWindows.h"
#include "editing/ApplicationServices.h"
#include "services/Clock.h"
#include "services/LanguageManager.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

using namespace std::chrono_literals;

namespace {

// Counts how often a window was brought to the front.
class TRaiseCounter : public QObject {
public:
    int Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        Count += event->type() == QEvent::ZOrderChange;
        return false;
    }
};

QPlainTextEdit* memTrace(TformTrace* window) {
    return window->findChild<QPlainTextEdit*>("memTrace");
}

QStatusBar* sbTrace(TformTrace* window) {
    return window->findChild<QStatusBar*>("sbTrace");
}

QAction* action(TformTrace* window, const char* name) {
    return window->findChild<QAction*>(name);
}

QColor background(TformTrace* window) {
    return memTrace(window)->palette().color(QPalette::Base);
}

QString lines(TformTrace* window) {
    return memTrace(window)->toPlainText();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

} // namespace

class TraceWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstErrorCreatesShowsAndNumbersTheWindow();
    void plainMessageNeverShowsItsWindow();
    void repeatedErrorsAreCountedOnOneLine();
    void raisesOnlyAfterAQuietSecond_data();
    void raisesOnlyAfterAQuietSecond();
    void errorsFlashYellowAndAquaUntilActivated();
    void errorRestoresAMinimisedWindow();
    void clearingEitherWindowEmptiesTheErrorLog_data();
    void clearingEitherWindowEmptiesTheErrorLog();
    void reshownErrorWindowKeepsTheNumbers();
    void popupMenuHoldsItsItemsAndKeys();
    void popupMenuOpensAndItsItemsWork();
    void savesNumberedCrLfLinesInWindows1252();
    void failedSaveIsReportedAndChangesNothing_data();
    void failedSaveIsReportedAndChangesNothing();
    void aLongMessageKeepsTheWindowSmall();
    void messagesFromAnotherThreadArriveInOrder();
    void wordWrapAndQuietFollowTheHost_data();
    void wordWrapAndQuietFollowTheHost();
    void windowsTakeTheServicesOfTheLivingTraceWindows();
    void translatesItselfFirst_data();
    void translatesItselfFirst();
    void screenshotOfTheErrorWindow();
    void windowsComeBackWhereTheyWereLeft();

private:
    std::chrono::milliseconds m_now = 100'000ms;
    bool m_wordWrap = false;
    bool m_quiet = false;
    QString m_savePath;
    QList<TFileDialogRequest> m_saveRequests;
    QStringList m_boxes;
    TApplicationServices m_services;
    std::unique_ptr<TTraceWindows> m_windows;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TraceWindowTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_now = 100'000ms;
    m_wordWrap = false;
    m_quiet = false;
    m_savePath.clear();
    m_saveRequests.clear();
    m_boxes.clear();
    setClock([this] { return m_now; });
    m_services.TraceWordWrap = [this] { return m_wordWrap; };
    m_services.TraceQuiet = [this] { return m_quiet; };
    m_services.FileDialogs.Save = [this](const TFileDialogRequest& request) {
        m_saveRequests << request;
        return m_savePath;
    };
    m_services.MessageBoxes = [this](const TMessageBoxRequest& request) {
        m_boxes << request.Text;
        return QMessageBox::Ok;
    };
    m_windows = std::make_unique<TTraceWindows>(m_services);
}

void TraceWindowTest::cleanup() {
    m_windows.reset();
    FinalizeLanguageManager();
    setClock({});
    QVERIFY2(m_boxes.isEmpty(), qPrintable(m_boxes.join('\n')));
}

void TraceWindowTest::firstErrorCreatesShowsAndNumbersTheWindow() {
    QVERIFY(ErrorLog().isEmpty());

    TraceMessage("Could not open file /tmp/x.vex", true);

    TformTrace* window = GetErrorWindow();
    QVERIFY(window->isVisible());
    QVERIFY(sbTrace(window)->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Error messages"));
    QCOMPARE(lines(window), QStringLiteral("1 Could not open file /tmp/x.vex"));
    QCOMPARE(window->findChild<QLabel*>("lblLastError")->text(), QStringLiteral("Last Error:"));
    QCOMPARE(window->findChild<QLabel*>("lblLastErrorText")->text(),
             QStringLiteral("Could not open file /tmp/x.vex"));
    QCOMPARE(ErrorLog(), QStringList{"1 Could not open file /tmp/x.vex"});
    QCOMPARE(memTrace(window)->textCursor().position(), lines(window).size());
}

void TraceWindowTest::plainMessageNeverShowsItsWindow() {
    TraceMessage("Could not add token", false);
    TraceMessage("Could not add token", false);

    TformTrace* window = GetTraceWindow();
    QVERIFY(!window->isVisible());
    QVERIFY(sbTrace(window)->isHidden());
    QCOMPARE(window->windowTitle(), QStringLiteral("Tracer"));
    QCOMPARE(lines(window), QStringLiteral("1 Could not add token\n2 Could not add token"));
    QVERIFY(ErrorLog().isEmpty());

    // Shown by other means, it still shows no status bar.
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(!sbTrace(window)->isVisible());
}

// A run failing in a tight loop sends one error again and again: the window and ErrorLog count
// it on one line, also a message of several lines, so a flood costs one line.
void TraceWindowTest::repeatedErrorsAreCountedOnOneLine() {
    for (const char* error : {"A", "A", "A", "B", "A", "two\nlines", "two\nlines"})
        TraceMessage(error, true);
    TformTrace* window = GetErrorWindow();
    const QString expected = "1 A [3 times]\n2 B\n3 A\n4 two\nlines [2 times]";
    QCOMPARE(lines(window), expected);
    QCOMPARE(ErrorLog(), expected.split('\n').mid(0, 3) << "4 two\nlines [2 times]");
    QCOMPARE(window->MessageCount(), 4);

    for (int error = 0; error < 20000; ++error)
        TraceMessage("Runtime error \"+\": not a number", true);
    QCOMPARE(memTrace(window)->blockCount(), 6);
    QVERIFY(lines(window).endsWith("5 Runtime error \"+\": not a number [20000 times]"));
    // Another error ends the run of repeats.
    TraceMessage("B", true);
    TraceMessage("B", true);
    QVERIFY(lines(window).endsWith("6 B [2 times]"));
}

void TraceWindowTest::raisesOnlyAfterAQuietSecond_data() {
    QTest::addColumn<QList<int>>("times");  // milliseconds at which errors arrive
    QTest::addColumn<QList<int>>("raised"); // 1 where that error brings the window to the front

    QTest::newRow("first error") << QList<int>{0} << QList<int>{1};
    QTest::newRow("two within a second") << QList<int>{0, 500} << QList<int>{1, 0};
    QTest::newRow("exactly one second later") << QList<int>{0, 1000} << QList<int>{1, 0};
    QTest::newRow("after a quiet second") << QList<int>{0, 1001} << QList<int>{1, 1};
    QTest::newRow("a burst keeps it where it is")
        << QList<int>{0, 900, 1800, 2700, 4000} << QList<int>{1, 0, 0, 0, 1};
}

void TraceWindowTest::raisesOnlyAfterAQuietSecond() {
    QFETCH(QList<int>, times);
    QFETCH(QList<int>, raised);
    TRaiseCounter counter;
    GetErrorWindow()->installEventFilter(&counter);

    QList<int> found;
    const std::chrono::milliseconds start = m_now;
    for (int time : times) {
        m_now = start + std::chrono::milliseconds(time);
        const int before = counter.Count;
        TraceMessage("Unknown word", true);
        found << (counter.Count > before ? 1 : 0);
    }
    QCOMPARE(found, raised);
}

void TraceWindowTest::errorsFlashYellowAndAquaUntilActivated() {
    TformTrace* window = GetErrorWindow();
    const QColor normal = background(window);
    QList<QColor> colors;
    for (int i = 0; i < 3; ++i) {
        TraceMessage("Division by zero", true);
        colors << background(window);
    }
    QCOMPARE(colors, (QList<QColor>{TformTrace::FlashYellow, TformTrace::FlashAqua,
                                    TformTrace::FlashYellow}));

    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(background(window), normal);

    // The next error flashes again, starting from yellow.
    TraceMessage("Division by zero", true);
    QCOMPARE(background(window), TformTrace::FlashYellow);
}

void TraceWindowTest::errorRestoresAMinimisedWindow() {
    TraceMessage("first", true);
    TformTrace* window = GetErrorWindow();
    window->showMinimized();
    QVERIFY(window->windowState() & Qt::WindowMinimized);

    TraceMessage("second", true);

    QVERIFY(!(window->windowState() & Qt::WindowMinimized));
    QVERIFY(window->isVisible());
}

void TraceWindowTest::clearingEitherWindowEmptiesTheErrorLog_data() {
    QTest::addColumn<bool>("clearErrorWindow");
    QTest::newRow("error window") << true;
    QTest::newRow("trace window") << false;
}

void TraceWindowTest::clearingEitherWindowEmptiesTheErrorLog() {
    QFETCH(bool, clearErrorWindow);
    TraceMessage("a", true);
    TraceMessage("b", true);
    TraceMessage("plain", false);
    QCOMPARE(ErrorLog(), (QStringList{"1 a", "2 b"}));

    TformTrace* cleared = clearErrorWindow ? GetErrorWindow() : GetTraceWindow();
    action(cleared, "pmClearMessages")->trigger();

    QVERIFY(ErrorLog().isEmpty());
    QCOMPARE(lines(cleared), QString());
    QCOMPARE(cleared->MessageCount(), 0);
    CloseErrorWindow();
    TraceMessage("c", true);
    QCOMPARE(lines(GetErrorWindow()), QStringLiteral("1 c"));
    QCOMPARE(ErrorLog(), QStringList{"1 c"});
}

void TraceWindowTest::reshownErrorWindowKeepsTheNumbers() {
    TraceMessage("a", true);
    TraceMessage("b", true);
    QPointer<TformTrace> first = GetErrorWindow();

    CloseErrorWindow();
    QVERIFY(first.isNull());
    ShowErrorWindow();

    TformTrace* window = GetErrorWindow();
    QVERIFY(window->isVisible());
    QCOMPARE(lines(window), QStringLiteral("1 a\n2 b"));
    TraceMessage("c", true);
    QCOMPARE(lines(window), QStringLiteral("1 a\n2 b\n3 c"));
    QCOMPARE(ErrorLog(), (QStringList{"1 a", "2 b", "3 c"}));
}

void TraceWindowTest::popupMenuHoldsItsItemsAndKeys() {
    // name, caption, key; "-" for the separator
    const QStringList expected = {"pmClearMessages|Clear &Messages|",
                                  "pmSaveMessages|&Save Messages|", "-", "pmCopy|&Copy|Ctrl+C",
                                  "pmSelectAll|Select &All|Ctrl+A"};
    QStringList found;
    for (const QAction* item : GetErrorWindow()->findChild<QMenu*>("pmTrace")->actions())
        found << (item->isSeparator() ? QStringLiteral("-")
                                      : item->objectName() + '|' + item->text() + '|' +
                                            item->shortcut().toString());
    QCOMPARE(found, expected);
}

void TraceWindowTest::popupMenuOpensAndItsItemsWork() {
    TraceMessage("first line", true);
    TraceMessage("second line", true);
    TformTrace* window = GetErrorWindow();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QPlainTextEdit* memo = memTrace(window);
    auto* menu = window->findChild<QMenu*>("pmTrace");

    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(10, 10),
                                 memo->viewport()->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(memo->viewport(), &rightClick);
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    menu->hide();

    QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(memo->textCursor().selectedText(), QStringLiteral(u"1 first line\u20292 second line"));
    QApplication::clipboard()->clear();
    QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1 first line\n2 second line"));

    memo->moveCursor(QTextCursor::End);
    action(window, "pmSelectAll")->trigger();
    QVERIFY(memo->textCursor().hasSelection());
    QApplication::clipboard()->clear();
    action(window, "pmCopy")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1 first line\n2 second line"));
}

void TraceWindowTest::savesNumberedCrLfLinesInWindows1252() {
    TraceMessage(QStringLiteral(u"Could not open file caf\u00E9.vex"), true);
    TraceMessage(QStringLiteral(u"Price \u20AC 5 \u201Cquoted\u201D"), true);
    TraceMessage(QStringLiteral(u"Not in the code page: \u4E2D"), true);
    m_savePath = m_dir->filePath("errors.txt");

    action(GetErrorWindow(), "pmSaveMessages")->trigger();

    QCOMPARE(readFile(m_savePath), QByteArray("1 Could not open file caf\xE9.vex\r\n"
                                              "2 Price \x80 5 \x93quoted\x94\r\n"
                                              "3 Not in the code page: ?\r\n"));
    QCOMPARE(m_saveRequests.size(), 1);
    QCOMPARE(m_saveRequests[0].DefaultSuffix, QStringLiteral("txt"));
    QCOMPARE(m_saveRequests[0].Filter, QStringLiteral("Text files (*.txt);;All files (*)"));

    // An empty window saves an empty file.
    action(GetErrorWindow(), "pmClearMessages")->trigger();
    action(GetErrorWindow(), "pmSaveMessages")->trigger();
    QCOMPARE(readFile(m_savePath), QByteArray());
}

void TraceWindowTest::failedSaveIsReportedAndChangesNothing_data() {
    QTest::addColumn<QString>("name"); // below the test folder; empty: the dialog was cancelled
    QTest::newRow("cancelled") << QString();
    QTest::newRow("missing folder") << QStringLiteral("missing/errors.txt");
    QTest::newRow("a folder") << QStringLiteral("folder");
    QTest::newRow("below a file") << QStringLiteral("file/errors.txt");
}

void TraceWindowTest::failedSaveIsReportedAndChangesNothing() {
    QFETCH(QString, name);
    QVERIFY(QDir(m_dir->path()).mkpath("folder"));
    QFile file(m_dir->filePath("file"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("old\r\n") == 5);
    file.close();
    TraceMessage("kept", true);
    m_savePath = name.isEmpty() ? QString() : m_dir->filePath(name);

    action(GetErrorWindow(), "pmSaveMessages")->trigger();

    QCOMPARE(m_saveRequests.size(), 1);
    QCOMPARE(m_boxes.size(), name.isEmpty() ? 0 : 1);
    if (!name.isEmpty())
        QVERIFY2(
            m_boxes.first().startsWith("The messages could not be saved to " + m_savePath + ": "),
            qPrintable(m_boxes.first()));
    m_boxes.clear();
    QCOMPARE(lines(GetErrorWindow()), QStringLiteral("1 kept"));
    QCOMPARE(GetErrorWindow()->MessageCount(), 1);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             (QStringList{"file", "folder"}));
    QCOMPARE(readFile(m_dir->filePath("file")), QByteArray("old\r\n"));
}

// A 100,000-character message (a long statement quoted in an error) leaves the window at its
// size and the text box with a bounded part of it; the log and a saved file have it whole. Leaves
// TraceWindow-long.png, scrolled sideways with the numbers in view, to look at.
void TraceWindowTest::aLongMessageKeepsTheWindowSmall() {
    TraceMessage("short", true);
    TformTrace* window = GetErrorWindow();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QSize designed = window->size();
    const QString statement = "Do(" + QString("x+").repeated(50'000) + "1)";
    TraceMessage("Nesting too deep in: " + statement, true);
    TraceMessage("after", true);

    QCOMPARE(window->size(), designed);
    QVERIFY(window->minimumSizeHint().width() <= designed.width());
    QVERIFY(memTrace(window)->document()->characterCount() < 2 * TformTrace::kShownCharacters);
    QVERIFY(lines(window).contains("more characters: Save Messages writes the whole message]"));
    QCOMPARE(lines(window).section('\n', 2), QString("3 after"));
    QCOMPARE(window->findChild<QLabel*>("lblLastErrorText")->text(), QString("after"));
    QCOMPARE(ErrorLog().at(1), "2 Nesting too deep in: " + statement);
    m_savePath = m_dir->filePath("errors.txt");
    action(window, "pmSaveMessages")->trigger();
    QCOMPARE(readFile(m_savePath).size(), 9 + 23 + statement.size() + 2 + 9);

    // Scrolled sideways, the numbers stay at the left edge.
    QScrollBar* sideways = memTrace(window)->horizontalScrollBar();
    sideways->setValue(sideways->maximum() / 2);
    const QList<QWidget*> overlays =
        memTrace(window)->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(std::any_of(overlays.begin(), overlays.end(), [](const QWidget* child) {
        return child->isVisible() && child->geometry().left() <= 2 && child->width() < 60;
    }));
    QVERIFY(window->grab().save(QStringLiteral(ZENTARO_TEST_OUTPUT_DIR "/TraceWindow-long.png")));
    sideways->setValue(0);
    QVERIFY(std::none_of(overlays.begin(), overlays.end(), [](const QWidget* child) {
        return child->isVisible() && child->width() < 60 && child->height() > 20;
    }));
}

void TraceWindowTest::messagesFromAnotherThreadArriveInOrder() {
    constexpr int count = 300;
    TraceMessage("from the GUI thread", false);
    std::thread sender([] {
        for (int i = 1; i <= count; ++i)
            TraceMessage(QStringLiteral("message %1").arg(i), i % 3 == 0);
    });
    sender.join();

    QTRY_COMPARE(GetTraceWindow()->MessageCount() + GetErrorWindow()->MessageCount(), 1 + count);
    const QStringList plain = lines(GetTraceWindow()).split('\n');
    const QStringList errors = lines(GetErrorWindow()).split('\n');
    QCOMPARE(plain.size(), 1 + count - count / 3);
    QCOMPARE(errors.size(), count / 3);
    for (int i = 1, p = 1, e = 0; i <= count; ++i) {
        if (i % 3 == 0) {
            QCOMPARE(errors[e], QStringLiteral("%1 message %2").arg(e + 1).arg(i));
            ++e;
        } else {
            QCOMPARE(plain[p], QStringLiteral("%1 message %2").arg(p + 1).arg(i));
            ++p;
        }
    }
}

void TraceWindowTest::wordWrapAndQuietFollowTheHost_data() {
    QTest::addColumn<bool>("wordWrap");
    QTest::addColumn<bool>("quiet");
    QTest::addColumn<int>("wrapMode");
    QTest::addColumn<int>("horizontalScrollBar");
    QTest::addColumn<bool>("shown");

    QTest::newRow("defaults") << false << false << int(QPlainTextEdit::NoWrap)
                              << int(Qt::ScrollBarAsNeeded) << true;
    QTest::newRow("word wrap") << true << false << int(QPlainTextEdit::WidgetWidth)
                               << int(Qt::ScrollBarAlwaysOff) << true;
    QTest::newRow("quiet") << false << true << int(QPlainTextEdit::NoWrap)
                           << int(Qt::ScrollBarAsNeeded) << false;
}

void TraceWindowTest::wordWrapAndQuietFollowTheHost() {
    QFETCH(bool, wordWrap);
    QFETCH(bool, quiet);
    QFETCH(int, wrapMode);
    QFETCH(int, horizontalScrollBar);
    QFETCH(bool, shown);
    m_wordWrap = wordWrap;
    m_quiet = quiet;

    TraceMessage("an error", true);

    TformTrace* window = GetErrorWindow();
    QCOMPARE(int(memTrace(window)->lineWrapMode()), wrapMode);
    QCOMPARE(int(memTrace(window)->horizontalScrollBarPolicy()), horizontalScrollBar);
    QCOMPARE(window->isVisible(), shown);
    QCOMPARE(lines(window), QStringLiteral("1 an error")); // quiet or not, nothing is lost

    // Activation reads the switch again.
    m_wordWrap = !wordWrap;
    window->NormalColor();
    QCOMPARE(memTrace(window)->lineWrapMode() == QPlainTextEdit::WidgetWidth, !wordWrap);
}

// A window is handed the services of the TTraceWindows alive when it is made; at that one's end
// its windows go, and the services of the one around it apply again.
void TraceWindowTest::windowsTakeTheServicesOfTheLivingTraceWindows() {
    m_wordWrap = true;
    QStringList innerSaves;
    TApplicationServices inner;
    inner.FileDialogs.Save = [&innerSaves](const TFileDialogRequest&) {
        innerSaves << "inner";
        return QString();
    };
    {
        const TTraceWindows scope(inner);
        TraceMessage("inside", true);
        QCOMPARE(memTrace(GetErrorWindow())->lineWrapMode(), QPlainTextEdit::NoWrap);
        GetErrorWindow()->pmSaveMessagesClick();
    }
    QVERIFY(ErrorLog().isEmpty());

    TraceMessage("outside", true);
    QCOMPARE(memTrace(GetErrorWindow())->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    GetErrorWindow()->pmSaveMessagesClick();
    QCOMPARE(innerSaves, QStringList{"inner"});
    QCOMPARE(m_saveRequests.size(), 1);
}

void TraceWindowTest::translatesItselfFirst_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("errorCaption");
    QTest::addColumn<QString>("lastError");
    QTest::addColumn<QString>("clearMessages");
    QTest::addColumn<QString>("clearHint");

    QTest::addColumn<QString>("name");

    QTest::newRow("English") << 9 << "Error messages"
                             << "Last Error:"
                             << "Clear &Messages"
                             << "Removes every message from this window"
                             << "en";
    QTest::newRow("German") << 7 << "Fehlermeldungen"
                            << "Letzter Fehler:"
                            << "&Meldungen l\u00F6schen"
                            << "Entfernt alle Meldungen aus diesem Fenster"
                            << "de";
}

void TraceWindowTest::translatesItselfFirst() {
    QFETCH(int, language);
    QFETCH(QString, errorCaption);
    QFETCH(QString, lastError);
    QFETCH(QString, clearMessages);
    QFETCH(QString, clearHint);
    QFETCH(QString, name);
    QVERIFY(LoadLanguageModule("ZT", language));

    TraceMessage("x", true);

    TformTrace* window = GetErrorWindow();
    QCOMPARE(window->windowTitle(), errorCaption);
    const auto* caption = window->findChild<QLabel*>("lblLastError");
    QCOMPARE(caption->text(), lastError);
    QVERIFY(caption->width() > caption->fontMetrics().horizontalAdvance(lastError));
    QCOMPARE(action(window, "pmClearMessages")->text(), clearMessages);
    QCOMPARE(action(window, "pmClearMessages")->statusTip(), clearHint);
    // A translated memo text would have replaced the messages; the memo has none to translate.
    QCOMPARE(lines(window), QStringLiteral("1 x"));

    // Leaves TraceWindow-<name>-menu.png to look at.
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto* menu = window->findChild<QMenu*>("pmTrace");
    menu->popup(window->mapToGlobal(QPoint(20, 20)));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    const QImage image = menu->grab().toImage();
    menu->hide();
    QVERIFY(
        image.save(QStringLiteral(ZENTARO_TEST_OUTPUT_DIR "/TraceWindow-") + name + "-menu.png"));
    QVERIFY(image.width() > 100 && image.height() > 60);
}

// Leaves TraceWindow-errors.png to look at; checks the size and the flashing background.
void TraceWindowTest::screenshotOfTheErrorWindow() {
    TraceMessage("Unknown word 'Prnt' in: Prnt([hello])", true);
    // Once the window is on the screen, later errors flash it without activating it.
    QVERIFY(QTest::qWaitForWindowExposed(GetErrorWindow()));
    m_now += 2s;
    TraceMessage("Could not open file /home/user/models/plant.vex", true);
    m_now += 2s;
    TraceMessage(QStringLiteral(u"Division by zero in: Set(caf\u00E9, 1/0)"), true);
    TformTrace* window = GetErrorWindow();
    QVERIFY(QTest::qWaitForWindowExposed(window));

    const QImage image = window->grab().toImage();
    QVERIFY(image.save(QStringLiteral(ZENTARO_TEST_OUTPUT_DIR "/TraceWindow-errors.png")));
    QVERIFY(image.width() >= 545 && image.height() >= 126);
    const QWidget* viewport = memTrace(window)->viewport();
    const QPoint inside =
        viewport->mapTo(window, QPoint(viewport->width() - 4, viewport->height() - 4));
    // Whether showing activated the window (and so reset the first flash) is the platform's affair.
    QVERIFY(background(window) == TformTrace::FlashYellow ||
            background(window) == TformTrace::FlashAqua);
    QCOMPARE(QColor(image.pixel(inside)), background(window));
    const QRect status = sbTrace(window)->geometry();
    QVERIFY(status.height() >= 19 && status.bottom() >= image.height() - 2);
}

// Each of the two windows keeps a placement of its own.
void TraceWindowTest::windowsComeBackWhereTheyWereLeft() {
    GetErrorWindow()->move(40, 50);
    GetTraceWindow()->move(300, 60);
    FinalizeTraceWindows();
    QCOMPARE(GetErrorWindow()->pos(), QPoint(40, 50));
    QCOMPARE(GetTraceWindow()->pos(), QPoint(300, 60));
}

QTEST_MAIN(TraceWindowTest)
#include "TraceWindowTest.moc"
