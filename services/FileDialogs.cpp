#include "services/FileDialogs.h"

#include <QFileDialog>

#include <utility>

namespace {

TFileDialogPresenter& openPresenter() {
    static TFileDialogPresenter current;
    return current;
}

TFileDialogPresenter& savePresenter() {
    static TFileDialogPresenter current;
    return current;
}

QString showQFileDialog(const TFileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(request.Parent, request.Title, QString(), request.Filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.DefaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString present(const TFileDialogPresenter& installed, const TFileDialogRequest& request,
                QFileDialog::AcceptMode mode) {
    // A copy: the presenter may replace itself while it runs.
    const TFileDialogPresenter current = installed;
    return current ? current(request) : showQFileDialog(request, mode);
}

} // namespace

QString showOpenFileDialog(const TFileDialogRequest& request) {
    return present(openPresenter(), request, QFileDialog::AcceptOpen);
}

QString showSaveFileDialog(const TFileDialogRequest& request) {
    return present(savePresenter(), request, QFileDialog::AcceptSave);
}

TFileDialogPresenter setOpenFileDialogPresenter(TFileDialogPresenter presenter) {
    return std::exchange(openPresenter(), std::move(presenter));
}

TFileDialogPresenter setSaveFileDialogPresenter(TFileDialogPresenter presenter) {
    return std::exchange(savePresenter(), std::move(presenter));
}
