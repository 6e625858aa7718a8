#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

// A text snapshot of the editor: the text as bytes in the scripts' code page with every line
// break written as CR LF, and a NUL after it. The buffer grows in steps of 1024 bytes, keeping
// its length + 4 below its capacity, and never shrinks.
class TTextInfo {
public:
    static constexpr std::int32_t kGrowthStep = 1024;

    // A zero-filled buffer of `capacity` bytes holding the empty text.
    explicit TTextInfo(std::int32_t capacity = kGrowthStep);

    std::int32_t Length() const noexcept { return m_length; }
    std::int32_t Capacity() const noexcept { return m_capacity; }
    const char* Data() const noexcept { return m_data.get(); }
    std::string_view Text() const noexcept { return {m_data.get(), std::size_t(m_length)}; }
    // The character at a position; NUL at and beyond the end.
    char At(std::int32_t position) const noexcept {
        return position >= 0 && position < m_length ? m_data[std::size_t(position)] : '\0';
    }

    // The capacity that holds `length` characters: grown by whole steps until length + 4 is
    // below it.
    std::int32_t CapacityFor(std::int32_t length) const noexcept;
    // Makes room for a text of `length` characters, keeping the text. Throws std::bad_alloc
    // (the text stays as it was) when the buffer cannot be had.
    void Reserve(std::int32_t length);
    // Replaces `removed` characters at `position` by `inserted`; the room must be there.
    void Replace(std::int32_t position, std::int32_t removed, std::string_view inserted) noexcept;
    // Replaces the whole text, growing as needed (may throw std::bad_alloc).
    void Assign(std::string_view text);

private:
    std::unique_ptr<char[]> m_data;
    std::int32_t m_length = 0;
    std::int32_t m_capacity = 0;
};

// The largest buffer a snapshot may take; a larger request fails as when memory runs out. It is
// unbounded unless lowered, which lets tests take the path of a failed growth.
void SetTextBufferLimit(std::size_t bytes);
