#pragma once

#include <QFileDialog>
#include <QList>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

class QWidget;
class TZTPlaces;

// Open and save dialogs, described by one request so that whoever shows them can be replaced.
//
//     const QString path = showSaveFileDialog(services, {this, title, "txt", filter});
//     if (!path.isEmpty()) ...
//
// or, keeping the dialog and its places bar for more than one showing:
//
//     TZTOpenDialog dialog(services, {this, title, QString(), filter});
//     if (dialog.Execute()) load(dialog.FileName());
//
// `services` (TFileDialogServices, part of the application's services a window is handed) holds
// how the dialogs are shown and what the host supplies to them. The dialog is Qt's own, not the
// desktop's, so it behaves the same everywhere. When the host's preference asks for it, its
// sidebar is the places bar (services/ZTPlaces.h): the places the settings list, the folder the
// preferences name and the folder of the open model. A dialog starts in the folder it is given,
// else in the folder of the file last chosen in any of them (one memory for the process, as a
// person expects of the application); when that folder no longer exists, in its nearest existing
// parent.
//
// A test hands in presenters that record the request and return the file name it scripts
// (empty: the person cancelled); no window opens then.

struct TFileDialogRequest {
    QWidget* Parent = nullptr;
    // Empty: the dialog's own title ("Open", "Save As").
    QString Title;
    // Appended, with a dot, to a chosen name without one ("txt").
    QString DefaultSuffix;
    // File-type filters separated by ";;": "Text files (*.txt);;All files (*)".
    QString Filter;
    // The folder to start in; empty: the folder of the file last chosen. (These two have
    // initialisers so that the shorter brace lists above stay free of warnings.)
    QString Directory{};
    // For a presenter: the places bar the dialog shows (empty: Qt's own sidebar, or no place).
    QList<QUrl> Places{};
};

// Gives the file name the dialog would have given for `request`, which describes the dialog as
// it would be shown: its title, filters, starting folder and places bar.
using TFileDialogPresenter = std::function<QString(const TFileDialogRequest&)>;

// What the host supplies to the places bar: whether it is on, the folder the preferences name,
// the file name of the open model. An empty function reads as off or as no folder.
struct TFileDialogHostInputs {
    std::function<bool()> UseCustomPlacesBar;
    std::function<QString()> PlacesBarDirectory;
    std::function<QString()> ModelFileName;
};

// How a window's dialogs are shown: empty presenters show Qt's dialog; empty host inputs have the
// places bar off.
struct TFileDialogServices {
    TFileDialogPresenter Open;
    TFileDialogPresenter Save;
    TFileDialogHostInputs Host;
};

// Asks for an existing file to open; empty when the person cancelled.
QString showOpenFileDialog(const TFileDialogServices& services, const TFileDialogRequest& request);
// Asks for a file name to save to; empty when the person cancelled.
QString showSaveFileDialog(const TFileDialogServices& services, const TFileDialogRequest& request);

// An open or save dialog: Qt's file dialog, made when Execute shows it, with the places bar when
// the host's preference asks for it. Whether it does is decided when the object is made, and the
// places the settings list are read then; the host's folders are added at each showing.
class TZTFileDialog {
public:
    ~TZTFileDialog();
    TZTFileDialog(const TZTFileDialog&) = delete;
    TZTFileDialog& operator=(const TZTFileDialog&) = delete;

    // Shows the dialog, modal (or asks the presenter); true when the person chose a file, which
    // FileName then gives.
    bool Execute();
    const QString& FileName() const noexcept { return m_fileName; }

protected:
    TZTFileDialog(const TFileDialogServices& services, const TFileDialogRequest& request,
                  QFileDialog::AcceptMode mode);

private:
    TFileDialogRequest shownRequest();
    QString present(const TFileDialogRequest& shown) const;
    QString showQtDialog(const TFileDialogRequest& shown) const;

    TFileDialogServices m_services;
    TFileDialogRequest m_request;
    QFileDialog::AcceptMode m_mode;
    std::unique_ptr<TZTPlaces> m_places;
    QString m_fileName;
};

// Asks for an existing file.
class TZTOpenDialog : public TZTFileDialog {
public:
    TZTOpenDialog(const TFileDialogServices& services, const TFileDialogRequest& request);
};

// Asks for a file name to save to; an existing file is replaced only when the person agrees.
class TZTSaveDialog : public TZTFileDialog {
public:
    TZTSaveDialog(const TFileDialogServices& services, const TFileDialogRequest& request);
};
