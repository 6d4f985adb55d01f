// Setting up a LAN game: the LAN command, the provider window with its one automatic pick, the
// host-or-join window, and the list of waiting sessions with the join.
#include "netplay/LanProviderWindow.h"
#include "netplay/LanReceive.h"
#include "netplay/LanSelectPlay.h"

#include "kvdplay/DirectPlayLibrary.h"
#include "kvdplay/Global.h"
#include "tests/netplay/LanFixture.h"

#include "platform/ui/Screen.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

engine::State& st() { return engine::state(); }

// The networking library's one provider, as the provider window lists it.
constexpr const char* ProviderName = "TCP/IP Network";

platform::dplay::DPSESSIONDESC session(const char* name, std::uint32_t number) {
    platform::dplay::DPSESSIONDESC d{};
    d.dwSize = sizeof d;
    d.dwSession = number;
    d.dwMaxPlayers = 2;
    d.dwCurrentPlayers = 1;
    std::strncpy(d.szSessionName, name, sizeof d.szSessionName - 1);
    return d;
}

int nodeNamed(const platform::ui::TreeView& tree, const std::string& text) {
    for (std::size_t i = 0; i < tree.nodes().size(); ++i)
        if (tree.nodes()[i].Text == text) return static_cast<int>(i);
    return -1;
}

} // namespace

TEST(LanProviderWindow, ListsTheProvidersOfTheNetworkLibrary) {
    LanScene scene;
    netplay::StartLanSetup();
    ASSERT_TRUE(st().DPGlobal);
    netplay::ProviderWindow* w = netplay::ProviderIfLoaded();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Caption.get(), "Tessarine Network (LAN) Options");
    ASSERT_EQ(w->lstProviders.ListCount(), 1);
    EXPECT_EQ(w->lstProviders.List(0), ProviderName);
    EXPECT_FALSE(w->Timer1.Enabled);
}

TEST(LanProviderWindow, AcceptWithoutAChoiceAsksForOne) {
    LanScene scene;
    netplay::StartLanSetup();
    netplay::Provider().btnOK.click();
    ASSERT_EQ(scene.doubles.dialogs.shown.size(), 1u);
    EXPECT_EQ(scene.doubles.dialogs.last().prompt,
              "Please select a connection method from the list above, or press Cancel to abort.");
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Tessarine");
    EXPECT_NE(netplay::ProviderIfLoaded(), nullptr);
}

TEST(LanProviderWindow, ChoosingARowMakesTheSessionObjectAndAsksHostOrJoin) {
    LanScene scene;
    st().DPlay.reset();
    netplay::StartLanSetup();
    netplay::Provider().lstProviders.ListIndex = 0;
    netplay::Provider().lstProviders.dblClick();
    scene.timers.advance(0);
    EXPECT_TRUE(st().DPlay);
    EXPECT_EQ(netplay::ProviderIfLoaded(), nullptr);
    ASSERT_NE(netplay::netSelectPlayIfLoaded(), nullptr);
    EXPECT_EQ(netplay::netSelectPlay().Caption.get(), "Tessarine Network Play");
}

TEST(LanProviderWindow, TheSavedProviderIsPickedOnceEvenWithBlanksAround) {
    LanScene scene;
    st().DPlay.reset();
    st().LanProtocol = "  TCP/IP Network ";
    netplay::StartLanSetup();
    EXPECT_TRUE(netplay::Provider().Timer1.Enabled);
    scene.timers.advance(50);
    EXPECT_TRUE(st().DPlay);
    EXPECT_EQ(st().ProviderAutoDone, 1);
    EXPECT_EQ(netplay::ProviderIfLoaded(), nullptr);
    EXPECT_NE(netplay::netSelectPlayIfLoaded(), nullptr);

    // The second opening in the run waits for the player.
    netplay::netSelectPlay().Command2.click();
    st().DPlay.reset();
    netplay::StartLanSetup();
    scene.timers.advance(50);
    EXPECT_FALSE(st().DPlay);
    EXPECT_NE(netplay::ProviderIfLoaded(), nullptr);
}

