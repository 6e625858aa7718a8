#pragma once

#include <QStatusBar>
#include <QWidget>

#include <array>

class QLabel;
class TApplicationServices;
class TScriptRunner;
class TVexScriptEditor;

// The status bar of an editor panel, with four panels from left to right: the caret's line and
// column (written by the editor), insert or overwrite, a status text given to the panel, and one
// that fills the rest.
class TPanelStatusBar : public QStatusBar {
    Q_OBJECT

public:
    explicit TPanelStatusBar(QWidget* parent);

    void SetPanelText(int panel, const QString& text);
    QString PanelText(int panel) const;

private:
    std::array<QLabel*, 4> m_panels{};
};

// The panel other windows place where they need a VexScript editor: the editor filling it and
// a status bar along its bottom edge.
//
// The panel makes its editor as soon as it has a parent: a panel made with a parent (or with
// `createNow`) has it at once, one made without gets it when it is first given a parent, and it
// is never replaced. With `fullFeatures` false the editor paints plain text (and offers none of
// the commands built on colouring). The panel passes the focus and a status text on to the
// editor, and Ctrl+Tab in the editor shows the next page of a tab widget that holds the panel
// (Ctrl+Shift+Tab the previous one).
class TScriptEditor : public QWidget {
    Q_OBJECT

public:
    // Full features, file kind 1.
    explicit TScriptEditor(QWidget* owner = nullptr);
    // With `createNow`, the panel also fills its owner: it becomes the only item of the owner's
    // layout, which is made when the owner has none.
    TScriptEditor(QWidget* owner, bool fullFeatures, int fileKind, bool createNow);
    ~TScriptEditor() override;

    // The editor, or none while the panel has never had a parent.
    TVexScriptEditor* Editor() const noexcept { return m_editor; }
    TPanelStatusBar* StatusBar() const noexcept { return m_statusBar; }
    bool FullFeatures() const noexcept { return m_fullFeatures; }
    int FileKind() const noexcept { return m_fileKind; }

    // The runner of a panel that holds a whole script (the main window's): with one, the
    // editor's Execute, Syntax check and Syntax tree cut the text by the statement rule of
    // script files; without one (an expression field, the debugger's immediate pane) the text
    // is one piece of code. The runner must outlive the panel or be taken back.
    void SetScriptRunner(TScriptRunner* runner) noexcept { m_scriptRunner = runner; }
    TScriptRunner* ScriptRunner() const noexcept { return m_scriptRunner; }

    // Hands the application's services to the editor (now, or when it is made); they must
    // outlive the panel. A panel handed none uses TApplicationServices::None().
    void SetServices(const TApplicationServices& services);

    // Writes into the status bar's third panel; nothing without an editor.
    void SetStatusText(const QString& text);
    // Shows the next (or previous) visible page of the tab widget whose page is the panel's
    // parent, wrapping around; nothing when the panel sits elsewhere.
    void SwitchPage(bool forward);

protected:
    bool event(QEvent* event) override;

private:
    void createEditor();
    void fillOwner();

    TPanelStatusBar* m_statusBar;
    TVexScriptEditor* m_editor = nullptr;
    bool m_fullFeatures;
    int m_fileKind;
    TScriptRunner* m_scriptRunner = nullptr;
    const TApplicationServices* m_services = nullptr;
};

// The script runner of the panel `editor` belongs to; none for an editor outside a panel or in
// one without a runner.
TScriptRunner* ScriptRunnerOf(const QWidget& editor);
