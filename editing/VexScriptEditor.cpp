#include "editing/VexScriptEditor.h"

#include "editing/ApplicationServices.h"
#include "editing/CodeCompletion.h"
#include "editing/EditingTexts.h"
#include "editing/EditorCommands.h"
#include "editing/EditorKeys.h"
#include "editing/EditorMenu.h"
#include "editing/LexicalRules.h"
#include "editing/RuntimeLookup.h"
#include "editing/ScriptEditor.h"
#include "editing/ScriptFile.h"
#include "platform/CodePage.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <cstring>

// Sections: [text lines] [construction] [whole text] [files] [positions] [following changes]
// [rows] [TABs] [selection and status] [painting] [events]

namespace {

constexpr int kTickMilliseconds = 50;
// Changes of up to this many characters are read character by character, larger ones by lines.
constexpr int kSmallChange = 64;

constexpr QChar kParagraphSeparator(0x2029);
constexpr QChar kLineSeparator(0x2028);

QColor toQColor(TColor color) {
    return QColor(int(color & 0xFF), int(color >> 8 & 0xFF), int(color >> 16 & 0xFF));
}

// Depth modulo 9, also for a negative depth (more ")" than "(" before the character).
std::size_t depthIndex(std::int32_t depth) {
    return static_cast<std::size_t>(((depth % 9) + 9) % 9);
}

char byteOf(QChar unit) {
    return toWindows1252(unit).value_or('?');
}

// Appends units of the control's text as snapshot bytes; a paragraph separator is a line break.
void appendBytes(std::string& bytes, QStringView text, int& lineBreaks) {
    for (const QChar unit : text) {
        if (unit == kParagraphSeparator) {
            bytes += "\r\n";
            ++lineBreaks;
        } else {
            bytes += byteOf(unit);
        }
    }
}

} // namespace

const std::array<TColor, 9> TVexScriptEditor::DepthColorTable = {
    0x000000, 0xFF0000, 0x008000, 0x0000FF, 0x800000, 0x008080, 0x000080, 0x808000, 0x808080,
};

// [text lines] --------------------------------------------------------------------------------

// The lines of CurrentText, found through the document's blocks: line k starts at the block's
// position plus k. Consecutive lines are found by stepping from the last block; the cache is
// forgotten whenever the document changes.
class TVexScriptEditor::TSnapshotLines final : public TLineSource {
public:
    explicit TSnapshotLines(const TVexScriptEditor& editor)
        : m_editor(editor) {}

    int LineCount() const override { return m_editor.document()->blockCount(); }

    std::string_view LineText(int line) const override {
        const QTextBlock block = BlockOf(line);
        const std::size_t start = std::size_t(block.position() + line);
        const std::size_t length = std::size_t(std::max(block.length() - 1, 0));
        if (!block.isValid() || start + length > std::size_t(m_editor.m_currentText.Length()))
            return {};
        return {m_editor.m_currentText.Data() + start, length};
    }

    QTextBlock BlockOf(int line) const {
        if (m_cached.isValid() && m_cachedLine != line) {
            if (m_cachedLine + 1 == line)
                m_cached = m_cached.next();
            else if (m_cachedLine - 1 == line)
                m_cached = m_cached.previous();
            else
                m_cached = QTextBlock();
        }
        if (!m_cached.isValid())
            m_cached = m_editor.document()->findBlockByNumber(line);
        m_cachedLine = line;
        return m_cached;
    }

    void Forget() { m_cached = QTextBlock(); }

private:
    const TVexScriptEditor& m_editor;
    mutable QTextBlock m_cached;
    mutable int m_cachedLine = -1;
};

// [construction] ------------------------------------------------------------------------------

