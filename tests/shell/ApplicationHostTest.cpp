#include "shell/ApplicationHost.h"

#include "debugging/TformTrace.h"
#include "debugging/TraceWindows.h"
#include "editing/ApplicationServices.h"
#include "services/LanguageManager.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

class ApplicationHostTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void languageTextIsWindows1252_data();
    void languageTextIsWindows1252();
    void errorsGoToTheMessageBoxDecoded();
    void wordTraceReachesTheTraceWindows();
    void errorLinesNameTheirPlace();
    void fileDialogsOfferThePreferredAndTheModelsFolder();

private:
    QStringList m_boxes;
    std::unique_ptr<TApplicationServices> m_services;
    std::unique_ptr<TTraceWindows> m_traceWindows;
};

void ApplicationHostTest::init() {
    m_boxes.clear();
    m_services = std::make_unique<TApplicationServices>();
    m_services->MessageBoxes = [this](const TMessageBoxRequest& request) {
        m_boxes << QString("%1 %2: %3").arg(request.Icon).arg(request.Title, request.Text);
        return QMessageBox::Ok;
    };
    m_traceWindows = std::make_unique<TTraceWindows>(*m_services);
}

void ApplicationHostTest::cleanup() {
    m_traceWindows.reset();
    m_services.reset();
    FinalizeLanguageManager();
}

void ApplicationHostTest::languageTextIsWindows1252_data() {
    QTest::addColumn<int>("language"); // 0: no module
    QTest::addColumn<int>("number");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("no module: empty, the runtime's English serves") << 0 << 3017 << QByteArray();
    QTest::newRow("English") << 9 << 3017 << QByteArray("at most");
    QTest::newRow("German umlaut as one byte") << 7 << 3017
                                               << QByteArray("h\xF6"
                                                             "chstens");
    QTest::newRow("missing number: empty") << 7 << 9999 << QByteArray();
}

void ApplicationHostTest::languageTextIsWindows1252() {
    QFETCH(int, language);
    QFETCH(int, number);
    QFETCH(QByteArray, text);
    if (language != 0)
        QVERIFY(LoadLanguageModule("ZT", language));
    TApplicationHost host(*m_services);
    QCOMPARE(QByteArray::fromStdString(host.LanguageText(number)), text);
}

void ApplicationHostTest::errorsGoToTheMessageBoxDecoded() {
    QVERIFY(LoadLanguageModule("ZT", 7));
    TApplicationHost host(*m_services);
    host.ShowErrorBox("Fehler in caf\xE9");
    host.HandleException(std::runtime_error("Stack overflow"));
    host.HandleException(std::runtime_error("")); // the silent abort shows nothing
    const QString critical = QString::number(QMessageBox::Critical);
    QCOMPARE(m_boxes, (QStringList{critical + QString::fromUtf8(" Fehler: Fehler in café"),
                                   critical + " Fehler: Stack overflow"}));
}

// Print and Trace reach the trace windows through the host's trace sink, decoded; the trace
// windows follow the host's preferences.
void ApplicationHostTest::wordTraceReachesTheTraceWindows() {
    TApplicationHost host(*m_services);
    host.TraceMessage("caf\xE9 \x93ready\x94", true);
    QCOMPARE(ErrorLog().size(), 1);
    QVERIFY2(ErrorLog().first().endsWith(QString::fromUtf8("café “ready”")),
             qPrintable(ErrorLog().first()));
    host.TraceMessage("plain", false);
    QCOMPARE(GetTraceWindow()->MessageCount(), 1);
    QVERIFY(!m_services->WrapsTrace());
    QVERIFY(!m_services->KeepsTraceQuiet());
    host.Services().Preferences.TraceWordWrap = true;
    host.Services().Preferences.TraceQuiet = true;
    QVERIFY(m_services->WrapsTrace());
    QVERIFY(m_services->KeepsTraceQuiet());
}

// The error window's line starts with the file and line of the statement that reported the
// error; the runtime's message follows as it stands.
void ApplicationHostTest::errorLinesNameTheirPlace() {
    QTemporaryDir directory;
    const QString path = directory.filePath("broken.vex");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Print([fine])\nDo(1,\n  Nope)\n");
    file.close();
    TApplicationHost host(*m_services);
    TApplicationInterpreter context(host);
    vex::TText ignored;
    context.ExecuteText("ExecFile([" + path.toStdString() + "])", ignored);
    QCOMPARE(ErrorLog().size(), 1);
    QVERIFY2(ErrorLog().first().endsWith(path + ":2: Unknown word \"Nope\" in: Do(1,Nope)"),
             qPrintable(ErrorLog().first()));
    FinalizeTraceWindows();
}

// The places bar follows the preference, with the folders of the preferences and of the model
// file, both named in the scripts' code page; without the host it is off.
void ApplicationHostTest::fileDialogsOfferThePreferredAndTheModelsFolder() {
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkpath(QString::fromUtf8("café")));
    QVERIFY(QDir(folder.path()).mkpath("models"));
    QList<QUrl> places;
    m_services->FileDialogs.Open = [&places](const TFileDialogRequest& request) {
        places = request.Places;
        return QString();
    };
    const std::string base = folder.path().toStdString();
    {
        TApplicationHost host(*m_services);
        host.Services().Preferences.PlacesBarDirectory = base + "/caf\xE9";
        host.Services().Model.FileName = base + "/models/bank.vex";
        m_services->OpenFileName({});
        QVERIFY(places.isEmpty());
        host.Services().Preferences.UseCustomPlacesBar = true;
        m_services->OpenFileName({});
        QCOMPARE(places.mid(places.size() - 2),
                 (QList<QUrl>{QUrl::fromLocalFile(folder.path() + QString::fromUtf8("/café")),
                              QUrl::fromLocalFile(folder.path() + "/models")}));
    }
    m_services->OpenFileName({});
    QVERIFY(places.isEmpty());
}

QTEST_MAIN(ApplicationHostTest)
#include "ApplicationHostTest.moc"
