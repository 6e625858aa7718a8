#include "services/FileDialogs.h"

#include <QFileDialog>

#include <utility>

namespace {

TFileDialogPresenter& savePresenter() {
    static TFileDialogPresenter current;
    return current;
}

QString showQFileDialog(const TFileDialogRequest& request) {
    QFileDialog dialog(request.Parent, request.Title, QString(), request.Filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.DefaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString showSaveFileDialog(const TFileDialogRequest& request) {
    // A copy: the presenter may replace itself while it runs.
    const TFileDialogPresenter current = savePresenter();
    return current ? current(request) : showQFileDialog(request);
}

TFileDialogPresenter setSaveFileDialogPresenter(TFileDialogPresenter presenter) {
    return std::exchange(savePresenter(), std::move(presenter));
}
