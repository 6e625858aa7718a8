#include "services/LanguageManager.h"

#include "platform/Registry.h"
#include "services/MessageBoxes.h"
#include "services/SettingsRootKey.h"
#include "tests/platform/RegistryTestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>
#include <memory>

using namespace zentaro::platform;

namespace {

const QString LongText = QString(1200, u'a') + QString(800, u'b');

// The window the translation cases run on: one component per case, each with its designed texts
// and its numbers as the Designer layout would give them.
std::unique_ptr<QWidget> makeForm() {
    auto form = std::make_unique<QWidget>();
    form->setObjectName("formTest");
    form->setWindowTitle("Designed window");
    form->setProperty("helpContext", 600);
    auto* layout = new QVBoxLayout(form.get());

    auto add = [&](QWidget* widget, const char* name, const char* property, int number) {
        widget->setObjectName(name);
        widget->setProperty(property, number);
        layout->addWidget(widget);
    };
    auto* button = new QPushButton("Designed button");
    button->setToolTip("Designed hint");
    add(button, "btnTranslated", "helpContext", 100);
    add(new QPushButton("Button without hint"), "btnNoHint", "helpContext", 110);
    add(new QPushButton("Missing number"), "btnMissing", "helpContext", 4310);
    add(new QLabel("Designed label"), "lblTranslated", "tag", 200);
    add(new QLabel("Label with missing number"), "lblMissing", "tag", 4310);
    add(new QLabel(), "lblEmpty", "tag", 200);
    auto* line = new QLineEdit("typed by the user");
    line->setToolTip("Line hint");
    add(line, "edLine", "helpContext", 310);
    add(new QPlainTextEdit("designed memo"), "edMemo", "helpContext", 300);
    add(new QPlainTextEdit(LongText), "edLongMemo", "helpContext", 4310);
    add(new QPlainTextEdit(LongText), "edLongMemoTranslated", "helpContext", 300);
    auto* tool = new QToolButton;
    tool->setText("T");
    tool->setToolTip("Designed tool hint");
    add(tool, "tbTool", "tag", 700);
    auto* tabs = new QTabWidget;
    auto* page = new QWidget;
    page->setObjectName("tshPage");
    page->setProperty("helpContext", 800);
    tabs->addTab(page, "Designed tab");
    add(tabs, "pcPages", "helpContext", 0);

    auto* action = new QAction("Designed item", form.get());
    action->setObjectName("acItem");
    action->setStatusTip("Designed item hint");
    action->setProperty("helpContext", 400);
    auto* unnamed = new QAction("Run-time item", form.get());
    unnamed->setProperty("helpContext", 400);
    auto* dash = new QAction("-", form.get());
    dash->setObjectName("acDash");
    dash->setStatusTip("Dash hint");
    dash->setProperty("helpContext", 400);

    auto* dialog = new QFileDialog(form.get(), "Designed dialog");
    dialog->setObjectName("dlgOpen");
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setNameFilters({"Scripts (*.vex)", "Everything (*)"});
    dialog->setProperty("helpContext", 500);
    return form;
}

QString actionText(QWidget* form, const QString& text) {
    for (QAction* action : form->findChildren<QAction*>())
        if (action->property("helpContext").toInt() == 400 && action->text() == text)
            return action->text() + " | " + action->statusTip();
    return "(no such action)";
}

// Every value the cases look at, by a short name.
using TProbe = std::function<QString(QWidget* form)>;

template <class T>
T* child(QWidget* form, const char* name) {
    T* found = form->findChild<T*>(name);
    if (!found)
        qFatal("no %s", name);
    return found;
}

} // namespace

Q_DECLARE_METATYPE(TProbe)
Q_DECLARE_METATYPE(TModuleFailure)

class LanguageManagerTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void currentLanguageFromTheRegistry_data();
    void currentLanguageFromTheRegistry();
    void noModuleTranslatesNothing();
    void translateForm_data();
    void translateForm();
    void translateTextKeepsEmptyDefaults();
    void missingModuleWhileAnotherIsLoaded_data();
    void missingModuleWhileAnotherIsLoaded();
    void switchingModules();

private:
    std::unique_ptr<TTemporaryRegistryFile> m_registry;
    QStringList m_boxes;
    const TMessageBoxPresenter m_recordBox = [this](const TMessageBoxRequest& request) {
        m_boxes << QString("%1 %2 %3").arg(request.Icon).arg(request.Buttons).arg(request.Text);
        return QMessageBox::Ok;
    };
};

void LanguageManagerTest::init() {
    m_registry = std::make_unique<TTemporaryRegistryFile>();
    m_boxes.clear();
    InitializeLanguageManager();
}

