#include "platform/Registry.h"

#include "RegistryTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

using namespace zentaro::platform;

namespace {

constexpr auto Success = TRegistryStatus::Success;
constexpr auto NotFound = TRegistryStatus::NotFound;
constexpr auto NoMoreItems = TRegistryStatus::NoMoreItems;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TRegistryKey Create(std::string_view path) {
    TRegistryKey key;
    EXPECT_EQ(TRegistryKey::CurrentUser().CreateKey(path, key), Success) << path;
    return key;
}

bool Exists(std::string_view path) {
    TRegistryKey key;
    return TRegistryKey::CurrentUser().OpenKey(path, key) == Success;
}

std::vector<std::string> SubKeyNames(const TRegistryKey& key) {
    std::vector<std::string> names;
    std::string name;
    int index = 0;
    while (key.EnumKey(index++, name) == Success)
        names.push_back(name);
    EXPECT_EQ(key.EnumKey(index - 1, name), NoMoreItems);
    return names;
}

std::vector<std::string> ValueNames(const TRegistryKey& key) {
    std::vector<std::string> names;
    std::string name;
    TRegistryValue value;
    int index = 0;
    while (key.EnumValue(index++, name, value) == Success)
        names.push_back(name);
    EXPECT_EQ(key.EnumValue(index - 1, name, value), NoMoreItems);
    return names;
}

class RegistryTest : public ::testing::Test {
protected:
    void TearDown() override {
        TRegistryKey::EndCurrentUserOverride();
        TRegistryStore::Instance().SetDamageReporter({});
    }

    TTemporaryRegistryFile m_file;
};

} // namespace

TEST_F(RegistryTest, ValuesKeepTheirTypeAcrossTheFile) {
    const TRegistryKey key = Create("Software\\Velmark Zentaro\\Zentaro\\8.0\\General");
    const TRegistryNamedValue rows[] = {
        {"Application Language", TRegistryValue::FromInteger(7)},
        {"Negative", TRegistryValue::FromInteger(static_cast<std::uint32_t>(-5))},
        {"Title", TRegistryValue::FromString("Zentaro \"8\" \\ caf\xC3\xA9")},
        {"Lines", TRegistryValue::FromString("one\r\ntwo")},
        {"Home", TRegistryValue::FromExpandString("%HOME%/models")},
        {"Blob", TRegistryValue::FromBinary({0, 1, 2, 0xFE, 0xFF})},
        {"", TRegistryValue::FromString("default")},
    };
    for (const auto& row : rows)
        ASSERT_EQ(key.SetValue(row.Name, row.Value), Success) << row.Name;

    // A second copy of the file read from scratch: what another process sees.
    const std::string copy = m_file.Directory() + "/copy.reg";
    WriteFile(copy, ReadFile(m_file.File()));
    ::setenv("ZENTARO_REGISTRY_FILE", copy.c_str(), 1);

    TRegistryKey reopened;
    ASSERT_EQ(TRegistryKey::CurrentUser().OpenKey(
                  "software\\VELMARK ZENTARO\\Zentaro\\8.0\\general", reopened),
              Success);
    for (const auto& row : rows) {
        TRegistryValue value;
        ASSERT_EQ(reopened.QueryValue(row.Name, value), Success) << row.Name;
        EXPECT_EQ(value, row.Value) << row.Name;
    }
    TRegistryValue value;
    EXPECT_EQ(reopened.QueryValue("Missing", value), NotFound);
}

TEST_F(RegistryTest, OpeningAMissingKeyCreatesNothing) {
    TRegistryKey key;
    EXPECT_EQ(TRegistryKey::CurrentUser().OpenKey("Software\\Velmark Zentaro", key), NotFound);
    EXPECT_FALSE(key.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(m_file.File()));

    Create("Software");
    EXPECT_EQ(TRegistryKey::CurrentUser().OpenKey("Software\\Velmark Zentaro", key), NotFound);
    EXPECT_EQ(ReadFile(m_file.File()),
              "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software]\n");
}

