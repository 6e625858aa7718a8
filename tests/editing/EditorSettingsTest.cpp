#include "editing/EditorSettings.h"
#include "platform/Registry.h"
#include "services/SettingsRootKey.h"
#include "tests/platform/RegistryTestSupport.h"

#include <QTest>

#include <memory>
#include <set>

using namespace zentaro::platform;

namespace {

TRegistryKey createKey(const std::string& path) {
    TRegistryKey key;
    TRegistryKey::CurrentUser().CreateKey(path, key);
    return key;
}

} // namespace

class EditorSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_registry = std::make_unique<TTemporaryRegistryFile>(); }
    void cleanup() { m_registry.reset(); }

    void defaultsGiveEachClassItsOwnColourOnWhite();
    void withoutTheKeyTheDefaultsHoldAndNothingIsCreated();
    void writtenSettingsReadBack();
    void valuesOfAnotherTypeKeepTheirDefaults();
    void highlightColour_data();
    void highlightColour();

private:
    std::unique_ptr<TTemporaryRegistryFile> m_registry;
};

void EditorSettingsTest::defaultsGiveEachClassItsOwnColourOnWhite() {
    const TStyleTable colors = TEditorSettings::DefaultColors();
    const TColor background = colors[scBackground].TextColor;
    QCOMPARE(background, TColor(0xFFFFFF));
    std::set<TColor> seen;
    for (int styleClass = scWord; styleClass < kStyleClassCount; ++styleClass) {
        const TColor color = colors[std::size_t(styleClass)].TextColor;
        QVERIFY2(seen.insert(color).second, qPrintable(QString::number(styleClass)));
        // Dark enough to read on white: no channel sum near white.
        const int sum = int(color & 0xFF) + int(color >> 8 & 0xFF) + int(color >> 16 & 0xFF);
        QVERIFY2(sum < 3 * 200, qPrintable(QString::number(styleClass)));
    }
}

void EditorSettingsTest::withoutTheKeyTheDefaultsHoldAndNothingIsCreated() {
    QCOMPARE(ReadEditorSettings(), TEditorSettings());
    TRegistryKey key;
    QCOMPARE(TRegistryKey::CurrentUser().OpenKey(SettingsRootKey, key), TRegistryStatus::NotFound);
}

void EditorSettingsTest::writtenSettingsReadBack() {
    TEditorSettings settings;
    settings.Colors[scComment] = {0x123456, 0x654321};
    settings.IndentWidth = 4;
    settings.CompletionMinLength = 2;
    settings.CompletionDelay = 250;
    settings.AutoCloseBrackets = true;
    settings.BracketBackspace = false;
    settings.FontName = "Liberation Mono";
    settings.FontSize = 12;
    settings.FontStyle = 3;
    settings.CompleteInTexts = true;
    settings.DepthColors = true;
    QVERIFY(WriteEditorSettings(settings));
    QCOMPARE(ReadEditorSettings(), settings);
}

void EditorSettingsTest::valuesOfAnotherTypeKeepTheirDefaults() {
    const TRegistryKey key = createKey(std::string(SettingsRootKey) + "\\Editor");
    key.SetValue("Indent Width", TRegistryValue::FromString("4"));
    key.SetValue("Font Name", TRegistryValue::FromInteger(3));
    key.SetValue("Text Color 3", TRegistryValue::FromInteger(0xFF00FF00));
    key.SetValue("Depth Colors", TRegistryValue::FromInteger(1));
    const TEditorSettings settings = ReadEditorSettings();
    QCOMPARE(settings.IndentWidth, TEditorSettings().IndentWidth);
    QCOMPARE(settings.FontName, TEditorSettings().FontName);
    QCOMPARE(settings.Colors[scComment].TextColor, TColor(0x00FF00)); // the high byte is no colour
    QVERIFY(settings.DepthColors);
}

void EditorSettingsTest::highlightColour_data() {
    QTest::addColumn<QString>("value"); // empty: no value
    QTest::addColumn<quint32>("color");
    QTest::newRow("missing") << QString() << quint32(0);
    QTest::newRow("red green blue") << "51 153 255" << quint32(0xFF9933);
    QTest::newRow("two numbers") << "51 153" << quint32(0);
    QTest::newRow("not a number") << "blue" << quint32(0);
}

void EditorSettingsTest::highlightColour() {
    QFETCH(QString, value);
    QFETCH(quint32, color);
    if (!value.isEmpty())
        createKey("Control Panel\\Colors")
            .SetValue("Hilight", TRegistryValue::FromString(value.toStdString()));
    QCOMPARE(SystemHighlightColor(), TColor(color));
}

QTEST_GUILESS_MAIN(EditorSettingsTest)
#include "EditorSettingsTest.moc"
