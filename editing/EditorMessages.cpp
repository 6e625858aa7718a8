#include "editing/EditorMessages.h"

#include <QtGlobal>

namespace {

TEditorMessageSink& installedSink() {
    static TEditorMessageSink sink;
    return sink;
}

} // namespace

void EditorMessage(const QString& text, bool isError) {
    if (const TEditorMessageSink& sink = installedSink())
        sink(text, isError);
    else
        qWarning("%s%s", isError ? "editor error: " : "editor: ", qUtf8Printable(text));
}

TEditorMessageSink SetEditorMessageSink(TEditorMessageSink sink) {
    return std::exchange(installedSink(), std::move(sink));
}

namespace {

TTraceWindowPresenter& installedPresenter() {
    static TTraceWindowPresenter presenter;
    return presenter;
}

} // namespace

void ShowEditorTraceWindow() {
    if (const TTraceWindowPresenter& presenter = installedPresenter())
        presenter();
    else
        EditorMessage(QStringLiteral("There is no trace window to show."), false);
}

TTraceWindowPresenter SetTraceWindowPresenter(TTraceWindowPresenter presenter) {
    return std::exchange(installedPresenter(), std::move(presenter));
}