TEST_F(RegistryTest, InvalidNamesAreRefused) {
    const TRegistryKey root = TRegistryKey::CurrentUser();
    TRegistryKey key;
    for (const std::string& path :
         std::vector<std::string>{"a\\\\b", "\\a", "a\\", std::string(256, 'k'), "a\nb"})
        EXPECT_EQ(root.CreateKey(path, key), TRegistryStatus::InvalidName) << path;
    const TRegistryKey general = Create("General");
    EXPECT_EQ(general.SetValue("a\nb", TRegistryValue::FromInteger(1)),
              TRegistryStatus::InvalidName);
    EXPECT_EQ(general.SetValue("Bad", TRegistryValue::FromString("\xFF")),
              TRegistryStatus::InvalidValue);
    EXPECT_TRUE(ValueNames(general).empty());
}

TEST_F(RegistryTest, SubKeysEnumerateByNameValuesByFirstSetting) {
    const TRegistryKey key = Create("Order");
    for (const char* name : {"beta", "Alpha", "gamma", "ALPHA\\Inner", "Delta"})
        Create(std::string("Order\\") + name);
    for (const char* name : {"Zulu", "alpha", "Mike"})
        ASSERT_EQ(key.SetValue(name, TRegistryValue::FromInteger(1)), Success);
    // Setting an existing value again, under another spelling, keeps its place and its name.
    ASSERT_EQ(key.SetValue("ZULU", TRegistryValue::FromString("again")), Success);

    EXPECT_EQ(SubKeyNames(key), (std::vector<std::string>{"Alpha", "beta", "Delta", "gamma"}));
    EXPECT_EQ(ValueNames(key), (std::vector<std::string>{"Zulu", "alpha", "Mike"}));
    TRegistryValue value;
    ASSERT_EQ(key.QueryValue("zulu", value), Success);
    EXPECT_EQ(value, TRegistryValue::FromString("again"));

    ASSERT_EQ(key.DeleteValue("ALPHA"), Success);
    EXPECT_EQ(key.DeleteValue("alpha"), NotFound);
    EXPECT_EQ(ValueNames(key), (std::vector<std::string>{"Zulu", "Mike"}));
}

TEST_F(RegistryTest, DeleteTreeRemovesEverythingBelowAndNothingBeside) {
    const TRegistryKey root = TRegistryKey::CurrentUser();
    const TRegistryKey doomed = Create("Top\\Doomed\\Child\\Grandchild");
    ASSERT_EQ(doomed.SetValue("v", TRegistryValue::FromInteger(1)), Success);
    const TRegistryKey sibling = Create("Top\\Sibling");
    ASSERT_EQ(sibling.SetValue("kept", TRegistryValue::FromInteger(2)), Success);

    ASSERT_EQ(root.DeleteTree("top\\doomed"), Success);

    EXPECT_FALSE(Exists("Top\\Doomed"));
    EXPECT_TRUE(Exists("Top\\Sibling"));
    TRegistryValue value;
    EXPECT_EQ(sibling.QueryValue("kept", value), Success);
    // A handle to a deleted key finds nothing, and writing through it recreates nothing.
    EXPECT_EQ(doomed.QueryValue("v", value), NotFound);
    EXPECT_EQ(doomed.SetValue("v", TRegistryValue::FromInteger(3)), NotFound);
    EXPECT_FALSE(Exists("Top\\Doomed"));
    EXPECT_EQ(root.DeleteTree("Top\\Doomed"), NotFound);

    // An empty path empties the key itself but keeps it.
    const TRegistryKey top = Create("Top");
    ASSERT_EQ(top.SetValue("x", TRegistryValue::FromInteger(1)), Success);
    ASSERT_EQ(top.DeleteTree(""), Success);
    EXPECT_TRUE(Exists("Top"));
    EXPECT_TRUE(SubKeyNames(top).empty());
    EXPECT_TRUE(ValueNames(top).empty());
}

