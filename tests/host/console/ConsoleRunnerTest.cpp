// The console runner `vexscript`, run as a process: options, printing and exit codes.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct TRun {
    int Status;
    std::string Out;
    std::string Err;
};

std::string Quote(const std::string& argument) {
    std::string quoted = "'";
    for (char ch : argument) {
        quoted += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    }
    return quoted + "'";
}

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

class ConsoleRunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                (std::string("vexscript-runner-") +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path Write(const std::string& name, const std::string& contents) {
        std::ofstream(m_dir / name, std::ios::binary) << contents;
        return m_dir / name;
    }

    // Runs vexscript in the scratch directory with the arguments and `input` on standard input.
    TRun Vexscript(const std::vector<std::string>& arguments, const std::string& input = "") {
        std::string command = "cd " + Quote(m_dir.string()) + " && " + Quote(VEXSCRIPT_PATH);
        for (const std::string& argument : arguments) {
            command += " " + Quote(argument);
        }
        std::ofstream(m_dir / "stdin", std::ios::binary) << input;
        command += " >" + Quote((m_dir / "stdout").string()) + " 2>" +
                   Quote((m_dir / "stderr").string()) + " <" + Quote((m_dir / "stdin").string());
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(m_dir / "stdout"),
                ReadFile(m_dir / "stderr")};
    }

    struct TCase {
        std::vector<std::string> Arguments;
        int Status;
        std::string Out;
        std::string Err;
        std::string Input = "";
    };

    void ExpectRuns(std::span<const TCase> cases) {
        for (const TCase& row : cases) {
            const TRun result = Vexscript(row.Arguments, row.Input);
            const std::string label = row.Arguments.empty() ? "" : row.Arguments.back();
            EXPECT_EQ(result.Status, row.Status) << label;
            EXPECT_EQ(result.Out, row.Out) << label;
            EXPECT_EQ(result.Err, row.Err) << label;
        }
    }

    fs::path m_dir;
};

TEST_F(ConsoleRunnerTest, ResultsTraceAndErrors) {
    const TCase cases[] = {
        {{"-e", "1+2*3"}, 0, "7\n", ""},
        {{"--eval", "Concat([n=],6*7)"}, 0, "n=42\n", ""},
        {{"-e", "[text]"}, 0, "text\n", ""},
        {{"-e", "1/4", "-e", "[last]"}, 0, "last\n", ""},
        {{"-e", "Do(Print([traced]),2)"}, 0, "traced\n2\n", ""},
        {{"-q", "-e", "Do(Print(1/4),5)"}, 0, "0.25\n", ""},
        {{"-e", "1E20*10"}, 0, "1E21\n", ""},
        // An empty text is shown as an empty line, not as 0.
        {{"-e", "[]"}, 0, "\n", ""},
        {{"-e", "Do(1,Concat([]))"}, 0, "\n", ""},
        // A value is shown only when its text reported no error.
        {{"-e", "Nope"}, 1, "", "Unknown word \"Nope\" in: Nope\n"},
        {{"-e", "Do(1,2/0)"}, 1, "", "Error in \"/\":bad argument #2 to \"/\": division by zero\n"},
        // The first error ends the run; --keep-going runs the texts after it.
        {{"-e", "Do(Sqrt(-1))", "-e", "5"},
         1,
         "",
         "Error in \"Sqrt\":bad argument #1 to \"Sqrt\": -1 is outside the domain\n"},
        {{"--keep-going", "-e", "Do(Sqrt(-1))", "-e", "5"},
         1,
         "5\n",
         "Error in \"Sqrt\":bad argument #1 to \"Sqrt\": -1 is outside the domain\n"},
        {{"-e", "Reserved999"},
         1,
         "",
         "Error in \"Reserved999\":word number 999 is reserved: no word has it yet\n"},
        // With --json standard output is the one object, with what the script printed in it,
        // and numbers read back as the same double.
        {{"--json", "-e", "Do(Print([x]),Concat([caf\xe9 ],1/2))"},
         0,
         "{\"number\": 0, \"text\": \"caf\xc3\xa9 0.5\", \"output\": \"x\\n\", \"errors\": []}\n",
         ""},
        {{"--json", "-e", "Do(Nope,1)"},
         1,
         "{\"number\": 0, \"text\": \"\", \"output\": \"\", \"errors\": [{\"file\": null, "
         "\"line\": null, \"message\": \"Unknown word \\\"Nope\\\" in: Do(Nope,1)\"}]}\n",
         "Unknown word \"Nope\" in: Do(Nope,1)\n"},
        {{"--json", "-e", "2^0.5", "-e", "Print(1/3)"},
         0,
         "{\"number\": 0, \"text\": \"\", \"output\": \"0.333333333333333\\n\", \"errors\": []}\n",
         ""},
        {{"--json", "-e", "2^0.5"},
         0,
         "{\"number\": 1.4142135623730951, \"text\": \"\", \"output\": \"\", \"errors\": []}\n",
         ""},
        // Words that give no value show none: only what they write.
        {{"-e", "Print(1+2)"}, 0, "3\n", ""},
        {{"-e", "Do(DeclareGlobal([g],0),LocalNum([k]),Print(k),Trace([t]))"}, 0, "0\nt\n", ""},
        {{"-e", "DeclareGlobal([h],1)"}, 0, "", ""},
        // A whole-number argument given a fraction is an error, not the nearest argument.
        {{"-e", "ScriptArg(1.5)"},
         1,
         "",
         "Error in \"ScriptArg\":bad argument #1 to \"ScriptArg\": 1.5 is no whole number\n"},
    };
    ExpectRuns(cases);
}

