// Any bytes from the network: the decoder either refuses them or makes a value that encodes
// back to the very same bytes.
#include "kvdplay/VariantBuffer.h"

#include <cstdlib>
#include <cstring>

using namespace kvdplay;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 0xFFFFFF)
        return 0;
    VARIANT value;
    VariantInit(&value);
    if (SUCCEEDED(decodeVariantBuffer(data, static_cast<DWORD>(size), &value))) {
        std::vector<BYTE> again;
        if (FAILED(encodeVariantBuffer(value, again)))
            std::abort();
        // Odd string lengths lose their last byte, so only the even-length form must match.
        DWORD measured = 0;
        EncodeVariantBuffer(value, &measured, nullptr, true);
        if (measured != again.size() || again.size() > size)
            std::abort();
        if (again.size() == size && std::memcmp(again.data(), data, size) != 0)
            std::abort();
    }
    VariantClear(&value);
    return 0;
}
