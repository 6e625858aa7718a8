// The automation service end to end on a private session bus: gdbus as a real command-line
// client on the shared object, and client connections of their own for per-client objects.

#include "shell/automation/AutomationService.h"
#include "debugging/TraceWindows.h"
#include "editing/ApplicationServices.h"
#include "host/model/ModelServices.h"
#include "shell/ApplicationHost.h"
#include "shell/automation/AutomationObject.h"
#include "shell/automation/ServiceRegistration.h"
#include "tests/shell/automation/AutomationTestSupport.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

constexpr const char* kApplication = "com.velmark.Zentaro.Application1";

struct TGdbusRun {
    int exitCode = -1;
    QString output; // standard output and error, trimmed
};

// Runs gdbus without blocking the event loop the service answers from.
TGdbusRun gdbusCall(const QString& path, const QString& method, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("gdbus"),
                  QStringList{"call", "--session", "--dest", "com.velmark.Zentaro", "--object-path",
                              path, "--method", method} +
                      arguments);
    if (!process.waitForStarted(5000)) {
        return {-1, QStringLiteral("gdbus did not start")};
    }
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 20000)) {
        process.kill();
        return {-1, QStringLiteral("gdbus did not answer in time")};
    }
    return {process.exitCode(), QString::fromUtf8(process.readAll()).trimmed()};
}

// Calls a method from a client connection of the test's own and waits for the answer.
QDBusMessage clientCall(const QDBusConnection& client, const QString& path, const QString& method,
                        const QVariantList& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("com.velmark.Zentaro"), path,
                                                       QString::fromLatin1(kApplication), method);
    call.setArguments(arguments);
    QDBusPendingCall pending = client.asyncCall(call, 20000);
    if (!QTest::qWaitFor([&] { return pending.isFinished(); }, 20000)) {
        return QDBusMessage::createError(QStringLiteral("test.Timeout"),
                                         QStringLiteral("no answer"));
    }
    return pending.reply();
}

QString createObject(const QDBusConnection& client) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("com.velmark.Zentaro"), QStringLiteral("/com/velmark/Zentaro"),
        QStringLiteral("com.velmark.Zentaro.Factory1"), QStringLiteral("CreateObject"));
    QDBusPendingCall pending = client.asyncCall(call, 20000);
    if (!QTest::qWaitFor([&] { return pending.isFinished(); }, 20000)) {
        return {};
    }
    const QDBusMessage reply = pending.reply();
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return {};
    }
    return reply.arguments().first().value<QDBusObjectPath>().path();
}

// Collects the Notification events a client connection receives.
class TEventReceiver : public QObject {
    Q_OBJECT

public:
    QStringList texts;

public slots:
    void notified(const QString& text) { texts.append(text); }
};

} // namespace

class AutomationServiceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init() { recordedCalls().clear(); }
    void everyMethodThroughGdbus_data();
    void everyMethodThroughGdbus();
    void theEmptyResultIsAnEmptyArrayOfVariants();
    void failuresAreErrorReplies();
    void eachClientGetsItsOwnObject();
    void releaseAndDisconnectDropTheClientsObjects();
    void eventsGoToTheObjectsOwnClientOnly();
    void registrationWritesAndRemovesTheActivationFile();
    void theExamplePythonClientRunsAScript();

    void runawayCallsEnd_data();
    void runawayCallsEnd();
    void noCallWaitsOnAPerson();
    void namesBeyondAsciiRoundTrip();
    void failuresAreReportedAndChangeNothing_data();
    void failuresAreReportedAndChangeNothing();

private:
    // Runs ExecuteScriptText on the shared object in the application's context.
    QString applicationText(const QString& script);
    int modelAtoms();

    TRecordingHost m_host;
    std::unique_ptr<TRecordingContext> m_context;
    std::unique_ptr<TRecordingContext> m_wordless;
    // The application's own host and words, with a small stack space, so that a frame of ten
    // locals does not fit.
    std::unique_ptr<TApplicationHost> m_applicationHost;
    std::unique_ptr<TApplicationInterpreter> m_application;
    // The services the automation objects are handed: their context is the one a test activates.
    TApplicationServices m_services;
    QStringList m_boxes;
    std::unique_ptr<TAutomationService> m_service;
    QTemporaryDir m_dir;
};

