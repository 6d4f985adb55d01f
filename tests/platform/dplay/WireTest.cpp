// The frame and datagram formats, and what a hostile byte stream can and cannot do to them.
#include "platform/dplay/Wire.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace platform::dplay;
using namespace platform::dplay::wire;

namespace {

std::vector<Frame> readAll(const Bytes& stream, FrameReader::Status* last = nullptr)
{
    FrameReader reader;
    reader.feed(stream);
    std::vector<Frame> frames;
    Frame frame;
    FrameReader::Status status;
    while ((status = reader.next(frame)) == FrameReader::Status::Ready)
        frames.push_back(frame);
    if (last)
        *last = status;
    return frames;
}

Bytes body(std::initializer_list<std::uint8_t> bytes)
{
    const auto n = static_cast<std::uint32_t>(bytes.size());
    Bytes out{static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n >> 16),
              static_cast<std::uint8_t>(n >> 24)};
    for (auto b : bytes)
        out.push_back(b);
    return out;
}

FrameReader::Status statusOf(const Bytes& stream)
{
    FrameReader::Status status;
    readAll(stream, &status);
    return status;
}

} // namespace

TEST(WireFrames, EveryKindSurvivesTheRoundTrip)
{
    Welcome welcome;
    welcome.description.dwSize = sizeof(DPSESSIONDESC);
    welcome.description.dwSession = 77;
    std::strcpy(welcome.description.szSessionName, "Alice");
    welcome.players = {{1, "Alice", std::nullopt}, {2, "Bob", "Robert"}};
    Bytes stream;
    for (const Frame& f : std::vector<Frame>{Hello{{}, 77, "pw"}, welcome, Data{2, 1, {'M', 'a'}}, KeepAlive{},
                                             DeletePlayer{2}, Bye{}}) {
        auto bytes = encode(f);
        stream.insert(stream.end(), bytes.begin(), bytes.end());
    }
    FrameReader::Status last;
    auto frames = readAll(stream, &last);
    EXPECT_EQ(last, FrameReader::Status::NeedMore);
    ASSERT_EQ(frames.size(), 6u);
    EXPECT_EQ(std::get<Hello>(frames[0]).password, "pw");
    EXPECT_EQ(std::get<Welcome>(frames[1]).players, welcome.players);
    EXPECT_STREQ(std::get<Welcome>(frames[1]).description.szSessionName, "Alice");
    EXPECT_EQ(std::get<Data>(frames[2]).payload, (Bytes{'M', 'a'}));
    EXPECT_EQ(std::get<DeletePlayer>(frames[4]).id, 2u);
}

TEST(WireFrames, AFrameSplitAcrossReadsWaitsForItsTail)
{
    auto bytes = encode(Data{2, 1, Bytes(100, 'x')});
    FrameReader reader;
    Frame frame;
    reader.feed({bytes.data(), 50});
    EXPECT_EQ(reader.next(frame), FrameReader::Status::NeedMore);
    reader.feed({bytes.data() + 50, bytes.size() - 50});
    ASSERT_EQ(reader.next(frame), FrameReader::Status::Ready);
    EXPECT_EQ(std::get<Data>(frame).payload.size(), 100u);
}

TEST(WireFrames, AWelcomeToTheFullestSessionStillFitsOneFrame)
{
    Welcome welcome;
    const std::string longest(kMaxNameBytes, 'n');
    for (DPID id = 1; id <= kMaxPlayersInList; ++id)
        welcome.players.push_back({id, longest, longest});
    auto frames = readAll(encode(welcome));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(std::get<Welcome>(frames[0]).players.size(), kMaxPlayersInList);
}

TEST(WireHostile, ALengthBeyondTheCapBreaksTheStreamAtOnce)
{
    Bytes huge = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(statusOf(huge), FrameReader::Status::Broken);
    auto oversized = encode(Data{2, 1, Bytes(kMaxMessageSize + 1, 'x')});
    EXPECT_EQ(statusOf(oversized), FrameReader::Status::Broken);
}

TEST(WireHostile, AMessageAtTheCapIsAccepted)
{
    auto largest = encode(Data{2, 1, Bytes(kMaxMessageSize, 'x')});
    EXPECT_EQ(readAll(largest).size(), 1u);
}

