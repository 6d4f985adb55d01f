// The kvPlay control: its GUID text, persistence, change notification, aggregation and About box.
#include "kvdplay/Control.h"

#include "kvdplay/AboutBox.h"
#include "kvdplay/Registration.h"
#include "tests/kvdplay/ControlDoubles.h"
#include "tests/support/ComHelpers.h"

#include <gtest/gtest.h>

using namespace kvdplay;
using testing_support::Bstr;
using testing_support::guidOf;
using testing_support::AmbientSite;
using testing_support::InPlaceSite;
using testing_support::MapBag;
using testing_support::newControl;
using testing_support::RecordingSink;
using testing_support::RecordingSurface;
using testing_support::Ref;
using testing_support::ScopedControlUi;
using testing_support::ScopedRegistry;
using testing_support::StackObject;
using testing_support::takeError;

namespace {

template <typename I>
Ref<I> as(IUnknown* object, REFIID iid)
{
    Ref<I> typed;
    EXPECT_EQ(object->QueryInterface(iid, typed.outVoid()), S_OK);
    return typed;
}

bool needsSaving(IkvPlay* control) { return static_cast<PlayControl*>(control)->needsSaving(); }

struct Advised {
    RecordingSink sink;
    Ref<IConnectionPoint> point;
    DWORD cookie = 0;
    explicit Advised(IkvPlay* control)
    {
        auto container = as<IConnectionPointContainer>(control, IID_IConnectionPointContainer);
        EXPECT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, point.out()), S_OK);
        EXPECT_EQ(point->Advise(&sink, &cookie), S_OK);
    }
    ~Advised() { point->Unadvise(cookie); }
};

constexpr char16_t kUpper[] = u"6B29FC40-CA47-1067-B31D-00DD010662DA";

} // namespace

TEST(ControlGuid, NewControlHoldsEmptyText)
{
    auto control = newControl();
    EXPECT_EQ(guidOf(control.get()), u"");
    EXPECT_FALSE(needsSaving(control.get()));
}

TEST(ControlGuid, PuttingEmptyTextKeepsItEmptyButNeedsSavingAndNotifies)
{
    auto control = newControl();
    Advised advised(control.get());
    ASSERT_EQ(control->put_guidSession(Bstr(u"").get()), S_OK);
    EXPECT_EQ(guidOf(control.get()), u"");
    EXPECT_TRUE(needsSaving(control.get()));
    EXPECT_EQ(advised.sink.changed, std::vector<DISPID>{1});
    EXPECT_EQ(advised.sink.editRequests, 0); // no permission asked first
}

TEST(ControlGuid, TextIsKeptAsWritten)
{
    auto control = newControl();
    ASSERT_EQ(control->put_guidSession(Bstr(kUpper).get()), S_OK);
    EXPECT_EQ(guidOf(control.get()), kUpper);
}

TEST(ControlGuid, BracedTextIsRefusedAndTheOldValueStays)
{
    ScopedRegistry scope;
    platform::com::Registry registry;
    writeRegistration(registry, "/opt/t/libkvdplay.so");
    registry.save(scope.path());
    auto control = newControl();
    control->put_guidSession(Bstr(kUpper).get());
    Advised advised(control.get());
    EXPECT_EQ(control->put_guidSession(Bstr(u"{6B29FC40-CA47-1067-B31D-00DD010662DA}").get()), E_INVALIDARG);
    const auto e = takeError();
    EXPECT_EQ(e.description, u"DPERR_INVALIDPARAM");
    EXPECT_EQ(e.helpContext, 7087u);
    EXPECT_EQ(e.source, u"kvPlay.kvPlay.1");
    EXPECT_EQ(guidOf(control.get()), kUpper);
    EXPECT_TRUE(advised.sink.changed.empty());
}

