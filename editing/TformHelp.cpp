#include "editing/TformHelp.h"

#include "editing/ApplicationWindow.h"
#include "editing/EditingTexts.h"
#include "editing/HelpPages.h"
#include "editing/HelpTopics.h"
#include "services/FormPlacement.h"
#include "services/LanguageManager.h"
#include "ui_TformHelp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QUrl>

namespace {

const QString IndexPage = QStringLiteral("index.html");

QString& pagesDirectoryOverride() {
    static QString directory;
    return directory;
}

QPointer<TformHelp>& helpWindow() {
    static QPointer<TformHelp> window;
    return window;
}

QString findPagesDirectory() {
    if (!pagesDirectoryOverride().isEmpty())
        return pagesDirectoryOverride();
    for (const QString& directory : HelpPageDirectories())
        if (QFileInfo::exists(QDir(directory).filePath(QLatin1String(HelpTopicList))))
            return directory;
    return {};
}

// The file of a topic shown in the index.
constexpr int PageRole = Qt::UserRole;

} // namespace

TformHelp::TformHelp(QWidget* owner)
    : QWidget(owner, Qt::Window)
    , m_ui(std::make_unique<Ui::TformHelp>()) {
    m_ui->setupUi(this);
    m_ui->spHelp->setSizes({180, 540});
    connectHandlers();
    FormCreate();
    loadTopics();
}

TformHelp::~TformHelp() {
    FormDestroy();
}

bool TformHelp::ShowTopic(const QString& entry) {
    const QString file = HelpPageFile(HelpTopicOf(entry));
    if (!m_directory.isEmpty() && QFileInfo::exists(QDir(m_directory).filePath(file))) {
        m_ui->edSearch->clear();
        showPage(file);
        return true;
    }
    showIndex();
    m_ui->edSearch->setText(entry);
    return false;
}

QString TformHelp::CurrentPage() const {
    return m_ui->memHelp->source().isLocalFile()
               ? QFileInfo(m_ui->memHelp->source().toLocalFile()).fileName()
               : QString();
}

void TformHelp::edSearchChange() {
    const QString search = m_ui->edSearch->text().trimmed();
    QListWidget* topics = m_ui->lbxTopics;
    for (int row = 0; row < topics->count(); ++row) {
        QListWidgetItem* item = topics->item(row);
        item->setHidden(!item->text().contains(search, Qt::CaseInsensitive));
    }
}

void TformHelp::edSearchEnter() {
    QListWidget* topics = m_ui->lbxTopics;
    for (int row = 0; row < topics->count(); ++row) {
        if (!topics->item(row)->isHidden()) {
            topics->setCurrentRow(row);
            lbxTopicsClick();
            return;
        }
    }
}

void TformHelp::lbxTopicsClick() {
    if (const QListWidgetItem* item = m_ui->lbxTopics->currentItem())
        showPage(item->data(PageRole).toString());
}

void TformHelp::connectHandlers() {
    connect(m_ui->edSearch, &QLineEdit::textChanged, this, &TformHelp::edSearchChange);
    connect(m_ui->edSearch, &QLineEdit::returnPressed, this, &TformHelp::edSearchEnter);
    connect(m_ui->lbxTopics, &QListWidget::itemActivated, this, &TformHelp::lbxTopicsClick);
    connect(m_ui->lbxTopics, &QListWidget::itemClicked, this, &TformHelp::lbxTopicsClick);
}

void TformHelp::FormCreate() {
    TranslateForm(this);
    LoadFormPlacement(this);
}

void TformHelp::FormDestroy() {
    SaveFormPlacement(this);
}

// The index lists the topics of topics.txt: the name shown, a tab, the page's file.
void TformHelp::loadTopics() {
    m_directory = findPagesDirectory();
    QFile list(QDir(m_directory).filePath(QLatin1String(HelpTopicList)));
    if (m_directory.isEmpty() || !list.open(QIODevice::ReadOnly)) {
        m_directory.clear();
        m_ui->memHelp->setPlainText(
            EditingText(etHelpPagesMissing).arg(HelpPageDirectories().join(QStringLiteral(", "))));
        return;
    }
    m_ui->memHelp->setSearchPaths({m_directory});
    const QStringList lines = QString::fromUtf8(list.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QString name = line.section(u'\t', 0, 0);
        auto* item = new QListWidgetItem(name, m_ui->lbxTopics);
        item->setData(PageRole, line.section(u'\t', 1, 1));
    }
    showIndex();
}

void TformHelp::showPage(const QString& file) {
    if (m_directory.isEmpty())
        return;
    m_ui->memHelp->setSource(QUrl::fromLocalFile(QDir(m_directory).filePath(file)));
    QListWidget* topics = m_ui->lbxTopics;
    for (int row = 0; row < topics->count(); ++row) {
        if (topics->item(row)->data(PageRole).toString() == file) {
            const QSignalBlocker quiet(topics);
            topics->setCurrentRow(row);
            topics->scrollToItem(topics->item(row));
            break;
        }
    }
}

void TformHelp::showIndex() {
    showPage(IndexPage);
}

QStringList HelpPageDirectories() {
    const QDir executable(QCoreApplication::applicationDirPath());
    return {executable.filePath(QStringLiteral("help")),
            QDir::cleanPath(executable.filePath(QStringLiteral("../share/zentaro/help")))};
}

void SetHelpPagesDirectory(const QString& directory) {
    pagesDirectoryOverride() = directory;
}

TformHelp* GetHelpWindow() {
    return ApplicationWindow(helpWindow(), FinalizeHelpWindow);
}

void ShowHelpTopic(const QString& entry) {
    TformHelp* window = GetHelpWindow();
    window->ShowTopic(entry);
    window->show();
    window->raise();
    window->activateWindow();
}

void FinalizeHelpWindow() {
    delete helpWindow().data();
}
