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
