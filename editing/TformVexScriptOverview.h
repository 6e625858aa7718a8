#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>

namespace Ui {
class TformVexScriptOverview;
}

namespace vex {
class TLanguageInterpreter;
}

// The word overview, laid out in TformVexScriptOverview.ui: the words and constants the
// application's context knows (the one it is handed), narrowed by category (cbCategories) or by the
// first letters of their names, and for the selected entry its name, category, creator, update
// flag, syntax line, example and help text. F1 in the list opens the entry's help page; the
// pop-up menu keeps the window on top of the others.
//
// There is one overview per application (GetVexScriptOverview, with the context of the editor's
// services); closing it only hides it. The editor drives it:
//
//     GetVexScriptOverview(context)->ShowOverview();          // open (and refill) or raise
//     GetVexScriptOverview(context)->FilterWords(wordAtCaret); // the entries starting with it
//     GetVexScriptOverview(context)->StepWord(+1);             // the next entry
//     insert(GetVexScriptOverview(context)->CurrentExample());
//
// Only words whose syntax record is listed appear. Each showing of a hidden window refills the
// selectors and the list, so words registered since appear. Nothing here changes the registry.
class TformVexScriptOverview : public QWidget {
    Q_OBJECT

public:
    // What CurrentIndex refers to.
    enum TEntryKind : std::uint8_t {
        ekWord = 0,
        ekConstant = 1,
    };

    explicit TformVexScriptOverview(QWidget* owner = nullptr);
    // Stores the window's placement.
    ~TformVexScriptOverview() override;

    // The context whose words the window shows; none shows nothing. It must outlive the window
    // or be replaced.
    void SetContext(const vex::TLanguageInterpreter* context) noexcept { m_context = context; }

    // Brings a visible window to the front; otherwise refills both selectors from the registry,
    // selects "all" in both, shows the window and lists every entry.
    void ShowOverview();
    // Lists the entries of the selected category and creator whose names start with `prefix`
    // (ASCII case ignored; empty: all), sorted without regard to case. A single entry is
    // selected and shown at once; otherwise nothing is shown.
    void FilterWords(const QString& prefix);
    // Selects the previous (-1) or next (+1) entry, wrapping around; no selection counts as
    // before the first entry.
    void StepWord(int direction);
    // The example shown for the selected entry (edExample).
    QString CurrentExample() const;

    // Looks the selected entry up (a word first, then a constant) and shows it.
    void SelectListedWord();
    // Shows the current entry's help text, category and update flag, then its fields.
    void ShowWordInfo();
    void ShowWordFields(const QString& example);

    // The entry shown: an index into the word lists (CurrentKind ekWord) or into the constants
    // (ekConstant); -1 for none.
    TEntryKind CurrentKind() const noexcept { return m_currentKind; }
    int CurrentIndex() const noexcept { return m_currentIndex; }

public slots:
    // Category or creator chosen: the whole list again, without the editor's prefix.
    void NewSelection();
    void cbCreatorsChange();
    void OnWordClick();
    void StayOnTopClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectHandlers();
    void FormCreate();
    void FormDestroy();
    void placeByDefault();
    void fillCategories(const vex::TLanguageInterpreter& context);
    void fillCreators(const vex::TLanguageInterpreter& context);
    // F1 in the word list: the selected entry's help page.
    void lbxVexScriptWordsKeyDown(int key);
    void popupMenuRequested(QWidget* from, const QPoint& position);

    std::unique_ptr<Ui::TformVexScriptOverview> m_ui;
    const vex::TLanguageInterpreter* m_context = nullptr;
    TEntryKind m_currentKind = ekWord;
    int m_currentIndex = -1;
};

// The application's overview, created (hidden) on first use, showing the words of `context`; it
// lives until FinalizeVexScriptOverview, which also runs when the QApplication goes.
TformVexScriptOverview* GetVexScriptOverview(const vex::TLanguageInterpreter* context);
// Destroys the overview (storing its placement).
void FinalizeVexScriptOverview();
