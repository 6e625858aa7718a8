#include "host/WordReference.h"

#include "host/StandardWords.h"

#include "runtime/VexWords.h"

#include <algorithm>
#include <string>

namespace vex::host {

namespace {

// A table cell: pipes escaped, line breaks as spaces.
std::string Cell(std::string_view text) {
    std::string cell;
    for (char ch : text) {
        if (ch == '|') {
            cell += "\\|";
        } else if (ch == '\n' || ch == '\r') {
            cell += ' ';
        } else {
            cell += ch;
        }
    }
    return cell;
}

std::string Code(std::string_view text) {
    return text.empty() ? std::string() : "`" + Cell(text) + "`";
}

bool SameCategory(const TLanguageInterpreter& context, int index, std::string_view category) {
    return context.WordCategory(index + 1) == category;
}

void WriteCategory(const TLanguageInterpreter& context, std::string_view category,
                   std::ostream& out) {
    bool any = false;
    const int builtIns = std::min<int>(kBuiltInWordCount, context.WordCount());
    for (int index = 0; index < builtIns; ++index) {
        if (!context.IsWordListed(index + 1) || !SameCategory(context, index, category)) {
            continue;
        }
        const TSyntax* syntax = context.WordSyntaxOf(index + 1);
        if (!any) {
            out << "\n## " << category << "\n\n"
                << "| Word | Syntax | Description | Example |\n"
                << "|---|---|---|---|\n";
            any = true;
        }
        const std::string name = context.WordName(index + 1);
        out << "| " << Code(name) << " | "
            << Code(BuildSyntaxLine(name, syntax->MinArgs, syntax->MaxArgs)) << " | "
            << Cell(syntax->HelpText) << " | " << Code(syntax->Example) << " |\n";
    }
}

} // namespace

void WriteWordReference(const TLanguageInterpreter& context, std::ostream& out) {
    const int real = RealWordCount();
    out << "# VexScript word reference\n\n"
        << "Generated from the word registry by `vexscript --word-reference` (regenerate with\n"
        << "`cmake --build build --target word-reference`); do not edit by hand.\n\n"
        << real << " of the " << kBuiltInWordCount << " built-in word numbers carry a word.\n"
        << "The other " << kBuiltInWordCount - real
        << " are reserved: they are registered as unlisted words `Reserved<number>`,\n"
        << "which no completion, colouring or word overview shows; calling one is an error.\n"
        << "Syntax lines show the arguments as e1, e2, ...; those in braces are optional.\n"
        << "The examples are lines of a model's code: c is the atom whose handler runs, i the\n"
        << "atom involved, and names such as x, n, t or total are the script's own variables\n"
        << "(a test runs every example so).\n";
    for (const std::string& category : context.Categories()) {
        WriteCategory(context, category, out);
    }
}

} // namespace vex::host
