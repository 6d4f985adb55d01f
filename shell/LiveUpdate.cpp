#include "shell/LiveUpdate.h"

#include "engine/GameControls.h"
#include "engine/Shared.h"
#include "engine/State.h"
#include "netplay/InetRequests.h"
#include "shell/UpdateCheck.h"
#include "window/LeaveInternet.h"
#include "window/MainWindow.h"

#include <string>

namespace shell {

namespace {

platform::inet::Inet& transfer() {
    engine::GameControls* controls = engine::state().controls;
    return controls ? controls->Inet1 : window::main().Inet1;
}

void statusLines(std::string_view text, std::string_view after) {
    engine::AddStatusLine(std::string(text));
    engine::AddStatusLine(std::string(after));
}

} // namespace

void RunUpdateCheck() {
    engine::State& s = engine::state();
    platform::Dialogs& dialogs = *s.services.dialogs;
    statusLines(" ", update_texts::kChecking);

    // The request waits 15 seconds and puts the transfer back to 60 seconds on every path.
    const netplay::Reply reply = netplay::checkVersion(transfer(), s.AppVersion);
    if (reply.failed) engine::AddStatusLine(reply.failureText);

    switch (interpretUpdateReply(reply.text)) {
    case UpdateVerdict::Current:
        dialogs.msgBox(std::string(update_texts::kCurrentBox), platform::vbOKOnly,
                       std::string(update_texts::kCurrentTitle));
        statusLines(update_texts::kCurrentLine, " ");
        return;
    case UpdateVerdict::Updated:
        break;
    case UpdateVerdict::Failed:
        statusLines(update_texts::kFailedLine, "");
        return;
    }

    const int answer = dialogs.msgBox(std::string(update_texts::kUpdatedQuestion), platform::vbYesNo,
                                      std::string(update_texts::kUpdatedTitle));
    // The updater replaces the running game, so a game in play or a waiting entry is settled
    // first; "No" there keeps everything as it is.
    if (answer != platform::vbYes || !window::ConfirmLeaveInternet(window::CurrentlyPlayingText, false)) {
        statusLines(update_texts::kNotCurrentLine, " ");
        return;
    }
    platform::ShellOpen* shell = s.services.shell;
    if (shell && shell->startProgram(std::string(kUpdaterProgram))) {
        s.services.exit->exitProgram();
        return;
    }
    dialogs.msgBox(std::string(update_texts::kUpdaterMissingBox), platform::vbOKOnly + platform::vbExclamation,
                   std::string(update_texts::kUpdaterMissingTitle));
    statusLines(update_texts::kNotCurrentLine, " ");
}

} // namespace shell