TEST(LanProviderWindow, ASavedNameOfThreeCharactersPicksNothing) {
    LanScene scene;
    st().LanProtocol = "TCP";
    netplay::StartLanSetup();
    EXPECT_FALSE(netplay::Provider().Timer1.Enabled);
}

TEST(LanProviderWindow, AnUnknownSavedNameLeavesTheChoiceToThePlayer) {
    LanScene scene;
    st().DPlay.reset();
    st().LanProtocol = "IPX Network";
    netplay::StartLanSetup();
    scene.timers.advance(50);
    EXPECT_FALSE(st().DPlay);
    EXPECT_NE(netplay::ProviderIfLoaded(), nullptr);
    EXPECT_EQ(st().ProviderAutoDone, 1);
}

TEST(LanProviderWindow, CancelClosesAndKeepsTheGlobalObject) {
    LanScene scene;
    netplay::StartLanSetup();
    netplay::Provider().btnCancel.click();
    EXPECT_EQ(netplay::ProviderIfLoaded(), nullptr);
    EXPECT_TRUE(st().DPGlobal);
    EXPECT_EQ(st().LanGame, 0);
}

TEST(LanHost, OpensASessionNamedAfterTheUserAndWaits) {
    LanScene scene;
    netplay::SelectPlayWindow& w = netplay::netSelectPlay();
    w.Option1.Value = true;
    w.Command1.click();
    ASSERT_TRUE(scene.network.description);
    const platform::dplay::DPSESSIONDESC& d = *scene.network.description;
    EXPECT_EQ(d.dwMaxPlayers, 2u);
    EXPECT_EQ(d.dwFlags, 2u);
    EXPECT_STREQ(d.szSessionName, "Alice");
    const decltype(d.guidSession) zero{};
    EXPECT_EQ(std::memcmp(&d.guidSession, &zero, sizeof zero), 0);
    EXPECT_EQ(scene.network.names.friendly, "Alice");
    EXPECT_EQ(scene.network.names.formal, "Alice");

    EXPECT_EQ(st().Player1Name, "Alice");
    EXPECT_EQ(st().Player2Name, "Waiting For Player");
    EXPECT_EQ(st().MyColour, "blue");
    EXPECT_EQ(st().PlayerNumber, 1);
    EXPECT_EQ(st().LanGame, 1);
    EXPECT_EQ(st().ComputerGame, 0);
    EXPECT_TRUE(scene.main().lantimer.Enabled);
    EXPECT_EQ(scene.lastStatus(), "System Message: Please wait. Waiting for Player 2 to join game.");
    EXPECT_EQ(scene.doubles.sound.played.back(), "sysmess.wav");
    EXPECT_EQ(scene.main().Label13.Caption.get(), "Waiting for player");
    EXPECT_EQ(netplay::netSelectPlayIfLoaded(), nullptr);
}

TEST(LanJoin, ChoosingJoinSeatsThePlayerRedInSeatTwo) {
    LanScene scene;
    scene.network.sessions = {session("Bob", 77)};
    netplay::SelectPlayWindow& w = netplay::netSelectPlay();
    w.Option2.Value = true;
    w.Command1.click();
    EXPECT_EQ(st().Player2Name, "Alice");
    EXPECT_EQ(st().PlayerNumber, 2);
    EXPECT_EQ(st().MyColour, "red");
    EXPECT_EQ(st().LanGame, 1);
    ASSERT_NE(netplay::SelectWaitingIfLoaded(), nullptr);

    // Cancel keeps the join choice's values, without a session.
    netplay::SelectWaiting().Command2.click();
    EXPECT_EQ(netplay::SelectWaitingIfLoaded(), nullptr);
    EXPECT_EQ(st().LanGame, 1);
    EXPECT_EQ(st().PlayerNumber, 2);
}