TEST(ControlGuid, UnadvisedSinkHearsNothingMore)
{
    auto control = newControl();
    RecordingSink sink;
    Ref<IConnectionPoint> point;
    ASSERT_EQ(as<IConnectionPointContainer>(control.get(), IID_IConnectionPointContainer)
                  ->FindConnectionPoint(IID_IPropertyNotifySink, point.out()),
              S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
    control->put_guidSession(Bstr(u"").get());
    ASSERT_EQ(point->Unadvise(cookie), S_OK);
    control->put_guidSession(Bstr(kUpper).get());
    EXPECT_EQ(sink.changed, std::vector<DISPID>{1});
    EXPECT_EQ(sink.refs, 1);
    EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
}

TEST(ControlPersistence, SaveWritesTheTextAndClearsWhenAsked)
{
    auto control = newControl();
    control->put_guidSession(Bstr(kUpper).get());
    auto persist = as<IPersistPropertyBag>(control.get(), IID_IPersistPropertyBag);
    MapBag bag;
    ASSERT_EQ(persist->Save(&bag, FALSE_, TRUE_), S_OK);
    EXPECT_EQ(bag.values[u"guidSession"], kUpper);
    EXPECT_TRUE(needsSaving(control.get()));
    ASSERT_EQ(persist->Save(&bag, TRUE_, TRUE_), S_OK);
    EXPECT_FALSE(needsSaving(control.get()));
    CLSID clsid{};
    persist->GetClassID(&clsid);
    EXPECT_EQ(clsid, CLSID_kvPlay);
}

TEST(ControlPersistence, EmptyControlSavesEmptyText)
{
    auto control = newControl();
    MapBag bag;
    ASSERT_EQ(as<IPersistPropertyBag>(control.get(), IID_IPersistPropertyBag)->Save(&bag, TRUE_, TRUE_), S_OK);
    EXPECT_EQ(bag.values.at(u"guidSession"), u"");
}

TEST(ControlPersistence, LoadBringsTheTextBack)
{
    MapBag bag;
    bag.values[u"guidSession"] = u"6b29fc40-ca47-1067-b31d-00dd010662da";
    auto control = newControl();
    ASSERT_EQ(as<IPersistPropertyBag>(control.get(), IID_IPersistPropertyBag)->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(guidOf(control.get()), u"6b29fc40-ca47-1067-b31d-00dd010662da");
    EXPECT_FALSE(needsSaving(control.get()));
}

TEST(ControlPersistence, SavedTextThatIsNoGuidFailsTheLoad)
{
    MapBag bag;
    bag.values[u"guidSession"] = u"not a guid";
    auto control = newControl(kUpper);
    EXPECT_EQ(as<IPersistPropertyBag>(control.get(), IID_IPersistPropertyBag)->Load(&bag, nullptr), E_INVALIDARG);
    EXPECT_EQ(takeError().description, u"DPERR_INVALIDPARAM");
    EXPECT_EQ(guidOf(control.get()), kUpper);
}

TEST(ControlStream, SavedLoadedSizedAndCleanedAsAsked)
{
    auto control = newControl(kUpper);
    auto persist = as<IPersistStreamInit>(control.get(), IID_IPersistStreamInit);
    EXPECT_EQ(persist->IsDirty(), S_OK);
    ULARGE_INTEGER size{};
    ASSERT_EQ(persist->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, 4u + 72u);
    Ref<IStream> stream;
    ASSERT_EQ(createMemoryStream({}, stream.out()), S_OK);
    ASSERT_EQ(persist->Save(stream.get(), FALSE_), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_OK);
    ASSERT_EQ(persist->Save(stream.get(), TRUE_), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    std::vector<BYTE> bytes;
    ASSERT_EQ(streamBytes(*stream.get(), bytes), S_OK);
    ASSERT_EQ(bytes.size(), 2 * size.QuadPart); // two saves, one after the other
    EXPECT_EQ((std::vector<BYTE>(bytes.begin(), bytes.begin() + 6)), (std::vector<BYTE>{72, 0, 0, 0, '6', 0}));

    auto loaded = newControl();
    auto loader = as<IPersistStreamInit>(loaded.get(), IID_IPersistStreamInit);
    stream->Seek(LARGE_INTEGER{0}, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(loader->Load(stream.get()), S_OK);
    EXPECT_EQ(guidOf(loaded.get()), kUpper);
    EXPECT_EQ(loader->IsDirty(), S_FALSE);
    ASSERT_EQ(loader->InitNew(), S_OK);
    EXPECT_EQ(guidOf(loaded.get()), u"");
}

TEST(ControlStream, AStreamThatHoldsNoGuidOrIsCutShortFailsTheLoad)
{
    const std::vector<std::vector<BYTE>> broken = {
        {8, 0, 0, 0, 'n', 0, 'o', 0, 'p', 0, 'e', 0}, // text, but no GUID
        {72, 0, 0, 0, '6', 0},                        // cut short
        {1, 0},                                       // not even a length
        {3, 0, 0, 0, 'a', 0, 0},                      // half a character
    };
    for (const auto& bytes : broken) {
        auto control = newControl(kUpper);
        Ref<IStream> stream;
        ASSERT_EQ(createMemoryStream(bytes, stream.out()), S_OK);
        EXPECT_EQ(as<IPersistStreamInit>(control.get(), IID_IPersistStreamInit)->Load(stream.get()), E_INVALIDARG);
        EXPECT_EQ(takeError().description, u"DPERR_INVALIDPARAM");
        EXPECT_EQ(guidOf(control.get()), kUpper);
    }
}

TEST(ControlPersistence, MissingPropertyLoadsAsEmpty)
{
    MapBag bag;
    auto control = newControl();
    control->put_guidSession(Bstr(kUpper).get());
    ASSERT_EQ(as<IPersistPropertyBag>(control.get(), IID_IPersistPropertyBag)->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(guidOf(control.get()), u"");
}

TEST(ControlPages, ThePropertyPageIsKvPlayPpg)
{
    auto control = newControl();
    CAUUID pages{};
    ASSERT_EQ(as<ISpecifyPropertyPages>(control.get(), IID_ISpecifyPropertyPages)->GetPages(&pages), S_OK);
    ASSERT_EQ(pages.cElems, 1u);
    EXPECT_EQ(pages.pElems[0], CLSID_kvPlayPpg);
    CoTaskMemFree(pages.pElems);
}

// --- Aggregation ----------------------------------------------------------------------------------

namespace {

// An outer object that answers for itself and hands everything else to the control inside.
class Outer final : public StackObject<IUnknown> {
public:
    IUnknown* inner = nullptr;
    bool accepts(REFIID) const override { return false; }
    HRESULT QueryInterface(REFIID riid, void** out) override
    {
        if (riid == IID_IUnknown) {
            *out = this;
            AddRef();
            return S_OK;
        }
        return inner->QueryInterface(riid, out);
    }
};

} // namespace

TEST(ControlAggregation, InterfacesAnswerForTheOuterObject)
{
    Outer outer;
    ASSERT_EQ(PlayControl::create(&outer, IID_IkvPlay, reinterpret_cast<void**>(&outer.inner)), CLASS_E_NOAGGREGATION);
    ASSERT_EQ(PlayControl::create(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner)), S_OK);
    IkvPlay* control = nullptr;
    ASSERT_EQ(outer.QueryInterface(IID_IkvPlay, reinterpret_cast<void**>(&control)), S_OK);
    EXPECT_EQ(outer.refs, 2); // the reference went to the outer object
    IUnknown* identity = nullptr;
    control->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
    EXPECT_EQ(identity, &outer);
    identity->Release();
    control->Release();
    EXPECT_EQ(outer.refs, 1);
    outer.inner->Release();
}

// --- Drawing ---------------------------------------------------------------------------------------

TEST(ControlDrawing, AtDesignTimeARaisedEdgeThenIcon101InsideIt)
{
    ScopedControlUi ui;
    AmbientSite site;
    site.userMode = false;
    auto control = newControl();
    as<IObjectWithSite>(control.get(), IID_IObjectWithSite)->SetSite(&site);
    auto view = as<IViewObject>(control.get(), IID_IViewObject);
    RecordingSurface surface;
    const RECTL bounds{10, 20, 50, 60};
    ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, &surface, &bounds, nullptr, nullptr, 0), S_OK);
    ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, &surface, &bounds, nullptr, nullptr, 0), S_OK);
    EXPECT_EQ(surface.drawn, (std::vector<std::string>{"edge 10,20,50,60", "icon 32 at 13,23", "edge 10,20,50,60",
                                                       "icon 32 at 13,23"}));
    EXPECT_EQ(ui.iconsLoaded, std::vector<int>{101}); // loaded on first drawing and kept
    as<IObjectWithSite>(control.get(), IID_IObjectWithSite)->SetSite(nullptr);
}

