#include "kvdplay/VariantBuffer.h"

#include "tests/support/ComHelpers.h"

#include <gtest/gtest.h>

using namespace kvdplay;
using testing_support::Var;

namespace {

std::vector<BYTE> encode(const VARIANT& v, HRESULT* result = nullptr)
{
    std::vector<BYTE> bytes;
    const HRESULT hr = encodeVariantBuffer(v, bytes);
    if (result)
        *result = hr;
    return bytes;
}

DWORD measure(const VARIANT& v)
{
    DWORD size = 12345;
    EXPECT_EQ(EncodeVariantBuffer(v, &size, nullptr, true), S_OK);
    return size;
}

HRESULT decode(const std::vector<BYTE>& bytes, Var& out)
{
    return decodeVariantBuffer(bytes.data(), static_cast<DWORD>(bytes.size()), out.ptr());
}

Var array(VARTYPE vt, LONG lowerBound, ULONG count)
{
    Var v;
    v.get().vt = VT_ARRAY | vt;
    v.get().parray = SafeArrayCreateVector(vt, lowerBound, count);
    return v;
}

using Bytes = std::vector<BYTE>;

} // namespace

// --- The examples and every carried type, byte for byte.

TEST(VariantBufferBytes, StringIsTypeLengthAndUtf16)
{
    const Var v = Var::text(u"Ma17");
    EXPECT_EQ(encode(v.get()), (Bytes{0x08, 0x00, 0x08, 0x00, 0x00, 0x00, 0x4D, 0x00, 0x61, 0x00, 0x31, 0x00, 0x37, 0x00}));
    EXPECT_EQ(measure(v.get()), 14u);
}

TEST(VariantBufferBytes, ChatMessageOkIsTwentyBytesOfWire)
{
    const Var v = Var::text(u"mok");
    EXPECT_EQ(encode(v.get()), (Bytes{0x08, 0x00, 0x06, 0x00, 0x00, 0x00, 'm', 0, 'o', 0, 'k', 0}));
}

TEST(VariantBufferBytes, LongBooleanAndEmpty)
{
    EXPECT_EQ(encode(Var::i4(5).get()), (Bytes{0x03, 0x00, 0x05, 0x00, 0x00, 0x00}));
    Var b;
    b.get().vt = VT_BOOL;
    b.get().boolVal = VARIANT_TRUE;
    EXPECT_EQ(encode(b.get()), (Bytes{0x0B, 0x00, 0xFF, 0xFF}));
    Var empty;
    EXPECT_EQ(encode(empty.get()), (Bytes{0x00, 0x00}));
    EXPECT_EQ(measure(empty.get()), 2u);
    Var null;
    null.get().vt = VT_NULL;
    EXPECT_EQ(encode(null.get()), (Bytes{0x01, 0x00}));
}

