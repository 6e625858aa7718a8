#include "shell/automation/AutomationService.h"

#include "Factory1Adaptor.h"
#include "shell/automation/AutomationObject.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QThread>

TAutomationService::TAutomationService(const QDBusConnection& bus, TApplicationServices& services,
                                       QObject* parent)
    : QObject(parent)
    , m_bus(bus)
    , m_services(services) {
    // ExecuteScript's result is an out-parameter; Qt D-Bus matches such a slot only when the
    // type is known to the meta-type system by then.
    qRegisterMetaType<QDBusVariant>();
    new Factory1Adaptor(this);
    m_watcher = new QDBusServiceWatcher(this);
    m_watcher->setConnection(m_bus);
    m_watcher->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this,
            &TAutomationService::dropObjectsOf);
    m_callThread = new QThread(this);
    m_callThread->setObjectName(QStringLiteral("automation calls"));
    m_callThread->start();
}

// The objects go with their thread: deleted there once it has finished its events.
TAutomationService::~TAutomationService() {
    if (m_started) {
        m_bus.unregisterService(QString::fromLatin1(kServiceName));
        m_bus.unregisterObject(QString::fromLatin1(kEntryPath));
    }
    for (const QString& path : m_objects.keys())
        drop(path);
    if (m_shared) {
        m_bus.unregisterObject(QString::fromLatin1(kSharedPath));
        m_shared->deleteLater();
    }
    m_callThread->quit();
    m_callThread->wait();
}

TAutomationObject* TAutomationService::exportObject(const QString& owner, const QString& path) {
    auto* object = new TAutomationObject(owner, m_services, nullptr);
    object->moveToThread(m_callThread);
    if (!object->exportTo(m_bus, path)) {
        object->deleteLater();
        return nullptr;
    }
    return object;
}

bool TAutomationService::start(QString* error) {
    const auto fail = [&](const QString& reason) {
        if (error) {
            *error = reason;
        }
        return false;
    };
    if (!m_bus.isConnected()) {
        return fail(QStringLiteral("no D-Bus session bus: %1").arg(m_bus.lastError().message()));
    }
    m_shared = exportObject(QString(), QString::fromLatin1(kSharedPath));
    if (!m_shared || !m_bus.registerObject(QString::fromLatin1(kEntryPath), this)) {
        return fail(QStringLiteral("the automation objects could not be registered on the bus"));
    }
    if (!m_bus.registerService(QString::fromLatin1(kServiceName))) {
        m_bus.unregisterObject(QString::fromLatin1(kEntryPath));
        // The bus refuses a name another connection owns without an error of its own.
        const QString reason = m_bus.lastError().isValid()
                                   ? m_bus.lastError().message()
                                   : QStringLiteral("another process owns it");
        return fail(QStringLiteral("the name %1 could not be taken: %2")
                        .arg(QString::fromLatin1(kServiceName), reason));
    }
    m_started = true;
    return true;
}

QDBusObjectPath TAutomationService::CreateObject() {
    const QString owner = calledFromDBus() ? message().service() : QString();
    const QString path = QString::fromLatin1(kObjectsPath) + QString::number(m_nextObject++);
    TAutomationObject* object =
        exportObject(owner.isEmpty() ? QStringLiteral(":local") : owner, path);
    if (!object) {
        if (calledFromDBus()) {
            sendErrorReply(QStringLiteral("com.velmark.Zentaro.Error.Failed"),
                           QStringLiteral("The automation object could not be registered."));
        }
        return QDBusObjectPath();
    }
    connect(object, &TAutomationObject::released, this, &TAutomationService::drop);
    m_objects.insert(path, object);
    if (!owner.isEmpty()) {
        m_watcher->addWatchedService(owner);
    }
    return QDBusObjectPath(path);
}

// Dropped after the current call has been answered: the release reply is still being sent.
// Known by its path, so that a release and the client's leaving drop an object once.
void TAutomationService::drop(const QString& path) {
    TAutomationObject* object = m_objects.take(path);
    if (!object) {
        return;
    }
    m_bus.unregisterObject(path);
    object->deleteLater();
}

void TAutomationService::dropObjectsOf(const QString& client) {
    for (const QString& path : m_objects.keys()) {
        if (m_objects.value(path)->owner() == client) {
            drop(path);
        }
    }
    m_watcher->removeWatchedService(client);
}
