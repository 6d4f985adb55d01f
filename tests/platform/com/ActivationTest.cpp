#include "platform/com/Activation.h"

#include "platform/com/ErrorInfo.h"
#include "platform/com/Guid.h"
#include "platform/com/Registry.h"
#include "tests/support/ComHelpers.h"

#include <gtest/gtest.h>

using namespace platform::com;
using testing_support::Bstr;
using testing_support::Ref;
using testing_support::ScopedRegistry;

namespace {
const CLSID kClass = {0x12345678, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}};
}

TEST(Activation, UnknownProgIdAndClassAreNotRegistered)
{
    ScopedRegistry scope;
    CLSID c{};
    EXPECT_EQ(CLSIDFromProgID(u"No.Such.1", &c), CO_E_CLASSSTRING);
    Ref<IUnknown> object;
    EXPECT_EQ(CoCreateInstance(kClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.outVoid()), REGDB_E_CLASSNOTREG);
    LPOLESTR progId = reinterpret_cast<LPOLESTR>(1);
    EXPECT_EQ(ProgIDFromCLSID(kClass, &progId), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(progId, nullptr);
}

TEST(Activation, MissingLibraryIsReportedAsSuch)
{
    ScopedRegistry scope;
    Registry r;
    r.setValue("CLSID\\" + guidToRegistryText(kClass) + "\\InprocServer32", "", "/nonexistent/libnothing.so");
    ASSERT_TRUE(r.save(scope.path()));
    Ref<IUnknown> object;
    EXPECT_EQ(CoCreateInstance(kClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.outVoid()), CO_E_DLLNOTFOUND);
    // The error names the library, so the player's message says what is missing.
    EXPECT_EQ(testing_support::takeError().description,
              u"the library /nonexistent/libnothing.so cannot be loaded: cannot open shared object file: No such file or directory");
    std::string message;
    EXPECT_EQ(registerServer("/nonexistent/libnothing.so", false, &message), CO_E_DLLNOTFOUND);
    EXPECT_FALSE(message.empty());
}

TEST(Activation, ProgIdLeadsToItsClassAndBack)
{
    ScopedRegistry scope;
    Registry r;
    r.setValue("My.Thing.1\\CLSID", "", guidToRegistryText(kClass));
    r.setValue("My.Thing\\CurVer", "", "My.Thing.1");
    r.setValue("CLSID\\" + guidToRegistryText(kClass) + "\\ProgID", "", "My.Thing.1");
    ASSERT_TRUE(r.save(scope.path()));
    CLSID c{};
    EXPECT_EQ(CLSIDFromProgID(u"my.thing", &c), S_OK);
    EXPECT_EQ(c, kClass);
    LPOLESTR progId = nullptr;
    ASSERT_EQ(ProgIDFromCLSID(kClass, &progId), S_OK);
    EXPECT_EQ(std::u16string(progId), u"My.Thing.1");
    CoTaskMemFree(progId);
}

TEST(ErrorInformation, SlotHoldsOneAndHandsItOverOnce)
{
    ICreateErrorInfo* create = nullptr;
    ASSERT_EQ(CreateErrorInfo(&create), S_OK);
    std::u16string text = u"broken";
    create->SetDescription(text.data());
    create->SetHelpContext(12);
    IErrorInfo* info = nullptr;
    create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
    create->Release();
    SetErrorInfo(0, info);
    info->Release();
    const auto taken = testing_support::takeError();
    EXPECT_TRUE(taken.present);
    EXPECT_EQ(taken.description, u"broken");
    EXPECT_EQ(taken.helpContext, 12u);
    EXPECT_FALSE(taken.sourceSet);
    IErrorInfo* none = nullptr;
    EXPECT_EQ(GetErrorInfo(0, &none), S_FALSE);
}
