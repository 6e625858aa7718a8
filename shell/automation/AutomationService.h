#pragma once

#include "shell/automation/ZTApp.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QHash>
#include <QObject>
#include <QString>

class QDBusServiceWatcher;
class QThread;
class TAutomationObject;

// The automation service on a D-Bus connection: the well-known name com.velmark.Zentaro, the
// entry object that hands each client its own automation object, and the shared object that any
// client may call. A client's objects are dropped when it releases them or leaves the bus.
//
// The automation objects live on a thread of the service's own, the call thread, so that Abort
// is answered while the GUI thread runs a script; the operations themselves run on the GUI
// thread (TAutomationObject). The service itself, with the entry object, stays on the thread
// that created it.
class TAutomationService : public QObject, protected QDBusContext {
    Q_OBJECT

public:
    static constexpr const char* kServiceName = "com.velmark.Zentaro";
    static constexpr const char* kEntryPath = "/com/velmark/Zentaro";
    static constexpr const char* kSharedPath = "/com/velmark/Zentaro/Application";
    static constexpr const char* kObjectsPath = "/com/velmark/Zentaro/Objects/";

    TAutomationService(const QDBusConnection& bus, TApplicationServices& services,
                       QObject* parent = nullptr);
    ~TAutomationService() override;

    // Registers the objects and the well-known name. False, with the reason, when the bus is not
    // there or the name is taken by another process.
    bool start(QString* error);
    // The number of client-owned objects alive.
    int clientObjectCount() const { return static_cast<int>(m_objects.size()); }
    TAutomationObject* sharedObject() const noexcept { return m_shared; }
    // The client-owned object at a path, or none.
    TAutomationObject* object(const QString& path) const { return m_objects.value(path); }

public slots:
    // Factory1.CreateObject: a new object owned by the calling client.
    QDBusObjectPath CreateObject();

private:
    // Puts a new object on the call thread and on the bus at `path`; none when it could not be
    // registered.
    TAutomationObject* exportObject(const QString& owner, const QString& path);
    void drop(const QString& path);
    void dropObjectsOf(const QString& client);

    QDBusConnection m_bus;
    TApplicationServices& m_services;
    TAutomationObject* m_shared = nullptr;
    QDBusServiceWatcher* m_watcher = nullptr;
    QHash<QString, TAutomationObject*> m_objects; // by path
    QThread* m_callThread = nullptr;
    quint64 m_nextObject = 1;
    bool m_started = false;
};
