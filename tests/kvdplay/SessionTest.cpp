// The session object against a scripted networking layer: every failure reported by name, the
// conversions on the way in, the objects on the way out, and Receive's two-step read.
#include "kvdplay/Session.h"

#include "kvdplay/Collections.h"
#include "kvdplay/Message.h"
#include "kvdplay/SessionDesc.h"
#include "tests/kvdplay/ScriptedDirectPlay.h"
#include "tests/support/ComHelpers.h"

#include <functional>
#include <gtest/gtest.h>

using namespace kvdplay;
using testing_support::Bstr;
using testing_support::Ref;
using testing_support::ScriptedDirectPlay;
using testing_support::takeError;
using testing_support::Var;

namespace {

struct Fixture {
    ScriptedDirectPlay dp;
    Ref<Session> session{Session::create()};
    Fixture()
    {
        dp.refs = 2; // the session's reference and ours; it gives its own back when it goes
        session->attach(&dp);
    }
};

std::vector<BYTE> bytesOf(const Ref<IkvDirectPlayMessage>& message)
{
    auto* m = static_cast<Message*>(message.get());
    return std::vector<BYTE>(m->bytes(), m->bytes() + m->size());
}

Ref<SessionDesc> description() { return Ref<SessionDesc>(SessionDesc::create()); }

struct ErrorRow {
    const char* what;
    std::function<void(ScriptedDirectPlay&)> script;
    std::function<HRESULT(IkvDirectPlay&)> call;
    HRESULT expected;
    const char16_t* name;
    DWORD number;
};

} // namespace

