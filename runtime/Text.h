#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vex {

// Compares two byte strings ignoring the case of the ASCII letters A-Z and a-z; every other byte
// compares by its unsigned value. Negative, zero or positive like strcmp.
int CompareText(std::string_view a, std::string_view b) noexcept;
// True when the two byte strings are equal ignoring the case of ASCII letters. Inline: the model
// finds labels and handler kinds by name with it, mostly names of other lengths.
inline bool SameText(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        // Equal once folded: the same byte, or a letter and its other case.
        if (x != y && ((x ^ y) != 0x20 || static_cast<unsigned char>((x | 0x20) - 'a') > 25)) {
            return false;
        }
    }
    return true;
}

// The largest text in bytes (256 MiB). Making or growing a text beyond it raises
// std::length_error ("Text too long (more than 256 MiB)"), which a run reports like any error
// of the script, so that a script that appends forever ends with a message instead of being
// ended by the system for want of memory.
inline constexpr std::size_t kMaxTextSize = std::size_t{256} << 20;

// A reference-counted byte string: the text half of every script value.
//
// Texts are bytes in the system code page (Windows-1252). A TText is exactly one pointer wide and
// the empty text is the null pointer, so an all-zero memory cell (a fresh frame slot, a zeroed
// global cell) holds a valid empty text. Copying shares the buffer; a buffer is written in place
// only while it has a single owner.
//
// As the text half of a value, the null pointer also means "no text": the value is its number.
// An empty text that is the value itself (the constant [], an empty text variable, a word that
// gives an empty text) is EmptyText(), a tagged pointer with no buffer, so that the words that
// pass a value on (If, Do, Arg, a user-defined word's result...) keep its kind without knowing
// it. It has no bytes (empty() is true) but IsText() is true.
class TText {
public:
    TText() noexcept = default;
    TText(std::string_view bytes);
    TText(const char* bytes)
        : TText(std::string_view(bytes)) {}
    TText(const std::string& bytes)
        : TText(std::string_view(bytes)) {}
    // Copying, moving, clearing and destroying are inline: they run for nearly every node a
    // script evaluates, and mostly on the empty text, where they cost a test of the pointer.
    TText(const TText& other) noexcept
        : m_block(other.m_block) {
        share(m_block);
    }
    TText(TText&& other) noexcept
        : m_block(other.m_block) {
        other.m_block = nullptr;
    }
    TText& operator=(const TText& other) noexcept {
        share(other.m_block);
        Block* old = m_block;
        m_block = other.m_block;
        release(old);
        return *this;
    }
    TText& operator=(TText&& other) noexcept {
        if (this != &other) {
            Block* old = m_block;
            m_block = other.m_block;
            other.m_block = nullptr;
            release(old);
        }
        return *this;
    }
    ~TText() { release(m_block); }

    // The empty text as a value that is a text (see above).
    static TText EmptyText() noexcept {
        TText text;
        text.m_block = reinterpret_cast<Block*>(kEmptyTextTag);
        return text;
    }

    // Number of bytes.
    std::size_t size() const noexcept { return hasBuffer(m_block) ? m_block->Size : 0; }
    // True for a text without bytes, EmptyText() included.
    bool empty() const noexcept { return !hasBuffer(m_block); }
    // True unless this is "no text", the null pointer: a text with bytes or EmptyText().
    bool IsText() const noexcept { return m_block != nullptr; }
    // The bytes; always followed by a NUL byte (which is not part of the text).
    const char* data() const noexcept { return hasBuffer(m_block) ? m_block->Bytes : ""; }
    // The bytes as a view (valid while the text is unchanged) and as a copy.
    std::string_view view() const noexcept { return {data(), size()}; }
    std::string str() const { return std::string(view()); }
    operator std::string_view() const noexcept { return view(); }

    // Makes the text empty, releasing this owner's share of the buffer.
    void clear() noexcept {
        Block* old = m_block;
        m_block = nullptr;
        release(old);
    }
    // Appends bytes, in place when this is the buffer's only owner and it has room.
    TText& append(std::string_view bytes);
    TText& operator+=(std::string_view bytes) { return append(bytes); }
    // Makes room for a text of `size` bytes, so that appends up to that size neither allocate nor
    // fail. A shared or empty text gets a buffer of its own (a copy); the room grows at least
    // twofold, as appending grows it. Raises std::length_error beyond kMaxTextSize and
    // std::bad_alloc, in both cases with the text unchanged.
    void reserve(std::size_t size);

    // Number of owners of the buffer (0 for the empty text); for tests and diagnostics.
    int shareCount() const noexcept;

    friend bool operator==(const TText& a, const TText& b) noexcept { return a.view() == b.view(); }
    friend bool operator==(const TText& a, std::string_view b) noexcept { return a.view() == b; }

private:
    struct Block {
        std::atomic<int> Owners;
        std::size_t Size;
        std::size_t Capacity;
        char Bytes[1];
    };

    // The pointer value of EmptyText(); no buffer lies at address 1.
    static constexpr std::uintptr_t kEmptyTextTag = 1;
    // One comparison, as cheap as the test of the null pointer it stands for.
    static bool hasBuffer(const Block* block) noexcept {
        return reinterpret_cast<std::uintptr_t>(block) > kEmptyTextTag;
    }
    static Block* allocate(std::size_t capacity);
    static void share(Block* block) noexcept {
        if (hasBuffer(block)) {
            block->Owners.fetch_add(1, std::memory_order_relaxed);
        }
    }
    static void release(Block* block) noexcept {
        if (hasBuffer(block)) {
            releaseShared(block);
        }
    }
    // Drops one owner of a buffer and frees it with the last one.
    static void releaseShared(Block* block) noexcept;

    Block* m_block = nullptr;
};

TText operator+(const TText& a, std::string_view b);

static_assert(sizeof(TText) == sizeof(void*), "a text must fit a pointer-sized storage slot");

} // namespace vex
