// kvPlayPpg: what the page shows, when it is dirty, what Apply stores, and its buttons.
#include "kvdplay/PropertyPage.h"

#include "kvdplay/Control.h"
#include "tests/kvdplay/ControlDoubles.h"
#include "tests/support/ComHelpers.h"

#include <gtest/gtest.h>

using namespace kvdplay;
using testing_support::Bstr;
using testing_support::guidOf;
using testing_support::InPlaceSite;
using testing_support::newControl;
using testing_support::RecordingPageSite;
using testing_support::Ref;
using testing_support::ScopedControlUi;

namespace {

struct Page {
    ScopedControlUi ui;
    RecordingPageSite site;
    Ref<IPropertyPage> page;
    explicit Page(std::vector<IkvPlay*> controls)
    {
        EXPECT_EQ(PropertyPage::create(nullptr, IID_IPropertyPage, page.outVoid()), S_OK);
        page->SetPageSite(&site);
        std::vector<IUnknown*> objects(controls.begin(), controls.end());
        EXPECT_EQ(page->SetObjects(static_cast<ULONG>(objects.size()), objects.data()), S_OK);
        RECT place{0, 0, 375, 179};
        EXPECT_EQ(page->Activate(nullptr, &place, TRUE_), S_OK);
    }
    ~Page()
    {
        page->Deactivate();
        page->SetObjects(0, nullptr);
        page->SetPageSite(nullptr);
    }
};

void siteOf(IkvPlay* control, IUnknown* site)
{
    Ref<IObjectWithSite> withSite;
    ASSERT_EQ(control->QueryInterface(IID_IObjectWithSite, withSite.outVoid()), S_OK);
    withSite->SetSite(site);
}

constexpr char16_t kGuid[] = u"6b29fc40-ca47-1067-b31d-00dd010662da";

long noNetworkCard(GUID*) { return kNoNetworkAddress; }
long otherFailure(GUID*) { return 5; }
long fixedGuid(GUID* made)
{
    *made = {0xABCDEF01, 0x2345, 0x6789, {0xAB, 0xCD, 0xEF, 0x01, 0x23, 0x45, 0x67, 0x89}};
    return 0;
}

} // namespace

TEST(PropertyPageShow, ShowsTheFirstControlsTextLimitedTo36Characters)
{
    auto first = newControl(kGuid), second = newControl();
    Page p({first.get(), second.get()});
    EXPECT_EQ(p.ui.page.text, "6b29fc40-ca47-1067-b31d-00dd010662da");
    EXPECT_EQ(p.ui.page.maxLength, 36);
    EXPECT_EQ(p.page->IsPageDirty(), S_FALSE); // showing the text is no edit
    EXPECT_TRUE(p.site.statusChanges.empty());
}

TEST(PropertyPageShow, TitleAndDescription)
{
    Page p({});
    PROPPAGEINFO info{};
    ASSERT_EQ(p.page->GetPageInfo(&info), S_OK);
    EXPECT_EQ(std::u16string(info.pszTitle), u"&General");
    EXPECT_EQ(std::u16string(info.pszDocString), u"Properties for kvPlay");
    EXPECT_EQ(std::u16string(info.pszHelpFile), u"kvdirect.hlp");
    CoTaskMemFree(info.pszTitle);
    CoTaskMemFree(info.pszDocString);
    CoTaskMemFree(info.pszHelpFile);
}

TEST(PropertyPageDirty, FirstEditTellsTheSiteOnce)
{
    auto control = newControl();
    Page p({control.get()});
    p.ui.type("6");
    p.ui.type("6b");
    EXPECT_EQ(p.page->IsPageDirty(), S_OK);
    EXPECT_EQ(p.site.statusChanges, std::vector<DWORD>{PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE});
}

TEST(PropertyPageDirty, PageWithoutControlsNeverTurnsDirty)
{
    Page p({});
    p.ui.type("x");
    EXPECT_EQ(p.page->IsPageDirty(), S_FALSE);
}

