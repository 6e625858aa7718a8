// Model files: the saved script recreates the model exactly, saving is atomic, and reading runs
// the file statement by statement with the "t-FileRead" progress advancing.

#include "ModelFixture.h"

#include "host/model/ModelFile.h"
#include "tests/platform/FileSizeLimit.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <sys/stat.h>

namespace vex::host {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

class ModelFileTest : public ModelFixture {
protected:
    void SetUp() override {
        m_directory = fs::temp_directory_path() /
                      ("vex-model-" + std::to_string(::getpid()) + "-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_directory);
        fs::create_directories(m_directory);
    }
    void TearDown() override {
        fs::permissions(m_directory, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_directory);
    }
    std::string PathOf(const char* name) const { return (m_directory / name).string(); }

    // A model with everything a file must keep: nested atoms, an ID gap, texts that need
    // escaping, exact and special numbers, handlers, and events with equal times.
    void BuildModel() {
        Value("Do(DeclareGlobal([a1],2), DeclareGlobal([a2],2), DeclareGlobal([a3],2),"
              "SetName(model,[Bank]),"
              "a1 := CreateAtom(model,[Queue]), a2 := CreateAtom(a1,[Customer]),"
              "DestroyAtom(CreateAtom(model,[Temporary])),"
              "a3 := CreateAtom(model,[Teller]),"
              "SetAtt(a1,[capacity],10), SetAtt(a1,[title],[Main queue]),"
              "SetLabel(a1,[ratio],0.1), SetLabel(a1,[huge],1e300), SetLabel(a1,[tiny],-2.5e-300),"
              "SetLabel(a2,[note],FileText([a%5Db%0Aline 2%09tab%25 {x} [ok]])),"
              "SetLabel(a2,[infinite],FileNumber([-inf])),"
              "SetLabel(a3,[both],[7]), SetLabel(model,[runs],3),"
              "SetHandler(a1,[OnEvent],"
              "FileText([Do(%0A  SetAtt(c,[capacity],capacity - 1),%0A  SetLabel(c,[seen],[x]))])),"
              "SetHandler(a3,[OnReset],[SetLabel(c,[served],0)]),"
              "SetHandler(model,[OnInit],[1]),"
              "CreateEvent(0,a1),"
              "RunModel(2.5),"
              "CreateEvent(4,a1,7,0,a3), CreateEvent(4,a3,8,5,a2), CreateEvent(4,a1,9,0),"
              "CreateEvent(1.25,a3,1,0,AtomByName([Library],main)))");
    }

    fs::path m_directory;
};

TEST_F(ModelFileTest, RoundTripGivesTheSameModel) {
    BuildModel();
    const std::string first = PathOf("bank.vex");
    ASSERT_EQ(Run(std::string("kernelfnc([save model as],[") + first + "])").Errors, "");
    const std::string saved = ReadFile(first);
    EXPECT_EQ(saved, ModelFileText(Model()));

    Value("tztfnc([new model])");
    EXPECT_EQ(Value("ChildCount(model)"), 0);
    EXPECT_EQ(Value("EventCount"), 0);

    ASSERT_EQ(Run(std::string("ExecFile([") + first + "])").Errors, "");
    // Saving the opened model gives the same file, so atoms, IDs, names, values, handler texts,
    // clock and events (in their order) came back.
    EXPECT_EQ(ModelFileText(Model()), saved);

    struct Case {
        const char* source;
        double number;
        const char* text;
    };
    const Case cases[] = {
        {"Name(model)", 0, "Bank"},
        {"SimTime", 2.5, ""},
        {"EventCount", 4, ""},
        {"label([ratio],AtomByName([Queue])) = 0.1", 1, ""},
        {"label([tiny],AtomByName([Queue])) = -2.5e-300", 1, ""},
        {"label([note],AtomByName([Customer]))", 0, "a]b\nline 2\ttab% {x} [ok]"},
        {"label([infinite],AtomByName([Customer])) < -1e308", 1, ""},
        {"label([both],AtomByName([Teller]))", 0, "7"},
        {"Handler(AtomByName([Queue]),[OnEvent])", 0,
         "Do(\n  SetAtt(c,[capacity],capacity - 1),\n  SetLabel(c,[seen],[x]))"},
        {"AtomId(AtomByName([Teller]))", 7, ""},
        {"model.runs", 3, ""},
    };
    for (const Case& c : cases) {
        const TModelResult result = Run(c.source);
        EXPECT_EQ(result.Errors, "") << c.source;
        EXPECT_EQ(result.Number, c.number) << c.source;
        EXPECT_EQ(result.Text, c.text) << c.source;
    }
    // The reopened handlers run: the Queue's event lowers its capacity.
    EXPECT_EQ(Value("RunModel(10)"), 4);
    EXPECT_EQ(Value("Att(AtomByName([Queue]),[capacity])"), 7);
}

TEST_F(ModelFileTest, EveryLineEndsWithLineFeed) {
    BuildModel();
    const std::string text = ModelFileText(Model());
    EXPECT_EQ(text.find('\r'), std::string::npos);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    for (const char ch : text) {
        EXPECT_FALSE(static_cast<unsigned char>(ch) < 32 && ch != '\n') << int(ch);
    }
}

TEST_F(ModelFileTest, SaveUnderSameNameNeedsAName) {
    const TModelResult result = Run("kernelfnc([save model under same name])");
    EXPECT_NE(result.Errors.find("kernelfnc: the model has no file name yet"), std::string::npos)
        << result.Errors;
}

// A save that cannot complete leaves the old file as it was, does not take the new name and
// leaves no temporary file behind. The failures need no permissions, so they stop root as well.
TEST_F(ModelFileTest, FailedSaveKeepsTheOldFile) {
    const std::string path = PathOf("bank.vex");
    { std::ofstream(path) << "old contents\n"; }
    BuildModel();
    const struct {
        const char* Case;
        std::string Target;
        std::size_t SizeLimit; // 0: none
    } rows[] = {
        {"the disk takes no more than a few bytes", path, 8},
        {"the folder named is a file", path + "/bank.vex", 0},
    };
    for (const auto& row : rows) {
        TModelResult result;
        {
            std::optional<TFileSizeLimit> limit;
            if (row.SizeLimit) {
                limit.emplace(row.SizeLimit);
                ASSERT_TRUE(limit->Active()) << row.Case;
            }
            result = Run("kernelfnc([save model as],[" + row.Target + "])");
        }
        EXPECT_NE(result.Errors.find("kernelfnc: cannot save the model as \"" + row.Target + "\""),
                  std::string::npos)
            << row.Case << ": " << result.Errors;
        EXPECT_EQ(ReadFile(path), "old contents\n") << row.Case;
        EXPECT_EQ(std::distance(fs::directory_iterator(m_directory), fs::directory_iterator()), 1)
            << row.Case;
        EXPECT_EQ(Run("ModelFileName").Text, "") << row.Case;
    }
}

// The rename that completes a save fails when the target is a directory: the directory stays
// and the temporary file is gone.
TEST_F(ModelFileTest, SaveThatCannotRenameLeavesNoTemporaryFile) {
    const std::string path = PathOf("taken");
    fs::create_directory(path);
    BuildModel();
    const TModelResult result = Run(std::string("kernelfnc([save model as],[") + path + "])");
    EXPECT_NE(result.Errors.find("kernelfnc: cannot save the model as"), std::string::npos)
        << result.Errors;
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_directory), fs::directory_iterator()), 1);
    EXPECT_EQ(Run("ModelFileName").Text, ""); // a failed save-as does not take the name
}

