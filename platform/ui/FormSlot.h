#pragma once
// A window's default instance: the first use loads a fresh window (running its Form_Load), and
// after an Unload the next use makes a new one.
#include "platform/ui/Desktop.h"
#include "platform/ui/Form.h"

#include <memory>

namespace platform::ui {

template <class T>
class FormSlot {
public:
    T& operator()() {
        if (!m_form) {
            m_form = std::make_unique<T>();
            T* form = m_form.get();
            form->releaser = [this](Form& gone) {
                if (m_form.get() == &gone) Desktop::instance().retire(std::move(m_form));
            };
            form->load();
            return *form;
        }
        return *m_form;
    }
    // The loaded window, or null; never loads.
    T* peek() const { return m_form.get(); }
    bool loaded() const { return m_form != nullptr; }

private:
    std::unique_ptr<T> m_form;
};

} // namespace platform::ui
