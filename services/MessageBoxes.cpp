#include "services/MessageBoxes.h"

#include <QGuiApplication>

QMessageBox::StandardButton showMessageBox(const TMessageBoxRequest& request) {
    const QString title =
        request.Title.isEmpty() ? QGuiApplication::applicationDisplayName() : request.Title;
    QMessageBox box(request.Icon, title, request.Text, request.Buttons, request.Parent);
    if (request.DefaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.DefaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox::StandardButton showMessageBox(const TMessageBoxPresenter& presenter,
                                           const TMessageBoxRequest& request) {
    // A copy: the presenter may be replaced while its box is open.
    const TMessageBoxPresenter current = presenter;
    return current ? current(request) : showMessageBox(request);
}
