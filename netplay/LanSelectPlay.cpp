#include "netplay/LanSelectPlay.h"

#include "engine/GameControls.h"
#include "engine/GameEnd.h"
#include "engine/Round.h"
#include "engine/Shared.h"
#include "engine/State.h"
#include "netplay/LanMessages.h"
#include "netplay/LanObjects.h"
#include "netplay/LanProviderWindow.h"
#include "netplay/LanReceive.h"
#include "platform/com/Text.h"
#include "platform/text/Blanks.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/FormSlot.h"
#include "platform/ui/Screen.h"

#include <cstdlib>
#include <vector>

namespace netplay {

namespace {

constexpr com::HRESULT DPERR_NOSESSIONS = static_cast<com::HRESULT>(0x887700DCu);
constexpr com::HRESULT E_NOTIMPL = static_cast<com::HRESULT>(0x80004001u);
constexpr com::HRESULT DPERR_USERCANCEL = static_cast<com::HRESULT>(0x88770118u);
constexpr com::LONG DPOPEN_OPENSESSION = 1;
constexpr com::LONG DPOPEN_CREATESESSION = 2;
constexpr com::LONG DPENUMPLAYERS_ALL = 0;

ui::FormSlot<SelectPlayWindow>& selectPlaySlot() {
    static ui::FormSlot<SelectPlayWindow> s;
    return s;
}

ui::FormSlot<SelectWaitingWindow>& selectWaitingSlot() {
    static ui::FormSlot<SelectWaitingWindow> s;
    return s;
}

ui::HostedControl*& playControl() {
    static ui::HostedControl* control = nullptr;
    return control;
}

void showBox(const std::string& text) {
    if (platform::Dialogs* dialogs = engine::state().services.dialogs) dialogs->msgBox(text, platform::vbOKOnly, ProgramTitle);
}

void centre(ui::Form& form) {
    const ui::Desktop& desktop = ui::Desktop::instance();
    form.Left = (desktop.screenWidth() - form.Width) / 2;
    form.Top = (desktop.screenHeight() - form.Height) / 2;
}

// A new session description carrying the application's GUID.
engine::ObjectRef<kvdplay::IkvDPSESSIONDESC> newDescription() {
    engine::ObjectRef<kvdplay::IkvDPSESSIONDESC> desc = createSessionDesc();
    com::VARIANT guid;
    com::VariantInit(&guid);
    guid.vt = com::VT_BSTR;
    guid.bstrVal = com::stringFromUtf8(PlayControlGuid());
    const com::HRESULT hr = desc->put_guidSession(guid);
    com::VariantClear(&guid);
    check(hr);
    return desc;
}

// The friendly names of the players in the session, in the order the library lists them.
std::vector<std::string> sessionPlayerNames(kvdplay::IkvDirectPlay& session, long id) {
    engine::ObjectRef<kvdplay::IkvDirectPlayPlayers> players;
    check(session.EnumPlayers(id, DPENUMPLAYERS_ALL, players.out()));
    com::LONG count = 0;
    check(players->get_Count(&count));
    std::vector<std::string> names;
    for (long i = 0; i < count; ++i) {
        engine::ObjectRef<com::IDispatch> item;
        check(players->get_Item(i, item.out()));
        engine::ObjectRef<kvdplay::IkvDirectPlayPlayer> player;
        check(item->QueryInterface(kvdplay::IID_IkvDirectPlayPlayer, reinterpret_cast<void**>(player.out())));
        com::BSTR friendly = nullptr;
        check(player->get_FriendlyName(&friendly));
        names.push_back(takeText(friendly));
    }
    return names;
}

void switchLanTimerOn() {
    if (engine::GameControls* c = engine::state().controls) c->lantimer.Enabled = true;
}

// The session object the set-up works on: the one chosen while a game ran, else DPlay.
kvdplay::IkvDirectPlay* setupSession() {
    engine::ObjectRef<kvdplay::IkvDirectPlay>& pending = LanSetupSession();
    return pending ? pending.get() : engine::state().DPlay.get();
}

// The new game is hosted or joined: the game that ran until now is left (its opponent hears of
// it at once) and the new session becomes DPlay; board, rack and starter start afresh.
void adoptSetupSession() {
    engine::State& s = engine::state();
    engine::ObjectRef<kvdplay::IkvDirectPlay>& pending = LanSetupSession();
    if (pending) {
        LeaveLanGame();
        s.DPlay = std::move(pending);
    }
    s.LanGame = 1;
    s.ComputerGame = 0;
    engine::ReadyNetworkGame();
    engine::ClearOpponentPanel();
}

// Cancel anywhere in the set-up: a game still running goes on with its own session.
void dropSetupSession() {
    LanSetupSession().reset();
}

} // namespace

engine::ObjectRef<kvdplay::IkvDirectPlay>& LanSetupSession() {
    static engine::ObjectRef<kvdplay::IkvDirectPlay> session;
    return session;
}

void setPlayControl(ui::HostedControl* kvPlay1) {
    playControl() = kvPlay1;
}

std::string PlayControlGuid() {
    ui::HostedControl* control = playControl();
    if (!control) return {};
    kvdplay::IkvPlay* play = nullptr;
    if (com::FAILED(control->query(kvdplay::IID_IkvPlay, reinterpret_cast<void**>(&play))) || !play) return {};
    com::BSTR text = nullptr;
    const com::HRESULT hr = play->get_guidSession(&text);
    play->Release();
    const std::string guid = takeText(text);
    return com::SUCCEEDED(hr) ? guid : std::string();
}

SelectPlayWindow& netSelectPlay() {
    return selectPlaySlot()();
}

SelectPlayWindow* netSelectPlayIfLoaded() {
    return selectPlaySlot().peek();
}

SelectWaitingWindow& SelectWaiting() {
    return selectWaitingSlot()();
}

SelectWaitingWindow* SelectWaitingIfLoaded() {
    return selectWaitingSlot().peek();
}

// --- netSelectPlay ---------------------------------------------------------------------------

SelectPlayWindow::SelectPlayWindow() : ui::Form("netSelectPlay") {
    Caption = "Tessarine Network Play";
    BorderStyle = ui::vbFixedDialog;
    Width = 5160;
    Height = 2700;

    Frame1.Caption = "Start new network game, or join existing game?";
    Frame1.Move(120, 120, 4920, 1455);
    add(Frame1);
    Option1.Caption = "I want to start a new game.";
    Option1.Move(240, 360, 4560, 375);
    add(Option1, &Frame1);
    Option2.Caption = "I want to join a waiting player.";
    Option2.Move(240, 840, 4560, 375);
    add(Option2, &Frame1);
    Option1.Value = true;
    Command1.Caption = "OK";
    Command1.Move(120, 1800, 1575, 375);
    add(Command1);
    Command2.Caption = "Cancel";
    Command2.Move(1792, 1800, 1575, 375);
    add(Command2);
    Command3.Caption = "Help";
    Command3.Move(3465, 1800, 1575, 375);
    add(Command3);

    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
}

void SelectPlayWindow::Form_Load() {
    centre(*this);
    Show();
}

void SelectPlayWindow::Command1_Click() {
    if (Option1.Value) host();
    else chooseJoin();
}

void SelectPlayWindow::host() {
    engine::State& s = engine::state();
    kvdplay::IkvDirectPlay* session = setupSession();
    if (!session) return;   // no connection chosen yet
    try {
        engine::ObjectRef<kvdplay::IkvDPSESSIONDESC> desc = newDescription();
        check(desc->put_dwMaxPlayers(2));
        check(desc->put_dwFlags(DPOPEN_CREATESESSION));
        check(desc->put_szSessionName(LanText(s.UserName).get()));
        check(session->OpenSession(desc.get()));
    } catch (const LanError& e) {
        showBox(std::string("The network game could not be started (") + e.what() + ").");
        return;
    }
    try {
        com::LONG id = 0;
        check(session->CreatePlayer(LanText(s.UserName).get(), LanText(s.UserName).get(), &id));
    } catch (const LanError& e) {
        showBox(std::string("You could not be entered in the network game (") + e.what() + ").");
        return;
    }
    adoptSetupSession();
    s.Player1Name = s.UserName;
    s.Player2Name = WaitingForPlayerName;
    s.MyColour = "blue";
    s.PlayerNumber = 1;
    switchLanTimerOn();
    engine::AddStatusLine(WaitingForPlayerStatus);
    engine::PlaySoundEvent(s.SoundSystemMessage);
    if (s.controls) s.controls->Label13.Caption = "Waiting for player";
    Unload();
}

void SelectPlayWindow::chooseJoin() {
    engine::State& s = engine::state();
    // A LAN game under way keeps its seats until the join has actually happened.
    if (!LanSetupSession()) {
        s.Player2Name = s.UserName;
        s.PlayerNumber = 2;
        s.MyColour = "red";
        s.LanGame = 1;
        s.ComputerGame = 0;
    }
    Unload();
    SelectWaiting().Show();
}

void SelectPlayWindow::Command2_Click() {
    dropSetupSession();
    Unload();
}

void SelectPlayWindow::Command3_Click() {
    ShowLanGameHelp();
}

// --- SelectWaiting ---------------------------------------------------------------------------

SelectWaitingWindow::SelectWaitingWindow() : ui::Form("SelectWaiting") {
    Caption = "Join Tessarine Player";
    BorderStyle = ui::vbFixedDialog;
    Width = 4680;
    Height = 4320;

    Label1.Caption = "Players Waiting To Play";
    Label1.Move(120, 120, 4440, 255);
    add(Label1);
    tvSessions.Move(120, 420, 4440, 2655);
    add(tvSessions);
    Label3.Caption = "Select Player To Join";
    Label3.Move(120, 3120, 4440, 255);
    add(Label3);
    Command1.Caption = "Join";
    Command1.Move(120, 3480, 1335, 375);
    add(Command1);
    Command2.Caption = "Cancel";
    Command2.Move(1672, 3480, 1335, 375);
    add(Command2);
    Command3.Caption = "Help";
    Command3.Move(3225, 3480, 1335, 375);
    add(Command3);

    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
}

void SelectWaitingWindow::Form_Load() {
    centre(*this);
    listSessions();
}

void SelectWaitingWindow::listSessions() {
    // The search keeps the player waiting for up to a second and a half.
    ui::Screen().MousePointer = ui::vbHourglass;
    const int root = tvSessions.Add(-1, PlayersWaitingRoot);
    try {
        engine::ObjectRef<kvdplay::IkvDPSESSIONDESC> desc = newDescription();
        engine::ObjectRef<kvdplay::IkvDirectPlaySessions> sessions;
        kvdplay::IkvDirectPlay* session = setupSession();
        com::HRESULT hr = session ? session->EnumSessions(desc.get(), SessionSearchMs, 0, sessions.out()) : com::E_FAIL;
        if (hr == DPERR_NOSESSIONS || hr == DPERR_USERCANCEL) {
            // A cancelled question where to search found nobody either; the list says so rather
            // than stand empty.
            tvSessions.Add(root, NoSessionsNode);
        } else if (hr == E_NOTIMPL) {
            tvSessions.Add(root, NotSupportedNode);
        } else {
            // Any other failure: one more search, unguarded.
            if (com::FAILED(hr)) {
                if (!session) throw LanError(hr, "no session object");
                check(session->EnumSessions(desc.get(), SessionSearchMs, 0, sessions.out()));
            }
            com::LONG count = 0;
            check(sessions->get_Count(&count));
            for (long i = 0; i < count; ++i) {
                engine::ObjectRef<com::IDispatch> item;
                check(sessions->get_Item(i, item.out()));
                engine::ObjectRef<kvdplay::IkvDPSESSIONDESC> found;
                check(item->QueryInterface(kvdplay::IID_IkvDPSESSIONDESC, reinterpret_cast<void**>(found.out())));
                com::BSTR name = nullptr;
                check(found->get_szSessionName(&name));
                com::LONG number = 0;
                check(found->get_dwSession(&number));
                tvSessions.Add(root, takeText(name), std::to_string(number));
            }
        }
    } catch (const LanError& e) {
        ui::Screen().MousePointer = ui::vbDefault;
        showBox(std::string("The waiting players could not be listed (") + e.what() + ").");
    }
    // The root shows its children (nodes are added expanded).
    (void)root;
    ui::Screen().MousePointer = ui::vbDefault;
}

long SelectWaitingWindow::SelectedSessionId() const {
    const int selected = tvSessions.SelectedItem;
    if (selected < 0 || selected >= tvSessions.Count()) return 0;
    const std::string& tag = tvSessions.Node(selected).Tag;
    if (tag.empty()) return 0;
    return std::strtol(tag.c_str(), nullptr, 10);
}

void SelectWaitingWindow::Command1_Click() {
    engine::State& s = engine::state();
    const long id = SelectedSessionId();
    kvdplay::IkvDirectPlay* session = setupSession();
    if (id == 0 || !session) return;
    // The joiner's own name: the seat-2 name the join choice gave, which is the user's.
    const std::string own = s.UserName;
    std::string hostName;
    try {
        engine::ObjectRef<kvdplay::IkvDPSESSIONDESC> desc = newDescription();
        check(desc->put_dwFlags(DPOPEN_OPENSESSION));
        check(desc->put_dwSession(id));
        check(session->OpenSession(desc.get()));
        // Turns go by name: a host with the joiner's own name is told apart before the joiner
        // is entered, and the host goes on waiting for somebody else.
        const std::vector<std::string> names = sessionPlayerNames(*session, id);
        for (const std::string& name : names) {
            if (platform::text::trimBlanks(name) != platform::text::trimBlanks(own)) continue;
            session->CloseSession();
            showBox("The player waiting in this game is also called " + own +
                    ". Two players with the same name cannot play each other; log in under another name to join.");
            return;
        }
        com::LONG ownId = 0;
        check(session->CreatePlayer(LanText(own).get(), LanText(own).get(), &ownId));
        // The first other name is the host's.
        for (const std::string& name : names) {
            if (name != own) {
                hostName = name;
                break;
            }
        }
    } catch (const LanError& e) {
        showBox(std::string("The network game could not be joined (") + e.what() + ").");
        return;
    }
    adoptSetupSession();
    s.Player2Name = own;
    s.PlayerNumber = 2;
    s.MyColour = "red";
    if (!hostName.empty()) {
        s.Player1Name = hostName;
        s.TurnName = s.Player1Name;
    }
    switchLanTimerOn();
    engine::StartRound();
    engine::PlaySoundEvent(s.SoundGameReady);
    engine::AddStatusLine("Game Ready! Waiting for " + s.Player1Name + " to move.");
    Unload();
}

void SelectWaitingWindow::Command2_Click() {
    dropSetupSession();
    Unload();
}

void SelectWaitingWindow::Command3_Click() {
    ShowLanGameHelp();
}

} // namespace netplay
