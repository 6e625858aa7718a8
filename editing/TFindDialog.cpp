#include "editing/TFindDialog.h"

#include "editing/EditingTexts.h"
#include "services/LanguageManager.h"
#include "ui_TFindDialog.h"

#include <QLayout>

TFindDialog::TFindDialog(QWidget* editor, bool replacing)
    : QDialog(editor, Qt::Dialog | Qt::WindowCloseButtonHint)
    , m_ui(std::make_unique<Ui::TFindDialog>())
    , m_replacing(replacing) {
    m_ui->setupUi(this);
    setObjectName(replacing ? QStringLiteral("ReplaceDialog") : QStringLiteral("FindDialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    connectHandlers();
    FormCreate();
}

TFindDialog::~TFindDialog() = default;

QString TFindDialog::FindText() const {
    return m_ui->edFindWhat->text();
}

QString TFindDialog::ReplaceText() const {
    return m_ui->edReplaceWith->text();
}

bool TFindDialog::MatchCase() const {
    return m_ui->chkMatchCase->isChecked();
}

void TFindDialog::connectHandlers() {
    connect(m_ui->btnFindNext, &QPushButton::clicked, this, &TFindDialog::findNextClicked);
    connect(m_ui->btnReplace, &QPushButton::clicked, this, &TFindDialog::replaceClicked);
    connect(m_ui->btnReplaceAll, &QPushButton::clicked, this, &TFindDialog::replaceAllClicked);
    connect(m_ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->edFindWhat, &QLineEdit::textChanged, this, &TFindDialog::edFindWhatChange);
}

void TFindDialog::FormCreate() {
    TranslateForm(this);
    if (m_replacing)
        setWindowTitle(EditingText(etReplaceTitle));
    for (QWidget* part :
         {static_cast<QWidget*>(m_ui->lblReplaceWith), static_cast<QWidget*>(m_ui->edReplaceWith),
          static_cast<QWidget*>(m_ui->btnReplace), static_cast<QWidget*>(m_ui->btnReplaceAll)})
        part->setVisible(m_replacing);
    edFindWhatChange();
    // As small as its fields; the replace row and buttons take no room when hidden.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TFindDialog::edFindWhatChange() {
    const bool searchable = !m_ui->edFindWhat->text().isEmpty();
    m_ui->btnFindNext->setEnabled(searchable);
    m_ui->btnReplace->setEnabled(searchable);
    m_ui->btnReplaceAll->setEnabled(searchable);
}
