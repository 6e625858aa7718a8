#include "runtime/Parser.h"
#include "runtime/ContextParts.h"

#include "runtime/Engine.h"
#include "runtime/LanguageTexts.h"
#include "runtime/NodeArena.h"
#include "runtime/NumberText.h"
#include "runtime/SimpleStringList.h"
#include "runtime/SourceMap.h"
#include "runtime/SourcePreparation.h"
#include "runtime/VexScript.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstring>
#include <functional>
#include <unordered_map>

// Sections:
//   [names]         finding a piece's name and its argument list
//   [binding]       bare names bound to the current object or GUI instance
//   [calls]         ParseCall and ResolveWord
//   [declarations]  words acted on while parsing
//   [nodes]         ParseNode

namespace vex {

namespace {

constexpr std::string_view kExtraLocalsMessage =
    "Cannot create extra local variables on shared stack space.";
constexpr std::string_view kNonStaticLocalMessage =
    "Cannot create local variable with non-static name.";

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

void reportCompileError(TLanguageInterpreter& context, TCompileState& state,
                        const std::string& message) {
    state.CompileFailed = true;
    context.ReportError(message);
}

// [names] -------------------------------------------------------------------------------------

// The characters that open or close a list or a text constant. Scans over long texts skip every
// other character with one table lookup.
constexpr std::array<bool, 256> kNestingCharacters = [] {
    std::array<bool, 256> table{};
    for (const unsigned char c : {'(', ')', '[', ']'}) {
        table[c] = true;
    }
    return table;
}();

// The characters of the infix operators.
constexpr std::array<bool, 256> kOperatorCharacters = [] {
    std::array<bool, 256> table{};
    for (const unsigned char c : {':', '=', '<', '>', '&', '|', '^', '%', '*', '/', '+', '-'}) {
        table[c] = true;
    }
    return table;
}();

// The nesting characters and the comma: the characters a split of an argument list acts on.
constexpr std::array<bool, 256> kListCharacters = [] {
    std::array<bool, 256> table = kNestingCharacters;
    table[static_cast<unsigned char>(',')] = true;
    return table;
}();

// The first position from `i` on, before `end`, that holds a nesting character or a comma; `end`
// when there is none. Two characters per step, each tested on its own.
std::size_t nextListCharacter(std::string_view list, std::size_t i, std::size_t end) {
    const auto isListCharacter = [&list](std::size_t k) {
        return kListCharacters[static_cast<unsigned char>(list[k])];
    };
    for (; i + 1 < end; i += 2) {
        if (isListCharacter(i)) {
            return i;
        }
        if (isListCharacter(i + 1)) {
            return i + 1;
        }
    }
    return i < end && isListCharacter(i) ? i : end;
}

bool isNesting(char c) {
    return kNestingCharacters[static_cast<unsigned char>(c)];
}

// Position of the opening character that matches the closing one at the end of the text, with
// bracketed parts skipped when matching parentheses; npos when there is none.
std::size_t openingOfFinalList(std::string_view text) {
    const char close = text.back();
    const char open = close == ')' ? '(' : '[';
    int depth = 0;
    int brackets = 0;
    for (std::size_t i = text.size(); i-- > 0;) {
        const char c = text[i];
        if (!isNesting(c)) {
            continue;
        }
        if (close == ')') {
            if (c == ']') {
                ++brackets;
                continue;
            }
            if (c == '[' && brackets > 0) {
                --brackets;
                continue;
            }
            if (brackets > 0) {
                continue;
            }
        }
        if (c == close) {
            ++depth;
        } else if (c == open && --depth == 0) {
            return i;
        }
    }
    return std::string_view::npos;
}

// The name of a piece: the text without its final argument list.
std::string_view nameOfPiece(std::string_view text) {
    if (text.empty() || (text.back() != ')' && text.back() != ']')) {
        return text;
    }
    const std::size_t open = openingOfFinalList(text);
    return open == std::string_view::npos ? text : text.substr(0, open);
}

// The length of the name of a piece "name(...)" whose name holds no bracket or parenthesis and
// does not mix operator characters with others: the form of a word call and of a converted
// operator. npos for other pieces. The name equals nameOfPiece's exactly when the final ')'
// closes the '(' after the name, which splitArguments tells while it splits the list; so the
// piece is scanned once instead of once backwards for the name and once forwards for the list.
std::size_t tentativeNameLength(std::string_view text) {
    if (text.size() < 2 || text.back() != ')') {
        return std::string_view::npos;
    }
    bool operators = false;
    bool others = false;
    std::size_t i = 0;
    for (; !isNesting(text[i]); ++i) {
        (kOperatorCharacters[static_cast<unsigned char>(text[i])] ? operators : others) = true;
    }
    return text[i] == '(' && !(operators && others) ? i : std::string_view::npos;
}

// Splits the argument list of a call, from after the opening character through the closing
// one, at the commas outside brackets and parentheses; the closing character counts as a final
// comma. The first character of an argument is always taken, even a comma. The pieces are views
// into `list`, except that an argument running through the final comma (in malformed text) ends
// with that comma, which is kept in `tail`.
//
// Returns true when the list is balanced: no ']' without its '[', no ')' closing the opening
// character, and every bracket and parenthesis closed when the closing character comes. Then,
// for a list that ends with ')' after a name without nesting characters, that ')' closes the
// '(' after the name (the reverse scan of openingOfFinalList finds the same pairs).
bool splitArguments(std::string_view list, std::string& tail, std::vector<std::string_view>& args) {
    args.clear();
    bool balanced = true;
    const std::size_t size = list.size();
    const std::size_t last = size - 1;
    std::size_t start = 0;
    while (start < size) {
        int brackets = 0;
        int parentheses = 0;
        std::size_t i = start;
        for (; i < last; ++i) {
            i = nextListCharacter(list, i, last);
            if (i == last) {
                break;
            }
            const char c = list[i];
            const bool first = i == start;
            if (c == '[') {
                ++brackets;
            } else if (c == ']') {
                balanced = balanced && brackets > 0;
                brackets = brackets > 0 ? brackets - 1 : 0;
            } else if (brackets == 0 && c == '(') {
                ++parentheses;
            } else if (brackets == 0 && c == ')') {
                balanced = balanced && parentheses > 0;
                --parentheses;
            } else if (c == ',' && !first && brackets == 0 && parentheses == 0) {
                break;
            }
        }
        if (i == last) {
            // The closing character, taken as a comma; it ends the argument only outside
            // brackets and parentheses, and not as the argument's first character.
            balanced = balanced && brackets == 0 && parentheses == 0;
            if (i == start || brackets != 0 || parentheses != 0) {
                i = size;
            }
        }
        if (i == size) {
            tail = std::string(list.substr(start));
            tail.back() = ',';
            args.emplace_back(tail);
        } else {
            args.push_back(list.substr(start, i - start));
        }
        start = i + 1;
    }
    return balanced;
}

// [binding] -----------------------------------------------------------------------------------

struct TBoundName {
    enum Kind {
        None,
        StoredEntry,
        NamedAttribute
    } kind = None;
    int position = 0;
};

TBoundName findBoundName(const TGuiBinding& binding, std::string_view name) {
    if (const TBindingInstance* instance = binding.CurrentInstance) {
        for (int i = 1; i <= instance->StoredEntryCount(); ++i) {
            if (SameText(instance->StoredEntryName(i), name)) {
                return {TBoundName::StoredEntry, i};
            }
        }
    }
    if (const TBindingObject* object = binding.CurrentObject) {
        for (int i = 1; i <= object->NamedAttributeCount(); ++i) {
            if (SameText(object->NamedAttributeName(i), name)) {
                return {TBoundName::NamedAttribute, i};
            }
        }
    }
    return {};
}

void warnBoundNameIsWord(TLanguageInterpreter& context, const TGuiBinding& binding,
                         std::string_view name) {
    std::string description;
    if (const TBindingObject* object = binding.CurrentObject) {
        description = context.LanguageText(ltObject) + " " + object->Name() + " (" +
                      context.LanguageText(ltObjectId) + std::to_string(object->Id()) + ") ";
    }
    context.ReportError(description + context.LanguageText(ltBoundNameIsWord) + " " + quoted(name) +
                        " " + context.LanguageText(ltBoundNameIsWordEnd));
}

int rewriteBoundName(const TGuiBinding& binding, const TBoundName& bound, std::string& text,
                     std::string_view& name) {
    if (bound.kind == TBoundName::NamedAttribute) {
        text = "NamedAtt(" + std::to_string(bound.position) + ",c)";
        name = "NamedAtt";
        return wnNamedAtt;
    }
    const std::int32_t reference = binding.CurrentInstance->Reference();
    text = "GUIInstance(" + std::to_string(reference) + ",GUIStore(" +
           std::to_string(bound.position) + "))";
    name = "GUIInstance";
    return wnGuiInstance;
}

// The text of one call while its arguments are parsed. The texts are views: into the source, or
// into Storage when a rewrite (protected code, a label, a bound name, the operators) produced
// the piece, so that a call costs no copy of its text unless it is rewritten.
struct TCallText {
    std::string_view Text;
    std::string_view Name;
    int WordNumber = 0;
    std::vector<std::string_view> Args;
    std::string Storage;
    std::string Tail; // see splitArguments
    // Set while Name is the tentative name of tentativeNameLength, until the split confirms it.
    bool NameIsTentative = false;

