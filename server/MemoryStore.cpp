#include "server/MemoryStore.h"

namespace server {

Change Change::putGame(GameRow row) {
    Change c;
    c.type = Type::PutGame;
    c.row = std::move(row);
    return c;
}

Change Change::dropGame(std::uint64_t game) {
    Change c;
    c.type = Type::DropGame;
    c.game = game;
    return c;
}

Change Change::appendRecord(std::uint64_t game, Box box, MailRecord record) {
    Change c;
    c.type = Type::AppendRecord;
    c.game = game;
    c.box = box;
    c.record = std::move(record);
    return c;
}

Change Change::removeRecord(std::uint64_t game, Box box, std::uint64_t seq) {
    Change c;
    c.type = Type::RemoveRecord;
    c.game = game;
    c.box = box;
    c.number = seq;
    return c;
}

Change Change::setNextNumber(std::uint64_t next) {
    Change c;
    c.type = Type::SetNextNumber;
    c.number = next;
    return c;
}

StoredState MemoryStore::load() {
    std::lock_guard lock(m_mutex);
    StoredState state;
    for (const auto& [id, row] : m_games) state.games.push_back(row);
    for (const auto& [key, record] : m_records)
        state.records.push_back({std::get<0>(key), static_cast<Box>(std::get<1>(key)), record});
    state.nextNumber = m_nextNumber;
    return state;
}

void MemoryStore::apply(const std::vector<Change>& changes) {
    std::lock_guard lock(m_mutex);
    for (const auto& change : changes) {
        switch (change.type) {
        case Change::Type::PutGame: m_games[change.row.id] = change.row; break;
        case Change::Type::DropGame:
            m_games.erase(change.game);
            m_records.erase(m_records.lower_bound({change.game, 0, 0}), m_records.lower_bound({change.game + 1, 0, 0}));
            break;
        case Change::Type::AppendRecord:
            m_records[{change.game, static_cast<int>(change.box), change.record.seq}] = change.record;
            break;
        case Change::Type::RemoveRecord:
            m_records.erase({change.game, static_cast<int>(change.box), change.number});
            break;
        case Change::Type::SetNextNumber: m_nextNumber = change.number; break;
        }
    }
}

void ImmediateSink::submit(std::vector<Change> changes, std::function<void(bool durable)> done) {
    bool durable = true;
    if (m_store) {
        try {
            m_store->apply(changes);
        } catch (const StoreError&) {
            durable = false;
        }
    }
    if (done) done(durable);
}

} // namespace server
