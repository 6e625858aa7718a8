#pragma once

#include <QDialog>
#include <QStringList>

#include <memory>

class QTreeWidgetItem;
class TScriptRunner;

namespace Ui {
class TformSyntax;
}

namespace vex {
class TBindingObject;
class TLanguageInterpreter;
struct TCodeNode;
} // namespace vex

// The syntax tree window, laid out in TformSyntax.ui: compiles a text statement by statement and
// shows each compiled statement as a tree (tvScript) in which every word call has its arguments
// as children, down to numbers, text constants and variables. F9 collapses and F10 expands the
// whole tree (pop-up menu pmMain); OK, Enter and Esc close the window, which then frees itself.
//
// The same compile without showing anything is the editor's syntax check:
//
//     if (CheckSyntax(text)) ... every statement compiled
//     ShowSyntaxTreeWindow(text);      // the tree, in a window of its own
//
// A text that is one piece of code (an expression field, the debugger's immediate pane) is cut
// by the window's own rule below; a whole script, given with the script runner of its panel, is
// cut by the statement rule of script files and compiled by the host's script session, so that
// its errors carry their lines (editing/RuntimeLookup.h, TScriptRunner).
//
// The window's own rule: statements are split at ";" outside text constants and comments, after
// every blank and control character is removed (inside text constants too: [a b] shows as [ab]). A
// comment that opens a statement with a doubled brace, {{ ... }}, is a header and is dropped; a
// later doubled brace in the same statement stays as a single-brace comment. Each statement is
// compiled by the application's context with protected code left scrambled; a statement that does
// not compile shows as one node "Syntax error" (the compiler reports the error itself). To stay
// quick on very long texts, the window shows the first kMaxShownStatements statements, at most
// kMaxShownNodes nodes, and says how many statements it left out; every statement is compiled.
class TformSyntax : public QDialog {
    Q_OBJECT

public:
    // What a syntax check found. A check that compiled nothing (an empty text, nothing but
    // comments, or a statement that never closes) found neither.
    enum class TVerdict {
        Correct,
        Faulty,
        NothingCompiled,
    };

    // Images of the tree's nodes, by kind; messages (a failed statement) have none.
    enum TNodeImage {
        niNone = -1,
        niCallWithArguments = 0,
        niVariable = 1,
        niTextConstant = 2,
        niNumberConstant = 3,
        niCallWithoutArguments = 4,
    };

    static constexpr int kMaxShownStatements = 1000;
    static constexpr int kMaxShownNodes = 50000;

    // Compiles with `context`; without one nothing compiles. The context must outlive the window.
    explicit TformSyntax(vex::TLanguageInterpreter* context, QWidget* owner = nullptr);
    ~TformSyntax() override;

    // Compiles every statement of `text`, fills the tree when `show` is set (failed statements
    // always show as their error node) and then shows the window modally, without waiting for
    // it to close. True when every statement compiled. With `object`, bare names may denote its
    // named attributes.
    bool ShowSyntaxTree(const QString& text, bool show,
                        const vex::TBindingObject* object = nullptr);
    // ShowSyntaxTree for a whole script whose first line is `firstLine`, cut and compiled by
    // `runner`.
    bool ShowScriptSyntaxTree(const QString& script, bool show, const vex::TBindingObject* object,
                              TScriptRunner& runner, int firstLine = 1);
    // What the last ShowSyntaxTree or ShowScriptSyntaxTree found.
    TVerdict Verdict() const noexcept { return m_verdict; }
    // Adds the tree of a compiled node below `parent` (the top level without one).
    void AddCodeNode(const vex::TCodeNode* node, QTreeWidgetItem* parent);

    // The text without blanks and control characters (codes 0, 8 to 15 and 32).
    static QString StripBlanks(const QString& text);
    // The statements of a text, in order; a text ending with ";" has an empty last statement.
    static QStringList SplitStatements(const QString& text);

public slots:
    void cmdOkClick();
    void pmCollapseClick();
    void pmExpandClick();
    // Closing with Esc is closing with OK.
    void reject() override;

private:
    void connectHandlers();
    void FormCreate();
    void FormDestroy();
    QTreeWidgetItem* addItem(QTreeWidgetItem* parent, const QString& label, TNodeImage image);
    // Adds a compiled statement's tree (none: the statement failed) unless too many are shown.
    void addStatement(const vex::TCodeNode* tree, bool show);
    void present(bool show);
    void tvScriptContextMenuRequested(const QPoint& position);

    std::unique_ptr<Ui::TformSyntax> m_ui;
    vex::TLanguageInterpreter* m_context;
    int m_nodeCount = 0;
    int m_shownStatements = 0;
    int m_leftOut = 0;
    TVerdict m_verdict = TVerdict::NothingCompiled;
};

// The editor's syntax check: a window is created, runs ShowSyntaxTree(text, false) and is
// destroyed (its placement is read and written all the same). True when every statement
// compiled; the compiler has reported each error. With `object` (the model object the host
// reports as selected), bare names may denote its named attributes.
bool CheckSyntax(vex::TLanguageInterpreter* context, const QString& text,
                 const vex::TBindingObject* object = nullptr);
// The editor's syntax check with its verdict: of a whole script when `runner` is given (its first
// line `firstLine`), else of a text that is one piece of code.
TformSyntax::TVerdict CheckSyntaxOf(vex::TLanguageInterpreter* context, const QString& text,
                                    const vex::TBindingObject* object, TScriptRunner* runner,
                                    int firstLine = 1);

// Creates a window that shows the tree of `text` and frees itself when closed; with `runner`,
// `text` is a whole script whose first line is `firstLine`.
TformSyntax* ShowSyntaxTreeWindow(vex::TLanguageInterpreter* context, const QString& text,
                                  TScriptRunner* runner = nullptr, int firstLine = 1);
