#include "platform/com/Variant.h"

#include "tests/support/ComHelpers.h"

#include <gtest/gtest.h>

using namespace platform::com;
using testing_support::Var;

TEST(Strings, LengthIsKeptInBytesAndMayBeOdd)
{
    BSTR s = SysAllocStringByteLen("abc", 3);
    EXPECT_EQ(SysStringByteLen(s), 3u);
    EXPECT_EQ(SysStringLen(s), 1u);
    EXPECT_EQ(reinterpret_cast<const char*>(s)[3], 0); // still terminated
    SysFreeString(s);
    BSTR t = SysAllocString(u"h\u00e9llo");
    EXPECT_EQ(SysStringLen(t), 5u);
    EXPECT_EQ(t[5], 0);
    SysFreeString(t);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    SysFreeString(nullptr);
}

TEST(Strings, EmbeddedZerosAreKept)
{
    const char16_t text[] = {u'a', 0, u'b'};
    BSTR s = SysAllocStringLen(text, 3);
    EXPECT_EQ(SysStringLen(s), 3u);
    EXPECT_EQ(s[2], u'b');
    SysFreeString(s);
}

TEST(Variants, CopyDuplicatesStringsAndArrays)
{
    Var a = Var::text(u"x");
    Var b;
    ASSERT_EQ(VariantCopy(b.ptr(), a.ptr()), S_OK);
    EXPECT_NE(a.get().bstrVal, b.get().bstrVal);
    EXPECT_EQ(b.text(), u"x");
    Var bytes = Var::bytes({1, 2});
    Var c;
    ASSERT_EQ(VariantCopy(c.ptr(), bytes.ptr()), S_OK);
    EXPECT_NE(c.get().parray, bytes.get().parray);
    EXPECT_EQ(static_cast<BYTE*>(c.get().parray->pvData)[1], 2);
}

TEST(Variants, CopyIndFollowsAReference)
{
    LONG target = 41;
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_I4 | VT_BYREF;
    ref.plVal = &target;
    Var out;
    ASSERT_EQ(VariantCopyInd(out.ptr(), &ref), S_OK);
    EXPECT_EQ(out.get().vt, VT_I4);
    EXPECT_EQ(out.get().lVal, 41);
}

TEST(Variants, ChangeTypeConvertsNumbersTextAndBooleans)
{
    Var out;
    Var d;
    d.get().vt = VT_R8;
    d.get().dblVal = 2.5;
    ASSERT_EQ(VariantChangeType(out.ptr(), d.ptr(), 0, VT_I4), S_OK);
    EXPECT_EQ(out.get().lVal, 2); // halves go to the even neighbour
    ASSERT_EQ(VariantChangeType(out.ptr(), Var::text(u" 17 ").ptr(), 0, VT_I4), S_OK);
    EXPECT_EQ(out.get().lVal, 17);
    EXPECT_EQ(VariantChangeType(out.ptr(), Var::text(u"x").ptr(), 0, VT_I4), DISP_E_TYPEMISMATCH);
    ASSERT_EQ(VariantChangeType(out.ptr(), Var::i4(-3).ptr(), 0, VT_BSTR), S_OK);
    EXPECT_EQ(out.text(), u"-3");
    ASSERT_EQ(VariantChangeType(out.ptr(), Var::i4(5).ptr(), 0, VT_BOOL), S_OK);
    EXPECT_EQ(out.get().boolVal, VARIANT_TRUE);
    Var big;
    big.get().vt = VT_R8;
    big.get().dblVal = 1e12;
    EXPECT_EQ(VariantChangeType(out.ptr(), big.ptr(), 0, VT_I4), DISP_E_OVERFLOW);
}