// Ways to get a wrong value without noticing: each ends the run at its first error now, with
// exit status 1 and the error's place; --keep-going contains the error where it happened, as the
// runtime does by default, and the run goes on.
TEST_F(ConsoleRunnerTest, TheFirstErrorEndsTheRun) {
    Write("guard.vex", "DeclareGlobal([stock], 0)\n"
                       "DefineWord([Guarded], [If(Arg(1) > 5, Error([too big]), Arg(1))], 1, 1)\n"
                       "stock := Guarded(10) + 100\n"
                       "Print(stock)\n");
    Write("deep.vex", "DefineWord([Deep], [Deep(1)], 1, 1, [help])\nDeep(1)\nPrint([after])\n");
    Write("eval.vex", "DeclareGlobal([x], 0)\nx := Eval([1/0]) + 5\nPrint(x)\n");
    Write("broken.vex", "Print(Nope)\nPrint([after])\n");
    Write("second.vex", "Print([second])\n");
    const std::string guarded = "guard.vex:2:39: word \"Guarded\": Error in \"Error\":too big\n";
    const std::string eval = "eval.vex:2: Error in \"/\":bad argument #2 to \"/\": division by "
                             "zero\n";
    const TCase cases[] = {
        {{"guard.vex"}, 1, "", guarded},
        {{"--keep-going", "guard.vex"}, 1, "100\n", guarded},
        {{"deep.vex"}, 1, "", "deep.vex:1:21: word \"Deep\": Error in \"Deep\":Stack overflow\n"},
        {{"-k", "deep.vex"},
         1,
         "after\n",
         "deep.vex:1:21: word \"Deep\": Error in \"Deep\":Stack overflow\n"},
        {{"eval.vex"}, 1, "", eval},
        {{"-k", "eval.vex"}, 1, "5\n", eval},
        {{"broken.vex", "second.vex", "-e", "7"},
         1,
         "",
         "broken.vex:1: Unknown word \"Nope\" in: Print(Nope)\n"},
        {{"--keep-going", "broken.vex", "second.vex"},
         1,
         "after\nsecond\n",
         "broken.vex:1: Unknown word \"Nope\" in: Print(Nope)\n"},
    };
    ExpectRuns(cases);
}

TEST_F(ConsoleRunnerTest, UsageErrorsAndUnreadableFiles) {
    Write("model.vex", "Print([not run])\n");
    const TCase cases[] = {
        {{"-e"}, 2, "", "vexscript: -e needs a text\nTry 'vexscript --help'.\n"},
        {{"--bogus"}, 2, "", "vexscript: unknown option --bogus\nTry 'vexscript --help'.\n"},
        {{"--tree", "1", "-e", "2"},
         2,
         "",
         "vexscript: an inspection option cannot be combined with scripts, -i, --check, -q or "
         "--json\nTry 'vexscript --help'.\n"},
        {{"--json", "-q", "-e", "1"},
         2,
         "",
         "vexscript: --json and --quiet cannot be combined\nTry 'vexscript --help'.\n"},
        {{"-i", "--json"},
         2,
         "",
         "vexscript: -i cannot be combined with --json or --check\nTry 'vexscript --help'.\n"},
        {{"--check"},
         2,
         "",
         "vexscript: --check needs a FILE, - or -e TEXT\nTry 'vexscript --help'.\n"},
        // The system's reason, and nothing runs.
        {{"missing.vex", "-e", "Print([not run])"},
         2,
         "",
         "vexscript: cannot read missing.vex: No such file or directory\n"},
        {{"."}, 2, "", "vexscript: cannot read .: it is a directory\n"},
        // Words after a script meant as its arguments: the command line with "--".
        {{"model.vex", "a", "b"},
         2,
         "",
         "vexscript: cannot read a: No such file or directory\n"
         "vexscript: the words after \"--\" are the script's arguments, as in: vexscript "
         "model.vex -- a b\n"},
    };
    ExpectRuns(cases);
}

