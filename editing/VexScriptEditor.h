#pragma once

#include "editing/EditorSettings.h"
#include "editing/TextInfo.h"
#include "editing/TextStates.h"
#include "editing/WordList.h"

#include <QPlainTextEdit>
#include <QRawFont>
#include <QTextBlock>
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TApplicationServices;
class TCodeCompletion;
class TEditorCommands;
class TEditorMenu;
class TPanelStatusBar;
class TWordClasses;

// The VexScript editor: a plain-text control that colours its text by the token rows of
// WordList.h, marks the parentheses around the caret, can colour by parenthesis depth, and
// keeps a status line. It lives in an editor panel (TScriptEditor), which gives it a status bar.
//
// Two position systems are used and must not be mixed:
//   control positions  the document's positions: a line break is one character;
//   buffer positions   positions in the text snapshots, where a line break is CR LF, so a buffer
//                      position is the control position plus the number of the line it is on.
// The snapshots and the per-character states (TextState, ParenDepth) use buffer positions; the
// selection and everything line by line use control positions.
//
// After every change the editor updates the snapshot CurrentText from the change the document
// reports (never by reading the whole text), finds the changed region by comparing it with
// PreviousText, inserts or deletes the rows of added or removed lines, rebuilds the rows around
// the change, and brings PreviousText level again. Between changes PreviousText equals the
// control's text and the rows hold one row per line plus a trailing empty row.
//
// Painting: when colouring is on, the control paints backgrounds, selection and caret, and the
// editor draws every visible character of the rows on top in the colour of its class: comments
// and text constants from TextState, the enclosing pair of parentheses in its own colour, by
// depth when depth colouring is on, and selected characters in the selection colour. Without
// colouring the control paints plain text.
//
// Script text is bytes in Windows-1252; a character the code page cannot hold stays in the
// control and stands as "?" in the snapshots. Every TAB that reaches a line is replaced by the
// indentation text, in the same undo step as the edit that brought it.
//
// Keys: a key press goes first to the code completion while its list is visible, then to the
// editor's commands (the command table of EditorCommands.h, whose keys win over the window's
// shortcuts while the editor has the focus). A read-only editor takes no other key; otherwise
// the editor's own keys (EditorKeys.h) and automatic brackets come next, and the plain-text
// control last.
class TVexScriptEditor : public QPlainTextEdit {
    Q_OBJECT

public:
    // The nine colours of depth colouring, by depth modulo 9.
    static const std::array<TColor, 9> DepthColorTable;

    // `fullFeatures` enables colouring (and the commands built on it); `fileKind` (1 or 2)
    // chooses the file filter of the open and save dialogs. The settings are copied from
    // SharedEditorSettings().
    TVexScriptEditor(QWidget* panel, bool fullFeatures, std::uint8_t fileKind);
    ~TVexScriptEditor() override;

    // Replaces the whole text (TABs become the indentation text, line ends become line
    // breaks), forgets the undo history and rebuilds every row.
    void SetScriptText(const QString& text);
    // The same for bytes in the scripts' code page.
    void SetScriptBytes(std::string_view bytes);
    // Rebuilds every row from the text, with what the runtime knows now (new global variables,
    // new words).
    void RebuildRows();
    // Reads a script file into the editor. A file that does not exist changes nothing and is
    // not reported; a file that cannot be read changes nothing and is reported to the error
    // window. True when the text was replaced.
    bool LoadFromFile(const QString& name);
    // Writes every line followed by LF, as Windows-1252. A failure (a character the code page
    // cannot hold, a read-only file, a failed write) is reported to the error window and the
    // old file stays as it was. `error`, when given, receives the reason.
    bool SaveToFile(const QString& name, QString* error = nullptr);
    // Sets the text from lines, empty lines kept.
    void AssignLines(const QStringList& lines);
    // Writes into panel 2 of the status bar, when there is one.
    void SetStatusText(const QString& text);
    // The text as bytes with LF line breaks, so byte positions are control positions.
    std::string ScriptBytes() const;
    // Every line, whole, as the control shows it.
    QStringList Lines() const;
    // The text as a script file holds it: every line followed by LF (an empty last line is no
    // line of its own).
    QString FileText() const;

    // The panel's status bar, which the editor writes its status line into; none for none.
    void SetStatusBar(TPanelStatusBar* statusBar);

    int BufferPosition(int controlPosition) const;
    int ControlPosition(int bufferPosition) const;
    // The innermost pair of parentheses outside comments and texts around the point just
    // before buffer position q, as buffer positions; none when there is no such pair.
    std::optional<std::pair<int, int>> FindEnclosingParens(int bufferPosition);

    // The state the colours come from; for tests and benchmarks.
    const TTextInfo& CurrentText() const noexcept { return m_currentText; }
    const TTextInfo& PreviousText() const noexcept { return m_previousText; }
    const TWordList& WordList() const noexcept { return m_wordList; }
    std::int32_t TextStateAt(int bufferPosition);
    std::int32_t ParenDepthAt(int bufferPosition);
    // False after a change the editor could not follow (memory ran out); it paints plain text
    // then and tries again with the next change.
    bool IsTracking() const noexcept { return m_tracking; }
    int BracketOpen() const noexcept { return m_bracketOpen; }
    int BracketClose() const noexcept { return m_bracketClose; }

    const TEditorSettings& Settings() const noexcept { return m_settings; }
    bool FullFeatures() const noexcept { return m_fullFeatures; }
    std::uint8_t FileKind() const noexcept { return m_fileKind; }
    bool ColoringOn() const noexcept { return m_coloringOn; }
    void SetColoringOn(bool on);
    bool DepthColorsOn() const noexcept { return m_depthColorsOn; }
    void SetDepthColorsOn(bool on);
    const QString& IndentText() const noexcept { return m_indentText; }

