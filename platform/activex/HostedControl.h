#pragma once
// The container side of an automation control placed on a form: the form creates the control
// by its ProgID, is its site, hands it its saved properties through a property bag, hears of
// every property change through a property-change sink (which marks the saved values as needing
// a save), and takes the values back when it saves. A control that sits on a form but shows
// nothing at run time (kvPlay) needs no more than this. The site interface is the one that
// platform/com/ControlSite.h declares for every container on our runtime.
#include "platform/com/Interfaces.h"

#include <map>
#include <string>

namespace platform::ui {

class HostedControl {
public:
    // saved: the property values the form stores for this control (name, text).
    HostedControl(std::string name, std::u16string progId, std::map<std::u16string, std::u16string> saved);
    ~HostedControl();
    HostedControl(const HostedControl&) = delete;
    HostedControl& operator=(const HostedControl&) = delete;

    const std::string& name() const { return m_name; }
    // The control's object, made on first use (site set, saved values loaded, sink connected);
    // null when it cannot be made (not registered, say). No new reference is handed out.
    com::IUnknown* object();
    // Asks the control for an interface; the caller releases what it gets.
    com::HRESULT query(const com::IID& iid, void** out);

    // The values as the form would save them now: the loaded ones, or what the control wrote
    // back at its last save.
    const std::map<std::u16string, std::u16string>& saved() const { return m_saved; }
    // Has the control save its properties into the form's values. False when it cannot.
    bool save();
    // Property changes the control reported, and whether the form's values are out of date.
    int changesSeen() const { return m_changes; }
    bool needsSave() const { return m_dirty; }

private:
    class Container;
    friend class Container;

    std::string m_name;
    std::u16string m_progId;
    std::map<std::u16string, std::u16string> m_saved;
    Container* m_container = nullptr;
    com::IUnknown* m_object = nullptr;
    com::IConnectionPoint* m_point = nullptr;
    com::DWORD m_cookie = 0;
    bool m_tried = false;
    int m_changes = 0;
    bool m_dirty = false;
};

} // namespace platform::ui