// A script on standard input longer than the longest text is refused before it is kept whole.
TEST_F(ConsoleRunnerTest, StandardInputBeyondTheLongestTextIsRefused) {
    const std::string command = "head -c 257M /dev/zero | " + Quote(VEXSCRIPT_PATH) + " - 2>" +
                                Quote((m_dir / "stderr").string());
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_EQ(ReadFile(m_dir / "stderr"),
              "vexscript: cannot read standard input: it is larger than 256 MiB, the longest "
              "text\n");
}

// What users of other script interpreters expect of the command line.
TEST_F(ConsoleRunnerTest, CommandLineConventions) {
    Write("args.vex", "Print(ScriptArgCount, [:], ScriptArg(0), [:], ScriptArg(1), [:], "
                      "ScriptArg(2), [:], ScriptArg(3))");
    Write("last.vex", "Print([printed])\n6*7\n");
    const TCase cases[] = {
        {{"-v"}, 0, "vexscript " ZENTARO_VERSION "\n", ""},
        {{"-V"}, 0, "vexscript " ZENTARO_VERSION "\n", ""},
        // A file's last value is not printed; only what it writes.
        {{"last.vex"}, 0, "printed\n", ""},
        // "-" is standard input, also without any argument when input is no terminal.
        {{"-"}, 0, "from stdin\n", "", "Print([from stdin])\n1"},
        {{}, 0, "from stdin\n", "", "Print([from stdin])\n1"},
        // "--" ends the options: its words are the script's arguments, led by the script when
        // none came before.
        {{"--", "args.vex", "a", "-e"}, 0, "2:args.vex:a:-e:\n", ""},
        {{"args.vex", "--", "a", "b c"}, 0, "2:args.vex:a:b c:\n", ""},
        {{"--", "-", "x"},
         0,
         "1:-:x:\n",
         "",
         "Print(ScriptArgCount,[:],ScriptArg(0),[:],"
         "ScriptArg(1),[:],ScriptArg(2))"},
        {{"-e", "Concat(ScriptArg(0),[/],ScriptArg(1))", "--", "x"}, 0, "-e/x\n", ""},
        // -i enters the interactive mode after the scripts; on a pipe without prompts.
        {{"last.vex", "-i"}, 0, "printed\n3\n\n", "", "1+2\n[]\n"},
    };
    ExpectRuns(cases);
}

// Files run first, in order, then the -e texts, all in one context.
TEST_F(ConsoleRunnerTest, FilesAndTextsShareOneContext) {
    Write("lib.vex", "{ a library }\nDo(DeclareGlobal([base],0), base := 40,\n"
                     "   DefineWord([AddBase], [Arg(1) + base], 1, 1))");
    Write("use.vex", "Do(Print([loaded]), AddBase(1))");
    Write("odd]name.vex", "Print([any name will do])");
    const TCase cases[] = {
        {{"-e", "AddBase(2)", "lib.vex", "use.vex"}, 0, "loaded\n42\n", ""},
        {{"lib.vex", "use.vex"}, 0, "loaded\n", ""},
        {{"odd]name.vex"}, 0, "any name will do\n", ""},
    };
    ExpectRuns(cases);
}

// --check compiles without running: every error after its file and line, the language's traps
// as warnings with line and column, and the exit status of the errors alone.
TEST_F(ConsoleRunnerTest, CheckReportsErrorsAndTrapsWithoutRunning) {
    Write("model.vex", "Print([not run])\n"
                       "DefineWord([Half], [Arg(1) / 2], 1, 1)\n"
                       "DefineWord([Broken], [Nope(1)], 1, 1, [never defined])\n"
                       "Do(Print(Half(4), Broken(1)),\n"
                       "   If([apple] < [banana], 1, 2))\n"
                       "x := -y }\n");
    Write("clean.vex", "Do(LocalText([s],[t]), s := [apple], t := [banana],\n"
                       "   Print(1 2), If(s < t, 1, 2))\n");
    const TCase cases[] = {
        {{"--check", "model.vex"},
         1,
         "",
         "model.vex:3:23: Unknown word \"Nope\" in: Nope(1)\n"
         "model.vex:5:7: warning: \"[apple]<[banana]\" is one text constant, \"apple]<[banana\": "
         "a piece that starts with [ and ends with ] is one text; put texts to compare or join in "
         "variables or in parentheses\n"
         "model.vex:4: Unknown word \"Broken\" in: Do(Print(Half(4),Broken(1)),If([apple]<[banana],"
         "1,2))\n"
         "model.vex:6:9: warning: this } has no { before it and removes the text before it: "
         "\"x:=-y\"\n"},
        {{"--check", "clean.vex", "-e", "Print(-x)"},
         1,
         "",
         "clean.vex:2:12: warning: blanks are removed, so \"1\" and \"2\" are read as one: \"12\"\n"
         "-e:1:7: warning: a minus sign before a name or a parenthesis is no operator: \"-x\" is "
         "not the negative value; write (0-x)\n"
         "-e:1: Unknown word \"-x\" in: Print(-x)\n"},
        {{"--check", "--json", "-e", "Do(Nope,\n1 2)"},
         1,
         "{\"errors\": [{\"file\": \"-e\", \"line\": 1, \"message\": \"Unknown word \\\"Nope\\\" "
         "in: Do(Nope,12)\"}], \"warnings\": [{\"file\": \"-e\", \"line\": 2, \"column\": 3, "
         "\"message\": \"blanks are removed, so \\\"1\\\" and \\\"2\\\" are read as one: "
         "\\\"12\\\"\"}]}\n",
         ""},
    };
    ExpectRuns(cases);
}

