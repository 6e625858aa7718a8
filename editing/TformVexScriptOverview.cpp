#include "editing/TformVexScriptOverview.h"

#include "editing/ApplicationWindow.h"
#include "editing/EditingTexts.h"
#include "editing/HelpTopics.h"
#include "editing/TformHelp.h"
#include "platform/CodePage.h"
#include "runtime/VexScript.h"
#include "runtime/VexWords.h"
#include "services/FormPlacement.h"
#include "services/LanguageManager.h"
#include "ui_TformVexScriptOverview.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QScreen>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Texts of the window that are no language texts.
const QString PressF1ForHelp = QStringLiteral("Press F1 for Help");
const QString ConstantsCategory = QStringLiteral("Constants");
const QString ConstantsCreator = QStringLiteral("Engine");

std::string lowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& ch : lower)
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    return lower;
}

bool startsWithIgnoringCase(std::string_view name, std::string_view prefix) {
    return name.size() >= prefix.size() && vex::SameText(name.substr(0, prefix.size()), prefix);
}

// What FilterWords compares the entries with; an unset filter lets every entry pass.
struct TWordFilter {
    bool ByCategory = false;
    std::string Category;
    bool ByCreator = false;
    std::string Creator;
    std::string Prefix;
    // A prefix the script code page cannot hold matches no name.
    bool MatchesNothing = false;
};

QStringList sortedNames(std::vector<std::string> names) {
    std::stable_sort(names.begin(), names.end(), [](std::string_view a, std::string_view b) {
        return vex::CompareText(a, b) < 0;
    });
    QStringList list;
    list.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& name : names)
        list << fromScriptText(name);
    return list;
}

QStringList filteredNames(const vex::TLanguageInterpreter& context, const TWordFilter& filter) {
    std::vector<std::string> names;
    if (filter.MatchesNothing)
        return {};
    for (int number = 1; number <= context.WordCount(); ++number) {
        std::string name = context.WordName(number);
        if ((filter.ByCategory && !vex::SameText(context.WordCategory(number), filter.Category)) ||
            (filter.ByCreator && context.WordCreator(number) != filter.Creator) ||
            !startsWithIgnoringCase(name, filter.Prefix) || !context.IsWordListed(number))
            continue;
        names.push_back(std::move(name));
    }
    const std::vector<std::string> categories = context.Categories();
    for (const vex::TExtraEntry& constant : context.Constants()) {
        const bool knownCategory =
            constant.Category >= 0 && constant.Category < static_cast<int>(categories.size());
        if ((filter.ByCategory &&
             (!knownCategory ||
              !vex::SameText(categories[static_cast<std::size_t>(constant.Category)],
                             filter.Category))) ||
            !startsWithIgnoringCase(constant.Name, filter.Prefix))
            continue;
        names.push_back(constant.Name);
    }
    return sortedNames(names);
}

QPointer<TformVexScriptOverview>& overview() {
    static QPointer<TformVexScriptOverview> window;
    return window;
}

} // namespace

TformVexScriptOverview::TformVexScriptOverview(QWidget* owner)
    : QWidget(owner, Qt::Tool)
    , m_ui(std::make_unique<Ui::TformVexScriptOverview>()) {
    m_ui->setupUi(this);
    m_ui->cbCreators->hide();
    m_ui->lbxVexScriptWords->installEventFilter(this);
    connectHandlers();
    FormCreate();
}

TformVexScriptOverview::~TformVexScriptOverview() {
    FormDestroy();
}

void TformVexScriptOverview::ShowOverview() {
    if (isVisible()) {
        raise();
        return;
    }
    if (const vex::TLanguageInterpreter* context = m_context) {
        fillCategories(*context);
        fillCreators(*context);
    }
    show();
    raise();
    FilterWords(QString());
}

void TformVexScriptOverview::FilterWords(const QString& prefix) {
    QListWidget* list = m_ui->lbxVexScriptWords;
    const QSignalBlocker quiet(list);
    list->clear();
    if (const vex::TLanguageInterpreter* context = m_context) {
        TWordFilter filter;
        filter.ByCategory = m_ui->cbCategories->currentIndex() > 0;
        filter.Category = toScriptText(m_ui->cbCategories->currentText());
        filter.ByCreator = m_ui->cbCreators->currentIndex() > 0;
        filter.Creator = toScriptText(m_ui->cbCreators->currentText());
        filter.Prefix = toScriptText(prefix);
        filter.MatchesNothing = fromScriptText(filter.Prefix) != prefix;
        list->addItems(filteredNames(*context, filter));
    }
    if (list->count() == 1) {
        list->setCurrentRow(0);
        SelectListedWord();
    } else {
        m_currentIndex = -1;
        ShowWordInfo();
    }
}

