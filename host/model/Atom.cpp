#include "host/model/Atom.h"

#include "runtime/VexWords.h"

namespace vex::host {

THandlerCode::~THandlerCode() {
    if (!m_code) {
        return;
    }
    ReleaseNode(m_code->Root);
    if (m_code->OwnsVariables) {
        delete m_code->Variables;
    }
    delete m_code;
}

TAtom::TAtom(std::uint32_t id, std::string name)
    : TModelObject(TObjectKind::Atom)
    , m_id(id)
    , m_name(std::move(name)) {}

TAtom::TParts& TAtom::Parts() {
    if (!m_parts) {
        m_parts = std::make_unique<TParts>();
    }
    return *m_parts;
}

THandler& TAtom::FirstHandler(int kind) {
    TParts& parts = Parts();
    parts.Handlers = std::make_unique<std::array<THandler, kHandlerKindCount>>();
    return (*parts.Handlers)[static_cast<std::size_t>(kind - 1)];
}

const THandler& TAtom::Handler(int kind) const {
    static const THandler kNone;
    return HasHandlers() ? (*m_parts->Handlers)[static_cast<std::size_t>(kind - 1)] : kNone;
}

void TAtom::SetAttribute(std::string_view name, const TModelValue& value) {
    TNamedValues& attributes = Parts().Attributes;
    const int before = attributes.Count();
    attributes.Set(name, value);
    if (attributes.Count() != before && HasHandlers()) {
        for (THandler& handler : *m_parts->Handlers) {
            handler.Compiled.reset();
            handler.Failed = false;
        }
    }
}

} // namespace vex::host