    void Replace(std::string&& text) {
        Storage = std::move(text);
        Text = Storage;
    }
};

// The results of the word and variable searches of one compile, by spelling, so that a name met
// again costs one hash lookup instead of a search of the sorted lists. The parser clears it
// whenever parsing itself may change words or variables: after a declaration word, an early
// registration, or anything evaluated while parsing.
class TLookupCache {
public:
    int WordIndex(const TLanguageInterpreter& context, std::string_view name) {
        if (IsOperatorExpression(name)) {
            return IsNoWordName(context, name) ? -1 : context.LookupWord(name);
        }
        const auto found = m_words.find(name);
        if (found != m_words.end()) {
            return found->second;
        }
        const int index = context.LookupWord(name);
        m_words.emplace(std::string(name), index);
        return index;
    }

    // The cached variable of a spelling; false when the spelling was not looked up yet.
    bool FindVariable(std::string_view name, TVariable*& var, bool& local) const {
        const auto found = m_variables.find(name);
        if (found == m_variables.end()) {
            return false;
        }
        var = found->second.Var;
        local = found->second.Local;
        return true;
    }
    void AddVariable(std::string_view name, TVariable* var, bool local) {
        m_variables.emplace(std::string(name), TVariableEntry{var, local});
    }

    void Clear() {
        m_words.clear();
        m_variables.clear();
        m_mixedNamesChecked = false;
        m_mixedLookups = 0;
    }

private:
    // Lookups of mixed names in one compile before the parser checks whether any word has such
    // a name; a short text does not pay for the check.
    static constexpr int kMixedLookupsBeforeCheck = 64;

