#pragma once
// players.dat: the search rule, the record life cycle and the counter rule. Every change is
// written whole to players.tmp, flushed to disk and renamed over players.dat, so a failure at
// any step leaves either the old file or the new one, never a half-written mixture. From its read
// to its rename a change holds the file's lock, so two copies of the game working in one folder
// never drop each other's changes. Only a players.dat that does not exist is missing: one that
// cannot be read is never written over, and every failure is kept for the caller to show.
#include "engine/playerfile/FileOps.h"
#include "engine/playerfile/PlayerRecord.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// A game result as it is counted on one record.
enum class GameResult { Won, Lost, Tied };

// Counters stop at the top of their 16-bit field instead of turning negative.
inline constexpr std::int16_t CounterLimit = 32767;

// What went wrong with the last operation on the file.
enum class FileProblem { None, CannotRead, CannotWrite };

class PlayerFile {
public:
    // The file lives in `folder` (empty: the current folder, where the program keeps its data).
    explicit PlayerFile(FileOps& ops = systemFileOps(), const std::filesystem::path& folder = {});

    bool exists() const;
    // Whole records only; a cut-off last record does not count.
    int recordCount() const;
    // Records 1..n in file order; none when the file is missing or cannot be read.
    std::vector<PlayerRecord> readAll() const;

    // The search rule: reads records in order into `buffer` until one's trimmed Name equals the
    // trimmed key (case counts). Returns its position (1-based), or 0 when none matched; then
    // `buffer` holds the last record read.
    int find(std::string_view key, PlayerRecord& buffer) const;

    // A new profile: counters set to 0 in `buffer`, appended after the last whole record. On a
    // missing file the file is created with the player as record 1 and a record holding only the
    // name "Computer" and zero counters as record 2. Returns the player's position, 0 on failure.
    int create(PlayerRecord& buffer);

    // Writes the whole buffer back at `position` (1..n), or where the record of the buffer's name
    // now stands when another copy of the game has moved it. False on failure or when the record
    // is gone.
    bool rewrite(int position, const PlayerRecord& buffer);

    // Drops every record whose trimmed Name equals the trimmed key, keeping the order of the
    // rest. On any failure players.dat is left as it was. True when the new file is in place.
    bool remove(std::string_view key);

    // The counter rule: on a missing file nothing happens (and no file is created); otherwise
    // the first record of the key gets Played + 1 and the result's counter + 1 and is written
    // back in its place. No match writes nothing. True when a record was counted.
    bool count(std::string_view key, GameResult result, PlayerRecord& buffer);

    std::string path() const { return m_path; }

    // The failure of the last operation (None after a success, a missing file or no match), and
    // the system's reason for it.
    FileProblem problem() const { return m_problem; }
    std::string reason() const { return m_reason; }

private:
    std::optional<std::string> read() const;
    // Under the lock: reads the file, lets `edit` change its bytes (false: nothing to write) and
    // commits the result. False when nothing was written.
    bool change(const std::function<bool(std::string&)>& edit);
    bool commit(std::string_view bytes);
    bool failed(FileProblem problem) const;

    FileOps& m_ops;
    std::string m_path;
    std::string m_tempPath;
    mutable FileProblem m_problem = FileProblem::None;
    mutable std::string m_reason;
};

// "players.dat cannot be read (Permission denied)": the problem in the player's words.
std::string problemText(const PlayerFile& file);

// Adds the result to the record's counters, each stopping at CounterLimit.
void addResult(PlayerRecord& record, GameResult result);

} // namespace engine
