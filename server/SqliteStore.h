#pragma once
// The embedded default store: one SQLite file in write-ahead-log mode, synced on every commit.
#include "server/Store.h"

#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace server {

class SqliteStore final : public Store {
public:
    explicit SqliteStore(const std::string& path); // throws StoreError
    ~SqliteStore() override;
    SqliteStore(const SqliteStore&) = delete;
    SqliteStore& operator=(const SqliteStore&) = delete;

    StoredState load() override;
    void apply(const std::vector<Change>& changes) override;

private:
    void close();
    void exec(const char* sql);
    sqlite3_stmt* prepare(const char* sql);
    void step(sqlite3_stmt* statement);

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_putGame = nullptr;
    sqlite3_stmt* m_dropGame = nullptr;
    sqlite3_stmt* m_dropRecords = nullptr;
    sqlite3_stmt* m_append = nullptr;
    sqlite3_stmt* m_remove = nullptr;
    sqlite3_stmt* m_setNext = nullptr;
};

} // namespace server
