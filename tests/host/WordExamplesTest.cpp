// Every example of the word reference (docs/words.md) runs without an error. The examples are
// written as a script's own lines would be: each runs as the handler code of an atom (c) with an
// involved atom (i), while a model file is being read, in a directory with the files the
// examples read, and with the variables they use declared (x, y, z, n, k, count, total as
// numbers, t as a text, g a GUI instance, q an atom reference read last, so that a is its atom);
// c holds one atom of its own.

#include "host/ScriptSession.h"
#include "host/console/ConsoleHost.h"
#include "host/model/ModelFile.h"

#include "runtime/VexWords.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vex::host {
namespace {

namespace fs = std::filesystem;

// The situation every example runs in; $EXAMPLE stands for the example as a text constant.
constexpr const char* kExampleScript =
    "ModelFile(1,[bank],0)\n"
    "Do(DeclareGlobal([x],0), DeclareGlobal([y],0), DeclareGlobal([z],0), DeclareGlobal([n],0),\n"
    "   DeclareGlobal([k],0), DeclareGlobal([count],0), DeclareGlobal([total],0),\n"
    "   DeclareGlobal([t],1), DeclareGlobal([g],2), DeclareGlobal([q],2))\n"
    "Do(x := 2, y := 3, z := 1, n := 4, k := 2, t := [text])\n"
    "g := CreateGUIInstance([Settings],[speed],[size])\n"
    "Do(SetAtt(CreateAtom(model,[Queue]),[capacity],10), "
    "SetLabel(AtomByName([Queue]),[served],0),\n"
    "   CreateAtom(AtomByName([Queue]),[Slot]))\n"
    "q := CreateAtom(model,[Customer])\n"
    "q\n"
    "SetHandler(AtomByName([Queue]),[OnUser],$EXAMPLE)\n"
    "RunHandler(AtomByName([Queue]),[OnUser],AtomByName([Customer]))\n";

class WordExamplesTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / "vexscript-word-examples";
        m_previous = fs::current_path();
    }
    void TearDown() override {
        fs::current_path(m_previous);
        fs::remove_all(m_dir);
    }

    // A fresh directory with the files the examples name.
    void PrepareDirectory() {
        fs::current_path(m_previous);
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "results" / "run1");
        fs::current_path(m_dir);
        const char* const files[][2] = {
            {"data.txt", "first\nsecond\nthird\n"},
            {"a.txt", "a"},
            {"log.txt", ""},
            {"out.txt", "old"},
            {"bank.vex", "ModelFile(1,[bank],0)\nLoadAtom(1,0,[Teller],0)\n"},
            {"parts.vex", "ModelFile(1,[parts],0)\nLoadAtom(1,0,[Part],0)\n"},
        };
        for (const auto& file : files) {
            std::ofstream(file[0], std::ios::binary) << file[1];
        }
    }

    // Runs an example; gives the errors it reported.
    std::string RunExample(const std::string& example) {
        PrepareDirectory();
        std::string script = kExampleScript;
        script.replace(script.find("$EXAMPLE"), 8, TextConstant(example));
        std::ostringstream trace;
        std::ostringstream errors;
        TConsoleHost host(trace, errors);
        TConsoleInterpreter context(host);
        TScriptSession(context).Run("example", script);
        return errors.str();
    }

    fs::path m_dir;
    fs::path m_previous;
};

TEST_F(WordExamplesTest, EveryExampleOfTheReferenceRuns) {
    ASSERT_EQ(RunExample("Name(c)"), "");
    std::ostringstream trace;
    std::ostringstream errors;
    TConsoleHost host(trace, errors);
    TConsoleInterpreter words(host);
    int examples = 0;
    for (int number = 1; number <= kBuiltInWordCount; ++number) {
        const TSyntax* syntax = words.WordSyntaxOf(number);
        if (!syntax || !syntax->Listed || syntax->Example.empty()) {
            continue;
        }
        ++examples;
        EXPECT_EQ(RunExample(syntax->Example), "")
            << words.WordName(number) << ": " << syntax->Example;
    }
    EXPECT_GT(examples, 100);
}

} // namespace
} // namespace vex::host