    // A name that mixes operator characters with others, such as "x:=y*2+Max" before the
    // operators are converted: nearly every one is met once, so caching it would only cost.
    static bool IsOperatorExpression(std::string_view name) {
        bool operators = false;
        bool others = false;
        for (const char c : name) {
            (kOperatorCharacters[static_cast<unsigned char>(c)] ? operators : others) = true;
            if (operators && others) {
                return true;
            }
        }
        return false;
    }

    // True when the mixed name is surely no word: no word name mixes operator characters with
    // others (the lookup ignores ASCII case, which changes no operator character), and the name
    // has no blank or control character at its ends, which the lookup would trim.
    bool IsNoWordName(const TLanguageInterpreter& context, std::string_view name) {
        if (static_cast<unsigned char>(name.front()) <= ' ' ||
            static_cast<unsigned char>(name.back()) <= ' ') {
            return false;
        }
        if (!m_mixedNamesChecked) {
            if (++m_mixedLookups < kMixedLookupsBeforeCheck) {
                return false;
            }
            m_mixedNamesChecked = true;
            m_someWordIsMixed = false;
            const TSimpleStringList& words = Parts(context).Registry.WordIndex;
            for (int i = 0; i < words.Count() && !m_someWordIsMixed; ++i) {
                m_someWordIsMixed = IsOperatorExpression(words[i]);
            }
        }
        return !m_someWordIsMixed;
    }

    // Names are short: up to 16 bytes are read as two (possibly overlapping) words and mixed by
    // multiplication; longer ones go to the standard hash.
    struct THash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const noexcept {
            const std::size_t size = text.size();
            if (size > 16) {
                return std::hash<std::string_view>{}(text);
            }
            const char* p = text.data();
            std::uint64_t first = 0;
            std::uint64_t second = 0;
            if (size >= 8) {
                std::memcpy(&first, p, 8);
                std::memcpy(&second, p + size - 8, 8);
            } else if (size >= 4) {
                std::uint32_t a = 0;
                std::uint32_t b = 0;
                std::memcpy(&a, p, 4);
                std::memcpy(&b, p + size - 4, 4);
                first = a;
                second = b;
            } else if (size > 0) {
                first = static_cast<unsigned char>(p[0]) |
                        static_cast<std::uint64_t>(static_cast<unsigned char>(p[size / 2])) << 8 |
                        static_cast<std::uint64_t>(static_cast<unsigned char>(p[size - 1])) << 16;
            }
            const std::uint64_t mixed =
                (first * 0x9E3779B97F4A7C15ull) ^ (second * 0xC2B2AE3D27D4EB4Full) ^ size;
            return static_cast<std::size_t>(mixed ^ (mixed >> 29));
        }
    };
    struct TVariableEntry {
        TVariable* Var;
        bool Local;
    };
    std::unordered_map<std::string, int, THash, std::equal_to<>> m_words;
    std::unordered_map<std::string, TVariableEntry, THash, std::equal_to<>> m_variables;
    int m_mixedLookups = 0;
    bool m_mixedNamesChecked = false;
    bool m_someWordIsMixed = false;
};

// What a compile keeps from one call to the next: its compile state, the lookup results and the
// operator conversion's working storage.
struct TParseState {
    explicit TParseState(TCompileState& compile)
        : Compile(compile) {}
    TCompileState& Compile;
    TLookupCache Cache;
    TOperatorConverter Converter;
};

void parseCall(TLanguageInterpreter& context, std::string_view text, TCallText& call,
               TParseState& state, bool tentative);

// [calls] -------------------------------------------------------------------------------------

void checkArgumentCount(TLanguageInterpreter& context, TCompileState& state,
                        const TCallText& call) {
    const int count = static_cast<int>(call.Args.size());
    const TSyntax* syntax = context.WordSyntaxOf(call.WordNumber);
    if (!syntax || (count >= syntax->MinArgs && count <= syntax->MaxArgs)) {
        return;
    }
    std::string message = context.LanguageText(ltWrongCount) + " " +
                          quoted(context.WordName(call.WordNumber)) + " " +
                          context.LanguageText(ltWrongCountGiven) + " " + std::to_string(count) +
                          " " + context.LanguageText(count == 1 ? ltArgument : ltArguments) + ", " +
                          context.LanguageText(ltExpected) + " " + std::to_string(syntax->MinArgs);
    if (syntax->MinArgs < syntax->MaxArgs) {
        message += " " + context.LanguageText(ltOrMore) + ", " + std::to_string(syntax->MaxArgs) +
                   " " + context.LanguageText(ltAtMost);
    }
    message += " " + context.LanguageText(ltWrongCountIn) + " " + state.SourceText;
    reportCompileError(context, state, message);
}

// [declarations] ------------------------------------------------------------------------------

std::uint8_t localKindOf(int wordNumber) {
    switch (wordNumber) {
    case wnLocalText:
        return vkText;
    case wnLocalObj:
        return vkReference;
    case wnLocalIntf:
        return vkInterface;
    default:
        return vkNumber;
    }
}

// The words that carry a declared variable record after their arguments.
bool carriesDeclaredEntry(int wordNumber) {
    switch (wordNumber) {
    case wnDeclareGlobal:
    case wnGlobal:
    case wnLocalText:
    case wnLocalNum:
    case wnLocalObj:
    case wnLocalIntf:
    case wnLocal:
        return true;
    default:
        return false;
    }
}

// Unwinds the whole parse once the nesting limit is passed.
struct TParseDepthExceeded {};

int nearestInteger(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded > -1e9 && rounded < 1e9)) {
        return -1;
    }
    return static_cast<int>(rounded);
}

} // namespace

