#include "shell/automation/ServiceRegistration.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ServiceRegistration {

namespace {

void reloadBusConfiguration() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    bus.call(QDBusMessage::createMethodCall(
                 QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                 QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ReloadConfig")),
             QDBus::Block, 5000);
}

bool fail(QString* error, const QString& reason) {
    if (error) {
        *error = reason;
    }
    return false;
}

} // namespace

QString activationFilePath() {
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty()) {
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    }
    return dataHome + QStringLiteral("/dbus-1/services/com.velmark.Zentaro.service");
}

bool registerServer(const QString& executable, QString* error) {
    const QString path = activationFilePath();
    if (!QDir().mkpath(QFileInfo(path).path())) {
        return fail(error, QStringLiteral("cannot create the folder of %1").arg(path));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return fail(error, QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    }
    const QString contents = QStringLiteral("[D-BUS Service]\nName=com.velmark.Zentaro\nExec=%1\n")
                                 .arg(QFileInfo(executable).absoluteFilePath());
    file.write(contents.toUtf8());
    if (!file.commit()) {
        return fail(error, QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    }
    reloadBusConfiguration();
    return true;
}

bool unregisterServer(QString* error, bool* removed) {
    QFile file(activationFilePath());
    const bool present = file.exists();
    if (present && !file.remove()) {
        return fail(
            error, QStringLiteral("cannot remove %1: %2").arg(file.fileName(), file.errorString()));
    }
    if (removed) {
        *removed = present;
    }
    if (present) {
        reloadBusConfiguration();
    }
    return true;
}

} // namespace ServiceRegistration
