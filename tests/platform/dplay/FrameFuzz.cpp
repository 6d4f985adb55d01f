// Arbitrary bytes as a peer's stream and as discovery datagrams: nothing may crash, and a
// stream once refused stays refused.
#include "platform/dplay/Wire.h"

#include <cstddef>
#include <cstdint>

using namespace platform::dplay::wire;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    decodeRequest({data, size});
    decodeReply({data, size});
    if (size > 0)
        decodeBody({data, size});
    // Fed in uneven pieces, as reads from a socket arrive.
    FrameReader reader;
    std::size_t at = 0;
    std::size_t piece = 1;
    Frame frame;
    while (at < size) {
        const std::size_t n = std::min(piece, size - at);
        reader.feed({data + at, n});
        at += n;
        piece = piece * 3 + 1;
        FrameReader::Status status;
        while ((status = reader.next(frame)) == FrameReader::Status::Ready)
            encode(frame);
        if (status == FrameReader::Status::Broken && reader.next(frame) != FrameReader::Status::Broken)
            __builtin_trap();
    }
    return 0;
}
