#include "server/GameService.h"

#include "netplay/wire/Records.h"
#include "platform/text/Cp1252.h"
#include "server/ReplyText.h"

#include <algorithm>
#include <array>

namespace server {

namespace wire = netplay::wire;
using wire::Marker;
using wire::PostKind;

namespace {

constexpr std::uint64_t kLargestGameNumber = 9'999'999'999ULL; // ten digits

int boxIndex(Box box) { return box == Box::Host ? 0 : 1; }
Box otherBox(Box box) { return box == Box::Host ? Box::Joiner : Box::Host; }

std::string trimmed(std::string_view text) { return std::string(wire::trimBlanks(text)); }

// Valid UTF-8 within its length.
bool acceptableLine(std::string_view text, std::size_t minChars, std::size_t maxChars) {
    if (!platform::text::utf8ToUtf16(text)) return false;
    const auto length = platform::text::utf8Length(text);
    return length >= minChars && length <= maxChars;
}

// Free text as the players' file can hold it: Windows-1252 as well.
bool acceptableText(std::string_view text, std::size_t minChars, std::size_t maxChars) {
    return platform::text::fitsCp1252(text) && acceptableLine(text, minChars, maxChars);
}

bool isEnded(GameState state) {
    return state == GameState::Ended || state == GameState::HostGone || state == GameState::JoinerGone;
}

GameState goneState(Box side) { return side == Box::Host ? GameState::HostGone : GameState::JoinerGone; }

// A whole number from 0 to 32767, digits only.
std::optional<int> counter(std::string_view text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > 32767) return std::nullopt;
    return value;
}

// A counter of a player block as the game writes it (16-bit, may be negative); anything else is 0.
std::string blockCounter(const std::optional<std::string>& text) {
    if (!text || text->empty() || text->size() > 6) return "0";
    std::string_view digits = *text;
    const bool negative = digits.front() == '-';
    if (negative) digits.remove_prefix(1);
    if (digits.empty()) return "0";
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return "0";
        value = value * 10 + (c - '0');
    }
    if (value > (negative ? 32768 : 32767)) return "0";
    return std::to_string(negative ? -value : value);
}

Reply served(std::string_view text) { return Reply{200, replyBody(text), {}}; }

Reply refused(std::string why, int status = 200) {
    Reply reply{status, replyBody("refused: " + why), {}};
    reply.refusal = std::move(why);
    return reply;
}

// The order in which records stand in one mailbox reply: the player blocks first and chat last,
// so no free text stands between a block's markers and the start of the reply.
constexpr std::array<PostKind, 6> kReplyOrder{PostKind::Start, PostKind::Data, PostKind::Move,
                                              PostKind::PicUrl, PostKind::Quit, PostKind::Chat};

// The markers the game tests in every mailbox reply, whatever it carries.
constexpr std::array<Marker, 8> kMailboxMarkers{Marker::SocketError, Marker::FileNotFound, Marker::Chat,
                                                Marker::QuitGame,    Marker::PicUrl,       Marker::Move,
                                                Marker::PlayData,    Marker::StartGame};

// Scripts whose fields never hold a password, so their whole target may be logged.
constexpr std::array<wire::Script, 5> kLoggableScripts{wire::Script::ReadWait, wire::Script::ExitWait,
                                                       wire::Script::GetData, wire::Script::PostData,
                                                       wire::Script::Updates};

std::optional<wire::Script> scriptOf(std::string_view path) {
    if (path.size() <= wire::kPathPrefix.size() + wire::kPathSuffix.size() || !path.starts_with(wire::kPathPrefix) ||
        !path.ends_with(wire::kPathSuffix))
        return std::nullopt;
    return wire::scriptFromName(
        path.substr(wire::kPathPrefix.size(), path.size() - wire::kPathPrefix.size() - wire::kPathSuffix.size()));
}

