// Fuzz target: arbitrary bytes run as a script file with the host's full word set: texts,
// numbers, the model, user words, files.
//
// The first byte chooses how the statements run (bit 0: as external requests; bit 1: with the
// debug path on, without debugger services; bit 2: as a simulation run); the rest is read as a
// script file is by ExecFile, statement by statement, in one fresh console context per input.
// Every run must end (the step budget and the time limit of FuzzSupport.h), contain its errors
// and leave the context's balance as it found it.
//
// The file words work in a scratch directory that is emptied before every input: every path a
// file word, ExecFile or a model-file word is given must be a text constant naming an entry of
// the current directory (no "/", no leading "."), so that no input can reach a file outside it.

#include "tests/fuzz/FuzzSupport.h"

#include "host/console/ConsoleHost.h"
#include "host/model/ModelFile.h"

#include "runtime/ContextParts.h"
#include "runtime/VexScript.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The words that take paths: the file words, ExecFile, and the model words that set the model's
// file or save it.
bool TakesPaths(const vex::TLanguageInterpreter& context, int number) {
    if (number >= vex::wnErrorGroupFirst && number <= vex::wnErrorGroupLast) {
        return true;
    }
    const std::string name = context.WordName(number);
    return name == "ExecFile" || name == "UpdateModelName" || name == "kernelfnc" ||
           name == "ProgressBarForOpen";
}

bool IsPlainName(std::string_view name) {
    return !name.empty() && name.front() != '.' && name.find('/') == std::string_view::npos &&
           name.find('\\') == std::string_view::npos;
}

vex::TWordImpl g_budgeted = nullptr;

// Stands in for the words that take paths: every argument must be a number constant or a text
// constant naming an entry of the scratch directory.
double ConfinedWord(int count, vex::TCallNode& node, vex::TText& text,
                    vex::TLanguageInterpreter& context) {
    for (int i = 1; i <= count; ++i) {
        const vex::TCodeNode& argument = *node.Arg(i);
        const bool plain =
            argument.IsNumberConstant() ||
            (argument.IsTextConstant() &&
             IsPlainName(static_cast<const vex::TTextConstantNode&>(argument).Text.view()));
        if (!plain) {
            throw vex::EVexError("the fuzz run keeps its files in its scratch directory");
        }
    }
    return g_budgeted(count, node, text, context);
}

fs::path g_scratch;

void EmptyScratch() {
    std::error_code error;
    fs::current_path(g_scratch, error);
    for (const fs::directory_entry& entry : fs::directory_iterator(g_scratch, error)) {
        fs::remove_all(entry.path(), error);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern = (fs::temp_directory_path() / "vexscript-fuzz-words-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    g_scratch = pattern;
    std::atexit([] {
        std::error_code error;
        fs::remove_all(g_scratch, error);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t mode = data[0];
    const std::string_view script(reinterpret_cast<const char*>(data + 1), size - 1);
    EmptyScratch();

    std::ostringstream trace;
    std::ostringstream errors;
    vex::host::TConsoleHost host(trace, errors);
    vex::host::TConsoleInterpreter context(host);
    vex::fuzz::BudgetWords(context);
    static const std::vector<int> pathWords = [&context] {
        std::vector<int> numbers;
        for (int number = 1; number <= vex::kBuiltInWordCount; ++number) {
            if (TakesPaths(context, number)) {
                numbers.push_back(number);
            }
        }
        return numbers;
    }();
    for (const int number : pathWords) {
        vex::TWordImpl& implementation =
            Parts(context).Registry.WordTable[static_cast<std::size_t>(number)];
        g_budgeted = implementation;
        implementation = ConfinedWord;
    }
    Parts(context).Debug.DebugState = (mode & 2) ? vex::dsRun : vex::dsOff;
    Parts(context).Debug.RunOrigin = (mode & 4) ? vex::roSimulation : 0;
    vex::fuzz::ResetStepBudget();
    const vex::test::TStackBalance before = vex::test::TStackBalance::Of(context);
    const vex::fuzz::TInputWatch watch(context);
    for (const std::string& statement : vex::host::SplitStatements(script)) {
        vex::TText text;
        if (mode & 1) {
            context.ExecuteExternal(statement, text);
        } else {
            context.ExecuteText(statement, text);
        }
        vex::fuzz::CheckBalance(before, context, (mode & 1) ? "ExecuteExternal" : "ExecuteText");
    }
    return 0;
}
