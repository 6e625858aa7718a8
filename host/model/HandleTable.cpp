#include "host/model/HandleTable.h"

#include <stdexcept>

namespace vex::host {

std::int32_t THandleTable::Add(std::unique_ptr<TModelObject> object) {
    std::uint32_t index = 0;
    if (!m_free.empty()) {
        index = m_free.front();
        m_free.pop_front();
    } else {
        if (m_slots.size() >= kSlotMask) {
            throw std::length_error("the model holds too many objects");
        }
        index = static_cast<std::uint32_t>(m_slots.size());
        m_slots.emplace_back();
    }
    TSlot& slot = m_slots[index];
    const auto handle = static_cast<std::int32_t>((slot.Generation << kSlotBits) | (index + 1));
    object->m_handle = handle;
    slot.Object = std::move(object);
    ++m_count;
    return handle;
}

const THandleTable::TSlot* THandleTable::SlotOf(std::int32_t handle) const noexcept {
    if (handle <= 0) {
        return nullptr;
    }
    const auto bits = static_cast<std::uint32_t>(handle);
    const std::uint32_t index = (bits & kSlotMask) - 1;
    if ((bits & kSlotMask) == 0 || index >= m_slots.size()) {
        return nullptr;
    }
    const TSlot& slot = m_slots[index];
    return slot.Object && slot.Generation == (bits >> kSlotBits) ? &slot : nullptr;
}

TModelObject* THandleTable::Find(std::int32_t handle) const noexcept {
    const TSlot* slot = SlotOf(handle);
    return slot ? slot->Object.get() : nullptr;
}

std::unique_ptr<TModelObject> THandleTable::Remove(std::int32_t handle) {
    const TSlot* found = SlotOf(handle);
    if (!found) {
        return nullptr;
    }
    TSlot& slot = m_slots[static_cast<std::size_t>(found - m_slots.data())];
    std::unique_ptr<TModelObject> object = std::move(slot.Object);
    slot.Generation = slot.Generation == kMaxGeneration ? 1 : slot.Generation + 1;
    m_free.push_back(static_cast<std::uint32_t>(found - m_slots.data()));
    --m_count;
    return object;
}

} // namespace vex::host
