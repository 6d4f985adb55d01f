#pragma once
// The game server's rules: the waiting room, joining, the two mailboxes of each game, expiry.
// It reads a request's target ("/Tessarine/getdata.mv?s17") and answers with the reply body; it
// knows no sockets. State lives in memory; every change that a reply vouches for goes to the
// change sink first, and the reply is handed out only once the sink reports it durable. When the
// sink reports a failure, memory goes back to what it was before that request, and before every
// later one still waiting for its commit.
#include "server/Clock.h"
#include "server/Config.h"
#include "server/Store.h"

#include <cstdint>

#include <deque>
#include <functional>
#include <optional>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace server {

struct Reply {
    int status = 200;
    std::string body;
    std::string refusal; // why the request was refused; empty when it was served
};

class GameService {
public:
    using Done = std::function<void(Reply)>;

    GameService(ServiceConfig config, Clock& clock, ChangeSink& sink);

    // Takes over what the store kept; every side then counts as having just polled.
    void restore(const StoredState& state);

    // Answers one request. `done` runs exactly once, on this thread or, when the reply waits for
    // a commit, on the thread that finished the commit.
    void handle(std::string_view target, Done done);

    // Applies the clock to every game: expired entries leave the room, silent sides are taken as
    // gone, idle games are removed.
    void sweep();

    std::size_t gameCount() const;

    // What of a request's target may be written to a log: the whole target, or only its path when
    // the request can carry a password.
    static std::string loggableTarget(std::string_view target);

private:
    struct Game {
        GameRow row;
        std::vector<MailRecord> boxes[2]; // at most a mailbox's bound each; empty ones cost no allocation
        std::uint64_t nextSeq[2] = {1, 1};
        std::int64_t lastHeard[2] = {0, 0}; // the last request of each side
        std::int64_t lastRequest = 0;
    };
    struct Outcome {
        Reply reply;
        std::vector<Change> changes;
    };
    // What memory held before one submission changed it.
    struct Undo {
        std::uint64_t submission = 0;
        std::uint64_t nextNumber = 0;
        std::vector<std::pair<std::uint64_t, std::optional<Game>>> games; // absent: the game did not exist
    };

    struct Request {
        netplay::wire::Script script = netplay::wire::Script::ReadWait;
        std::vector<std::string> fields;
    };
    // The target read into its script and fields; a reply instead when its form is refused (or
    // when it needs none of the state: the update check).
    std::optional<Reply> parse(std::string_view target, Request& request) const;
    Outcome dispatch(const Request& request);
    Outcome readWait(std::int64_t now);
    Outcome joinWait(const std::vector<std::string>& fields, std::int64_t now);
    Outcome joinGame(const std::vector<std::string>& fields, std::int64_t now);
    Outcome exitWait(const std::vector<std::string>& fields, std::int64_t now);
    Outcome getData(const std::vector<std::string>& fields, std::int64_t now);
    Outcome postData(const std::vector<std::string>& fields, std::int64_t now);
    Reply updates(std::string_view query) const;

    // The game, after the clock has been applied to it; null when it is unknown or was removed.
    // `heard` is the side making the request, which is plainly not silent.
    Game* liveGame(std::uint64_t id, std::int64_t now, std::vector<Change>& changes,
                   std::optional<Box> heard = std::nullopt);
    bool refresh(Game& game, std::int64_t now, std::vector<Change>& changes);
    void drop(std::uint64_t id, std::vector<Change>& changes);
    void endWithQuit(Game& game, Box to, std::vector<Change>& changes, GameState ending = GameState::Ended);
    void append(Game& game, Box box, netplay::wire::PostKind kind, std::string payload, std::vector<Change>& changes);
    bool expired(const Game& game, std::int64_t now) const;
    std::size_t openEntries(std::int64_t now) const;

    // Keeps the game as it is now for the submission being recorded, once per game.
    void remember(std::uint64_t id);
    // Hands the changes to the sink; `then` runs once the outcome is known.
    void submit(Undo undo, std::vector<Change> changes, std::function<void(bool durable)> then);
    void settle(std::uint64_t submission, bool durable);
    void undo(const Undo& undo);

    ServiceConfig m_config;
    Clock& m_clock;
    ChangeSink& m_sink;
    // Recursive: a sink may report a commit from inside submit(), while the request holds it.
    mutable std::recursive_mutex m_mutex;
    std::unordered_map<std::uint64_t, Game> m_games;
    std::set<std::uint64_t> m_waiting; // numbers grow with time, so this is oldest first
    std::uint64_t m_nextNumber = 1;
    std::deque<Undo> m_unsettled; // submissions not yet known durable, oldest first
    Undo* m_recording = nullptr;  // the submission the running request fills
    std::uint64_t m_nextSubmission = 1;
};

// A reply body: the fixed prefix and the text.
std::string replyBody(std::string_view text);

} // namespace server