TEST(LanJoin, WaitingSessionsAreListedInTheOrderFoundUnderTheRoot) {
    LanScene scene;
    scene.network.sessions = {session("Bob", 77), session("Carol", 78)};
    netplay::SelectWaitingWindow& w = netplay::SelectWaiting();
    EXPECT_EQ(scene.network.timeout, 1500u);
    EXPECT_EQ(scene.network.enumFlags, 0u);
    const auto& nodes = w.tvSessions.nodes();
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_EQ(nodes[0].Text, "Players Waiting");
    EXPECT_TRUE(nodes[0].Expanded);
    EXPECT_EQ(nodes[1].Text, "Bob");
    EXPECT_EQ(nodes[1].Tag, "77");
    EXPECT_EQ(nodes[1].parent, 0);
    EXPECT_EQ(nodes[2].Text, "Carol");
    EXPECT_EQ(nodes[2].Tag, "78");
}

TEST(LanJoin, NoWaitingSessionShowsNoneAndJoinDoesNothing) {
    LanScene scene;
    netplay::SelectWaitingWindow& w = netplay::SelectWaiting();
    ASSERT_EQ(w.tvSessions.nodes().size(), 2u);
    EXPECT_EQ(w.tvSessions.nodes()[1].Text, "(None)");
    EXPECT_EQ(w.tvSessions.nodes()[1].Tag, "");
    w.tvSessions.nodeClick(1);
    EXPECT_EQ(w.SelectedSessionId(), 0);
    w.Command1.click();
    EXPECT_NE(netplay::SelectWaitingIfLoaded(), nullptr);
    EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
}

TEST(LanJoin, AnUnsupportedSearchShowsNotSupported) {
    LanScene scene;
    scene.network.results["EnumSessions"] = static_cast<platform::dplay::HRESULT>(0x80004001u);
    netplay::SelectWaitingWindow& w = netplay::SelectWaiting();
    ASSERT_EQ(w.tvSessions.nodes().size(), 2u);
    EXPECT_EQ(w.tvSessions.nodes()[1].Text, "(Not supported)");
}

TEST(LanJoin, JoiningOpensTheSessionFindsTheHostAndStarts) {
    LanScene scene;
    st().Player2Name = "Alice";
    st().PlayerNumber = 2;
    st().MyColour = "red";
    st().LanGame = 1;
    scene.network.sessions = {session("Bob", 77)};
    scene.network.players = {{1, std::string("Bob"), std::string("Bob"), 0}};
    netplay::SelectWaitingWindow& w = netplay::SelectWaiting();
    w.tvSessions.nodeClick(nodeNamed(w.tvSessions, "Bob"));
    EXPECT_EQ(w.SelectedSessionId(), 77);
    scene.dealNext("abcdefgh");
    w.Command1.click();

    ASSERT_TRUE(scene.network.description);
    EXPECT_EQ(scene.network.description->dwFlags, 1u);
    EXPECT_EQ(scene.network.description->dwSession, 77u);
    EXPECT_EQ(scene.network.names.friendly, "Alice");
    EXPECT_EQ(st().Player1Name, "Bob");
    EXPECT_EQ(st().TurnName, "Bob");
    EXPECT_TRUE(scene.main().lantimer.Enabled);
    EXPECT_EQ(scene.rackLetters(), "abcdefgh");
    EXPECT_EQ(scene.doubles.sound.played.back(), "begin.wav");
    EXPECT_EQ(scene.lastStatus(), "Game Ready! Waiting for Bob to move.");
    EXPECT_EQ(netplay::SelectWaitingIfLoaded(), nullptr);
}