// One mailbox record, in parts: the player blocks carry free text between their field markers.
void addRecord(ReplyText& reply, PostKind kind, const MailRecord& record) {
    const auto& info = wire::postKindInfo(kind);
    reply.own(markerText(info.replyMarker));
    if (!info.hasPayload) return;
    reply.own(" ");
    if (kind == PostKind::Start || kind == PostKind::Data) {
        const auto read = wire::readPostedPlayerInfo(record.payload);
        // Blanks around each text field keep a name ending in "j" from running into the closing
        // "jjj"; the game trims every field it reads.
        const std::array<std::optional<std::string>, 6> values{read.name,   read.location, read.played,
                                                               read.won,    read.lost,     read.tied};
        for (std::size_t i = 0; i < values.size(); ++i) {
            reply.own(wire::playerInfoFields()[i].open);
            if (i < 2) {
                reply.own(" ").free(values[i].value_or("")).own(" ");
            } else {
                reply.own(values[i].value_or("0"));
            }
            reply.own(wire::playerInfoFields()[i].close);
        }
        return;
    }
    reply.own(info.payloadOpen);
    if (kind == PostKind::Move) {
        reply.own(record.payload);
    } else {
        reply.free(record.payload);
    }
    reply.own(info.payloadClose);
}

} // namespace

std::string replyBody(std::string_view text) {
    std::string body(wire::kReplyPrefix);
    body += text;
    return body;
}

GameService::GameService(ServiceConfig config, Clock& clock, ChangeSink& sink)
    : m_config(std::move(config)), m_clock(clock), m_sink(sink) {}

void GameService::restore(const StoredState& state) {
    std::lock_guard lock(m_mutex);
    const auto now = m_clock.nowMs();
    m_games.clear();
    m_waiting.clear();
    m_nextNumber = std::max<std::uint64_t>(state.nextNumber, 1);
    for (const auto& row : state.games) {
        auto& game = m_games[row.id];
        game.row = row;
        game.lastHeard[0] = game.lastHeard[1] = now;
        game.lastRequest = now;
        if (row.state == GameState::Waiting) m_waiting.insert(row.id);
        m_nextNumber = std::max(m_nextNumber, row.id + 1);
    }
    for (const auto& stored : state.records) {
        const auto found = m_games.find(stored.game);
        if (found == m_games.end()) continue;
        const int index = boxIndex(stored.box);
        found->second.boxes[index].push_back(stored.record);
        found->second.nextSeq[index] = std::max(found->second.nextSeq[index], stored.record.seq + 1);
    }
}

void GameService::handle(std::string_view target, Done done) {
    // Reading the target needs no lock: requests wait for each other only while the rules run.
    Request request;
    if (auto early = parse(target, request)) {
        done(std::move(*early));
        return;
    }
    std::unique_lock lock(m_mutex);
    Undo before{0, m_nextNumber, {}};
    m_recording = &before;
    Outcome outcome = dispatch(request);
    m_recording = nullptr;
    if (outcome.changes.empty()) {
        lock.unlock();
        done(std::move(outcome.reply));
        return;
    }
    // Submitted under the lock, so the store sees changes in the order the rules made them.
    submit(std::move(before), std::move(outcome.changes),
           [reply = std::move(outcome.reply), done = std::move(done)](bool durable) mutable {
               done(durable ? std::move(reply) : refused("storage failure", 503));
           });
}

void GameService::sweep() {
    std::lock_guard lock(m_mutex);
    const auto now = m_clock.nowMs();
    std::vector<Change> changes;
    std::vector<std::uint64_t> ids;
    ids.reserve(m_games.size());
    for (const auto& [id, game] : m_games) ids.push_back(id);
    Undo before{0, m_nextNumber, {}};
    m_recording = &before;
    for (const auto id : ids) liveGame(id, now, changes);
    m_recording = nullptr;
    if (!changes.empty()) submit(std::move(before), std::move(changes), [](bool) {});
}

std::size_t GameService::gameCount() const {
    std::lock_guard lock(m_mutex);
    return m_games.size();
}

