#pragma once

#include "debugging/DebuggerPane.h"
#include "debugging/ListingPositions.h"
#include "runtime/DebuggerInterface.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class TDebuggerForm;
}

class QCheckBox;
class TDebuggerServices;
class TOptionsPane;
class TPerformancePane;
class TScriptEditor;
class TVexScriptEditor;

// The debugger window, laid out in TDebuggerForm.ui: a tool bar (the debug mode switch, Run,
// Stop, Cancel, Step In, Step Over, Update and the script information box), the listing of the
// code that runs in a read-only editor panel (ListingPanel), and below a splitter the panes, one
// page each: Options, Result, Environment, Immediate, Events and Performance (TDebuggerPane;
// addPanes lists them).
//
// The runtime drives it through TDebuggerWindow and tells it where a run stands with one report
// (vex::TPauseReport): before a node the window shows the node's listing and selects the node's
// head (its word name, or the whole text of a constant or variable), after the node its whole
// text, then its result; every pane gets the same report and takes what it shows from it. The
// buttons answer through the runtime's debug state while the runtime's pause loop pumps the
// messages. There is one window per application (TDebuggerServices creates it on first need and
// keeps it until the end); closing it hides it and lets a paused run go on as Run does.
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
    void ShowPause(const vex::TPauseReport& report) override;
    void TickOriginBoxes(std::uint8_t origins) override;
    // Puts the switch down and the buttons into debug mode: a run that pauses is debugged,
    // however it was started.
    void PressSwitchButton() override;
    void ShowAndFocus() override;

    // Ends the run that waits here as Cancel answered Yes does, without asking.
    void CancelRun();

    bool DebugModeOn() const;
    TScriptEditor* ListingPanel() const;
    TScriptEditor* ExpressionPanel() const;
    TPerformancePane& Performance() const { return *m_performance; }

public slots:
    void FormCreate();
    void SwitchDebugMode(bool down);
    void Run();
    void Stop();
    void StepIn();
    void StepOver();
    void ResetExecution();
    // Update: every pane reads the state of the run again.
    void UpdatePanes();
    void btnExecuteClick();
    void SplitterMoved();

protected:
    void closeEvent(QCloseEvent* event) override;
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

    // The panes, in the order of their pages.
    void addPanes();
    // Adds a pane; `shown`, a check box on the Options page, shows and hides its page.
    template <class TPane>
    TPane& addPane(std::unique_ptr<TPane> pane, QCheckBox* shown);
    void showReportInPanes(const vex::TPauseReport& report);
    void connectHandlers();
    void handServicesToPanels();
    void setUpButtonImages();
    void setUpSplitter();
    void FormClose();
    void FormConstrainedResize();
    void FormResize();
    void showNodeHead(const vex::TPauseReport& report);
    void showNodeExtent(const vex::TPauseReport& report);
    void showResult(const vex::TPauseReport& report);
    void SetListingText(const vex::TListing* listing);
    void enableStepButtons(bool listingShown);
    void selectListing(int start, int length);
    void ShowScriptInfo(const vex::TPauseReport& report);
    QString eventHandlerInfo(const vex::TPauseReport& report);
    void releaseViews();
    // F5 follows the page that holds the focus.
    void setF5Action(TPaneF5 action);
    void focusChanged(QWidget* old, QWidget* now);
    void currentPageChanged(int index);
    TDebuggerPane* paneOf(QWidget* widget) const;
    std::string expressionText() const;
    TVexScriptEditor* listingEditor() const;
    TVexScriptEditor* expressionEditor() const;
    static TShownPosition shownPosition(const vex::TListing& listing,
                                        const vex::TPositionRecord& record);

    std::unique_ptr<Ui::TDebuggerForm> m_ui;
    TDebuggerServices& m_services;
    vex::TLanguageInterpreter* m_context = nullptr;
    std::vector<std::unique_ptr<TDebuggerPane>> m_panes;
    TOptionsPane* m_options = nullptr;
    TPerformancePane* m_performance = nullptr;
    // The listing shown (CurrentListingText), by its serial; 0 for none.
    std::uint64_t m_listingSerial = 0;
    TListingPositions m_listingPositions;
    // The node whose text is selected (CurrentPosition).
    std::optional<TShownPosition> m_position;
    // What the script information box shows.
    std::uint8_t m_lastOrigin = 255;
    vex::TCodeKind m_lastCodeKind = vex::TCodeKind::None;
    std::uint32_t m_lastAtomId = 0;
    int m_rememberedPageHeight = 0;
    // An expression of the Immediate page runs.
    bool m_executing = false;
};
