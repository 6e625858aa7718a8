#include "services/FormPlacement.h"

#include "platform/Registry.h"
#include "services/SettingsRootKey.h"
#include "tests/platform/RegistryTestSupport.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <map>
#include <memory>
#include <string>

using namespace zentaro::platform;

namespace {

const QString FormName = QStringLiteral("formPlaced");
const QSize DesignedSize(204, 381);

std::string formKey() {
    return std::string(SettingsRootKey) + "\\Forms\\" + FormName.toStdString();
}

// A tool window as its layout designs it: a name, a size, never shown yet.
std::unique_ptr<QWidget> designedForm(int tag = 0) {
    auto form = std::make_unique<QWidget>(nullptr, Qt::Window);
    form->setObjectName(FormName);
    form->resize(DesignedSize);
    if (tag)
        form->setProperty("tag", tag);
    return form;
}

void storeValues(const std::map<std::string, TRegistryValue>& values) {
    TRegistryKey key;
    QCOMPARE(TRegistryKey::CurrentUser().CreateKey(formKey(), key), TRegistryStatus::Success);
    for (const auto& [name, value] : values)
        QCOMPARE(key.SetValue(name, value), TRegistryStatus::Success);
}

std::map<std::string, TRegistryValue> integers(std::map<std::string, int> values) {
    std::map<std::string, TRegistryValue> stored;
    for (const auto& [name, value] : values)
        stored[name] = TRegistryValue::FromInteger(static_cast<std::uint32_t>(value));
    return stored;
}

std::optional<int> storedInteger(const char* name) {
    TRegistryKey key;
    TRegistryValue value;
    if (TRegistryKey::CurrentUser().OpenKey(formKey(), key) != TRegistryStatus::Success ||
        key.QueryValue(name, value) != TRegistryStatus::Success)
        return std::nullopt;
    return static_cast<int>(value.Integer);
}

QRect screen() {
    return QGuiApplication::primaryScreen()->geometry();
}

// Where a window of `size` is centred on the primary screen.
QPoint centred(QSize size) {
    return {screen().width() / 2 - size.width() / 2, screen().height() / 2 - size.height() / 2};
}

} // namespace

class FormPlacementTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void roundTripKeepsPositionAndSize();
    void missingKeyCentresAndSaysSo();
    void maximisedComesBackMaximisedOverItsDesignedPlace();
    void taggedFormKeepsItsDesignedSize();
    void absurdValuesGiveAVisibleSensibleWindow_data();
    void absurdValuesGiveAVisibleSensibleWindow();
    void wrongTypeStopsReadingQuietly();
    void hooksSeeTheOpenKey();
    void rectangleOnSomeMonitor_data();
    void rectangleOnSomeMonitor();

private:
    std::unique_ptr<TTemporaryRegistryFile> m_registry;
};

void FormPlacementTest::init() {
    m_registry = std::make_unique<TTemporaryRegistryFile>();
}

void FormPlacementTest::cleanup() {
    m_registry.reset();
}

void FormPlacementTest::roundTripKeepsPositionAndSize() {
    auto form = designedForm();
    form->setGeometry(120, 90, 300, 250);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    const QRect left = form->frameGeometry();
    SaveFormPlacement(form.get());
    QCOMPARE(storedInteger("WindowState"), 0);
    QCOMPARE(storedInteger("Left"), left.left());
    QCOMPARE(storedInteger("Width"), left.width());

    auto again = designedForm();
    QVERIFY(LoadFormPlacement(again.get()));
    again->show();
    QVERIFY(QTest::qWaitForWindowExposed(again.get()));
    QCOMPARE(again->frameGeometry(), left);
}

void FormPlacementTest::missingKeyCentresAndSaysSo() {
    auto form = designedForm();
    QVERIFY(!LoadFormPlacement(form.get()));
    QCOMPARE(form->pos(), centred(DesignedSize));
    // Reading never creates the key.
    QCOMPARE(storedInteger("Left"), std::nullopt);
}

void FormPlacementTest::maximisedComesBackMaximisedOverItsDesignedPlace() {
    storeValues(integers({{"WindowState", 2}, {"Left", 40}, {"Top", 30}, {"Width", 500}}));
    auto form = designedForm();
    QVERIFY(LoadFormPlacement(form.get()));
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QVERIFY(form->isMaximized());
    QCOMPARE(form->normalGeometry().size(), DesignedSize);

    // Saved while maximised: the state, and the normal frame rectangle rather than the screen's.
    SaveFormPlacement(form.get());
    QCOMPARE(storedInteger("WindowState"), 2);
    const int frameWidth = form->frameGeometry().width() - form->width();
    QCOMPARE(storedInteger("Width").value(), DesignedSize.width() + frameWidth);
}

void FormPlacementTest::taggedFormKeepsItsDesignedSize() {
    storeValues(
        integers({{"WindowState", 0}, {"Left", 30}, {"Top", 40}, {"Width", 500}, {"Height", 300}}));
    auto form = designedForm(7);
    QVERIFY(LoadFormPlacement(form.get()));
    QCOMPARE(form->pos(), QPoint(30, 40));
    QCOMPARE(form->size(), DesignedSize);
    // Its size is still written.
    form->resize(210, 390);
    SaveFormPlacement(form.get());
    QCOMPARE(storedInteger("Width"), 210);

    // A window whose layout fixes its size writes none.
    m_registry.reset();
    m_registry = std::make_unique<TTemporaryRegistryFile>();
    auto fixed = designedForm();
    (new QVBoxLayout(fixed.get()))->setSizeConstraint(QLayout::SetFixedSize);
    SaveFormPlacement(fixed.get());
    QCOMPARE(storedInteger("Left"), 0);
    QCOMPARE(storedInteger("Width"), std::nullopt);
}