std::string GameService::loggableTarget(std::string_view target) {
    const auto path = target.substr(0, target.find('?'));
    const auto script = scriptOf(path);
    if (script && std::find(kLoggableScripts.begin(), kLoggableScripts.end(), *script) != kLoggableScripts.end())
        return std::string(target.substr(0, 200));
    return std::string(path.substr(0, 200));
}

void GameService::remember(std::uint64_t id) {
    if (!m_recording) return;
    for (const auto& kept : m_recording->games)
        if (kept.first == id) return;
    const auto found = m_games.find(id);
    m_recording->games.emplace_back(id, found == m_games.end() ? std::nullopt : std::optional<Game>(found->second));
}

void GameService::submit(Undo before, std::vector<Change> changes, std::function<void(bool durable)> then) {
    before.submission = m_nextSubmission++;
    const auto submission = before.submission;
    m_unsettled.push_back(std::move(before));
    m_sink.submit(std::move(changes), [this, submission, then = std::move(then)](bool durable) {
        settle(submission, durable);
        then(durable);
    });
}

void GameService::settle(std::uint64_t submission, bool durable) {
    std::lock_guard lock(m_mutex);
    const auto found = std::find_if(m_unsettled.begin(), m_unsettled.end(),
                                    [&](const Undo& u) { return u.submission == submission; });
    if (found == m_unsettled.end()) return; // already undone with an earlier failure
    if (durable) {
        m_unsettled.erase(found);
        return;
    }
    // Everything submitted from this one on was worked out on top of it: undo newest first, and
    // give up the later commits too, so memory and the store agree.
    while (m_unsettled.size() > static_cast<std::size_t>(found - m_unsettled.begin())) {
        undo(m_unsettled.back());
        m_unsettled.pop_back();
    }
    m_sink.cancelPending();
}

void GameService::undo(const Undo& before) {
    for (const auto& [id, kept] : before.games) {
        const auto now = m_games.find(id);
        if (!kept) {
            if (now != m_games.end()) m_games.erase(now);
            m_waiting.erase(id);
            continue;
        }
        Game restored = *kept;
        if (now != m_games.end()) {
            // Requests that changed nothing durable (a poll of an empty mailbox) still showed the
            // side was there.
            for (int i = 0; i < 2; ++i) restored.lastHeard[i] = std::max(restored.lastHeard[i], now->second.lastHeard[i]);
            restored.lastRequest = std::max(restored.lastRequest, now->second.lastRequest);
        }
        if (restored.row.state == GameState::Waiting) {
            m_waiting.insert(id);
        } else {
            m_waiting.erase(id);
        }
        m_games[id] = std::move(restored);
    }
    m_nextNumber = before.nextNumber;
}

std::optional<Reply> GameService::parse(std::string_view target, Request& request) const {
    if (target.size() > m_config.limits.maxTargetBytes) return refused("request too large", 414);
    const auto mark = target.find('?');
    const auto path = target.substr(0, mark);
    const bool hasQuery = mark != std::string_view::npos;
    const auto query = hasQuery ? target.substr(mark + 1) : std::string_view{};

    const auto script = scriptOf(path);
    if (!script) return Reply{404, replyBody("not found"), "no such script"};
    request.script = *script;
    if (*script == wire::Script::ReadWait) return std::nullopt;
    if (*script == wire::Script::Updates) return updates(query);
    if (!hasQuery) return refused("no fields", 400);
    auto fields = wire::splitQuery(query);
    if (!fields) return refused("bad field encoding", 400);
    request.fields = std::move(*fields);
    return std::nullopt;
}

GameService::Outcome GameService::dispatch(const Request& request) {
    const auto now = m_clock.nowMs();
    const auto& fields = request.fields;
    switch (request.script) {
    case wire::Script::ReadWait: return readWait(now);
    case wire::Script::JoinWait: return joinWait(fields, now);
    case wire::Script::JoinGame: return joinGame(fields, now);
    case wire::Script::ExitWait: return exitWait(fields, now);
    case wire::Script::GetData: return getData(fields, now);
    case wire::Script::PostData: return postData(fields, now);
    default: break;
    }
    return {refused("no such script", 404), {}};
}

