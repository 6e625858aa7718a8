#include "host/model/ErrorWord.h"

#include <type_traits>

namespace vex::host {

// Two eightbytes of integers: the model words pass it in registers, as they passed a view before.
static_assert(sizeof(TErrorWord) == 16 && std::is_trivially_copyable_v<TErrorWord>);

std::string TErrorWord::Name() const {
    if (m_wordNumber > 0) {
        return m_context->WordName(m_wordNumber);
    }
    return std::string(m_text, m_size);
}

} // namespace vex::host
