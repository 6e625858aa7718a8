#pragma once

#include "host/model/AtomStore.h"
#include "host/model/HandleTable.h"
#include "host/model/HandlerKinds.h"
#include "host/model/NamedValues.h"

#include "runtime/VexScript.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vex::host {

// The compiled form of one handler text. It is shared: the run loop holds a reference while the
// code runs, so that a handler that destroys its own atom (or replaces its own code) does not
// free the tree that is being evaluated.
class THandlerCode {
public:
    explicit THandlerCode(TCompiledCode* code) noexcept
        : m_code(code) {}
    THandlerCode(const THandlerCode&) = delete;
    THandlerCode& operator=(const THandlerCode&) = delete;
    // Releases the tree and the locals the code owns; needs no runtime context.
    ~THandlerCode();
    TCompiledCode* Code() const noexcept { return m_code; }

private:
    TCompiledCode* m_code;
};

// The handler of one kind: its text and, once compiled, its code. An empty text is no handler.
struct THandler {
    std::string Text;
    std::shared_ptr<THandlerCode> Compiled;
    // Set when the text failed to compile; cleared when the text or the atom's named
    // attributes change, so a fixed text is compiled again.
    bool Failed = false;
};

// An element of the model. Atoms form a tree: each has a mother (none for the root "main") and
// its children in order. An atom carries labels (values by name that `label` reads), named
// attributes (values by name that bare names in its handler code denote) and up to fifteen
// handler texts.
class TAtom : public TModelObject, public TBindingObject {
public:
    TAtom(std::uint32_t id, std::string name);

    // Atoms live in their model's store (`new (store) TAtom(...)`); deleting one gives its room
    // back there.
    static void* operator new(std::size_t, TAtomStore& store) { return store.Take(); }
    static void operator delete(void* room, TAtomStore&) noexcept { TAtomStore::Give(room); }
    static void operator delete(void* room) noexcept { TAtomStore::Give(room); }

    std::uint32_t AtomId() const noexcept { return m_id; }
    const std::string& AtomName() const noexcept { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }
    // The mother's handle, or 0 for the root.
    std::int32_t Mother() const noexcept { return m_mother; }
    const std::vector<std::int32_t>& Children() const noexcept { return m_children; }

    // Labels, named attributes and handlers are kept apart from the atom, made when the first is
    // set, so that the many atoms that have none (parts, customers) are small.
    const TNamedValues& Labels() const noexcept { return m_parts ? m_parts->Labels : kNoValues; }
    TNamedValues& Labels() { return Parts().Labels; }
    // Named attributes keep their positions for the life of the atom: compiled handler code
    // refers to them by position.
    const TNamedValues& Attributes() const noexcept {
        return m_parts ? m_parts->Attributes : kNoValues;
    }
    // Sets a named attribute; a new name makes the handlers compile again on their next run.
    void SetAttribute(std::string_view name, const TModelValue& value);
    TModelValue* AttributeAt(int position) noexcept {
        return m_parts ? m_parts->Attributes.At(position) : nullptr;
    }

    // The handler of a kind. An atom gets room for its handlers when the first is set.
    THandler& Handler(int kind) {
        return HasHandlers() ? (*m_parts->Handlers)[static_cast<std::size_t>(kind - 1)]
                             : FirstHandler(kind);
    }
    const THandler& Handler(int kind) const;
    bool HasHandlers() const noexcept { return m_parts && m_parts->Handlers; }
    // True when the handler of a kind has a text (compiled or not, failed or not).
    bool HasHandler(int kind) const noexcept { return (m_handlerKinds >> kind) & 1u; }

    // TBindingObject: what the parser needs to bind bare names in this atom's code.
    std::int32_t Id() const override { return static_cast<std::int32_t>(m_id); }
    std::string Name() const override { return m_name; }
    int NamedAttributeCount() const override { return Attributes().Count(); }
    std::string NamedAttributeName(int position) const override {
        return Attributes().NameAt(position);
    }

private:
    friend class TModel;

    struct TParts {
        TNamedValues Labels;
        TNamedValues Attributes;
        std::unique_ptr<std::array<THandler, kHandlerKindCount>> Handlers;
    };
    static inline const TNamedValues kNoValues{};

    TParts& Parts();
    // Makes room for the handlers and gives the one of a kind.
    THandler& FirstHandler(int kind);

    std::uint32_t m_id;
    std::int32_t m_mother = 0;
    // Events of the atom in the model's event list, so that destroying an atom without events
    // does not search the list.
    std::int32_t m_pendingEvents = 0;
    // A bit per handler kind (bit `kind`) whose text is not empty, kept by TModel::SetHandler,
    // so that a run of a kind the atom has no handler for costs one test.
    std::uint16_t m_handlerKinds = 0;
    std::string m_name;
    std::vector<std::int32_t> m_children;
    std::unique_ptr<TParts> m_parts;
};

} // namespace vex::host
