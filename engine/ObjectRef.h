#pragma once
// One counted reference to an automation object, given back when it is replaced or dropped.
#include <utility>

namespace engine {

template <class T>
class ObjectRef {
public:
    ObjectRef() = default;
    // Takes over the caller's reference.
    explicit ObjectRef(T* object) : m_object(object) {}
    ~ObjectRef() { reset(); }
    ObjectRef(const ObjectRef& other) : m_object(other.m_object) {
        if (m_object) m_object->AddRef();
    }
    ObjectRef& operator=(const ObjectRef& other) {
        ObjectRef copy(other);
        std::swap(m_object, copy.m_object);
        return *this;
    }
    ObjectRef(ObjectRef&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    ObjectRef& operator=(ObjectRef&& other) noexcept {
        ObjectRef moved(std::move(other));
        std::swap(m_object, moved.m_object);
        return *this;
    }

    // Drops the reference held; the object goes when nobody else holds it.
    void reset() {
        if (T* old = std::exchange(m_object, nullptr)) old->Release();
    }
    T* get() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    // For a member that hands out a new reference: the old one is dropped first.
    T** out() {
        reset();
        return &m_object;
    }

private:
    T* m_object = nullptr;
};

} // namespace engine
