#include "shell/automation/AutomationObject.h"

#include "Application1Adaptor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantList>

namespace {

constexpr const char* kAccessDenied = "com.velmark.Zentaro.Error.AccessDenied";
constexpr const char* kNotSupported = "com.velmark.Zentaro.Error.NotSupported";

} // namespace

TAutomationObject::TAutomationObject(const QString& owner, TApplicationServices& services,
                                     QObject* parent)
    : QObject(parent)
    , m_owner(owner)
    , m_bus(QString())
    , m_app(std::make_shared<TZTApp>(services)) {
    new Application1Adaptor(this);
    new Events1Adaptor(this);
}

bool TAutomationObject::exportTo(const QDBusConnection& bus, const QString& path) {
    m_bus = bus;
    m_path = path;
    return m_bus.registerObject(path, this);
}

QDBusVariant TAutomationObject::toDBus(const TAutomationValue& value) {
    switch (value.kind) {
    case TAutomationValue::Kind::Double:
        return QDBusVariant(QVariant(value.number));
    case TAutomationValue::Kind::Integer:
        return QDBusVariant(QVariant(static_cast<int>(value.integer)));
    case TAutomationValue::Kind::String:
        return QDBusVariant(QVariant(value.text));
    case TAutomationValue::Kind::Empty:
        break;
    }
    return QDBusVariant(QVariant(QVariantList()));
}

// Calls on a client's own object from anyone else are refused with an error reply.
bool TAutomationObject::acceptCaller() {
    if (isShared() || !calledFromDBus() || message().service() == m_owner) {
        return true;
    }
    sendErrorReply(QString::fromLatin1(kAccessDenied),
                   QStringLiteral("This automation object belongs to another client."));
    return false;
}

// The reply is sent from the GUI thread once the operation is done; sending is thread-safe.
void TAutomationObject::answerFromGuiThread(TOperation operation) {
    setDelayedReply(true);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [app = m_app, request = message(), bus = connection(), operation = std::move(operation)] {
            QVariantList reply;
            const TAutomationStatus status = operation(*app, reply);
            QDBusConnection(bus).send(
                status.ok ? request.createReply(reply)
                          : request.createErrorReply(status.errorName, status.message));
        },
        Qt::QueuedConnection);
}

void TAutomationObject::NewModel() {
    if (acceptCaller()) {
        answerFromGuiThread([](TZTApp& app, QVariantList&) { return app.NewModel(); });
    }
}

void TAutomationObject::answerOpen(TOpen open, const QString& fileName) {
    if (acceptCaller()) {
        answerFromGuiThread([open, fileName](TZTApp& app, QVariantList& reply) {
            TAutomationValue result;
            const TAutomationStatus status = (app.*open)(fileName, result);
            reply << QVariant::fromValue(toDBus(result));
            return status;
        });
    }
}

QDBusVariant TAutomationObject::OpenModel(const QString& fileName) {
    answerOpen(&TZTApp::OpenModel, fileName);
    return {};
}

QDBusVariant TAutomationObject::OpenLibrary(const QString& fileName) {
    answerOpen(&TZTApp::OpenLibrary, fileName);
    return {};
}

void TAutomationObject::SaveModel() {
    if (acceptCaller()) {
        answerFromGuiThread([](TZTApp& app, QVariantList&) { return app.SaveModel(); });
    }
}

QString TAutomationObject::ExecuteScript(const QString& script, QDBusVariant&) {
    if (acceptCaller()) {
        answerFromGuiThread([script](TZTApp& app, QVariantList& reply) {
            TAutomationValue result;
            QString text;
            const TAutomationStatus status = app.RunClientScript(script, text, result);
            reply << text << QVariant::fromValue(toDBus(result));
            return status;
        });
    }
    return {};
}

QDBusVariant TAutomationObject::ExecuteScriptText(const QString& script) {
    if (acceptCaller()) {
        answerFromGuiThread([script](TZTApp& app, QVariantList& reply) {
            TAutomationValue result;
            const TAutomationStatus status = app.RunClientScriptForText(script, result);
            reply << QVariant::fromValue(toDBus(result));
            return status;
        });
    }
    return {};
}

bool TAutomationObject::Abort() {
    return acceptCaller() && m_app->Abort(isShared());
}

void TAutomationObject::SetTimeLimit(uint milliseconds) {
    if (acceptCaller()) {
        m_app->SetTimeLimit(milliseconds);
    }
}

void TAutomationObject::Release() {
    if (!acceptCaller()) {
        return;
    }
    if (isShared()) {
        sendErrorReply(QString::fromLatin1(kNotSupported),
                       QStringLiteral("The shared automation object cannot be released."));
        return;
    }
    emit released(m_path);
}

// A client's own object sends its events to that client only; the shared object broadcasts.
void TAutomationObject::notifyClient(const QString& text) {
    if (isShared()) {
        emit Notification(text);
        return;
    }
    QDBusMessage signal = QDBusMessage::createTargetedSignal(
        m_owner, m_path, QStringLiteral("com.velmark.Zentaro.Events1"),
        QStringLiteral("Notification"));
    signal << text;
    m_bus.send(signal);
}
