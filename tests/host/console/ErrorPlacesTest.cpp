// Every error from a script file names the file, the line and the column of the code that failed
// (the line of the statement for a compile error), inside a handler also the atom, the handler
// kind and the simulation time, inside a user-defined word the word; the runtime's message,
// which names the word that failed, follows as it stands.

#include "host/console/ConsoleSession.h"
#include "tests/host/console/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vex::host {
namespace {

namespace fs = std::filesystem;

class ErrorPlacesTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = fs::current_path();
        fs::current_path(m_scratch.Path());
    }
    void TearDown() override { fs::current_path(m_previous); }

    static void Write(const std::string& name, const std::string& contents) {
        std::ofstream(name, std::ios::binary) << contents;
    }

    test::TScratchDirectory m_scratch{"vexscript-error-places"};
    fs::path m_previous;
};

TEST_F(ErrorPlacesTest, ErrorsNameTheirFileLineHandlerAndWord) {
    Write("inner.vex", "Print([inner])\n\nPrint(Sqrt(-1))\n");
    struct TCase {
        const char* Name;
        const char* Script;
        const char* Errors;
    } const cases[] = {
        {"compile error at the top level", "{ a comment }\nPrint(1)\nPrint(Nope)\n",
         "main.vex:3: Unknown word \"Nope\" in: Print(Nope)\n"},
        {"a statement over lines: the line of the failing piece",
         "Do(\n  Print(1),\n  Print(1/0))\n",
         "main.vex:3:9: Error in \"/\":bad argument #2 to \"/\": division by zero\n"},
        {"runtime error in a word's body: its place in the constant, and the word",
         "DefineWord([Half], [Arg(1) / 0], 1, 1, [])\n\nHalf(4)\n",
         "main.vex:1:21: word \"Half\": Error in \"/\":bad argument #2 to \"/\": division by "
         "zero\n"},
        {"a body over lines, with tabs and a comment",
         "DefineWord([Ratio], [Do({ one\n  line }\n\tLocalNum([v]),\n\tv := 1 / Arg(1))], 1, 1)\n"
         "Ratio(0)\n",
         "main.vex:4:7: word \"Ratio\": Error in \"/\":bad argument #2 to \"/\": division by "
         "zero\n"},
        {"compile error in a word's body: the defining line",
         "Print(1)\nDefineWord([Broken], [Nope(1)], 1, 1, [])\n",
         "main.vex:2: Unknown word \"Nope\" in: Nope(1)\n"},
        {"an argument fails where the body reads it",
         "DefineWord([Twice], [Arg(1) * 2], 1, 1, [])\nTwice(Sqrt(-1))\n",
         "main.vex:2:7: word \"Twice\": Error in \"Sqrt\":bad argument #1 to \"Sqrt\": -1 is "
         "outside the domain\n"},
        {"runtime error in a handler",
         "SetHandler(model, [OnEvent], [Print(1/EventCode)])\nCreateEvent(5, model, 0)\n"
         "RunModel(10)\n",
         "main.vex:1:37: OnEvent of atom \"model\" (ID 2) at time 5: Error in \"/\":bad "
         "argument #2 to \"/\": division by zero\n"},
        {"a handler over lines whose text is not a constant has the line of the statement",
         "SetHandler(model, [OnUser], Concat([Print(], [1/0)]))\nRunHandler(model, [OnUser])\n",
         "main.vex:2: OnUser of atom \"model\" (ID 2) at time 0: Error in \"/\":bad argument #2 "
         "to \"/\": division by zero\n"},
        {"a word inside a handler",
         "DefineWord([Half], [Arg(1) / 0], 1, 1, [])\n"
         "SetHandler(CreateAtom(model, [Queue]), [OnUser], [Half(1)])\n"
         "RunHandler(AtomByName([Queue]), [OnUser])\n",
         "main.vex:1:21: OnUser of atom \"Queue\" (ID 4) at time 0, word \"Half\": Error in "
         "\"/\":bad argument #2 to \"/\": division by zero\n"},
        {"a file read by ExecFile, and one that cannot be read",
         "ExecFile([inner.vex])\nExecFile([missing.vex])\n",
         "inner.vex:3:7: Error in \"Sqrt\":bad argument #1 to \"Sqrt\": -1 is outside the "
         "domain\n"
         "main.vex:2:1: Error in \"ExecFile\":ExecFile: cannot read the file \"missing.vex\": No "
         "such file or directory\n"},
    };
    for (const TCase& row : cases) {
        std::ostringstream out;
        std::ostringstream err;
        TConsoleSession session(out, err, {});
        session.RunScript("main.vex", row.Script);
        EXPECT_EQ(err.str(), row.Errors) << row.Name;
    }
}

// A text that is no file (vexscript -e, the interactive mode) has no file and line; its message
// stands alone, and a text run from a file's statement takes that statement's place.
TEST_F(ErrorPlacesTest, TextsOutsideFiles) {
    std::ostringstream out;
    std::ostringstream err;
    TConsoleSession session(out, err, {});
    session.RunText("Print(Nope)");
    session.RunScript("main.vex", "\nEval([Print(Nope)])\n");
    EXPECT_EQ(err.str(), "Unknown word \"Nope\" in: Print(Nope)\n"
                         "main.vex:2: Unknown word \"Nope\" in: Print(Nope)\n");
    ASSERT_EQ(session.Host().Errors().size(), 2u);
    EXPECT_EQ(JsonError(session.Host().Errors()[0]),
              "{\"file\": null, \"line\": null, \"message\": \"Unknown word \\\"Nope\\\" in: "
              "Print(Nope)\"}");
    EXPECT_EQ(JsonError(session.Host().Errors()[1]),
              "{\"file\": \"main.vex\", \"line\": 2, \"message\": \"Unknown word \\\"Nope\\\" in: "
              "Print(Nope)\"}");
}

} // namespace
} // namespace vex::host
