#pragma once

#include <QDialog>
#include <QStringList>

#include <memory>

class QTreeWidgetItem;

namespace Ui {
class TformSyntax;
}

namespace vex {
class TBindingObject;
struct TCodeNode;
}

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
// Statements are split at ";" outside text constants and comments, after every blank and control
// character is removed (inside text constants too: [a b] shows as [ab]). A comment that opens a
// statement with a doubled brace, {{ ... }}, is a header and is dropped; a later doubled brace in
// the same statement stays as a single-brace comment. Each statement is compiled by the
// application's context with protected code left scrambled; a statement that does not compile
// shows as one node "Syntax error" (the compiler reports the error itself). To stay quick on
// very long texts, the window shows the first kMaxShownStatements statements, at most
// kMaxShownNodes nodes, and says how many statements it left out; every statement is compiled.
class TformSyntax : public QDialog {
    Q_OBJECT

public:
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

    explicit TformSyntax(QWidget* owner = nullptr);
    ~TformSyntax() override;

    // Compiles every statement of `text`, fills the tree when `show` is set (failed statements
    // always show as their error node) and then shows the window modally, without waiting for
    // it to close. True when every statement compiled. With `object`, bare names may denote its
    // named attributes.
    bool ShowSyntaxTree(const QString& text, bool show,
                        const vex::TBindingObject* object = nullptr);
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
    void tvScriptContextMenuRequested(const QPoint& position);

    std::unique_ptr<Ui::TformSyntax> m_ui;
    int m_nodeCount = 0;
};

// The editor's syntax check: a window is created, runs ShowSyntaxTree(text, false) and is
// destroyed (its placement is read and written all the same). True when every statement
// compiled; the compiler has reported each error. With `object` (the model object the host
// reports as selected), bare names may denote its named attributes.
bool CheckSyntax(const QString& text, const vex::TBindingObject* object = nullptr);

// Creates a window that shows the tree of `text` and frees itself when closed.
TformSyntax* ShowSyntaxTreeWindow(const QString& text);