GameService::Outcome GameService::readWait(std::int64_t now) {
    ReplyText listing;
    listing.search(markerText(Marker::SocketError)).search(markerText(Marker::UnableToOpen));
    std::size_t listed = 0;
    for (const auto id : m_waiting) {
        const auto& game = m_games.at(id);
        if (expired(game, now)) continue;
        if (++listed > m_config.limits.roomCapacity) break;
        const auto& row = game.row;
        // A private game with no password asks nothing of the joiner: it is listed as public, so
        // whoever joins without typing anything gets in.
        const bool asksPassword = row.isPrivate && !row.password.empty();
        const std::array<std::string, 6> values{std::to_string(row.id), row.name, row.location,
                                                std::to_string(row.played), std::to_string(row.wins),
                                                asksPassword ? "YES" : "NO"};
        // The game searches each field's opener from the entry's start and its closer from the opener.
        const auto entryStart = listing.nextPart();
        for (std::size_t i = 0; i < values.size(); ++i) {
            const auto& field = wire::waitingFields()[i];
            const auto opener = listing.nextPart();
            listing.own(field.open);
            if (i == 1 || i == 2) {
                listing.free(values[i]);
            } else {
                listing.own(values[i]);
            }
            listing.own(field.close);
            listing.search(field.open, entryStart).search(field.close, opener);
        }
        listing.own("\n");
    }
    return {served(listing.finish()), {}};
}

GameService::Outcome GameService::joinWait(const std::vector<std::string>& fields, std::int64_t now) {
    const auto& limits = m_config.limits;
    // The game shows any refusal as a failed transfer, so it is never left waiting on silence.
    const auto refuse = [](std::string why) { return Outcome{refused(std::move(why), 400), {}}; };
    if (fields.size() != wire::scriptInfo(wire::Script::JoinWait).fieldCount) return refuse("joinwait needs eight fields");
    const auto token = trimmed(fields[0]);
    const auto name = trimmed(fields[1]);
    const auto location = trimmed(fields[2]);
    if (!acceptableText(token, 1, limits.maxTokenChars)) return refuse("bad player token");
    if (!acceptableText(name, 1, limits.maxNameChars)) return refuse("bad name");
    if (!acceptableText(location, 0, limits.maxNameChars)) return refuse("bad location");
    const auto played = counter(fields[3]);
    const auto wins = counter(fields[4]);
    if (!played || !wins) return refuse("bad counters");
    if (fields[5] != "YES" && fields[5] != "NO") return refuse("bad private flag");
    const bool isPrivate = fields[5] == "YES";
    const auto password = isPrivate ? trimmed(fields[6]) : std::string();
    if (isPrivate && !acceptableText(password, 0, limits.maxPasswordChars)) return refuse("bad password field");
    const auto wait = fields[7];
    if (wait != "120" && wait != "300" && wait != "600" && wait != "900") return refuse("bad wait time");

    if (openEntries(now) >= limits.roomCapacity || m_games.size() >= limits.maxGames ||
        m_nextNumber > kLargestGameNumber) {
        Reply full = served(wire::markerText(Marker::Full));
        full.refusal = "waiting room full";
        return {full, {}};
    }

    GameRow row;
    row.id = m_nextNumber++;
    row.hostToken = token;
    row.name = name;
    row.location = location;
    row.played = *played;
    row.wins = *wins;
    row.isPrivate = isPrivate;
    row.password = password;
    row.waitSeconds = std::stoi(wait);
    row.createdMs = now;
    row.state = GameState::Waiting;
    remember(row.id);
    auto& game = m_games[row.id];
    game.row = row;
    game.lastHeard[0] = game.lastHeard[1] = now;
    game.lastRequest = now;
    m_waiting.insert(row.id);

    std::string text(wire::markerText(Marker::Entry));
    text += wire::kGameIdOpen;
    text += std::to_string(row.id);
    text += wire::kGameIdClose;
    return {served(text), {Change::putGame(row), Change::setNextNumber(m_nextNumber)}};
}

