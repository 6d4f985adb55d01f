#include "ServerTestKit.h"
#include "server/GroupCommitter.h"
#include "server/Log.h"
#include "server/MemoryStore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <future>

using namespace server;

using server_test::GatedStore;

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
    store.openGate(true);
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