// The state of one compile: the code being built and how deep the parser is.
class TParser {
public:
    TParser(TLanguageInterpreter& context, TCompileState& compile, TCompiledCode& code,
            const TCompiledCode* outer, TNodeArena& arena)
        : m_context(context)
        , m_compile(compile)
        , m_code(code)
        , m_outer(outer)
        , m_arena(arena)
        , m_withLinks(!Parts(context).Debug.Suppressed() && !Parts(context).Debug.ReleaseMode)
        , m_state(compile) {}

    TCodeNode* Node(std::string_view text);

private:
    // A piece of text that a rewrite (the operators, a label, protected code) replaced: the
    // operands in the rewritten text stand in the piece as written, in the same order, so they
    // are found again there from a cursor that moves on as the parser does.
    struct TRewrittenPiece {
        std::string_view Rewritten;
        std::string_view Piece;
        std::int32_t Offset = 0;
        std::size_t Cursor = 0;
    };
    // Where a text the parser reads starts in the prepared text, or -1. A text found in a
    // rewritten piece sets `piece` and `found`, and the piece's cursor to it.
    std::int32_t Locate(std::string_view text, std::size_t& piece, std::size_t& found);
    TCodeNode* PlacedNode(std::string_view text);
    TCodeNode* NodeOf(std::string_view text);

    TCodeNode* Constant(std::string_view text);
    TCodeNode* VariableRead(std::string_view text);
    void FindVariableOf(std::string_view name, TVariable*& var, bool& local) const;
    TCodeNode* Call(std::string_view text);
    void ParseArguments(TCallNode& node, const TCallText& call);
    void PlaceArguments(TSourceMap& sources, TCallNode& node, const TCallText& call,
                        std::string_view piece);
    // Gives the node the implementation its word chooses for these arguments, if any.
    void Specialize(TCallNode& node) const;
    void ActOnDeclaration(TCallNode& node);
    void DeclareGlobal(TCallNode& node);
    void DeclareLocals(TCallNode& node);
    void DeclareComputedLocal(TCallNode& node);
    void RegisterEarly(const TCallNode& node);
    bool MayDeclareLocals(const TCallNode& node);
    double EvaluateNow(TCallNode& declaration, TCodeNode* node);
    // Only the declaration words get room for the extra entry (see carriesDeclaredEntry).
    static void AppendExtraEntry(TCallNode& node, TVariable* var) {
        node.Args()[node.ArgCount] = reinterpret_cast<TCodeNode*>(var);
        node.Flags |= nfDeclaredEntry;
    }

    // Reports a compile error and marks the compile as failed.
    void Fail(const std::string& message) { reportCompileError(m_context, m_compile, message); }

    TLanguageInterpreter& m_context;
    TCompileState& m_compile;
    TCompiledCode& m_code;
    const TCompiledCode* m_outer;
    TNodeArena& m_arena;
    bool m_withLinks;
    int m_depth = 0;
    TParseState m_state;
    // The argument list room of each nesting depth; reserved for the deepest nesting at the first
    // call, so that growing it never moves a list a shallower call is using.
    std::vector<std::vector<std::string_view>> m_argumentLists;
    // While the compile keeps the nodes' places: the rewritten pieces being parsed, innermost
    // last, and the offset of the node being made (-1 when not known).
    std::vector<TRewrittenPiece> m_rewritten;
    std::int32_t m_nodeOffset = -1;
};

// Removes the outer parentheses of a text as long as it is wholly enclosed by one pair. Only
// parentheses count. One pass pairs them up, so that many redundant pairs cost linear time.
static std::string_view stripEnclosingParentheses(std::string_view text) {
    if (text.size() < 2 || text.front() != '(' || text.back() != ')') {
        return text;
    }
    std::vector<std::size_t> open;
    std::vector<std::size_t> match(text.size(), std::string_view::npos);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(') {
            open.push_back(i);
        } else if (text[i] == ')' && !open.empty()) {
            match[open.back()] = i;
            open.pop_back();
        }
    }
    std::size_t first = 0;
    std::size_t last = text.size() - 1;
    while (first < last && text[first] == '(' && match[first] == last) {
        ++first;
        --last;
    }
    return text.substr(first, last + 1 - first);
}

TCodeNode* TParser::Node(std::string_view text) {
    struct DepthScope {
        int& depth;
        explicit DepthScope(int& d)
            : depth(++d) {}
        ~DepthScope() { --depth; }
    } scope(m_depth);
    if (m_depth > kMaxParseDepth) {
        Fail(m_context.LanguageText(ltNestedTooDeep) + " " + m_compile.SourceText);
        throw TParseDepthExceeded();
    }
    text = stripEnclosingParentheses(text);
    if (m_compile.Sources) [[unlikely]] {
        return PlacedNode(text);
    }
    // Written out here rather than through NodeOf: the parse of deep nesting keeps its frames as
    // small as they were.
    if (TCodeNode* constant = Constant(text)) {
        return constant;
    }
    if (TCodeNode* read = VariableRead(text)) {
        return read;
    }
    return Call(text);
}

