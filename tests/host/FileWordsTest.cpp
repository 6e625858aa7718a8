// The file words against a scratch directory.

#include "tests/host/ScriptFixture.h"
#include "tests/platform/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vex::host {
namespace {

namespace fs = std::filesystem;

class FileWordsTest : public ScriptFixture {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("vexscript-files-" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // A script with every "$" replaced by the scratch directory.
    TScriptResult RunIn(std::string source) {
        for (std::size_t at = source.find('$'); at != std::string::npos; at = source.find('$')) {
            source.replace(at, 1, m_dir.string());
        }
        return Run(source);
    }

    fs::path m_dir;
};

TEST_F(FileWordsTest, WriteReadAppendAndLines) {
    const struct {
        const char* Source;
        double Number;
        const char* Text;
    } cases[] = {
        {"WriteTextFile([$/a.txt],Concat([one],NewLine,[two],NewLine))", 8, ""},
        {"ReadTextFile([$/a.txt])", 0, "one\ntwo\n"},
        {"AppendTextFile([$/a.txt],[three])", 5, ""},
        {"FileLineCount([$/a.txt])", 3, ""},
        {"ReadFileLine([$/a.txt],2)", 0, "two"},
        {"ReadFileLine([$/a.txt],9)", 0, ""},
        {"FileSize([$/a.txt])", 13, ""},
        {"FileExists([$/a.txt])+DirectoryExists([$])", 2, ""},
        {"CopyFile([$/a.txt],[$/b.txt])", 1, ""},
        {"RenameFile([$/b.txt],[$/c.txt])", 1, ""},
        {"ListFiles([$],[.txt])", 2, "a.txt\nc.txt"},
        {"DeleteFile([$/c.txt])", 1, ""},
        {"DeleteFile([$/c.txt])", 0, ""},
        {"CreateDirectory([$/d/e])", 1, ""},
        {"RemoveDirectory([$/d/e])", 1, ""},
        {"FileTime([$/a.txt])>1600000000", 1, ""},
    };
    for (const auto& row : cases) {
        const TScriptResult result = RunIn(row.Source);
        EXPECT_EQ(result.Errors, "") << row.Source;
        EXPECT_EQ(result.Number, row.Number) << row.Source;
        EXPECT_EQ(result.Text, row.Text) << row.Source;
    }
}

// Writing replaces the file whole, keeps its permissions and leaves no temporary file behind; a
// write that fails midway leaves the old file, and a file whose name a temporary file might take
// is never touched.
TEST_F(FileWordsTest, WritingReplacesAtomically) {
    RunIn("WriteTextFile([$/r.txt],[a long first version])");
    fs::permissions(m_dir / "r.txt", fs::perms::owner_read | fs::perms::owner_write);
    RunIn("WriteTextFile([$/r.txt],[short])");
    EXPECT_EQ(RunIn("ReadTextFile([$/r.txt])").Text, "short");
    EXPECT_EQ(fs::status(m_dir / "r.txt").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(RunIn("ListFiles([$])").Text, "r.txt");

    std::ofstream(m_dir / "r.txt.writing") << "someone's notes";
    {
        TFileSizeLimit limit(8);
        ASSERT_TRUE(limit.Active());
        EXPECT_NE(RunIn("Do(WriteTextFile([$/r.txt],[longer than the limit]))")
                      .Errors.find("WriteTextFile: cannot write \"" + (m_dir / "r.txt").string()),
                  std::string::npos);
    }
    EXPECT_EQ(RunIn("ReadTextFile([$/r.txt])").Text, "short");
    EXPECT_EQ(RunIn("ReadTextFile([$/r.txt.writing])").Text, "someone's notes");
    EXPECT_EQ(RunIn("WriteTextFile([$/r.txt],[again])").Number, 5);
    EXPECT_EQ(RunIn("ReadTextFile([$/r.txt.writing])").Text, "someone's notes");
    EXPECT_EQ(RunIn("ListFiles([$])").Text, "r.txt\nr.txt.writing");
}

// Inside a larger text the message carries the word, the path and the cause; as the root of a
// run, one of these words reports only that the operation failed.
TEST_F(FileWordsTest, FailuresNameThePathInsideAndStayGenericAtTheRoot) {
    const std::string missing = (m_dir / "missing.txt").string();
    EXPECT_EQ(RunIn("Do(ReadTextFile([$/missing.txt]))").Errors,
              "Error in \"ReadTextFile\":ReadTextFile: cannot open \"" + missing +
                  "\": No such file or directory\n");
    EXPECT_EQ(RunIn("ReadTextFile([$/missing.txt])").Errors,
              "Error in \"ReadTextFile\": the operation could not be completed.\n");
    EXPECT_EQ(
        RunIn("Do(CopyFile([$/missing.txt],[$/x.txt]))")
            .Errors.rfind("Error in \"CopyFile\":CopyFile: cannot copy \"" + missing + "\": ", 0),
        0u);
    EXPECT_EQ(RunIn("Do(ReadTextFile([$]))").Errors,
              "Error in \"ReadTextFile\":ReadTextFile: cannot read \"" + m_dir.string() +
                  "\": it is a directory\n");
    // A replacing write names the file the script named, not the temporary file beside it.
    EXPECT_EQ(RunIn("Do(WriteTextFile([$/none/out.txt],[x]))").Errors,
              "Error in \"WriteTextFile\":WriteTextFile: cannot open \"" +
                  (m_dir / "none/out.txt").string() + "\": No such file or directory\n");
}

// Names in scripts are Windows-1252 and reach the system as UTF-8; names the system gives back
// come as Windows-1252, and one the code page cannot hold is an error.
TEST_F(FileWordsTest, NamesBeyondAsciiCrossTheBoundary) {
    const std::string folder = "M\xFC"
                               "ller \x80"; // "Müller €" in the script's code page
    const fs::path start = fs::current_path();
    const struct {
        std::string Source;
        double Number;
        std::string Text;
    } cases[] = {
        {"CreateDirectory([$/" + folder + "])", 1, ""},
        {"WriteTextFile([$/" + folder + "/b\xE4r.txt],[x])", 1, ""},
        {"Concat(FileExists([$/" + folder + "/b\xE4r.txt]),ReadTextFile([$/" + folder +
             "/b\xE4r.txt]))",
         0, "1x"},
        {"ListFiles([$/" + folder + "])", 1, "b\xE4r.txt"},
        {"Do(ChangeDirectory([$/" + folder + "]),Right(CurrentDirectory,9))", 0, "/" + folder},
        {"Right(AbsolutePath([b\xE4r.txt]),16)", 0, folder + "/b\xE4r.txt"},
        {"Do(kernelfnc([save model as],[$/" + folder + "/\x80.vex]),ModelFileName)", 0,
         m_dir.string() + "/" + folder + "/\x80.vex"},
        {"ExecFile([$/" + folder + "/\x80.vex])>0", 1, ""},
    };
    for (const auto& row : cases) {
        const TScriptResult result = RunIn(row.Source);
        EXPECT_EQ(result.Errors, "") << row.Source;
        EXPECT_EQ(result.Number, row.Number) << row.Source;
        EXPECT_EQ(result.Text, row.Text) << row.Source;
    }
    fs::current_path(start);
    EXPECT_TRUE(fs::is_regular_file(m_dir / "Müller €" / "bär.txt"));
    EXPECT_TRUE(fs::is_regular_file(m_dir / "Müller €" / "€.vex"));

    std::ofstream(m_dir / "\u4E2D.txt") << "x";
    EXPECT_EQ(
        RunIn("Do(ListFiles([$]))").Errors,
        "Error in \"ListFiles\":ListFiles: the name \"\u4E2D.txt\" holds characters the script's "
        "code page (Windows-1252) cannot hold\n");
}

} // namespace
} // namespace vex::host
