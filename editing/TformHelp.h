#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

namespace Ui {
class TformHelp;
}

// The help window, laid out in TformHelp.ui: the index of the help topics (lbxTopics) narrowed
// by a search field (edSearch) beside the page of the chosen topic (memHelp). The pages are HTML
// files the build writes from the word registry (HelpPages.h); they are looked for beside the
// executable (help/) and in the installed data directory (../share/zentaro/help from the
// executable), so the build tree and an installed tree both find theirs.
//
// F1 in the editor, in the completion list and in the word overview opens a topic:
//
//     ShowHelpTopic(wordAtCaret);   // an operator opens its topic ("<>" opens ISUNEQUALTO)
//
// A topic without a page opens the index, with the word in the search field.
class TformHelp : public QWidget {
    Q_OBJECT

public:
    explicit TformHelp(QWidget* owner = nullptr);
    // Stores the window's placement.
    ~TformHelp() override;

    // Shows the page of the entry's topic and gives true; an unknown topic shows the index with
    // the entry in the search field and gives false.
    bool ShowTopic(const QString& entry);
    // The file name of the page shown (index.html for the index); empty when there are no pages.
    QString CurrentPage() const;
    // The directory the pages come from; empty when none was found.
    QString PagesDirectory() const { return m_directory; }

public slots:
    // The index narrowed to the topics whose names contain the search text.
    void edSearchChange();
    // Enter in the search field: the first topic the index still lists.
    void edSearchEnter();
    void lbxTopicsClick();

private:
    void connectHandlers();
    void FormCreate();
    void FormDestroy();
    void loadTopics();
    void showPage(const QString& file);
    void showIndex();

    std::unique_ptr<Ui::TformHelp> m_ui;
    QString m_directory;
};

// Where help pages are looked for, in order.
QStringList HelpPageDirectories();
// Makes the help window read its pages from `directory` instead (tests); empty restores the
// search. Takes effect for a help window created afterwards.
void SetHelpPagesDirectory(const QString& directory);

// The application's help window, created on first use; it lives until FinalizeHelpWindow, which
// also runs when the QApplication goes.
TformHelp* GetHelpWindow();
// Shows the help window at the topic of `entry` and brings it to the front.
void ShowHelpTopic(const QString& entry);
// Destroys the help window (storing its placement).
void FinalizeHelpWindow();
