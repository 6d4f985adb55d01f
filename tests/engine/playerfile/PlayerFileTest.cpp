#include "engine/playerfile/PlayerFile.h"
#include "tests/engine/playerfile/GoldenRecords.h"
#include "tests/support/FailingFileOps.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using engine::GameResult;
using engine::PlayerField;
using engine::PlayerFile;
using engine::PlayerRecord;
using testing_support::FailingFileOps;
using testing_support::TempDir;

namespace {

struct PlayersFolder {
    TempDir dir{true};
    FailingFileOps ops;
    PlayerFile file{ops};
    PlayerRecord buffer;

    void put(const std::string& bytes) const { dir.write("players.dat", bytes); }
    std::string bytes() const { return dir.read("players.dat"); }
    bool has(const char* name) const { return std::filesystem::exists(dir / name); }
};

unsigned modeOf(const std::filesystem::path& file) {
    struct stat info {};
    ::stat(file.c_str(), &info);
    return info.st_mode & 0777;
}

PlayerRecord newProfile(const std::string& name) {
    PlayerRecord r = PlayerRecord::fromBytes(golden::profile(name, "secret", "Leeds", {5, 5, 5, 5}));
    return r;
}

} // namespace

// --- search ---------------------------------------------------------------------------------

TEST(PlayerSearch, MissingFileHasNoRecordAndStaysMissing) {
    PlayersFolder f;
    EXPECT_EQ(f.file.find("Alice", f.buffer), 0);
    EXPECT_FALSE(f.has("players.dat"));
}

TEST(PlayerSearch, TrimmedKeyFindsRecordStoredWithoutBlanks) {
    PlayersFolder f;
    f.put(golden::profile("Alice", "", "A") + golden::profile("Bob", "", "B"));
    EXPECT_EQ(f.file.find("  Bob ", f.buffer), 2);
    EXPECT_EQ(f.buffer.trimmed(PlayerField::Location), "B");
}

TEST(PlayerSearch, CaseMakesDifferentPlayers) {
    PlayersFolder f;
    f.put(golden::profile("alice", "", "lower") + golden::profile("Alice", "", "upper"));
    EXPECT_EQ(f.file.find("Alice", f.buffer), 2);
    EXPECT_EQ(f.buffer.trimmed(PlayerField::Location), "upper");
}

TEST(PlayerSearch, NoMatchLeavesLastRecordInBuffer) {
    PlayersFolder f;
    f.put(golden::profile("Alice", "", "A") + golden::computer());
    EXPECT_EQ(f.file.find("Zed", f.buffer), 0);
    EXPECT_EQ(f.buffer.trimmed(PlayerField::Name), "Computer");
}

TEST(PlayerSearch, CutOffLastRecordIsNotCounted) {
    PlayersFolder f;
    f.put(golden::profile("Alice", "", "A") + golden::profile("Bob", "", "B").substr(0, 900));
    EXPECT_EQ(f.file.recordCount(), 1);
    EXPECT_EQ(f.file.find("Bob", f.buffer), 0);
}

// --- create, rewrite --------------------------------------------------------------------------

TEST(PlayerCreate, MissingFileGetsPlayerAndCleanComputerRecord) {
    PlayersFolder f;
    PlayerRecord alice = newProfile("Alice");
    EXPECT_EQ(f.file.create(alice), 1);
    EXPECT_EQ(f.bytes(), golden::profile("Alice", "secret", "Leeds") + golden::computer());
    EXPECT_FALSE(f.has("players.tmp"));
}

TEST(PlayerCreate, ExistingFileGetsPlayerAppendedWithZeroCounters) {
    PlayersFolder f;
    const std::string before = golden::profile("Alice", "", "A", {4, 1, 2, 1}) + golden::computer({9, 3, 3, 3});
    f.put(before);
    PlayerRecord bob = newProfile("Bob");
    EXPECT_EQ(f.file.create(bob), 3);
    EXPECT_EQ(f.bytes(), before + golden::profile("Bob", "secret", "Leeds"));
}

