#include "server/SqliteStore.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using namespace server;

namespace {
GameRow row(std::uint64_t id, GameState state) {
    GameRow r;
    r.id = id;
    r.hostToken = "tok";
    r.name = "M\xC3\xBCller";
    r.location = "K\xC3\xB6ln";
    r.played = 12;
    r.wins = 5;
    r.isPrivate = true;
    r.password = "pw";
    r.waitSeconds = 300;
    r.createdMs = 1'800'000'000'123;
    r.state = state;
    return r;
}
} // namespace

TEST(SqliteStore, WhatWasCommittedIsReadBackAfterReopening) {
    testing_support::TempDir dir;
    const auto path = (dir / "games.db").string();
    {
        SqliteStore store(path);
        store.apply({Change::putGame(row(7, GameState::Joined)), Change::setNextNumber(8),
                     Change::appendRecord(7, Box::Host, {1, netplay::wire::PostKind::Move, "e35"}),
                     Change::appendRecord(7, Box::Host, {2, netplay::wire::PostKind::Chat, "hi"}),
                     Change::appendRecord(7, Box::Joiner, {1, netplay::wire::PostKind::Quit, ""})});
        store.apply({Change::removeRecord(7, Box::Host, 2)}); // the one record delivered, not those before it
    }
    SqliteStore reopened(path);
    const auto state = reopened.load();
    ASSERT_EQ(state.games.size(), 1u);
    EXPECT_EQ(state.games[0].name, "M\xC3\xBCller");
    EXPECT_EQ(state.games[0].state, GameState::Joined);
    EXPECT_EQ(state.games[0].createdMs, 1'800'000'000'123);
    EXPECT_TRUE(state.games[0].isPrivate);
    EXPECT_EQ(state.nextNumber, 8u);
    ASSERT_EQ(state.records.size(), 2u);
    EXPECT_EQ(state.records[0].record.payload, "e35");
    EXPECT_EQ(state.records[1].box, Box::Joiner);
}

TEST(SqliteStore, DroppingAGameDropsItsMailboxes) {
    testing_support::TempDir dir;
    SqliteStore store((dir / "games.db").string());
    store.apply({Change::putGame(row(3, GameState::Joined)),
                 Change::appendRecord(3, Box::Host, {1, netplay::wire::PostKind::Chat, "x"})});
    store.apply({Change::dropGame(3)});
    const auto state = store.load();
    EXPECT_TRUE(state.games.empty());
    EXPECT_TRUE(state.records.empty());
}

TEST(SqliteStore, AnUnusableFileIsReportedNotIgnored) {
    testing_support::TempDir dir;
    EXPECT_THROW(SqliteStore((dir / "no" / "such" / "folder" / "x.db").string()), StoreError);
}
