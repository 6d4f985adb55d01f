#pragma once
// How the game reads the server's replies: the waiting list, the answers to entering and joining,
// and the mailbox with its records in the order the poll applies them. Every reader takes any
// text at all (an empty reply after a failed transfer, a cut-off page, a hostile server) and gives
// back only what it could read whole.
#include "netplay/wire/Records.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace netplay {

// readwait.
struct ListingRead {
    enum class Status {
        SocketError,        // the server could not reach its listing
        ServerUnreachable,  // "Unable to open"
        Listed,             // the entries below; none means an empty room
    };
    Status status = Status::Listed;
    std::vector<wire::WaitingEntry> entries;
};
ListingRead readListing(std::string_view reply);

// joinwait.
struct EntryRead {
    enum class Outcome {
        RoomFull,  // "***--FULL--***"
        Entered,   // "***--ENTRY--***" with a readable game number
        NoEntry,   // neither: the dialog stays as it is
    };
    Outcome outcome = Outcome::NoEntry;
    std::string gameId;  // set when entered: trimmed, never empty, no blanks inside
};
EntryRead readEntry(std::string_view reply);

// joingame.
enum class JoinOutcome {
    BadPassword,  // "*BADPASSWORD*"
    Joined,       // "-JOINED-"
    NotJoined,    // neither
};
JoinOutcome readJoin(std::string_view reply);

// getdata, read in the order the poll applies it: a socket error or an empty mailbox stands alone;
// a quit keeps the chat line before it and drops every record after it.
struct MailboxRead {
    bool socketError = false;
    bool nothingWaiting = false;
    std::optional<std::string> chat;         // the first chat line
    bool quit = false;
    std::optional<std::string> photoLink;    // the link as posted
    std::optional<wire::MoveRead> move;      // only a well-formed move: letter a-z, cell 0-41
    std::optional<wire::PlayerInfoRead> playData;   // the host's details
    std::optional<wire::PlayerInfoRead> startGame;  // an opponent has joined
};
MailboxRead readMailbox(std::string_view reply);

// A post was written: "WRITE*OK" anywhere in the reply.
bool postWritten(std::string_view reply);

// The waiting list's line of one entry: fixed-pitch columns of 11, 27, 29, 10 and 9 characters,
// then the private flag. A field as long as its column or longer is neither padded nor cut.
std::string waitingListLine(const wire::WaitingEntry& entry);

// A list line read back by its columns, each trimmed.
struct ListedGame {
    bool selectable = false;  // a line shorter than 50 characters names no game
    std::string gameId;       // characters 1-11
    std::string playerId;     // 12-38
    std::string location;     // 39-67
    std::string privateFlag;  // 86 to the end; "YES" for a private game
};
ListedGame readWaitingListLine(std::string_view line);

} // namespace netplay