TEST(SessionErrors, EveryFailureIsReportedByNameWithNoSource)
{
    const ErrorRow rows[] = {
        {"no session found", [](ScriptedDirectPlay&) {},
         [](IkvDirectPlay& s) { Ref<IkvDirectPlaySessions> r; return s.EnumSessions(nullptr, 1500, 0, r.out()); },
         DPERR_NOSESSIONS, u"DPERR_NOSESSIONS", 7220},
        {"no players", [](ScriptedDirectPlay&) {},
         [](IkvDirectPlay& s) { Ref<IkvDirectPlayPlayers> r; return s.EnumPlayers(0, 0, r.out()); },
         DPERR_NOPLAYERS, u"DPERR_NOPLAYERS", 7210},
        {"not supported", [](ScriptedDirectPlay& d) { d.results["SaveSession"] = DPERR_UNSUPPORTED; },
         [](IkvDirectPlay& s) { return s.SaveSession(Bstr(u"Game").get()); },
         DPERR_UNSUPPORTED, u"DPERR_UNSUPPORTED", 16385},
        {"receive buffer too small twice",
         [](ScriptedDirectPlay& d) {
             d.queue.push_back({2, 1, {1, 2, 3}});
             d.growHeadTimes = 100;
         },
         [](IkvDirectPlay& s) { Ref<IkvDirectPlayMessage> m; return s.Receive(0, 0, 1, m.out()); },
         DPERR_BUFFERTOOSMALL, u"DPERR_BUFFERTOOSMALL", 7030},
        {"player name buffer too small twice", [](ScriptedDirectPlay& d) { d.secondNameResult = DPERR_BUFFERTOOSMALL; },
         [](IkvDirectPlay& s) { Bstr a, b; return s.GetPlayerName(1, a.out(), b.out()); },
         DPERR_BUFFERTOOSMALL, u"DPERR_BUFFERTOOSMALL", 7030},
        {"open without connection", [](ScriptedDirectPlay& d) { d.results["Open"] = DPERR_NOCONNECTION; },
         [](IkvDirectPlay& s) { return s.Open(description().get()); },
         DPERR_NOCONNECTION, u"DPERR_NOCONNECTION", 7170},
        {"session full", [](ScriptedDirectPlay& d) { d.results["CreatePlayer"] = DPERR_CANTCREATEPLAYER; },
         [](IkvDirectPlay& s) { LONG id = 0; return s.CreatePlayer(Bstr(u"A").get(), Bstr(u"A").get(), &id); },
         DPERR_CANTCREATEPLAYER, u"DPERR_CANTCREATEPLAYER", 7060},
        {"send too big", [](ScriptedDirectPlay& d) { d.sendResult = DPERR_SENDTOOBIG; },
         [](IkvDirectPlay& s) { LONG r = 0; return s.Send(1, 2, 1, Var::text(u"Ma17").get(), &r); },
         DPERR_SENDTOOBIG, u"DPERR_SENDTOOBIG", 7230},
        {"caps", [](ScriptedDirectPlay& d) { d.results["GetCaps"] = DPERR_NOCAPS; },
         [](IkvDirectPlay& s) { Ref<IkvDPCAPS> c; return s.GetCaps(c.out()); },
         DPERR_NOCAPS, u"DPERR_NOCAPS", 7160},
        {"player caps", [](ScriptedDirectPlay& d) { d.results["GetPlayerCaps"] = DPERR_INVALIDPLAYER; },
         [](IkvDirectPlay& s) { Ref<IkvDPCAPS> c; return s.GetPlayerCaps(9, c.out()); },
         DPERR_INVALIDPLAYER, u"DPERR_INVALIDPLAYER", 7150},
        {"close twice", [](ScriptedDirectPlay& d) { d.results["Close"] = DPERR_INVALIDOBJECT; },
         [](IkvDirectPlay& s) { return s.CloseSession(); },
         DPERR_INVALIDOBJECT, u"DPERR_INVALIDOBJECT", 7130},
        {"groups", [](ScriptedDirectPlay& d) { d.results["EnumGroups"] = DPERR_GENERIC; },
         [](IkvDirectPlay& s) { Ref<IkvDirectPlayPlayers> r; return s.EnumGroups(0, 0, r.out()); },
         DPERR_GENERIC, u"DPERR_GENERIC", 16389},
        {"receive lost", [](ScriptedDirectPlay& d) { d.results["Receive"] = DPERR_NOCONNECTION; },
         [](IkvDirectPlay& s) { Ref<IkvDirectPlayMessage> m; return s.Receive(0, 0, 1, m.out()); },
         DPERR_NOCONNECTION, u"DPERR_NOCONNECTION", 7170},
        {"destroy", [](ScriptedDirectPlay& d) { d.results["DestroyPlayer"] = DPERR_ACCESSDENIED; },
         [](IkvDirectPlay& s) { return s.DestroyPlayer(3); },
         DPERR_ACCESSDENIED, u"DPERR_ACCESSDENIED", 7010},
        {"message count", [](ScriptedDirectPlay& d) { d.results["GetMessageCount"] = DPERR_INVALIDPLAYER; },
         [](IkvDirectPlay& s) { LONG n = 0; return s.GetMessageCount(3, &n); },
         DPERR_INVALIDPLAYER, u"DPERR_INVALIDPLAYER", 7150},
        {"busy", [](ScriptedDirectPlay& d) { d.results["EnableNewPlayers"] = DPERR_BUSY; },
         [](IkvDirectPlay& s) { return s.EnableNewPlayers(VARIANT_TRUE); },
         DPERR_BUSY, u"DPERR_BUSY", 7270},
    };
    for (const ErrorRow& row : rows) {
        SCOPED_TRACE(row.what);
        Fixture f;
        row.script(f.dp);
        takeError();
        EXPECT_EQ(row.call(*f.session.get()), row.expected);
        const auto e = takeError();
        EXPECT_TRUE(e.present);
        EXPECT_EQ(e.description, row.name);
        EXPECT_EQ(e.helpContext, row.number);
        EXPECT_EQ(e.helpFile, u"kvdirect.hlp");
        EXPECT_TRUE(e.source.empty());
    }
}

TEST(SessionErrors, SendPassesNonNegativeResultsOn)
{
    Fixture f;
    f.dp.sendResult = 5;
    LONG result = 0;
    EXPECT_EQ(f.session->Send(1, 2, 1, Var::i4(5).get(), &result), S_OK);
    EXPECT_EQ(result, 5);
}

TEST(SessionErrors, RefusedValueIsNeverSent)
{
    Fixture f;
    Var objectValue;
    Ref<SessionDesc> d = description();
    objectValue.get().vt = VT_DISPATCH;
    objectValue.get().pdispVal = d.get();
    d->AddRef();
    LONG result = 0;
    EXPECT_EQ(f.session->Send(1, 2, 1, objectValue.get(), &result), E_INVALIDARG);
    EXPECT_TRUE(f.dp.sent.empty());
    EXPECT_EQ(takeError().description, u"DPERR_INVALIDPARAM");
}

