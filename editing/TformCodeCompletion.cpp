#include "editing/TformCodeCompletion.h"

#include "editing/CodeCompletion.h"
#include "editing/VexScriptEditor.h"
#include "services/LanguageManager.h"
#include "ui_TformCodeCompletion.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>

#include <algorithm>

// A tool tip window: frameless, above every other window, and never activated, neither when it
// is shown nor when it is clicked (X11 and the offscreen platform alike); so the editor keeps the
// keyboard focus.
TformCodeCompletion::TformCodeCompletion(TVexScriptEditor& editor)
    : QWidget(&editor, Qt::ToolTip | Qt::FramelessWindowHint)
    , m_ui(std::make_unique<Ui::TformCodeCompletion>())
    , m_editor(editor) {
    m_ui->setupUi(this);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    m_ui->ListBox1->viewport()->installEventFilter(this);
    connectHandlers();
    FormCreate();
}

TformCodeCompletion::~TformCodeCompletion() = default;

void TformCodeCompletion::connectHandlers() {
    connect(m_ui->ListBox1, &QListWidget::itemDoubleClicked, this,
            &TformCodeCompletion::ListBox1DblClick);
}

// The form in the colour of buttons, the list in the colour of menus and in the editor's font.
void TformCodeCompletion::FormCreate() {
    TranslateForm(this);
    setBackgroundRole(QPalette::Button);
    QListWidget* list = m_ui->ListBox1;
    QPalette colors = list->palette();
    colors.setColor(QPalette::Base, QApplication::palette("QMenu").color(QPalette::Window));
    list->setPalette(colors);
    list->setFont(m_editor.font());
}

bool TformCodeCompletion::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_ui->ListBox1->viewport()) {
        if (event->type() == QEvent::MouseButtonPress)
            ListBox1MouseDown();
        else if (event->type() == QEvent::MouseButtonRelease)
            ListBox1MouseUp();
    }
    return QWidget::eventFilter(watched, event);
}

void TformCodeCompletion::ListBox1MouseDown() {
    keepEditorFocus();
}

void TformCodeCompletion::ListBox1MouseUp() {
    keepEditorFocus();
}

void TformCodeCompletion::ListBox1DblClick() {
    m_editor.Completion().AcceptCompletion();
    hide();
    keepEditorFocus();
}

// The list takes no focus by itself; this only brings it back to the editor should anything
// else in the editor's window have taken it meanwhile. Another window that is active keeps it.
void TformCodeCompletion::keepEditorFocus() {
    if (m_editor.isActiveWindow() && !m_editor.hasFocus())
        m_editor.setFocus(Qt::OtherFocusReason);
}

// [entries] -----------------------------------------------------------------------------------

void TformCodeCompletion::SetEntries(const QStringList& entries) {
    QListWidget* list = m_ui->ListBox1;
    list->clear();
    list->addItems(entries);
    SelectRow(0);
    const int rows = std::min(kVisibleRows, int(entries.size()));
    resize(widthFor(entries), rowHeight() * rows + 2 * list->frameWidth());
}

int TformCodeCompletion::EntryCount() const {
    return m_ui->ListBox1->count();
}

int TformCodeCompletion::SelectedRow() const {
    return m_ui->ListBox1->currentRow();
}

QString TformCodeCompletion::SelectedEntry() const {
    const QListWidgetItem* item = m_ui->ListBox1->currentItem();
    return item ? item->text() : QString();
}

void TformCodeCompletion::SelectRow(int row) {
    QListWidget* list = m_ui->ListBox1;
    if (row < 0 || row >= list->count())
        return;
    list->setCurrentRow(row);
    list->scrollToItem(list->item(row));
}

int TformCodeCompletion::rowHeight() const {
    const QListWidget* list = m_ui->ListBox1;
    return list->count() > 0 ? list->sizeHintForRow(0) : list->fontMetrics().height();
}

// The formula in points serves a fixed-width font; the longest entry's own width, with the
// list's margins and its scroll bar, makes sure a wide font is not cut off either.
int TformCodeCompletion::widthFor(const QStringList& entries) const {
    const QListWidget* list = m_ui->ListBox1;
    const QString* longest = nullptr;
    for (const QString& entry : entries)
        if (!longest || entry.size() > longest->size())
            longest = &entry;
    if (!longest)
        return kMinimumWidth;
    const QStyle* style = list->style();
    const int textMargins =
        2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    const int scrollBar = entries.size() > kVisibleRows
                              ? style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list)
                              : 0;
    const int measured = list->fontMetrics().horizontalAdvance(*longest) + textMargins +
                         2 * list->frameWidth() + scrollBar;
    const int byPoints = QFontInfo(list->font()).pointSize() * int(longest->size());
    return std::max({kMinimumWidth, byPoints, measured});
}

void TformCodeCompletion::PlaceAtCaret(const QRect& caret) {
    QPoint position = caret.topLeft() + QPoint(5, 5);
    const QScreen* screen = QGuiApplication::screenAt(caret.topLeft());
    if (!screen)
        screen = m_editor.screen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        if (width() > area.width())
            resize(area.width(), height());
        position.setX(std::clamp(position.x(), area.left(), area.right() + 1 - width()));
        if (position.y() + height() > area.bottom() + 1)
            position.setY(std::max(area.top(), caret.top() - height()));
    }
    move(position);
}
