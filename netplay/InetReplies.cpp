#include "netplay/InetReplies.h"

namespace netplay {

namespace {

using wire::Marker;

// Columns are counted in characters, not bytes: a name with "ü" takes one column.
bool startsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text)
        if (startsCharacter(c)) ++count;
    return count;
}

// Byte offset of the 0-based character `index`; the text's size when it has fewer characters.
std::size_t byteOffset(std::string_view text, std::size_t index) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!startsCharacter(text[i])) continue;
        if (seen == index) return i;
        ++seen;
    }
    return text.size();
}

// Characters first..last (1-based, inclusive; last 0 = to the end), trimmed of blanks.
std::string column(std::string_view line, std::size_t first, std::size_t last = 0) {
    const std::size_t from = byteOffset(line, first - 1);
    const std::size_t to = last == 0 ? line.size() : byteOffset(line, last);
    if (from >= to) return {};
    return std::string(wire::trimBlanks(line.substr(from, to - from)));
}

void appendPadded(std::string& line, std::string_view field, std::size_t width) {
    line += field;
    const std::size_t used = characterCount(field);
    if (used < width) line.append(width - used, ' ');
}

} // namespace

ListingRead readListing(std::string_view reply) {
    ListingRead read;
    if (wire::hasMarker(reply, Marker::SocketError)) {
        read.status = ListingRead::Status::SocketError;
    } else if (wire::hasMarker(reply, Marker::UnableToOpen)) {
        read.status = ListingRead::Status::ServerUnreachable;
    } else {
        read.entries = wire::readWaitingList(reply);
    }
    return read;
}

EntryRead readEntry(std::string_view reply) {
    EntryRead read;
    if (wire::hasMarker(reply, Marker::Full)) {
        read.outcome = EntryRead::Outcome::RoomFull;
        return read;
    }
    // A game number that cannot be read would give mailbox keys naming no game: the entry is
    // then taken as not made, and the player may try again.
    const auto gameId = wire::readEntryGameId(reply);
    if (!gameId || gameId->empty() || gameId->find(' ') != std::string::npos) return read;
    read.outcome = EntryRead::Outcome::Entered;
    read.gameId = *gameId;
    return read;
}

JoinOutcome readJoin(std::string_view reply) {
    if (wire::hasMarker(reply, Marker::BadPassword)) return JoinOutcome::BadPassword;
    if (wire::hasMarker(reply, Marker::Joined)) return JoinOutcome::Joined;
    return JoinOutcome::NotJoined;
}

MailboxRead readMailbox(std::string_view reply) {
    MailboxRead read;
    if (wire::hasMarker(reply, Marker::SocketError)) {
        read.socketError = true;
        return read;
    }
    if (wire::hasMarker(reply, Marker::FileNotFound)) {
        read.nothingWaiting = true;
        return read;
    }
    read.chat = wire::readMailboxPayload(reply, wire::PostKind::Chat);
    if (wire::hasMarker(reply, Marker::QuitGame)) {
        read.quit = true;
        return read;
    }
    read.photoLink = wire::readMailboxPayload(reply, wire::PostKind::PicUrl);
    read.move = wire::readMove(reply);
    if (wire::hasMarker(reply, Marker::PlayData)) read.playData = wire::readPlayerInfoBlock(reply);
    if (wire::hasMarker(reply, Marker::StartGame)) read.startGame = wire::readPlayerInfoBlock(reply);
    return read;
}

bool postWritten(std::string_view reply) { return wire::hasMarker(reply, Marker::WriteOk); }

std::string waitingListLine(const wire::WaitingEntry& entry) {
    std::string line;
    appendPadded(line, entry.gameId, 11);
    appendPadded(line, entry.playerId, 27);
    appendPadded(line, entry.location, 29);
    appendPadded(line, entry.played, 10);
    appendPadded(line, entry.wins, 9);
    line += entry.privateFlag;
    return line;
}

ListedGame readWaitingListLine(std::string_view line) {
    ListedGame game;
    if (characterCount(line) < 50) return game;
    game.selectable = true;
    game.gameId = column(line, 1, 11);
    game.playerId = column(line, 12, 38);
    game.location = column(line, 39, 67);
    game.privateFlag = column(line, 86);
    return game;
}

} // namespace netplay