TEST(SessionErrors, DescriptionOfAnotherKindNeverReachesDirectPlay)
{
    Fixture f;
    Ref<Caps> notADescription(Caps::create());
    auto* wrongKind = reinterpret_cast<IkvDPSESSIONDESC*>(static_cast<IkvDPCAPS*>(notADescription.get()));
    EXPECT_EQ(f.session->Open(wrongKind), E_INVALIDARG);
    EXPECT_EQ(takeError().helpContext, 7087u);
    EXPECT_TRUE(f.dp.calls.empty());
}

// --- Conversions ------------------------------------------------------------------------------

TEST(SessionConversions, NamesTravelAsWindows1252)
{
    Fixture f;
    LONG id = 0;
    ASSERT_EQ(f.session->CreatePlayer(Bstr(u"Zo\u00eb").get(), Bstr(u"Zo\u00eb \u20ac").get(), &id), S_OK);
    EXPECT_EQ(id, 7);
    EXPECT_EQ(f.dp.names.friendly, "Zo\xeb");
    EXPECT_EQ(f.dp.names.formal, "Zo\xeb \x80");
}

TEST(SessionConversions, AbsentNameIsANullName)
{
    Fixture f;
    LONG id = 0;
    ASSERT_EQ(f.session->CreatePlayer(nullptr, Bstr(u"").get(), &id), S_OK);
    EXPECT_TRUE(f.dp.names.friendlyNull);
    EXPECT_FALSE(f.dp.names.formalNull);
    EXPECT_EQ(f.dp.calls, std::vector<std::string>{"CreatePlayer"}); // and no event handle
}

TEST(SessionConversions, NameWithoutAn8BitFormIsRefusedBeforeSending)
{
    Fixture f;
    LONG id = 0;
    EXPECT_EQ(f.session->CreatePlayer(Bstr(u"\u0141ukasz").get(), nullptr, &id), E_INVALIDARG);
    EXPECT_EQ(takeError().description, u"DPERR_INVALIDPARAM");
    EXPECT_TRUE(f.dp.calls.empty());
}

TEST(SessionConversions, GroupNamesTravelAsPlayerNamesDo)
{
    Fixture f;
    LONG id = 0;
    ASSERT_EQ(f.session->CreateGroup(Bstr(u"Caf\u00e9").get(), nullptr, &id), S_OK);
    EXPECT_EQ(id, 7);
    EXPECT_EQ(f.dp.names.friendly, "Caf\xe9");
    EXPECT_TRUE(f.dp.names.formalNull);
    EXPECT_EQ(f.dp.calls, std::vector<std::string>{"CreateGroup"});
}

TEST(SessionConversions, GroupNameWithoutAn8BitFormIsRefusedBeforeSending)
{
    Fixture f;
    LONG id = 0;
    EXPECT_EQ(f.session->CreateGroup(nullptr, Bstr(u"\u0141ukasz").get(), &id), E_INVALIDARG);
    EXPECT_EQ(takeError().description, u"DPERR_INVALIDPARAM");
    EXPECT_TRUE(f.dp.calls.empty());
    EXPECT_EQ(f.session->CreateGroup(nullptr, nullptr, nullptr), E_POINTER);
}

TEST(SessionConversions, DescriptionHandsItsRecord)
{
    Fixture f;
    Ref<SessionDesc> d = description();
    d->put_dwMaxPlayers(2);
    d->put_dwFlags(2);
    d->put_szSessionName(Bstr(u"Alice").get());
    ASSERT_EQ(f.session->OpenSession(d.get()), S_OK);
    ASSERT_TRUE(f.dp.description);
    std::vector<BYTE> seen(kSessionDescSize);
    std::memcpy(seen.data(), &*f.dp.description, kSessionDescSize);
    EXPECT_EQ(seen, std::vector<BYTE>(d->record(), d->record() + kSessionDescSize));
    EXPECT_EQ(seen[24], 2);
    EXPECT_EQ(seen[32], 2);
    EXPECT_EQ(std::string(f.dp.description->szSessionName), "Alice");
}

TEST(SessionConversions, AbsentDescriptionIsPassedAsNull)
{
    Fixture f;
    f.dp.sessions.resize(1);
    Ref<IkvDirectPlaySessions> found;
    ASSERT_EQ(f.session->EnumSessions(nullptr, 1500, 2, found.out()), S_OK);
    EXPECT_TRUE(f.dp.descriptionWasNull);
    EXPECT_EQ(f.dp.timeout, 1500u);
    EXPECT_EQ(f.dp.enumFlags, 2u);
}

