#include "editing/TformSyntax.h"

#include "editing/EditingTexts.h"
#include "editing/RuntimeLookup.h"
#include "platform/CodePage.h"
#include "runtime/VexScript.h"
#include "runtime/VexWords.h"
#include "services/FormPlacement.h"
#include "ui_TformSyntax.h"

#include <QMenu>
#include <QPainter>

#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace {

// The pictures of the five node kinds: a letter on a coloured square (a word call), circle (a
// variable) or outline (a call without arguments).
QIcon drawNodeImage(TformSyntax::TNodeImage image) {
    struct TLook {
        QColor Colour;
        QChar Letter;
        bool Round;
        bool Filled;
    };
    static const std::array<TLook, 5> looks = {{
        {QColor(0x1F, 0x4E, 0xA8), u'f', false, true},
        {QColor(0x1E, 0x8C, 0x3A), u'v', true, true},
        {QColor(0xB0, 0x5A, 0x10), u'T', false, true},
        {QColor(0x7A, 0x2E, 0x9E), u'#', false, true},
        {QColor(0x1F, 0x4E, 0xA8), u'f', false, false},
    }};
    const TLook& look = looks[static_cast<std::size_t>(image)];
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(look.Colour, 1.5));
    painter.setBrush(look.Filled ? QBrush(look.Colour) : QBrush(Qt::white));
    const QRectF box(1.5, 1.5, 13, 13);
    if (look.Round)
        painter.drawEllipse(box);
    else
        painter.drawRoundedRect(box, 3, 3);
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(look.Filled ? Qt::white : look.Colour);
    painter.drawText(box, Qt::AlignCenter, QString(look.Letter));
    return QIcon(pixmap);
}

const QIcon& nodeImage(TformSyntax::TNodeImage image) {
    static std::array<QIcon, 5> images;
    QIcon& icon = images[static_cast<std::size_t>(image)];
    if (icon.isNull())
        icon = drawNodeImage(image);
    return icon;
}

bool isBlank(QChar character) {
    const char16_t code = character.unicode();
    return code == 0 || (code >= 8 && code <= 15) || code == 32;
}

// The context's protection flag is off while the window compiles (protected code stays
// scrambled) and afterwards as it was, also when the compile throws.
class TProtectedCodeOff {
public:
    explicit TProtectedCodeOff(vex::TLanguageInterpreter& context)
        : m_context(context)
        , m_saved(context.ProtectedCode()) {
        context.SetProtectedCode(false);
    }
    TProtectedCodeOff(const TProtectedCodeOff&) = delete;
    TProtectedCodeOff& operator=(const TProtectedCodeOff&) = delete;
    ~TProtectedCodeOff() { m_context.SetProtectedCode(m_saved); }

private:
    vex::TLanguageInterpreter& m_context;
    bool m_saved;
};

// The compiled code of one statement, released when it goes.
class TStatementCode {
public:
    TStatementCode(vex::TLanguageInterpreter& context, const QString& statement,
                   const vex::TBindingObject* object) {
        const TProtectedCodeOff protection(context);
        vex::TGuiBinding binding;
        binding.CurrentObject = object;
        m_code = context.Compile(toWindows1252(statement).toStdString(), nullptr, binding);
    }
    TStatementCode(const TStatementCode&) = delete;
    TStatementCode& operator=(const TStatementCode&) = delete;
    ~TStatementCode() { vex::TLanguageInterpreter::ReleaseCode(m_code); }

    bool compiled() const { return m_code != nullptr; }
    const vex::TCodeNode* root() const { return m_code ? m_code->Root : nullptr; }

private:
    vex::TCompiledCode* m_code = nullptr;
};

} // namespace

TformSyntax::TformSyntax(vex::TLanguageInterpreter* context, QWidget* owner)
    : QDialog(owner, Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                         Qt::WindowCloseButtonHint)
    , m_ui(std::make_unique<Ui::TformSyntax>())
    , m_context(context) {
    m_ui->setupUi(this);
    connectHandlers();
    FormCreate();
}

TformSyntax::~TformSyntax() {
    FormDestroy();
}