void AutomationServiceTest::initTestCase() {
    QVERIFY2(!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"),
             "run under dbus-run-session: the test needs a private session bus");
    m_context = newRecordingContext(m_host, true);
    m_wordless = newRecordingContext(m_host, false);
    m_services.Context = m_context.get();
    m_applicationHost = std::make_unique<TApplicationHost>(m_services);
    m_application = std::make_unique<TApplicationInterpreter>(*m_applicationHost, 64);
    m_services.MessageBoxes = [this](const TMessageBoxRequest& request) {
        m_boxes << request.Text;
        return QMessageBox::Ok;
    };
    m_service = std::make_unique<TAutomationService>(QDBusConnection::sessionBus(), m_services);
    QString error;
    QVERIFY2(m_service->start(&error), qPrintable(error));
    QFile model(m_dir.filePath("model.vex"));
    QVERIFY(model.open(QIODevice::WriteOnly));
}

void AutomationServiceTest::cleanupTestCase() {
    m_service.reset();
    m_application.reset();
    m_applicationHost.reset();
}

void AutomationServiceTest::everyMethodThroughGdbus_data() {
    QTest::addColumn<QString>("method");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("firstCall");

    const QString model = m_dir.filePath("model.vex");
    const QString missing = m_dir.filePath("missing.vex");
    QTest::newRow("NewModel") << "NewModel" << QStringList() << "()"
                              << "tztfnc(new model)";
    QTest::newRow("OpenModel") << "OpenModel" << QStringList{model} << "(<0.0>,)"
                               << "DisplayWatches(0)";
    QTest::newRow("OpenModel missing") << "OpenModel" << QStringList{missing} << "(<-1>,)"
                                       << "";
    QTest::newRow("OpenLibrary") << "OpenLibrary" << QStringList{model} << "(<0.0>,)"
                                 << "DisplayWatches(0)";
    QTest::newRow("SaveModel") << "SaveModel" << QStringList() << "()"
                               << "kernelfnc(save model under same name)";
    QTest::newRow("ExecuteScript") << "ExecuteScript" << QStringList{"1+2"} << "('', <3.0>)"
                                   << "";
    QTest::newRow("ExecuteScript text")
        << "ExecuteScript" << QStringList{"[caf\u00e9]"} << "('caf\u00e9', <0.0>)"
        << "";
    QTest::newRow("ExecuteScriptText")
        << "ExecuteScriptText" << QStringList{"[abc]"} << "(<'abc'>,)"
        << "";
}

void AutomationServiceTest::everyMethodThroughGdbus() {
    QFETCH(QString, method);
    QFETCH(QStringList, arguments);
    QFETCH(QString, output);
    QFETCH(QString, firstCall);
    const TGdbusRun run = gdbusCall(QString::fromLatin1(TAutomationService::kSharedPath),
                                    QString::fromLatin1(kApplication) + "." + method, arguments);
    QCOMPARE(run.output, output);
    QCOMPARE(run.exitCode, 0);
    if (firstCall.isEmpty()) {
        QVERIFY(recordedCalls().empty() || method.startsWith("Execute"));
    } else {
        QVERIFY(!recordedCalls().empty());
        QCOMPARE(QString::fromStdString(recordedCalls().front()), firstCall);
    }
}

void AutomationServiceTest::theEmptyResultIsAnEmptyArrayOfVariants() {
    m_services.Context = m_wordless.get();
    const TGdbusRun run = gdbusCall(QString::fromLatin1(TAutomationService::kSharedPath),
                                    QString::fromLatin1(kApplication) + ".ExecuteScript", {"1"});
    m_services.Context = m_context.get();
    QCOMPARE(run.output, QString("('', <@av []>)"));
}

