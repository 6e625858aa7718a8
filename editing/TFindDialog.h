#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TFindDialog;
}

// The editor's find dialog and, with the replace row and buttons, its replace dialog, laid out
// in TFindDialog.ui. It is modeless and belongs to an editor, which does the searching when a
// button says so; closing it (Cancel, Esc, the window's close button) frees it. Find Next is
// available once there is a text to find.
class TFindDialog : public QDialog {
    Q_OBJECT

public:
    TFindDialog(QWidget* editor, bool replacing);
    ~TFindDialog() override;

    bool Replacing() const noexcept { return m_replacing; }
    QString FindText() const;
    QString ReplaceText() const;
    bool MatchCase() const;

signals:
    void findNextClicked();
    void replaceClicked();
    void replaceAllClicked();

private:
    void connectHandlers();
    void FormCreate();
    void edFindWhatChange();

    std::unique_ptr<Ui::TFindDialog> m_ui;
    bool m_replacing;
};
