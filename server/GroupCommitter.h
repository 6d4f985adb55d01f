#pragma once
// Many requests, one sync: every change submitted while the previous commit runs is written in
// the next single transaction, so a burst of posts shares one flush to disk. Replies wait for the
// commit that holds their change.
#include "server/Store.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace server {

class GroupCommitter final : public ChangeSink {
public:
    explicit GroupCommitter(Store& store);
    ~GroupCommitter() override;
    GroupCommitter(const GroupCommitter&) = delete;
    GroupCommitter& operator=(const GroupCommitter&) = delete;

    void submit(std::vector<Change> changes, std::function<void(bool durable)> done) override;
    // Only from inside a `done(false)` this committer called: what waits for the next commit is
    // reported failed right after the current batch.
    void cancelPending() override;
    // Writes what is queued, then ends the writer thread. Later submissions are refused.
    void stop();


private:
    struct Pending {
        std::vector<Change> changes;
        std::function<void(bool)> done;
    };
    void run();

    Store& m_store;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<Pending> m_pending;
    std::vector<Pending> m_cancelled;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace server
