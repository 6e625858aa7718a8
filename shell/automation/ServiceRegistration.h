#pragma once

#include <QString>

// Registration of the automation service with the session bus's activation: a service file that
// lets a client start Zentaro on demand by calling com.velmark.Zentaro.
namespace ServiceRegistration {

// The activation file: $XDG_DATA_HOME/dbus-1/services/com.velmark.Zentaro.service
// ($XDG_DATA_HOME defaults to ~/.local/share).
QString activationFilePath();
// Writes the activation file naming `executable`, then asks a running session bus to reload its
// configuration. False, with the reason, when the file cannot be written.
bool registerServer(const QString& executable, QString* error);
// Removes the activation file and asks the bus to reload. Without a file there is nothing to do,
// which is no failure; `removed` says whether a file went.
bool unregisterServer(QString* error, bool* removed = nullptr);

} // namespace ServiceRegistration
