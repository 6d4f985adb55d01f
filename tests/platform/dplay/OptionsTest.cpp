// The settings file (a host answers everywhere and a joiner is asked, unless told otherwise;
// nothing unreadable taken in; the last answer kept under its own key), and the broadcast
// addresses worked out from the interfaces, without sending anything.
#include "platform/dplay/LocalNetwork.h"
#include "platform/dplay/Options.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using namespace platform::dplay;
using boost::asio::ip::make_address_v4;

TEST(DplaySettings, WithoutAFileAHostAnswersEverywhereAndAJoinerIsAsked)
{
    const auto options = parseOptions("");
    EXPECT_TRUE(options.searchAddresses.empty());
    EXPECT_EQ(options.listenAddress, "0.0.0.0");
    EXPECT_EQ(options.discoveryPortCount, 8);
    EXPECT_EQ(options.lastSearch, "");
}

TEST(DplaySettings, TheLastAnswerIsKeptUnderItsOwnKeyAndTheOtherLinesStay)
{
    testing_support::TempDir folder;
    const auto file = folder / "dplay.ini";
    folder.write("dplay.ini", "; mine\nDiscoveryPort=40000\nLastSearch=old\n");
    keepLastSearch(file, "192.0.2.7");
    EXPECT_EQ(folder.read("dplay.ini"), "; mine\nDiscoveryPort=40000\nLastSearch=192.0.2.7\n");
    keepLastSearch(file, "");
    const auto options = parseOptions(folder.read("dplay.ini"));
    EXPECT_EQ(options.lastSearch, "");
    EXPECT_EQ(options.discoveryPort, 40000);
    // An answer is offered again, never taken as a standing setting that skips the question.
    keepLastSearch(file, "gamebox");
    EXPECT_EQ(parseOptions(folder.read("dplay.ini")).lastSearch, "gamebox");
    EXPECT_TRUE(parseOptions(folder.read("dplay.ini")).searchAddresses.empty());
}

TEST(DplaySearchAddresses, OneDirectedBroadcastPerUpBroadcastingInterfaceButNotLoopback)
{
    auto item = [](const char* name, const char* address, const char* mask, bool up, bool broadcast, bool loopback) {
        return NetworkInterface{name, make_address_v4(address), make_address_v4(mask), up, broadcast, loopback};
    };
    const std::vector<NetworkInterface> interfaces{
        item("lo", "127.0.0.1", "255.0.0.0", true, false, true),
        item("eth0", "192.168.1.23", "255.255.255.0", true, true, false),
        item("eth0", "192.168.1.99", "255.255.255.0", true, true, false), // same network again
        item("eth1", "10.20.30.40", "255.255.240.0", true, true, false),
        item("wlan0", "172.16.5.5", "255.255.0.0", false, true, false),   // down
        item("tun0", "10.8.0.2", "255.255.255.255", true, false, false),  // point to point
        item("odd", "127.0.0.2", "255.0.0.0", true, true, true),          // loopback that claims to broadcast
    };
    const auto addresses = directedBroadcasts(interfaces);
    ASSERT_EQ(addresses.size(), 2u);
    EXPECT_EQ(addresses[0].to_string(), "192.168.1.255");
    EXPECT_EQ(addresses[1].to_string(), "10.20.31.255");
}

TEST(DplaySearchAddresses, AnAnswerNamesAddressesAndHostNames)
{
    const auto addresses = addressesNamed(" 127.0.0.9, localhost 127.0.0.9 ");
    ASSERT_FALSE(addresses.empty());
    EXPECT_EQ(addresses[0].to_string(), "127.0.0.9");
    EXPECT_TRUE(addresses.back().is_loopback());
    EXPECT_TRUE(addressesNamed("").empty());
}

TEST(DplaySettings, SearchListsAddressesAndSkipsWhatIsNoAddress)
{
    const auto options = parseOptions("[network]\nSearch = 192.168.1.255, 10.0.0.7 nonsense\n; Search=1.1.1.1\n");
    EXPECT_EQ(options.searchAddresses, (std::vector<std::string>{"192.168.1.255", "10.0.0.7"}));
}

TEST(DplaySettings, TimesAndPortsOutsideTheirRangeKeepTheDefaults)
{
    const Options defaults;
    const auto options = parseOptions("DiscoveryPort=80\nKeepAliveMs=abc\nListen=host.example\nLossMs=-5\n");
    EXPECT_EQ(options.discoveryPort, defaults.discoveryPort);
    EXPECT_EQ(options.keepAlive, defaults.keepAlive);
    EXPECT_EQ(options.listenAddress, "0.0.0.0");
    EXPECT_EQ(options.lossAfter, defaults.lossAfter);
}

TEST(DplaySettings, APeerIsNeverDeclaredGoneBeforeTwoKeepAlivesCouldArrive)
{
    const auto options = parseOptions("KeepAliveMs=500\nLossMs=100\nEnumTimeoutMs=250\nListen=127.0.0.1\n");
    EXPECT_EQ(options.keepAlive.count(), 500);
    EXPECT_EQ(options.lossAfter.count(), 1000);
    EXPECT_EQ(options.enumTimeout.count(), 250);
    EXPECT_EQ(options.listenAddress, "127.0.0.1");
}