// The code of handlers and the like, given as constant texts, is checked as well: its traps and
// errors at their own lines and columns; bracketed comparisons are no trap.
TEST_F(ConsoleRunnerTest, CheckReadsTheCodeOfHandlers) {
    Write("handlers.vex", "DeclareGlobal([d],2)\nDeclareGlobal([k],0)\n"
                          "SetHandler(d, [OnEvent], [Do(\n"
                          "  If(k > 0 & k < 10, Nope(1)),\n"
                          "  Print(1 < 2 < 3))])\n"
                          "If((k > 0) & (k < 10), Print(k = 1))\n");
    const TCase cases[] = {
        {{"--check", "handlers.vex"},
         1,
         "",
         "handlers.vex:4:12: warning: & and | bind more strongly than comparisons, so "
         "\"k>0&k<10\" does not join comparisons; write (k>0)&(k<10)\n"
         "handlers.vex:5:15: warning: comparisons group to the right, so \"1<2<3\" compares "
         "with the result of a comparison; write (1<2)&(2<3)\n"
         "handlers.vex:3:27: Unknown word \"Nope\" in: Do(If(k>0&k<10,Nope(1)),Print(1<2<3))\n"},
    };
    ExpectRuns(cases);
}

TEST_F(ConsoleRunnerTest, Inspection) {
    const TCase cases[] = {
        {{"--prepare", "Do( a , [b c] ) {comment}"}, 0, "Do(a,[b c])\n", ""},
        {{"--tree", "Do(LocalNum([k]),k:=k+1.5,Print([k=],k))"},
         0,
         "Do #1 (3)\n"
         "  LocalNum #1411 (1)\n"
         "    [k]\n"
         "  := #2 (2)\n"
         "    $k local\n"
         "    + #3 (2)\n"
         "      $k local\n"
         "      1.5\n"
         "  Print #300 (2)\n"
         "    [k=]\n"
         "    $k local\n",
         ""},
        {{"--tree", "Do(DeclareGlobal([g],0),g)"},
         0,
         "Do #1 (2)\n  DeclareGlobal #908 (2)\n    [g]\n    0\n  $g global\n",
         ""},
        {{"--tree", "Do(Nope)"}, 1, "", "Unknown word \"Nope\" in: Do(Nope)\n"},
        {{"--listing", "Do(1,[a])"}, 0, "Do(1,[a])\n--\n0 2 9\n3 1 1\n5 3 3\n", ""},
    };
    ExpectRuns(cases);
}

TEST_F(ConsoleRunnerTest, WordList) {
    const TRun run = Vexscript({"--words"});
    EXPECT_EQ(run.Status, 0);
    std::istringstream lines(run.Out);
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);) {
        rows.push_back(line);
    }
    ASSERT_EQ(rows.size(), 1667u);
    EXPECT_EQ(rows[0], "1\tDo\tControl\t1\t255\t1");
    EXPECT_EQ(rows[74], "75\tDefineWord\tWords\t4\t9\t1");
    EXPECT_EQ(rows[998], "999\tReserved999\tVarious\t0\t255\t0");
}

TEST_F(ConsoleRunnerTest, Help) {
    const TRun help = Vexscript({"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_EQ(help.Out.rfind("Usage: vexscript", 0), 0u);
}

TEST_F(ConsoleRunnerTest, RunsTheDemoWithoutErrors) {
    const TRun run = Vexscript({ZENTARO_SOURCE_DIR "/examples/demo.vex"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    EXPECT_NE(run.Out, "");
}

} // namespace