TEST(Variants, ChangeTypeFailureLeavesTheTargetAlone)
{
    Var out = Var::text(u"kept");
    EXPECT_EQ(VariantChangeType(out.ptr(), Var::text(u"x").ptr(), 0, VT_I4), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(out.text(), u"kept");
}

TEST(SafeArrays, BoundsAndElementsOfOneDimension)
{
    SAFEARRAY* a = SafeArrayCreateVector(VT_I4, 1, 3);
    ASSERT_NE(a, nullptr);
    LONG low = 0, high = 0;
    EXPECT_EQ(SafeArrayGetLBound(a, 1, &low), S_OK);
    EXPECT_EQ(SafeArrayGetUBound(a, 1, &high), S_OK);
    EXPECT_EQ(low, 1);
    EXPECT_EQ(high, 3);
    EXPECT_EQ(SafeArrayGetLBound(a, 2, &low), DISP_E_BADINDEX);
    LONG index = 3, value = 99;
    EXPECT_EQ(SafeArrayPutElement(a, &index, &value), S_OK);
    index = 4;
    EXPECT_EQ(SafeArrayPutElement(a, &index, &value), DISP_E_BADINDEX);
    index = 3;
    LONG read = 0;
    EXPECT_EQ(SafeArrayGetElement(a, &index, &read), S_OK);
    EXPECT_EQ(read, 99);
    EXPECT_EQ(SafeArrayDestroy(a), S_OK);
}

TEST(SafeArrays, VectorLengthCountsFromEitherLowerBound)
{
    SAFEARRAY* a = SafeArrayCreateVector(VT_UI1, -5, 16);
    SAFEARRAY* empty = SafeArrayCreateVector(VT_UI1, 7, 0);
    std::int64_t count = -1;
    EXPECT_EQ(vectorLength(a, &count), S_OK);
    EXPECT_EQ(count, 16);
    EXPECT_EQ(vectorLength(empty, &count), S_OK);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(vectorLength(a, nullptr), E_POINTER);
    SafeArrayDestroy(a);
    SafeArrayDestroy(empty);
}

TEST(SafeArrays, VectorLengthRefusesNoArrayAndTwoDimensions)
{
    SAFEARRAYBOUND bounds[2] = {{2, 0}, {3, 10}};
    SAFEARRAY* a = SafeArrayCreate(VT_I2, 2, bounds);
    std::int64_t count = 42;
    EXPECT_EQ(vectorLength(a, &count), E_INVALIDARG);
    EXPECT_EQ(vectorLength(nullptr, &count), E_INVALIDARG);
    EXPECT_EQ(count, 42);
    SafeArrayDestroy(a);
}

TEST(SafeArrays, LockedArrayCannotBeDestroyed)
{
    SAFEARRAY* a = SafeArrayCreateVector(VT_UI1, 0, 4);
    void* data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(a, &data), S_OK);
    EXPECT_EQ(SafeArrayDestroy(a), DISP_E_ARRAYISLOCKED);
    EXPECT_EQ(SafeArrayUnaccessData(a), S_OK);
    EXPECT_EQ(SafeArrayUnlock(a), E_UNEXPECTED);
    EXPECT_EQ(SafeArrayDestroy(a), S_OK);
}

TEST(SafeArrays, TwoDimensionsKeepTheirOrder)
{
    SAFEARRAYBOUND bounds[2] = {{2, 0}, {3, 10}};
    SAFEARRAY* a = SafeArrayCreate(VT_I2, 2, bounds);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(SafeArrayGetDim(a), 2u);
    LONG low = 0;
    SafeArrayGetLBound(a, 2, &low);
    EXPECT_EQ(low, 10);
    LONG at[2] = {1, 12};
    SHORT v = 7;
    EXPECT_EQ(SafeArrayPutElement(a, at, &v), S_OK);
    EXPECT_EQ(static_cast<SHORT*>(a->pvData)[5], 7); // the first index varies fastest
    SafeArrayDestroy(a);
}

TEST(SafeArrays, HugeOrTypelessArraysAreNotMade)
{
    EXPECT_EQ(SafeArrayCreateVector(VT_VARIANT, 0, 0xFFFFFFFFu), nullptr);
    EXPECT_EQ(SafeArrayCreateVector(VT_EMPTY, 0, 1), nullptr);
    EXPECT_EQ(SafeArrayCreateVector(VT_DECIMAL, 0, 1), nullptr);
}

TEST(SafeArrays, DestroyingAStringArrayFreesItsStrings)
{
    SAFEARRAY* a = SafeArrayCreateVector(VT_BSTR, 0, 2);
    LONG i = 1;
    BSTR s = SysAllocString(u"abc");
    SafeArrayPutElement(a, &i, s); // copies
    SysFreeString(s);
    SAFEARRAY* copy = nullptr;
    ASSERT_EQ(SafeArrayCopy(a, &copy), S_OK);
    BSTR got = nullptr;
    SafeArrayGetElement(copy, &i, &got);
    EXPECT_EQ(std::u16string(got), u"abc");
    SysFreeString(got);
    SafeArrayDestroy(a);
    SafeArrayDestroy(copy); // LeakSanitizer checks that nothing stays behind
}
