#pragma once

#include "runtime/CodeNode.h"
#include "runtime/Syntax.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vex {

class TLanguageInterpreter;

// The word registry lives in the context's lists, all indexed by word index = word number - 1.

// One row of a host's built-in word table.
struct TBuiltInWord {
    int Number; // 1 to 1667, in order
    std::string_view Name;
    std::string_view Category;
    TWordImpl Impl;
    std::uint8_t MinArgs;
    std::uint8_t MaxArgs;
    std::string_view HelpText;
    std::string_view Example;
    std::string_view Creator;
    std::uint8_t Listed = 1;
};

// Appends the next built-in word; its number must be the next free one. Throws
// std::logic_error when it is not (a fault in the host's table, not a user's).
void RegisterBuiltInWord(TLanguageInterpreter& context, const TBuiltInWord& word);
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
    TLanguageInterpreter& m_context;
    bool m_outer;
};

// Adds a category name to the list of valid categories (once).
void AddCategory(TLanguageInterpreter& context, std::string_view category);

// Attributes of a user-defined word, in registration order.
struct TWordAttributes {
    std::string HelpText;
    std::string Example;
    std::string CodeText;
    std::uint8_t MinArgs = 0;
    std::uint8_t MaxArgs = 0;
    std::uint8_t Flag3 = 0;
    std::uint8_t UpdateFlag = 0;
    std::uint8_t Listed = 1;
    std::string Creator;
    // Return codes only, no messages.
    bool Silent = false;
};

// Results of RegisterUserWord.
enum TRegisterResult : int {
    rrAdded = 1,
    rrReplaced = 2,
    rrBodyFailed = 0,
    rrEmptyName = -1,
    rrUnknownCategory = -2,
    rrBuiltInName = -3,
};

// Word index of a name after trimming blanks and control characters at both ends, or -1.
int LookupWord(const TLanguageInterpreter& context, std::string_view name);
// Word index of a name exactly as given, or -1.
int WordIndexOf(const TLanguageInterpreter& context, std::string_view name);
// Registers or replaces a user-defined word. A replaced word keeps its number, so code compiled
// earlier calls the new body. A failed registration changes nothing.
int RegisterUserWord(TLanguageInterpreter& context, std::string_view name,
                     std::string_view category, const TWordAttributes& attributes);
// Makes a user-defined word dormant: its name gains a leading blank, so a later registration of
// the name takes over its number. Returns false for an unknown or built-in name.
bool RemoveUserWord(TLanguageInterpreter& context, std::string_view name);
// Maps the historical spellings of category names to the current ones.
std::string NormalizeCategory(std::string_view category);
// Releases a syntax record with its texts and compiled code; the pointer becomes none.
void ReleaseSyntax(TLanguageInterpreter& context, TSyntax*& syntax) noexcept;
// Releases a replaced syntax record, or retires it while calls of its body are running, so that
// a word redefined from inside its own body finishes the old body safely. The pointer becomes
// none either way.
void RetireSyntax(TLanguageInterpreter& context, TSyntax*& syntax);
// Releases a retired record whose last running call has ended.
void ReleaseRetiredSyntax(TLanguageInterpreter& context, TSyntax* syntax) noexcept;
// Ends one running call of a body; releases a retired record with its last call.
inline void EndSyntaxCall(TLanguageInterpreter& context, TSyntax* syntax) noexcept {
    if (--syntax->ActiveCalls > 0 || !syntax->Retired) {
        return;
    }
    ReleaseRetiredSyntax(context, syntax);
}

// The name of a word number, or empty.
std::string WordName(const TLanguageInterpreter& context, int wordNumber);
// The syntax record of a word number, or none.
TSyntax* WordSyntaxOf(const TLanguageInterpreter& context, int wordNumber) noexcept;

} // namespace vex
