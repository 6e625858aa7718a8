#pragma once

#include <QStringList>
#include <QWidget>

#include <memory>

class TVexScriptEditor;

namespace Ui {
class TformCodeCompletion;
}

// The code completion list of an editor, laid out in TformCodeCompletion.ui: a borderless window
// above the others that the editor's completion (CodeCompletion.h) fills with the names
// completing the word before the caret and shows at the caret, in the editor's font (ListBox1).
//
// The window never takes the keyboard focus, not when it is shown and not when it is clicked:
// the keys stay with the editor, which moves the selection (SelectRow). A click selects an entry
// while the editor keeps the focus; a double click takes the entry into the text.
//
// Each editor creates its own, hidden, and it lives as long as the editor.
class TformCodeCompletion : public QWidget {
    Q_OBJECT

public:
    // At most this many entries are visible at once; Page Up and Page Down move by as many.
    static constexpr int kVisibleRows = 12;
    // The narrowest the list gets.
    static constexpr int kMinimumWidth = 32;

    explicit TformCodeCompletion(TVexScriptEditor& editor);
    ~TformCodeCompletion() override;

    TVexScriptEditor& Editor() const noexcept { return m_editor; }

    // Fills the list with the entries, selects the first and sizes the window: as wide as the
    // longest entry needs (at least the font's size in points times its length, and at least
    // kMinimumWidth pixels), as high as the entries, at most kVisibleRows of them.
    void SetEntries(const QStringList& entries);
    int EntryCount() const;
    // The selected row (-1 for none) and its text.
    int SelectedRow() const;
    QString SelectedEntry() const;
    // Selects a row and scrolls it into view; rows outside the list are ignored.
    void SelectRow(int row);
    // Places the window 5 pixels right of and below the top left corner of the caret's character
    // (`caret`, global coordinates), kept on the caret's screen: left of it when the screen ends
    // on the right, above the caret's line when it ends below.
    void PlaceAtCaret(const QRect& caret);

public slots:
    // Takes the double-clicked entry into the text and hides the window; the completion may show
    // again at once for names that the entry begins.
    void ListBox1DblClick();
    // The list selects the entry under the mouse; the editor keeps the focus.
    void ListBox1MouseDown();
    void ListBox1MouseUp();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectHandlers();
    void FormCreate();
    void keepEditorFocus();
    int rowHeight() const;
    int widthFor(const QStringList& entries) const;

    std::unique_ptr<Ui::TformCodeCompletion> m_ui;
    TVexScriptEditor& m_editor;
};
