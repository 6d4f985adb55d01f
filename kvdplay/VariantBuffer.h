#pragma once
// The byte form of one VARIANT that every LAN message travels in: a 2-byte type word, a 4-byte
// element count when the array bit is set, then the payload; little-endian, no padding.
// Both copies of the game read and write it, so it never changes.
#include "platform/com/Variant.h"

#include <vector>

namespace kvdplay {

using namespace platform::com;

// VARIANT arrays may hold VARIANT arrays this many levels deep, no deeper.
inline constexpr int kMaxBufferNesting = 32;

// With *cursor null (or no cursor) this is the size pass: it adds the value's length to *size
// (setting *size to 0 first when reset is true). Otherwise it writes the bytes at *cursor and
// moves it on, leaving *size alone. E_INVALIDARG for a value the format cannot carry.
HRESULT EncodeVariantBuffer(const VARIANT& value, DWORD* size, BYTE** cursor, bool reset);

// Reads one value at *cursor, moving it on and counting *remaining down. On success *out is a
// new VARIANT; on failure nothing is made and *out is empty.
HRESULT DecodeVariantBuffer(const BYTE** cursor, DWORD* remaining, VARIANT* out);

// The whole encoding of one value.
HRESULT encodeVariantBuffer(const VARIANT& value, std::vector<BYTE>& bytes);
// Exactly one value and nothing after it; bytes left over give E_INVALIDARG.
HRESULT decodeVariantBuffer(const BYTE* bytes, DWORD count, VARIANT* out);

} // namespace kvdplay
