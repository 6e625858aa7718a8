#include "debugging/TformTrace.h"

#include "debugging/TraceTexts.h"
#include "debugging/TraceWindows.h"
#include "platform/CodePage.h"
#include "services/Clock.h"
#include "services/FileDialogs.h"
#include "services/FormPlacement.h"
#include "services/LanguageManager.h"
#include "ui_TformTrace.h"

#include <QApplication>
#include <QMenu>
#include <QSaveFile>
#include <QTextBlock>

using namespace std::chrono_literals;

const QColor TformTrace::FlashYellow(0xFF, 0xFF, 0x00);
const QColor TformTrace::FlashAqua(0x00, 0xFF, 0xFF);

TformTrace::TformTrace(QWidget* owner, const QString& caption)
    : QWidget(owner, Qt::Window)
    , m_ui(std::make_unique<Ui::TformTrace>()) {
    m_ui->setupUi(this);
    // An error brings the window to the screen but leaves the keys where the person is typing.
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Closing the main window ends the application even while a trace window is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    m_ui->sbTrace->addWidget(m_ui->lblLastError);
    m_ui->sbTrace->addWidget(m_ui->lblLastErrorText, 1);
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
    m_ui->sbTrace->setVisible(isError);
    const QString line = QString::number(++m_messageCount) + u' ' + text;
    memo()->appendPlainText(line);
    if (isError) {
        AppendToErrorLog(line);
        m_ui->lblLastErrorText->setText(text);
        showUnlessQuiet();
        flashBackground();
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    memo()->moveCursor(QTextCursor::End);
    memo()->ensureCursorVisible();
    m_lastMessageTime = ClockNow();
}

void TformTrace::RestoreMessages(const QStringList& lines) {
    for (const QString& line : lines)
        memo()->appendPlainText(line);
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
}

void TformTrace::pmClearMessagesClick() {
    memo()->clear();
    ClearErrorLog();
    m_messageCount = 0;
}

void TformTrace::pmSaveMessagesClick() {
    const QString path =
        showSaveFileDialog({this, QString(), QStringLiteral("txt"), TraceText(ttSaveFilter)});
    if (path.isEmpty())
        return;
    // An empty text box still has one (empty) line; its file is empty.
    QByteArray bytes;
    const QTextDocument* document = memo()->document();
    if (!document->isEmpty())
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            bytes += toWindows1252(block.text()) + "\r\n";
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        file.commit();
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

// Long lines wrap at the window's edge when the host asks for it, and scroll sideways otherwise.
void TformTrace::applyWordWrap() {
    const bool wrap = TraceWordWrap();
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
    if (TraceQuiet())
        return;
    show();
    if (!m_lastMessageTime || ClockNow() - *m_lastMessageTime > 1s)
        raise();
}

void TformTrace::memTraceContextMenuRequested(const QPoint& position) {
    m_ui->pmTrace->popup(memo()->viewport()->mapToGlobal(position));
}

QPlainTextEdit* TformTrace::memo() const {
    return m_ui->memTrace;
}
