#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class TApplicationServices;
class TformTrace;

namespace vex {
class TLanguageInterpreter;
}

// The two trace windows of the application and the error log, created on first use.
//
// Messages that a person should see without being interrupted go here:
//
//     TraceMessage("Could not open file " + name, true);   // to the error window
//     TraceMessage("Could not add token", false);           // to the trace window
//
// The error window numbers each error, keeps it in ErrorLog as well, shows itself (unless the
// services keep the trace quiet), comes to the front when a second has passed since its previous
// message, and flashes its background. The trace window gathers the other messages and is never
// shown by this module; the Window menu shows it.
//
// The windows are top-level windows without a parent that live until FinalizeTraceWindows (or
// the end of the TTraceWindows they were made under), which the application's shutdown calls
// (and which also runs when the QApplication is destroyed). Except TraceMessage, everything here
// runs on the GUI thread.
//
// The windows and their log are one pair for the process, reached by these functions rather than
// through an object handed around: a message comes from any thread (TraceMessage queues it to
// the GUI thread), from the runtime's error feed and from code that has no window of its own, and
// the log outlives the windows. What the windows need of the application (whether lines wrap,
// whether errors stay quiet, the save dialog, the message box) they take from the services of the
// TTraceWindows that lives when they are made, handed to each window at its construction.

// The application's trace windows while it lives: the windows made meanwhile are handed its
// services. The application makes one with its services before anything can report; a test makes
// one with its own. At its end the windows go (FinalizeTraceWindows), so no window outlives the
// services it was handed, and the services of the one made before it apply again; with none alive
// the windows take the plain defaults (TApplicationServices::None).
class TTraceWindows {
public:
    explicit TTraceWindows(const TApplicationServices& services);
    ~TTraceWindows();
    TTraceWindows(const TTraceWindows&) = delete;
    TTraceWindows& operator=(const TTraceWindows&) = delete;

private:
    const TApplicationServices* m_outer;
};

// Adds a message to the error window (isError) or the trace window, creating it when missing.
// Safe from any thread: a call from another thread is handed to the GUI thread, so the messages
// of one thread arrive in the order it sent them. Without a QApplication (a console program)
// the message goes to standard error instead.
void TraceMessage(const QString& text, bool isError);

// The error window, created (with ErrorLog's lines, numbered on from there) when missing.
TformTrace* GetErrorWindow();
// The trace window, created without a status bar when missing.
TformTrace* GetTraceWindow();
// GetErrorWindow, then shows it.
void ShowErrorWindow();
// Destroys the error window; ErrorLog stays, and the next GetErrorWindow shows it again.
void CloseErrorWindow();

// Every numbered line the error window received since start or the last clear of either window.
const QStringList& ErrorLog();
// Empties ErrorLog (clearing either window does).
void ClearErrorLog();
// Appends a numbered line to ErrorLog.
void AppendToErrorLog(const QString& line);
// Replaces ErrorLog's last line (a repeated error counted on it); appends when it is empty.
void ReplaceLastErrorLogLine(const QString& line);

// Destroys both windows and forgets ErrorLog; the next message starts afresh.
void FinalizeTraceWindows();

// The error window's subscription to the errors a runtime context reports: for as long as it
// lives, each error goes to the error window after its place ("bank.vex:12: "), as TraceMessage
// puts it there. The context must outlive it.
class TErrorWindowFeed {
public:
    explicit TErrorWindowFeed(vex::TLanguageInterpreter& context);
    ~TErrorWindowFeed();
    TErrorWindowFeed(const TErrorWindowFeed&) = delete;
    TErrorWindowFeed& operator=(const TErrorWindowFeed&) = delete;

private:
    class TSubscriber;
    std::unique_ptr<TSubscriber> m_subscriber;
};
