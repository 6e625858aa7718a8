#include "runtime/CodeNode.h"

#include "runtime/CodeListing.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace vex {

namespace {

constexpr std::size_t kLinkSize = sizeof(void*);

// Allocates a zero-filled node of type T, preceded by a link slot when asked.
template <typename T>
T* allocateNode(std::uint8_t kindFlags, bool withLink) {
    const std::size_t prefix = withLink ? kLinkSize : 0;
    void* memory = std::calloc(1, prefix + sizeof(T));
    if (!memory) {
        throw std::bad_alloc();
    }
    T* node = new (static_cast<char*>(memory) + prefix) T();
    node->Flags = static_cast<std::uint8_t>(kindFlags | (withLink ? nfLinkSlot : 0));
    return node;
}

template <typename T>
void freeNode(T* node) noexcept {
    char* memory = reinterpret_cast<char*>(node) - (node->HasLinkSlot() ? kLinkSize : 0);
    node->~T();
    std::free(memory);
}

} // namespace

TConstantNode* NewNumberNode(double value, bool withLink) {
    TConstantNode* node = allocateNode<TConstantNode>(nfNumberConstant, withLink);
    node->Value = value;
    return node;
}

TConstantNode* NewTextNode(std::string_view text, bool withLink) {
    TConstantNode* node = allocateNode<TConstantNode>(nfTextConstant, withLink);
    node->Text = TText(text);
    return node;
}

TVariableNode* NewVariableNode(TVariable* var, bool local, bool withLink) {
    TVariableNode* node =
        allocateNode<TVariableNode>(local ? nfLocalVariable : nfGlobalVariable, withLink);
    node->Var = var;
    return node;
}

TCallNode* NewCallNode(bool withLink) { return allocateNode<TCallNode>(0, withLink); }

// Releases one node and its subtree. A listed root owns its listing; that goes last, because
// the records of the subtree lie inside it and are read while the subtree is released.
void ReleaseNode(TCodeNode* node) noexcept {
    if (!node) {
        return;
    }
    TListing* listing = nullptr;
    if (node->HasPositionRecord()) {
        auto* record = static_cast<TPositionRecord*>(node->LinkSlot());
        if (record->RootLink == record) {
            listing = TListing::Of(*record);
        }
    }
    if (node->IsConstant()) {
        freeNode(static_cast<TConstantNode*>(node));
    } else if (node->IsVariable()) {
        freeNode(static_cast<TVariableNode*>(node));
    } else {
        TCallNode* call = static_cast<TCallNode*>(node);
        const std::size_t count = std::min<std::size_t>(call->ArgCount, call->Args.size());
        for (std::size_t i = 0; i < count; ++i) {
            ReleaseNode(call->Args[i]);
        }
        freeNode(call);
    }
    ReleaseListing(listing);
}

} // namespace vex