TEST_F(ModelFileTest, SaveReplacesTheFileAndKeepsItsPermissions) {
    const std::string path = PathOf("bank.vex");
    { std::ofstream(path) << "old contents\n"; }
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    BuildModel();
    Value(std::string("UpdateModelName([") + path + "])");
    ASSERT_EQ(Run("kernelfnc([save model under same name])").Errors, "");
    EXPECT_EQ(ReadFile(path), ModelFileText(Model()));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_directory), fs::directory_iterator()), 1);
}

TEST_F(ModelFileTest, StatementsEndAtLineBreaksOutsideParenthesesTextsAndComments) {
    struct Case {
        const char* script;
        std::vector<std::string> statements;
    };
    const Case cases[] = {
        {"a\nb", {"a", "b"}},
        {"Do(a,\n b)\nc", {"Do(a,\n b)", "c"}},
        {"[x\ny]\nz", {"[x\ny]", "z"}},
        {"[a(b]\nc", {"[a(b]", "c"}},
        {"{ note (\n still }\nd", {"{ note (\n still }", "d"}},
        {"f(\n[)]\n)\ng\n", {"f(\n[)]\n)", "g"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitStatements(c.script), c.statements) << c.script;
    }
}

// Something left open ends its statement before the next line that starts with a letter, and the
// statement carries where the opening stands; a script whose statements close is cut as before,
// however its lines begin.
TEST_F(ModelFileTest, ABrokenStatementEndsWhereTheNextOneStarts) {
    const struct {
        const char* script;
        std::vector<std::string> statements;
        std::string broken;
    } cases[] = {
        {"Print((1)\nx := 5\nPrint(x)",
         {"Print((1)", "x := 5", "Print(x)"},
         "1: '(' opened at line 1, column 6 is never closed; the statement ends before line 2, "
         "which starts a new one|"},
        {"SetHandler(d, [OnEvent], [Do(\n  x := 1\n))\nRunModel(9)\n",
         {"SetHandler(d, [OnEvent], [Do(\n  x := 1\n))", "RunModel(9)"},
         "1: '[' (a text constant) opened at line 1, column 26 is never closed; the statement "
         "ends before line 4, which starts a new one|"},
        {"x := 1 { note\nPrint(x)",
         {"x := 1 { note", "Print(x)"},
         "1: '{' (a comment) opened at line 1, column 8 is never closed; the statement ends "
         "before line 2, which starts a new one|"},
        {"Print([a)\n  b",
         {"Print([a)\n  b"},
         "1: '[' (a text constant) opened at line 1, column 7 is never closed|"},
        {"ok\nf(1,\n\ng(2)\nh(3",
         {"ok", "f(1,\n", "g(2)", "h(3"},
         "2: '(' opened at line 2, column 2 is never closed; the statement ends before line 4, "
         "which starts a new one|5: '(' opened at line 5, column 2 is never closed|"},
        // Closed: lines that start in the first column inside it belong to it.
        {"a(\nb,\n  c)\nd([x\ny])", {"a(\nb,\n  c)", "d([x\ny])"}, ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> texts;
        std::string broken;
        for (const TStatement& statement : ScriptStatements(c.script)) {
            texts.push_back(statement.Text);
            if (statement.IsBroken()) {
                broken += std::to_string(statement.Line) + ": " + statement.UnclosedMessage() + "|";
            }
        }
        EXPECT_EQ(texts, c.statements) << c.script;
        EXPECT_EQ(broken, c.broken) << c.script;
    }
}

// Every statement is compiled on its own, so the progress item advances through the file, and a
// statement that fails to compile does not stop the rest.
TEST_F(ModelFileTest, ReadingAdvancesTheProgressAndGoesOnAfterAFaultyStatement) {
    const std::string path = PathOf("script.vex");
    { std::ofstream(path) << "DeclareGlobal([n],0)\nn := 1\nNoSuchWord(1)\nn := n + 1\nn * 10\n"; }
    struct TWatch : TProgressView {
        std::vector<std::int64_t> positions;
        void ProgressChanged(const TProgressItem& item, bool visible) override {
            if (visible && item.Name == "t-FileRead") {
                positions.push_back(item.Position);
            }
        }
    } watch;
    Services().Progress.SetView(&watch);
    const TModelResult result =
        Run(std::string("Do(ProgressBarForOpen(1,[") + path + "]), ExecFile([" + path + "]))");
    Services().Progress.SetView(nullptr);
    EXPECT_EQ(result.Number, 20);
    EXPECT_NE(result.Errors.find("NoSuchWord"), std::string::npos);
    // Shown at 0, then one step per statement compiled, by its prepared length.
    EXPECT_EQ(watch.positions, (std::vector<std::int64_t>{0, 20, 24, 37, 43, 47}));
    EXPECT_TRUE(Services().Progress.IsActive());
    Value("ProgressBarForOpen(0)");
    EXPECT_FALSE(Services().Progress.IsActive());
}

TEST_F(ModelFileTest, MissingOrBrokenFilesGiveClearErrors) {
    EXPECT_NE(Run(std::string("ExecFile([") + PathOf("none.vex") + "])")
                  .Errors.find("ExecFile: cannot read the file"),
              std::string::npos);
    EXPECT_NE(Run(std::string("ExecFile([") + m_directory.string() + "])")
                  .Errors.find("ExecFile: cannot read the file"),
              std::string::npos);
    const std::string path = PathOf("broken.vex");
    { std::ofstream(path) << "ModelFile(1,[x],0)\nLoadAtom(2,0,[y],0)\nLoadLabel(5,[z],1,[])\n"; }
    const TModelResult result = Run(std::string("ExecFile([") + path + "])");
    EXPECT_NE(result.Errors.find("LoadAtom: atom 2 is out of order in the file"), std::string::npos)
        << result.Errors;
    EXPECT_NE(result.Errors.find("LoadLabel: the file has no atom 5 yet"), std::string::npos)
        << result.Errors;
}

TEST(ModelFileTextTest, ConstantsReadBackExactly) {
    struct Case {
        std::string text;
        std::string constant;
    };
    const Case cases[] = {
        {"plain", "[plain]"},          {"", "[]"},
        {"a [b] c", "[a [b] c]"},      {"a]b", "FileText([a%5Db])"},
        {"x\ny", "FileText([x%0Ay])"}, {"50% [", "FileText([50%25 %5B])"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextConstant(c.text), c.constant) << c.text;
        if (c.constant.starts_with("FileText([")) {
            const std::string inner = c.constant.substr(10, c.constant.size() - 12);
            EXPECT_EQ(DecodeFileText(inner), c.text);
        }
    }
    EXPECT_EQ(NumberConstant(0.1), "0.1");
    EXPECT_EQ(NumberConstant(-3), "-3");
    EXPECT_EQ(NumberConstant(1e300), "1e+300");
    EXPECT_EQ(NumberConstant(1.0 / 0.0), "FileNumber([inf])");
}

} // namespace
} // namespace vex::host
