#pragma once
// A store in memory: what a database would hold, without the file. Tests restart a service on it.
#include "server/Store.h"

#include <map>
#include <mutex>
#include <tuple>

namespace server {

class MemoryStore final : public Store {
public:
    StoredState load() override;
    void apply(const std::vector<Change>& changes) override;

private:
    mutable std::mutex m_mutex;
    std::map<std::uint64_t, GameRow> m_games;
    std::map<std::tuple<std::uint64_t, int, std::uint64_t>, MailRecord> m_records;
    std::uint64_t m_nextNumber = 1;
};

} // namespace server