GameService::Outcome GameService::joinGame(const std::vector<std::string>& fields, std::int64_t now) {
    if (fields.size() != wire::scriptInfo(wire::Script::JoinGame).fieldCount)
        return {refused("joingame needs three fields"), {}};
    const auto id = wire::parseGameNumber(trimmed(fields[0]));
    const auto token = trimmed(fields[1]);
    if (!acceptableText(token, 1, m_config.limits.maxTokenChars)) return {refused("bad player token"), {}};
    std::vector<Change> changes;
    Game* game = id ? liveGame(*id, now, changes) : nullptr;
    if (!game || game->row.state != GameState::Waiting) return {refused("no such waiting game"), changes};
    game->lastRequest = now;
    if (game->row.hostToken == token) return {refused("own entry"), changes};
    if (game->row.isPrivate && trimmed(fields[2]) != game->row.password) {
        Reply bad = served(wire::markerText(Marker::BadPassword));
        bad.refusal = "bad password";
        return {bad, changes};
    }
    remember(game->row.id);
    game->row.state = GameState::Joined;
    game->row.joinerToken = token;
    game->lastHeard[0] = game->lastHeard[1] = now;
    m_waiting.erase(game->row.id);
    changes.push_back(Change::putGame(game->row));
    return {served(wire::markerText(Marker::Joined)), std::move(changes)};
}

GameService::Outcome GameService::exitWait(const std::vector<std::string>& fields, std::int64_t now) {
    if (fields.size() != wire::scriptInfo(wire::Script::ExitWait).fieldCount)
        return {refused("exitwait needs one field"), {}};
    const auto id = wire::parseGameNumber(trimmed(fields[0]));
    std::vector<Change> changes;
    Game* game = id ? liveGame(*id, now, changes, Box::Host) : nullptr;
    if (!game) return {refused("no such waiting game"), changes};
    if (game->row.state == GameState::Waiting) {
        drop(game->row.id, changes);
        return {served("withdrawn"), std::move(changes)};
    }
    if (game->row.state == GameState::Joined) {
        // Someone joined while the host was leaving: the joiner wins by default.
        game->lastRequest = now;
        endWithQuit(*game, Box::Joiner, changes);
        return {served("withdrawn"), std::move(changes)};
    }
    return {refused("no such waiting game"), changes};
}