TEST(SessionConversions, EnableNewPlayersWidensTrueToAllBits)
{
    Fixture f;
    f.session->EnableNewPlayers(VARIANT_TRUE);
    EXPECT_EQ(static_cast<std::uint32_t>(f.dp.enabled), 0xFFFFFFFFu);
    f.session->EnableNewPlayers(VARIANT_FALSE);
    EXPECT_EQ(f.dp.enabled, 0);
}

TEST(SessionConversions, SendOfFourCharactersHandsFourteenBytesAsAddressed)
{
    Fixture f;
    LONG result = -1;
    ASSERT_EQ(f.session->Send(2, 1, 4, Var::text(u"Ma17").get(), &result), S_OK);
    EXPECT_EQ(result, 0);
    ASSERT_EQ(f.dp.sent.size(), 1u);
    EXPECT_EQ(f.dp.sent[0].from, 2u);
    EXPECT_EQ(f.dp.sent[0].to, 1u);
    EXPECT_EQ(f.dp.sent[0].flags, 4u);
    EXPECT_EQ(f.dp.sent[0].bytes, (std::vector<std::uint8_t>{8, 0, 8, 0, 0, 0, 'M', 0, 'a', 0, '1', 0, '7', 0}));
}

// --- Receive ----------------------------------------------------------------------------------

TEST(SessionReceive, MessageCarriesTheIdsDirectPlayReturned)
{
    Fixture f;
    f.dp.queue.push_back({4, 9, {8, 0, 2, 0, 0, 0, 'M', 0}});
    Ref<IkvDirectPlayMessage> message;
    ASSERT_EQ(f.session->Receive(0, 0, 1, message.out()), S_OK);
    ASSERT_TRUE(message);
    LONG from = 0, to = 0;
    message->get_dpidFrom(&from);
    message->get_dpidTo(&to);
    EXPECT_EQ(from, 4);
    EXPECT_EQ(to, 9);
    Var value;
    ASSERT_EQ(message->get_vBuffer(value.ptr()), S_OK);
    EXPECT_EQ(value.text(), u"M");
    EXPECT_TRUE(f.dp.queue.empty());
}

TEST(SessionReceive, HeadThatGrowsBetweenMeasureAndReadIsMeasuredAgain)
{
    Fixture f;
    f.dp.queue.push_back({2, 1, {1, 2, 3}});
    f.dp.growHeadTimes = 2;
    Ref<IkvDirectPlayMessage> message;
    ASSERT_EQ(f.session->Receive(0, 0, 1, message.out()), S_OK);
    ASSERT_TRUE(message);
    EXPECT_EQ(bytesOf(message), (std::vector<BYTE>{1, 2, 3, 0xEE, 0xEE}));
}

TEST(SessionReceive, HeadThatKeepsGrowingGivesUpAfterAFewTries)
{
    Fixture f;
    f.dp.queue.push_back({2, 1, {1}});
    f.dp.growHeadTimes = 1000;
    Ref<IkvDirectPlayMessage> message;
    EXPECT_EQ(f.session->Receive(0, 0, 1, message.out()), DPERR_BUFFERTOOSMALL);
    EXPECT_FALSE(message);
    EXPECT_EQ(std::count(f.dp.calls.begin(), f.dp.calls.end(), "Receive"), 1 + kReceiveAttempts);
    EXPECT_EQ(f.dp.queue.size(), 1u); // the message stays for a later try
}

TEST(SessionReceive, ZeroByteMessageIsAnEmptyMessageNotNoMessage)
{
    Fixture f;
    f.dp.queue.push_back({3, 1, {}});
    Ref<IkvDirectPlayMessage> message;
    ASSERT_EQ(f.session->Receive(0, 0, 1, message.out()), S_OK);
    ASSERT_TRUE(message);
    LONG from = 0;
    message->get_dpidFrom(&from);
    EXPECT_EQ(from, 3);
    EXPECT_TRUE(bytesOf(message).empty());
}

// --- Player names -------------------------------------------------------------------------------

TEST(SessionPlayerName, NamesAreReadBackAsText)
{
    Fixture f;
    Bstr friendly, formal;
    ASSERT_EQ(f.session->GetPlayerName(1, friendly.out(), formal.out()), S_OK);
    EXPECT_EQ(friendly.text(), u"Alice");
    EXPECT_EQ(formal.text(), u"Alice Smith");
}

