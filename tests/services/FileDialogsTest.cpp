#include "services/FileDialogs.h"

#include "platform/Registry.h"
#include "services/ZTPlaces.h"
#include "tests/platform/RegistryTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <memory>

using namespace zentaro::platform;

namespace {

// A home folder of the test's own, so that documents and desktop are folders it knows.
const QStringList HomeFolders = {"Documents", "Desktop", "prefs", "models", "Models"};

// A value of the places-bar policy: "s:<folder below home>", "r:<text as written>",
// "x:<expandable text>", "i:<number>", or "b:" for a binary value.
TRegistryValue placeValue(const QString& place, const QString& home) {
    const QString data = place.mid(2);
    switch (place.front().unicode()) {
    case 's':
        return TRegistryValue::FromString((home + '/' + data).toStdString());
    case 'r':
        return TRegistryValue::FromString(data.toStdString());
    case 'x':
        return TRegistryValue::FromExpandString(data.toStdString());
    case 'i':
        return TRegistryValue::FromInteger(data.toUInt());
    default:
        return TRegistryValue::FromBinary({1, 2, 3});
    }
}

void listPlaces(const QStringList& places, const QString& home) {
    TRegistryKey key;
    QCOMPARE(TRegistryKey::CurrentUser().CreateKey(TZTPlaces::PolicyKey, key),
             TRegistryStatus::Success);
    for (qsizetype index = 0; index < places.size(); ++index)
        QCOMPARE(key.SetValue("Place" + std::to_string(index), placeValue(places[index], home)),
                 TRegistryStatus::Success);
}

} // namespace

class FileDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void placesBarShowsListedPlacesThenTheHostsFolders_data();
    void placesBarShowsListedPlacesThenTheHostsFolders();
    void damagedSettingsFileGivesTheDefaultPlacesAndIsKept();
    void shownDialogHasThePlacesAndQtKeepsItsOwnSidebar_data();
    void shownDialogHasThePlacesAndQtKeepsItsOwnSidebar();
    void startFolderThatNoLongerExistsGivesWayToItsParent();

private:
    QString path(const QString& relative) const { return m_home.path() + '/' + relative; }
    // A place as the test names it: its path below home ("~" for home), or "Computer".
    QStringList names(const QList<QUrl>& places) const;

    std::unique_ptr<TTemporaryRegistryFile> m_registry;
    QTemporaryDir m_home;
    QByteArray m_previousHome;
    bool m_placesBarOn = false;
    QString m_preferred;
    QString m_modelFile;
    QList<TFileDialogRequest> m_requests;
    QString m_choice;
    TFileDialogServices m_services;
};

void FileDialogsTest::init() {
    m_registry = std::make_unique<TTemporaryRegistryFile>();
    QVERIFY(m_home.isValid());
    for (const QString& folder : HomeFolders)
        QVERIFY(QDir(m_home.path()).mkpath(folder));
    m_previousHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(m_home.path()));
    m_placesBarOn = true;
    m_preferred = path("prefs");
    m_modelFile = path("models/bank.vex");
    m_requests.clear();
    m_choice.clear();
    const auto record = [this](const TFileDialogRequest& request) {
        m_requests << request;
        return m_choice;
    };
    m_services = {record,
                  record,
                  {[this] { return m_placesBarOn; }, [this] { return m_preferred; },
                   [this] { return m_modelFile; }}};
}

void FileDialogsTest::cleanup() {
    qputenv("HOME", m_previousHome);
    m_registry.reset();
}

QStringList FileDialogsTest::names(const QList<QUrl>& places) const {
    QStringList shown;
    for (const QUrl& place : places)
        shown << (place == QUrl("file:") ? QString("Computer")
                  : place.toLocalFile() == m_home.path()
                      ? QString("~")
                      : QDir(m_home.path()).relativeFilePath(place.toLocalFile()));
    return shown;
}