TVexScriptEditor::TVexScriptEditor(QWidget* panel, bool fullFeatures, std::uint8_t fileKind)
    : QPlainTextEdit(panel)
    , m_services(&TApplicationServices::None())
    , m_settings(SharedEditorSettings())
    , m_fullFeatures(fullFeatures)
    , m_fileKind(fileKind)
    , m_depthColorsOn(m_settings.DepthColors)
    , m_wordList([this](const QString& text, bool isError) { Services().Message(text, isError); })
    , m_lines(std::make_unique<TSnapshotLines>(*this))
    , m_states(*m_lines) {
    setObjectName(QStringLiteral("Editor"));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    m_settings.Colors[scSelection].BackColor = SystemHighlightColor();
    if (!m_fullFeatures)
        m_settings.AutoCloseBrackets = false;
    m_indentText = QString::fromStdString(RepeatText(" ", m_settings.IndentWidth));
    m_batches.resize(kStyleClassCount + DepthColorTable.size());
    applyFont();
    m_completion = std::make_unique<TCodeCompletion>(*this);
    // Text is never dropped into the editor.
    setAcceptDrops(false);
    setTabChangesFocus(false);
    m_timer.setInterval(kTickMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &TVexScriptEditor::Tick);
    m_timer.start();
    m_lineLabel = EditingText(etLine);
    m_columnLabel = EditingText(etColumn);
    connect(document(), &QTextDocument::contentsChange, this, &TVexScriptEditor::HandleChange);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this,
            &TVexScriptEditor::HandleSelectionChange);
    connect(this, &QPlainTextEdit::selectionChanged, this,
            &TVexScriptEditor::HandleSelectionChange);
    m_commands = new TEditorCommands(*this);
    rebuildAll();
    applyPalette();
}

// The rows are rebuilt: the runtime that classifies their words may be another.
void TVexScriptEditor::SetServices(const TApplicationServices& services) {
    m_services = &services;
    RebuildRows();
}

TVexScriptEditor::~TVexScriptEditor() {
    // The base class destroys the document after this class's members are gone; the document's
    // last signals must not reach them.
    disconnect(document(), nullptr, this, nullptr);
    disconnect(this, nullptr, this, nullptr);
    // The commands and their dialogs go while the editor is still whole.
    delete m_commands;
}

void TVexScriptEditor::applyFont() {
    QFont font(QString::fromStdString(m_settings.FontName), m_settings.FontSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setBold(m_settings.FontStyle & 1);
    font.setItalic(m_settings.FontStyle & 2);
    setFont(font);
    m_rawFont = QRawFont::fromFont(font);
    const QFontMetricsF metrics(font);
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        const QString character = fromWindows1252(QByteArrayView(&c, 1));
        m_byteAdvance[std::size_t(byte)] = float(metrics.horizontalAdvance(character));
        m_byteGlyph[std::size_t(byte)] = m_rawFont.glyphIndexesForString(character).value(0);
    }
}

// While the editor draws the characters itself, the control draws none, so each glyph is drawn
// once; backgrounds, selection and caret stay the control's.
void TVexScriptEditor::applyPalette() {
    QPalette colors = palette();
    const bool overdraw = coloring();
    colors.setColor(QPalette::Base, toQColor(m_settings.Colors[scBackground].TextColor));
    colors.setColor(QPalette::Highlight, toQColor(m_settings.Colors[scSelection].BackColor));
    colors.setColor(QPalette::Text, overdraw ? QColor(Qt::transparent)
                                             : toQColor(m_settings.Colors[scWord].TextColor));
    colors.setColor(QPalette::HighlightedText,
                    overdraw ? QColor(Qt::transparent)
                             : toQColor(m_settings.Colors[scSelection].TextColor));
    if (colors != palette())
        setPalette(colors);
}

bool TVexScriptEditor::coloring() const noexcept {
    return m_fullFeatures && m_coloringOn && m_tracking;
}

void TVexScriptEditor::SetColoringOn(bool on) {
    m_coloringOn = on;
    applyPalette();
    viewport()->update();
}

void TVexScriptEditor::SetDepthColorsOn(bool on) {
    m_depthColorsOn = on;
    viewport()->update();
}

void TVexScriptEditor::SetStatusBar(TPanelStatusBar* statusBar) {
    m_statusBar = statusBar;
    writeStatusLine();
}

void TVexScriptEditor::SetStatusText(const QString& text) {
    if (m_statusBar)
        m_statusBar->SetPanelText(2, text);
}

// [whole text] --------------------------------------------------------------------------------

// Line ends of every kind become line breaks, TABs the indentation text.
QString TVexScriptEditor::NormalizedText(QString text) const {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(kLineSeparator, QLatin1Char('\n'));
    text.replace(kParagraphSeparator, QLatin1Char('\n'));
    text.replace(QLatin1Char('\t'), m_indentText);
    return text;
}

void TVexScriptEditor::SetScriptText(const QString& text) {
    const QString normalized = NormalizedText(text);
    if (normalized.size() > kScriptTextLimit) {
        Services().Message(QStringLiteral("Could not set the text: ") +
                               EditingText(etFileTooLarge).arg(kScriptTextLimit),
                           true);
        return;
    }
    m_settingText = true;
    // Also empties the undo history: the new text is where undoing stops.
    setPlainText(normalized);
    m_settingText = false;
    rebuildAll();
    callHook(OnUserChange, "Error executing useronchange");
    writeStatusLine();
    viewport()->update();
}

