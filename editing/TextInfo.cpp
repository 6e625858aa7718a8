#include "editing/TextInfo.h"

#include <cstring>
#include <limits>
#include <new>

namespace {

std::size_t bufferLimit = std::numeric_limits<std::size_t>::max();

std::unique_ptr<char[]> allocateZeroed(std::int32_t capacity) {
    if (static_cast<std::size_t>(capacity) > bufferLimit)
        throw std::bad_alloc();
    return std::make_unique<char[]>(static_cast<std::size_t>(capacity));
}

} // namespace

void SetTextBufferLimit(std::size_t bytes) {
    bufferLimit = bytes;
}

TTextInfo::TTextInfo(std::int32_t capacity)
    : m_data(allocateZeroed(capacity))
    , m_capacity(capacity) {}

std::int32_t TTextInfo::CapacityFor(std::int32_t length) const noexcept {
    if (length + 4 < m_capacity)
        return m_capacity;
    const std::int64_t steps = (std::int64_t(length) + 4 - m_capacity) / kGrowthStep + 1;
    return static_cast<std::int32_t>(m_capacity + steps * kGrowthStep);
}

void TTextInfo::Reserve(std::int32_t length) {
    const std::int32_t capacity = CapacityFor(length);
    if (capacity == m_capacity)
        return;
    std::unique_ptr<char[]> data = allocateZeroed(capacity);
    std::memcpy(data.get(), m_data.get(), std::size_t(m_length) + 1);
    m_data = std::move(data);
    m_capacity = capacity;
}

void TTextInfo::Replace(std::int32_t position, std::int32_t removed,
                        std::string_view inserted) noexcept {
    const auto insertedLength = static_cast<std::int32_t>(inserted.size());
    char* const at = m_data.get() + position;
    // The tail moves with its NUL.
    std::memmove(at + insertedLength, at + removed, std::size_t(m_length - position - removed) + 1);
    std::memcpy(at, inserted.data(), inserted.size());
    m_length += insertedLength - removed;
}

void TTextInfo::Assign(std::string_view text) {
    Reserve(static_cast<std::int32_t>(text.size()));
    Replace(0, m_length, text);
}
