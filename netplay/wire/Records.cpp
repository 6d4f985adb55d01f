#include "netplay/wire/Records.h"

#include <array>

namespace netplay::wire {

namespace {

constexpr std::array<PlayerInfoField, 6> kBlockFields{{
    {"xxx", "jjj"},
    {"hh*", "*qq"},
    {"cc*", "*ee"},
    {"rr*", "*pp"},
    {"tt*", "*vv"},
    {"mm*", "*aa"},
}};

constexpr std::array<WaitingField, 6> kEntryFields{{
    {"*$*", "$*$"},
    {"*#*", "#*#"},
    {"**#**", "##*##"},
    {"***#***", "###*###"},
    {"****#****", "####*####"},
    {"*****#*****", "#####*#####"},
}};

std::string field(std::string_view text) { return std::string(trimBlanks(text)); }

} // namespace

const PlayerInfoField* playerInfoFields() { return kBlockFields.data(); }
const WaitingField* waitingFields() { return kEntryFields.data(); }

std::string formatPlayerInfoBlock(const PlayerInfoBlock& block) {
    const std::array<std::string, 6> values{field(block.name),  field(block.location), field(block.played),
                                            field(block.won),   field(block.lost),     field(block.tied)};
    std::string out;
    for (std::size_t i = 0; i < kBlockFields.size(); ++i) {
        out += kBlockFields[i].open;
        out += values[i];
        out += kBlockFields[i].close;
    }
    return out;
}

PlayerInfoBlock playerInfoFromCounters(std::string_view name, std::string_view location, int played, int won,
                                       int lost, int tied) {
    return {std::string(name),       std::string(location), std::to_string(played),
            std::to_string(won),     std::to_string(lost),  std::to_string(tied)};
}

PlayerInfoRead readPlayerInfoBlock(std::string_view text) {
    PlayerInfoRead read;
    std::optional<std::string>* slots[] = {&read.name, &read.location, &read.played,
                                           &read.won,  &read.lost,     &read.tied};
    for (std::size_t i = 0; i < kBlockFields.size(); ++i)
        *slots[i] = cutTrimmed(text, kBlockFields[i].open, kBlockFields[i].close);
    return read;
}

PlayerInfoRead readPostedPlayerInfo(std::string_view text) {
    PlayerInfoRead read;
    std::optional<std::string>* slots[] = {&read.name, &read.location, &read.played,
                                           &read.won,  &read.lost,     &read.tied};
    auto from = positionOf(text, kBlockFields[0].open);
    if (from == 0) return read;
    from += kBlockFields[0].open.size();
    for (std::size_t i = 0; i < kBlockFields.size(); ++i) {
        std::string separator(kBlockFields[i].close);
        if (i + 1 < kBlockFields.size()) separator += kBlockFields[i + 1].open;
        const auto at = positionOf(text, separator, from);
        if (at == 0) break;
        *slots[i] = std::string(trimBlanks(text.substr(from - 1, at - from)));
        from = at + separator.size();
    }
    return read;
}

std::string formatWaitingEntry(const WaitingEntry& entry) {
    const std::array<const std::string*, 6> values{&entry.gameId, &entry.playerId, &entry.location,
                                                   &entry.played, &entry.wins,     &entry.privateFlag};
    std::string out;
    for (std::size_t i = 0; i < kEntryFields.size(); ++i) {
        out += kEntryFields[i].open;
        out += *values[i];
        out += kEntryFields[i].close;
    }
    return out;
}

std::vector<WaitingEntry> readWaitingList(std::string_view reply, std::size_t limit) {
    std::vector<WaitingEntry> entries;
    std::size_t start = 1;
    while (entries.size() < limit) {
        if (positionOf(reply, kEntryFields[0].open, start) == 0) break;
        WaitingEntry entry;
        std::string* slots[] = {&entry.gameId, &entry.playerId, &entry.location,
                                &entry.played, &entry.wins,     &entry.privateFlag};
        for (std::size_t i = 0; i < kEntryFields.size(); ++i)
            *slots[i] = cutTrimmed(reply, kEntryFields[i].open, kEntryFields[i].close, {start, true}).value_or("");
        entries.push_back(std::move(entry));

        // The private field's closer marks where the next entry's search begins; a listing whose
        // closer does not move forward ends here instead of reading the same entry again.
        const auto privateOpen = positionOf(reply, kEntryFields[5].open, start);
        const auto end = privateOpen == 0 ? 0 : positionOf(reply, kEntryFields[5].close, privateOpen);
        if (end <= start) break;
        if (positionOf(reply, markerText(Marker::MoreEntries), end) <= 1) break;
        start = end;
    }
    return entries;
}

std::optional<std::string> readEntryGameId(std::string_view reply) {
    if (!hasMarker(reply, Marker::Entry)) return std::nullopt;
    return cutTrimmed(reply, kGameIdOpen, kGameIdClose);
}

std::string formatMailboxRecord(PostKind kind, std::string_view payload) {
    const auto& info = postKindInfo(kind);
    std::string out(markerText(info.replyMarker));
    if (!info.hasPayload) return out;
    out += ' ';
    out += info.payloadOpen;
    out += payload;
    out += info.payloadClose;
    return out;
}

std::optional<std::string> readMailboxPayload(std::string_view reply, PostKind kind) {
    const auto& info = postKindInfo(kind);
    if (!hasMarker(reply, info.replyMarker)) return std::nullopt;
    if (!info.hasPayload) return std::string();
    if (info.payloadOpen.empty()) {
        // A player block is read from the whole reply, as its markers are searched there.
        return std::string(reply);
    }
    const auto payload = cut(reply, info.payloadOpen, info.payloadClose);
    if (!payload) return std::nullopt;
    return std::string(*payload);
}

std::string movePayload(char letter, int cell) { return std::string(1, letter) + std::to_string(cell); }

std::optional<MoveRead> parseMovePayload(std::string_view payload) {
    if (payload.size() < 2 || payload.size() > 3) return std::nullopt;
    if (payload[0] < 'a' || payload[0] > 'z') return std::nullopt;
    int cell = 0;
    for (const char c : payload.substr(1)) {
        if (c < '0' || c > '9') return std::nullopt;
        cell = cell * 10 + (c - '0');
    }
    if (payload.size() == 3 && payload[1] == '0') return std::nullopt; // "e07" is not how a cell is written
    if (cell > 41) return std::nullopt;
    return MoveRead{payload[0] - 'a', cell};
}

std::optional<MoveRead> readMove(std::string_view reply) {
    const auto payload = readMailboxPayload(reply, PostKind::Move);
    if (!payload) return std::nullopt;
    return parseMovePayload(*payload);
}

} // namespace netplay::wire