void TVexScriptEditor::SetScriptBytes(std::string_view bytes) {
    SetScriptText(fromWindows1252(QByteArrayView(bytes.data(), qsizetype(bytes.size()))));
}

void TVexScriptEditor::AssignLines(const QStringList& lines) {
    SetScriptText(lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + u'\n');
}

std::string TVexScriptEditor::ScriptBytes() const {
    std::string bytes;
    bytes.reserve(std::size_t(m_currentText.Length()));
    for (const char c : m_currentText.Text())
        if (c != '\r')
            bytes += c;
    return bytes;
}

QStringList TVexScriptEditor::Lines() const {
    QStringList lines;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        lines << block.text();
    return lines;
}

QString TVexScriptEditor::FileText() const {
    QString text = document()->toRawText().left(document()->characterCount() - 1);
    text.replace(kParagraphSeparator, QLatin1Char('\n'));
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    return text;
}

// [files] -------------------------------------------------------------------------------------

bool TVexScriptEditor::LoadFromFile(const QString& name) {
    if (!QFileInfo::exists(name))
        return false;
    const TScriptFileText file = ReadScriptFile(name);
    if (!file.Error.isEmpty()) {
        Services().Message(QStringLiteral("Could not open file ") + name + QStringLiteral(": ") +
                               file.Error,
                           true);
        return false;
    }
    SetScriptText(file.Text);
    return true;
}

bool TVexScriptEditor::SaveToFile(const QString& name, QString* error) {
    const QString reason = SaveScriptFile(name, FileText());
    if (error)
        *error = reason;
    if (reason.isEmpty())
        return true;
    Services().Message(
        QStringLiteral("Error saving to file ") + name + QStringLiteral(": ") + reason, true);
    return false;
}

// [positions] ---------------------------------------------------------------------------------

TTextPoint TVexScriptEditor::pointOfControl(int controlPosition) const {
    const QTextBlock block = document()->findBlock(std::max(controlPosition, 0));
    return {block.blockNumber(), std::max(controlPosition, 0) - block.position()};
}

// The line whose buffer start is the last at or before the position; a position inside a line
// break stands for the end of its line.
TTextPoint TVexScriptEditor::pointOfBuffer(int bufferPosition) const {
    int low = 0;
    int high = document()->blockCount() - 1;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (document()->findBlockByNumber(middle).position() + middle <= bufferPosition)
            low = middle;
        else
            high = middle - 1;
    }
    const QTextBlock block = document()->findBlockByNumber(low);
    const int column = std::clamp(bufferPosition - block.position() - low, 0, block.length() - 1);
    return {low, column};
}

int TVexScriptEditor::bufferOf(TTextPoint point) const {
    return m_lines->BlockOf(point.Line).position() + point.Line + point.Column;
}

int TVexScriptEditor::BufferPosition(int controlPosition) const {
    return std::max(controlPosition, 0) + pointOfControl(controlPosition).Line;
}

int TVexScriptEditor::ControlPosition(int bufferPosition) const {
    const TTextPoint point = pointOfBuffer(bufferPosition);
    return document()->findBlockByNumber(point.Line).position() + point.Column;
}

std::optional<std::pair<int, int>> TVexScriptEditor::FindEnclosingParens(int bufferPosition) {
    return enclosingParens(bufferPosition, pointOfBuffer(bufferPosition));
}

// The pair around the caret, found from the selection's start without the way through a buffer
// position.
std::optional<std::pair<int, int>> TVexScriptEditor::parensAroundCaret() {
    const int start = textCursor().selectionStart();
    const TTextPoint point = pointOfControl(start);
    return enclosingParens(start + point.Line, point);
}

std::optional<std::pair<int, int>> TVexScriptEditor::enclosingParens(int bufferPosition,
                                                                     TTextPoint point) {
    if (bufferPosition <= 0 || bufferPosition >= m_currentText.Length() || !m_tracking ||
        m_controlLength != document()->characterCount() - 1)
        return std::nullopt;
    TTextPoint open;
    TTextPoint close;
    if (!m_states.EnclosingParens(point, open, close))
        return std::nullopt;
    return std::make_pair(bufferOf(open), bufferOf(close));
}

std::int32_t TVexScriptEditor::TextStateAt(int bufferPosition) {
    const TTextPoint point = pointOfBuffer(bufferPosition);
    m_paintStates.resize(std::size_t(point.Column) + 1);
    m_paintDepths.resize(std::size_t(point.Column) + 1);
    m_states.LineStates(point.Line, point.Column + 1, m_paintStates.data(), m_paintDepths.data());
    return m_paintStates.back();
}