void AutomationServiceTest::failuresAreErrorReplies() {
    m_services.Context = nullptr;
    TGdbusRun run = gdbusCall(QString::fromLatin1(TAutomationService::kSharedPath),
                              QString::fromLatin1(kApplication) + ".ExecuteScriptText", {"1"});
    m_services.Context = m_context.get();
    QVERIFY(run.exitCode != 0);
    QVERIFY2(run.output.contains("com.velmark.Zentaro.Error.Failed: The scripting runtime is not "
                                 "running."),
             qPrintable(run.output));
    run = gdbusCall(QString::fromLatin1(TAutomationService::kSharedPath),
                    QString::fromLatin1(kApplication) + ".Release", {});
    QVERIFY(run.output.contains("com.velmark.Zentaro.Error.NotSupported"));
}

void AutomationServiceTest::eachClientGetsItsOwnObject() {
    QDBusConnection first = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "first");
    QDBusConnection second = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "second");
    const QString firstPath = createObject(first);
    const QString secondPath = createObject(second);
    QVERIFY(!firstPath.isEmpty());
    QVERIFY(!secondPath.isEmpty());
    QVERIFY(firstPath != secondPath);

    QDBusMessage reply = clientCall(first, firstPath, "ExecuteScriptText", {"[mine]"});
    QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
    QCOMPARE(reply.arguments().first().value<QDBusVariant>().variant().toString(), "mine");
    reply = clientCall(second, firstPath, "ExecuteScriptText", {"[theirs]"});
    QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
    QCOMPARE(reply.errorName(), QString("com.velmark.Zentaro.Error.AccessDenied"));

    clientCall(first, firstPath, "Release");
    clientCall(second, secondPath, "Release");
    QDBusConnection::disconnectFromBus("first");
    QDBusConnection::disconnectFromBus("second");
}

void AutomationServiceTest::releaseAndDisconnectDropTheClientsObjects() {
    QTRY_COMPARE(m_service->clientObjectCount(), 0);
    {
        QDBusConnection client =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, "leaver");
        const QString released = createObject(client);
        createObject(client);
        QCOMPARE(m_service->clientObjectCount(), 2);
        QCOMPARE(clientCall(client, released, "Release").type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE(m_service->clientObjectCount(), 1);
        QCOMPARE(clientCall(client, released, "NewModel").type(), QDBusMessage::ErrorMessage);
    } // the last reference to the connection goes: the client leaves the bus
    QDBusConnection::disconnectFromBus("leaver");
    QTRY_COMPARE(m_service->clientObjectCount(), 0);
}

void AutomationServiceTest::eventsGoToTheObjectsOwnClientOnly() {
    QDBusConnection owner = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "owner");
    QDBusConnection other = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "other");
    const QString path = createObject(owner);
    const QString shared = QString::fromLatin1(TAutomationService::kSharedPath);
    TEventReceiver ownerReceiver;
    TEventReceiver otherReceiver;
    for (const QString& objectPath : {path, shared}) {
        QVERIFY(owner.connect(QString(), objectPath, "com.velmark.Zentaro.Events1", "Notification",
                              &ownerReceiver, SLOT(notified(QString))));
        QVERIFY(other.connect(QString(), objectPath, "com.velmark.Zentaro.Events1", "Notification",
                              &otherReceiver, SLOT(notified(QString))));
    }
    m_service->object(path)->notifyClient("to the owner");
    QTRY_COMPARE(ownerReceiver.texts, QStringList{"to the owner"});
    m_service->sharedObject()->notifyClient("to everyone");
    QTRY_COMPARE(otherReceiver.texts, QStringList{"to everyone"});
    QTRY_COMPARE(ownerReceiver.texts, (QStringList{"to the owner", "to everyone"}));
    QDBusConnection::disconnectFromBus("owner");
    QDBusConnection::disconnectFromBus("other");
}