void FormPlacementTest::absurdValuesGiveAVisibleSensibleWindow_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<QRect>("stored");   // left, top, width, height as stored
    QTest::addColumn<QRect>("expected"); // the frame afterwards; a null rect: centred

    const int w = DesignedSize.width();
    const int h = DesignedSize.height();
    QTest::newRow("far right: centred") << 0 << QRect(100000, 50, 300, 200) << QRect();
    QTest::newRow("far up and left: centred") << 0 << QRect(-100000, -100000, 300, 200) << QRect();
    QTest::newRow("negative size: designed size")
        << 0 << QRect(10, 20, -50, -80) << QRect(10, 20, w, h);
    QTest::newRow("zero width: designed width")
        << 0 << QRect(10, 20, 0, 200) << QRect(10, 20, w, 200);
    // A width of 100,000 is cut to the screen's, and the window is then on the screen.
    QTest::newRow("huge size: the screen's")
        << 0 << QRect(0, 0, 100000, 100000) << QRect(QPoint(0, 0), screen().size());
    // Exactly the size of the screen and on it: stays (no re-centring of a full-screen window).
    QTest::newRow("fills the screen") << 0 << screen() << screen();
    // Touching the screen's right edge from outside: off the screen.
    QTest::newRow("just beside the screen")
        << 0 << QRect(screen().right() + 1, 0, 300, 200) << QRect();
    QTest::newRow("unknown state: normal")
        << 9 << QRect(10, 20, 300, 200) << QRect(10, 20, 300, 200);
}

void FormPlacementTest::absurdValuesGiveAVisibleSensibleWindow() {
    QFETCH(int, state);
    QFETCH(QRect, stored);
    QFETCH(QRect, expected);
    storeValues(integers({{"WindowState", state},
                          {"Left", stored.left()},
                          {"Top", stored.top()},
                          {"Width", stored.width()},
                          {"Height", stored.height()}}));
    auto form = designedForm();
    QVERIFY(LoadFormPlacement(form.get()));
    const QSize size = form->size();
    if (expected.isNull()) {
        QCOMPARE(size, QSize(300, 200));
        QCOMPARE(form->pos(), centred(size));
    } else {
        QCOMPARE(QRect(form->pos(), size), expected);
    }
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QVERIFY(RectangleOnSomeMonitor(form->frameGeometry()));
    QCOMPARE(form->windowState(), Qt::WindowNoState);
}

void FormPlacementTest::wrongTypeStopsReadingQuietly() {
    storeValues({{"Left", TRegistryValue::FromInteger(33)},
                 {"Top", TRegistryValue::FromString("forty")},
                 {"Width", TRegistryValue::FromInteger(222)}});
    auto form = designedForm();
    const QPoint designed = form->pos();
    QVERIFY(LoadFormPlacement(form.get()));
    // Left is applied with the frame moved there, the rest is not read.
    QCOMPARE(form->pos(), QPoint(33, designed.y()));
    QCOMPARE(form->size(), DesignedSize);
}

void FormPlacementTest::hooksSeeTheOpenKey() {
    auto form = designedForm();
    QString seen;
    const TPlacementHook hook = [&](const TRegistryKey& key) {
        seen += QString::fromStdString(key.Path()).section('\\', -1) + ";";
        key.SetValue("Extra", TRegistryValue::FromInteger(5));
    };
    QVERIFY(!LoadFormPlacement(form.get(), hook));
    QCOMPARE(seen, QString());
    SaveFormPlacement(form.get(), hook);
    QVERIFY(LoadFormPlacement(form.get(), hook));
    QCOMPARE(seen, FormName + ";" + FormName + ";");
    QCOMPARE(storedInteger("Extra"), 5);
}

void FormPlacementTest::rectangleOnSomeMonitor_data() {
    QTest::addColumn<QRect>("rectangle");
    QTest::addColumn<bool>("onScreen");
    const QRect m = screen();
    QTest::newRow("inside") << QRect(10, 10, 100, 100) << true;
    QTest::newRow("exactly the monitor") << m << true;
    QTest::newRow("contains the monitor") << m.adjusted(-50, -50, 50, 50) << true;
    QTest::newRow("overlaps the top-left corner") << QRect(-50, -50, 60, 60) << true;
    QTest::newRow("one pixel column inside") << QRect(m.right(), 10, 100, 100) << true;
    QTest::newRow("touches the right edge from outside")
        << QRect(m.right() + 1, 10, 100, 100) << false;
    QTest::newRow("touches the bottom edge from outside")
        << QRect(10, m.bottom() + 1, 100, 100) << false;
    QTest::newRow("far away") << QRect(3000, 3000, 100, 100) << false;
    QTest::newRow("empty, inside") << QRect(10, 10, 0, 0) << false;
}

void FormPlacementTest::rectangleOnSomeMonitor() {
    QFETCH(QRect, rectangle);
    QFETCH(bool, onScreen);
    QCOMPARE(RectangleOnSomeMonitor(rectangle), onScreen);
}

QTEST_MAIN(FormPlacementTest)
#include "FormPlacementTest.moc"