void LanguageManagerTest::cleanup() {
    FinalizeLanguageManager();
    m_registry.reset();
}

void LanguageManagerTest::currentLanguageFromTheRegistry_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("type"); // 0: no value
    QTest::addColumn<int>("language");

    const QString general = QString(SettingsRootKey) + "\\General";
    QTest::newRow("no key") << QString() << 0 << 9;
    QTest::newRow("key without the value") << general << 0 << 9;
    QTest::newRow("integer 7") << general << int(TRegistryType::Integer) << 7;
    QTest::newRow("string \"7\"") << general << int(TRegistryType::String) << 9;
    QTest::newRow("binary 07 00 00 00") << general << int(TRegistryType::Binary) << 9;
    QTest::newRow("integer in another key")
        << QString(SettingsRootKey) << int(TRegistryType::Integer) << 9;
}

void LanguageManagerTest::currentLanguageFromTheRegistry() {
    QFETCH(QString, key);
    QFETCH(int, type);
    QFETCH(int, language);
    if (!key.isEmpty()) {
        TRegistryKey opened;
        QCOMPARE(TRegistryKey::CurrentUser().CreateKey(key.toStdString(), opened),
                 TRegistryStatus::Success);
        TRegistryValue value = TRegistryValue::FromInteger(7);
        if (type == int(TRegistryType::String))
            value = TRegistryValue::FromString("7");
        if (type == int(TRegistryType::Binary))
            value = TRegistryValue::FromBinary({7, 0, 0, 0});
        if (type != 0)
            QCOMPARE(opened.SetValue("Application Language", value), TRegistryStatus::Success);
    }

    InitializeLanguageManager();
    QCOMPARE(CurrentLanguage(), language);
    QVERIFY(!IsLanguageModuleLoaded());
    // The manager only reads: a missing key stays missing.
    TRegistryKey general;
    if (key.isEmpty())
        QCOMPARE(TRegistryKey::CurrentUser().OpenKey(SettingsRootKey, general),
                 TRegistryStatus::NotFound);

    QVERIFY(LoadLanguageModule("LanguageTest", 1));
    QCOMPARE(CurrentLanguage(), 1);
}

void LanguageManagerTest::noModuleTranslatesNothing() {
    QCOMPARE(GetLanguageText(4310), QString());
    QCOMPARE(GetLanguageText(100), QString());
    const std::unique_ptr<QWidget> form = makeForm();
    TranslateForm(form.get());
    QCOMPARE(form->windowTitle(), QString("Designed window"));
    QCOMPARE(child<QPushButton>(form.get(), "btnTranslated")->text(), QString("Designed button"));
    QCOMPARE(child<QPlainTextEdit>(form.get(), "edLongMemo")->toPlainText(), LongText);
    QCOMPARE(actionText(form.get(), "Designed item"),
             QString("Designed item | Designed item hint"));
}

void LanguageManagerTest::translateForm_data() {
    QTest::addColumn<TProbe>("probe");
    QTest::addColumn<QString>("expected");

    auto text = [](const char* name) {
        return TProbe([name](QWidget* f) { return child<QAbstractButton>(f, name)->text(); });
    };
    auto tip = [](const char* name) {
        return TProbe([name](QWidget* f) { return child<QWidget>(f, name)->toolTip(); });
    };
    auto label = [](const char* name) {
        return TProbe([name](QWidget* f) { return child<QLabel>(f, name)->text(); });
    };
    auto memo = [](const char* name) {
        return TProbe([name](QWidget* f) { return child<QPlainTextEdit>(f, name)->toPlainText(); });
    };

    QTest::newRow("window title") << TProbe([](QWidget* f) { return f->windowTitle(); })
                                  << "Übersetztes Fenster";
    QTest::newRow("button caption") << text("btnTranslated") << "Übersetzter Knopf";
    QTest::newRow("button hint is number + 1") << tip("btnTranslated") << "Übersetzter Hinweis";
    QTest::newRow("empty hint stays empty") << tip("btnNoHint") << "";
    QTest::newRow("missing number keeps caption") << text("btnMissing") << "Missing number";
    QTest::newRow("label by tag") << label("lblTranslated") << "Übersetztes Etikett";
    QTest::newRow("label, missing number") << label("lblMissing") << "Label with missing number";
    QTest::newRow("empty label stays empty") << label("lblEmpty") << "";
    QTest::newRow("single-line edit untouched")
        << TProbe([](QWidget* f) { return child<QLineEdit>(f, "edLine")->text(); })
        << "typed by the user";
    QTest::newRow("single-line edit hint untouched") << tip("edLine") << "Line hint";
    QTest::newRow("memo replaced") << memo("edMemo") << "Übersetztes Memo";
    QTest::newRow("2000 characters, no translation: first 1023")
        << memo("edLongMemo") << LongText.left(1023);
    QTest::newRow("2000 characters, translated")
        << memo("edLongMemoTranslated") << "Übersetztes Memo";
    QTest::newRow("tool button hint by tag") << tip("tbTool") << "Übersetzter Werkzeughinweis";
    QTest::newRow("tool button text untouched") << text("tbTool") << "T";
    QTest::newRow("tab page caption")
        << TProbe([](QWidget* f) { return child<QTabWidget>(f, "pcPages")->tabText(0); })
        << "Übersetzte Seite";
    QTest::newRow("named menu item and hint")
        << TProbe([](QWidget* f) { return actionText(f, "Übersetzter Menüpunkt"); })
        << "Übersetzter Menüpunkt | Übersetzter Menühinweis";
    QTest::newRow("unnamed menu item untouched")
        << TProbe([](QWidget* f) { return actionText(f, "Run-time item"); }) << "Run-time item | ";
    QTest::newRow("separator untouched, hint too")
        << TProbe([](QWidget* f) { return actionText(f, "-"); }) << "- | Dash hint";
    QTest::newRow("file dialog title")
        << TProbe([](QWidget* f) { return child<QFileDialog>(f, "dlgOpen")->windowTitle(); })
        << "Übersetzter Dialogtitel";
    QTest::newRow("file dialog filter is number + 1") << TProbe([](QWidget* f) {
        return child<QFileDialog>(f, "dlgOpen")->nameFilters().join(";;");
    }) << "Texte (*.txt);;Alle (*)";
}

