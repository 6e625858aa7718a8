#include "tests/shell/automation/AutomationTestSupport.h"

#include "host/model/ModelFile.h"
#include "runtime/VexWords.h"

std::vector<std::string>& recordedCalls() {
    static std::vector<std::string> calls;
    return calls;
}

void TRecordingHost::ShowErrorBox(const std::string& message) {
    recordedCalls().push_back("box " + message);
}

void TRecordingHost::HandleException(const std::exception& error) {
    recordedCalls().push_back(std::string("exception ") + error.what());
}

void TRecordingContext::ErrorReported(const vex::TRunError& error) {
    recordedCalls().push_back("error " + error.Message);
}

namespace {

// Records its call with its arguments as texts (or numbers).
double recordCall(int count, vex::TCallNode& node, vex::TText& text, vex::TLanguageInterpreter& c) {
    std::string call = c.WordName(node.WordNumber);
    for (int i = 1; i <= count; ++i) {
        vex::TText argument;
        const double number = vex::EvaluateArg(c, node, i, argument);
        call += (i == 1 ? "(" : ",") +
                (argument.empty() ? std::to_string(int(number)) : argument.str());
    }
    recordedCalls().push_back(count ? call + ")" : call);
    text.clear();
    return 0;
}

double sequence(int count, vex::TCallNode& node, vex::TText& text, vex::TLanguageInterpreter& c) {
    double result = 0;
    for (int i = 1; i <= count; ++i) {
        result = vex::EvaluateArg(c, node, i, text);
    }
    return result;
}

// Decodes its %XX escapes, as file names with brackets reach the words.
double fileText(int, vex::TCallNode& node, vex::TText& text, vex::TLanguageInterpreter& c) {
    vex::TText escaped;
    vex::EvaluateArg(c, node, 1, escaped);
    text = vex::host::DecodeFileText(escaped.view());
    return 0;
}

double add(int, vex::TCallNode& node, vex::TText&, vex::TLanguageInterpreter& c) {
    vex::TText ignored;
    return vex::EvaluateArg(c, node, 1, ignored) + vex::EvaluateArg(c, node, 2, ignored);
}

} // namespace

std::unique_ptr<TRecordingContext> newRecordingContext(vex::THostInterface& host, bool withWords) {
    auto context = std::make_unique<TRecordingContext>(host);
    if (!withWords) {
        return context;
    }
    context->AddCategory("Various");
    const std::vector<std::pair<const char*, vex::TWordImpl>> words = {
        {"Do", sequence},
        {"+", add},
        {"FileText", fileText},
        {"tztfnc", recordCall},
        {"kernelfnc", recordCall},
        {"DisplayWatches", recordCall},
        {"WaitCursor", recordCall},
        {"ProgressBarForOpen", recordCall},
        {"ExecFile", recordCall},
        {"UpdateModelName", recordCall},
        {"NormalCursor", recordCall},
        {"Library", recordCall},
        {"TreeRefresh", recordCall},
    };
    int number = 0;
    for (const auto& [name, impl] : words) {
        ++number;
        context->RegisterBuiltInWord({number, name, "Various", impl, 0, 255, "", ""}, "");
    }
    return context;
}
