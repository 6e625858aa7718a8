#pragma once

#include "host/model/ModelFile.h"

#include "runtime/VexScript.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vex::host {

// Runs and checks whole scripts the way script files are read: a statement ends at a line end
// where its parentheses, text constants and comments are closed (ScriptStatements), and each
// statement is compiled and evaluated on its own, so that a statement that fails is reported
// and the next one still runs, unless the host stops at the first error
// (THostInterface::StopsAtFirstError): then the first error ends the script. While a statement
// compiles or runs, the script's name and the statement's line are the place of the errors it
// reports (RunPlaces.h), so every error in the result carries its line.
//
// Every program that runs a script for a person runs it here: the console runner, the main
// window's Run and Check, the script panel's Execute, Syntax check and Syntax tree, the
// automation object's file operations (through ExecFile), and the word ExecFile itself.
class TScriptSession {
public:
    // A constant text that a statement gives to a word that compiles it (the code of SetHandler
    // and LoadHandler, the body of DefineWord, the text of Eval): the text as written, without
    // its brackets, and the line and column (from 1, counting bytes) of its first character.
    struct TEmbeddedCode {
        std::string_view Text;
        int Line = 1;
        int Column = 1;
    };

    // Sees each statement of a check: `Statement` before it is compiled (blank ones too),
    // `Compiled` after a statement that is not blank was compiled, with its tree while it
    // exists (none when the statement did not compile), `Embedded` for each constant text
    // of the statement that a word compiles, before it is compiled.
    struct TCheckObserver {
        std::function<void(const TStatement&)> Statement;
        std::function<void(const TStatement&, const TCodeNode*)> Compiled;
        std::function<void(const TStatement&, const TEmbeddedCode&)> Embedded;
    };

    // The context must have model services (a TModelHost's); it must outlive the session.
    explicit TScriptSession(TLanguageInterpreter& context);

    // Runs a script statement by statement and tells how it went: the value of the last
    // statement that ran, every error with its line, and Aborted when an abort ended it (no
    // statement runs after that) or the stop condition held after a statement. An exception that
    // leaves a statement goes to the host's exception handler. `firstLine` is the line the
    // script starts on in `name` (a part of a file, such as an editor's selection).
    TRunResult Run(const std::string& name, std::string_view script, int firstLine = 1);
    // Compiles every statement and runs none. The declarations act while compiling, as they
    // always do, so later statements know the globals; a DefineWord whose arguments are all
    // constants is carried out, so that its body is compiled (and its errors reported) and
    // later statements may call the word. The constant texts given to SetHandler, LoadHandler
    // and Eval are compiled too, a handler's with the names of the attributes the script gives
    // by constant names (SetAtt, LoadAtt) as its bare names; the errors of a text, a word's
    // body included, are placed at the text's first line and column. Bare names of the
    // statements bind as `binding` says.
    TCheckResult Check(const std::string& name, std::string_view script,
                       const TGuiBinding& binding = {}, const TCheckObserver& observer = {},
                       int firstLine = 1);

    // Asked after each statement of Run: true ends the run there (a person cancelled it).
    void StopWhen(std::function<bool()> stop) { m_stop = std::move(stop); }

    // For the word ExecFile, inside a run: runs the statements of a script as Run does and gives
    // the number of the last, its text in `text`; exceptions pass on to the run around it. The
    // script's end ends the reading of a model file in it (the word Library asks for one read).
    double ExecuteStatements(const std::string& name, std::string_view script, TText& text,
                             int firstLine = 1);
    // Reads a script file (its name a script text, Windows-1252) and runs it with
    // ExecuteStatements. Raises EVexError naming the word ExecFile, the file and the system's
    // reason when the file cannot be read.
    double ExecuteFile(const std::string& path, TText& text);

private:
    TCompiledCode* Compile(const std::string& name, const TStatement& statement,
                           const TGuiBinding& binding = {});
    void CheckStatement(const std::string& name, const TStatement& statement,
                        const TGuiBinding& binding, const TCheckObserver& observer,
                        TCheckResult& result);
    void CheckEmbeddedCode(const std::string& name, const TStatement& statement,
                           const TCodeNode& root, const TCheckObserver& observer);

    TLanguageInterpreter& m_context;
    std::function<bool()> m_stop;
    // Whether the stop condition ended the last run.
    bool m_stopped = false;
    // While a check runs: the attribute names the script gives by constant names so far.
    std::vector<std::string> m_attributeNames;
};

} // namespace vex::host
