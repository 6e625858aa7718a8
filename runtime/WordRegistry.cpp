#include "runtime/WordRegistry.h"

#include "runtime/LanguageInterpreter.h"
#include "runtime/LanguageTexts.h"
#include "runtime/SimpleStringList.h"

#include <algorithm>
#include <stdexcept>

namespace vex {

namespace {

std::string_view trimBlanksAndControls(std::string_view name) noexcept {
    while (!name.empty() && static_cast<unsigned char>(name.front()) <= ' ') {
        name.remove_prefix(1);
    }
    while (!name.empty() && static_cast<unsigned char>(name.back()) <= ' ') {
        name.remove_suffix(1);
    }
    return name;
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// Appends a word's entries to every registry list; returns its word index.
int appendWord(TLanguageInterpreter& context, std::string_view name, std::string_view category,
               TSyntax* syntax, std::string_view creator) {
    const int index = context.WordNames.Count();
    context.WordNames.Add(name);
    if (context.WordIndexDeferred) {
        context.WordIndex.Append(name, index);
    } else {
        int position = 0;
        context.WordIndex.Find(name, position);
        context.WordIndex.Insert(position, name, index);
    }
    context.WordCategories.Add(category);
    context.WordSyntax.push_back(syntax);
    context.WordCreators.Add(creator);
    return index;
}

void replaceIndexEntry(TLanguageInterpreter& context, std::string_view oldName,
                       std::string_view newName, int wordIndex) {
    int position = 0;
    if (context.WordIndex.Find(oldName, position)) {
        context.WordIndex.Delete(position);
    }
    context.WordIndex.Find(newName, position);
    context.WordIndex.Insert(position, newName, wordIndex);
}

TSyntax* newUserSyntax(const TWordAttributes& attributes) {
    auto* syntax = new TSyntax;
    syntax->MinArgs = attributes.MinArgs;
    syntax->MaxArgs = attributes.MaxArgs;
    syntax->Flag3 = attributes.Flag3;
    syntax->UpdateFlag = attributes.UpdateFlag;
    syntax->HelpText = attributes.HelpText;
    syntax->Example = attributes.Example;
    syntax->Listed = attributes.Listed;
    return syntax;
}

// Finds a registered name, or the dormant slot of it (the name with one blank in front).
int findRegistration(const TLanguageInterpreter& context, std::string_view name, bool& dormant) {
    dormant = false;
    int index = WordIndexOf(context, name);
    if (index < 0) {
        index = WordIndexOf(context, " " + std::string(name));
        dormant = index >= 0;
    }
    return index;
}

} // namespace

void RegisterBuiltInWord(TLanguageInterpreter& context, const TBuiltInWord& word) {
    if (word.Number != context.WordNames.Count() + 1 || word.Number > kBuiltInWordCount) {
        throw std::logic_error("built-in word " + std::string(word.Name) +
                               " registered as number " + std::to_string(word.Number) +
                               ", expected " + std::to_string(context.WordNames.Count() + 1));
    }
    auto* syntax = new TSyntax;
    syntax->MinArgs = word.MinArgs;
    syntax->MaxArgs = word.MaxArgs;
    syntax->HelpText = word.HelpText;
    syntax->Example = word.Example;
    syntax->Listed = word.Listed;
    appendWord(context, word.Name, NormalizeCategory(word.Category), syntax, word.Creator);
    context.WordTable[static_cast<std::size_t>(word.Number)] = word.Impl;
}

TWordBatch::TWordBatch(TLanguageInterpreter& context, int count)
    : m_context(context)
    , m_outer(context.WordIndexDeferred) {
    context.WordIndexDeferred = true;
    for (TSimpleStringList* list :
         {&context.WordNames, &context.WordIndex, &context.WordCategories, &context.WordCreators}) {
        list->Reserve(list->Count() + count);
    }
    context.WordSyntax.reserve(context.WordSyntax.size() + static_cast<std::size_t>(count));
}

TWordBatch::~TWordBatch() {
    m_context.WordIndexDeferred = m_outer;
    if (!m_outer) {
        m_context.WordIndex.Sort();
    }
}

void AddCategory(TLanguageInterpreter& context, std::string_view category) {
    if (context.Categories.IndexOf(category) < 0) {
        context.Categories.Add(category);
    }
}

int LookupWord(const TLanguageInterpreter& context, std::string_view name) {
    int index = 0;
    if (!context.WordIndex.Find(trimBlanksAndControls(name), index)) {
        return -1;
    }
    return static_cast<int>(context.WordIndex.Object(index));
}

int WordIndexOf(const TLanguageInterpreter& context, std::string_view name) {
    const int position = context.WordIndex.IndexOf(name);
    return position < 0 ? -1 : static_cast<int>(context.WordIndex.Object(position));
}

int RegisterUserWord(TLanguageInterpreter& context, std::string_view name,
                     std::string_view category, const TWordAttributes& attributes) {
    const auto report = [&](const std::string& message) {
        if (!attributes.Silent) {
            context.ReportError(message);
        }
    };
    if (name.empty()) {
        report(context.LanguageText(ltCannotRegister) + " " + quoted(name) + ". " +
               context.LanguageText(ltEmptyWordName));
        return rrEmptyName;
    }
    TSyntax* syntax = newUserSyntax(attributes);
    const std::string creator =
        attributes.Creator.empty() ? context.LanguageText(ltDefaultCreator) : attributes.Creator;
    if (!attributes.CodeText.empty()) {
        context.CompileExpression(attributes.CodeText, nullptr, syntax->Code);
        if (!syntax->Code.Code) {
            ReleaseSyntax(context, syntax);
            return rrBodyFailed;
        }
    }
    const std::string normalized = NormalizeCategory(category);
    if (context.Categories.IndexOf(normalized) < 0) {
        report(context.LanguageText(ltCannotRegister) + " " + quoted(name) + " " +
               context.LanguageText(ltUnknownCategory) + " " + quoted(normalized) + " " +
               context.LanguageText(ltUnknownCategoryEnd));
        ReleaseSyntax(context, syntax);
        return rrUnknownCategory;
    }
    bool dormant = false;
    const int index = findRegistration(context, name, dormant);
    if (index < 0) {
        appendWord(context, name, normalized, syntax, creator);
        return rrAdded;
    }
    if (index < kBuiltInWordCount) {
        report(context.LanguageText(ltBuiltInWord) + " " + quoted(name) + " " +
               context.LanguageText(ltBuiltInWordEnd));
        ReleaseSyntax(context, syntax);
        return rrBuiltInName;
    }
    const std::string oldName = context.WordNames[index];
    context.WordNames.SetString(index, name);
    context.WordCategories.SetString(index, normalized);
    RetireSyntax(context, context.WordSyntax[static_cast<std::size_t>(index)]);
    context.WordSyntax[static_cast<std::size_t>(index)] = syntax;
    context.WordCreators.SetString(index, creator);
    if (dormant || oldName != name) {
        replaceIndexEntry(context, oldName, name, index);
    }
    return rrReplaced;
}

bool RemoveUserWord(TLanguageInterpreter& context, std::string_view name) {
    const int index = WordIndexOf(context, name);
    if (index < kBuiltInWordCount) {
        return false;
    }
    const std::string dormantName = " " + context.WordNames[index];
    replaceIndexEntry(context, context.WordNames[index], dormantName, index);
    context.WordNames.SetString(index, dormantName);
    return true;
}

std::string NormalizeCategory(std::string_view category) {
    if (SameText(category, "Visualisation")) {
        return "Visualization";
    }
    if (category == "Atomparameters" || category == "atomparameters") {
        return "Atom Parameters";
    }
    if (category == "Atomposition") {
        return "Atom Position";
    }
    if (category == "Atomreference") {
        return "Atom Reference";
    }
    if (category == "Atomstatus") {
        return "Atom Status";
    }
    return std::string(category);
}

void RetireSyntax(TLanguageInterpreter& context, TSyntax*& syntax) {
    if (syntax && syntax->ActiveCalls > 0) {
        syntax->Retired = true;
        context.RetiredSyntax.push_back(syntax);
        syntax = nullptr;
        return;
    }
    ReleaseSyntax(context, syntax);
}

void ReleaseRetiredSyntax(TLanguageInterpreter& context, TSyntax* syntax) noexcept {
    auto& retired = context.RetiredSyntax;
    retired.erase(std::remove(retired.begin(), retired.end(), syntax), retired.end());
    ReleaseSyntax(context, syntax);
}

void ReleaseSyntax(TLanguageInterpreter& context, TSyntax*& syntax) noexcept {
    if (!syntax) {
        return;
    }
    context.ReleaseCode(syntax->Code.Code);
    delete syntax;
    syntax = nullptr;
}

std::string WordName(const TLanguageInterpreter& context, int wordNumber) {
    if (wordNumber < 1 || wordNumber > context.WordNames.Count()) {
        return {};
    }
    return context.WordNames[wordNumber - 1];
}

TSyntax* WordSyntaxOf(const TLanguageInterpreter& context, int wordNumber) noexcept {
    if (wordNumber < 1 || static_cast<std::size_t>(wordNumber) > context.WordSyntax.size()) {
        return nullptr;
    }
    return context.WordSyntax[static_cast<std::size_t>(wordNumber - 1)];
}

} // namespace vex