TEST(PropertyPageApply, EmptyOrMalformedTextFailsAndLeavesControlsAndDirtiness)
{
    for (const auto& [typed, failure] : {std::pair<const char*, HRESULT>{"", E_FAIL}, {"not-a-guid", E_INVALIDARG}}) {
        SCOPED_TRACE(typed);
        auto control = newControl(kGuid);
        Page p({control.get()});
        p.ui.type(typed);
        EXPECT_EQ(p.page->Apply(), failure);
        EXPECT_EQ(guidOf(control.get()), kGuid);
        EXPECT_EQ(p.page->IsPageDirty(), S_OK);
    }
}

TEST(PropertyPageApply, TextGoesIntoEveryControlAndThePageIsClean)
{
    auto first = newControl(), second = newControl();
    Page p({first.get(), second.get()});
    p.ui.type("6B29FC40-CA47-1067-B31D-00DD010662DA");
    ASSERT_EQ(p.page->Apply(), S_OK);
    EXPECT_EQ(guidOf(first.get()), u"6B29FC40-CA47-1067-B31D-00DD010662DA");
    EXPECT_EQ(guidOf(second.get()), u"6B29FC40-CA47-1067-B31D-00DD010662DA");
    EXPECT_EQ(p.page->IsPageDirty(), S_FALSE);
}

TEST(PropertyPageApply, NoControlToTakeItFails)
{
    Page p({});
    p.ui.type("6b29fc40-ca47-1067-b31d-00dd010662da");
    EXPECT_EQ(p.page->Apply(), E_FAIL);
}

TEST(PropertyPageNewGuid, MakesLowerCaseTextAndDirtiesThePage)
{
    setUuidGenerator(&fixedGuid);
    auto control = newControl();
    Page p({control.get()});
    p.ui.page.events->newGuidClicked();
    EXPECT_EQ(p.ui.page.text, "abcdef01-2345-6789-abcd-ef0123456789");
    EXPECT_EQ(p.page->IsPageDirty(), S_OK);
    setUuidGenerator(nullptr);
}

TEST(PropertyPageNewGuid, RealGeneratorGivesAValidGuidEachTime)
{
    auto control = newControl();
    Page p({control.get()});
    p.ui.page.events->newGuidClicked();
    const std::string first = p.ui.page.text;
    p.ui.page.events->newGuidClicked();
    EXPECT_EQ(first.size(), 36u);
    EXPECT_NE(first, p.ui.page.text);
    ASSERT_EQ(p.page->Apply(), S_OK);
}

TEST(PropertyPageNewGuid, NoNetworkCardIsExplainedAndTheTextStays)
{
    setUuidGenerator(&noNetworkCard);
    auto control = newControl(kGuid);
    Page p({control.get()});
    p.ui.page.events->newGuidClicked();
    EXPECT_EQ(p.ui.page.errors, std::vector<std::string>{"You must have a network card to generate a new guid."});
    EXPECT_EQ(p.ui.page.text, "6b29fc40-ca47-1067-b31d-00dd010662da");
    setUuidGenerator(&otherFailure);
    p.ui.page.events->newGuidClicked();
    EXPECT_EQ(p.ui.page.errors.back(), "UuidCreate failed, error code = 5");
    setUuidGenerator(nullptr);
}

TEST(PropertyPageAbout, OpensTheBoxOfEveryControlInOrder)
{
    // Each control holds back its own form's frame while its box is up, so the shared log shows
    // whose box came first.
    std::vector<std::string> log;
    InPlaceSite firstSite, secondSite;
    firstSite.frame.log = secondSite.frame.log = &log;
    firstSite.frame.name = "first";
    secondSite.frame.name = "second";
    auto first = newControl(), second = newControl();
    siteOf(first.get(), &firstSite);
    siteOf(second.get(), &secondSite);
    {
        Page p({first.get(), second.get()});
        p.ui.page.events->aboutClicked();
        EXPECT_EQ(p.ui.aboutBoxes.size(), 2u);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"first held", "first given", "second held", "second given"}));
    siteOf(first.get(), nullptr);
    siteOf(second.get(), nullptr);
}

TEST(PropertyPageFactory, RefusesAggregation)
{
    auto control = newControl();
    Ref<IUnknown> page;
    EXPECT_EQ(PropertyPage::create(control.get(), IID_IUnknown, page.outVoid()), CLASS_E_NOAGGREGATION);
}