// Every operation through a handle that was never opened, or whose key has been deleted since,
// finds nothing and creates nothing; enumeration outside the items ends.
TEST_F(RegistryTest, UnopenedAndDeletedKeysFindNothing) {
    const TRegistryKey general = Create("Top\\General");
    ASSERT_EQ(general.SetValue("v", TRegistryValue::FromInteger(1)), Success);
    std::string name;
    TRegistryValue value;
    EXPECT_EQ(general.EnumKey(-1, name), NoMoreItems);
    EXPECT_EQ(general.EnumValue(-1, name, value), NoMoreItems);
    EXPECT_EQ(general.EnumValue(1, name, value), NoMoreItems);
    ASSERT_EQ(TRegistryKey::CurrentUser().DeleteTree("Top\\General"), Success);

    for (const TRegistryKey& key : {TRegistryKey(), general}) {
        TRegistryKey opened;
        EXPECT_EQ(key.OpenKey("", opened), NotFound);
        EXPECT_EQ(key.CreateKey("Child", opened), NotFound);
        EXPECT_FALSE(opened.IsOpen());
        EXPECT_EQ(key.QueryValue("v", value), NotFound);
        EXPECT_EQ(key.SetValue("v", TRegistryValue::FromInteger(2)), NotFound);
        EXPECT_EQ(key.DeleteValue("v"), NotFound);
        EXPECT_EQ(key.EnumKey(0, name), NotFound);
        EXPECT_EQ(key.EnumValue(0, name, value), NotFound);
        EXPECT_EQ(key.DeleteTree(""), NotFound);
        EXPECT_EQ(TRegistryKey::OverrideCurrentUser(key), NotFound);
    }
    EXPECT_EQ(TRegistryKey().SetValue("a\nb", TRegistryValue::FromInteger(1)), NotFound);
    EXPECT_EQ(SubKeyNames(Create("Top")), std::vector<std::string>{});
}

TEST_F(RegistryTest, RedirectionMovesTheCurrentUserRootUntilItEnds) {
    const TRegistryKey realGeneral = Create("Software\\General");
    ASSERT_EQ(realGeneral.SetValue("Where", TRegistryValue::FromString("real")), Success);
    const TRegistryKey priv = Create("Private");

    ASSERT_EQ(TRegistryKey::OverrideCurrentUser(priv), Success);
    // Through the root: the private key. Through a handle opened before: still the real key.
    EXPECT_FALSE(Exists("Software\\General"));
    const TRegistryKey redirected = Create("Software\\General");
    ASSERT_EQ(redirected.SetValue("Where", TRegistryValue::FromString("private")), Success);
    EXPECT_EQ(redirected.Path(), "Private\\Software\\General");
    TRegistryValue value;
    ASSERT_EQ(realGeneral.QueryValue("Where", value), Success);
    EXPECT_EQ(value.Text, "real");

    TRegistryKey::EndCurrentUserOverride();
    ASSERT_TRUE(Exists("Software\\General"));
    TRegistryKey general;
    ASSERT_EQ(TRegistryKey::CurrentUser().OpenKey("Software\\General", general), Success);
    ASSERT_EQ(general.QueryValue("Where", value), Success);
    EXPECT_EQ(value.Text, "real");
    ASSERT_EQ(TRegistryKey::CurrentUser().OpenKey("Private\\Software\\General", general), Success);
    ASSERT_EQ(general.QueryValue("Where", value), Success);
    EXPECT_EQ(value.Text, "private");

    // The private key deleted after the redirection ended, as the file dialogs do.
    ASSERT_EQ(TRegistryKey::CurrentUser().DeleteTree("Private"), Success);
    EXPECT_EQ(SubKeyNames(TRegistryKey::CurrentUser()), std::vector<std::string>{"Software"});
    EXPECT_EQ(TRegistryKey::OverrideCurrentUser(priv), NotFound);
}

TEST_F(RegistryTest, ChangesMadeByAnotherProcessAreSeen) {
    const TRegistryKey key = Create("General");
    ASSERT_EQ(key.SetValue("Application Language", TRegistryValue::FromInteger(9)), Success);
    WriteFile(m_file.File(), "Windows Registry Editor Version 5.00\n\n"
                             "[HKEY_CURRENT_USER\\General]\n"
                             "\"Application Language\"=dword:00000007\n"
                             "\"Added\"=\"elsewhere\"\n");
    TRegistryValue value;
    ASSERT_EQ(key.QueryValue("Application Language", value), Success);
    EXPECT_EQ(value.Integer, 7u);
    EXPECT_EQ(ValueNames(key), (std::vector<std::string>{"Application Language", "Added"}));
}

