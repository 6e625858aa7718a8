#pragma once

#include "debugging/ListingPositions.h"
#include "runtime/DebuggerInterface.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>

namespace Ui {
class TDebuggerForm;
}

class QTableWidget;
class QTimer;
class TDebuggerServices;
class TScriptEditor;
class TVexScriptEditor;

// The debugger window, laid out in TDebuggerForm.ui: a tool bar (the debug mode switch, Run,
// Stop, Cancel, Step In, Step Over, Update and the script information box), the listing of the
// code that runs in a read-only editor panel (ListingPanel), and below a splitter the pages
// Options, Result, Environment, Immediate, Events and Performance.
//
// The runtime drives it through TDebuggerWindow: before a node it shows the node's listing and
// selects the node's head (its word name, or the whole text of a constant or variable), after the
// node its whole text, then its result. The buttons answer through the runtime's debug state
// while the runtime's pause loop pumps the messages. There is one window per application
// (TDebuggerServices creates it on first need and keeps it until the end); closing it hides it
// and lets a paused run go on as Run does.
//
// The window never holds a pointer into a listing: it keeps the listing's serial and copies of
// the shown position, so a tree released while the window still shows it leaves nothing to
// dangle. The panes read the host's model through TDebuggerModel, which detects stale atom
// references; what cannot be read shows as such.
//
// Keys belong to the window's actions, whatever the buttons' state: F5 runs, executes the
// expression while the Immediate page has the focus, and updates the panes while a list page
// (Environment, Events, Performance) has it; F7 steps in, Shift+F8 steps over. They act only in
// debug mode.
class TDebuggerForm : public QWidget, public vex::TDebuggerWindow {
    Q_OBJECT

public:
    explicit TDebuggerForm(TDebuggerServices& services, QWidget* owner = nullptr);
    ~TDebuggerForm() override;

    // The runtime's calls.
    void AttachRuntime(vex::TLanguageInterpreter& context) override;
    void SetDebugMode(bool on) override;
    void ClearListing() override;
    void ShowNodeHead(const vex::TListing& listing, const vex::TCodeNode& node) override;
    void UpdateEnvironment() override;
    void ShowNodeExtent(const vex::TCodeNode& node) override;
    void ShowResult(double number, const vex::TText& text) override;
    void TickOriginBoxes(std::uint8_t origins) override;
    // Puts the switch down and the buttons into debug mode: a run that pauses is debugged,
    // however it was started.
    void PressSwitchButton() override;
    void ShowAndFocus() override;

    // Refills the event list from the host's pending events.
    void UpdateEvents();
    // Ends the run that waits here as Cancel answered Yes does, without asking.
    void CancelRun();

    bool DebugModeOn() const;
    TScriptEditor* ListingPanel() const;
    TScriptEditor* ExpressionPanel() const;
    // The pending events the list shows at most; the rest are counted below it.
    static constexpr std::size_t kEventRows = 10000;

public slots:
    void FormCreate();
    void btnSwitchClick(bool down);
    void Run();
    void Stop();
    void StepIn();
    void StepOver();
    void ResetExecution();
    void acUpdateExecute();
    void F5ActionUpdate();
    void F5ActionRun();
    void tshImmediateEnter();
    void tshImmediateExit();
    void chkSimulationClick(bool checked);
    void chkAnimationClick(bool checked);
    void chkInterruptionClick(bool checked);
    void chkResultClick(bool checked);
    void chkEnvironmentClick(bool checked);
    void chkImmediateClick(bool checked);
    void chkEventsClick(bool checked);
    void chkPerformanceClick(bool checked);
    void PageControlChange(int index);
    void btnExecuteClick();
    void lvEventsColumnClick(int column);
    void SplitterMoved();
    // The Performance page.
    void ApplyCountingMode();
    void chkProcessorTimeClick(bool checked);
    void cmbFrequencyChange();
    void tmrPerformanceTimer();
    void btnResetClick();
    void lvWordsColumnClick(int column);
    void UpdateTimeShare();
    void UpdatePerformance();
    void UpdateCommandList();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Resizing and showing the Performance page redraw its bar and set its timer.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The shown position: which listing, which record, and the record's values.
    struct TShownPosition {
        std::uint64_t Serial = 0;
        std::ptrdiff_t Record = 0;
        std::int32_t Start = 0;
        std::int32_t HeadLength = 0;
        std::int32_t ExtentLength = 0;
        bool IsRoot = false;
    };

    void connectHandlers();
    void connectPerformanceHandlers();
    void setUpPerformance();
    // Forgets the list rows the command counter links to, before the rows go.
    void unlinkCommandRows();
    // Enables the performance timer or disables it; it never fires with the interval "Off".
    void enablePerformanceTimer(bool on);
    bool performancePageVisible() const;
    void setUpButtonImages();
    void setUpLists();
    void setUpSplitter();
    void FormClose();
    void FormConstrainedResize();
    void FormResize();
    void SetListingText(const vex::TListing* listing);
    void enableStepButtons(bool listingShown);
    void selectListing(int start, int length);
    void ShowScriptInfo(std::uint8_t codeKind, std::uint8_t runOrigin);
    QString eventHandlerInfo(std::uint8_t codeKind);
    void fillAtomRow(int row, std::int32_t reference);
    void setLowBits(std::uint8_t state);
    void setOrigin(std::uint8_t origin, bool on);
    void showPage(QWidget* page, bool visible);
    void focusChanged(QWidget* old, QWidget* now);
    QWidget* pageOf(QWidget* widget) const;
    bool isListPage(QWidget* page) const;
    void releaseViews();
    std::string expressionText() const;
    TVexScriptEditor* listingEditor() const;
    TVexScriptEditor* expressionEditor() const;
    static TShownPosition shownPosition(std::uint64_t serial, const vex::TListing& listing,
                                        const vex::TPositionRecord& record);

    std::unique_ptr<Ui::TDebuggerForm> m_ui;
    TDebuggerServices& m_services;
    vex::TLanguageInterpreter* m_context = nullptr;
    // The listing shown (CurrentListingText), by its serial; 0 for none.
    std::uint64_t m_listingSerial = 0;
    TListingPositions m_listingPositions;
    // The node whose text is selected (CurrentPosition).
    std::optional<TShownPosition> m_position;
    // What the script information box shows.
    std::uint8_t m_lastOrigin = 255;
    std::uint8_t m_lastCodeKind = 0;
    std::uint32_t m_lastAtomId = 0;
    int m_rememberedPageHeight = 0;
    // The model may have changed since the event list was built.
    bool m_eventsOutOfDate = true;
    // The Performance page: its update timer, whether the processor's tick counter can be read,
    // and the simulation share of the measured time (-1: nothing measured).
    QTimer* m_tmrPerformance = nullptr;
    bool m_performanceTimerEnabled = false;
    bool m_processorTimeAvailable = false;
    double m_timeShare = -1;

public:
    double TimeShare() const noexcept { return m_timeShare; }
    // True while the performance timer is enabled, whether or not its interval lets it fire.
    bool PerformanceTimerActive() const;
};
