#include "runtime/AutomationInterface.h"

namespace vex {

namespace {

std::int32_t nextHandle() noexcept {
    static std::atomic<std::int32_t> counter{0};
    std::int32_t handle = counter.fetch_add(1, std::memory_order_relaxed) + 1;
    return handle == 0 ? counter.fetch_add(1, std::memory_order_relaxed) + 1 : handle;
}

} // namespace

TInterface::TInterface() noexcept
    : m_handle(nextHandle()) {}

void TInterface::Release() noexcept {
    if (m_references.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        delete this;
    }
}

} // namespace vex
