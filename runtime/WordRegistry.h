#pragma once

#include "runtime/CodeNode.h"
#include "runtime/SimpleStringList.h"
#include "runtime/Syntax.h"
#include "runtime/VexScript.h"
#include "runtime/WordNumbers.h"
#include "runtime/WordRow.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vex {

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

// Maps the historical spellings of category names to the current ones.
std::string NormalizeCategory(std::string_view category);
// Releases a syntax record with its texts and compiled code; the pointer becomes none.
void ReleaseSyntax(TSyntax*& syntax) noexcept;

} // namespace vex