TEST(ControlDrawing, WhileTheFormRunsOrWithoutAContainerNothingIsDrawn)
{
    ScopedControlUi ui;
    AmbientSite site;
    auto control = newControl();
    auto view = as<IViewObject>(control.get(), IID_IViewObject);
    RecordingSurface surface;
    const RECTL bounds{0, 0, 40, 40};
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, &surface, &bounds, nullptr, nullptr, 0), S_OK);
    as<IObjectWithSite>(control.get(), IID_IObjectWithSite)->SetSite(&site); // user mode: running
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, &surface, &bounds, nullptr, nullptr, 0), S_OK);
    EXPECT_TRUE(surface.drawn.empty());
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, nullptr, &bounds, nullptr, nullptr, 0),
              E_INVALIDARG);
    as<IObjectWithSite>(control.get(), IID_IObjectWithSite)->SetSite(nullptr);
}

// --- About box --------------------------------------------------------------------------------------

TEST(ControlAbout, ShowsNameAndVersion)
{
    ScopedControlUi ui;
    auto control = newControl();
    EXPECT_EQ(control->AboutBox(), S_OK);
    ASSERT_EQ(ui.aboutBoxes.size(), 1u);
    EXPECT_EQ(ui.aboutBoxes[0].title, "About kvPlay");
    // The build's own version, flagged as the build was.
    const std::string line = ui.aboutBoxes[0].versionLine;
    EXPECT_EQ(line.rfind("kvPlay Control, Version " KVDPLAY_EXPECTED_VERSION ".", 0), 0u) << line;
#ifdef NDEBUG
    EXPECT_EQ(line.find(" (Debug)"), std::string::npos) << line;
#else
    EXPECT_NE(line.find(" (Debug)"), std::string::npos) << line;
#endif
}

