#pragma once
// After the connection is chosen: "netSelectPlay" asks whether the player starts a new LAN game
// (he hosts a session named after himself and waits) or joins one; "SelectWaiting" lists the
// sessions that wait, found in a 1.5 second search, and joins the one selected.
#include "engine/ObjectRef.h"
#include "kvdplay/Interfaces.h"
#include "platform/activex/HostedControl.h"
#include "platform/ui/Choices.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Form.h"
#include "platform/ui/TreeView.h"

#include <string>

namespace netplay {

namespace ui = platform::ui;

class SelectPlayWindow final : public ui::Form {
public:
    SelectPlayWindow();

    ui::Frame Frame1{"Frame1"};
    ui::OptionButton Option1{"Option1"};
    ui::OptionButton Option2{"Option2"};
    ui::CommandButton Command1{"Command1"};
    ui::CommandButton Command2{"Command2"};
    ui::CommandButton Command3{"Command3"};

    void Form_Load() override;
    void Command1_Click();   // host or join
    void Command2_Click();   // cancel
    void Command3_Click();   // help

private:
    void host();
    void chooseJoin();
};

class SelectWaitingWindow final : public ui::Form {
public:
    SelectWaitingWindow();

    ui::Label Label1{"Label1"};
    ui::Label Label3{"Label3"};
    ui::TreeView tvSessions{"tvSessions"};
    ui::CommandButton Command1{"Command1"};
    ui::CommandButton Command2{"Command2"};
    ui::CommandButton Command3{"Command3"};

    void Form_Load() override;
    void Command1_Click();   // join
    void Command2_Click();   // cancel
    void Command3_Click();   // help

    // The session number in the selected node's Tag; 0 when nothing (or a node without a
    // number) is selected.
    long SelectedSessionId() const;

private:
    void listSessions();
};

SelectPlayWindow& netSelectPlay();
SelectPlayWindow* netSelectPlayIfLoaded();
SelectWaitingWindow& SelectWaiting();
SelectWaitingWindow* SelectWaitingIfLoaded();

// The main window's kvPlay1, whose guidSession every session description carries (so host and
// joiner look for the same application). Set by the main window when it loads.
void setPlayControl(ui::HostedControl* kvPlay1);
// Its guidSession text; empty (the all-zero GUID) without a control.
std::string PlayControlGuid();

// The session object chosen in the provider window while a LAN game runs on DPlay. The running
// game keeps its session, and goes on, until the new game is actually hosted or joined; Cancel at
// any step of the set-up drops this one. Empty when no game was running at the choice (DPlay
// itself is then the new session object).
engine::ObjectRef<kvdplay::IkvDirectPlay>& LanSetupSession();

// Time the search for waiting sessions runs, in milliseconds.
inline constexpr long SessionSearchMs = 1500;

inline constexpr const char* WaitingForPlayerStatus = "System Message: Please wait. Waiting for Player 2 to join game.";
inline constexpr const char* PlayersWaitingRoot = "Players Waiting";
inline constexpr const char* NoSessionsNode = "(None)";
inline constexpr const char* NotSupportedNode = "(Not supported)";

} // namespace netplay
