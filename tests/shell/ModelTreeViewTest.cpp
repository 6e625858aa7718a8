#include "shell/ModelTreeView.h"
#include "tests/shell/TreeShape.h"

#include "debugging/TraceWindows.h"
#include "editing/ApplicationServices.h"
#include "shell/ApplicationHost.h"

#include <QElapsedTimer>
#include <QTest>

#include <memory>

class ModelTreeViewTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsTheAtomsBelowMain();
    void followsTheWordsThatChangeAtoms_data();
    void followsTheWordsThatChangeAtoms();
    void manyChangesRebuildOnce();
    void keepsExpansionAndCurrentAtom();
    void deepChainOfAtoms();
    void destroyedViewUnregistersItself();

private:
    double run(const char* script);
    // Lets the queued refresh run.
    void settle();

    TApplicationServices m_services;
    std::unique_ptr<TApplicationHost> m_host;
    std::unique_ptr<TApplicationInterpreter> m_context;
    std::unique_ptr<TModelTreeView> m_view;
};

void ModelTreeViewTest::init() {
    m_host = std::make_unique<TApplicationHost>(m_services);
    m_context = std::make_unique<TApplicationInterpreter>(*m_host);
    m_view = std::make_unique<TModelTreeView>();
    m_view->attach(&m_host->Services());
    m_host->Services().Tree = m_view.get();
    m_view->show();
}

void ModelTreeViewTest::cleanup() {
    m_view.reset();
    m_context.reset();
    m_host.reset();
    const QStringList errors = ErrorLog();
    FinalizeTraceWindows();
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
}

double ModelTreeViewTest::run(const char* script) {
    vex::TText text;
    return m_context->ExecuteText(script, text);
}

void ModelTreeViewTest::settle() {
    QTRY_VERIFY(!m_view->refreshPending());
}

void ModelTreeViewTest::showsTheAtomsBelowMain() {
    QCOMPARE(TreeShape(*m_view), QString("model Library"));
    const auto& model = m_host->Services().Model;
    QCOMPARE(TModelTreeView::atomOf(m_view->topLevelItem(0)), model.Root());
    QCOMPARE(TModelTreeView::atomOf(m_view->topLevelItem(1)), model.Library());
    QCOMPARE(m_view->itemOf(model.Main()), nullptr);
}

// No script here asks for a refresh: the words that change atoms do.
void ModelTreeViewTest::followsTheWordsThatChangeAtoms_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("tree");

    const QString built = "Do(DeclareGlobal([q],2),q := CreateAtom(model,[Queue]),"
                          "CreateAtom(q,[Customer]),CreateAtom(model,[Teller]),%1)";
    QTest::newRow("CreateAtom") << built.arg(0) << "model(Queue(Customer) Teller) Library";
    QTest::newRow("DestroyAtom") << built.arg("DestroyAtom(q)") << "model(Teller) Library";
    QTest::newRow("MoveAtom") << built.arg("MoveAtom(AtomByName([Teller]),q)")
                              << "model(Queue(Customer Teller)) Library";
    QTest::newRow("SetName of the model")
        << built.arg("SetName(model,[Bank])") << "Bank(Queue(Customer) Teller) Library";
    QTest::newRow("new model") << built.arg("tztfnc([new model])") << "model Library";
    QTest::newRow("error after a change")
        << built.arg("Child(model,7)") << "model(Queue(Customer) Teller) Library";
}

void ModelTreeViewTest::followsTheWordsThatChangeAtoms() {
    QFETCH(QString, script);
    QFETCH(QString, tree);
    const int rebuilds = m_view->rebuildCount();

    run(script.toLatin1().constData());

    QVERIFY(m_view->refreshPending());
    settle();
    QCOMPARE(TreeShape(*m_view), tree);
    QCOMPARE(m_view->rebuildCount(), rebuilds + 1);
    if (QTest::currentDataTag() == QByteArray("error after a change")) {
        QCOMPARE(ErrorLog().size(), 1);
        ClearErrorLog();
    }
}

void ModelTreeViewTest::manyChangesRebuildOnce() {
    const int rebuilds = m_view->rebuildCount();
    run("Do(LocalNum([k]),While(k < 10000,Do(k := k + 1,CreateAtom(model,[Part]))))");
    QCOMPARE(m_view->rebuildCount(), rebuilds);

    QElapsedTimer clock;
    clock.start();
    settle();
    qInfo("rebuilding the tree of 10000 atoms took %lld ms", clock.elapsed());

    QCOMPARE(m_view->rebuildCount(), rebuilds + 1);
    QCOMPARE(m_view->topLevelItem(0)->childCount(), 10000);
    QVERIFY(m_host->Services().TreeRefreshCount() >= 10000);
}

void ModelTreeViewTest::keepsExpansionAndCurrentAtom() {
    run("Do(DeclareGlobal([q],2),q := CreateAtom(model,[Queue]),CreateAtom(q,[Customer]),"
        "CreateAtom(CreateAtom(model,[Teller]),[Desk]))");
    settle();
    QVERIFY(m_view->topLevelItem(0)->isExpanded()); // the model opens on first show
    const std::int32_t queue = static_cast<std::int32_t>(run("q"));
    const std::int32_t customer = static_cast<std::int32_t>(run("Child(q,1)"));
    m_view->itemOf(queue)->setExpanded(true);
    m_view->setCurrentItem(m_view->itemOf(customer));
    m_view->itemOf(m_host->Services().Model.Library())->setExpanded(false);

    run("Do(CreateAtom(q,[Second]),DestroyAtom(AtomByName([Teller])))");
    settle();

    QCOMPARE(TreeShape(*m_view), QString("model(Queue(Customer Second)) Library"));
    QVERIFY(m_view->itemOf(queue)->isExpanded());
    QVERIFY(m_view->topLevelItem(0)->isExpanded());
    QCOMPARE(TModelTreeView::atomOf(m_view->currentItem()), customer);

    // The current atom goes: no item is current, and the rest keeps its state.
    run("DestroyAtom(Child(q,1))");
    settle();
    QCOMPARE(m_view->currentItem(), nullptr);
    QVERIFY(m_view->itemOf(queue)->isExpanded());
}

// The tree is built and freed without recursion, so a chain of atoms as deep as a script can
// make it does not exhaust the stack.
void ModelTreeViewTest::deepChainOfAtoms() {
    run("Do(LocalObj([link]),LocalNum([k]),link := model,"
        "While(k < 100000,Do(k := k + 1,link := CreateAtom(link,[Link]))))");
    settle();
    const QTreeWidgetItem* item = m_view->topLevelItem(0);
    int depth = 0;
    for (; item->childCount() == 1; item = item->child(0))
        ++depth;
    QCOMPARE(depth, 100000);
    m_view->rebuild();
    QCOMPARE(m_view->topLevelItem(0)->childCount(), 1);
}

void ModelTreeViewTest::destroyedViewUnregistersItself() {
    m_view.reset();
    QCOMPARE(m_host->Services().Tree, nullptr);
    run("CreateAtom(model,[Later])"); // must not reach the destroyed view
}

QTEST_MAIN(ModelTreeViewTest)
#include "ModelTreeViewTest.moc"
