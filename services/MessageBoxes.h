#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

// Modal message boxes, shown through one place so that tests can answer them.
//
//     showMessageBox({parent, QMessageBox::Critical, title, text});
//
// A test installs a presenter that records the request and returns the answer it scripts; no
// window opens then.

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

// Shows the box and returns the button that closed it.
QMessageBox::StandardButton showMessageBox(const TMessageBoxRequest& request);

// Replaces how boxes are shown; an empty function restores the QMessageBox. Returns the presenter
// that was in place.
TMessageBoxPresenter setMessageBoxPresenter(TMessageBoxPresenter presenter);
