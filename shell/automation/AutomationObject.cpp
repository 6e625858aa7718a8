#include "shell/automation/AutomationObject.h"

#include "Application1Adaptor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantList>

namespace {

constexpr const char* kAccessDenied = "com.velmark.Zentaro.Error.AccessDenied";
constexpr const char* kNotSupported = "com.velmark.Zentaro.Error.NotSupported";

} // namespace

TAutomationObject::TAutomationObject(const QString& owner, TZTApp::ContextSource context,
                                     QObject* parent)
    : QObject(parent)
    , m_owner(owner)
    , m_bus(QString())
    , m_app(std::move(context)) {
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

void TAutomationObject::answer(const TAutomationStatus& status) {
    if (!status.ok && calledFromDBus()) {
        sendErrorReply(status.errorName, status.message);
    }
}

void TAutomationObject::NewModel() {
    if (acceptCaller()) {
        answer(m_app.NewModel());
    }
}

QDBusVariant TAutomationObject::OpenModel(const QString& fileName) {
    TAutomationValue result;
    if (acceptCaller()) {
        answer(m_app.OpenModel(fileName, result));
    }
    return toDBus(result);
}

QDBusVariant TAutomationObject::OpenLibrary(const QString& fileName) {
    TAutomationValue result;
    if (acceptCaller()) {
        answer(m_app.OpenLibrary(fileName, result));
    }
    return toDBus(result);
}

void TAutomationObject::SaveModel() {
    if (acceptCaller()) {
        answer(m_app.SaveModel());
    }
}

QString TAutomationObject::ExecuteScript(const QString& script, QDBusVariant& result) {
    TAutomationValue value;
    QString text;
    if (acceptCaller()) {
        answer(m_app.ExecuteScript(script, text, value));
    }
    result = toDBus(value);
    return text;
}

QDBusVariant TAutomationObject::ExecuteScriptText(const QString& script) {
    TAutomationValue result;
    if (acceptCaller()) {
        answer(m_app.ExecuteScriptText(script, result));
    }
    return toDBus(result);
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
    emit released(this);
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
