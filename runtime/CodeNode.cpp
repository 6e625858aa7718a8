#include "runtime/CodeNode.h"

#include "runtime/CodeListing.h"
#include "runtime/NodeArena.h"
#include "runtime/SourceMap.h"

#include <cassert>
#include <new>

namespace vex {

namespace {

constexpr std::size_t kLinkSize = sizeof(void*);

static_assert(alignof(TTextConstantNode) <= 8 && alignof(TVariableNode) <= 8 &&
              alignof(TCallNode) <= 8 && alignof(TCodeNode*) <= 8);
static_assert(sizeof(TConstantNode) == 16, "a number constant is its head and its number");
static_assert(sizeof(TCallNode) % alignof(TCodeNode*) == 0,
              "the argument array follows the call node");

// Constructs a node of type T in the arena, preceded by a link slot when asked and followed by
// `extra` bytes.
template <typename T>
T* allocateNode(TNodeArena& arena, std::uint8_t kindFlags, bool withLink, std::size_t extra = 0) {
    const std::size_t prefix = withLink ? kLinkSize : 0;
    char* memory = static_cast<char*>(arena.Allocate(prefix + sizeof(T) + extra));
    T* node = new (memory + prefix) T();
    node->Flags = static_cast<std::uint8_t>(kindFlags | (withLink ? nfLinkSlot : 0));
    return node;
}

// Where the allocation of a node starts: at its link slot, if it has one.
void* allocationOf(TCodeNode* node) noexcept {
    return reinterpret_cast<char*>(node) - (node->HasLinkSlot() ? kLinkSize : 0);
}

} // namespace

TConstantNode* NewNumberNode(TNodeArena& arena, double value, bool withLink) {
    TConstantNode* node = allocateNode<TConstantNode>(arena, nfNumberConstant, withLink);
    node->Value = value;
    return node;
}

TTextConstantNode* NewTextNode(TNodeArena& arena, std::string_view text, bool withLink) {
    TTextConstantNode* node = allocateNode<TTextConstantNode>(arena, nfTextConstant, withLink,
                                                              TNodeArena::kTextChainSize);
    arena.ChainText(node);
    node->Text = text.empty() ? TText::EmptyText() : TText(text);
    return node;
}

TVariableNode* NewVariableNode(TNodeArena& arena, TVariable* var, bool local, bool withLink) {
    TVariableNode* node =
        allocateNode<TVariableNode>(arena, local ? nfLocalVariable : nfGlobalVariable, withLink);
    node->Var = var;
    return node;
}

TCallNode* NewCallNode(TNodeArena& arena, int argCount, bool declaration, bool withLink) {
    const auto entries = static_cast<std::size_t>(argCount) + (declaration ? 1 : 0);
    return allocateNode<TCallNode>(arena, 0, withLink, entries * sizeof(TCodeNode*));
}

TCodeNode* MakeTreeRoot(TNodeArena& arena, TCodeNode* root) noexcept {
    assert(arena.IsFirstAllocation(allocationOf(root)) && "the root is the first allocation");
    root->Flags |= nfTreeRoot;
    arena.HandOver();
    return root;
}

TSourceMap* SourceMapOf(const TCodeNode& root) noexcept {
    if (!(root.Flags & nfTreeRoot)) {
        return nullptr;
    }
    return TNodeArena::SourceMapOf(allocationOf(const_cast<TCodeNode*>(&root)));
}

void AttachSourceMap(TCodeNode& root, TSourceMap* map) noexcept {
    TSourceMap*& slot = TNodeArena::SourceMapOf(allocationOf(&root));
    delete slot;
    slot = map;
}

// A listed root owns its listing; that goes after the texts of the tree, whose release needs
// nothing of it, and before the nodes, whose link slots point into it.
void ReleaseNode(TCodeNode* node) noexcept {
    if (!node || !(node->Flags & nfTreeRoot)) {
        return;
    }
    TListing* listing = nullptr;
    if (node->HasPositionRecord()) {
        auto* record = static_cast<TPositionRecord*>(node->LinkSlot());
        if (record->RootLink == record) {
            listing = TListing::Of(*record);
        }
    }
    ReleaseListing(listing);
    TNodeArena::ReleaseTreeMemory(allocationOf(node));
}

} // namespace vex
