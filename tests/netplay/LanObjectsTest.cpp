// The game's late-bound reading of the network library's objects: members called by name, their
// numbers, texts and objects, and the errors of a member that is not there or holds no object.
#include "netplay/LanObjects.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// The global object of the library registered in the program folder; its one provider is
// "TCP/IP Network".
engine::ObjectRef<kvdplay::IkvDirectPlayGlobal> libraryGlobal() {
    ::setenv("TESSARINE_PROGRAM_DIR", TESSARINE_PROGRAM_DIR, 1);
    return netplay::createGlobal();
}

} // namespace

TEST(LanLateBinding, ProvidersAreCountedAndNamedByMemberName) {
    const auto global = libraryGlobal();
    const auto providers = netplay::readObject(global.get(), u"DirectPlayEnumerate");
    ASSERT_EQ(netplay::readNumber(providers.get(), u"Count"), 1);
    const platform::com::LONG first = 0;
    const auto provider = netplay::readObject(providers.get(), u"Item", &first);
    EXPECT_EQ(netplay::readText(provider.get(), u"FriendlyName"), "TCP/IP Network");
}

TEST(LanLateBinding, AnItemPastTheEndIsRefused) {
    const auto global = libraryGlobal();
    const auto providers = netplay::readObject(global.get(), u"DirectPlayEnumerate");
    const platform::com::LONG past = 1;
    EXPECT_THROW(netplay::readObject(providers.get(), u"Item", &past), netplay::LanError);
}

TEST(LanLateBinding, AnUnknownMemberIsRefused) {
    const auto global = libraryGlobal();
    EXPECT_THROW(netplay::readNumber(global.get(), u"NoSuchMember"), netplay::LanError);
}

TEST(LanLateBinding, AMemberThatHoldsNoObjectIsRefusedAsNotAnObject) {
    const auto global = libraryGlobal();
    const auto providers = netplay::readObject(global.get(), u"DirectPlayEnumerate");
    try {
        netplay::readObject(providers.get(), u"Count");
        FAIL() << "a number was taken for an object";
    } catch (const netplay::LanError& e) {
        EXPECT_STREQ(e.what(), "not an object");
    }
}

TEST(LanLateBinding, NoObjectIsRefusedBeforeAnyCall) {
    EXPECT_THROW(netplay::readText(nullptr, u"FriendlyName"), netplay::LanError);
}
