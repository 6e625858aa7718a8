#pragma once

#include <QString>

#include <functional>

// Where the editor's failure reports go. The editor never opens a message box while it paints or
// handles a change; it hands the message to the sink of its application services
// (TApplicationServices::Messages), and the application routes it to its trace windows (errors
// to the error window, the rest to the trace window). A test hands in a sink that records them.
using TEditorMessageSink = std::function<void(const QString& text, bool isError)>;

// The editor's "Show trace window" command: how the application shows its error window afresh
// with every logged error.
using TTraceWindowPresenter = std::function<void()>;
