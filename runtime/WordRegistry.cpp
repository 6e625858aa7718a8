#include "runtime/WordRegistry.h"

#include "runtime/LanguageTexts.h"
#include "runtime/VexScript.h"

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

TSyntax* newUserSyntax(const TWordAttributes& attributes) {
    auto* syntax = new TSyntax;
    syntax->MinArgs = attributes.MinArgs;
    syntax->MaxArgs = attributes.MaxArgs;
    syntax->OpaqueFlags = attributes.OpaqueFlags;
    syntax->UpdateFlag = attributes.UpdateFlag;
    syntax->HelpText = attributes.HelpText;
    syntax->Example = attributes.Example;
    syntax->Listed = attributes.Listed;
    syntax->Provisional = attributes.Provisional;
    return syntax;
}

// Finds a registered name, or the dormant slot of it (the name with one blank in front).
int findRegistration(const TWordRegistry& registry, std::string_view name, bool& dormant) {
    dormant = false;
    int index = registry.IndexOf(name);
    if (index < 0) {
        index = registry.IndexOf(" " + std::string(name));
        dormant = index >= 0;
    }
    return index;
}

} // namespace

// The registry's lists ------------------------------------------------------------------------

int TWordRegistry::Lookup(std::string_view name) const {
    int index = 0;
    if (!WordIndex.Find(trimBlanksAndControls(name), index)) {
        return -1;
    }
    return static_cast<int>(WordIndex.Object(index));
}

int TWordRegistry::IndexOf(std::string_view name) const {
    const int position = WordIndex.IndexOf(name);
    return position < 0 ? -1 : static_cast<int>(WordIndex.Object(position));
}

std::string TWordRegistry::Name(int wordNumber) const {
    if (wordNumber < 1 || wordNumber > WordNames.Count()) {
        return {};
    }
    return WordNames[wordNumber - 1];
}

void TWordRegistry::AddCategory(std::string_view category) {
    if (Categories.IndexOf(category) < 0) {
        Categories.Add(category);
    }
}

int TWordRegistry::Append(std::string_view name, std::string_view category, TSyntax* syntax,
                          std::string_view creator) {
    const int index = WordNames.Count();
    WordNames.Add(name);
    if (WordIndexDeferred) {
        WordIndex.Append(name, index);
    } else {
        int position = 0;
        WordIndex.Find(name, position);
        WordIndex.Insert(position, name, index);
    }
    WordCategories.Add(category);
    WordSyntax.push_back(syntax);
    WordCreators.Add(creator);
    return index;
}

void TWordRegistry::Reindex(std::string_view oldName, std::string_view newName, int wordIndex) {
    int position = 0;
    if (WordIndex.Find(oldName, position)) {
        WordIndex.Delete(position);
    }
    WordIndex.Find(newName, position);
    WordIndex.Insert(position, newName, wordIndex);
}

void TWordRegistry::Retire(TSyntax*& syntax) {
    if (syntax && syntax->ActiveCalls > 0) {
        syntax->Retired = true;
        RetiredSyntax.push_back(syntax);
        syntax = nullptr;
        return;
    }
    ReleaseSyntax(syntax);
}

void TWordRegistry::ReleaseRetired(TSyntax* syntax) noexcept {
    RetiredSyntax.erase(std::remove(RetiredSyntax.begin(), RetiredSyntax.end(), syntax),
                        RetiredSyntax.end());
    ReleaseSyntax(syntax);
}

