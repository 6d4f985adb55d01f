#include "server/GroupCommitter.h"

#include "server/Log.h"

namespace server {

GroupCommitter::GroupCommitter(Store& store) : m_store(store), m_thread([this] { run(); }) {}

GroupCommitter::~GroupCommitter() { stop(); }

void GroupCommitter::submit(std::vector<Change> changes, std::function<void(bool durable)> done) {
    {
        std::lock_guard lock(m_mutex);
        if (!m_stopping) {
            m_pending.push_back({std::move(changes), std::move(done)});
            m_wake.notify_one();
            return;
        }
    }
    if (done) done(false);
}

void GroupCommitter::cancelPending() {
    std::lock_guard lock(m_mutex);
    for (auto& pending : m_pending) m_cancelled.push_back(std::move(pending));
    m_pending.clear();
}

void GroupCommitter::stop() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_wake.notify_one();
    }
    if (m_thread.joinable()) m_thread.join();
}

void GroupCommitter::run() {
    std::vector<Pending> batch;
    std::vector<Change> all;
    while (true) {
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_pending.empty(); });
            if (m_pending.empty()) return; // stopping, and everything is written
            batch.swap(m_pending);
        }
        all.clear();
        for (auto& pending : batch)
            for (auto& change : pending.changes) all.push_back(std::move(change));
        bool durable = true;
        try {
            m_store.apply(all);
        } catch (const StoreError& error) {
            durable = false;
            logLine(std::string("store failed: ") + error.what());
        }
        for (auto& pending : batch)
            if (pending.done) pending.done(durable);
        batch.clear();
        {
            std::lock_guard lock(m_mutex);
            batch.swap(m_cancelled);
        }
        for (auto& pending : batch)
            if (pending.done) pending.done(false);
        batch.clear();
    }
}

} // namespace server