std::int32_t TVexScriptEditor::ParenDepthAt(int bufferPosition) {
    TextStateAt(bufferPosition);
    return m_paintDepths.back();
}

// [following changes] -------------------------------------------------------------------------

// Takes the whole text afresh: at creation, after a text was set, and after a change the
// editor could not follow step by step.
void TVexScriptEditor::rebuildAll() {
    m_lines->Forget();
    const bool wasTracking = m_tracking;
    try {
        const QString text = document()->toRawText().left(document()->characterCount() - 1);
        std::string bytes;
        bytes.reserve(std::size_t(text.size()) + std::size_t(document()->blockCount()));
        int lineBreaks = 0;
        appendBytes(bytes, text, lineBreaks);
        m_currentText.Assign(bytes);
        m_previousText.Assign(bytes);
        m_controlLength = document()->characterCount() - 1;
        m_lineCount = document()->blockCount();
        m_states.Reset();
        m_tracking = true;
        RebuildRows();
    } catch (const std::bad_alloc&) {
        Services().Message(QStringLiteral("Exception getting memory"), true);
        m_tracking = false;
        m_wordList.ClearRows(true);
    }
    if (m_tracking != wasTracking)
        applyPalette();
}

void TVexScriptEditor::HandleChange(int position, int removed, int added) {
    if (m_settingText)
        return;
    m_lines->Forget();
    if (!m_tracking || !followChange(position, removed, added))
        rebuildAll();
    callHook(OnUserChange, "Error executing useronchange");
    if (m_fullFeatures)
        m_completion->TriggerCompletion();
    viewport()->update();
}

// Brings the snapshots, states and rows level with one change of the document: `removed`
// characters at `position` replaced by `added` ones. False when the change cannot be followed
// step by step (the report does not fit the snapshot, or memory ran out); the caller then
// rebuilds everything.
bool TVexScriptEditor::followChange(int position, int removed, int added) {
    const int newLength = document()->characterCount() - 1;
    // The document may count its closing paragraph separator in; the lengths decide.
    added = std::min(added, newLength - position);
    removed = m_controlLength - newLength + added;
    if (position < 0 || added < 0 || removed < 0 || position + removed > m_controlLength)
        return false;

    const int firstLine = document()->findBlock(position).blockNumber();
    const int start = position + firstLine;
    std::string inserted;
    int addedBreaks = 0;
    readControlText(position, added, inserted, addedBreaks);
    const int removedBreaks = m_lineCount - document()->blockCount() + addedBreaks;
    const int oldEnd = start + removed + removedBreaks;
    if (removedBreaks < 0 || oldEnd > m_previousText.Length())
        return false;
    const int length =
        m_currentText.Length() - (oldEnd - start) + static_cast<int>(inserted.size());
    try {
        m_currentText.Reserve(length);
        m_previousText.Reserve(length);
    } catch (const std::bad_alloc&) {
        Services().Message(QStringLiteral("Exception getting memory"), true);
        return false;
    }
    m_currentText.Replace(start, oldEnd - start, inserted);

    // The changed region: what lies between the common start and the common end of the two
    // snapshots, searched only inside the reported change.
    int p = start;
    int endNew = start + static_cast<int>(inserted.size());
    int endOld = oldEnd;
    while (p < endNew && p < endOld && m_currentText.At(p) == m_previousText.At(p))
        ++p;
    while (endNew > p && endOld > p &&
           m_currentText.At(endNew - 1) == m_previousText.At(endOld - 1)) {
        --endNew;
        --endOld;
    }
    // The region's last characters, inclusive, as a scan from both text ends leaves them.
    const int shorter = std::min(m_currentText.Length(), m_previousText.Length());
    if (m_currentText.Length() - endNew < shorter && p < endNew && p < endOld) {
        --endNew;
        --endOld;
    }
    const int first = firstLine + CountLineBreaks(m_currentText.Text(), start, p - 1);
    const int addedLines = CountLineBreaks(m_currentText.Text(), p, endNew);
    const int removedLines = CountLineBreaks(m_previousText.Text(), p, endOld);
    if (!adjustRows(first, addedLines, removedLines))
        return false;
    m_states.Replace(first, removedLines + 1, addedLines + 1);

    m_previousText.Replace(start, oldEnd - start, inserted);
    m_controlLength = newLength;
    m_lineCount = document()->blockCount();
    followTabRange(position, removed, added, inserted);
    return true;
}

