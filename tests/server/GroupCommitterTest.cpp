#include "server/GroupCommitter.h"
#include "server/Log.h"
#include "server/MemoryStore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <future>

using namespace server;

namespace {
// A store whose first commit waits until the test opens the gate, so later submissions pile up.
class GatedStore final : public Store {
public:
    StoredState load() override { return m_inner.load(); }
    void apply(const std::vector<Change>& changes) override {
        std::unique_lock lock(m_mutex);
        ++entered;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return open; });
        if (failing) throw StoreError("disk full");
        m_inner.apply(changes);
        ++applies;
    }
    void waitEntered(int n) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return entered >= n; });
    }
    void openGate() {
        std::lock_guard lock(m_mutex);
        open = true;
        m_changed.notify_all();
    }
    int applies = 0;
    int entered = 0;
    bool open = false;
    bool failing = false;

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    MemoryStore m_inner;
};
} // namespace

TEST(GroupCommit, SubmissionsWaitingForACommitShareTheNextOne) {
    GatedStore store;
    GroupCommitter committer(store);
    std::atomic<int> durable{0};
    committer.submit({Change::setNextNumber(2)}, [&](bool ok) { durable += ok; });
    store.waitEntered(1);
    for (int i = 0; i < 50; ++i) committer.submit({Change::setNextNumber(3 + i)}, [&](bool ok) { durable += ok; });
    EXPECT_EQ(durable.load(), 0); // nothing is acknowledged before its commit
    store.openGate();
    committer.stop();
    EXPECT_EQ(durable.load(), 51);
    EXPECT_EQ(store.applies, 2);
    EXPECT_EQ(store.load().nextNumber, 52u);
}

TEST(GroupCommit, AFailedCommitIsReportedToEverySubmitter) {
    setLogQuiet(true);
    GatedStore store;
    store.failing = true;
    store.openGate();
    GroupCommitter committer(store);
    std::promise<bool> result;
    committer.submit({Change::setNextNumber(2)}, [&](bool ok) { result.set_value(ok); });
    EXPECT_FALSE(result.get_future().get());
}

TEST(GroupCommit, AfterStopNothingMoreIsAccepted) {
    MemoryStore store;
    GroupCommitter committer(store);
    committer.stop();
    bool reported = true;
    committer.submit({Change::setNextNumber(2)}, [&](bool ok) { reported = ok; });
    EXPECT_FALSE(reported);
}