void TformVexScriptOverview::StepWord(int direction) {
    QListWidget* list = m_ui->lbxVexScriptWords;
    const int count = list->count();
    if (count == 0)
        return;
    const int row =
        list->currentItem() && list->currentItem()->isSelected() ? list->currentRow() : -1;
    int next;
    if (direction < 0)
        next = row <= 0 ? count - 1 : row - 1;
    else
        next = row < count - 1 ? row + 1 : 0;
    const QSignalBlocker quiet(list);
    list->setCurrentRow(next);
    SelectListedWord();
}

QString TformVexScriptOverview::CurrentExample() const {
    return m_ui->edExample->text();
}

void TformVexScriptOverview::SelectListedWord() {
    const QListWidgetItem* item = m_ui->lbxVexScriptWords->currentItem();
    const vex::TLanguageInterpreter* context = m_context;
    m_currentIndex = -1;
    if (item && context) {
        const std::string name = toScriptText(item->text());
        m_currentIndex = context->WordIndexOf(name);
        m_currentKind = ekWord;
        if (m_currentIndex < 0) {
            const auto& constants = context->Constants();
            const auto found =
                std::find_if(constants.begin(), constants.end(),
                             [&](const vex::TExtraEntry& c) { return c.Name == name; });
            m_currentIndex =
                found == constants.end() ? -1 : static_cast<int>(found - constants.begin());
            m_currentKind = ekConstant;
        }
    }
    ShowWordInfo();
}

void TformVexScriptOverview::ShowWordInfo() {
    QPlainTextEdit* memo = m_ui->memWordInfo;
    memo->clear();
    QString example;
    const vex::TLanguageInterpreter* context = m_context;
    if (m_currentIndex >= 0 && context) {
        QString help;
        if (m_currentKind == ekWord) {
            const vex::TSyntax* syntax = context->WordSyntaxOf(m_currentIndex + 1);
            help = syntax ? fromScriptText(syntax->HelpText) : QString();
            example = syntax ? fromScriptText(syntax->Example) : QString();
            m_ui->edCategory->setText(fromScriptText(context->WordCategory(m_currentIndex + 1)));
            m_ui->chkUpdate->setChecked(syntax && syntax->UpdateFlag);
        } else {
            const vex::TExtraEntry& constant =
                context->Constants()[static_cast<std::size_t>(m_currentIndex)];
            help = fromScriptText(constant.HelpText);
            example = fromScriptText(constant.Example);
            m_ui->edCategory->setText(ConstantsCategory);
            m_ui->chkUpdate->setChecked(false);
        }
        memo->setPlainText(help.isEmpty() ? PressF1ForHelp : help);
        memo->moveCursor(QTextCursor::Start);
        memo->ensureCursorVisible();
    }
    ShowWordFields(example);
}

void TformVexScriptOverview::ShowWordFields(const QString& example) {
    const vex::TLanguageInterpreter* context = m_context;
    if (m_currentIndex < 0 || !context) {
        m_ui->edExample->clear();
        m_ui->edVexScriptWord->clear();
        m_ui->edSyntax->clear();
        m_ui->edCreator->clear();
        return;
    }
    if (m_currentKind == ekWord) {
        const std::string name = context->WordName(m_currentIndex + 1);
        const vex::TSyntax* syntax = context->WordSyntaxOf(m_currentIndex + 1);
        const QString line = fromScriptText(
            vex::BuildSyntaxLine(name, syntax ? syntax->MinArgs : 0, syntax ? syntax->MaxArgs : 0));
        m_ui->edVexScriptWord->setText(fromScriptText(name));
        m_ui->edSyntax->setText(line);
        m_ui->edCreator->setText(fromScriptText(context->WordCreator(m_currentIndex + 1)));
        m_ui->edExample->setText(example.isEmpty() ? line : example);
    } else {
        const QString name =
            fromScriptText(context->Constants()[static_cast<std::size_t>(m_currentIndex)].Name);
        m_ui->edVexScriptWord->setText(name);
        m_ui->edSyntax->setText(name);
        m_ui->edCreator->setText(ConstantsCreator);
        m_ui->edExample->setText(example);
    }
    for (QLineEdit* field : {m_ui->edExample, m_ui->edVexScriptWord, m_ui->edSyntax,
                             m_ui->edCreator, m_ui->edCategory})
        field->setCursorPosition(0);
}

void TformVexScriptOverview::NewSelection() {
    FilterWords(QString());
}

