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
    : m_id(id)
    , m_name(std::move(name)) {}

void TAtom::SetAttribute(std::string_view name, const TModelValue& value) {
    const int before = m_attributes.Count();
    m_attributes.Set(name, value);
    if (m_attributes.Count() != before) {
        for (THandler& handler : m_handlers) {
            handler.Compiled.reset();
            handler.Failed = false;
        }
    }
}

} // namespace vex::host