void FileDialogsTest::placesBarShowsListedPlacesThenTheHostsFolders_data() {
    QTest::addColumn<bool>("on");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("preferred"); // below home; empty: none
    QTest::addColumn<QString>("model");     // below home; empty: no model file
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("off: Qt's own sidebar") << false << QStringList{"s:prefs"} << "prefs"
                                           << "models/bank.vex" << QStringList{};
    // The network has no counterpart here.
    QTest::newRow("nothing listed: documents, desktop, preferred folder, model folder")
        << true << QStringList{} << "prefs"
        << "models/bank.vex" << QStringList{"Documents", "Desktop", "prefs", "models"};
    QTest::newRow("preferred folder is the model's: offered once")
        << true << QStringList{} << "models/"
        << "models/../models/bank.vex" << QStringList{"Documents", "Desktop", "models"};
    QTest::newRow("folders that do not exist, no model: left out")
        << true << QStringList{} << "gone"
        << "" << QStringList{"Documents", "Desktop"};
    QTest::newRow("listed places replace the defaults, in their order")
        << true << QStringList{"s:models", "i:40", "i:17", "i:5"} << "prefs"
        << "" << QStringList{"models", "~", "Computer", "Documents", "prefs"};
    QTest::newRow("another type, a missing or relative folder, unknown numbers: left out")
        << true << QStringList{"s:prefs", "b:", "s:gone", "r:models", "i:18", "i:999", "s:Desktop"}
        << ""
        << "" << QStringList{"prefs", "Desktop"};
    QTest::newRow("expandable text takes the environment")
        << true << QStringList{"x:%ZT_TEST_PLACES%/models", "x:%ZT_TEST_UNSET%/models"} << ""
        << "" << QStringList{"models"};
    QTest::newRow("one folder under two spellings once; names differing in case are two")
        << true << QStringList{"s:models", "s:prefs/../models/"} << "Models"
        << "models/bank.vex" << QStringList{"models", "Models"};
}

void FileDialogsTest::placesBarShowsListedPlacesThenTheHostsFolders() {
    QFETCH(bool, on);
    QFETCH(QStringList, listed);
    QFETCH(QString, preferred);
    QFETCH(QString, model);
    QFETCH(QStringList, shown);
    qputenv("ZT_TEST_PLACES", QFile::encodeName(m_home.path()));
    if (!listed.isEmpty())
        listPlaces(listed, m_home.path());
    m_placesBarOn = on;
    m_preferred = preferred.isEmpty() ? QString() : path(preferred);
    m_modelFile = model.isEmpty() ? QString() : path(model);

    QVERIFY(showOpenFileDialog(m_services, {}).isEmpty());
    QVERIFY(showSaveFileDialog(m_services, {}).isEmpty());
    QCOMPARE(m_requests.size(), 2);
    QCOMPARE(names(m_requests[0].Places), shown);
    QCOMPARE(names(m_requests[1].Places), shown);
}

