#pragma once

#include <QString>

#include <functional>

class QWidget;

// Open and save dialogs, shown through one place so that tests can choose the file.
//
//     const QString path = showSaveFileDialog({this, title, "txt", filter});
//     if (!path.isEmpty()) ...
//
// The dialog is Qt's own, not the desktop's, so it behaves the same everywhere. A test installs
// a presenter that records the request and returns the file name it scripts (empty: the person
// cancelled); no window opens then.

struct TFileDialogRequest {
    QWidget* Parent = nullptr;
    // Empty: the dialog's own title.
    QString Title;
    // Appended, with a dot, to a chosen name without one ("txt").
    QString DefaultSuffix;
    // File-type filters separated by ";;": "Text files (*.txt);;All files (*)".
    QString Filter;
};

using TFileDialogPresenter = std::function<QString(const TFileDialogRequest&)>;

// Asks for an existing file to open; empty when the person cancelled.
QString showOpenFileDialog(const TFileDialogRequest& request);
// Asks for a file name to save to; empty when the person cancelled.
QString showSaveFileDialog(const TFileDialogRequest& request);

// Replace how open and save dialogs are shown; an empty function restores the QFileDialog. Each
// returns the presenter that was in place.
TFileDialogPresenter setOpenFileDialogPresenter(TFileDialogPresenter presenter);
TFileDialogPresenter setSaveFileDialogPresenter(TFileDialogPresenter presenter);
