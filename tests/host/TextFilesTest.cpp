// Reading files piece by piece: line counts and single lines agree with splitting the whole file,
// whatever the line ends and wherever the pieces of the reads fall.

#include "host/TextFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vex::host {
namespace {

namespace fs = std::filesystem;

class TextFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_path = fs::temp_directory_path() /
                 ("vexscript-textfiles-" +
                  std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    }
    void TearDown() override { fs::remove(m_path); }

    void Write(const std::string& contents) { std::ofstream(m_path, std::ios::binary) << contents; }

    fs::path m_path;
};

TEST_F(TextFilesTest, LinesAreSplitAtLineFeedsWithoutTheirCarriageReturns) {
    const std::string longLine(100000, 'x'); // longer than one piece of a read
    const struct {
        std::string Contents;
        std::vector<std::string> Lines;
    } cases[] = {
        {"", {}},
        {"\n", {""}},
        {"one", {"one"}},
        {"one\ntwo\n", {"one", "two"}},
        {"one\r\ntwo\r\n\r\nfour\r", {"one", "two", "", "four"}},
        {"a\rb\n", {"a\rb"}},
        {longLine + "\n" + longLine + "y", {longLine, longLine + "y"}},
    };
    for (const auto& row : cases) {
        Write(row.Contents);
        TFileFailure failure;
        std::size_t count = 99;
        ASSERT_TRUE(CountFileLines(m_path, count, failure)) << failure.Cause;
        EXPECT_EQ(count, row.Lines.size()) << row.Contents.substr(0, 20);
        for (std::size_t i = 1; i <= row.Lines.size() + 1; ++i) {
            std::string line = "stale";
            ASSERT_TRUE(ReadFileLineAt(m_path, i, line, failure)) << failure.Cause;
            EXPECT_EQ(line, i <= row.Lines.size() ? row.Lines[i - 1] : "")
                << row.Contents.substr(0, 20) << ", line " << i;
        }
        std::string whole;
        ASSERT_TRUE(ReadWholeFile(m_path, whole, failure)) << failure.Cause;
        EXPECT_EQ(whole, row.Contents);
    }
}

TEST_F(TextFilesTest, AMissingFileFailsToOpen) {
    TFileFailure failure;
    std::string contents;
    EXPECT_FALSE(ReadWholeFile(m_path, contents, failure));
    EXPECT_EQ(failure.What, "cannot open");
    EXPECT_EQ(failure.Cause, "No such file or directory");
}

} // namespace
} // namespace vex::host
