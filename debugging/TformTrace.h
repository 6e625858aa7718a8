#pragma once

#include <QWidget>

#include <chrono>
#include <memory>
#include <optional>

class QPlainTextEdit;

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
// host's TraceQuiet is set), raises it when more than a second has passed since the previous
// message, flashes the text box's background yellow and aqua in turn and restores a minimised
// window. Activating the window gives the text box its normal colour again.
class TformTrace : public QWidget {
    Q_OBJECT

public:
    // `caption` becomes the window title, replacing the layout's.
    TformTrace(QWidget* owner, const QString& caption);
    ~TformTrace() override;

    void AddMessage(const QString& text, bool isError);
    // Shows `lines`, already numbered, and numbers on after them.
    void RestoreMessages(const QStringList& lines);
    // The number of the last message; 0 when none since creation or the last clear.
    int MessageCount() const noexcept { return m_messageCount; }

    // The flashing colours of the text box's background.
    static const QColor FlashYellow;
    static const QColor FlashAqua;

public slots:
    // On each activation: the normal background, wrapping and scroll bars as the host says.
    void NormalColor();
    // Translates the window and fills the status bar's caption.
    void FormCreate();
    void pmClearMessagesClick();
    // Asks for a file and writes the lines there, numbered, each ending in CR LF, as
    // Windows-1252. A cancelled dialog or a failed write changes nothing and reports nothing; an
    // existing file is replaced only by a complete copy.
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
    QPlainTextEdit* memo() const;

    std::unique_ptr<Ui::TformTrace> m_ui;
    // When the last message was added; none before the first.
    std::optional<std::chrono::milliseconds> m_lastMessageTime;
    int m_messageCount = 0;
};