TEST_F(RegistryTest, TwoWritingProcessesLoseNothing) {
    constexpr int Count = 60;
    const std::string count = std::to_string(Count);
    const char* writer = ZENTARO_REGISTRY_WRITER;
    std::vector<pid_t> children;
    for (const char* prefix : {"first", "second"}) {
        const char* argv[] = {writer, m_file.File().c_str(), "Shared\\Key",
                              prefix, count.c_str(),         nullptr};
        pid_t pid = 0;
        ASSERT_EQ(::posix_spawn(&pid, writer, nullptr, nullptr, const_cast<char**>(argv), environ),
                  0);
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    TRegistryKey key;
    ASSERT_EQ(TRegistryKey::CurrentUser().OpenKey("Shared\\Key", key), Success);
    const std::vector<std::string> names = ValueNames(key);
    EXPECT_EQ(names.size(), 2u * Count);
    for (const char* prefix : {"first", "second"}) {
        for (int i = 0; i < Count; ++i) {
            TRegistryValue value;
            const std::string name = prefix + std::to_string(i);
            ASSERT_EQ(key.QueryValue(name, value), Success) << name;
            EXPECT_EQ(value, TRegistryValue::FromInteger(static_cast<std::uint32_t>(i)));
        }
    }
    // No temporary file is left behind: the directory holds the file and its lock.
    for (const auto& entry : std::filesystem::directory_iterator(m_file.Directory()))
        EXPECT_TRUE(entry.path() == m_file.File() || entry.path() == m_file.File() + ".lock")
            << entry.path();
}

TEST_F(RegistryTest, DamagedFileIsKeptAsideReportedOnceAndDefaultsAreUsed) {
    std::vector<std::string> reports;
    TRegistryStore::Instance().SetDamageReporter(
        [&](const std::string& message) { reports.push_back(message); });
    const std::string damaged = "Windows Registry Editor Version 5.00\n\n"
                                "[HKEY_CURRENT_USER\\General]\n"
                                "\"Application Language\"=dword:0000000\n";
    WriteFile(m_file.File(), damaged);

    // Readers get their defaults, as often as they ask.
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(Exists("General"));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("line 4"), std::string::npos) << reports[0];
    EXPECT_NE(reports[0].find(m_file.File() + ".damaged"), std::string::npos) << reports[0];
    EXPECT_EQ(ReadFile(m_file.File() + ".damaged"), damaged);

    // Writing starts a sound file; the damaged one stays where it was put.
    const TRegistryKey key = Create("General");
    ASSERT_EQ(key.SetValue("Application Language", TRegistryValue::FromInteger(7)), Success);
    EXPECT_EQ(ReadFile(m_file.File() + ".damaged"), damaged);
    EXPECT_EQ(reports.size(), 1u);

    // A second damage does not replace the first copy.
    WriteFile(m_file.File(), "not a registry file\n");
    TRegistryValue value;
    EXPECT_EQ(key.QueryValue("Application Language", value), NotFound);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(ReadFile(m_file.File() + ".damaged"), damaged);
    EXPECT_EQ(ReadFile(m_file.File() + ".damaged.1"), "not a registry file\n");
}

TEST_F(RegistryTest, DamagedFileFoundByAWriterIsNotOverwrittenWithoutBeingKept) {
    std::vector<std::string> reports;
    TRegistryStore::Instance().SetDamageReporter(
        [&](const std::string& message) { reports.push_back(message); });
    const std::string junk("\0\1 binary junk", 15);
    WriteFile(m_file.File(), junk);

    // The first access is a write: it still sets the damaged file aside before writing.
    Create("General");
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(ReadFile(m_file.File() + ".damaged"), junk);
    EXPECT_TRUE(Exists("General"));
}