TEST(WireHostile, ShortWrongVersionOrUnknownFramesAreRefused)
{
    EXPECT_EQ(statusOf(body({})), FrameReader::Status::Broken);
    EXPECT_EQ(statusOf(body({kVersion})), FrameReader::Status::Broken);
    EXPECT_EQ(statusOf(body({2, 9})), FrameReader::Status::Broken);         // a later version
    EXPECT_EQ(statusOf(body({kVersion, 200})), FrameReader::Status::Broken); // no such kind
    EXPECT_EQ(statusOf(body({kVersion, 7, 1, 0})), FrameReader::Status::Broken); // id cut short
    EXPECT_EQ(statusOf(body({kVersion, 9, 0})), FrameReader::Status::Broken);    // bytes left over
}

TEST(WireHostile, NamesMustFitAndHoldNoTerminator)
{
    EXPECT_EQ(statusOf(body({kVersion, 6, 1, 0, 0, 0, 0x00, 0x01, 'a'})), FrameReader::Status::Broken); // 256 bytes said
    EXPECT_EQ(statusOf(body({kVersion, 6, 1, 0, 0, 0, 2, 0, 'a', 0, 0xFF, 0xFF})), FrameReader::Status::Broken);
    EXPECT_EQ(readAll(body({kVersion, 6, 1, 0, 0, 0, 2, 0, 'a', 'b', 0xFF, 0xFF})).size(), 1u)
        << "a well-formed add-player";
}

TEST(WireHostile, AWelcomeCannotPromiseMorePlayersThanItHolds)
{
    Welcome welcome;
    welcome.players = {{1, "Alice", "Alice"}};
    auto bytes = encode(welcome);
    bytes[4 + 2 + sizeof(DPSESSIONDESC)] = 5; // claims five players, holds one
    EXPECT_EQ(statusOf(bytes), FrameReader::Status::Broken);
}

TEST(WireHostile, OnceBrokenTheReaderStaysBroken)
{
    FrameReader reader;
    Frame frame;
    reader.feed(Bytes{0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(reader.next(frame), FrameReader::Status::Broken);
    reader.feed(encode(KeepAlive{}));
    EXPECT_EQ(reader.next(frame), FrameReader::Status::Broken);
}

TEST(WireHostile, DescriptionTextsAreAlwaysTerminatedInsideTheirFields)
{
    Welcome welcome;
    std::memset(welcome.description.szSessionName, 'A', sizeof welcome.description.szSessionName);
    std::memset(welcome.description.szPassword, 'P', sizeof welcome.description.szPassword);
    auto frames = readAll(encode(welcome));
    ASSERT_EQ(frames.size(), 1u);
    const auto& d = std::get<Welcome>(frames[0]).description;
    EXPECT_EQ(strnlen(d.szSessionName, sizeof d.szSessionName), sizeof d.szSessionName - 1);
    EXPECT_EQ(strnlen(d.szPassword, sizeof d.szPassword), sizeof d.szPassword - 1);
    EXPECT_EQ(d.dwSize, sizeof(DPSESSIONDESC));
}

TEST(WireDatagrams, ARequestIsAsLargeAsTheReplyItEarns)
{
    EnumReply reply;
    reply.tcpPort = 4000;
    EXPECT_EQ(encodeRequest({1, {}}).size(), encodeReply(reply).size());
}

TEST(WireDatagrams, RequestAndReplyRoundTrip)
{
    GUID app{0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    auto request = decodeRequest(encodeRequest({99, app}));
    ASSERT_TRUE(request);
    EXPECT_EQ(request->nonce, 99u);
    EXPECT_EQ(request->application, app);
    EnumReply reply;
    reply.nonce = 99;
    reply.tcpPort = 4000;
    reply.acceptingPlayers = true;
    reply.description.dwSession = 5;
    auto back = decodeReply(encodeReply(reply));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->tcpPort, 4000);
    EXPECT_TRUE(back->acceptingPlayers);
    EXPECT_EQ(back->description.dwSession, 5u);
}

TEST(WireDatagrams, ForeignOrMalformedDatagramsAreIgnored)
{
    auto request = encodeRequest({1, {}});
    EXPECT_FALSE(decodeReply(request)); // a question is no answer
    request[0] = 'X';
    EXPECT_FALSE(decodeRequest(request));
    EXPECT_FALSE(decodeRequest(Bytes(10, 0)));
    EnumReply reply;
    reply.tcpPort = 0;
    EXPECT_FALSE(decodeReply(encodeReply(reply))); // nowhere to connect
}
