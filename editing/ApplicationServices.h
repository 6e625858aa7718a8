#pragma once

#include "editing/EditorMessages.h"
#include "editing/RuntimeLookup.h"
#include "services/FileDialogs.h"
#include "services/MessageBoxes.h"

#include <QString>

#include <functional>
#include <memory>

namespace vex {
class TLanguageInterpreter;
}

// What the application's windows need of the application, in one object: the runtime context,
// message boxes, open and save dialogs, where the editor's messages go, how the error window is
// shown and how the trace windows look, the printer to print on and the model object selected in
// the main window.
//
// The application makes one at start-up (TApplicationShell) and hands it to the runtime's host,
// the trace windows, the debugger, the automation object and the main window, which passes it on
// to its script panel; the editor's commands and tool windows reach it through their editor. A
// test makes its own and fills in what it scripts:
//
//     TApplicationServices services;
//     services.Context = &context;                       // or services.Runtime = &fake;
//     services.MessageBoxes = [&](const TMessageBoxRequest& r) { ...; return QMessageBox::Ok; };
//     services.FileDialogs.Save = [&](const TFileDialogRequest&) { return path; };
//     services.Messages = [&](const QString& text, bool) { messages << text; };
//     panel.SetServices(services);
//
// A member left empty has its plain default: a QMessageBox, Qt's file dialog without the places
// bar, the log, the printing system's default printer, no runtime, no selected object, trace
// windows that neither wrap nor stay quiet. The object must outlive every window it is handed to;
// everything here runs on the GUI thread.
class TApplicationServices {
public:
    TApplicationServices();
    ~TApplicationServices();
    TApplicationServices(const TApplicationServices&) = delete;
    TApplicationServices& operator=(const TApplicationServices&) = delete;

    // The runtime context; none where the windows run without one.
    vex::TLanguageInterpreter* Context = nullptr;
    // Stands in for the lookup over Context (a test's fake runtime).
    TRuntimeLookup* Runtime = nullptr;
    TMessageBoxPresenter MessageBoxes;
    // The open and save dialogs, and the host's inputs to their places bar.
    TFileDialogServices FileDialogs;
    TEditorMessageSink Messages;
    // Shows the error window afresh (the editor's "Show trace window").
    TTraceWindowPresenter TraceWindow;
    // Whether the trace windows wrap long lines, and whether a new error leaves the error window
    // where it is (the host's preferences), read at each message.
    std::function<bool()> TraceWordWrap;
    std::function<bool()> TraceQuiet;
    // The name of the printer to print on, empty when none is installed.
    std::function<QString()> Printer;
    // The model object the main window has selected: bare names in the text of the editor's
    // syntax check may denote its named attributes.
    TSelectedObjectSource SelectedObject;

    // Runtime, else the lookup over Context; none without either.
    TRuntimeLookup* RuntimeLookup() const;
    QMessageBox::StandardButton ShowMessageBox(const TMessageBoxRequest& request) const;
    // The file chosen in an open or save dialog; empty when the person cancelled.
    QString OpenFileName(const TFileDialogRequest& request) const;
    QString SaveFileName(const TFileDialogRequest& request) const;
    void Message(const QString& text, bool isError) const;
    // Without a presenter the request is reported through Message.
    void ShowTraceWindow() const;
    QString PrinterName() const;
    bool WrapsTrace() const;
    bool KeepsTraceQuiet() const;
    const vex::TBindingObject* SelectedModelObject() const;

    // The services of a window that was handed none: every member at its default.
    static const TApplicationServices& None();

private:
    std::unique_ptr<TRuntimeLookup> m_contextLookup;
};
