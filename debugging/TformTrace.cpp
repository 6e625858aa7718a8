#include "debugging/TformTrace.h"

#include "debugging/TraceTexts.h"
#include "debugging/TraceWindows.h"
#include "editing/ApplicationServices.h"
#include "platform/CodePage.h"
#include "services/Clock.h"
#include "services/FormPlacement.h"
#include "services/LanguageManager.h"
#include "ui_TformTrace.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QSaveFile>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>

using namespace std::chrono_literals;

namespace {

// A strip over the left edge of the text box that shows the numbers of the visible messages while
// the lines are scrolled sideways, so that each line can still be told by its number. A message's
// first line carries its number as the block's user state.
class TNumberStrip : public QWidget {
public:
    explicit TNumberStrip(QPlainTextEdit* memo)
        : QWidget(memo)
        , m_memo(memo) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        memo->installEventFilter(this);
        connect(memo->horizontalScrollBar(), &QScrollBar::valueChanged, this,
                &TNumberStrip::follow);
        connect(memo->verticalScrollBar(), &QScrollBar::valueChanged, this, &TNumberStrip::follow);
        connect(memo->document(), &QTextDocument::contentsChanged, this, &TNumberStrip::follow);
        follow();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::PaletteChange)
            follow();
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QPalette palette = m_memo->palette();
        painter.fillRect(rect(), palette.color(QPalette::Base));
        painter.setPen(palette.color(QPalette::Mid));
        painter.drawLine(width() - 1, 0, width() - 1, height());
        painter.setPen(palette.color(QPalette::Text));
        painter.setFont(m_memo->font());
        const int left = static_cast<int>(m_memo->document()->documentMargin());
        for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
            const QRect line = m_memo->cursorRect(QTextCursor(block));
            if (line.top() > height())
                break;
            if (block.userState() > 0)
                painter.drawText(QRect(left, line.top(), width() - left, line.height()),
                                 Qt::AlignLeft | Qt::AlignVCenter,
                                 QString::number(block.userState()));
        }
    }

private:
    QTextBlock firstVisibleBlock() const { return m_memo->cursorForPosition(QPoint(0, 0)).block(); }

    // Shown only while the lines are scrolled, as wide as the widest number in view.
    void follow() {
        const bool scrolled = m_memo->horizontalScrollBar()->value() > 0;
        setVisible(scrolled);
        if (!scrolled)
            return;
        int widest = 0;
        for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next())
            widest = std::max(widest, block.userState());
        const QString sample = QString::number(widest) + u' ';
        const int margin = static_cast<int>(m_memo->document()->documentMargin());
        const QRect viewport = m_memo->viewport()->geometry();
        setGeometry(viewport.left(), viewport.top(),
                    m_memo->fontMetrics().horizontalAdvance(sample) + margin, viewport.height());
        update();
    }

    QPlainTextEdit* m_memo;
};

// The start of a message's first line: what the status bar's panel can show of it.
QString panelText(const QString& text) {
    constexpr qsizetype kPanelCharacters = 500;
    const qsizetype end = text.indexOf(u'\n');
    return text.left(std::min(end < 0 ? text.size() : end, kPanelCharacters));
}

} // namespace

const QColor TformTrace::FlashYellow(0xFF, 0xFF, 0x00);
const QColor TformTrace::FlashAqua(0x00, 0xFF, 0xFF);

TformTrace::TformTrace(QWidget* owner, const QString& caption, const TApplicationServices& services)
    : QWidget(owner, Qt::Window)
    , m_services(services)
    , m_ui(std::make_unique<Ui::TformTrace>()) {
    m_ui->setupUi(this);
    // An error brings the window to the screen but leaves the keys where the person is typing.
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Closing the main window ends the application even while a trace window is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    m_ui->sbTrace->addWidget(m_ui->lblLastError);
    m_ui->sbTrace->addWidget(m_ui->lblLastErrorText, 1);
    // The panel is as wide as designed, or as the window allows: a long message is clipped and
    // never widens the window.
    m_ui->lblLastErrorText->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_ui->lblLastErrorText->setMaximumWidth(kLastErrorWidth);
    m_numbers = new TNumberStrip(memo());
    QFont font = memo()->font();
    font.setStyleHint(QFont::TypeWriter);
    memo()->setFont(font);
    connectHandlers();
    FormCreate();
    setWindowTitle(caption);
    applyWordWrap();
}

TformTrace::~TformTrace() {
    SaveFormPlacement(this);
}