bool TformSyntax::ShowSyntaxTree(const QString& text, bool show,
                                 const vex::TBindingObject* object) {
    m_ui->tvScript->clear();
    m_nodeCount = m_shownStatements = m_leftOut = 0;
    // Without a context nothing compiles.
    vex::TLanguageInterpreter* context = m_context;
    const QStringList statements = context ? SplitStatements(StripBlanks(text)) : QStringList();
    bool failed = !context;
    int compiled = 0;
    for (const QString& statement : statements) {
        const TStatementCode code(*context, statement, object);
        failed = failed || !code.compiled();
        // A statement of nothing but a comment compiles, to nothing.
        const bool blank =
            vex::RemoveWhitespaceAndComments(toWindows1252(statement).toStdString()).empty();
        compiled += code.compiled() && !blank ? 1 : 0;
        addStatement(code.root(), show);
    }
    m_verdict = failed         ? TVerdict::Faulty
                : compiled > 0 ? TVerdict::Correct
                               : TVerdict::NothingCompiled;
    present(show);
    return !failed;
}

// The session's check compiles each statement and hands its tree over while it exists.
bool TformSyntax::ShowScriptSyntaxTree(const QString& script, bool show,
                                       const vex::TBindingObject* object, TScriptRunner& runner,
                                       int firstLine) {
    m_ui->tvScript->clear();
    m_nodeCount = m_shownStatements = m_leftOut = 0;
    vex::TCheckResult result;
    {
        std::optional<TProtectedCodeOff> protection;
        if (m_context)
            protection.emplace(*m_context);
        result =
            runner.CheckScript(toWindows1252(script).toStdString(), firstLine, object,
                               [&](int, const vex::TCodeNode* tree) { addStatement(tree, show); });
    }
    m_verdict = result.Correct()           ? TVerdict::Correct
                : result.CompiledNothing() ? TVerdict::NothingCompiled
                                           : TVerdict::Faulty;
    present(show);
    return m_verdict != TVerdict::Faulty;
}

void TformSyntax::addStatement(const vex::TCodeNode* tree, bool show) {
    if (m_shownStatements >= kMaxShownStatements || m_nodeCount >= kMaxShownNodes) {
        ++m_leftOut;
        return;
    }
    ++m_shownStatements;
    if (!tree)
        addItem(nullptr, EditingText(etStatementFailed), niNone);
    else if (show)
        AddCodeNode(tree, nullptr);
}

void TformSyntax::present(bool show) {
    if (m_leftOut > 0)
        addItem(nullptr, EditingText(etStatementsLeftOut).arg(m_leftOut), niNone);
    if (show) {
        setWindowModality(Qt::ApplicationModal);
        this->show();
        raise();
        activateWindow();
    }
}

void TformSyntax::AddCodeNode(const vex::TCodeNode* node, QTreeWidgetItem* parent) {
    // Depth first without recursion; arguments go on the stack last first, so that they are
    // added in their order.
    std::vector<std::pair<const vex::TCodeNode*, QTreeWidgetItem*>> pending = {{node, parent}};
    while (!pending.empty()) {
        const auto [current, above] = pending.back();
        pending.pop_back();
        if (!current)
            continue;
        if (current->IsNumberConstant()) {
            const auto* constant = static_cast<const vex::TConstantNode*>(current);
            addItem(above, fromScriptText(vex::FormatNumber(constant->Value)), niNumberConstant);
        } else if (current->IsTextConstant()) {
            const auto* constant = static_cast<const vex::TTextConstantNode*>(current);
            addItem(above, u'[' + fromScriptText(constant->Text.view()) + u']', niTextConstant);
        } else if (current->IsVariable()) {
            const auto* variable = static_cast<const vex::TVariableNode*>(current);
            addItem(above, variable->Var ? fromScriptText(variable->Var->Name) : QString(),
                    niVariable);
        } else {
            const auto* call = static_cast<const vex::TCallNode*>(current);
            const QString name =
                m_context ? fromScriptText(m_context->WordName(call->WordNumber)) : QString();
            QTreeWidgetItem* item = addItem(
                above, name, call->ArgCount > 0 ? niCallWithArguments : niCallWithoutArguments);
            // Only the arguments: a declaration's extra entry after them is no node.
            for (int i = call->ArgCount; i >= 1; --i)
                pending.emplace_back(call->Arg(i), item);
        }
    }
}