TEST(LanJoin, AJoinerWithTheHostsNameIsRefusedBeforeHeIsEntered) {
    LanScene scene;
    st().Player1Name = "Earlier";
    st().TurnName = "Earlier";
    st().UserName = "Alice";
    scene.network.sessions = {session("Alice", 5)};
    scene.network.players = {{1, std::string("Alice "), std::string("Alice"), 0}};
    netplay::SelectWaitingWindow& w = netplay::SelectWaiting();
    w.tvSessions.nodeClick(1);
    w.Command1.click();
    // The session is left before any player of his is made, so the host only ever sees Alice.
    EXPECT_EQ(std::count(scene.network.calls.begin(), scene.network.calls.end(), "CreatePlayer"), 0);
    EXPECT_EQ(scene.network.calls.back(), "Close");
    ASSERT_EQ(scene.doubles.dialogs.shown.size(), 1u);
    EXPECT_EQ(scene.doubles.dialogs.last().prompt,
              "The player waiting in this game is also called Alice. Two players with the same name cannot play "
              "each other; log in under another name to join.");
    EXPECT_EQ(st().Player1Name, "Earlier");
    EXPECT_FALSE(scene.main().lantimer.Enabled);
    EXPECT_NE(netplay::SelectWaitingIfLoaded(), nullptr);
}

TEST(LanJoin, TheSearchShowsTheHourglassAndACancelledQuestionListsNone) {
    LanScene scene;
    std::vector<int> pointers;
    scene.network.duringSearch = [&] { pointers.push_back(platform::ui::Screen().MousePointer); };
    scene.network.results["EnumSessions"] = static_cast<platform::dplay::HRESULT>(0x88770118u);
    netplay::SelectWaitingWindow& w = netplay::SelectWaiting();
    EXPECT_EQ(pointers, std::vector<int>{platform::ui::vbHourglass});
    EXPECT_EQ(platform::ui::Screen().MousePointer, platform::ui::vbDefault);
    // The player said no to the question where to search: nobody answered, no second search, no notice.
    ASSERT_EQ(w.tvSessions.nodes().size(), 2u);
    EXPECT_EQ(w.tvSessions.nodes()[1].Text, "(None)");
    EXPECT_EQ(w.tvSessions.nodes()[1].Tag, "");
    EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
}

TEST(LanPlayControl, TheMainWindowsControlCarriesAnEmptyGuid) {
    LanScene scene;
    ASSERT_NE(scene.main().kvPlay1.object(), nullptr);
    EXPECT_EQ(netplay::PlayControlGuid(), "");
    EXPECT_EQ(scene.main().kvPlay1.saved().at(u"guidSession"), u"");
}

// --- A machine with a modem among its connections: the network library's own global object over
// a scripted list of providers.

namespace {

ScriptedDirectPlay* createdNetwork = nullptr;
platform::dplay::GUID providerIds[3] = {{1, 0, 0, {}}, {2, 0, 0, {}}, {3, 0, 0, {}}};

platform::dplay::HRESULT threeProviders(platform::dplay::LPDPENUMDPCALLBACK callback, platform::dplay::LPVOID context) {
    char modem[] = "Internal Modem Connection", tcp[] = "TCP/IP Network", serial[] = "Serial Cable";
    char* names[3] = {modem, tcp, serial};
    for (int i = 0; i < 3; ++i) callback(&providerIds[i], names[i], 1, 0, context);
    return platform::dplay::DP_OK;
}

platform::dplay::HRESULT createOnScript(platform::dplay::LPGUID, platform::dplay::IDirectPlay** out, platform::com::IUnknown*) {
    createdNetwork->AddRef();
    *out = createdNetwork;
    return platform::dplay::DP_OK;
}

struct ModemMachine {
    LanScene scene;
    ScriptedDirectPlay network;
    ModemMachine() {
        createdNetwork = &network;
        kvdplay::setDirectPlayEntries({&createOnScript, &threeProviders});
        st().DPlay.reset();
        st().DPGlobal = engine::ObjectRef<kvdplay::IkvDirectPlayGlobal>(kvdplay::Global::create());
    }
    ~ModemMachine() {
        netplay::ProviderWindow* w = netplay::ProviderIfLoaded();
        if (w) w->Unload();
        st().DPlay.reset();
        st().DPGlobal.reset();
        kvdplay::setDirectPlayLibraryPath({});
    }
};

} // namespace

