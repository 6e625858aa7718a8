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

THandler& TAtom::FirstHandler(int kind) {
    m_handlers = std::make_unique<std::array<THandler, kHandlerKindCount>>();
    return (*m_handlers)[static_cast<std::size_t>(kind - 1)];
}

const THandler& TAtom::Handler(int kind) const {
    static const THandler kNone;
    return m_handlers ? (*m_handlers)[static_cast<std::size_t>(kind - 1)] : kNone;
}

void TAtom::SetAttribute(std::string_view name, const TModelValue& value) {
    const int before = m_attributes.Count();
    m_attributes.Set(name, value);
    if (m_attributes.Count() != before && m_handlers) {
        for (THandler& handler : *m_handlers) {
            handler.Compiled.reset();
            handler.Failed = false;
        }
    }
}

} // namespace vex::host