// The settings file is set aside whole and reported; the dialog offers the default places.
void FileDialogsTest::damagedSettingsFileGivesTheDefaultPlacesAndIsKept() {
    const QByteArray damaged = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Soft";
    QFile file(QString::fromStdString(m_registry->File()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(damaged);
    file.close();
    QStringList reports;
    TRegistryStore::Instance().SetDamageReporter(
        [&reports](const std::string& message) { reports << QString::fromStdString(message); });

    QVERIFY(showOpenFileDialog(m_services, {}).isEmpty());
    TRegistryStore::Instance().SetDamageReporter({});
    QCOMPARE(names(m_requests.value(0).Places),
             (QStringList{"Documents", "Desktop", "prefs", "models"}));
    QCOMPARE(reports.size(), 1);
    QFile aside(file.fileName() + ".damaged");
    QVERIFY(aside.open(QIODevice::ReadOnly));
    QCOMPARE(aside.readAll(), damaged);
    QVERIFY(!file.exists()); // reading wrote nothing
}

void FileDialogsTest::shownDialogHasThePlacesAndQtKeepsItsOwnSidebar_data() {
    QTest::addColumn<bool>("on");
    QTest::newRow("places bar") << true;
    QTest::newRow("plain dialog") << false;
}

// Qt's dialog, shown: its sidebar is the places bar while it is open. Qt remembers a dialog's
// sidebar for the next one, so afterwards a plain dialog's sidebar is what it was before, with a
// folder the person added meanwhile. Leaves FileDialogs-places.png to look at.
void FileDialogsTest::shownDialogHasThePlacesAndQtKeepsItsOwnSidebar() {
    QFETCH(bool, on);
    m_services.Open = {};
    m_placesBarOn = on;
    const QList<QUrl> before = {QUrl("file:"), QUrl::fromLocalFile(m_home.path())};
    {
        QFileDialog plain; // shown, so that Qt also remembers a sidebar width of its own
        plain.setSidebarUrls(before);
        plain.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plain));
    }
    QFile model(path("models/bank.vex"));
    QVERIFY(model.open(QIODevice::WriteOnly));
    model.close();
    const QUrl added = QUrl::fromLocalFile(path("Models"));

    QList<QUrl> shown;
    bool listed = false;
    int sidebarWidth = 0;
    int widestPlace = 0;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        const auto* files = dialog->findChild<QTreeView*>("treeView");
        listed = QTest::qWaitFor([&] { return files->model()->rowCount(files->rootIndex()) > 0; });
        shown = dialog->sidebarUrls();
        const auto* sidebar = dialog->findChild<QListView*>("sidebar");
        sidebarWidth = sidebar->viewport()->width();
        widestPlace = sidebar->sizeHintForColumn(0);
        if (on)
            dialog->grab().save(ZENTARO_TEST_OUTPUT_DIR "/FileDialogs-places.png");
        dialog->setSidebarUrls(dialog->sidebarUrls() << added);
        dialog->reject();
    });
    {
        TZTOpenDialog dialog(m_services,
                             {nullptr, {}, {}, "VexScript files (*.vex)", path("models")});
        QVERIFY(!dialog.Execute());
        QCOMPARE(dialog.FileName(), QString());
    }

    QVERIFY(listed);
    if (on) {
        QCOMPARE(names(shown), (QStringList{"Documents", "Desktop", "prefs", "models"}));
        QVERIFY2(sidebarWidth >= widestPlace,
                 qPrintable(QString("%1 < %2").arg(sidebarWidth).arg(widestPlace)));
    } else
        QCOMPARE(shown, before);
    QCOMPARE(QFileDialog().sidebarUrls(), QList<QUrl>(before) << added);
}

// The folder asked for, else the folder of the file last chosen; each, when it no longer exists,
// gives way to its nearest existing parent. A cancelled dialog changes nothing.
void FileDialogsTest::startFolderThatNoLongerExistsGivesWayToItsParent() {
    QVERIFY(QDir(m_home.path()).mkpath("models/runs/old"));
    m_choice = path("models/runs/old/day1.vex");
    TZTSaveDialog first(m_services, {nullptr, {}, {}, {}, path("models/runs/old/deleted/deeper")});
    QVERIFY(first.Execute());
    QCOMPARE(first.FileName(), m_choice);

    m_choice.clear();
    QVERIFY(showOpenFileDialog(m_services, {}).isEmpty());
    QVERIFY(QDir(path("models/runs/old")).removeRecursively());
    QVERIFY(showOpenFileDialog(m_services, {}).isEmpty());
    QVERIFY(showOpenFileDialog(m_services, {nullptr, {}, {}, {}, path("prefs")}).isEmpty());

    QCOMPARE(m_requests.size(), 4);
    QCOMPARE(m_requests[0].Directory, path("models/runs/old"));
    QCOMPARE(m_requests[1].Directory, path("models/runs/old"));
    QCOMPARE(m_requests[2].Directory, path("models/runs"));
    QCOMPARE(m_requests[3].Directory, path("prefs"));
}

QTEST_MAIN(FileDialogsTest)
#include "FileDialogsTest.moc"
