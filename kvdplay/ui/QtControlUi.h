#pragma once
// The control's windows in Qt: the About box and the property page's window, installed into
// the library's thin window layer.
#include "kvdplay/ControlUi.h"

#include <memory>
#include <string>

class QDialog;
class QWidget;

namespace kvdplay::ui {

// Installs the Qt windows; the About box's link opens through the desktop's handlers with
// programFolder as the base of relative names.
void installQtControlUi(const std::string& programFolder);

// The About box, made but not shown (showAbout runs it modally over the active window).
QDialog* makeAboutDialog(const AboutContent& content, platform::ShellOpen* shell, QWidget* parent);

// The property page's window inside parent.
std::unique_ptr<PageView> makePageView(PageEvents& events, QWidget* parent);

} // namespace kvdplay::ui