TEST(PlayerCreate, EmptyFileGetsPlayerAsOnlyRecord) {
    PlayersFolder f;
    f.put("");
    PlayerRecord bob = newProfile("Bob");
    EXPECT_EQ(f.file.create(bob), 1);
    EXPECT_EQ(f.bytes(), golden::profile("Bob", "secret", "Leeds"));
}

TEST(PlayerRewrite, WritesWholeBufferInPlaceAndKeepsOthersByteForByte) {
    PlayersFolder f;
    std::string spare(150, '\0');
    spare[3] = '\x01';
    const std::string first = golden::profile("Alice", "", "A", {1, 1, 0, 0}, 2, spare);
    const std::string third = golden::computer({2, 0, 2, 0});
    f.put(first + golden::profile("Bob", "", "B", {3, 0, 0, 3}, 3, spare) + third);
    ASSERT_EQ(f.file.find("Bob", f.buffer), 2);
    f.buffer.setText(PlayerField::Location, "Bristol");
    EXPECT_TRUE(f.file.rewrite(2, f.buffer));
    EXPECT_EQ(f.bytes(), first + golden::profile("Bob", "", "Bristol", {3, 0, 0, 3}, 3, spare) + third);
}

TEST(PlayerRewrite, StaleLongerTempFileLeavesNoTail) {
    PlayersFolder f;
    const std::string before = golden::profile("Alice", "", "A") + golden::computer();
    f.put(before);
    f.dir.write("players.tmp", std::string(5 * 1890, 'Q'));
    ASSERT_EQ(f.file.find("Alice", f.buffer), 1);
    EXPECT_TRUE(f.file.rewrite(1, f.buffer));
    EXPECT_EQ(f.bytes(), before);
}

TEST(PlayerRewrite, FailedWriteLeavesOldFileWhole) {
    for (auto step : {FailingFileOps::Step::Write, FailingFileOps::Step::WriteHalf, FailingFileOps::Step::Replace}) {
        PlayersFolder f;
        const std::string before = golden::profile("Alice", "", "A") + golden::computer();
        f.put(before);
        ASSERT_EQ(f.file.find("Alice", f.buffer), 1);
        f.buffer.setText(PlayerField::Location, "Elsewhere");
        f.ops.failAt = step;
        EXPECT_FALSE(f.file.rewrite(1, f.buffer));
        EXPECT_EQ(f.bytes(), before);
        EXPECT_FALSE(f.has("players.tmp"));
    }
}

// --- delete -----------------------------------------------------------------------------------

TEST(PlayerDelete, DropsEveryRecordOfTheNameAndKeepsOrder) {
    PlayersFolder f;
    const std::string a = golden::profile("Alice", "", "A"), b1 = golden::profile("Bob", "", "1"),
                      c = golden::computer({1, 1, 0, 0}), b2 = golden::profile(" Bob", "", "2"),
                      d = golden::profile("bob", "", "lower");
    f.put(a + b1 + c + b2 + d);
    EXPECT_TRUE(f.file.remove("Bob"));
    EXPECT_EQ(f.bytes(), a + c + d);
    EXPECT_FALSE(f.has("players.tmp"));
}

TEST(PlayerDelete, OnlyPlayerLeavesComputerAsRecordOne) {
    PlayersFolder f;
    f.put(golden::profile("Alice", "", "A") + golden::computer({4, 4, 0, 0}));
    EXPECT_TRUE(f.file.remove("Alice"));
    EXPECT_EQ(f.bytes(), golden::computer({4, 4, 0, 0}));
}