void TformVexScriptOverview::cbCreatorsChange() {
    FilterWords(QString());
}

void TformVexScriptOverview::OnWordClick() {
    if (m_ui->lbxVexScriptWords->currentItem())
        SelectListedWord();
}

void TformVexScriptOverview::StayOnTopClick() {
    const bool visible = isVisible();
    // Changing the flags takes the window off the screen.
    setWindowFlag(Qt::WindowStaysOnTopHint, m_ui->StayOnTop->isChecked());
    if (visible)
        show();
}

bool TformVexScriptOverview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_ui->lbxVexScriptWords && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F1) {
            lbxVexScriptWordsKeyDown(key);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TformVexScriptOverview::connectHandlers() {
    connect(m_ui->cbCategories, &QComboBox::currentIndexChanged, this,
            &TformVexScriptOverview::NewSelection);
    connect(m_ui->cbCreators, &QComboBox::currentIndexChanged, this,
            &TformVexScriptOverview::cbCreatorsChange);
    connect(m_ui->lbxVexScriptWords, &QListWidget::currentRowChanged, this,
            &TformVexScriptOverview::OnWordClick);
    connect(m_ui->StayOnTop, &QAction::triggered, this, &TformVexScriptOverview::StayOnTopClick);
    for (QWidget* panel : {m_ui->pnClient, m_ui->pnTopTop})
        connect(panel, &QWidget::customContextMenuRequested, this,
                [this, panel](const QPoint& position) { popupMenuRequested(panel, position); });
}

void TformVexScriptOverview::FormCreate() {
    TranslateForm(this);
    if (!LoadFormPlacement(this))
        placeByDefault();
}

void TformVexScriptOverview::FormDestroy() {
    SaveFormPlacement(this);
}

// Along the right edge of the primary screen, below its top, as tall as the screen allows.
void TformVexScriptOverview::placeByDefault() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    move(area.left() + area.width() - 260, area.top() + 220);
    resize(width(), area.height() - 300);
}

void TformVexScriptOverview::fillCategories(const vex::TLanguageInterpreter& context) {
    std::set<std::string> used;
    for (int number = 1; number <= context.WordCount(); ++number)
        if (context.IsWordListed(number))
            used.insert(lowerAscii(context.WordCategory(number)));
    const std::vector<vex::TExtraEntry>& constants = context.Constants();
    const std::vector<std::string> categories = context.Categories();
    std::vector<std::string> offered;
    for (int position = 0; position < static_cast<int>(categories.size()); ++position) {
        const std::string& category = categories[static_cast<std::size_t>(position)];
        const bool ofConstant = std::any_of(
            constants.begin(), constants.end(),
            [position](const vex::TExtraEntry& constant) { return constant.Category == position; });
        if (used.count(lowerAscii(category)) || ofConstant)
            offered.push_back(category);
    }
    QStringList entries = sortedNames(std::move(offered));
    // The entry for all categories begins with a blank, so it sorts first.
    entries.prepend(u' ' + EditingText(etAllCategories));
    const QSignalBlocker quiet(m_ui->cbCategories);
    m_ui->cbCategories->clear();
    m_ui->cbCategories->addItems(entries);
    m_ui->cbCategories->setCurrentIndex(0);
}

void TformVexScriptOverview::fillCreators(const vex::TLanguageInterpreter& context) {
    QStringList entries = {EditingText(etAllCreators)};
    std::set<std::string> seen;
    for (int number = 1; number <= context.WordCount(); ++number) {
        const std::string creator = context.WordCreator(number);
        if (seen.insert(lowerAscii(creator)).second)
            entries << fromScriptText(creator);
    }
    const QSignalBlocker quiet(m_ui->cbCreators);
    m_ui->cbCreators->clear();
    m_ui->cbCreators->addItems(entries);
    m_ui->cbCreators->setCurrentIndex(0);
}

void TformVexScriptOverview::lbxVexScriptWordsKeyDown(int key) {
    const QListWidgetItem* item = m_ui->lbxVexScriptWords->currentItem();
    if (key != Qt::Key_F1 || !item)
        return;
    ShowHelpTopic(HelpTopicOf(item->text()));
}

void TformVexScriptOverview::popupMenuRequested(QWidget* from, const QPoint& position) {
    m_ui->pmVexScript->popup(from->mapToGlobal(position));
}

TformVexScriptOverview* GetVexScriptOverview(const vex::TLanguageInterpreter* context) {
    TformVexScriptOverview* window = ApplicationWindow(overview(), FinalizeVexScriptOverview);
    window->SetContext(context);
    return window;
}

void FinalizeVexScriptOverview() {
    delete overview().data();
}