TEST(ControlAbout, InPlaceFrameIsHeldBackWhileTheBoxIsUpAndGivenBackAndOneNotGivenNeverTouched)
{
    for (const HRESULT context : {S_OK, E_FAIL}) {
        SCOPED_TRACE(context == S_OK ? "frame given" : "no frame given");
        ScopedControlUi ui;
        InPlaceSite site;
        site.contextResult = context;
        auto control = newControl();
        as<IObjectWithSite>(control.get(), IID_IObjectWithSite)->SetSite(&site);
        ASSERT_EQ(control->AboutBox(), S_OK);
        EXPECT_EQ(ui.aboutBoxes.size(), 1u);
        EXPECT_EQ(site.frame.modeless, context == S_OK ? (std::vector<BOOL>{FALSE_, TRUE_}) : std::vector<BOOL>{});
        EXPECT_EQ(site.frame.refs, 1);
        EXPECT_EQ(site.document.refs, 1);
        as<IObjectWithSite>(control.get(), IID_IObjectWithSite)->SetSite(nullptr);
        EXPECT_EQ(site.refs, 1);
    }
}

TEST(ControlAbout, WithoutADesktopTheFrameIsStillGivenBack)
{
    auto saved = controlUi();
    controlUi() = ControlUi{};
    InPlaceSite site;
    auto control = newControl();
    as<IObjectWithSite>(control.get(), IID_IObjectWithSite)->SetSite(&site);
    EXPECT_EQ(control->AboutBox(), S_OK);
    EXPECT_EQ(site.frame.modeless, (std::vector<BOOL>{FALSE_, TRUE_}));
    EXPECT_EQ(site.frame.refs, 1);
    as<IObjectWithSite>(control.get(), IID_IObjectWithSite)->SetSite(nullptr);
    controlUi() = saved;
}

TEST(AboutText, VersionLineFromTheFourPartVersion)
{
    // File version 1.0.0.4: the fourth part is the third number shown.
    VersionRecord record{kVersionSignature, 0x00010000, 0x00000004, VS_FF_DEBUG | VS_FF_PRERELEASE, 0};
    EXPECT_EQ(aboutVersionLine("kvPlay", readVersion(&record)), "kvPlay Control, Version 1.0.4");
    record.fileFlags = VS_FF_DEBUG | VS_FF_PRERELEASE;
    EXPECT_EQ(aboutVersionLine("kvPlay", readVersion(&record)), "kvPlay Control, Version 1.0.4 (Debug) (pre-release)");
    record.fileFlagsMask = VS_FF_PRERELEASE; // a flag outside the mask means nothing
    EXPECT_EQ(aboutVersionLine("kvPlay", readVersion(&record)), "kvPlay Control, Version 1.0.4 (pre-release)");
    EXPECT_EQ(aboutVersionLine("kvPlay", readVersion(nullptr)), "kvPlay Control, Version 0.0.0");
    EXPECT_EQ(aboutTitle("kvPlay"), "About kvPlay");
}

TEST(AboutText, OverlongNameStaysWithinTheBox)
{
    const std::string name(1000, 'k');
    const std::string line = aboutVersionLine(name, libraryVersion());
    EXPECT_LT(line.size(), 256u);
    EXPECT_EQ(line.substr(0, 128), std::string(128, 'k'));
    EXPECT_EQ(line.substr(128, 9), " Control,");
    EXPECT_LT(aboutTitle(name).size(), 256u);
}