GameService::Outcome GameService::getData(const std::vector<std::string>& fields, std::int64_t now) {
    const auto notFound = [] { return served(wire::markerText(Marker::FileNotFound)); };
    const bool oneField = fields.size() == wire::scriptInfo(wire::Script::GetData).fieldCount;
    const auto key = oneField ? wire::parseMailboxKey(trimmed(fields[0])) : std::nullopt;
    if (!key) {
        Reply reply = notFound();
        reply.refusal = "bad mailbox key";
        return {reply, {}};
    }
    std::vector<Change> changes;
    Game* game = liveGame(key->gameNumber, now, changes, key->reader);
    if (!game) return {notFound(), changes};
    // A side taken as gone after its silence is told its connection failed, which stops its poll;
    // the quit record would count it a second win.
    if (game->row.state == goneState(key->reader)) return {served(markerText(Marker::SocketError)), changes};
    const int index = boxIndex(key->reader);
    game->lastRequest = now;
    auto& box = game->boxes[index];
    if (box.empty()) return {notFound(), changes};

    // The oldest record of each kind, so a move never waits behind chat lines; the game reads only
    // the first record of a kind, so the others wait, in order, for the following polls. The game
    // applies nothing but a chat line from a reply that carries a quit, and polls no more after
    // it: a quit goes only once everything before it has gone, or with the last chat line before it.
    std::array<const MailRecord*, 6> carried{};
    std::array<std::size_t, 6> taken{}; // positions in the box, at most one record of each kind
    std::size_t takenCount = 0;
    bool leftWaiting = false;
    bool beyondChat = false;
    for (std::size_t i = 0; i < box.size(); ++i) {
        const auto& record = box[i];
        if (record.kind == PostKind::Quit) {
            if (leftWaiting || beyondChat) break;
        } else if (carried[static_cast<std::size_t>(record.kind)]) {
            leftWaiting = true;
            continue;
        }
        carried[static_cast<std::size_t>(record.kind)] = &record;
        taken[takenCount++] = i;
        if (record.kind == PostKind::Quit) break; // the last record the box takes
        if (record.kind != PostKind::Chat) beyondChat = true;
    }
    ReplyText text;
    text.own("\n");
    for (const auto marker : kMailboxMarkers) text.search(markerText(marker));
    for (const auto kind : kReplyOrder) {
        const auto* record = carried[static_cast<std::size_t>(kind)];
        if (!record) continue;
        addRecord(text, kind, *record);
        text.own("\n");
        // The game cuts a record's payload, or reads a block's fields, only when the reply
        // carries that record.
        const auto& info = wire::postKindInfo(kind);
        if (!info.payloadOpen.empty()) text.search(info.payloadOpen).search(info.payloadClose);
        if (kind == PostKind::Start || kind == PostKind::Data) {
            for (std::size_t f = 0; f < 6; ++f)
                text.search(wire::playerInfoFields()[f].open).search(wire::playerInfoFields()[f].close);
        }
    }
    remember(game->row.id);
    while (takenCount > 0) {
        const auto at = taken[--takenCount];
        changes.push_back(Change::removeRecord(game->row.id, key->reader, box[at].seq));
        box.erase(box.begin() + static_cast<std::ptrdiff_t>(at));
    }
    return {served(text.finish()), std::move(changes)};
}

GameService::Outcome GameService::postData(const std::vector<std::string>& fields, std::int64_t now) {
    const auto& limits = m_config.limits;
    if (fields.size() < 2) return {refused("postdata needs a key and a kind"), {}};
    const auto key = wire::parseMailboxKey(trimmed(fields[0]));
    if (!key) return {refused("bad mailbox key"), {}};
    const auto kind = wire::postKindFromName(fields[1]);
    if (!kind) return {refused("unknown kind of post"), {}};
    const auto& info = wire::postKindInfo(*kind);
    if (fields.size() != (info.hasPayload ? 3u : 2u)) return {refused("wrong number of fields"), {}};

    std::string payload;
    switch (*kind) {
    case PostKind::Move: {
        const auto move = wire::parseMovePayload(fields[2]);
        if (!move) return {refused("bad move"), {}};
        payload = wire::movePayload(static_cast<char>('a' + move->letter), move->cell);
        break;
    }
    case PostKind::Chat: {
        payload = trimmed(fields[2]);
        if (!acceptableLine(payload, 1, limits.maxChatChars)) return {refused("chat line not acceptable"), {}};
        break;
    }
    case PostKind::PicUrl: {
        payload = trimmed(fields[2]);
        if (!acceptableText(payload, 1, limits.maxLinkChars)) return {refused("photo link not acceptable"), {}};
        break;
    }
    case PostKind::Start:
    case PostKind::Data: {
        const auto read = wire::readPostedPlayerInfo(fields[2]);
        const auto name = read.name.value_or("");
        const auto location = read.location.value_or("");
        if (!read.name || !acceptableText(name, 1, limits.maxNameChars) ||
            !acceptableText(location, 0, limits.maxNameChars))
            return {refused("bad player block"), {}};
        // Kept with a blank on each side of the two texts, so the strict reading gives them back
        // exactly: no separator can run across a blank.
        const std::array<std::string, 6> values{" " + name + " ",          " " + location + " ",
                                                blockCounter(read.played), blockCounter(read.won),
                                                blockCounter(read.lost),   blockCounter(read.tied)};
        for (std::size_t i = 0; i < values.size(); ++i) {
            payload += wire::playerInfoFields()[i].open;
            payload += values[i];
            payload += wire::playerInfoFields()[i].close;
        }
        break;
    }
    case PostKind::Quit: break;
    }

    std::vector<Change> changes;
    Game* game = liveGame(key->gameNumber, now, changes, otherBox(key->reader));
    if (!game) return {refused("unknown game"), changes};
    game->lastRequest = now;
    const auto writeOk = served(wire::markerText(Marker::WriteOk));
    if (game->row.state == GameState::Waiting) return {refused("game not started"), changes};
    // The other side has left: what is posted now has no reader. It is still acknowledged, since
    // a move post that keeps failing would end the poster's program.
    if (isEnded(game->row.state)) return {writeOk, changes};

    if (game->boxes[boxIndex(key->reader)].size() >= limits.mailboxCapacity)
        return {refused("mailbox full"), changes};
    if (*kind == PostKind::Quit) {
        endWithQuit(*game, key->reader, changes);
    } else {
        append(*game, key->reader, *kind, std::move(payload), changes);
    }
    return {writeOk, std::move(changes)};
}

