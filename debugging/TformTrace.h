#pragma once

#include <QWidget>

#include <chrono>
#include <memory>
#include <optional>

class QPlainTextEdit;
class TApplicationServices;

namespace Ui {
class TformTrace;
}

// A trace window, laid out in TformTrace.ui: a read-only text box of numbered message lines
// (memTrace) with a pop-up menu (pmTrace: clear, save, copy, select all) and a status bar showing
// the last error (sbTrace). The error window and the trace window of TraceWindows.h are two of
// these; the module creates them.
//
// AddMessage numbers the text, appends it and keeps the last line in view. For an error it also
// records the line in ErrorLog, shows the text in the status bar, shows the window (unless the
// services keep the trace quiet), raises it when more than a second has passed since the previous
// message, flashes the text box's background yellow and aqua in turn and restores a minimised
// window. Activating the window gives the text box its normal colour again.
//
// An error that repeats the one before it (a run failing in a tight loop) adds no line: the
// last line counts it (" [n times]"), so a flood of one error costs the window one line.
//
// What one message may cost the window is bounded: the text box shows at most
// kShownCharacters of it (with a note of how much more there is), and the status bar the start
// of its first line, clipped at the panel's width; the window keeps its size. ErrorLog and a saved
// file get the whole text. When long lines scroll sideways, the message numbers stay in view at
// the left edge.
class TformTrace : public QWidget {
    Q_OBJECT

public:
    // `caption` becomes the window title, replacing the layout's. `services` say whether lines
    // wrap and errors leave the window where it is, and show the save dialog and the box of a
    // failed save; they must outlive the window.
    TformTrace(QWidget* owner, const QString& caption, const TApplicationServices& services);
    ~TformTrace() override;

    void AddMessage(const QString& text, bool isError);
    // Shows `lines`, already numbered, and numbers on after them.
    void RestoreMessages(const QStringList& lines);
    // The number of the last message; 0 when none since creation or the last clear.
    int MessageCount() const noexcept { return m_messageCount; }

    // The most characters of one message the text box shows.
    static constexpr qsizetype kShownCharacters = 10000;
    // The width the status bar's panels are designed with: the caption, and the last error.
    static constexpr int kCaptionWidth = 75;
    static constexpr int kLastErrorWidth = 1000;

    // The flashing colours of the text box's background.
    static const QColor FlashYellow;
    static const QColor FlashAqua;

public slots:
    // On each activation: the normal background, wrapping and scroll bars as the services say.
    void NormalColor();
    // Translates the window and fills the status bar's caption.
    void FormCreate();
    void pmClearMessagesClick();
    // Asks for a file and writes the messages there, numbered, each line ending in CR LF, as
    // Windows-1252, whole even where the text box shows them cut. A cancelled dialog changes
    // nothing; a failed write is reported in a message box and changes nothing either (an
    // existing file is replaced only by a complete copy).
    void pmSaveMessagesClick();
    void pmCopyClick();
    void pmSelectAllClick();

protected:
    bool event(QEvent* event) override;

private:
    void connectHandlers();
    void applyWordWrap();
    void flashBackground();
    void showUnlessQuiet();
    void memTraceContextMenuRequested(const QPoint& position);
    void fitCaptionPanel();
    void appendLine(const QString& line, int number);
    // Counts a repeat of the last error on its line; false when `text` is no repeat.
    bool countRepeat(const QString& text);
    // What the text box shows of a line: at most kShownCharacters, with a note of the rest.
    static QString shownText(const QString& line);
    QPlainTextEdit* memo() const;

    const TApplicationServices& m_services;
    std::unique_ptr<Ui::TformTrace> m_ui;
    // Every line as it came, numbered: what a save writes.
    QStringList m_lines;
    // Keeps the numbers in view while the text box scrolls sideways.
    QWidget* m_numbers = nullptr;
    // When the last message was added; none before the first.
    std::optional<std::chrono::milliseconds> m_lastMessageTime;
    int m_messageCount = 0;
    // The last error and how often it came in a row.
    QString m_lastError;
    int m_repeats = 0;
    // Where the last line begins in the text box.
    int m_lastLineStart = 0;
};