void TformTrace::AddMessage(const QString& text, bool isError) {
    const bool repeated = isError && countRepeat(text);
    if (!repeated) {
        m_lastError = isError ? text : QString();
        m_repeats = 1;
        m_ui->sbTrace->setVisible(isError);
        const QString line = QString::number(++m_messageCount) + u' ' + text;
        appendLine(line, m_messageCount);
        if (isError) {
            AppendToErrorLog(line);
            m_ui->lblLastErrorText->setText(panelText(text));
        }
    }
    if (isError) {
        showUnlessQuiet();
        flashBackground();
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    memo()->moveCursor(QTextCursor::End);
    memo()->ensureCursorVisible();
    m_lastMessageTime = ClockNow();
}

// The line keeps its number; the text box's last message, the saved lines and ErrorLog get the
// count.
bool TformTrace::countRepeat(const QString& text) {
    if (m_lastError.isEmpty() || text != m_lastError || m_lines.isEmpty())
        return false;
    ++m_repeats;
    const QString line =
        QString::number(m_messageCount) + u' ' + text + TraceText(ttRepeated).arg(m_repeats);
    m_lines.last() = line;
    ReplaceLastErrorLogLine(line);
    QTextCursor last(memo()->document());
    last.setPosition(m_lastLineStart);
    last.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    last.insertText(shownText(line));
    memo()->document()->findBlock(m_lastLineStart).setUserState(m_messageCount);
    return true;
}

void TformTrace::RestoreMessages(const QStringList& lines) {
    int number = 0;
    for (const QString& line : lines)
        appendLine(line, ++number);
    m_messageCount = static_cast<int>(lines.size());
    memo()->moveCursor(QTextCursor::End);
}

void TformTrace::NormalColor() {
    memo()->setPalette(QApplication::palette(memo()));
    memo()->viewport()->update();
    applyWordWrap();
}

void TformTrace::FormCreate() {
    TranslateForm(this);
    fitCaptionPanel();
}

void TformTrace::pmClearMessagesClick() {
    memo()->clear();
    m_lines.clear();
    m_lastError.clear();
    ClearErrorLog();
    m_messageCount = 0;
}

void TformTrace::pmSaveMessagesClick() {
    const QString path =
        m_services.SaveFileName({this, QString(), QStringLiteral("txt"), TraceText(ttSaveFilter)});
    if (path.isEmpty())
        return;
    // A message's own line breaks end lines of the file as well.
    QByteArray bytes;
    for (const QString& line : m_lines)
        bytes += toWindows1252(line).replace('\n', "\r\n") + "\r\n";
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return;
    m_services.ShowMessageBox(
        {this, QMessageBox::Critical, QString(),
         TraceText(ttNotSaved).arg(QDir::toNativeSeparators(path), file.errorString())});
}

void TformTrace::pmCopyClick() {
    memo()->copy();
}

void TformTrace::pmSelectAllClick() {
    memo()->selectAll();
}

bool TformTrace::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        NormalColor();
    return QWidget::event(event);
}

void TformTrace::connectHandlers() {
    connect(m_ui->pmClearMessages, &QAction::triggered, this, &TformTrace::pmClearMessagesClick);
    connect(m_ui->pmSaveMessages, &QAction::triggered, this, &TformTrace::pmSaveMessagesClick);
    connect(m_ui->pmCopy, &QAction::triggered, this, &TformTrace::pmCopyClick);
    connect(m_ui->pmSelectAll, &QAction::triggered, this, &TformTrace::pmSelectAllClick);
    connect(memo(), &QWidget::customContextMenuRequested, this,
            &TformTrace::memTraceContextMenuRequested);
    // The keys work wherever the focus is in the window, not only while the menu is open.
    for (QAction* action : m_ui->pmTrace->actions()) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
}

// Long lines wrap at the window's edge when the services ask for it, and scroll sideways
// otherwise.
void TformTrace::applyWordWrap() {
    const bool wrap = m_services.WrapsTrace();
    memo()->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    memo()->setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    memo()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void TformTrace::flashBackground() {
    QPalette palette = memo()->palette();
    const bool yellow = palette.color(QPalette::Base) == FlashYellow;
    palette.setColor(QPalette::Base, yellow ? FlashAqua : FlashYellow);
    memo()->setPalette(palette);
    memo()->viewport()->update();
}

// Errors come to the screen by themselves, but to the front only after a quiet second, so that a
// burst of errors does not keep pulling the window over the person's work.
void TformTrace::showUnlessQuiet() {
    if (m_services.KeepsTraceQuiet())
        return;
    show();
    if (!m_lastMessageTime || ClockNow() - *m_lastMessageTime > 1s)
        raise();
}

void TformTrace::memTraceContextMenuRequested(const QPoint& position) {
    m_ui->pmTrace->popup(memo()->viewport()->mapToGlobal(position));
}

// The caption panel keeps its designed width unless its translated text needs more.
void TformTrace::fitCaptionPanel() {
    QLabel* caption = m_ui->lblLastError;
    const int needed = caption->fontMetrics().horizontalAdvance(caption->text()) +
                       2 * (caption->margin() + caption->frameWidth()) + 8;
    caption->setFixedWidth(std::max(kCaptionWidth, needed));
}

// Shows at most kShownCharacters of a line; its first block carries the message number.
void TformTrace::appendLine(const QString& line, int number) {
    m_lines.append(line);
    const int firstBlock = memo()->document()->isEmpty() ? 0 : memo()->blockCount();
    m_lastLineStart = memo()->document()->isEmpty() ? 0 : memo()->document()->characterCount();
    memo()->appendPlainText(shownText(line));
    memo()->document()->findBlockByNumber(firstBlock).setUserState(number);
}

QString TformTrace::shownText(const QString& line) {
    if (line.size() <= kShownCharacters)
        return line;
    return line.left(kShownCharacters) +
           TraceText(ttMessageCut).arg(line.size() - kShownCharacters);
}

QPlainTextEdit* TformTrace::memo() const {
    return m_ui->memTrace;
}