TCodeNode* TParser::NodeOf(std::string_view text) {
    if (TCodeNode* constant = Constant(text)) {
        return constant;
    }
    if (TCodeNode* read = VariableRead(text)) {
        return read;
    }
    return Call(text);
}

std::int32_t TParser::Locate(std::string_view text, std::size_t& piece, std::size_t& found) {
    const std::string_view source = m_compile.SourceText;
    const auto within = [&](std::string_view outer) {
        return text.data() >= outer.data() && text.data() <= outer.data() + outer.size();
    };
    if (within(source)) {
        return static_cast<std::int32_t>(text.data() - source.data());
    }
    for (std::size_t i = m_rewritten.size(); i-- > 0;) {
        TRewrittenPiece& rewritten = m_rewritten[i];
        if (!within(rewritten.Rewritten)) {
            continue;
        }
        found = rewritten.Piece.find(text, rewritten.Cursor);
        if (found == std::string_view::npos) {
            return -1;
        }
        piece = i;
        rewritten.Cursor = found;
        return rewritten.Offset + static_cast<std::int32_t>(found);
    }
    return -1;
}

// A node with its place recorded: a call is recorded before its arguments (Call), a constant or
// a variable read here. A leaf that is not found again in its rewritten piece takes the piece's
// start.
TCodeNode* TParser::PlacedNode(std::string_view text) {
    std::size_t piece = std::string_view::npos;
    std::size_t found = 0;
    std::int32_t offset = Locate(text, piece, found);
    const std::int32_t saved = m_nodeOffset;
    m_nodeOffset = offset;
    TCodeNode* node = NodeOf(text);
    m_nodeOffset = saved;
    if (!node->IsCall()) {
        if (offset < 0 && !m_rewritten.empty()) {
            offset = m_rewritten.back().Offset;
        }
        m_compile.Sources->Add(*node, offset);
    }
    if (piece != std::string_view::npos) {
        std::size_t& cursor = m_rewritten[piece].Cursor;
        cursor = std::max(cursor, found + text.size());
    }
    return node;
}

// A number starts with a sign, a digit or a point; other pieces need no number test.
static bool couldStartNumber(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-';
}

TCodeNode* TParser::Constant(std::string_view text) {
    if (text.empty()) {
        return NewNumberNode(m_arena, 0, m_withLinks);
    }
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
        return NewTextNode(m_arena, text.substr(1, text.size() - 2), m_withLinks);
    }
    double value = 0;
    if (couldStartNumber(text.front()) && TextToNumber(text, value)) {
        return NewNumberNode(m_arena, value, m_withLinks);
    }
    return nullptr;
}

// Variables are declared through DeclareVariable, which admits valid names only: after the first
// character nothing but ASCII letters, digits and underscores. Calls and operator pieces fail
// this at once and need no search of the variable sets.
static bool CouldBeVariableName(std::string_view text) {
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && !(c >= '0' && c <= '9') && c != '_') {
            return false;
        }
    }
    return !text.empty() && !(text[0] >= '0' && text[0] <= '9');
}

// Locals hide globals: the outer code's locals (or this code's), then the globals.
TCodeNode* TParser::VariableRead(std::string_view text) {
    if (!CouldBeVariableName(text)) {
        return nullptr;
    }
    TVariable* var = nullptr;
    bool local = false;
    if (!m_state.Cache.FindVariable(text, var, local)) {
        FindVariableOf(text, var, local);
        m_state.Cache.AddVariable(text, var, local);
    }
    return var ? NewVariableNode(m_arena, var, local, m_withLinks) : nullptr;
}

void TParser::FindVariableOf(std::string_view name, TVariable*& var, bool& local) const {
    const TVariables* locals = m_outer ? m_outer->Variables : m_code.Variables;
    local = true;
    var = locals ? FindVariable(*locals, name) : nullptr;
    if (!var) {
        local = false;
        var = m_context.FindGlobal(name);
    }
}

TCodeNode* TParser::Call(std::string_view text) {
    TCallText call;
    // The argument list of each nesting depth keeps its room from one call to the next.
    if (m_argumentLists.capacity() == 0) {
        m_argumentLists.reserve(kMaxParseDepth);
    }
    if (m_argumentLists.size() < static_cast<std::size_t>(m_depth)) {
        m_argumentLists.resize(static_cast<std::size_t>(m_depth));
    }
    std::vector<std::string_view>& room = m_argumentLists[static_cast<std::size_t>(m_depth - 1)];
    call.Args.swap(room);
    struct GiveBack {
        std::vector<std::string_view>& room;
        std::vector<std::string_view>& args;
        ~GiveBack() { room.swap(args); }
    } giveBack{room, call.Args};
    parseCall(m_context, text, call, m_state, true);
    const int argCount = static_cast<int>(call.Args.size());
    TCallNode* node =
        NewCallNode(m_arena, argCount, carriesDeclaredEntry(call.WordNumber), m_withLinks);
    node->ArgCount = static_cast<std::uint8_t>(argCount);
    node->WordNumber = static_cast<std::uint16_t>(call.WordNumber);
    if (call.WordNumber >= 1 && call.WordNumber <= kBuiltInWordCount) {
        node->Impl = Parts(m_context).Registry.WordTable[static_cast<std::size_t>(call.WordNumber)];
    } else if (call.WordNumber > kBuiltInWordCount) {
        node->Impl = CallUserWordEntry;
    }
    if (call.WordNumber != 0) {
        checkArgumentCount(m_context, m_compile, call);
    }
    if (TSourceMap* sources = m_compile.Sources) {
        PlaceArguments(*sources, *node, call, text);
    } else {
        ParseArguments(*node, call);
    }
    ActOnDeclaration(*node);
    Specialize(*node);
    return node;
}

