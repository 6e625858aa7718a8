#pragma once

#include "runtime/CodeNode.h"
#include "runtime/SimpleStringList.h"
#include "runtime/Syntax.h"
#include "runtime/WordNumbers.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vex {

// A named constant the word overview lists besides the words.
struct TExtraEntry {
    // The constant's name, its category (a position in Categories), help text and example.
    std::string Name;
    std::int32_t Category = 0;
    std::string HelpText;
    std::string Example;
};

// One row of a built-in word table: number, name, category, implementation, argument range, help
// text and example. Word sets are declared as arrays of rows, one row per word.
//
// A word that gives a text also when that text is empty sets GivesText: an empty result of it
// then still counts as a text for the operators and text arguments ("+" joins, Concat adds
// nothing), where the empty result of another word counts as its number. The compiler gives its
// calls an entry that turns an empty result into TText::EmptyText(), so that the words that pass
// a value on keep its kind.
//
// The texts are plain C strings, so that a table of rows is initialised before any code runs.
struct TWordRow {
    // The word number, 1 to kBuiltInWordCount.
    int Number;
    // The name (looked up ignoring ASCII case) and the category name.
    const char* Name;
    const char* Category;
    // The implementation.
    TWordImpl Impl;
    // The fewest and the most arguments a call may have; checked when a call is compiled.
    std::uint8_t MinArgs;
    std::uint8_t MaxArgs;
    // The help text and an example, shown by the word overview and the word reference.
    const char* HelpText;
    const char* Example;
    // True when the word's result counts as a text even when it is empty (see above).
    bool GivesText = false;
    // Nonzero when the word is shown in the word overview and coloured as a word by the editor.
    std::uint8_t Listed = 1;
    // The word's choice of a quicker implementation for a call's particular arguments, or none.
    TWordSpecializer Specialize = nullptr;
};

// Attributes of a user-defined word, in registration order.
struct TWordAttributes {
    // The help text and an example, shown by the word overview.
    std::string HelpText;
    std::string Example;
    // The body; compiled when the word is registered and kept with it, sharing the text.
    TText CodeText;
    // The argument range, checked when a call is compiled.
    std::uint8_t MinArgs = 0;
    std::uint8_t MaxArgs = 0;
    // A byte of the registering code's own, kept with the word (TSyntax::OpaqueFlags).
    std::uint8_t OpaqueFlags = 0;
    // Shown by the word overview.
    std::uint8_t UpdateFlag = 0;
    // Nonzero when the word is shown in the word overview and coloured as a word by the editor.
    std::uint8_t Listed = 1;
    // Empty: the language's default creator text.
    std::string Creator;
    // Return codes only, no messages.
    bool Silent = false;
    // Registered early, before the definition has run (TSyntax::Provisional).
    bool Provisional = false;
};

// Results of TLanguageInterpreter::RegisterUserWord.
enum TRegisterResult : int {
    rrAdded = 1,
    rrReplaced = 2,
    rrBodyFailed = 0,
    rrEmptyName = -1,
    rrUnknownCategory = -2,
    rrBuiltInName = -3,
    // Every word number is taken (kMaxWordNumber words are registered).
    rrRegistryFull = -4,
};

// The word registry of a context: every word's name, category, creator and syntax record, the
// implementation of each built-in word, and the sorted index that names are looked up in. All
// lists are indexed by word index = word number - 1. Registration, which reports errors and
// compiles bodies, is an operation of the context (TLanguageInterpreter::RegisterUserWord); the
// registry holds the lists and answers lookups.
class TWordRegistry {
public:
    TWordRegistry() = default;
    TWordRegistry(const TWordRegistry&) = delete;
    TWordRegistry& operator=(const TWordRegistry&) = delete;

    // Implementation entry point of each built-in word by word number (slot 0 unused).
    std::array<TWordImpl, kBuiltInWordCount + 1> WordTable{};
    // The specializer of each built-in word by word number, or none (see TWordSpecializer).
    std::array<TWordSpecializer, kBuiltInWordCount + 1> SpecializerTable{};
    // The words whose result counts as a text even when it is empty (TWordRow::GivesText).
    std::array<bool, kBuiltInWordCount + 1> GivesTextTable{};
    // The word names in word-number order. A user-defined word whose name starts with one blank
    // is a dormant slot that a new registration of the name takes over.
    TSimpleStringList WordNames{false};
    // Every word name, sorted, with its word index as object: the lookup structure for names.
    TSimpleStringList WordIndex{true};
    // The category name of each word.
    TSimpleStringList WordCategories{false};
    // The creator text of each word.
    TSimpleStringList WordCreators{false};
    // The valid category names.
    TSimpleStringList Categories{false};
    // One syntax record per word, owned by the registry.
    std::vector<TSyntax*> WordSyntax;
    // Replaced syntax records whose bodies were still running when they were replaced.
    std::vector<TSyntax*> RetiredSyntax;
    // Named constants shown by the word overview.
    std::vector<TExtraEntry> ExtraEntries;
    // Set while a TWordBatch is open: the index is appended to and sorted when the batch ends.
    bool WordIndexDeferred = false;

    // Number of words registered.
    int Count() const noexcept { return WordNames.Count(); }
    // Word index of a name after trimming blanks and control characters at both ends, or -1.
    int Lookup(std::string_view name) const;
    // Word index of a name exactly as given, or -1.
    int IndexOf(std::string_view name) const;
    // The name of a word number, or empty.
    std::string Name(int wordNumber) const;
    // The syntax record of a word number, or none.
    TSyntax* Syntax(int wordNumber) const noexcept {
        // One unsigned comparison: a number below 1 wraps around to a huge index.
        const auto index = static_cast<std::size_t>(wordNumber) - 1;
        return index < WordSyntax.size() ? WordSyntax[index] : nullptr;
    }
    // Adds a category name to Categories (once).
    void AddCategory(std::string_view category);
    // Appends a word's entries to every list; returns its word index.
    int Append(std::string_view name, std::string_view category, TSyntax* syntax,
               std::string_view creator);
    // Moves a word's index entry from one spelling to another.
    void Reindex(std::string_view oldName, std::string_view newName, int wordIndex);
    // Ends one running call of a body; a retired record is released with its last call.
    void EndCall(TSyntax* syntax) noexcept {
        if (--syntax->ActiveCalls > 0 || !syntax->Retired) {
            return;
        }
        ReleaseRetired(syntax);
    }
    // Releases a replaced syntax record, or retires it while calls of its body are running, so
    // that a word redefined from inside its own body finishes the old body safely. The pointer
    // becomes none either way.
    void Retire(TSyntax*& syntax);
    // Releases every syntax record, retired ones included.
    void ReleaseAll() noexcept;

private:
    void ReleaseRetired(TSyntax* syntax) noexcept;
};

class TLanguageInterpreter;

// Registers many words at once: while a batch is open the word index is only appended to, and
// it is sorted once when the outermost batch closes (a stable sort, so the index ends as adding
// the words one by one would leave it). No word can be looked up while a batch is open.
class TWordBatch {
public:
    // `count` is how many words will be added, to make room for them at once.
    TWordBatch(TLanguageInterpreter& context, int count);
    TWordBatch(const TWordBatch&) = delete;
    TWordBatch& operator=(const TWordBatch&) = delete;
    ~TWordBatch();

private:
    TWordRegistry& m_registry;
    bool m_outer;
};

// Maps the historical spellings of category names to the current ones.
std::string NormalizeCategory(std::string_view category);
// Releases a syntax record with its texts and compiled code; the pointer becomes none.
void ReleaseSyntax(TSyntax*& syntax) noexcept;

} // namespace vex
