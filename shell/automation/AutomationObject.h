#pragma once

#include "shell/automation/ZTApp.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusVariant>
#include <QObject>
#include <QString>

// An automation object on the bus: the D-Bus face of one TZTApp. An object created for a client
// answers that client only; the shared object answers everyone.
class TAutomationObject : public QObject, protected QDBusContext {
    Q_OBJECT

public:
    // `owner` is the unique bus name of the client the object belongs to, empty for the shared
    // object.
    TAutomationObject(const QString& owner, TZTApp::ContextSource context, QObject* parent);

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

signals:
    // Emitted after the owner released the object; the service then drops it.
    void released(TAutomationObject* object);
    void Notification(const QString& text);

private:
    bool acceptCaller();
    void answer(const TAutomationStatus& status);

    QString m_owner;
    QString m_path;
    QDBusConnection m_bus;
    TZTApp m_app;
};
