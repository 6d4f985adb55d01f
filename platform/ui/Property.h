#pragma once
// A control's property: reads like the value, and every assignment tells the control, so the
// screen follows and timers restart.
#include <utility>

namespace platform::ui {

// What owns properties: a control or a window. changed() runs after every assignment.
class Notifiable {
public:
    virtual void changed() = 0;

protected:
    ~Notifiable() = default;
};

template <class T>
class Property {
public:
    explicit Property(Notifiable* owner, T initial = T{}) : m_owner(owner), m_value(std::move(initial)) {}
    Property(const Property&) = delete;

    // Every assignment notifies, also one that keeps the value: a timer's Enabled := True
    // restarts its count.
    Property& operator=(const T& value) {
        m_value = value;
        m_owner->changed();
        return *this;
    }
    // Copies the value, never the owner: Hole(i).Picture = Blank.Picture.
    Property& operator=(const Property& other) { return *this = other.m_value; }

    operator const T&() const { return m_value; }
    const T& get() const { return m_value; }
    const T* operator->() const { return &m_value; }

    bool operator==(const Property& other) const { return m_value == other.m_value; }
    bool operator==(const T& value) const { return m_value == value; }

    // Sets without telling anyone (the screen reporting what the user did).
    void setQuietly(const T& value) { m_value = value; }

private:
    Notifiable* m_owner;
    T m_value;
};

} // namespace platform::ui
