#pragma once

#include "runtime/Text.h"

#include <cstdint>
#include <vector>

namespace vex {

class TLanguageInterpreter;
struct TCallNode;
struct TVariable;

// The implementation of a built-in word. It receives the argument count, its call node, the
// caller's text out-parameter (already cleared) and the context, evaluates the arguments it needs
// through EvaluateArgument, and returns the number half of its result.
using TWordImpl = double (*)(int argCount, TCallNode& node, TText& text,
                             TLanguageInterpreter& context);

// Bits of TCodeNode::Flags. A node with none of the four kind bits is a word call.
enum TNodeFlags : std::uint8_t {
    nfNumberConstant = 1 << 0,
    nfTextConstant = 1 << 1,
    nfGlobalVariable = 1 << 2,
    nfLocalVariable = 1 << 3,
    nfLinkSlot = 1 << 5,     // the node is preceded by a pointer-sized link slot
    nfLinkIsPosition = 1 << 6, // the link slot holds the node's listing position record
};

// The common head of every node of a code tree. A tree is built once by the parser and never
// changed afterwards, except that the code listing takes over the link slots.
struct TCodeNode {
    std::uint8_t Flags = 0;
    std::uint8_t ArgCount = 0;
    std::uint16_t WordNumber = 0;

    bool IsNumberConstant() const noexcept { return Flags & nfNumberConstant; }
    bool IsTextConstant() const noexcept { return Flags & nfTextConstant; }
    bool IsConstant() const noexcept { return Flags & (nfNumberConstant | nfTextConstant); }
    bool IsVariable() const noexcept { return Flags & (nfGlobalVariable | nfLocalVariable); }
    bool IsLocalVariable() const noexcept { return Flags & nfLocalVariable; }
    bool IsCall() const noexcept { return (Flags & 0x0F) == 0; }
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

// A number or a text constant.
struct TConstantNode : TCodeNode {
    double Value = 0;
    TText Text;
};

// A read of a global or local variable; the record belongs to its variable set.
struct TVariableNode : TCodeNode {
    TVariable* Var = nullptr;
};

// A call of a built-in or user-defined word. `Args` holds the ArgCount argument nodes; the
// declaration words carry one extra entry after them (the declared variable record, or none).
struct TCallNode : TCodeNode {
    TWordImpl Impl = nullptr;
    std::vector<TCodeNode*> Args;

    // Argument i, counted from 1 as word implementations count them.
    TCodeNode* Arg(int i) const noexcept { return Args[static_cast<std::size_t>(i - 1)]; }
    // The variable record carried after the arguments by a declaration word, or none.
    TVariable* DeclaredVariable() const noexcept {
        return Args.size() > ArgCount ? reinterpret_cast<TVariable*>(Args[ArgCount]) : nullptr;
    }
};

// Node allocation: zero-filled, with a link slot in front when `withLink` is set.
TConstantNode* NewNumberNode(double value, bool withLink);
TConstantNode* NewTextNode(std::string_view text, bool withLink);
TVariableNode* NewVariableNode(TVariable* var, bool local, bool withLink);
TCallNode* NewCallNode(bool withLink);

// Releases a node and its subtree (and, at a listed root, the listing it owns).
void ReleaseNode(TCodeNode* node) noexcept;

} // namespace vex
