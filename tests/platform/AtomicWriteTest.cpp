// Replacing a file whole: the new contents or the old file, never a part, and no temporary file
// left behind either way.

#include "platform/AtomicWrite.h"
#include "tests/platform/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include <sys/stat.h>

using namespace zentaro::platform;
namespace fs = std::filesystem;

namespace {

class AtomicWriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zentaro-write-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_directory = pattern;
    }
    void TearDown() override { fs::remove_all(m_directory); }

    std::string PathOf(const std::string& name) const { return (m_directory / name).string(); }

    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void Write(const std::string& path, const std::string& contents) {
        std::ofstream(path, std::ios::binary) << contents;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_directory))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static fs::perms Permissions(const std::string& path) {
        return fs::status(path).permissions() & fs::perms::all;
    }

    fs::path m_directory;
};

TEST_F(AtomicWriteTest, WritesANewFileWithItsModeLessTheUmask) {
    const mode_t previous = ::umask(022);
    const TWriteResult result =
        WriteFileAtomically(PathOf("new.txt"), std::string("a\0b", 3), 0666);
    const TWriteResult secret = WriteFileAtomically(PathOf("secret.txt"), "s", 0600);
    ::umask(previous);
    ASSERT_TRUE(result) << result.Error.message();
    ASSERT_TRUE(secret) << secret.Error.message();
    EXPECT_EQ(Read(PathOf("new.txt")), std::string("a\0b", 3));
    EXPECT_EQ(Permissions(PathOf("new.txt")), fs::perms::owner_read | fs::perms::owner_write |
                                                  fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(Permissions(PathOf("secret.txt")), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Names(), (std::vector<std::string>{"new.txt", "secret.txt"}));
}

TEST_F(AtomicWriteTest, ReplacesTheWholeFileAndKeepsItsPermissions) {
    const std::string path = PathOf("kept.txt");
    Write(path, "a long first version of the file");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WriteFileAtomically(path, "short", 0666));
    EXPECT_EQ(Read(path), "short");
    EXPECT_EQ(Permissions(path),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // A file in the current directory, named without a folder.
    const fs::path before = fs::current_path();
    fs::current_path(m_directory);
    const TWriteResult relative = WriteFileAtomically("kept.txt", "relative", 0666);
    fs::current_path(before);
    ASSERT_TRUE(relative) << relative.Error.message();
    EXPECT_EQ(Read(path), "relative");
    EXPECT_EQ(Names(), (std::vector<std::string>{"kept.txt"}));
}

// Every step can fail; each time the old file (or the thing in its place) stays as it was and the
// temporary file is gone. None of the failures depends on permissions, so they fail for root too.
TEST_F(AtomicWriteTest, AFailureKeepsTheOldFileAndLeavesNoTemporaryFile) {
    Write(PathOf("plain"), "old contents");
    fs::create_directory(PathOf("folder"));
    Write(PathOf("folder/inside"), "x");
    const std::vector<std::string> before = Names();
    struct {
        const char* Case;
        std::string Path;
        std::size_t SizeLimit; // 0: none
        TWriteStep Step;
        std::errc Error;
    } const rows[] = {
        {"the parent is a file", PathOf("plain/new.txt"), 0, TWriteStep::Create,
         std::errc::not_a_directory},
        {"the parent does not exist", PathOf("none/new.txt"), 0, TWriteStep::Create,
         std::errc::no_such_file_or_directory},
        {"the disk takes no more", PathOf("plain"), 4, TWriteStep::Write,
         std::errc::file_too_large},
        {"a folder holds the name", PathOf("folder"), 0, TWriteStep::Replace,
         std::errc::is_a_directory},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Case);
        TWriteResult result;
        if (row.SizeLimit) {
            TFileSizeLimit limit(row.SizeLimit);
            ASSERT_TRUE(limit.Active());
            result = WriteFileAtomically(row.Path, "new contents, longer than the limit", 0666);
        } else {
            result = WriteFileAtomically(row.Path, "new contents", 0666);
        }
        EXPECT_EQ(result.FailedStep, row.Step);
        EXPECT_EQ(result.Error, std::make_error_code(row.Error)) << result.Error.message();
        EXPECT_EQ(Read(PathOf("plain")), "old contents");
        EXPECT_EQ(Read(PathOf("folder/inside")), "x");
        EXPECT_EQ(Names(), before);
    }
}

} // namespace
