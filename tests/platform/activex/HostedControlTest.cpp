// The forms' container side: a control placed on a form gets its site, its saved values through
// the property bag, and tells the form of its changes through the property-change sink.
#include "platform/activex/HostedControl.h"

#include "platform/com/ControlSite.h"
#include "kvdplay/Interfaces.h"
#include "tests/support/ComHelpers.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace testing_support;
namespace ui = platform::ui;

namespace {

constexpr const char16_t* PlayProgId = u"kvPlay.kvPlay";
constexpr const char16_t* SomeGuid = u"0123ABCD-4567-89ab-cdef-0123456789AB";

struct ProgramFolder {
    ProgramFolder() { ::setenv("TESSARINE_PROGRAM_DIR", TESSARINE_PROGRAM_DIR, 1); }
};

Ref<kvdplay::IkvPlay> playOf(ui::HostedControl& control) {
    Ref<kvdplay::IkvPlay> play;
    control.query(kvdplay::IID_IkvPlay, play.outVoid());
    return play;
}

std::u16string guidOf(ui::HostedControl& control) {
    Bstr text;
    playOf(control)->get_guidSession(text.out());
    return text.text();
}

} // namespace

TEST(HostedControl, AControlSavedEmptyReadsAnEmptyGuid) {
    ProgramFolder folder;
    ui::HostedControl kvPlay1("kvPlay1", PlayProgId, {{u"guidSession", u""}});
    ASSERT_NE(kvPlay1.object(), nullptr);
    EXPECT_EQ(guidOf(kvPlay1), u"");
    EXPECT_FALSE(kvPlay1.needsSave());
    EXPECT_EQ(kvPlay1.changesSeen(), 0);
}

TEST(HostedControl, TheSavedGuidIsLoadedAsStored) {
    ProgramFolder folder;
    ui::HostedControl kvPlay1("kvPlay1", PlayProgId, {{u"guidSession", SomeGuid}});
    EXPECT_EQ(guidOf(kvPlay1), SomeGuid);
}

TEST(HostedControl, AChangeReachesTheFormAndTheNextSaveStoresIt) {
    ProgramFolder folder;
    ui::HostedControl kvPlay1("kvPlay1", PlayProgId, {{u"guidSession", u""}});
    Bstr text(SomeGuid);
    ASSERT_EQ(playOf(kvPlay1)->put_guidSession(text.get()), platform::com::S_OK);
    EXPECT_EQ(kvPlay1.changesSeen(), 1);
    EXPECT_TRUE(kvPlay1.needsSave());
    ASSERT_TRUE(kvPlay1.save());
    EXPECT_EQ(kvPlay1.saved().at(u"guidSession"), SomeGuid);
    EXPECT_FALSE(kvPlay1.needsSave());
}

TEST(HostedControl, TheControlKnowsTheFormAsItsSite) {
    ProgramFolder folder;
    ui::HostedControl kvPlay1("kvPlay1", PlayProgId, {{u"guidSession", u""}});
    Ref<com::IObjectWithSite> withSite;
    ASSERT_EQ(kvPlay1.query(com::IID_IObjectWithSite, withSite.outVoid()), platform::com::S_OK);
    Ref<platform::com::IUnknown> site;
    EXPECT_EQ(withSite->GetSite(platform::com::IID_IUnknown, site.outVoid()), platform::com::S_OK);
    EXPECT_TRUE(site);
}

TEST(HostedControl, AControlThatIsNotRegisteredIsSimplyAbsent) {
    ProgramFolder folder;
    ui::HostedControl missing("kvPlay1", u"No.SuchControl", {});
    EXPECT_EQ(missing.object(), nullptr);
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(missing.query(kvdplay::IID_IkvPlay, &out), platform::com::E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_FALSE(missing.save());
}