namespace {

// The entry of a call of a word that gives texts: the word's own implementation, with an empty
// result made the empty text that is a text (TText::EmptyText), so that a word passing it on
// (If, Do, Arg, a user-defined word's result) keeps its kind. Only such calls pay for it.
double CallGivingText(int argCount, TCallNode& node, TText& text, TLanguageInterpreter& context) {
    const TWordImpl impl =
        Parts(context).Registry.WordTable[static_cast<std::size_t>(node.WordNumber)];
    const double number = impl(argCount, node, text, context);
    if (!text.IsText()) {
        text = TText::EmptyText();
    }
    return number;
}

} // namespace

// Only calls whose argument count the word accepts: a call with another count fails to compile,
// but its node is built all the same, and a specializer reads the arguments it expects.
void TParser::Specialize(TCallNode& node) const {
    if (node.WordNumber < 1 || node.WordNumber > kBuiltInWordCount) {
        return;
    }
    const auto number = static_cast<std::size_t>(node.WordNumber);
    if (Parts(m_context).Registry.GivesTextTable[number] && node.Impl) {
        node.Impl = CallGivingText;
        return;
    }
    const TSyntax* syntax = m_context.WordSyntaxOf(node.WordNumber);
    if (!syntax || node.ArgCount < syntax->MinArgs || node.ArgCount > syntax->MaxArgs) {
        return;
    }
    const TWordSpecializer specialize =
        Parts(m_context).Registry.SpecializerTable[static_cast<std::size_t>(node.WordNumber)];
    if (specialize) {
        if (const TWordImpl impl = specialize(node)) {
            node.Impl = impl;
        }
    }
}

// A call that was written as an operator expression starts where its first operand does; the
// operands of a rewritten call are found again in the piece as written.
void TParser::PlaceArguments(TSourceMap& sources, TCallNode& node, const TCallText& call,
                             std::string_view piece) {
    const std::int32_t offset = m_nodeOffset;
    const std::size_t index = sources.Add(node, offset);
    const bool rewritten =
        call.Text.data() < piece.data() || call.Text.data() > piece.data() + piece.size();
    if (rewritten && offset >= 0) {
        m_rewritten.push_back({call.Text, piece, offset, 0});
    }
    struct TPop {
        std::vector<TRewrittenPiece>& pieces;
        std::size_t size;
        ~TPop() { pieces.resize(size); }
    } pop{m_rewritten, rewritten && offset >= 0 ? m_rewritten.size() - 1 : m_rewritten.size()};
    ParseArguments(node, call);
    sources.StartWithFirstArgument(index);
}

void TParser::ParseArguments(TCallNode& node, const TCallText& call) {
    TCodeNode** args = node.Args();
    for (std::size_t i = 0; i < call.Args.size(); ++i) {
        TCodeNode* child = Node(call.Args[i]);
        args[i] = child;
        if (child->HasLinkSlot()) {
            child->LinkSlot() = &node;
        }
    }
}

// [declarations] ------------------------------------------------------------------------------

void TParser::ActOnDeclaration(TCallNode& node) {
    if (!carriesDeclaredEntry(node.WordNumber) && node.WordNumber != wnDefineWord) {
        return;
    }
    m_state.Cache.Clear();
    switch (node.WordNumber) {
    case wnDeclareGlobal:
    case wnGlobal:
        DeclareGlobal(node);
        break;
    case wnLocalText:
    case wnLocalNum:
    case wnLocalObj:
    case wnLocalIntf:
        DeclareLocals(node);
        break;
    case wnLocal:
        DeclareComputedLocal(node);
        break;
    case wnDefineWord:
        RegisterEarly(node);
        break;
    default:
        break;
    }
}

// Runs an argument while parsing (the kind of a declaration). Its errors are compile errors of
// the declaring word; text that already failed to compile is not run at all, since it may call
// words that do not exist. The abort signal passes on to the run the compile is part of.
//
// It runs in the activation of the code being compiled, never in that of the code that happens
// to be running: that code has no frame yet, so its locals read as empty (0, the empty text)
// and assigning one is an error; compiled in a paused frame, it reads that frame's locals.
double TParser::EvaluateNow(TCallNode& declaration, TCodeNode* node) {
    if (m_compile.CompileFailed) {
        return 0;
    }
    TActivationStack& stack = Parts(m_context).Stack;
    struct TRestoreActivation {
        TActivationStack& stack;
        const TCompiledCode running;
        ~TRestoreActivation() { stack.Set(running); }
    } restore{stack, stack.Current()};
    TCompiledCode compiling = m_code;
    compiling.FrameSize = 0;
    stack.Set(compiling);
    TText ignored;
    try {
        return EvaluateNodePlain(m_context, *node, ignored);
    } catch (const EAbortSignal&) {
        throw;
    } catch (const EVexReturn& signal) {
        return signal.Value;
    } catch (const std::exception& error) {
        Fail(m_context.LanguageText(ltRuntimeError) + " " +
             quoted(m_context.WordName(declaration.WordNumber)) + ":" + ErrorMessage(error) + " " +
             m_context.LanguageText(ltUnknownWordIn) + " " + m_compile.SourceText);
        return 0;
    }
}

