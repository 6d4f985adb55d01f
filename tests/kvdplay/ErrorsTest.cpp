#include "kvdplay/Errors.h"

#include "kvdplay/Interfaces.h"
#include "kvdplay/Registration.h"
#include "tests/support/ComHelpers.h"

#include <gtest/gtest.h>

using namespace kvdplay;
using testing_support::ScopedRegistry;
using testing_support::takeError;

namespace {

// A registry in which the library is registered, as after the build.
class RegisteredLibrary {
public:
    RegisteredLibrary()
    {
        platform::com::Registry registry;
        writeRegistration(registry, "/nowhere/libkvdplay.so");
        registry.save(m_scope.path());
    }

private:
    ScopedRegistry m_scope;
};

} // namespace

TEST(ErrorNumbers, LowWordPlusThousandTimesFacility)
{
    EXPECT_EQ(errorNumber(E_INVALIDARG), 7087u);
    EXPECT_EQ(errorNumber(E_OUTOFMEMORY), 7014u);
    EXPECT_EQ(errorNumber(CO_E_NOTINITIALIZED), 4496u);
    EXPECT_EQ(errorNumber(E_NOTIMPL), 16385u);
    EXPECT_EQ(errorNumber(E_FAIL), 16389u);
    EXPECT_EQ(errorNumber(DPERR_NOSESSIONS), 7220u);
    EXPECT_EQ(errorNumber(hr32(0x800706BAu)), 8722u);
}

TEST(ErrorNames, EveryDirectPlayErrorIsNamedByItsNumber)
{
    const std::pair<HRESULT, const char*> table[] = {
        {CO_E_NOTINITIALIZED, "CO_E_NOTINITIALIZED"}, {DPERR_ALREADYINITIALIZED, "DPERR_ALREADYINITIALIZED"},
        {DPERR_ACCESSDENIED, "DPERR_ACCESSDENIED"}, {DPERR_OUTOFMEMORY, "DPERR_OUTOFMEMORY"},
        {DPERR_ACTIVEPLAYERS, "DPERR_ACTIVEPLAYERS"}, {DPERR_BUFFERTOOSMALL, "DPERR_BUFFERTOOSMALL"},
        {DPERR_CANTADDPLAYER, "DPERR_CANTADDPLAYER"}, {DPERR_CANTCREATEGROUP, "DPERR_CANTCREATEGROUP"},
        {DPERR_CANTCREATEPLAYER, "DPERR_CANTCREATEPLAYER"}, {DPERR_CANTCREATESESSION, "DPERR_CANTCREATESESSION"},
        {DPERR_CAPSNOTAVAILABLEYET, "DPERR_CAPSNOTAVAILABLEYET"}, {DPERR_INVALIDPARAM, "DPERR_INVALIDPARAM"},
        {DPERR_EXCEPTION, "DPERR_EXCEPTION"}, {DPERR_INVALIDFLAGS, "DPERR_INVALIDFLAGS"},
        {DPERR_INVALIDOBJECT, "DPERR_INVALIDOBJECT"}, {DPERR_INVALIDPLAYER, "DPERR_INVALIDPLAYER"},
        {DPERR_NOCAPS, "DPERR_NOCAPS"}, {DPERR_NOCONNECTION, "DPERR_NOCONNECTION"},
        {DPERR_NOMESSAGES, "DPERR_NOMESSAGES"}, {DPERR_NONAMESERVERFOUND, "DPERR_NONAMESERVERFOUND"},
        {DPERR_NOPLAYERS, "DPERR_NOPLAYERS"}, {DPERR_NOSESSIONS, "DPERR_NOSESSIONS"},
        {DPERR_SENDTOOBIG, "DPERR_SENDTOOBIG"}, {DPERR_TIMEOUT, "DPERR_TIMEOUT"},
        {DPERR_UNAVAILABLE, "DPERR_UNAVAILABLE"}, {DPERR_BUSY, "DPERR_BUSY"},
        {DPERR_USERCANCEL, "DPERR_USERCANCEL"}, {DPERR_UNSUPPORTED, "DPERR_UNSUPPORTED"},
        {DPERR_GENERIC, "DPERR_GENERIC"},
    };
    for (const auto& [hr, name] : table) {
        EXPECT_EQ(ReportError(hr, CLSID_kvDirectPlay), hr);
        const auto e = takeError();
        ASSERT_TRUE(e.present) << name;
        EXPECT_EQ(e.description, std::u16string(name, name + std::strlen(name)));
        EXPECT_EQ(e.helpContext, errorNumber(hr));
    }
}

