#include "runtime/WordRegistry.h"
#include "runtime/ContextParts.h"

#include "runtime/LanguageTexts.h"
#include "runtime/VexScript.h"
#include "runtime/VexWords.h"

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
    if (word.Number != Parts(*this).Registry.Count() + 1 || word.Number > kBuiltInWordCount) {
        throw std::logic_error("built-in word " + std::string(word.Name) +
                               " registered as number " + std::to_string(word.Number) +
                               ", expected " + std::to_string(Parts(*this).Registry.Count() + 1));
    }
    auto* syntax = new TSyntax;
    syntax->MinArgs = word.MinArgs;
    syntax->MaxArgs = word.MaxArgs;
    syntax->HelpText = word.HelpText;
    syntax->Example = word.Example;
    syntax->Listed = word.Listed;
    Parts(*this).Registry.Append(word.Name, NormalizeCategory(word.Category), syntax, creator);
    Parts(*this).Registry.WordTable[static_cast<std::size_t>(word.Number)] = word.Impl;
    Parts(*this).Registry.SpecializerTable[static_cast<std::size_t>(word.Number)] = word.Specialize;
    Parts(*this).Registry.GivesTextTable[static_cast<std::size_t>(word.Number)] = word.GivesText;
}

TWordBatch::TWordBatch(TLanguageInterpreter& context, int count)
    : m_registry(Parts(context).Registry)
    , m_outer(Parts(context).Registry.WordIndexDeferred) {
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
    if (Parts(*this).Registry.Categories.IndexOf(normalized) < 0) {
        report(LanguageText(ltCannotRegister) + " " + quoted(name) + " " +
               LanguageText(ltUnknownCategory) + " " + quoted(normalized) + " " +
               LanguageText(ltUnknownCategoryEnd));
        ReleaseSyntax(syntax);
        return rrUnknownCategory;
    }
    bool dormant = false;
    const int index = findRegistration(Parts(*this).Registry, name, dormant);
    if (index < 0 && Parts(*this).Registry.Count() >= kMaxWordNumber) {
        // A code tree keeps a word number in 16 bits: a larger one would call another word.
        report(LanguageText(ltCannotRegister) + " " + quoted(name) + ". All " +
               std::to_string(kMaxWordNumber) + " word numbers are taken.");
        ReleaseSyntax(syntax);
        return rrRegistryFull;
    }
    if (index < 0) {
        Parts(*this).Registry.Append(name, normalized, syntax, creator);
        return rrAdded;
    }
    if (index < kBuiltInWordCount) {
        report(LanguageText(ltBuiltInWord) + " " + quoted(name) + " " +
               LanguageText(ltBuiltInWordEnd));
        ReleaseSyntax(syntax);
        return rrBuiltInName;
    }
    const std::string oldName = Parts(*this).Registry.WordNames[index];
    Parts(*this).Registry.WordNames.SetString(index, name);
    Parts(*this).Registry.WordCategories.SetString(index, normalized);
    Parts(*this).Registry.Retire(Parts(*this).Registry.WordSyntax[static_cast<std::size_t>(index)]);
    Parts(*this).Registry.WordSyntax[static_cast<std::size_t>(index)] = syntax;
    Parts(*this).Registry.WordCreators.SetString(index, creator);
    if (dormant || oldName != name) {
        Parts(*this).Registry.Reindex(oldName, name, index);
    }
    return rrReplaced;
}

bool TLanguageInterpreter::RemoveUserWord(std::string_view name) {
    const int index = Parts(*this).Registry.IndexOf(name);
    if (index < kBuiltInWordCount) {
        return false;
    }
    const std::string dormantName = " " + Parts(*this).Registry.WordNames[index];
    Parts(*this).Registry.Reindex(Parts(*this).Registry.WordNames[index], dormantName, index);
    Parts(*this).Registry.WordNames.SetString(index, dormantName);
    return true;
}