void AutomationServiceTest::registrationWritesAndRemovesTheActivationFile() {
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", m_dir.filePath("data").toUtf8());
    const QString file = m_dir.filePath("data/dbus-1/services/com.velmark.Zentaro.service");
    QCOMPARE(ServiceRegistration::activationFilePath(), file);
    QString error;
    QVERIFY2(ServiceRegistration::registerServer("/opt/zentaro/bin/zentaro", &error),
             qPrintable(error));
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("[D-BUS Service]\nName=com.velmark.Zentaro\n"
                                           "Exec=/opt/zentaro/bin/zentaro\n"));
    QVERIFY(ServiceRegistration::unregisterServer(&error));
    QVERIFY(!QFile::exists(file));
    QVERIFY2(ServiceRegistration::unregisterServer(&error), "removing twice is no error");
    qputenv("XDG_DATA_HOME", saved);
}

void AutomationServiceTest::theExamplePythonClientRunsAScript() {
    QProcess client;
    client.setProcessChannelMode(QProcess::MergedChannels);
    client.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(ZENTARO_SOURCE_DIR "/examples/automation/zentaro_client.py"),
                  "--model", m_dir.filePath("missing.vex"), "1+2", "[text]", "--save"});
    QVERIFY(client.waitForStarted(5000));
    QVERIFY(QTest::qWaitFor([&] { return client.state() == QProcess::NotRunning; }, 30000));
    QCOMPARE(QString::fromUtf8(client.readAll()),
             QString("OpenModel: -1\nExecuteScript: 3.0 ''\nExecuteScript: 0.0 'text'\n"
                     "SaveModel: done\n"));
    QCOMPARE(client.exitCode(), 0);
    QTRY_COMPARE(m_service->clientObjectCount(), 0);
}

// A client's script that runs for ever ends through Abort (sent while it runs, from a thread of
// its own, since this test's thread is the GUI thread running the script) or through the time
// limit, as an error reply; the application then answers other clients as before.
void AutomationServiceTest::runawayCallsEnd_data() {
    QTest::addColumn<QString>("stop"); // "own" object's Abort, "shared" object's Abort, "limit"
    QTest::addColumn<QString>("error");
    QTest::newRow("Abort on the client's own object") << "own"
                                                      << "The automation call was aborted.";
    QTest::newRow("Abort on the shared object, by another client")
        << "shared"
        << "The automation call was aborted.";
    QTest::newRow("time limit")
        << "limit"
        << "The automation call was stopped after its time limit of 200 ms.";
}

void AutomationServiceTest::runawayCallsEnd() {
    QFETCH(QString, stop);
    QFETCH(QString, error);
    m_services.Context = m_application.get();
    QDBusConnection client = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "runaway");
    const QString path = createObject(client);
    if (stop == "limit")
        clientCall(client, path, "SetTimeLimit", {QVariant::fromValue(200u)});
    std::unique_ptr<QThread> aborter;
    if (stop != "limit") {
        const QDBusConnection caller =
            stop == "own" ? client
                          : QDBusConnection::connectToBus(QDBusConnection::SessionBus, "aborter");
        const QString target =
            stop == "own" ? path : QString::fromLatin1(TAutomationService::kSharedPath);
        aborter.reset(QThread::create([caller, target] {
            const QDBusMessage abort = QDBusMessage::createMethodCall("com.velmark.Zentaro", target,
                                                                      kApplication, "Abort");
            // Abort answers false until the script runs, which on a loaded machine may take
            // seconds; the client's call gives up after 20 s, and so does this.
            const QDeadlineTimer deadline(20000);
            while (!deadline.hasExpired()) {
                if (QDBusConnection(caller)
                        .call(abort, QDBus::Block, 5000)
                        .arguments()
                        .value(0)
                        .toBool())
                    return;
                QThread::msleep(20);
            }
        }));
        aborter->start();
    }

    const QDBusMessage reply = clientCall(client, path, "ExecuteScript", {"While(1,0)"});

    QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
    QCOMPARE(reply.errorName(), QString("com.velmark.Zentaro.Error.Failed"));
    QCOMPARE(reply.errorMessage(), error);
    if (aborter)
        QVERIFY(aborter->wait(10000));
    // The same failure as the row before is counted on its line (" [2 times]").
    QVERIFY2(ErrorLog().last().section(' ', 1).startsWith(error), qPrintable(ErrorLog().last()));
    const QString shared = QString::fromLatin1(TAutomationService::kSharedPath);
    QCOMPARE(gdbusCall(shared, QString(kApplication) + ".ExecuteScript", {"1+2"}).output,
             QString("('', <3.0>)"));
    QCOMPARE(gdbusCall(shared, QString(kApplication) + ".Abort", {}).output, QString("(false,)"));
    QCOMPARE(clientCall(client, path, "ExecuteScriptText", {"[after]"})
                 .arguments()
                 .value(0)
                 .value<QDBusVariant>()
                 .variant()
                 .toString(),
             QString("after"));
    m_services.Context = m_context.get();
    QDBusConnection::disconnectFromBus("runaway");
    QDBusConnection::disconnectFromBus("aborter");
    ClearErrorLog();
}

