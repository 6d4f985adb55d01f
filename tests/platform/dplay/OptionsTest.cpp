// The settings file: loopback unless told otherwise, and nothing unreadable taken in.
#include "platform/dplay/Options.h"

#include <gtest/gtest.h>

using namespace platform::dplay;

TEST(DplaySettings, WithoutAFileOnlyThisMachineIsSearched)
{
    const auto options = parseOptions("");
    EXPECT_EQ(options.searchAddresses, std::vector<std::string>{"127.0.0.1"});
    EXPECT_EQ(options.listenAddress, "127.0.0.1");
    EXPECT_EQ(options.discoveryPortCount, 8);
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
    EXPECT_EQ(options.listenAddress, "127.0.0.1");
    EXPECT_EQ(options.lossAfter, defaults.lossAfter);
}

TEST(DplaySettings, APeerIsNeverDeclaredGoneBeforeTwoKeepAlivesCouldArrive)
{
    const auto options = parseOptions("KeepAliveMs=500\nLossMs=100\nEnumTimeoutMs=250\nListen=0.0.0.0\n");
    EXPECT_EQ(options.keepAlive.count(), 500);
    EXPECT_EQ(options.lossAfter.count(), 1000);
    EXPECT_EQ(options.enumTimeout.count(), 250);
    EXPECT_EQ(options.listenAddress, "0.0.0.0");
}
