#include "server/SqliteStore.h"

#include <sqlite3.h>

namespace server {

namespace {
void bindText(sqlite3_stmt* s, int index, const std::string& text) {
    sqlite3_bind_text(s, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

std::string columnText(sqlite3_stmt* s, int index) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, index));
    return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(s, index))) : std::string();
}
} // namespace

SqliteStore::SqliteStore(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        const std::string message = m_db ? sqlite3_errmsg(m_db) : "out of memory";
        sqlite3_close(m_db);
        m_db = nullptr;
        throw StoreError("cannot open database " + path + ": " + message);
    }
    try {
        sqlite3_busy_timeout(m_db, 5000);
        exec("PRAGMA journal_mode=WAL");
        // FULL syncs the log on every commit: a reply that says a change is kept is only sent after this.
        exec("PRAGMA synchronous=FULL");
        exec("CREATE TABLE IF NOT EXISTS games(id INTEGER PRIMARY KEY, host_token TEXT NOT NULL, name TEXT NOT NULL,"
             " location TEXT NOT NULL, played INTEGER NOT NULL, wins INTEGER NOT NULL, private INTEGER NOT NULL,"
             " password TEXT NOT NULL, wait_s INTEGER NOT NULL, created_ms INTEGER NOT NULL, state INTEGER NOT NULL,"
             " joiner_token TEXT NOT NULL)");
        exec("CREATE TABLE IF NOT EXISTS records(game INTEGER NOT NULL, box INTEGER NOT NULL, seq INTEGER NOT NULL,"
             " kind INTEGER NOT NULL, payload TEXT NOT NULL, PRIMARY KEY(game, box, seq)) WITHOUT ROWID");
        exec("CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value INTEGER NOT NULL)");
        m_putGame = prepare("INSERT OR REPLACE INTO games VALUES(?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12)");
        m_dropGame = prepare("DELETE FROM games WHERE id=?1");
        m_dropRecords = prepare("DELETE FROM records WHERE game=?1");
        m_append = prepare("INSERT OR REPLACE INTO records VALUES(?1,?2,?3,?4,?5)");
        m_remove = prepare("DELETE FROM records WHERE game=?1 AND box=?2 AND seq=?3");
        m_setNext = prepare("INSERT OR REPLACE INTO meta VALUES('next_number', ?1)");
    } catch (...) {
        close();
        throw;
    }
}

SqliteStore::~SqliteStore() { close(); }

void SqliteStore::close() {
    for (auto* s : {m_putGame, m_dropGame, m_dropRecords, m_append, m_remove, m_setNext}) sqlite3_finalize(s);
    m_putGame = m_dropGame = m_dropRecords = m_append = m_remove = m_setNext = nullptr;
    if (m_db) sqlite3_close(m_db);
    m_db = nullptr;
}

void SqliteStore::exec(const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        throw StoreError(message);
    }
}

sqlite3_stmt* SqliteStore::prepare(const char* sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr) != SQLITE_OK) throw StoreError(sqlite3_errmsg(m_db));
    return statement;
}

void SqliteStore::step(sqlite3_stmt* statement) {
    const int rc = sqlite3_step(statement);
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    if (rc != SQLITE_DONE) throw StoreError(sqlite3_errmsg(m_db));
}