void TWordRegistry::ReleaseAll() noexcept {
    for (TSyntax*& syntax : WordSyntax) {
        ReleaseSyntax(syntax);
    }
    for (TSyntax*& syntax : RetiredSyntax) {
        ReleaseSyntax(syntax);
    }
    RetiredSyntax.clear();
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

void ReleaseSyntax(TSyntax*& syntax) noexcept {
    if (!syntax) {
        return;
    }
    TLanguageInterpreter::ReleaseCode(syntax->Code.Code);
    delete syntax;
    syntax = nullptr;
}

// Registration: operations of the context ---------------------------------------------------

void TLanguageInterpreter::RegisterBuiltInWord(const TWordRow& word, std::string_view creator) {
    if (word.Number != Registry.Count() + 1 || word.Number > kBuiltInWordCount) {
        throw std::logic_error("built-in word " + std::string(word.Name) +
                               " registered as number " + std::to_string(word.Number) +
                               ", expected " + std::to_string(Registry.Count() + 1));
    }
    auto* syntax = new TSyntax;
    syntax->MinArgs = word.MinArgs;
    syntax->MaxArgs = word.MaxArgs;
    syntax->HelpText = word.HelpText;
    syntax->Example = word.Example;
    syntax->Listed = word.Listed;
    Registry.Append(word.Name, NormalizeCategory(word.Category), syntax, creator);
    Registry.WordTable[static_cast<std::size_t>(word.Number)] = word.Impl;
    Registry.SpecializerTable[static_cast<std::size_t>(word.Number)] = word.Specialize;
}

TWordBatch::TWordBatch(TLanguageInterpreter& context, int count)
    : m_registry(context.Registry)
    , m_outer(context.Registry.WordIndexDeferred) {
    m_registry.WordIndexDeferred = true;
    for (TSimpleStringList* list : {&m_registry.WordNames, &m_registry.WordIndex,
                                    &m_registry.WordCategories, &m_registry.WordCreators}) {
        list->Reserve(list->Count() + count);
    }
    m_registry.WordSyntax.reserve(m_registry.WordSyntax.size() + static_cast<std::size_t>(count));
}

TWordBatch::~TWordBatch() {
    m_registry.WordIndexDeferred = m_outer;
    if (!m_outer) {
        m_registry.WordIndex.Sort();
    }
}

int TLanguageInterpreter::RegisterUserWord(std::string_view name, std::string_view category,
                                           const TWordAttributes& attributes) {
    const auto report = [&](const std::string& message) {
        if (!attributes.Silent) {
            ReportError(message);
        }
    };
    if (name.empty()) {
        report(LanguageText(ltCannotRegister) + " " + quoted(name) + ". " +
               LanguageText(ltEmptyWordName));
        return rrEmptyName;
    }
    TSyntax* syntax = newUserSyntax(attributes);
    const std::string creator =
        attributes.Creator.empty() ? LanguageText(ltDefaultCreator) : attributes.Creator;
    if (!attributes.CodeText.empty()) {
        try {
            CompileExpression(attributes.CodeText, nullptr, syntax->Code);
        } catch (...) {
            ReleaseSyntax(syntax);
            throw;
        }
        if (!syntax->Code.Code) {
            ReleaseSyntax(syntax);
            return rrBodyFailed;
        }
    }
    const std::string normalized = NormalizeCategory(category);
    if (Registry.Categories.IndexOf(normalized) < 0) {
        report(LanguageText(ltCannotRegister) + " " + quoted(name) + " " +
               LanguageText(ltUnknownCategory) + " " + quoted(normalized) + " " +
               LanguageText(ltUnknownCategoryEnd));
        ReleaseSyntax(syntax);
        return rrUnknownCategory;
    }
    bool dormant = false;
    const int index = findRegistration(Registry, name, dormant);
    if (index < 0 && Registry.Count() >= kMaxWordNumber) {
        // A code tree keeps a word number in 16 bits: a larger one would call another word.
        report(LanguageText(ltCannotRegister) + " " + quoted(name) + ". All " +
               std::to_string(kMaxWordNumber) + " word numbers are taken.");
        ReleaseSyntax(syntax);
        return rrRegistryFull;
    }
    if (index < 0) {
        Registry.Append(name, normalized, syntax, creator);
        return rrAdded;
    }
    if (index < kBuiltInWordCount) {
        report(LanguageText(ltBuiltInWord) + " " + quoted(name) + " " +
               LanguageText(ltBuiltInWordEnd));
        ReleaseSyntax(syntax);
        return rrBuiltInName;
    }
    const std::string oldName = Registry.WordNames[index];
    Registry.WordNames.SetString(index, name);
    Registry.WordCategories.SetString(index, normalized);
    Registry.Retire(Registry.WordSyntax[static_cast<std::size_t>(index)]);
    Registry.WordSyntax[static_cast<std::size_t>(index)] = syntax;
    Registry.WordCreators.SetString(index, creator);
    if (dormant || oldName != name) {
        Registry.Reindex(oldName, name, index);
    }
    return rrReplaced;
}

bool TLanguageInterpreter::RemoveUserWord(std::string_view name) {
    const int index = Registry.IndexOf(name);
    if (index < kBuiltInWordCount) {
        return false;
    }
    const std::string dormantName = " " + Registry.WordNames[index];
    Registry.Reindex(Registry.WordNames[index], dormantName, index);
    Registry.WordNames.SetString(index, dormantName);
    return true;
}

bool TLanguageInterpreter::IsWordListed(int wordNumber) const noexcept {
    const TSyntax* syntax = Registry.Syntax(wordNumber);
    if (!syntax || syntax->Listed == 0 || wordNumber > Registry.WordNames.Count())
        return false;
    // RemoveUserWord keeps a removed word's slot under its name with a blank in front.
    const std::string& name = Registry.WordNames[wordNumber - 1];
    return !name.empty() && name.front() != ' ';
}

} // namespace vex
