#pragma once

// The records a host registers words with: the rows of a built-in word table, the attributes of
// a user-defined word, the results of a registration, and the batch that registers many words at
// once.

#include "runtime/CodeNode.h"
#include "runtime/Text.h"

#include <cstdint>
#include <string>

namespace vex {

class TLanguageInterpreter;
class TWordRegistry;

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

} // namespace vex
