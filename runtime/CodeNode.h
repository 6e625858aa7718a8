#pragma once

#include "runtime/Text.h"

#include <cstdint>
#include <string_view>

namespace vex {

class TLanguageInterpreter;
class TNodeArena;
struct TCallNode;
struct TVariable;

// The implementation of a built-in word. It receives the argument count, its call node, the
// caller's text out-parameter (already cleared) and the context, evaluates the arguments it needs
// through EvaluateArgument, and returns the number half of its result.
using TWordImpl = double (*)(int argCount, TCallNode& node, TText& text,
                             TLanguageInterpreter& context);

// A word's choice, made when a call is compiled and its arguments are known, of a quicker
// implementation for that call (`n:=Arg(1)` reads the caller's argument in place), or none to
// keep the word's own. The node keeps its word number, so the listing, the debugger and the
// counting see the same node. A specialized implementation gives the same values, texts and
// errors as the word's own, and takes the word's own way in a debug run, which sees every node.
// It is asked only for calls whose argument count the word accepts.
using TWordSpecializer = TWordImpl (*)(const TCallNode& call);

// Bits of TCodeNode::Flags. A node with none of the four kind bits is a word call.
enum TNodeFlags : std::uint8_t {
    nfNumberConstant = 1 << 0,
    nfTextConstant = 1 << 1,
    nfGlobalVariable = 1 << 2,
    nfLocalVariable = 1 << 3,
    nfDeclaredEntry = 1 << 4,  // a call carries a declaration's variable record after its arguments
    nfLinkSlot = 1 << 5,       // the node is preceded by a pointer-sized link slot
    nfLinkIsPosition = 1 << 6, // the link slot holds the node's listing position record
    nfTreeRoot = 1 << 7,       // the root of a tree: it owns the memory of the whole tree
};

// The common head of every node of a code tree. A tree is built once by the parser and never
// changed afterwards, except that the code listing takes over the link slots.
struct TCodeNode {
    // TNodeFlags bits: the node's kind and how its memory is laid out.
    std::uint8_t Flags = 0;
    // A call's number of arguments (0 for other nodes).
    std::uint8_t ArgCount = 0;
    // A call's word number (0 for other nodes).
    std::uint16_t WordNumber = 0;

    // The node's kind: a number or a text constant, a variable read (global or local), a call.
    bool IsNumberConstant() const noexcept { return Flags & nfNumberConstant; }
    bool IsTextConstant() const noexcept { return Flags & nfTextConstant; }
    bool IsConstant() const noexcept { return Flags & (nfNumberConstant | nfTextConstant); }
    bool IsVariable() const noexcept { return Flags & (nfGlobalVariable | nfLocalVariable); }
    bool IsLocalVariable() const noexcept { return Flags & nfLocalVariable; }
    bool IsCall() const noexcept { return (Flags & 0x0F) == 0; }
    // True when a pointer-sized slot precedes the node (its parent link or position record).
    bool HasLinkSlot() const noexcept { return Flags & nfLinkSlot; }
    // True when the node was compiled with a parent link; only such nodes can be paused at.
    bool HasParentLink() const noexcept { return Flags & nfLinkSlot; }
    // True when the listing has taken over the link slot for the node's position record.
    bool HasPositionRecord() const noexcept { return Flags & nfLinkIsPosition; }

    // The pointer-sized slot in front of the node; only valid when HasLinkSlot().
    void*& LinkSlot() noexcept { return reinterpret_cast<void**>(this)[-1]; }
    void* LinkSlot() const noexcept { return reinterpret_cast<void* const*>(this)[-1]; }
    // The parent call node, or none for the root, for nodes without a parent link and once the
    // listing holds the slot.
    TCallNode* Parent() const noexcept {
        return HasParentLink() && !HasPositionRecord() ? static_cast<TCallNode*>(LinkSlot())
                                                       : nullptr;
    }
};

// A number constant, and the head of a text constant: a node of 16 bytes, since number
// constants are a large part of every tree.
struct TConstantNode : TCodeNode {
    // The number of a number constant; 0 for a text constant.
    double Value = 0;
};

// A text constant. Only nodes with IsTextConstant() are of this type and have the text.
struct TTextConstantNode : TConstantNode {
    TText Text;
};

// A read of a global or local variable; the record belongs to its variable set.
struct TVariableNode : TCodeNode {
    // The variable read.
    TVariable* Var = nullptr;
};

// A call of a built-in or user-defined word. The ArgCount argument nodes follow the node in
// memory; a declaration word may carry one extra entry after them (its declared variable record,
// or none), marked by nfDeclaredEntry.
struct TCallNode : TCodeNode {
    // The implementation of a built-in word; for a user-defined word the entry that runs its body
    // (CallUserWordEntry), or none.
    TWordImpl Impl = nullptr;

    // Argument i, counted from 1 as word implementations count them.
    TCodeNode* Arg(int i) const noexcept { return Args()[i - 1]; }
    // The argument array, ArgCount entries (and the extra entry, if any).
    TCodeNode* const* Args() const noexcept {
        return reinterpret_cast<TCodeNode* const*>(this + 1);
    }
    TCodeNode** Args() noexcept { return reinterpret_cast<TCodeNode**>(this + 1); }
    // True when the extra entry is there (it may still hold none).
    bool HasDeclaredEntry() const noexcept { return Flags & nfDeclaredEntry; }
    // The variable record carried after the arguments by a declaration word, or none.
    TVariable* DeclaredVariable() const noexcept {
        return HasDeclaredEntry() ? reinterpret_cast<TVariable*>(Args()[ArgCount]) : nullptr;
    }
};

// Node allocation from the arena of the tree being built: zero-filled, with a link slot in front
// when `withLink` is set. A call node gets room for `argCount` arguments, plus the extra entry
// when `declaration` is set.
TConstantNode* NewNumberNode(TNodeArena& arena, double value, bool withLink);
TTextConstantNode* NewTextNode(TNodeArena& arena, std::string_view text, bool withLink);
TVariableNode* NewVariableNode(TNodeArena& arena, TVariable* var, bool local, bool withLink);
TCallNode* NewCallNode(TNodeArena& arena, int argCount, bool declaration, bool withLink);

// Makes `root`, the arena's first allocation, the owner of the arena's memory: releasing the root
// releases the whole tree. Returns the root.
TCodeNode* MakeTreeRoot(TNodeArena& arena, TCodeNode* root) noexcept;

// Releases a whole tree given its root (and, at a listed root, the listing it owns). The nodes
// of a tree are released only together; the call does nothing for a node that is not a root.
void ReleaseNode(TCodeNode* node) noexcept;

} // namespace vex
