#include "services/FileDialogs.h"

#include "services/ZTPlaces.h"

#include <QFileInfo>
#include <QListView>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace {

// The folder of the file last chosen in a dialog of the process.
QString& lastFolder() {
    static QString folder;
    return folder;
}

QString hostText(const std::function<QString()>& read) {
    return read ? read() : QString();
}

bool usesPlacesBar(const TFileDialogHostInputs& host) {
    return host.UseCustomPlacesBar && host.UseCustomPlacesBar();
}

// The folder when it exists, else its nearest existing parent (a folder that was deleted, on a
// drive no longer mounted); empty for an empty name.
QString existingFolder(const QString& folder) {
    if (folder.isEmpty())
        return {};
    QString path = QFileInfo(folder).absoluteFilePath();
    while (!QFileInfo(path).isDir()) {
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            return {};
        path = parent;
    }
    return path;
}

// The sidebar to leave in a dialog that showed `places`: its own from before, with any folder the
// person added to it meanwhile. Qt stores a dialog's sidebar when the dialog goes and gives it
// to the next one, which must not inherit the places bar.
QList<QUrl> ownSidebar(QList<QUrl> before, const QList<QUrl>& now, const QList<QUrl>& places) {
    for (const QUrl& url : now)
        if (!places.contains(url) && !before.contains(url))
            before << url;
    return before;
}

// Qt's dialog sizes its sidebar for its own short places; the places bar holds folder names. The
// sidebar is kept at least as wide as its widest place, up to a limit, so that each name shows
// whole. Nothing happens when the dialog has no sidebar by that name.
void fitSidebarToPlaces(QFileDialog& dialog) {
    constexpr int kWidestSidebar = 260;
    auto* sidebar = dialog.findChild<QListView*>(QStringLiteral("sidebar"));
    if (!sidebar)
        return;
    const int needed = sidebar->sizeHintForColumn(0) + 2 * sidebar->frameWidth() +
                       sidebar->verticalScrollBar()->sizeHint().width();
    sidebar->setMinimumWidth(std::min(needed, kWidestSidebar));
}

} // namespace

QString showOpenFileDialog(const TFileDialogServices& services, const TFileDialogRequest& request) {
    TZTOpenDialog dialog(services, request);
    return dialog.Execute() ? dialog.FileName() : QString();
}

QString showSaveFileDialog(const TFileDialogServices& services, const TFileDialogRequest& request) {
    TZTSaveDialog dialog(services, request);
    return dialog.Execute() ? dialog.FileName() : QString();
}

TZTFileDialog::TZTFileDialog(const TFileDialogServices& services, const TFileDialogRequest& request,
                             QFileDialog::AcceptMode mode)
    : m_services(services)
    , m_request(request)
    , m_mode(mode) {
    if (usesPlacesBar(m_services.Host))
        m_places = std::make_unique<TZTPlaces>();
}

TZTFileDialog::~TZTFileDialog() = default;

bool TZTFileDialog::Execute() {
    const TFileDialogRequest shown = shownRequest();
    m_fileName = present(shown);
    if (!m_fileName.isEmpty())
        lastFolder() = QFileInfo(m_fileName).absolutePath();
    return !m_fileName.isEmpty();
}

// The request with the folder the dialog starts in and the places of this showing (the host's
// folders are added for this showing only). Without a folder of its own or a file chosen before,
// the dialog starts where Qt's dialog would.
TFileDialogRequest TZTFileDialog::shownRequest() {
    TFileDialogRequest shown = m_request;
    shown.Directory = existingFolder(shown.Directory.isEmpty() ? lastFolder() : shown.Directory);
    if (m_places) {
        const TFileDialogHostInputs& host = m_services.Host;
        m_places->AddPlace(hostText(host.PlacesBarDirectory));
        const QString modelFile = hostText(host.ModelFileName);
        if (!modelFile.isEmpty())
            m_places->AddPlace(QFileInfo(modelFile).absolutePath());
        shown.Places = m_places->Urls();
        m_places->ClearExtraPlaces();
    }
    return shown;
}

QString TZTFileDialog::present(const TFileDialogRequest& shown) const {
    const TFileDialogPresenter& presenter =
        m_mode == QFileDialog::AcceptOpen ? m_services.Open : m_services.Save;
    return presenter ? presenter(shown) : showQtDialog(shown);
}

QString TZTFileDialog::showQtDialog(const TFileDialogRequest& shown) const {
    QFileDialog dialog(shown.Parent, shown.Title, shown.Directory, shown.Filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(m_mode);
    dialog.setFileMode(m_mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                         : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(shown.DefaultSuffix);
    const QList<QUrl> sidebar = dialog.sidebarUrls();
    if (m_places) {
        dialog.setSidebarUrls(shown.Places);
        fitSidebarToPlaces(dialog);
    }
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    if (m_places)
        dialog.setSidebarUrls(ownSidebar(sidebar, dialog.sidebarUrls(), shown.Places));
    return chosen ? dialog.selectedFiles().constFirst() : QString();
}

TZTOpenDialog::TZTOpenDialog(const TFileDialogServices& services, const TFileDialogRequest& request)
    : TZTFileDialog(services, request, QFileDialog::AcceptOpen) {}

TZTSaveDialog::TZTSaveDialog(const TFileDialogServices& services, const TFileDialogRequest& request)
    : TZTFileDialog(services, request, QFileDialog::AcceptSave) {}