// The characters of the control from `position` on as snapshot bytes.
void TVexScriptEditor::readControlText(int position, int count, std::string& bytes,
                                       int& lineBreaks) const {
    bytes.reserve(std::size_t(count));
    if (count <= kSmallChange) {
        for (int i = 0; i < count; ++i) {
            const QChar unit = document()->characterAt(position + i);
            appendBytes(bytes, QStringView(&unit, 1), lineBreaks);
        }
        return;
    }
    QTextBlock block = document()->findBlock(position);
    int offset = position - block.position();
    int remaining = count;
    while (remaining > 0 && block.isValid()) {
        const QString text = block.text();
        const int take = std::min(remaining, int(text.size()) - offset);
        appendBytes(bytes, QStringView(text).mid(offset, take), lineBreaks);
        remaining -= take;
        if (remaining > 0) {
            bytes += "\r\n";
            ++lineBreaks;
            --remaining;
        }
        block = block.next();
        offset = 0;
    }
}

// [rows] --------------------------------------------------------------------------------------

// Rows for the lines around a change: new rows for added lines, fewer for removed ones, and the
// rows from the line before the change to one or two lines past it built again.
bool TVexScriptEditor::adjustRows(int first, int added, int removed) {
    const int before = std::max(0, first - 1);
    int last = first + added + 2;
    if (added > removed) {
        if (!m_wordList.InsertRows(before, added - removed)) {
            Services().Message(QStringLiteral("Error adding lines"), true);
            return false;
        }
        last = first + added + 1;
    } else if (added < removed) {
        if (!m_wordList.DeleteRows(first, removed - added)) {
            Services().Message(QStringLiteral("Error deleting lines"), true);
            return false;
        }
        last = first + added;
    }
    TWordClasses classes(Services().RuntimeLookup());
    for (int row = before; row <= last; ++row)
        rebuildRow(row, &classes);
    return true;
}

// One row per line of the document (an empty last line included) and the trailing empty row.
void TVexScriptEditor::RebuildRows() {
    if (!m_tracking) {
        rebuildAll();
        return;
    }
    m_wordList.ClearRows(false);
    const int lines = document()->blockCount();
    if (!m_wordList.InsertRows(0, lines + 1))
        return;
    TWordClasses classes(Services().RuntimeLookup());
    for (int line = 0; line < lines; ++line)
        constructRow(*m_wordList.GetRow(line), line, &classes);
}

void TVexScriptEditor::rebuildRow(int row, TWordClasses* classes) {
    TRow* const target = m_wordList.GetRow(row);
    if (!target)
        return;
    if (row < document()->blockCount())
        constructRow(*target, row, classes);
    else
        target->DeleteAllTokens();
}

void TVexScriptEditor::constructRow(TRow& row, int line, TWordClasses* classes) {
    const std::string_view bytes = m_lines->LineText(line);
    const int count = std::min(static_cast<int>(bytes.size()), kRowCharacterLimit);
    measureLine(line, bytes, count);
    row.Construct(bytes, std::span<const float>(m_lefts.data(), std::size_t(count)),
                  Services().RuntimeLookup(), classes);
}

// The left edge of each of the first `count` characters of a line. A line without "?" holds
// only characters of the code page, measured from its bytes; a "?" may stand for a character
// the code page cannot hold, so such a line is measured from the control's own text.
void TVexScriptEditor::measureLine(int line, std::string_view bytes, int count) {
    m_lefts.resize(std::size_t(count));
    float x = 0;
    if (std::memchr(bytes.data(), '?', std::size_t(count)) == nullptr) {
        for (int i = 0; i < count; ++i) {
            m_lefts[std::size_t(i)] = x;
            x += m_byteAdvance[static_cast<unsigned char>(bytes[std::size_t(i)])];
        }
        return;
    }
    const QString text = m_lines->BlockOf(line).text();
    const QFontMetricsF metrics(font());
    for (int i = 0; i < count && i < text.size(); ++i) {
        m_lefts[std::size_t(i)] = x;
        const QChar unit = text[i];
        if (unit.isHighSurrogate() && i + 1 < text.size())
            x += float(metrics.horizontalAdvance(text.mid(i, 2)));
        else if (!unit.isLowSurrogate())
            x += float(metrics.horizontalAdvance(unit));
    }
}

// [TABs] --------------------------------------------------------------------------------------

