#pragma once

#include <atomic>
#include <cstdint>
#include <utility>

namespace vex {

// An automation interface a script value can refer to: a reference-counted object that travels
// through scripts as its 32-bit handle. Hosts derive their automation objects from it.
class TInterface {
public:
    TInterface() noexcept;
    TInterface(const TInterface&) = delete;
    TInterface& operator=(const TInterface&) = delete;
    virtual ~TInterface() = default;

    // The handle scripts see: unique in the process, never 0.
    std::int32_t Handle() const noexcept { return m_handle; }
    // Adds one reference.
    void AddRef() noexcept { m_references.fetch_add(1, std::memory_order_relaxed); }
    // Drops one reference; the object deletes itself with the last one.
    void Release() noexcept;
    // The references held now; for tests and diagnostics.
    int ReferenceCount() const noexcept { return m_references.load(std::memory_order_relaxed); }

private:
    std::atomic<int> m_references{1};
    std::int32_t m_handle;
};

// An owning pointer to an interface: copying adds a reference, destruction releases one.
class TInterfaceRef {
public:
    TInterfaceRef() noexcept = default;
    // Takes over the caller's reference.
    static TInterfaceRef Adopt(TInterface* object) noexcept { return TInterfaceRef(object); }
    // Adds a reference of its own.
    static TInterfaceRef Share(TInterface* object) noexcept {
        if (object) {
            object->AddRef();
        }
        return TInterfaceRef(object);
    }
    TInterfaceRef(const TInterfaceRef& other) noexcept
        : TInterfaceRef(Share(other.m_object)) {}
    TInterfaceRef(TInterfaceRef&& other) noexcept
        : m_object(std::exchange(other.m_object, nullptr)) {}
    TInterfaceRef& operator=(TInterfaceRef other) noexcept {
        std::swap(m_object, other.m_object);
        return *this;
    }
    ~TInterfaceRef() { reset(); }

    // The interface, or none; the reference stays with this pointer.
    TInterface* get() const noexcept { return m_object; }
    TInterface* operator->() const noexcept { return m_object; }
    // True while the pointer holds an interface.
    explicit operator bool() const noexcept { return m_object != nullptr; }
    // Releases the reference held and becomes none.
    void reset() noexcept {
        if (TInterface* object = std::exchange(m_object, nullptr)) {
            object->Release();
        }
    }

private:
    explicit TInterfaceRef(TInterface* object) noexcept
        : m_object(object) {}
    TInterface* m_object = nullptr;
};

} // namespace vex
