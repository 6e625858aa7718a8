#include "host/console/ConsoleInspection.h"

#include "host/WordReference.h"
#include "host/console/TreeText.h"

#include "runtime/DebuggerInterface.h"
#include "runtime/VexWords.h"

namespace vex::host {

namespace {

void PrintListing(const TLanguageInterpreter& context, TCompiledCode& code, std::ostream& out) {
    const TListing* listing = GetListing(context, code.Root);
    if (!listing) {
        return;
    }
    out << listing->Text;
    if (listing->Text.empty() || listing->Text.back() != '\n') {
        out << '\n';
    }
    out << "--\n";
    for (int i = 0; i < listing->RecordCount; ++i) {
        const TPositionRecord& record = listing->Records()[i];
        out << record.Start << ' ' << record.HeadLength << ' ' << record.ExtentLength << '\n';
    }
}

void PrintWords(const TLanguageInterpreter& context, std::ostream& out) {
    for (int number = 1; number <= context.WordCount(); ++number) {
        const TSyntax* syntax = context.WordSyntaxOf(number);
        out << number << '\t' << context.WordName(number) << '\t' << context.WordCategory(number)
            << '\t' << int{syntax->MinArgs} << '\t' << int{syntax->MaxArgs} << '\t'
            << int{syntax->Listed} << '\n';
    }
}

// Compiles the inspected text for --tree and --listing; none after a compile error.
void PrintCompiled(TConsoleInterpreter& context, const TConsoleOptions& options,
                   std::ostream& out) {
    TCompiledCode* code = context.Compile(options.InspectedText);
    if (!code) {
        return;
    }
    if (code->Root && options.Inspection == TInspection::Tree) {
        WriteCodeTree(context, *code->Root, out);
    } else if (code->Root) {
        PrintListing(context, *code, out);
    }
    context.ReleaseCode(code);
}

} // namespace

int RunInspection(const TConsoleOptions& options, const TLanguageTexts& languageTexts,
                  std::ostream& out, std::ostream& err) {
    if (options.Inspection == TInspection::Prepare) {
        out << RemoveWhitespaceAndComments(options.InspectedText) << '\n';
        return 0;
    }
    TConsoleHost host(out, err, languageTexts);
    TConsoleInterpreter context(host);
    switch (options.Inspection) {
    case TInspection::Words:
        PrintWords(context, out);
        break;
    case TInspection::WordReference:
        WriteWordReference(context, out);
        break;
    default:
        PrintCompiled(context, options, out);
        break;
    }
    return host.ExitStatus();
}

} // namespace vex::host