// Inserted text that held a TAB is rewritten at the next turn of the event loop, when the
// document has finished the edit; the range follows the changes made in between.
void TVexScriptEditor::followTabRange(int position, int removed, int added,
                                      const std::string& inserted) {
    if (m_tabRewritePending && position <= m_tabRangeEnd)
        m_tabRangeEnd = std::max(position, m_tabRangeEnd + added - removed);
    if (inserted.find('\t') == std::string::npos)
        return;
    if (!m_tabRewritePending) {
        m_tabRewritePending = true;
        m_tabRangeStart = position;
        m_tabRangeEnd = position + added;
        QMetaObject::invokeMethod(this, &TVexScriptEditor::rewriteTabs, Qt::QueuedConnection);
        return;
    }
    m_tabRangeStart = std::min(m_tabRangeStart, position);
    m_tabRangeEnd = std::max(m_tabRangeEnd, position + added);
}

// Each TAB in the lines of the range becomes the indentation text, as part of the undo step
// that brought it; the caret keeps its place in the text.
void TVexScriptEditor::rewriteTabs() {
    m_tabRewritePending = false;
    const int last = document()->characterCount() - 1;
    QTextBlock block = document()->findBlock(std::clamp(m_tabRangeStart, 0, last));
    const int endLine = document()->findBlock(std::clamp(m_tabRangeEnd, 0, last)).blockNumber();
    QTextCursor cursor(document());
    bool joined = false;
    for (; block.isValid() && block.blockNumber() <= endLine; block = block.next()) {
        const QString text = block.text();
        for (qsizetype i = text.size() - 1; i >= 0; --i) {
            if (text[i] != QLatin1Char('\t'))
                continue;
            if (!joined)
                cursor.joinPreviousEditBlock();
            joined = true;
            cursor.setPosition(block.position() + int(i));
            cursor.setPosition(block.position() + int(i) + 1, QTextCursor::KeepAnchor);
            cursor.insertText(m_indentText);
        }
    }
    if (joined)
        cursor.endEditBlock();
}

// [selection and status] ----------------------------------------------------------------------

void TVexScriptEditor::HandleSelectionChange() {
    m_completion->SelectionChanged();
    writeStatusLine();
    const QTextCursor cursor = textCursor();
    if (cursor.hasSelection() || !coloring())
        return;
    const std::pair<int, int> pair = parensAroundCaret().value_or(std::pair(-1, -1));
    if (pair != std::pair(m_bracketOpen, m_bracketClose))
        viewport()->update();
}

void TVexScriptEditor::writeStatusLine() {
    if (!m_statusBar)
        return;
    const TTextPoint point = pointOfControl(textCursor().selectionStart());
    m_statusBar->SetPanelText(0, QStringLiteral("%1 %2, %3 %4")
                                     .arg(m_lineLabel)
                                     .arg(point.Line + 1)
                                     .arg(m_columnLabel)
                                     .arg(point.Column + 1));
}

// The completion list hides when the editor moved or lost the focus, and shows when it is due.
void TVexScriptEditor::Tick() {
    m_completion->Tick();
}

void TVexScriptEditor::callHook(const std::function<void(TVexScriptEditor*)>& hook,
                                const char* failure) {
    if (!hook)
        return;
    try {
        hook(this);
    } catch (...) {
        Services().Message(QString::fromLatin1(failure), true);
    }
}

// [painting] ----------------------------------------------------------------------------------

void TVexScriptEditor::paintEvent(QPaintEvent* event) {
    QPlainTextEdit::paintEvent(event);
    if (!coloring())
        return;
    try {
        QPainter painter(viewport());
        paintColors(painter, event->rect());
    } catch (const std::exception& failure) {
        Services().Message(QString::fromLocal8Bit(failure.what()), true);
    }
}

// The glyphs of one colour, drawn in one go.
struct TVexScriptEditor::TGlyphBatch {
    QColor Color;
    QList<quint32> Glyphs;
    QList<QPointF> Positions;
};

