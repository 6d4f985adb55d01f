#pragma once
// The windows of the control: its About box and its property page. The library's logic fills
// them and reacts to them through this thin layer; the desktop build installs Qt windows, and
// without a desktop the layer stays empty (no box is shown, the page cannot open).
#include "platform/com/ControlSite.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace platform {
class ShellOpen;
}

namespace kvdplay {

using namespace platform::com;

// Everything the About box shows.
struct AboutContent {
    std::string title;       // "About kvPlay"
    std::string name;        // "kvPlay"
    std::string versionLine; // "kvPlay Control, Version 1.0.4"
    std::string webAddress;
    std::string blocks[5];   // the further text blocks, top to bottom
};

// What the property page's window reports back to the page.
class PageEvents {
public:
    virtual ~PageEvents() = default;
    virtual void textChanged() = 0;
    virtual void newGuidClicked() = 0;
    virtual void aboutClicked() = 0;
};

// The property page's window: the edit box and two buttons inside the frame's window.
class PageView {
public:
    virtual ~PageView() = default;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
    virtual void setMaxLength(int characters) = 0;
    // A message box owned by the page: caption "KVDIRECT", error icon, OK.
    virtual void showError(const std::string& text) = 0;
    virtual void show(bool visible) = 0;
    virtual void move(const RECT& place) = 0;
};

struct ControlUi {
    // Shows the About box modally over the active window; returns when it is closed.
    std::function<void(const AboutContent&)> showAbout;
    // Makes the page's window inside parent (the frame's window; may be null).
    std::function<std::unique_ptr<PageView>(PageEvents& events, void* parent)> makePage;
    // The picture of one of the library's icons (101: the control's own); none without a desktop.
    std::function<std::optional<IconPicture>(int id)> loadIcon;
    // Opens the About box's web address; null: nothing happens.
    platform::ShellOpen* shell = nullptr;
};

// The layer in force for the whole library.
ControlUi& controlUi();

} // namespace kvdplay