Reply GameService::updates(std::string_view query) const {
    const auto version = wire::decodeField(query);
    return served(wire::markerText(version && *version == m_config.currentVersion ? Marker::Current : Marker::Updated));
}

GameService::Game* GameService::liveGame(std::uint64_t id, std::int64_t now, std::vector<Change>& changes,
                                          std::optional<Box> heard) {
    const auto found = m_games.find(id);
    if (found == m_games.end()) return nullptr;
    if (heard) found->second.lastHeard[boxIndex(*heard)] = now;
    if (!refresh(found->second, now, changes)) return nullptr;
    return &found->second;
}

bool GameService::refresh(Game& game, std::int64_t now, std::vector<Change>& changes) {
    const auto& timing = m_config.timing;
    if (now - game.lastRequest > timing.idleRemoveMs || (game.row.state == GameState::Waiting && expired(game, now))) {
        drop(game.row.id, changes);
        return false;
    }
    if (game.row.state == GameState::Joined) {
        for (const Box side : {Box::Host, Box::Joiner}) {
            if (now - game.lastHeard[boxIndex(side)] > timing.goneAfterMs) {
                endWithQuit(game, otherBox(side), changes, goneState(side));
                break;
            }
        }
    }
    return true;
}

void GameService::drop(std::uint64_t id, std::vector<Change>& changes) {
    remember(id);
    m_waiting.erase(id);
    m_games.erase(id);
    changes.push_back(Change::dropGame(id));
}

void GameService::endWithQuit(Game& game, Box to, std::vector<Change>& changes, GameState ending) {
    // The quit goes in even past the mailbox bound: it is the last record the box will ever take.
    append(game, to, PostKind::Quit, {}, changes);
    game.row.state = ending;
    changes.push_back(Change::putGame(game.row));
}

void GameService::append(Game& game, Box box, PostKind kind, std::string payload, std::vector<Change>& changes) {
    remember(game.row.id);
    const int index = boxIndex(box);
    MailRecord record{game.nextSeq[index]++, kind, std::move(payload)};
    changes.push_back(Change::appendRecord(game.row.id, box, record));
    game.boxes[index].push_back(std::move(record));
}

bool GameService::expired(const Game& game, std::int64_t now) const {
    return now >= game.row.createdMs + static_cast<std::int64_t>(game.row.waitSeconds) * 1000;
}

std::size_t GameService::openEntries(std::int64_t now) const {
    std::size_t open = 0;
    for (const auto id : m_waiting)
        if (!expired(m_games.at(id), now)) ++open;
    return open;
}

} // namespace server