// Draws every character of the visible rows in its colour. The glyphs are gathered by colour
// and drawn with one call per colour; a character the editor's font has no glyph for is drawn
// as text, so that the font's fallback draws it.
void TVexScriptEditor::paintColors(QPainter& painter, const QRect& area) {
    const QTextCursor cursor = textCursor();
    const int selectionStart = cursor.selectionStart();
    const int selectionEnd = cursor.selectionEnd();
    const bool current = m_controlLength == document()->characterCount() - 1;
    m_bracketOpen = m_bracketClose = -1;
    if (current && m_currentText.Length() >= selectionStart)
        if (const auto pair = parensAroundCaret())
            std::tie(m_bracketOpen, m_bracketClose) = *pair;

    for (TGlyphBatch& batch : m_batches) {
        batch.Glyphs.clear();
        batch.Positions.clear();
    }
    // Numbers and positions of the lines are counted on from the first, not looked up.
    const QPointF offset = contentOffset();
    QTextBlock block = firstVisibleBlock();
    TVisibleLine line{block, block.blockNumber(), block.position(), {}};
    for (; block.isValid(); block = block.next()) {
        line = {block, line.Number, line.Start, blockBoundingGeometry(block).translated(offset)};
        const int length = block.length();
        const auto next = [&] {
            ++line.Number;
            line.Start += length;
        };
        if (line.Geometry.top() > area.bottom())
            break;
        if (!block.isVisible() || line.Geometry.bottom() < area.top()) {
            next();
            continue;
        }
        const TRow* row = current ? m_wordList.GetRow(line.Number) : nullptr;
        if (!row)
            paintPlain(painter, block, offset, 0);
        else
            gatherRow(painter, line, *row, area, selectionStart, selectionEnd);
        if (row && length - 1 > kRowCharacterLimit)
            paintPlain(painter, block, offset, kRowCharacterLimit);
        next();
    }
    for (const TGlyphBatch& batch : m_batches) {
        if (batch.Glyphs.isEmpty())
            continue;
        QGlyphRun run;
        run.setRawFont(m_rawFont);
        run.setGlyphIndexes(batch.Glyphs);
        run.setPositions(batch.Positions);
        painter.setPen(batch.Color);
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
}

// The colour of each token of a row: its class from the row, comment and text constant from the
// states, the pair around the caret, the depth colour over those, the selection over all.
void TVexScriptEditor::gatherRow(QPainter& painter, const TVisibleLine& visible, const TRow& row,
                                 const QRect& area, int selectionStart, int selectionEnd) {
    const std::vector<TToken>& tokens = row.Tokens();
    const QTextBlock& block = visible.Block;
    const QTextLine line = block.layout()->lineAt(0);
    if (tokens.empty() || !line.isValid())
        return;
    const int number = visible.Number;
    const int blockStart = visible.Start;
    const int bufferStart = blockStart + number;
    const QRectF& geometry = visible.Geometry;
    const int count = tokens.back().Position + 1;
    m_paintStates.resize(std::size_t(count));
    m_paintDepths.resize(std::size_t(count));
    m_states.LineStates(number, count, m_paintStates.data(), m_paintDepths.data());

    const QPointF origin = geometry.topLeft() + QPointF(line.x(), line.y() + line.ascent());
    const float visibleLeft = float(area.left() - origin.x()) - 4 * m_byteAdvance['M'];
    const float visibleRight = float(area.right() - origin.x());
    auto token = std::lower_bound(tokens.begin(), tokens.end(), visibleLeft,
                                  [](const TToken& t, float x) { return t.Left < x; });
    std::optional<QString> text;
    for (; token != tokens.end() && token->Left <= visibleRight; ++token) {
        const std::size_t column = std::size_t(token->Position);
        const int q = bufferStart + token->Position;
        const int g = blockStart + token->Position;
        std::uint8_t styleClass = token->TokenClass;
        if (m_paintStates[column] == -1)
            styleClass = scComment;
        else if (m_paintStates[column] > 0)
            styleClass = scTextConstant;
        if ((token->Text == '(' && q == m_bracketOpen) ||
            (token->Text == ')' && q == m_bracketClose))
            styleClass = scEnclosingParen;
        std::size_t slot = styleClass & 0x7F;
        TColor color = StyleOf(styleClass, m_settings.Colors).TextColor;
        if (m_depthColorsOn) {
            const std::size_t depth = depthIndex(m_paintDepths[column]);
            slot = kStyleClassCount + depth;
            color = DepthColorTable[depth];
        }
        if (selectionStart <= g && g + 1 <= selectionEnd) {
            slot = scSelection;
            color = m_settings.Colors[scSelection].TextColor;
        }
        const QPointF position = origin + QPointF(token->Left, 0);
        quint32 glyph = m_byteGlyph[static_cast<unsigned char>(token->Text)];
        if (token->Text == '?') {
            if (!text)
                text = block.text();
            const QChar unit = token->Position < text->size() ? text->at(token->Position) : QChar();
            if (unit != QLatin1Char('?')) {
                if (!unit.isLowSurrogate()) {
                    painter.setPen(toQColor(color));
                    painter.drawText(position,
                                     text->mid(token->Position, unit.isHighSurrogate() ? 2 : 1));
                }
                continue;
            }
        }
        if (glyph == 0) {
            painter.setPen(toQColor(color));
            painter.drawText(position, fromWindows1252(QByteArrayView(&token->Text, 1)));
            continue;
        }
        TGlyphBatch& batch = m_batches[std::min(slot, m_batches.size() - 1)];
        batch.Color = toQColor(color);
        batch.Glyphs.append(glyph);
        batch.Positions.append(position);
    }
}

// Draws the characters of a line from `from` on as the control lays them out, in the colour of
// other words: lines without a row, and the part of a long line past its row.
void TVexScriptEditor::paintPlain(QPainter& painter, const QTextBlock& block, const QPointF& offset,
                                  int from) {
    const QRectF geometry = blockBoundingGeometry(block).translated(offset);
    const QTextLine line = block.layout()->lineAt(0);
    if (!line.isValid())
        return;
    const qreal left = viewport()->rect().left() - geometry.left();
    const qreal right = viewport()->rect().right() - geometry.left();
    const int first = std::max(from, line.xToCursor(left) - 1);
    const int last = std::min(block.length() - 1, line.xToCursor(right) + 1);
    if (first >= last)
        return;
    painter.setPen(toQColor(m_settings.Colors[scWord].TextColor));
    for (const QGlyphRun& run : block.layout()->glyphRuns(first, last - first))
        painter.drawGlyphRun(geometry.topLeft(), run);
}

// [events] ------------------------------------------------------------------------------------

// Keys the completion list takes while it is visible reach the editor even when a shortcut of the
// window claims them (F1); so do the keys of the editor's commands while the editor has the
// focus, also where the window has a shortcut on the same key.
bool TVexScriptEditor::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (m_completion->WantsKey(key) || (!isWindowKey(key) && m_commands->KeyRow(key))) {
            event->accept();
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}

// The way of a key press: the completion (while its list is visible), the commands' keys,
// then (unless the editor is read-only, which takes every other key) the editor's own keys,
// automatic brackets and the control.
void TVexScriptEditor::keyPressEvent(QKeyEvent* event) {
    if (m_completion->KeyDown(*event)) {
        event->accept();
        return;
    }
    event->accept();
    if ((!isWindowKey(*event) && m_commands->RunKey(*event)) || isReadOnly())
        return;
    if (HandleEditorKey(*this, *event) || HandleTypedBracket(*this, *event))
        return;
    // Shift+Return would break the line inside its block; every line break is a new line here.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & Qt::ShiftModifier)) {
        QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier,
                        event->text(), event->isAutoRepeat(), ushort(event->count()));
        QPlainTextEdit::keyPressEvent(&plain);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

bool TVexScriptEditor::isWindowKey(const QKeyEvent& event) const {
    return m_windowKeys.contains(event.keyCombination());
}

void TVexScriptEditor::ControlKeyPress(QKeyEvent* event) {
    QPlainTextEdit::keyPressEvent(event);
}

void TVexScriptEditor::contextMenuEvent(QContextMenuEvent* event) {
    m_commands->Menu()->popup(event->globalPos());
}

TEditorMenu* TVexScriptEditor::EditorMenu() const noexcept {
    return m_commands->Menu();
}

void TVexScriptEditor::InsertText(const QString& text) {
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    if (text.isEmpty())
        cursor.removeSelectedText();
    else
        cursor.insertText(text);
    cursor.endEditBlock();
    setTextCursor(cursor);
}

void TVexScriptEditor::ToggleOverwriteMode() {
    setOverwriteMode(!overwriteMode());
    if (m_statusBar)
        m_statusBar->SetPanelText(1, EditingText(overwriteMode() ? etOverwriteMode : etInsertMode));
}

void TVexScriptEditor::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    setTabChangesFocus(false);
    callHook(OnUserEnter, "Error executing useronenter");
    viewport()->update();
}

void TVexScriptEditor::focusOutEvent(QFocusEvent* event) {
    m_completion->HideCompletion();
    QPlainTextEdit::focusOutEvent(event);
    callHook(OnUserExit, "Error executing useronexit");
}

// A change of the system's colours brings the highlight colour of the settings file again.
void TVexScriptEditor::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::ThemeChange) {
        m_settings.Colors[scSelection].BackColor = SystemHighlightColor();
        applyPalette();
    }
}

// Text the control pastes on its own (the X11 selection) is pasted as the Paste command pastes.
void TVexScriptEditor::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText())
        m_commands->PasteText(source->text());
}
