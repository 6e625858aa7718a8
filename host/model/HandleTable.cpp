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