// A frame of locals that does not fit ends the run in the host's exception handler, which would
// show an error box: during an automation call it goes to the error window and the reply.
void AutomationServiceTest::noCallWaitsOnAPerson() {
    m_services.Context = m_application.get();
    m_boxes.clear();
    const TGdbusRun run =
        gdbusCall(QString::fromLatin1(TAutomationService::kSharedPath),
                  QString(kApplication) + ".ExecuteScript",
                  {"Do(LocalNum([v1],[v2],[v3],[v4],[v5],[v6],[v7],[v8],[v9]),1)"});
    m_services.Context = m_context.get();
    QVERIFY2(run.output.endsWith("com.velmark.Zentaro.Error.Failed: Stack overflow"),
             qPrintable(run.output));
    QCOMPARE(m_boxes, QStringList());
    QCOMPARE(ErrorLog().size(), 1);
    QCOMPARE(ErrorLog().first().section(' ', 1), QString("Stack overflow"));
    ClearErrorLog();
    // Outside automation calls the box is shown as before.
    vex::TText text;
    m_application->ExecuteText("Do(LocalNum([v1],[v2],[v3],[v4],[v5],[v6],[v7],[v8],[v9]),1)",
                               text);
    QCOMPARE(m_boxes.size(), 1);
    m_boxes.clear();
}

QString AutomationServiceTest::applicationText(const QString& script) {
    const QString shared = QString::fromLatin1(TAutomationService::kSharedPath);
    return gdbusCall(shared, QString(kApplication) + ".ExecuteScriptText", {script}).output;
}

int AutomationServiceTest::modelAtoms() {
    const vex::host::TModel& model = vex::host::ModelServicesOf(*m_application).Model;
    return static_cast<int>(model.FindAtom(model.Root())->Children().size());
}

// A model saved and opened again in a folder named with letters beyond ASCII; the file on disk
// has the name the client gave.
void AutomationServiceTest::namesBeyondAsciiRoundTrip() {
    m_services.Context = m_application.get();
    const QString folder = m_dir.filePath(QString::fromUtf8("M\u00fcller \u20ac"));
    QVERIFY(QDir().mkpath(folder));
    const QString file = folder + QString::fromUtf8("/b\u00e4r.vex");
    const QString shared = QString::fromLatin1(TAutomationService::kSharedPath);
    QCOMPARE(applicationText("Do(tztfnc([new model]),CreateAtom(model,[Queue]),kernelfnc([save "
                             "model as],[" +
                             file + "]),ModelFileName)"),
             "(<'" + file + "'>,)");
    QVERIFY(QFileInfo(file).isFile());
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QString::fromUtf8("b\u00e4r.vex")});
    QCOMPARE(gdbusCall(shared, QString(kApplication) + ".NewModel", {}).output, QString("()"));
    QCOMPARE(modelAtoms(), 0);
    QVERIFY(
        gdbusCall(shared, QString(kApplication) + ".OpenModel", {file}).output.startsWith("(<"));
    QCOMPARE(modelAtoms(), 1);
    QCOMPARE(gdbusCall(shared, QString(kApplication) + ".SaveModel", {}).output, QString("()"));
    QCOMPARE(applicationText("ListFiles([" + folder + "])"), QString("(<'b\u00e4r.vex'>,)"));
    QCOMPARE(ErrorLog().join('\n'), QString());
    m_services.Context = m_context.get();
}