void TParser::DeclareGlobal(TCallNode& node) {
    if (node.ArgCount < 1) {
        return;
    }
    if (!node.Arg(1)->IsTextConstant()) {
        AppendExtraEntry(node, nullptr);
        return;
    }
    const auto* name = static_cast<const TTextConstantNode*>(node.Arg(1));
    const std::uint8_t kind =
        node.ArgCount >= 2 ? ClampKind(EvaluateNow(node, node.Arg(2))) : std::uint8_t{vkNumber};
    TVariable* var = m_context.DeclareVariable(name->Text.view(), kind);
    if (!var) {
        m_compile.CompileFailed = true;
        return;
    }
    AppendExtraEntry(node, var);
}

bool TParser::MayDeclareLocals(const TCallNode& node) {
    if (m_outer) {
        Fail(std::string(kExtraLocalsMessage));
        return false;
    }
    for (int i = 1; i <= node.ArgCount; ++i) {
        if (!node.Arg(i)->IsTextConstant()) {
            Fail(std::string(kNonStaticLocalMessage));
            return false;
        }
    }
    return true;
}

// Every name is declared in argument order; an invalid one (already reported) fails the compile.
void TParser::DeclareLocals(TCallNode& node) {
    if (node.ArgCount < 1 || !MayDeclareLocals(node)) {
        return;
    }
    const std::uint8_t kind = localKindOf(node.WordNumber);
    TVariable* last = nullptr;
    for (int i = 1; i <= node.ArgCount; ++i) {
        const auto* name = static_cast<const TTextConstantNode*>(node.Arg(i));
        last = m_context.DeclareVariable(name->Text.view(), kind, &m_code);
        if (!last) {
            m_compile.CompileFailed = true;
        }
    }
    AppendExtraEntry(node, last);
}

void TParser::DeclareComputedLocal(TCallNode& node) {
    if (node.ArgCount < 1) {
        return;
    }
    if (m_outer) {
        Fail(std::string(kExtraLocalsMessage));
        return;
    }
    if (!node.Arg(1)->IsTextConstant()) {
        Fail(std::string(kNonStaticLocalMessage));
        return;
    }
    const auto* name = static_cast<const TTextConstantNode*>(node.Arg(1));
    const std::uint8_t kind =
        node.ArgCount >= 2 ? ClampKind(EvaluateNow(node, node.Arg(2))) : std::uint8_t{vkNumber};
    TVariable* var = m_context.DeclareVariable(name->Text.view(), kind, &m_code);
    if (!var) {
        m_compile.CompileFailed = true;
    }
    AppendExtraEntry(node, var);
}

// A word defined in a text is registered as soon as its definition is parsed, so that calls later
// in the same text (its own body included) compile.
void TParser::RegisterEarly(const TCallNode& node) {
    if (node.ArgCount <= 4 || !node.Arg(1)->IsTextConstant()) {
        return;
    }
    const auto* name = static_cast<const TTextConstantNode*>(node.Arg(1));
    if (m_context.LookupWord(name->Text.view()) >= 0) {
        return;
    }
    const auto numberAt = [&](int i, int& value) {
        const TCodeNode* arg = node.Arg(i);
        if (!arg->IsNumberConstant()) {
            return false;
        }
        value = nearestInteger(static_cast<const TConstantNode*>(arg)->Value);
        return true;
    };
    int minimum = -1;
    int maximum = -1;
    if (!(numberAt(3, minimum) && numberAt(4, maximum))) {
        minimum = maximum = -1;
        if (node.ArgCount > 6 && !(numberAt(5, minimum) && numberAt(6, maximum))) {
            minimum = maximum = -1;
        }
    }
    if (minimum < 0 || maximum < 0) {
        return;
    }
    TWordAttributes attributes;
    attributes.MinArgs = static_cast<std::uint8_t>(std::min(minimum, kMaxArguments));
    attributes.MaxArgs = static_cast<std::uint8_t>(std::min(maximum, kMaxArguments));
    attributes.Silent = true;
    attributes.Provisional = true;
    m_context.RegisterUserWord(name->Text.view(), "Various", attributes);
}

// [calls] -------------------------------------------------------------------------------------