TEST(PlayerDelete, FailureAtAnyStepKeepsEveryRecord) {
    for (auto step : {FailingFileOps::Step::Read, FailingFileOps::Step::Write, FailingFileOps::Step::WriteHalf,
                      FailingFileOps::Step::Replace}) {
        PlayersFolder f;
        const std::string before = golden::profile("Alice", "", "A") + golden::profile("Bob", "", "B") +
                                   golden::computer();
        f.put(before);
        f.ops.failAt = step;
        EXPECT_FALSE(f.file.remove("Alice"));
        EXPECT_EQ(f.bytes(), before);
        EXPECT_FALSE(f.has("players.tmp"));
    }
}

TEST(PlayerDelete, StaleLongerTempFileLeavesNoTail) {
    PlayersFolder f;
    f.put(golden::profile("Alice", "", "A") + golden::computer());
    f.dir.write("players.tmp", std::string(4 * 1890, 'Q'));
    EXPECT_TRUE(f.file.remove("Alice"));
    EXPECT_EQ(f.bytes(), golden::computer());
}

// --- counters ---------------------------------------------------------------------------------

TEST(PlayerCounters, EachResultRaisesPlayedAndItsOwnCounter) {
    PlayersFolder f;
    const std::string alice = golden::profile("Alice", "", "A", {1, 1, 1, 1});
    f.put(alice + golden::computer({10, 4, 3, 3}));
    EXPECT_TRUE(f.file.count("Computer", GameResult::Won, f.buffer));
    EXPECT_EQ(f.bytes(), alice + golden::computer({11, 5, 3, 3}));
    EXPECT_TRUE(f.file.count("Computer", GameResult::Lost, f.buffer));
    EXPECT_EQ(f.bytes(), alice + golden::computer({12, 5, 4, 3}));
    EXPECT_TRUE(f.file.count("Computer", GameResult::Tied, f.buffer));
    EXPECT_EQ(f.bytes(), alice + golden::computer({13, 5, 4, 4}));
}

TEST(PlayerCounters, OnlyFirstOfTwoEqualNamesIsCounted) {
    PlayersFolder f;
    const std::string second = golden::profile("Alice ", "", "2");
    f.put(golden::profile("Alice", "", "1") + second);
    EXPECT_TRUE(f.file.count("Alice", GameResult::Won, f.buffer));
    EXPECT_EQ(f.bytes(), golden::profile("Alice", "", "1", {1, 1, 0, 0}) + second);
}

TEST(PlayerCounters, UnknownNameWritesNothing) {
    PlayersFolder f;
    const std::string before = golden::profile("Alice", "", "A") + golden::computer();
    f.put(before);
    f.ops.calls.clear();
    EXPECT_FALSE(f.file.count("Nobody", GameResult::Lost, f.buffer));
    EXPECT_EQ(f.bytes(), before);
    for (const std::string& call : f.ops.calls) EXPECT_EQ(call.rfind("read", 0), 0u) << call;
}

TEST(PlayerCounters, MissingFileIsNeverCreated) {
    PlayersFolder f;
    EXPECT_FALSE(f.file.count("Computer", GameResult::Tied, f.buffer));
    EXPECT_FALSE(f.has("players.dat"));
    EXPECT_FALSE(f.has("players.tmp"));
}

TEST(PlayerCounters, CounterAtLimitStaysAtLimit) {
    PlayersFolder f;
    f.put(golden::computer({32767, 32767, 100, 32766}));
    EXPECT_TRUE(f.file.count("Computer", GameResult::Won, f.buffer));
    EXPECT_EQ(f.bytes(), golden::computer({32767, 32767, 100, 32766}));
    EXPECT_TRUE(f.file.count("Computer", GameResult::Tied, f.buffer));
    EXPECT_EQ(f.bytes(), golden::computer({32767, 32767, 100, 32767}));
}

TEST(PlayerCounters, FailedWriteLeavesCountersAsTheyWere) {
    PlayersFolder f;
    const std::string before = golden::computer({1, 0, 1, 0});
    f.put(before);
    f.ops.failAt = FailingFileOps::Step::WriteHalf;
    EXPECT_FALSE(f.file.count("Computer", GameResult::Won, f.buffer));
    EXPECT_EQ(f.bytes(), before);
}

