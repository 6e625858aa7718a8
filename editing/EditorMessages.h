#pragma once

#include <QString>

#include <functional>

// Where the editor's failure reports go. The editor never opens a message box while it paints or
// handles a change; it hands the message here, and the application routes it to its trace
// windows (errors to the error window, the rest to the trace window). A test installs a sink
// that records the messages.
//
//     EditorMessage(QStringLiteral("Could not add token"), false);

using TEditorMessageSink = std::function<void(const QString& text, bool isError)>;

// Hands a message to the installed sink; without one it goes to the log as a warning.
void EditorMessage(const QString& text, bool isError);

// Installs the sink (an empty function restores the log); returns the one installed before.
TEditorMessageSink SetEditorMessageSink(TEditorMessageSink sink);