namespace {

// The word number of the call's text (0 when there is none), with its name; labels and bound
// names replace the text by the call they stand for. With `tentative` set, a piece of the form
// that tentativeNameLength takes is named without the reverse scan.
int resolveWord(TLanguageInterpreter& context, TParseState& state, TCallText& call,
                bool tentative = false) {
    const std::size_t tentativeLength =
        tentative ? tentativeNameLength(call.Text) : std::string_view::npos;
    call.NameIsTentative = tentativeLength != std::string_view::npos;
    std::string_view name =
        call.NameIsTentative ? call.Text.substr(0, tentativeLength) : nameOfPiece(call.Text);
    bool bare = name.size() == call.Text.size();
    if (bare) {
        std::string rewritten;
        if (RewriteLabel(call.Text, rewritten)) {
            call.Replace(std::move(rewritten));
            name = "label";
            bare = false;
        }
    }
    TBoundName bound;
    const TGuiBinding& binding = state.Compile.GuiBinding;
    if (bare && (binding.CurrentObject || binding.CurrentInstance)) {
        bound = findBoundName(binding, name);
    }
    const int index = state.Cache.WordIndex(context, name);
    const int wordNumber = index < 0 ? 0 : index + 1;
    call.Name = name;
    if (bound.kind == TBoundName::None) {
        return wordNumber;
    }
    if (wordNumber != 0) {
        warnBoundNameIsWord(context, binding, name);
    }
    std::string rewritten;
    const int boundWord = rewriteBoundName(binding, bound, rewritten, call.Name);
    call.Replace(std::move(rewritten));
    return boundWord;
}

// The word of the call's text as resolveWord finds it. A tentative name is kept only when it
// names a word; the split confirms it later. Any other is replaced by the name of the reverse
// scan, since that decides whether the operators are converted and what an error shows.
int resolveWordTentatively(TLanguageInterpreter& context, TParseState& state, TCallText& call,
                           bool tentative) {
    const int wordNumber = resolveWord(context, state, call, tentative);
    if (wordNumber != 0 || !call.NameIsTentative) {
        return wordNumber;
    }
    return resolveWord(context, state, call);
}

// True the first time a compile meets an unknown name, which it then remembers; the same name
// again adds nothing a person needs to read.
bool firstUseOfUnknownName(TCompileState& compile, std::string_view name) {
    const auto sameName = [name](const std::string& known) {
        return known.size() == name.size() &&
               std::equal(known.begin(), known.end(), name.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) ==
                          std::tolower(static_cast<unsigned char>(b));
               });
    };
    if (std::any_of(compile.UnknownNames.begin(), compile.UnknownNames.end(), sameName)) {
        return false;
    }
    compile.UnknownNames.emplace_back(name);
    return true;
}

// Splits the text of one call into its word and argument texts (see ParseCall). With
// `tentative` set, the name of a call is found while its list is split (see
// tentativeNameLength); when the split does not confirm it, the call is parsed again without.
void parseCall(TLanguageInterpreter& context, std::string_view text, TCallText& call,
               TParseState& state, bool tentative) {
    call.Text = text;
    std::string unwrapped;
    if (Parts(context).ProtectedCode && UnwrapProtectedCode(call.Text, unwrapped)) {
        call.Replace(std::move(unwrapped));
    }
    call.WordNumber = resolveWordTentatively(context, state, call, tentative);
    if (call.WordNumber == 0) {
        std::string converted;
        state.Converter.Convert(call.Text, converted);
        call.Replace(std::move(converted));
        call.WordNumber = resolveWordTentatively(context, state, call, tentative);
    }
    call.Args.clear();
    bool split = false;
    if (call.NameIsTentative) {
        if (!splitArguments(call.Text.substr(call.Name.size() + 1), call.Tail, call.Args)) {
            parseCall(context, text, call, state, false);
            return;
        }
        split = true;
    }
    if (call.WordNumber == 0) {
        if (!firstUseOfUnknownName(state.Compile, call.Name)) {
            state.Compile.CompileFailed = true;
            return;
        }
        reportCompileError(context, state.Compile,
                           context.LanguageText(ltUnknownWord) + " " + quoted(call.Name) + " " +
                               context.LanguageText(ltUnknownWordIn) + " " +
                               state.Compile.SourceText);
        return;
    }
    if (call.Name.size() + 1 >= call.Text.size()) {
        return;
    }
    // The list runs from after the name's opening character to the closing one, which counts
    // as a final comma.
    if (!split) {
        splitArguments(call.Text.substr(call.Name.size() + 1), call.Tail, call.Args);
    }
    if (call.Args.size() > static_cast<std::size_t>(kMaxArguments)) {
        reportCompileError(context, state.Compile,
                           context.LanguageText(ltTooManyArguments) + " " + quoted(call.Name) +
                               " " + context.LanguageText(ltTooManyArgumentsIn) + " " +
                               state.Compile.SourceText);
        call.Args.resize(kMaxArguments);
    }
}

} // namespace

int ResolveWord(TLanguageInterpreter& context, std::string& text, std::string& name) {
    TCompileState compile;
    TParseState state(compile);
    TCallText call;
    call.Text = text;
    const int wordNumber = resolveWord(context, state, call);
    name = std::string(call.Name);
    text = std::string(call.Text);
    return wordNumber;
}

void ParseCall(TLanguageInterpreter& context, std::string& text, TUserExpression& call) {
    TCompileState compile;
    compile.SourceText = text;
    TParseState state(compile);
    TCallText pieces;
    parseCall(context, text, pieces, state, false);
    call.WordNumber = pieces.WordNumber;
    call.Args.assign(pieces.Args.begin(), pieces.Args.end());
    call.Count = static_cast<int>(call.Args.size());
    text = std::string(pieces.Text);
}

// [nodes] -------------------------------------------------------------------------------------

TCodeNode* ParseNode(TLanguageInterpreter& context, TCompileState& compile, TCompiledCode& code,
                     const TCompiledCode* outer) {
    // The tree's nodes come from one arena; the root takes it over. Until then the arena frees
    // whatever was built, also when the parse ends with an exception.
    TNodeArena arena(compile.SourceText.size());
    TParser parser(context, compile, code, outer, arena);
    TCodeNode* root = nullptr;
    try {
        root = parser.Node(compile.SourceText);
    } catch (const TParseDepthExceeded&) {
        arena.Clear();
        root = NewNumberNode(arena, 0, false);
    }
    return MakeTreeRoot(arena, root);
}

} // namespace vex