TEST(SessionPlayerName, NamesThatFillTheirBuffersEndThere)
{
    Fixture f;
    f.dp.namesFillBuffers = true;
    f.dp.friendlyName = "Zo\xeb";
    Bstr friendly, formal;
    ASSERT_EQ(f.session->GetPlayerName(1, friendly.out(), formal.out()), S_OK);
    EXPECT_EQ(friendly.text(), u"Zo\u00eb");
    EXPECT_EQ(formal.text(), u"Alice Smith");
}

TEST(SessionPlayerName, FailureLeavesNoNames)
{
    Fixture f;
    f.dp.results["GetPlayerName"] = DPERR_INVALIDPLAYER;
    Bstr friendly(u"old"), formal(u"old");
    BSTR a = friendly.get(), b = formal.get();
    EXPECT_EQ(f.session->GetPlayerName(1, &a, &b), DPERR_INVALIDPLAYER);
    EXPECT_EQ(a, nullptr);
    EXPECT_EQ(b, nullptr);
}

// --- Enumerations and records ---------------------------------------------------------------------

TEST(SessionEnumerations, SessionsComeInTheOrderReportedAndTheTimeOutEndsIt)
{
    Fixture f;
    f.dp.sessions.resize(2);
    std::strcpy(f.dp.sessions[0].szSessionName, "Alice");
    f.dp.sessions[0].dwSession = 11;
    std::strcpy(f.dp.sessions[1].szSessionName, "Bob");
    Ref<IkvDirectPlaySessions> found;
    ASSERT_EQ(f.session->EnumSessions(description().get(), 1500, 0, found.out()), S_OK);
    LONG count = 0;
    found->get_Count(&count);
    ASSERT_EQ(count, 2);
    Ref<IDispatch> first;
    ASSERT_EQ(found->get_Item(0, first.out()), S_OK);
    Bstr name;
    static_cast<IkvDPSESSIONDESC*>(first.get())->get_szSessionName(name.out());
    EXPECT_EQ(name.text(), u"Alice");
    EXPECT_EQ(f.dp.timeoutAnswer, FALSE_);
}

TEST(SessionEnumerations, PlayersAndEmptyGroups)
{
    Fixture f;
    f.dp.players = {{1, "Alice", "Alice Smith", 0}, {2, "Bob", std::nullopt, 8}};
    Ref<IkvDirectPlayPlayers> players;
    ASSERT_EQ(f.session->EnumPlayers(0, 0, players.out()), S_OK);
    LONG count = 0;
    players->get_Count(&count);
    EXPECT_EQ(count, 2);
    Ref<IDispatch> second;
    players->get_Item(1, second.out());
    auto* player = static_cast<IkvDirectPlayPlayer*>(second.get());
    LONG id = 0, flags = 0;
    Bstr formal;
    player->get_PlayerId(&id);
    player->get_dwFlags(&flags);
    player->get_FormalName(formal.out());
    EXPECT_EQ(id, 2);
    EXPECT_EQ(flags, 8);
    EXPECT_EQ(formal.text(), u"");

    Ref<IkvDirectPlayPlayers> groups;
    ASSERT_EQ(f.session->EnumGroups(0, 0, groups.out()), S_OK);
    groups->get_Count(&count);
    EXPECT_EQ(count, 0);
}

TEST(SessionEnumerations, GroupMembersAndPlayerNamesReachTheNetworkWithEachIdInItsPlace)
{
    Fixture f;
    ASSERT_EQ(f.session->SetPlayerName(9, Bstr(u"Zo\u00eb").get(), nullptr), S_OK);
    EXPECT_EQ(f.dp.names.friendly, "Zo\xeb");
    EXPECT_TRUE(f.dp.names.formalNull);
    ASSERT_EQ(f.session->AddPlayerToGroup(5, 9), S_OK);
    ASSERT_EQ(f.session->DeletePlayerFromGroup(5, 9), S_OK);
    ASSERT_EQ(f.session->DestroyGroup(5), S_OK);
    Ref<IkvDirectPlayPlayers> members;
    ASSERT_EQ(f.session->EnumGroupPlayers(5, 3, members.out()), S_OK);
    EXPECT_EQ(f.dp.calls, (std::vector<std::string>{"SetPlayerName(player 9)", "AddPlayerToGroup(group 5, player 9)",
                                                     "DeletePlayerFromGroup(group 5, player 9)", "DestroyGroup(group 5)",
                                                     "EnumGroupPlayers(group 5, flags 3)"}));
    // A group without members is an empty list, not an error.
    LONG count = -1;
    members->get_Count(&count);
    EXPECT_EQ(count, 0);
    // Each refusal is reported by name.
    f.dp.results["AddPlayerToGroup"] = DPERR_INVALIDPLAYER;
    takeError();
    EXPECT_EQ(f.session->AddPlayerToGroup(5, 8), DPERR_INVALIDPLAYER);
    EXPECT_EQ(takeError().description, u"DPERR_INVALIDPLAYER");
}