void LanguageManagerTest::translateForm() {
    QFETCH(TProbe, probe);
    QFETCH(QString, expected);
    QVERIFY(LoadLanguageModule("LanguageTest", 1));
    const std::unique_ptr<QWidget> form = makeForm();
    TranslateForm(form.get());
    QCOMPARE(probe(form.get()), expected);
}

void LanguageManagerTest::translateTextKeepsEmptyDefaults() {
    QVERIFY(LoadLanguageModule("LanguageTest", 1));
    QCOMPARE(TranslateText(100, "default"), QString("Übersetzter Knopf"));
    QCOMPARE(TranslateText(100, QString()), QString());
    QCOMPARE(TranslateText(4310, "default"), QString("default"));
    QCOMPARE(GetLanguageText(100), QString("Übersetzter Knopf"));
    // A missing number is a missing text, never the number itself.
    QCOMPARE(GetLanguageText(4310), QString());
    QCOMPARE(GetLanguageText(0), QString());
}

void LanguageManagerTest::missingModuleWhileAnotherIsLoaded_data() {
    QTest::addColumn<TModuleFailure>("onFailure");
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("error box") << TModuleFailure::ShowErrorBox
                               << QStringList{QString("%1 %2 Language module LanguageTest5.qm "
                                                      "could not be located")
                                                  .arg(QMessageBox::Critical)
                                                  .arg(QMessageBox::Ok)};
    QTest::newRow("quiet") << TModuleFailure::Quiet << QStringList();
}

void LanguageManagerTest::missingModuleWhileAnotherIsLoaded() {
    QFETCH(TModuleFailure, onFailure);
    QFETCH(QStringList, boxes);
    QVERIFY(LoadLanguageModule("LanguageTest", 1));
    QCOMPARE(GetLanguageText(100), QString("Übersetzter Knopf"));

    QVERIFY(!LoadLanguageModule("LanguageTest", 5, onFailure, m_recordBox));

    QCOMPARE(m_boxes, boxes);
    QVERIFY(!IsLanguageModuleLoaded());
    QCOMPARE(GetLanguageText(100), QString());
    QCOMPARE(CurrentLanguage(), 1);
    const std::unique_ptr<QWidget> form = makeForm();
    TranslateForm(form.get());
    QCOMPARE(child<QPushButton>(form.get(), "btnTranslated")->text(), QString("Designed button"));
}

void LanguageManagerTest::switchingModules() {
    QCOMPARE(LanguageModuleDirectories().value(0), QCoreApplication::applicationDirPath());
    QVERIFY(LoadLanguageModule("LanguageTest", 1, TModuleFailure::ShowErrorBox, m_recordBox));
    QVERIFY(LoadLanguageModule("LanguageTest", 2, TModuleFailure::ShowErrorBox, m_recordBox));
    QCOMPARE(CurrentLanguage(), 2);
    QCOMPARE(GetLanguageText(100), QString("Bouton traduit"));
    // Nothing of the first module is left.
    QCOMPARE(GetLanguageText(200), QString());
    QVERIFY(m_boxes.isEmpty());
}

QTEST_MAIN(LanguageManagerTest)
#include "LanguageManagerTest.moc"