// Each failure is an error reply naming its cause, and the model stays as it was.
void AutomationServiceTest::failuresAreReportedAndChangeNothing_data() {
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("file"); // in the test's folder; created with `content` unless null
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("error");

    QTest::newRow("OpenModel, a name Windows-1252 cannot hold")
        << "OpenModel" << QString::fromUtf8("\u4e2d.vex") << QByteArray("ModelFile(1,[x],0)\n")
        << "the name holds characters that script texts (Windows-1252) cannot hold";
    QTest::newRow("OpenModel, a damaged file")
        << "OpenModel"
        << "cut.vex" << QByteArray("ModelFile(1,[Cut],0)\nLoadAtom(1,0,[Half],4)\nLoadAtom(2,1,[")
        << "cut.vex:3: '[' (a text constant) opened at line 3, column 14 is never closed";
    QTest::newRow("OpenLibrary, a damaged file")
        << "OpenLibrary"
        << "parts.vex"
        << QByteArray("ModelFile(1,[P],0)\nLoadAtom(1,0,[Nut],0)\nLoadAtom(5,0,[B],0)\n")
        << "out of order";
    QTest::newRow("SaveModel, no file name")
        << "SaveModel" << QString() << QByteArray() << "the model has no file name yet";
    QTest::newRow("SaveModel, the folder gone")
        << "SaveModel"
        << "gone/bank.vex" << QByteArray() << "cannot save the model as";
}

void AutomationServiceTest::failuresAreReportedAndChangeNothing() {
    QFETCH(QString, method);
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, error);
    m_services.Context = m_application.get();
    const QString path = file.isEmpty() ? QString() : m_dir.filePath(file);
    if (!content.isNull()) {
        QFile written(path);
        QVERIFY(written.open(QIODevice::WriteOnly));
        written.write(content);
    }
    QDir(m_dir.filePath("gone")).removeRecursively();
    QVERIFY(QDir(m_dir.path()).mkpath("gone"));
    const QString modelFile = file.startsWith("gone") ? path : QString();
    vex::TText text;
    m_application->ExecuteText("Do(tztfnc([new model]),UpdateModelName([" +
                                   modelFile.toStdString() +
                                   "]),SetName(model,[Kept]),CreateAtom(model,[Queue]))",
                               text);
    QDir(m_dir.filePath("gone")).removeRecursively();
    const QStringList arguments =
        path.isEmpty() || method == "SaveModel" ? QStringList() : QStringList{path};

    const TGdbusRun run = gdbusCall(QString::fromLatin1(TAutomationService::kSharedPath),
                                    QString(kApplication) + "." + method, arguments);

    QVERIFY(run.exitCode != 0);
    QVERIFY2(run.output.contains("com.velmark.Zentaro.Error.Failed") && run.output.contains(error),
             qPrintable(run.output));
    QCOMPARE(modelAtoms(), 1);
    QCOMPARE(applicationText("Concat(Name(model),[ ],Name(Child(model,1)),[ ],"
                             "ChildCount(Child(main,2)))"),
             QString("(<'Kept Queue 0'>,)"));
    QVERIFY(m_boxes.isEmpty());
    ClearErrorLog();
    m_services.Context = m_context.get();
}

QTEST_MAIN(AutomationServiceTest)
#include "AutomationServiceTest.moc"
