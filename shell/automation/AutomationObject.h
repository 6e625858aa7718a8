#pragma once

#include "shell/automation/ZTApp.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusVariant>
#include <QObject>
#include <QString>
#include <QVariantList>

#include <functional>
#include <memory>

// An automation object on the bus: the D-Bus face of one TZTApp. An object created for a client
// answers that client only; the shared object answers everyone.
//
// The object lives on the service's call thread, not the GUI thread: it takes every call there,
// answers Abort and SetTimeLimit at once, even while the GUI thread runs a script, and hands the
// operations to the GUI thread, which answers them when they are done (a delayed reply).
class TAutomationObject : public QObject, protected QDBusContext {
    Q_OBJECT

public:
    // `owner` is the unique bus name of the client the object belongs to, empty for the shared
    // object.
    TAutomationObject(const QString& owner, TApplicationServices& services, QObject* parent);

    // Puts the object on the bus at `path`, with its adaptors.
    bool exportTo(const QDBusConnection& bus, const QString& path);
    const QString& path() const noexcept { return m_path; }

    const QString& owner() const noexcept { return m_owner; }
    bool isShared() const noexcept { return m_owner.isEmpty(); }
    // Sends the Notification event to the object's own client (to every listener for the shared
    // object).
    void notifyClient(const QString& text);

    // The D-Bus variant of an automation value; the empty value is an empty array of variants,
    // which a client tells from 0 and from the empty string.
    static QDBusVariant toDBus(const TAutomationValue& value);

public slots:
    void NewModel();
    QDBusVariant OpenModel(const QString& fileName);
    QDBusVariant OpenLibrary(const QString& fileName);
    void SaveModel();
    QString ExecuteScript(const QString& script, QDBusVariant& result);
    QDBusVariant ExecuteScriptText(const QString& script);
    void Release();
    // Asks the running call to end: this object's (the shared object: whichever automation call
    // runs). True when there was one to ask.
    bool Abort();
    // The longest each later call of this object may run before it is aborted; 0 for no limit.
    void SetTimeLimit(uint milliseconds);

signals:
    // Emitted after the owner released the object (at `path`); the service then drops it.
    void released(const QString& path);
    void Notification(const QString& text);

private:
    // An operation on the GUI thread: its status, and the reply's arguments on success.
    using TOperation = std::function<TAutomationStatus(TZTApp& app, QVariantList& reply)>;

    bool acceptCaller();
    using TOpen = TAutomationStatus (TZTApp::*)(const QString&, TAutomationValue&);

    // Runs the operation on the GUI thread and answers the current call from there.
    void answerFromGuiThread(TOperation operation);
    void answerOpen(TOpen open, const QString& fileName);

    QString m_owner;
    QString m_path;
    QDBusConnection m_bus;
    // Shared with the operations on their way, which may outlive the object.
    std::shared_ptr<TZTApp> m_app;
};