bool TLanguageInterpreter::IsWordListed(int wordNumber) const noexcept {
    const TSyntax* syntax = Parts(*this).Registry.Syntax(wordNumber);
    if (!syntax || syntax->Listed == 0 || wordNumber > Parts(*this).Registry.WordNames.Count())
        return false;
    // RemoveUserWord keeps a removed word's slot under its name with a blank in front.
    const std::string& name = Parts(*this).Registry.WordNames[wordNumber - 1];
    return !name.empty() && name.front() != ' ';
}

namespace {

bool BeginsWith(std::string_view name, std::string_view prefix) noexcept {
    return name.size() >= prefix.size() && SameText(name.substr(0, prefix.size()), prefix);
}

// The first entry of the sorted word index whose name begins with `prefix`, or where it would
// stand. The index is in CompareText order, so the names' starts as long as the prefix are too.
int FirstEntryBeginningWith(const TSimpleStringList& index, std::string_view prefix) noexcept {
    int low = 0;
    int high = index.Count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (CompareText(std::string_view(index[middle]).substr(0, prefix.size()), prefix) < 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

} // namespace

std::vector<std::string>
TLanguageInterpreter::ListedWordsBeginningWith(std::string_view prefix) const {
    std::vector<std::string> names;
    const TWordRegistry& registry = Parts(*this).Registry;
    if (registry.WordIndexDeferred) {
        return names;
    }
    const TSimpleStringList& index = registry.WordIndex;
    for (int entry = FirstEntryBeginningWith(index, prefix);
         entry < index.Count() && BeginsWith(index[entry], prefix); ++entry) {
        if (IsWordListed(static_cast<int>(index.Object(entry)) + 1)) {
            names.push_back(index[entry]);
        }
    }
    return names;
}

std::string TLanguageInterpreter::WordName(int wordNumber) const {
    return Parts(*this).Registry.Name(wordNumber);
}

void TLanguageInterpreter::AddCategory(std::string_view category) {
    Parts(*this).Registry.AddCategory(category);
}

int TLanguageInterpreter::WordCount() const noexcept {
    return Parts(*this).Registry.Count();
}

namespace {

std::string EntryOf(const TSimpleStringList& list, int wordNumber) {
    return wordNumber >= 1 && wordNumber <= list.Count() ? list[wordNumber - 1] : std::string();
}

} // namespace

std::string TLanguageInterpreter::WordCategory(int wordNumber) const {
    return EntryOf(Parts(*this).Registry.WordCategories, wordNumber);
}

std::string TLanguageInterpreter::WordCreator(int wordNumber) const {
    return EntryOf(Parts(*this).Registry.WordCreators, wordNumber);
}

std::vector<std::string> TLanguageInterpreter::Categories() const {
    const TSimpleStringList& categories = Parts(*this).Registry.Categories;
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(categories.Count()));
    for (int i = 0; i < categories.Count(); ++i) {
        names.push_back(categories[i]);
    }
    return names;
}

const std::vector<TExtraEntry>& TLanguageInterpreter::Constants() const noexcept {
    return Parts(*this).Registry.ExtraEntries;
}

bool TLanguageInterpreter::RegisteringWords() const noexcept {
    return Parts(*this).Registry.WordIndexDeferred;
}

bool TLanguageInterpreter::AddConstant(std::string_view name, std::string_view category,
                                       std::string_view helpText, std::string_view example) {
    TWordRegistry& registry = Parts(*this).Registry;
    const int index = registry.Categories.IndexOf(category);
    if (index < 0) {
        return false;
    }
    registry.ExtraEntries.push_back(
        {std::string(name), index, std::string(helpText), std::string(example)});
    return true;
}

bool ReplaceWordImplementation(TLanguageInterpreter& context, int wordNumber,
                               TWordImpl implementation) noexcept {
    if (wordNumber < 1 || wordNumber > kBuiltInWordCount) {
        return false;
    }
    Parts(context).Registry.WordTable[static_cast<std::size_t>(wordNumber)] = implementation;
    return true;
}

} // namespace vex
