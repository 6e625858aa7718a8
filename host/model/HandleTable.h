#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace vex::host {

// What a model object is, so that a handle is told an atom without a dynamic_cast.
enum class TObjectKind : std::uint8_t {
    Other,
    Atom,
    GuiInstance
};

// An object the model hands out a handle for: an atom or a GUI instance.
class TModelObject {
public:
    explicit TModelObject(TObjectKind kind = TObjectKind::Other) noexcept
        : m_kind(kind) {}
    virtual ~TModelObject() = default;
    // The object's reference as scripts see it.
    std::int32_t Handle() const noexcept { return m_handle; }
    TObjectKind Kind() const noexcept { return m_kind; }

private:
    friend class THandleTable;
    std::int32_t m_handle = 0;
    TObjectKind m_kind;
};

// Hands out 32-bit handles for model objects and tells a live handle from a stale one.
//
// A handle is the slot number (bits 0 to 19, counted from 1) and the slot's generation (bits 20
// to 30, 1 to 2047); it is always positive, and 0 is "none". Removing an object advances its
// slot's generation, so the old handle no longer finds anything. Freed slots are reused oldest
// first, which keeps a stale handle from meeting its slot's new occupant until that slot has
// been reused 2047 times.
class THandleTable {
public:
    // Takes ownership of `object` and gives its new handle. Throws std::length_error when all
    // 1,048,575 slots are taken.
    std::int32_t Add(std::unique_ptr<TModelObject> object);
    // The object of a live handle, or none for 0, a stale handle or a number that never was one.
    TModelObject* Find(std::int32_t handle) const noexcept {
        const TSlot* slot = SlotOf(handle);
        return slot ? slot->Object.get() : nullptr;
    }
    // Takes the object out of the table (its handle becomes stale) and gives it back; none when
    // the handle is not live.
    std::unique_ptr<TModelObject> Remove(std::int32_t handle);
    // Number of live objects.
    std::size_t Count() const noexcept { return m_count; }

private:
    struct TSlot {
        std::unique_ptr<TModelObject> Object;
        std::uint32_t Generation = 1;
    };
    static constexpr int kSlotBits = 20;
    static constexpr std::uint32_t kSlotMask = (1u << kSlotBits) - 1;
    static constexpr std::uint32_t kMaxGeneration = 2047;

    const TSlot* SlotOf(std::int32_t handle) const noexcept {
        const auto bits = static_cast<std::uint32_t>(handle);
        const std::uint32_t index = (bits & kSlotMask) - 1;
        // A handle of 0 or below, or with slot number 0, wraps `index` past every slot.
        if (handle <= 0 || index >= m_slots.size()) {
            return nullptr;
        }
        const TSlot& slot = m_slots[index];
        return slot.Object && slot.Generation == (bits >> kSlotBits) ? &slot : nullptr;
    }

    std::vector<TSlot> m_slots;
    std::deque<std::uint32_t> m_free;
    std::size_t m_count = 0;
};

} // namespace vex::host