    // The application's services the editor and its commands use (the runtime, message boxes,
    // the message sink, the printer, the selected object); TApplicationServices::None() until
    // its panel is handed some. They must outlive the editor or be replaced.
    const TApplicationServices& Services() const noexcept { return *m_services; }
    void SetServices(const TApplicationServices& services);

    // The editor's code completion and its list window; it sees every key before the editor
    // acts on it.
    TCodeCompletion& Completion() const noexcept { return *m_completion; }

    // Called after every change, when the editor gets the focus, and when it loses it.
    std::function<void(TVexScriptEditor*)> OnUserChange;
    std::function<void(TVexScriptEditor*)> OnUserEnter;
    std::function<void(TVexScriptEditor*)> OnUserExit;

    // The context menu, made from the command table, and the commands.
    TEditorMenu* EditorMenu() const noexcept;
    TEditorCommands& Commands() const noexcept { return *m_commands; }
    // Inserts text in place of the selection, leaving the caret after it, as one undo step that
    // undoes like a paste; the clipboard is not touched. Every insertion the editor makes on its
    // own account (indentation, brackets, examples, replacements) goes through here.
    void InsertText(const QString& text);
    // Line ends of every kind become line breaks, TABs the indentation text.
    QString NormalizedText(QString text) const;
    // Insert or overwrite, shown in the status bar's second panel.
    void ToggleOverwriteMode();
    // Hands a key to the plain-text control, past the editor's own keys.
    void ControlKeyPress(QKeyEvent* event);

    // When set, the Open and Save as commands hand over to them instead of asking for a file:
    // a window that keeps the script's file (its title, the question before changes are lost)
    // opens and saves itself.
    std::function<void(TVexScriptEditor*)> OnOpenCommand;
    // Keys the editor leaves to its window's shortcuts even where one of its commands has them
    // (the debugger's F5 in its listing and expression panels); the menu item still runs when
    // chosen with the mouse.
    void LeaveKeysToWindow(QList<QKeyCombination> keys) { m_windowKeys = std::move(keys); }
    std::function<void(TVexScriptEditor*)> OnSaveAsCommand;

protected:
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool isWindowKey(const QKeyEvent& event) const;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    class TSnapshotLines;
    struct TGlyphBatch;

    void HandleChange(int position, int removed, int added);
    void HandleSelectionChange();
    void Tick();

    void applyFont();
    void applyPalette();
    bool coloring() const noexcept;
    void rebuildAll();
    bool followChange(int position, int removed, int added);
    void readControlText(int position, int count, std::string& bytes, int& lineBreaks) const;
    bool adjustRows(int first, int added, int removed);
    void rebuildRow(int row, TWordClasses* classes);
    void constructRow(TRow& row, int line, TWordClasses* classes);
    void measureLine(int line, std::string_view bytes, int count);
    void followTabRange(int position, int removed, int added, const std::string& inserted);
    void rewriteTabs();
    void paintColors(QPainter& painter, const QRect& area);
    // A line on the screen: its block, number, control position and place in the viewport.
    struct TVisibleLine {
        QTextBlock Block;
        int Number = 0;
        int Start = 0;
        QRectF Geometry;
    };
    void gatherRow(QPainter& painter, const TVisibleLine& line, const TRow& row, const QRect& area,
                   int selectionStart, int selectionEnd);
    void paintPlain(QPainter& painter, const QTextBlock& block, const QPointF& offset, int from);
    void callHook(const std::function<void(TVexScriptEditor*)>& hook, const char* failure);
    std::optional<std::pair<int, int>> parensAroundCaret();
    std::optional<std::pair<int, int>> enclosingParens(int bufferPosition, TTextPoint point);
    TTextPoint pointOfControl(int controlPosition) const;
    TTextPoint pointOfBuffer(int bufferPosition) const;
    int bufferOf(TTextPoint point) const;
    void writeStatusLine();

    const TApplicationServices* m_services;
    TEditorSettings m_settings;
    bool m_fullFeatures;
    std::uint8_t m_fileKind;
    bool m_coloringOn = true;
    bool m_depthColorsOn;
    QString m_indentText;
    TWordList m_wordList;
    TTextInfo m_currentText;
    TTextInfo m_previousText;
    std::unique_ptr<TSnapshotLines> m_lines;
    TTextStates m_states;
    int m_bracketOpen = -1;
    int m_bracketClose = -1;
    TPanelStatusBar* m_statusBar = nullptr;
    QString m_lineLabel;
    QString m_columnLabel;
    QTimer m_timer;
    TEditorCommands* m_commands = nullptr;
    std::unique_ptr<TCodeCompletion> m_completion;
    QList<QKeyCombination> m_windowKeys;

    // The control's text length and line count that the snapshots hold.
    int m_controlLength = 0;
    int m_lineCount = 1;
    bool m_tracking = true;
    // Set while SetScriptText replaces the text; it rebuilds everything afterwards.
    bool m_settingText = false;
    // Control positions of inserted text that held a TAB, rewritten at the next turn.
    bool m_tabRewritePending = false;
    int m_tabRangeStart = 0;
    int m_tabRangeEnd = 0;

    // Glyphs and advances of the editor's font: for Windows-1252 characters in tables, for the
    // others on demand.
    QRawFont m_rawFont;
    std::array<float, 256> m_byteAdvance{};
    std::array<quint32, 256> m_byteGlyph{};
    std::vector<float> m_lefts;
    // One batch per class colour, per depth colour; the selection uses the class's.
    std::vector<TGlyphBatch> m_batches;
    std::vector<std::int32_t> m_paintStates;
    std::vector<std::int32_t> m_paintDepths;
};