TEST(PlayerList, ReadsWholeRecordsInFileOrder) {
    PlayersFolder f;
    f.put(golden::profile("Alice", "", "A") + golden::computer() + golden::profile("Bob", "", "B"));
    const auto all = f.file.readAll();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].trimmed(PlayerField::Name), "Alice");
    EXPECT_EQ(all[1].trimmed(PlayerField::Name), "Computer");
    EXPECT_EQ(all[2].trimmed(PlayerField::Name), "Bob");
}

// --- a file that is there but cannot be read, modes, two copies --------------------------------

TEST(PlayerFileProblems, FileThatCannotBeReadIsNeverWrittenOver) {
    PlayersFolder f;
    // A players.dat that refers to itself: present, but no read of it succeeds.
    std::filesystem::create_symlink("players.dat", f.dir / "players.dat");
    PlayerRecord bob = newProfile("Bob");
    EXPECT_EQ(f.file.create(bob), 0);
    EXPECT_EQ(f.file.problem(), engine::FileProblem::CannotRead);
    EXPECT_FALSE(f.file.count("Computer", GameResult::Won, f.buffer));
    EXPECT_EQ(f.file.problem(), engine::FileProblem::CannotRead);
    EXPECT_EQ(f.file.find("Bob", f.buffer), 0);
    EXPECT_EQ(engine::problemText(f.file), "players.dat cannot be read (Too many levels of symbolic links)");
    EXPECT_TRUE(std::filesystem::is_symlink(f.dir / "players.dat"));
    EXPECT_FALSE(f.has("players.tmp"));
}

TEST(PlayerFileProblems, FailedCounterWriteIsReportedAsAWriteProblem) {
    PlayersFolder f;
    const std::string before = golden::computer({1, 0, 1, 0});
    f.put(before);
    std::filesystem::create_directory(f.dir / "players.tmp");   // no temporary file can be made
    EXPECT_FALSE(f.file.count("Computer", GameResult::Won, f.buffer));
    EXPECT_EQ(f.file.problem(), engine::FileProblem::CannotWrite);
    EXPECT_EQ(f.bytes(), before);
}

TEST(PlayerFileModes, RewriteKeepsTheModeAndANewFileIsForItsOwnerOnly) {
    PlayersFolder f;
    PlayerRecord alice = newProfile("Alice");
    ASSERT_EQ(f.file.create(alice), 1);
    EXPECT_EQ(modeOf(f.dir / "players.dat"), 0600u);
    for (unsigned mode : {0600u, 0640u, 0604u}) {
        std::filesystem::permissions(f.dir / "players.dat", std::filesystem::perms(mode));
        f.dir.write("players.tmp", "left over");
        std::filesystem::permissions(f.dir / "players.tmp", std::filesystem::perms(0666));
        EXPECT_TRUE(f.file.count("Computer", GameResult::Tied, f.buffer));
        EXPECT_EQ(modeOf(f.dir / "players.dat"), mode);
    }
}

TEST(PlayerFileLocking, TwoCopiesCountingInOneFolderKeepEveryCount) {
    PlayersFolder f;
    f.put(golden::profile("Alice", "", "A") + golden::computer());
    constexpr int countsEach = 60;
    std::vector<pid_t> copies;
    for (int copy = 0; copy < 2; ++copy) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            engine::SystemFileOps ops;
            PlayerFile file(ops, f.dir.path());
            PlayerRecord buffer;
            int counted = 0;
            for (int i = 0; i < countsEach; ++i) counted += file.count("Computer", GameResult::Won, buffer) ? 1 : 0;
            ::_exit(counted == countsEach ? 0 : 1);
        }
        copies.push_back(pid);
    }
    for (pid_t pid : copies) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(f.bytes(), golden::profile("Alice", "", "A") + golden::computer({2 * countsEach, 2 * countsEach, 0, 0}));
}
