#include "editing/ApplicationServices.h"

#include "editing/ScriptPrinting.h"

TApplicationServices::TApplicationServices()
    : m_contextLookup(MakeContextLookup(Context)) {}

TApplicationServices::~TApplicationServices() = default;

TRuntimeLookup* TApplicationServices::RuntimeLookup() const {
    if (Runtime)
        return Runtime;
    return Context ? m_contextLookup.get() : nullptr;
}

QMessageBox::StandardButton
TApplicationServices::ShowMessageBox(const TMessageBoxRequest& request) const {
    return showMessageBox(MessageBoxes, request);
}

QString TApplicationServices::OpenFileName(const TFileDialogRequest& request) const {
    return showOpenFileDialog(FileDialogs, request);
}

QString TApplicationServices::SaveFileName(const TFileDialogRequest& request) const {
    return showSaveFileDialog(FileDialogs, request);
}

void TApplicationServices::Message(const QString& text, bool isError) const {
    if (Messages)
        Messages(text, isError);
    else
        qWarning("%s%s", isError ? "editor error: " : "editor: ", qUtf8Printable(text));
}

void TApplicationServices::ShowTraceWindow() const {
    if (TraceWindow)
        TraceWindow();
    else
        Message(QStringLiteral("There is no trace window to show."), false);
}

QString TApplicationServices::PrinterName() const {
    return Printer ? Printer() : DefaultPrinterName();
}

bool TApplicationServices::WrapsTrace() const {
    return TraceWordWrap && TraceWordWrap();
}

bool TApplicationServices::KeepsTraceQuiet() const {
    return TraceQuiet && TraceQuiet();
}

const vex::TBindingObject* TApplicationServices::SelectedModelObject() const {
    return SelectedObject ? SelectedObject() : nullptr;
}

const TApplicationServices& TApplicationServices::None() {
    // Never changed: a window without services gets the defaults, not a seam.
    static const TApplicationServices none;
    return none;
}