TEST(SessionEnumerations, CapsRecordGoesOutSized28AndComesBackFilled)
{
    Fixture f;
    f.dp.caps = {28, 4, 65536, 0, 2, 0, 1};
    Ref<IkvDPCAPS> caps;
    ASSERT_EQ(f.session->GetCaps(caps.out()), S_OK);
    EXPECT_EQ(f.dp.capsSizeSeen, 28u);
    LONG flags = 0, maxBuffer = 0;
    caps->get_dwFlags(&flags);
    caps->get_dwMaxBufferSize(&maxBuffer);
    EXPECT_EQ(flags, 4);
    EXPECT_EQ(maxBuffer, 65536);
}

// --- Late binding, as a script calls the session object ---------------------------------------------

namespace {

HRESULT invokeByName(IDispatch* object, std::u16string name, std::vector<VARIANT> argsLastFirst, VARIANT* result)
{
    DISPID id = 0;
    LPOLESTR names[1] = {name.data()};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, 0x0409, &id);
    if (FAILED(hr))
        return hr;
    DISPPARAMS params{argsLastFirst.data(), nullptr, static_cast<UINT>(argsLastFirst.size()), 0};
    EXCEPINFO exception{};
    UINT argErr = 0;
    hr = object->Invoke(id, IID_NULL, 0x0409, DISPATCH_METHOD, &params, result, &exception, &argErr);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return hr;
}

VARIANT longArg(LONG v)
{
    VARIANT a;
    VariantInit(&a);
    a.vt = VT_I4;
    a.lVal = v;
    return a;
}

} // namespace

TEST(SessionDispatch, GetPlayerNameFillsBothByReferenceArguments)
{
    Fixture f;
    BSTR friendly = nullptr;
    Var formal;
    VARIANT byRefString, byRefVariant;
    VariantInit(&byRefString);
    VariantInit(&byRefVariant);
    byRefString.vt = VT_BYREF | VT_BSTR;
    byRefString.pbstrVal = &friendly;
    byRefVariant.vt = VT_BYREF | VT_VARIANT;
    byRefVariant.pvarVal = formal.ptr();
    ASSERT_EQ(invokeByName(f.session.get(), u"GetPlayerName", {byRefVariant, byRefString, longArg(1)}, nullptr), S_OK);
    EXPECT_EQ(std::u16string(friendly, SysStringLen(friendly)), u"Alice");
    EXPECT_EQ(formal.text(), u"Alice Smith");
    SysFreeString(friendly);
}

TEST(SessionDispatch, ReceiveOfAnEmptyQueueIsNothingAndNoError)
{
    Fixture f;
    takeError();
    Var result;
    ASSERT_EQ(invokeByName(f.session.get(), u"Receive", {longArg(1), longArg(0), longArg(0)}, result.ptr()), S_OK);
    EXPECT_EQ(result.get().vt, VT_DISPATCH);
    EXPECT_EQ(result.get().pdispVal, nullptr);
    EXPECT_FALSE(takeError().present);
    EXPECT_EQ(f.dp.calls, std::vector<std::string>{"Receive"});
}

TEST(SessionDispatch, OpenTakesADescriptionObjectAndRefusesOthers)
{
    Fixture f;
    Ref<SessionDesc> d = description();
    d->put_dwSession(42);
    VARIANT object;
    VariantInit(&object);
    object.vt = VT_DISPATCH;
    object.pdispVal = d.get();
    ASSERT_EQ(invokeByName(f.session.get(), u"Open", {object}, nullptr), S_OK);
    ASSERT_TRUE(f.dp.description);
    EXPECT_EQ(f.dp.description->dwSession, 42u);

    Ref<Caps> other(Caps::create());
    object.pdispVal = other.get();
    EXPECT_EQ(invokeByName(f.session.get(), u"Open", {object}, nullptr), DISP_E_EXCEPTION);
}
