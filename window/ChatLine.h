#pragma once
// The main window's chat line: one line typed into ChatText goes to the opponent of a LAN game or
// of an Internet game in play, and stands in the sender's status list.
#include "platform/ui/Control.h"

namespace window {

// SendButton's click: outside a LAN or Internet game in play the line is only cleared; an empty
// line sends nothing. Otherwise "Sent: " and the line in the status list, the line to the
// opponent, and the box cleared.
void SendChatLine(platform::ui::TextBox& ChatText);

} // namespace window