TEST(ErrorReport, WellKnownResultsCarryDirectPlayNames)
{
    ReportError(E_NOTIMPL, CLSID_kvDirectPlay);
    auto e = takeError();
    EXPECT_EQ(e.helpContext, 16385u);
    EXPECT_EQ(e.description, u"DPERR_UNSUPPORTED");
    ReportError(E_FAIL, CLSID_kvDirectPlay);
    e = takeError();
    EXPECT_EQ(e.helpContext, 16389u);
    EXPECT_EQ(e.description, u"DPERR_GENERIC");
    ReportError(E_INVALIDARG, CLSID_kvDirectPlay);
    EXPECT_EQ(takeError().description, u"DPERR_INVALIDPARAM");
    ReportError(E_OUTOFMEMORY, CLSID_kvDirectPlay);
    EXPECT_EQ(takeError().description, u"DPERR_OUTOFMEMORY");
}

TEST(ErrorReport, UnnamedErrorHasEmptyDescriptionAndItsNumber)
{
    ReportError(hr32(0x800706BAu), CLSID_kvDirectPlay);
    const auto e = takeError();
    ASSERT_TRUE(e.present);
    EXPECT_EQ(e.description, u"");
    EXPECT_EQ(e.helpContext, 8722u);
}

TEST(ErrorReport, GuidIsAllZeroAndHelpFileIsKvdirect)
{
    ReportError(DPERR_BUSY, CLSID_kvDPSESSIONDESC);
    const auto e = takeError();
    EXPECT_EQ(e.guid, GUID_NULL);
    EXPECT_EQ(e.helpFile, u"kvdirect.hlp");
}

TEST(ErrorReport, SourceIsTheRegisteredProgIdOnly)
{
    RegisteredLibrary registered;
    ReportError(E_INVALIDARG, CLSID_kvDirectPlayGlobal);
    EXPECT_EQ(takeError().source, u"kvDPLAY.kvDirectPlayGlobal.1");
    ReportError(E_INVALIDARG, CLSID_kvDPSESSIONDESC);
    EXPECT_EQ(takeError().source, u"kvDPLAY.kvDPSESSIONDESC.1");
    ReportError(E_INVALIDARG, CLSID_kvPlay);
    EXPECT_EQ(takeError().source, u"kvPlay.kvPlay.1");
    for (const CLSID* c : {&CLSID_kvDirectPlay, &CLSID_kvDirectPlayPlayers, &CLSID_kvDirectPlayMessage}) {
        ReportError(E_INVALIDARG, *c);
        const auto e = takeError();
        EXPECT_TRUE(e.present);
        EXPECT_FALSE(e.sourceSet);
    }
}

TEST(ErrorReport, ReportingReplacesTheEarlierErrorAndHandsItOverOnce)
{
    ReportError(E_FAIL, CLSID_kvDirectPlay);
    ReportError(E_INVALIDARG, CLSID_kvDirectPlay);
    EXPECT_EQ(takeError().helpContext, 7087u);
    EXPECT_FALSE(takeError().present);
}

TEST(StringTable, FrameStringsAreThere)
{
    EXPECT_EQ(loadString(100).value_or(""), "kvDirectPlay");
    EXPECT_EQ(loadString(101).value_or(""), "kvDPSESSIONDESC");
    EXPECT_EQ(loadString(102).value_or(""), "kvDirectPlayGlobal");
    EXPECT_EQ(loadString(103).value_or(""), "kvPlay");
    EXPECT_FALSE(loadString(8722));
}