TEST(VariantBufferBytes, FixedSizeTypesCarryTheirWidth)
{
    Var i2; i2.get().vt = VT_I2; i2.get().iVal = -2;
    EXPECT_EQ(encode(i2.get()), (Bytes{0x02, 0x00, 0xFE, 0xFF}));
    Var r4; r4.get().vt = VT_R4; r4.get().fltVal = 1.0f;
    EXPECT_EQ(encode(r4.get()), (Bytes{0x04, 0x00, 0x00, 0x00, 0x80, 0x3F}));
    Var r8; r8.get().vt = VT_R8; r8.get().dblVal = 1.0;
    EXPECT_EQ(encode(r8.get()), (Bytes{0x05, 0x00, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
    Var cy; cy.get().vt = VT_CY; cy.get().cyVal.int64 = 10000;
    EXPECT_EQ(encode(cy.get()), (Bytes{0x06, 0x00, 0x10, 0x27, 0, 0, 0, 0, 0, 0}));
    Var date; date.get().vt = VT_DATE; date.get().date = 2.0;
    EXPECT_EQ(encode(date.get()), (Bytes{0x07, 0x00, 0, 0, 0, 0, 0, 0, 0x00, 0x40}));
    Var err; err.get().vt = VT_ERROR; err.get().scode = 7;
    EXPECT_EQ(encode(err.get()), (Bytes{0x0A, 0x00, 0x07, 0, 0, 0}));
    Var ui1; ui1.get().vt = VT_UI1; ui1.get().bVal = 0xAB;
    EXPECT_EQ(encode(ui1.get()), (Bytes{0x11, 0x00, 0xAB}));
}

TEST(VariantBufferBytes, ByteArrayOfThree)
{
    const Var v = Var::bytes({1, 2, 3});
    EXPECT_EQ(encode(v.get()), (Bytes{0x11, 0x20, 0x03, 0x00, 0x00, 0x00, 0x01, 0x02, 0x03}));
}

TEST(VariantBufferBytes, VariantArrayNestsCompleteValues)
{
    Var v = array(VT_VARIANT, 0, 2);
    auto* items = static_cast<VARIANT*>(v.get().parray->pvData);
    items[0].vt = VT_I4;
    items[0].lVal = 7;
    items[1].vt = VT_BSTR;
    items[1].bstrVal = SysAllocString(u"a");
    EXPECT_EQ(encode(v.get()), (Bytes{0x0C, 0x20, 0x02, 0x00, 0x00, 0x00, 0x03, 0x00, 0x07, 0x00, 0x00, 0x00,
                                      0x08, 0x00, 0x02, 0x00, 0x00, 0x00, 0x61, 0x00}));
}

TEST(VariantBufferBytes, StringArrayWritesEachLengthAndText)
{
    Var v = array(VT_BSTR, 0, 2);
    auto* items = static_cast<BSTR*>(v.get().parray->pvData);
    items[0] = SysAllocString(u"a");
    items[1] = SysAllocString(u"");
    EXPECT_EQ(encode(v.get()), (Bytes{0x08, 0x20, 2, 0, 0, 0, 2, 0, 0, 0, 'a', 0, 0, 0, 0, 0}));
}

TEST(VariantBufferBytes, EmptyStringIsSixBytesAndComesBackEmpty)
{
    const Var v = Var::text(u"");
    const Bytes bytes = encode(v.get());
    EXPECT_EQ(bytes, (Bytes{0x08, 0x00, 0x00, 0x00, 0x00, 0x00}));
    Var back;
    ASSERT_EQ(decode(bytes, back), S_OK);
    EXPECT_EQ(back.get().vt, VT_BSTR);
    ASSERT_NE(back.get().bstrVal, nullptr);
    EXPECT_EQ(SysStringLen(back.get().bstrVal), 0u);
}

TEST(VariantBufferBytes, SizePassAddsUnlessReset)
{
    const Var v = Var::text(u"abc");
    DWORD size = 10;
    EXPECT_EQ(EncodeVariantBuffer(v.get(), &size, nullptr, false), S_OK);
    EXPECT_EQ(size, 10u + 12u);
    EXPECT_EQ(EncodeVariantBuffer(v.get(), &size, nullptr, true), S_OK);
    EXPECT_EQ(size, 12u);
}

// --- Round trips.

TEST(VariantBufferRoundTrip, LowerBoundIsNotSentAndComesBackZero)
{
    Var v = Var::bytes({9, 8, 7}, 1);
    Var back;
    ASSERT_EQ(decode(encode(v.get()), back), S_OK);
    ASSERT_EQ(back.get().vt, VT_ARRAY | VT_UI1);
    LONG low = -1, high = -1;
    SafeArrayGetLBound(back.get().parray, 1, &low);
    SafeArrayGetUBound(back.get().parray, 1, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 2);
    EXPECT_EQ(static_cast<BYTE*>(back.get().parray->pvData)[2], 7);
}

TEST(VariantBufferRoundTrip, EmptyArrayHasCountZeroAndNoPayload)
{
    Var v = array(VT_I4, 0, 0);
    const Bytes bytes = encode(v.get());
    EXPECT_EQ(bytes, (Bytes{0x03, 0x20, 0, 0, 0, 0}));
    Var back;
    ASSERT_EQ(decode(bytes, back), S_OK);
    EXPECT_EQ(back.get().vt, VT_ARRAY | VT_I4);
    LONG high = 0;
    SafeArrayGetUBound(back.get().parray, 1, &high);
    EXPECT_EQ(high, -1);
}

TEST(VariantBufferRoundTrip, NestedVariantArraysComeBackEqual)
{
    Var outer = array(VT_VARIANT, 0, 2);
    auto* items = static_cast<VARIANT*>(outer.get().parray->pvData);
    items[0].vt = VT_ARRAY | VT_I2;
    items[0].parray = SafeArrayCreateVector(VT_I2, 0, 2);
    static_cast<SHORT*>(items[0].parray->pvData)[1] = 300;
    items[1].vt = VT_BSTR;
    items[1].bstrVal = SysAllocString(u"xyz");
    const Bytes bytes = encode(outer.get());
    Var back;
    ASSERT_EQ(decode(bytes, back), S_OK);
    EXPECT_EQ(encode(back.get()), bytes);
}

TEST(VariantBufferRoundTrip, OddStringLengthGivesHalfTheCharactersAndConsumesAll)
{
    const Bytes bytes{0x08, 0x00, 0x03, 0x00, 0x00, 0x00, 'h', 0x00, 'x'};
    Var back;
    ASSERT_EQ(decode(bytes, back), S_OK);
    EXPECT_EQ(back.text(), u"h");
}

// --- Refusals of the encoder.

TEST(VariantBufferRefusal, AbsentStringIsRefused)
{
    Var v;
    v.get().vt = VT_BSTR;
    HRESULT hr = S_OK;
    encode(v.get(), &hr);
    EXPECT_EQ(hr, E_INVALIDARG);
}

TEST(VariantBufferRefusal, StringArrayWithAnAbsentElementIsRefusedWhole)
{
    Var v = array(VT_BSTR, 0, 2);
    static_cast<BSTR*>(v.get().parray->pvData)[0] = SysAllocString(u"a");
    HRESULT hr = S_OK;
    encode(v.get(), &hr);
    EXPECT_EQ(hr, E_INVALIDARG);
    EXPECT_EQ(v.get().parray->cLocks, 0u); // the refusal gave the lock back
}

TEST(VariantBufferRefusal, ObjectsReferencesAndVectorsAreRefused)
{
    for (VARTYPE vt : {VARTYPE(VT_DISPATCH), VARTYPE(VT_UNKNOWN), VARTYPE(VT_I4 | VT_BYREF), VARTYPE(VT_I4 | VT_VECTOR),
                       VARTYPE(VT_I4 | 0x8000), VARTYPE(VT_VARIANT), VARTYPE(VT_DECIMAL), VARTYPE(VT_I8)}) {
        VARIANT v;
        VariantInit(&v);
        v.vt = vt;
        DWORD size = 0;
        EXPECT_EQ(EncodeVariantBuffer(v, &size, nullptr, true), E_INVALIDARG) << "type " << vt;
    }
}

TEST(VariantBufferRefusal, ArrayWithoutAnArrayIsRefused)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ARRAY | VT_UI1;
    DWORD size = 0;
    EXPECT_EQ(EncodeVariantBuffer(v, &size, nullptr, true), E_INVALIDARG);
}

TEST(VariantBufferRefusal, TwoDimensionalArrayIsRefusedBeforeAnythingIsWritten)
{
    SAFEARRAYBOUND bounds[2] = {{2, 0}, {3, 0}};
    Var v;
    v.get().vt = VT_ARRAY | VT_I4;
    v.get().parray = SafeArrayCreate(VT_I4, 2, bounds);
    DWORD size = 0;
    EXPECT_EQ(EncodeVariantBuffer(v.get(), &size, nullptr, true), E_INVALIDARG);
    BYTE buffer[8] = {0xEE, 0xEE};
    BYTE* cursor = buffer;
    EXPECT_EQ(EncodeVariantBuffer(v.get(), &size, &cursor, false), E_INVALIDARG);
    EXPECT_EQ(cursor, buffer);
}

TEST(VariantBufferRefusal, ArrayWhoseElementsAreNotOfTheClaimedTypeIsRefused)
{
    Var v = array(VT_I4, 0, 2);
    v.get().vt = VT_ARRAY | VT_BSTR; // claims strings over an array of longs
    DWORD size = 0;
    EXPECT_EQ(EncodeVariantBuffer(v.get(), &size, nullptr, true), E_INVALIDARG);
}

TEST(VariantBufferRefusal, RefusalInsideANestedArrayUnlocksEveryArray)
{
    Var outer = array(VT_VARIANT, 0, 1);
    auto* items = static_cast<VARIANT*>(outer.get().parray->pvData);
    items[0].vt = VT_ARRAY | VT_BSTR;
    items[0].parray = SafeArrayCreateVector(VT_BSTR, 0, 1); // one absent string
    DWORD size = 0;
    EXPECT_EQ(EncodeVariantBuffer(outer.get(), &size, nullptr, true), E_INVALIDARG);
    EXPECT_EQ(outer.get().parray->cLocks, 0u);
    EXPECT_EQ(items[0].parray->cLocks, 0u);
}

namespace {

// A VARIANT array nested depth levels deep around a long.
Var nested(int depth)
{
    Var v = Var::i4(1);
    for (int i = 0; i < depth; ++i) {
        Var outer = array(VT_VARIANT, 0, 1);
        static_cast<VARIANT*>(outer.get().parray->pvData)[0] = v.get();
        VariantInit(&v.get());
        v = std::move(outer);
    }
    return v;
}

} // namespace

TEST(VariantBufferRefusal, NestingIsCappedInTheEncoder)
{
    DWORD size = 0;
    EXPECT_EQ(EncodeVariantBuffer(nested(kMaxBufferNesting).get(), &size, nullptr, true), S_OK);
    EXPECT_EQ(EncodeVariantBuffer(nested(kMaxBufferNesting + 1).get(), &size, nullptr, true), E_INVALIDARG);
}

// --- Hostile buffers for the decoder.

TEST(VariantBufferHostile, ShortBuffersAreRefused)
{
    Var out;
    EXPECT_EQ(decode({}, out), E_INVALIDARG);
    EXPECT_EQ(decode({0x03}, out), E_INVALIDARG);
    EXPECT_EQ(decode({0x03, 0x00, 0x05, 0x00, 0x00}, out), E_INVALIDARG); // one byte short
    EXPECT_EQ(decode({0x08, 0x00, 0x04, 0x00, 0x00}, out), E_INVALIDARG); // length cut
    EXPECT_EQ(decode({0x08, 0x00, 0x04, 0x00, 0x00, 0x00, 'a', 0x00, 'b'}, out), E_INVALIDARG);
    EXPECT_EQ(decode({0x11, 0x20, 0x03, 0x00}, out), E_INVALIDARG); // count cut
    EXPECT_EQ(out.get().vt, VT_EMPTY);
    EXPECT_EQ(decodeVariantBuffer(nullptr, 0, out.ptr()), E_INVALIDARG);
}

TEST(VariantBufferHostile, TrailingByteIsRefused)
{
    Var out;
    EXPECT_EQ(decode({0x03, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00}, out), E_INVALIDARG);
    EXPECT_EQ(out.get().vt, VT_EMPTY);
}

TEST(VariantBufferHostile, HugeCountDoesNotAskForMemory)
{
    Var out;
    EXPECT_EQ(decode({0x11, 0x20, 0xFF, 0xFF, 0xFF, 0xFF}, out), E_INVALIDARG);
    EXPECT_EQ(decode({0x0C, 0x20, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}, out), E_INVALIDARG);
    EXPECT_EQ(decode({0x08, 0x20, 0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0x00, 0x00, 0x00}, out), E_INVALIDARG);
    EXPECT_EQ(decode({0x05, 0x20, 0x00, 0x00, 0x00, 0x20}, out), E_INVALIDARG);
}

TEST(VariantBufferHostile, HugeStringLengthIsRefused)
{
    Var out;
    EXPECT_EQ(decode({0x08, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 0}, out), E_INVALIDARG);
}

TEST(VariantBufferHostile, UnknownAndRefusedTypesAreRefused)
{
    Var out;
    for (WORD vt : {WORD(9), WORD(13), WORD(14), WORD(20), WORD(0x0FFF), WORD(0x4003), WORD(0x1003), WORD(0x8003),
                    WORD(0x000C), WORD(0x2000), WORD(0x2001)}) {
        const Bytes bytes{BYTE(vt), BYTE(vt >> 8), 0, 0, 0, 0, 0, 0, 0, 0};
        EXPECT_EQ(decode(bytes, out), E_INVALIDARG) << "type " << vt;
    }
}

TEST(VariantBufferHostile, DeepNestingIsRefusedByTheDecoder)
{
    Bytes bytes;
    for (int i = 0; i < 100000; ++i)
        bytes.insert(bytes.end(), {0x0C, 0x20, 0x01, 0x00, 0x00, 0x00});
    bytes.insert(bytes.end(), {0x00, 0x00});
    Var out;
    EXPECT_EQ(decode(bytes, out), E_INVALIDARG);

    std::vector<BYTE> allowed;
    Var ok = nested(kMaxBufferNesting);
    ASSERT_EQ(encodeVariantBuffer(ok.get(), allowed), S_OK);
    EXPECT_EQ(decode(allowed, out), S_OK);
}

TEST(VariantBufferHostile, FailureHalfwayFreesWhatWasMade)
{
    // Two strings announced, the second cut short: the first is freed again (ASan watches).
    const Bytes bytes{0x08, 0x20, 0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 'a', 0x00, 0x04, 0x00, 0x00, 0x00, 'b'};
    Var out;
    EXPECT_EQ(decode(bytes, out), E_INVALIDARG);
    EXPECT_EQ(out.get().vt, VT_EMPTY);
}
