#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

// Modal message boxes, described by one request so that whoever shows them can be replaced:
//
//     services.ShowMessageBox({parent, QMessageBox::Critical, title, text});
//
// A window shows its boxes through the presenter of the application's services it was handed
// (editing/ApplicationServices.h); a test hands in a presenter that records the request and
// returns the answer it scripts, and no window opens then. showMessageBox is the plain box, what
// a presenter left empty stands for.

struct TMessageBoxRequest {
    QWidget* Parent = nullptr;
    QMessageBox::Icon Icon = QMessageBox::Information;
    // Empty: the application's display name.
    QString Title;
    QString Text;
    QMessageBox::StandardButtons Buttons = QMessageBox::Ok;
    QMessageBox::StandardButton DefaultButton = QMessageBox::NoButton;
};

using TMessageBoxPresenter = std::function<QMessageBox::StandardButton(const TMessageBoxRequest&)>;

// Shows a QMessageBox, modal, and returns the button that closed it.
QMessageBox::StandardButton showMessageBox(const TMessageBoxRequest& request);
// The presenter's answer, or showMessageBox's where the presenter is empty.
QMessageBox::StandardButton showMessageBox(const TMessageBoxPresenter& presenter,
                                           const TMessageBoxRequest& request);