StoredState SqliteStore::load() {
    StoredState state;
    auto* games = prepare("SELECT id, host_token, name, location, played, wins, private, password, wait_s,"
                          " created_ms, state, joiner_token FROM games ORDER BY id");
    while (sqlite3_step(games) == SQLITE_ROW) {
        GameRow row;
        row.id = static_cast<std::uint64_t>(sqlite3_column_int64(games, 0));
        row.hostToken = columnText(games, 1);
        row.name = columnText(games, 2);
        row.location = columnText(games, 3);
        row.played = sqlite3_column_int(games, 4);
        row.wins = sqlite3_column_int(games, 5);
        row.isPrivate = sqlite3_column_int(games, 6) != 0;
        row.password = columnText(games, 7);
        row.waitSeconds = sqlite3_column_int(games, 8);
        row.createdMs = sqlite3_column_int64(games, 9);
        row.state = static_cast<GameState>(sqlite3_column_int(games, 10));
        row.joinerToken = columnText(games, 11);
        state.games.push_back(std::move(row));
    }
    sqlite3_finalize(games);

    auto* records = prepare("SELECT game, box, seq, kind, payload FROM records ORDER BY game, box, seq");
    while (sqlite3_step(records) == SQLITE_ROW) {
        StoredRecord stored;
        stored.game = static_cast<std::uint64_t>(sqlite3_column_int64(records, 0));
        stored.box = static_cast<Box>(sqlite3_column_int(records, 1));
        stored.record.seq = static_cast<std::uint64_t>(sqlite3_column_int64(records, 2));
        stored.record.kind = static_cast<netplay::wire::PostKind>(sqlite3_column_int(records, 3));
        stored.record.payload = columnText(records, 4);
        state.records.push_back(std::move(stored));
    }
    sqlite3_finalize(records);

    auto* next = prepare("SELECT value FROM meta WHERE key='next_number'");
    if (sqlite3_step(next) == SQLITE_ROW) state.nextNumber = static_cast<std::uint64_t>(sqlite3_column_int64(next, 0));
    sqlite3_finalize(next);
    return state;
}

void SqliteStore::apply(const std::vector<Change>& changes) {
    exec("BEGIN IMMEDIATE");
    try {
        for (const auto& change : changes) {
            switch (change.type) {
            case Change::Type::PutGame: {
                const auto& r = change.row;
                sqlite3_bind_int64(m_putGame, 1, static_cast<sqlite3_int64>(r.id));
                bindText(m_putGame, 2, r.hostToken);
                bindText(m_putGame, 3, r.name);
                bindText(m_putGame, 4, r.location);
                sqlite3_bind_int(m_putGame, 5, r.played);
                sqlite3_bind_int(m_putGame, 6, r.wins);
                sqlite3_bind_int(m_putGame, 7, r.isPrivate ? 1 : 0);
                bindText(m_putGame, 8, r.password);
                sqlite3_bind_int(m_putGame, 9, r.waitSeconds);
                sqlite3_bind_int64(m_putGame, 10, r.createdMs);
                sqlite3_bind_int(m_putGame, 11, static_cast<int>(r.state));
                bindText(m_putGame, 12, r.joinerToken);
                step(m_putGame);
                break;
            }
            case Change::Type::DropGame:
                sqlite3_bind_int64(m_dropGame, 1, static_cast<sqlite3_int64>(change.game));
                step(m_dropGame);
                sqlite3_bind_int64(m_dropRecords, 1, static_cast<sqlite3_int64>(change.game));
                step(m_dropRecords);
                break;
            case Change::Type::AppendRecord:
                sqlite3_bind_int64(m_append, 1, static_cast<sqlite3_int64>(change.game));
                sqlite3_bind_int(m_append, 2, static_cast<int>(change.box));
                sqlite3_bind_int64(m_append, 3, static_cast<sqlite3_int64>(change.record.seq));
                sqlite3_bind_int(m_append, 4, static_cast<int>(change.record.kind));
                bindText(m_append, 5, change.record.payload);
                step(m_append);
                break;
            case Change::Type::RemoveRecord:
                sqlite3_bind_int64(m_remove, 1, static_cast<sqlite3_int64>(change.game));
                sqlite3_bind_int(m_remove, 2, static_cast<int>(change.box));
                sqlite3_bind_int64(m_remove, 3, static_cast<sqlite3_int64>(change.number));
                step(m_remove);
                break;
            case Change::Type::SetNextNumber:
                sqlite3_bind_int64(m_setNext, 1, static_cast<sqlite3_int64>(change.number));
                step(m_setNext);
                break;
            }
        }
        exec("COMMIT");
    } catch (...) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

} // namespace server