QString TformSyntax::StripBlanks(const QString& text) {
    QString stripped;
    stripped.reserve(text.size());
    for (const QChar character : text)
        if (!isBlank(character))
            stripped += character;
    return stripped;
}

QStringList TformSyntax::SplitStatements(const QString& text) {
    const QString source = text + u';';
    QStringList statements;
    QString statement;
    int depth = 0;
    bool insideBraces = false;
    bool headerAllowed = true;
    bool insideHeader = false;
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar character = source[i];
        bool dropped = false;
        if (character == u'[') {
            ++depth;
        } else if (character == u']') {
            --depth;
        } else if (character == u';' && depth <= 0 && !insideBraces) {
            statements << statement;
            statement.clear();
            depth = 0;
            headerAllowed = true;
            insideHeader = false;
            continue;
        } else if (character == u'{' && depth <= 0) {
            insideBraces = true;
            if (i + 1 < source.size() && source[i + 1] == u'{') {
                insideHeader = headerAllowed;
                dropped = true;
            }
        } else if (character == u'}' && depth <= 0) {
            insideBraces = false;
            if (i > 0 && source[i - 1] == u'}') {
                insideHeader = false;
                headerAllowed = false;
                dropped = true;
            }
        }
        if (!dropped && !insideHeader)
            statement += character;
    }
    return statements;
}

void TformSyntax::cmdOkClick() {
    m_ui->tvScript->clear();
    accept();
}

void TformSyntax::pmCollapseClick() {
    m_ui->tvScript->collapseAll();
}

void TformSyntax::pmExpandClick() {
    m_ui->tvScript->expandAll();
}

void TformSyntax::reject() {
    cmdOkClick();
}

void TformSyntax::connectHandlers() {
    connect(m_ui->cmdOk, &QPushButton::clicked, this, &TformSyntax::cmdOkClick);
    connect(m_ui->pmCollapse, &QAction::triggered, this, &TformSyntax::pmCollapseClick);
    connect(m_ui->pmExpand, &QAction::triggered, this, &TformSyntax::pmExpandClick);
    connect(m_ui->tvScript, &QWidget::customContextMenuRequested, this,
            &TformSyntax::tvScriptContextMenuRequested);
    // The keys work wherever the focus is in the window, not only while the menu is open.
    for (QAction* action : m_ui->pmMain->actions()) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
}

void TformSyntax::FormCreate() {
    LoadFormPlacement(this);
}

void TformSyntax::FormDestroy() {
    SaveFormPlacement(this);
}

QTreeWidgetItem* TformSyntax::addItem(QTreeWidgetItem* parent, const QString& label,
                                      TNodeImage image) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_ui->tvScript);
    item->setText(0, label);
    if (image != niNone)
        item->setIcon(0, nodeImage(image));
    item->setData(0, Qt::UserRole, static_cast<int>(image));
    ++m_nodeCount;
    return item;
}

void TformSyntax::tvScriptContextMenuRequested(const QPoint& position) {
    m_ui->pmMain->popup(m_ui->tvScript->viewport()->mapToGlobal(position));
}

bool CheckSyntax(vex::TLanguageInterpreter* context, const QString& text,
                 const vex::TBindingObject* object) {
    TformSyntax window(context);
    return window.ShowSyntaxTree(text, false, object);
}

TformSyntax::TVerdict CheckSyntaxOf(vex::TLanguageInterpreter* context, const QString& text,
                                    const vex::TBindingObject* object, TScriptRunner* runner,
                                    int firstLine) {
    TformSyntax window(context);
    if (runner)
        window.ShowScriptSyntaxTree(text, false, object, *runner, firstLine);
    else
        window.ShowSyntaxTree(text, false, object);
    return window.Verdict();
}

TformSyntax* ShowSyntaxTreeWindow(vex::TLanguageInterpreter* context, const QString& text,
                                  TScriptRunner* runner, int firstLine) {
    auto* window = new TformSyntax(context);
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (runner)
        window->ShowScriptSyntaxTree(text, true, nullptr, *runner, firstLine);
    else
        window->ShowSyntaxTree(text, true);
    return window;
}
