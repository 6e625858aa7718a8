#pragma once

#include "runtime/VexScript.h"

namespace vex::host {

// The part of a host (its model services, its word host) found last, with the context and host
// it was found for. The words ask for such a part at every call; the cache answers a call from
// the same context and host with two comparisons, and the search (a dynamic_cast) runs only for
// another one. The owner of a remembered part forgets it (Forget) when it is destroyed.
template <typename TPart>
class THostPartCache {
public:
    // The part remembered for this context and its host, or none.
    TPart* Find(const TLanguageInterpreter& context) const noexcept {
        return m_context == &context && m_host == &context.Host() ? m_part : nullptr;
    }
    void Remember(const TLanguageInterpreter& context, TPart& part) noexcept {
        m_context = &context;
        m_host = &context.Host();
        m_part = &part;
    }
    // Forgets `part` if it is the one remembered.
    void Forget(const TPart& part) noexcept {
        if (m_part == &part) {
            *this = {};
        }
    }

private:
    const TLanguageInterpreter* m_context = nullptr;
    const THostInterface* m_host = nullptr;
    TPart* m_part = nullptr;
};

} // namespace vex::host
