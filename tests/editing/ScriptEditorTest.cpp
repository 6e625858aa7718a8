#include "editing/ScriptEditor.h"
#include "editing/VexScriptEditor.h"
#include "tests/platform/RegistryTestSupport.h"

#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

class ScriptEditorTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_registry = std::make_unique<TTemporaryRegistryFile>(); }
    void cleanupTestCase() { m_registry.reset(); }

    void aPanelGetsItsEditorWithItsFirstParent();
    void createNowFillsTheOwner();
    void statusTextAndFocusPassToTheEditor();
    void ctrlTabShowsTheNextPage_data();
    void ctrlTabShowsTheNextPage();
    void ctrlTabOnAPanelOutsideATabWidgetDoesNothing();

private:
    std::unique_ptr<TTemporaryRegistryFile> m_registry;
};

void ScriptEditorTest::aPanelGetsItsEditorWithItsFirstParent() {
    QWidget form;
    auto* panel = new TScriptEditor();
    QVERIFY(!panel->Editor());
    QVERIFY(panel->FullFeatures());
    QCOMPARE(panel->FileKind(), 1);
    panel->SetStatusText("nothing to show it in");
    QCOMPARE(panel->StatusBar()->PanelText(2), QString());

    panel->setParent(&form);
    TVexScriptEditor* const editor = panel->Editor();
    QVERIFY(editor);
    QCOMPARE(editor->parentWidget(), panel);
    QCOMPARE(panel->StatusBar()->PanelText(0), QStringLiteral("Line 1, Column 1"));
    QCOMPARE(panel->StatusBar()->PanelText(1), QStringLiteral("INS"));

    QWidget other;
    panel->setParent(&other);
    QCOMPARE(panel->Editor(), editor);
    QCOMPARE(other.findChildren<TVexScriptEditor*>().size(), 1);
}

void ScriptEditorTest::createNowFillsTheOwner() {
    QWidget page;
    page.resize(400, 300);
    auto* panel = new TScriptEditor(&page, false, 2, true);
    QVERIFY(panel->Editor());
    QVERIFY(!panel->Editor()->FullFeatures());
    QCOMPARE(panel->Editor()->FileKind(), 2);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QCOMPARE(panel->geometry(), page.rect());
    QCOMPARE(panel->StatusBar()->geometry().bottom(), panel->rect().bottom());
}

void ScriptEditorTest::statusTextAndFocusPassToTheEditor() {
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* field = new QWidget(&form);
    field->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(field);
    auto* panel = new TScriptEditor(&form);
    layout->addWidget(panel);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    panel->SetStatusText("Debugger");
    QCOMPARE(panel->StatusBar()->PanelText(2), QStringLiteral("Debugger"));
    field->setFocus();
    panel->setFocus();
    QCOMPARE(QApplication::focusWidget(), panel->Editor());
}

void ScriptEditorTest::ctrlTabShowsTheNextPage_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<int>("shown");
    // Four pages; page 2 is hidden.
    QTest::newRow("next") << 0 << false << 1;
    QTest::newRow("next skips a hidden page") << 1 << false << 3;
    QTest::newRow("next wraps around") << 3 << false << 0;
    QTest::newRow("previous") << 1 << true << 0;
    QTest::newRow("previous wraps around") << 0 << true << 3;
}

void ScriptEditorTest::ctrlTabShowsTheNextPage() {
    QFETCH(int, start);
    QFETCH(bool, shift);
    QFETCH(int, shown);
    QTabWidget tabs;
    QList<TScriptEditor*> panels;
    for (int i = 0; i < 4; ++i) {
        auto* page = new QWidget;
        tabs.addTab(page, QString::number(i));
        panels << new TScriptEditor(page, true, 1, true);
    }
    tabs.setTabVisible(2, false);
    tabs.setCurrentIndex(start);
    tabs.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tabs));
    panels[start]->Editor()->setFocus();
    QTest::keyClick(panels[start]->Editor(), shift ? Qt::Key_Backtab : Qt::Key_Tab,
                    Qt::ControlModifier | (shift ? Qt::ShiftModifier : Qt::NoModifier));
    QCOMPARE(tabs.currentIndex(), shown);
    QCOMPARE(panels[start]->Editor()->toPlainText(), QString());
}

void ScriptEditorTest::ctrlTabOnAPanelOutsideATabWidgetDoesNothing() {
    QWidget form;
    auto* panel = new TScriptEditor(&form, true, 1, true);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    panel->Editor()->setFocus();
    QTest::keyClick(panel->Editor(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(panel->Editor()->toPlainText(), QString());
    QCOMPARE(QApplication::focusWidget(), panel->Editor());
}

QTEST_MAIN(ScriptEditorTest)
#include "ScriptEditorTest.moc"
