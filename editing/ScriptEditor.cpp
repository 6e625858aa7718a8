#include "editing/ScriptEditor.h"

#include "editing/EditingTexts.h"
#include "editing/VexScriptEditor.h"

#include <QEvent>
#include <QLabel>
#include <QLoggingCategory>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

Q_LOGGING_CATEGORY(editorLog, "zentaro.editor", QtWarningMsg)

// Widths of the status bar's first three panels (longer texts widen them); the fourth takes
// the rest.
constexpr std::array<int, 3> kPanelWidths = {100, 32, 96};

QString identity(const QObject* object) {
    return QStringLiteral("%1").arg(reinterpret_cast<quintptr>(object) & 0xFFFFFFFF, 8, 16,
                                    QLatin1Char('0'));
}

} // namespace

TPanelStatusBar::TPanelStatusBar(QWidget* parent)
    : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar"));
    setSizeGripEnabled(false);
    for (std::size_t i = 0; i < m_panels.size(); ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setObjectName(QStringLiteral("Panel%1").arg(i));
        m_panels[i]->setTextFormat(Qt::PlainText);
        if (i < kPanelWidths.size())
            m_panels[i]->setMinimumWidth(kPanelWidths[i]);
        addWidget(m_panels[i], i < kPanelWidths.size() ? 0 : 1);
    }
    m_panels[1]->setText(EditingText(etInsertMode));
}

void TPanelStatusBar::SetPanelText(int panel, const QString& text) {
    if (panel >= 0 && panel < int(m_panels.size()))
        m_panels[std::size_t(panel)]->setText(text);
}

QString TPanelStatusBar::PanelText(int panel) const {
    if (panel < 0 || panel >= int(m_panels.size()))
        return {};
    return m_panels[std::size_t(panel)]->text();
}

TScriptEditor::TScriptEditor(QWidget* owner)
    : TScriptEditor(owner, true, 1, false) {}

TScriptEditor::TScriptEditor(QWidget* owner, bool fullFeatures, int fileKind, bool createNow)
    : QWidget(owner)
    , m_statusBar(new TPanelStatusBar(this))
    , m_fullFeatures(fullFeatures)
    , m_fileKind(fileKind) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_statusBar);
    if (createNow || owner)
        createEditor();
    if (createNow && owner)
        fillOwner();
}

TScriptEditor::~TScriptEditor() {
    qCDebug(editorLog) << "DESTROY EDITOR :" << identity(this);
    delete m_editor;
    m_editor = nullptr;
    qCDebug(editorLog) << "DONE W. EDITOR :" << identity(this);
}

void TScriptEditor::SetStatusText(const QString& text) {
    if (m_editor)
        m_editor->SetStatusText(text);
}

void TScriptEditor::SwitchPage(bool forward) {
    QWidget* const page = parentWidget();
    QWidget* const stack = page ? page->parentWidget() : nullptr;
    auto* const tabs = qobject_cast<QTabWidget*>(stack ? stack->parentWidget() : nullptr);
    const int current = tabs ? tabs->indexOf(page) : -1;
    if (current < 0)
        return;
    const int count = tabs->count();
    for (int step = 1; step < count; ++step) {
        const int index = (current + (forward ? step : count - step)) % count;
        if (tabs->isTabVisible(index)) {
            tabs->setCurrentIndex(index);
            return;
        }
    }
}

// The first parent brings the editor.
bool TScriptEditor::event(QEvent* event) {
    if (event->type() == QEvent::ParentChange && !m_editor && parentWidget())
        createEditor();
    return QWidget::event(event);
}

void TScriptEditor::createEditor() {
    m_editor = new TVexScriptEditor(this, m_fullFeatures, static_cast<std::uint8_t>(m_fileKind));
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, m_editor, 1);
    setFocusProxy(m_editor);
    m_editor->SetStatusBar(m_statusBar);
    if (m_services)
        m_editor->SetServices(*m_services);
}

void TScriptEditor::SetServices(const TApplicationServices& services) {
    m_services = &services;
    if (m_editor)
        m_editor->SetServices(services);
}

void TScriptEditor::fillOwner() {
    QWidget* const owner = parentWidget();
    QLayout* layout = owner->layout();
    if (!layout) {
        layout = new QVBoxLayout(owner);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    layout->addWidget(this);
}

TScriptRunner* ScriptRunnerOf(const QWidget& editor) {
    const auto* panel = qobject_cast<const TScriptEditor*>(editor.parentWidget());
    return panel && static_cast<const QWidget*>(panel->Editor()) == &editor ? panel->ScriptRunner()
                                                                            : nullptr;
}