TEST(LanProviderModem, AModemIsListedAsFiveBlanksInItsPlace) {
    ModemMachine machine;
    netplay::ProviderWindow& w = netplay::Provider();
    ASSERT_EQ(w.lstProviders.ListCount(), 3);
    EXPECT_EQ(w.lstProviders.List(0), "     ");
    EXPECT_EQ(w.lstProviders.List(1), "TCP/IP Network");
    EXPECT_EQ(w.lstProviders.List(2), "Serial Cable");
}

TEST(LanProviderModem, ADoubleClickOnTheBlankRowAsksAndChangesNothing) {
    ModemMachine machine;
    netplay::ProviderWindow& w = netplay::Provider();
    w.lstProviders.ListIndex = 0;
    w.lstProviders.dblClick();
    ASSERT_EQ(machine.scene.doubles.dialogs.shown.size(), 1u);
    EXPECT_EQ(machine.scene.doubles.dialogs.last().prompt,
              "Please select a connection method from the list above, or press Cancel to abort.");
    EXPECT_FALSE(st().DPlay);
    EXPECT_NE(netplay::ProviderIfLoaded(), nullptr);
}

TEST(LanProviderModem, TheRowChosenGivesTheSessionObjectOfItsProvider) {
    ModemMachine machine;
    netplay::ProviderWindow& w = netplay::Provider();
    w.lstProviders.ListIndex = 2;
    w.btnOK.click();
    EXPECT_TRUE(st().DPlay);
    EXPECT_NE(netplay::netSelectPlayIfLoaded(), nullptr);
}

TEST(LanProviderModem, ASavedNameOfBlanksNeverPicksTheModemRow) {
    ModemMachine machine;
    st().LanProtocol = "      ";
    netplay::ProviderWindow& w = netplay::Provider();
    machine.scene.timers.advance(50);
    EXPECT_EQ(st().ProviderAutoDone, 1);
    EXPECT_FALSE(st().DPlay);
    EXPECT_TRUE(machine.scene.doubles.dialogs.shown.empty());
    EXPECT_EQ(w.lstProviders.ListIndex, -1);
}

TEST(LanHost, ARefusedSessionIsToldAndNothingChanges) {
    LanScene scene;
    scene.network.results["Open"] = static_cast<platform::dplay::HRESULT>(0x88770046u);   // cannot create
    netplay::SelectPlayWindow& w = netplay::netSelectPlay();
    w.Option1.Value = true;
    w.Command1.click();
    ASSERT_EQ(scene.doubles.dialogs.shown.size(), 1u);
    EXPECT_EQ(scene.doubles.dialogs.last().prompt, "The network game could not be started (DPERR_CANTCREATESESSION).");
    EXPECT_EQ(st().LanGame, 0);
    EXPECT_FALSE(scene.main().lantimer.Enabled);
    EXPECT_NE(netplay::netSelectPlayIfLoaded(), nullptr);
}

TEST(LanHostWaiting, AGroupArrivalSeatsThePlayerItNamesById) {
    LanScene scene;
    scene.hostWaiting();
    scene.network.friendlyName = "Dora";
    std::vector<std::uint8_t> groupAdd(12, 0);
    put32(groupAdd, 0, 7);
    put32(groupAdd, 4, 9);
    put32(groupAdd, 8, 2);
    scene.arrives(groupAdd, 0);
    scene.tick();
    EXPECT_EQ(st().Player2Name, "Dora");
    EXPECT_EQ(scene.lastStatus(), "Dora is ready to play. Your move!");
}
