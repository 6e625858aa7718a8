#include "services/MessageBoxes.h"

#include <QGuiApplication>

namespace {

TMessageBoxPresenter& presenter() {
    static TMessageBoxPresenter current;
    return current;
}

QMessageBox::StandardButton showQMessageBox(const TMessageBoxRequest& request) {
    const QString title =
        request.Title.isEmpty() ? QGuiApplication::applicationDisplayName() : request.Title;
    QMessageBox box(request.Icon, title, request.Text, request.Buttons, request.Parent);
    if (request.DefaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.DefaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

QMessageBox::StandardButton showMessageBox(const TMessageBoxRequest& request) {
    // A copy: the presenter may replace itself while it runs.
    const TMessageBoxPresenter current = presenter();
    return current ? current(request) : showQMessageBox(request);
}

TMessageBoxPresenter setMessageBoxPresenter(TMessageBoxPresenter replacement) {
    return std::exchange(presenter(), std::move(replacement));
}
