#include "host/model/ErrorWord.h"

namespace vex::host {

std::string TErrorWord::Name() const {
    if (m_wordNumber > 0) {
        return m_context->WordName(m_wordNumber);
    }
    return std::string(m_text, m_size);
}

} // namespace vex::host
