#pragma once
// What the server keeps across a restart, and the small interface of the place that keeps it.
// Poll times are not kept: after a restart every side counts as having just polled.
#include "netplay/wire/Requests.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace server {

// Ended: a side quit (or left the room after someone joined). HostGone and JoinerGone: that side
// fell silent and the other won by default; the silent side's next poll is told the connection
// failed.
enum class GameState : int { Waiting = 0, Joined = 1, Ended = 2, HostGone = 3, JoinerGone = 4 };

struct GameRow {
    std::uint64_t id = 0;
    std::string hostToken;
    std::string name;
    std::string location;
    int played = 0;
    int wins = 0;
    bool isPrivate = false;
    std::string password;
    int waitSeconds = 0;
    std::int64_t createdMs = 0;
    GameState state = GameState::Waiting;
    std::string joinerToken;
};

struct MailRecord {
    std::uint64_t seq = 0;
    netplay::wire::PostKind kind = netplay::wire::PostKind::Chat;
    std::string payload; // as posted; free text is made safe only when a reply is put together
};

using Box = netplay::wire::Side; // whose mailbox: Host is "s", Joiner is "c"

// One change of the kept state. A plain record rather than a variant: the store switches on `type`.
struct Change {
    enum class Type { PutGame, DropGame, AppendRecord, RemoveRecord, SetNextNumber };
    Type type = Type::PutGame;
    GameRow row;              // PutGame
    std::uint64_t game = 0;   // DropGame, AppendRecord, RemoveRecord
    Box box = Box::Host;      // AppendRecord, RemoveRecord
    MailRecord record;        // AppendRecord
    std::uint64_t number = 0; // RemoveRecord: the sequence removed; SetNextNumber: the next game number

    static Change putGame(GameRow row);
    static Change dropGame(std::uint64_t game);
    static Change appendRecord(std::uint64_t game, Box box, MailRecord record);
    static Change removeRecord(std::uint64_t game, Box box, std::uint64_t seq);
    static Change setNextNumber(std::uint64_t next);
};

struct StoredRecord {
    std::uint64_t game = 0;
    Box box = Box::Host;
    MailRecord record;
};

struct StoredState {
    std::vector<GameRow> games;
    std::vector<StoredRecord> records; // in sequence order within each mailbox
    std::uint64_t nextNumber = 1;
};

class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Store {
public:
    virtual ~Store() = default;
    virtual StoredState load() = 0;
    // Applies the changes as one unit; when it returns they survive a crash. Throws StoreError.
    virtual void apply(const std::vector<Change>& changes) = 0;
};

// Where the service hands its changes: `done(true)` once they are durable, `done(false)` when
// they could not be stored. Submissions are applied in the order they arrive.
class ChangeSink {
public:
    virtual ~ChangeSink() = default;
    virtual void submit(std::vector<Change> changes, std::function<void(bool durable)> done) = 0;
    // Called from inside a `done(false)`: every submission still waiting for its commit is given up
    // and reported `done(false)` too, since it was made on top of the changes that failed.
    virtual void cancelPending() {}
};

// Applies each submission at once on the caller's thread (tests, the fuzz target).
class ImmediateSink final : public ChangeSink {
public:
    explicit ImmediateSink(Store* store) : m_store(store) {}
    void submit(std::vector<Change> changes, std::function<void(bool durable)> done) override;

private:
    Store* m_store; // may be null: changes are then dropped and reported durable
};

} // namespace server
