#include "engine/playerfile/PlayerFile.h"

#include <array>
#include <utility>

namespace engine {

namespace {

// The one counter table: which counters a result raises.
struct ResultCounters {
    GameResult result;
    std::array<PlayerField, 2> counters;
};
constexpr std::array<ResultCounters, 3> CounterTable = {{
    {GameResult::Won, {PlayerField::Played, PlayerField::Won}},
    {GameResult::Lost, {PlayerField::Played, PlayerField::Lost}},
    {GameResult::Tied, {PlayerField::Played, PlayerField::Tied}},
}};

std::string_view recordAt(std::string_view file, int position) {
    return file.substr(static_cast<std::size_t>(position - 1) * PlayerRecordSize, PlayerRecordSize);
}

int wholeRecords(std::string_view file) { return static_cast<int>(file.size() / PlayerRecordSize); }

} // namespace

void addResult(PlayerRecord& record, GameResult result) {
    for (const ResultCounters& row : CounterTable) {
        if (row.result != result) continue;
        for (PlayerField field : row.counters) {
            const std::int16_t now = record.number(field);
            if (now < CounterLimit) record.setNumber(field, static_cast<std::int16_t>(now + 1));
        }
    }
}

PlayerFile::PlayerFile(FileOps& ops, const std::filesystem::path& folder)
    : m_ops(ops),
      m_path((folder / PlayersFileName).string()),
      m_tempPath((folder / PlayersTempName).string()) {}

bool PlayerFile::exists() const { return m_ops.exists(m_path); }

int PlayerFile::recordCount() const {
    const auto file = m_ops.readAll(m_path);
    return file ? wholeRecords(*file) : 0;
}

std::vector<PlayerRecord> PlayerFile::readAll() const {
    std::vector<PlayerRecord> records;
    const auto file = m_ops.readAll(m_path);
    if (!file) return records;
    for (int k = 1; k <= wholeRecords(*file); ++k) records.push_back(PlayerRecord::fromBytes(recordAt(*file, k)));
    return records;
}

int PlayerFile::find(std::string_view key, PlayerRecord& buffer) const {
    if (!exists()) return 0;
    const auto file = m_ops.readAll(m_path);
    if (!file) return 0;
    const std::string wanted = trimmedKey(key);
    for (int k = 1; k <= wholeRecords(*file); ++k) {
        buffer = PlayerRecord::fromBytes(recordAt(*file, k));
        if (buffer.trimmed(PlayerField::Name) == wanted) return k;
    }
    return 0;
}

int PlayerFile::create(PlayerRecord& buffer) {
    for (PlayerField field : {PlayerField::Played, PlayerField::Won, PlayerField::Lost, PlayerField::Tied})
        buffer.setNumber(field, 0);

    if (!exists()) {
        // The computer's record starts clean: its name, zero counters, nothing of the player's.
        PlayerRecord computer;
        computer.setText(PlayerField::Name, "Computer");
        std::string bytes(buffer.view());
        bytes.append(computer.view());
        return commit(bytes) ? 1 : 0;
    }

    const auto file = m_ops.readAll(m_path);
    if (!file) return 0;
    // A cut-off last record is overwritten by the new one, as writing at record n + 1 would.
    const int n = wholeRecords(*file);
    std::string bytes = file->substr(0, static_cast<std::size_t>(n) * PlayerRecordSize);
    bytes.append(buffer.view());
    return commit(bytes) ? n + 1 : 0;
}

bool PlayerFile::rewrite(int position, const PlayerRecord& buffer) {
    if (!exists()) return false;
    auto file = m_ops.readAll(m_path);
    if (!file || position < 1 || position > wholeRecords(*file)) return false;
    file->replace(static_cast<std::size_t>(position - 1) * PlayerRecordSize, PlayerRecordSize, buffer.view());
    return commit(*file);
}

bool PlayerFile::remove(std::string_view key) {
    if (!exists()) return false;
    const auto file = m_ops.readAll(m_path);
    if (!file) return false;
    const std::string wanted = trimmedKey(key);
    std::string kept;
    for (int k = 1; k <= wholeRecords(*file); ++k) {
        const std::string_view record = recordAt(*file, k);
        if (PlayerRecord::fromBytes(record).trimmed(PlayerField::Name) != wanted) kept.append(record);
    }
    return commit(kept);
}

bool PlayerFile::count(std::string_view key, GameResult result, PlayerRecord& buffer) {
    const int position = find(key, buffer);
    if (position == 0) return false;
    addResult(buffer, result);
    return rewrite(position, buffer);
}

bool PlayerFile::commit(std::string_view bytes) {
    if (m_ops.writeDurably(m_tempPath, bytes) && m_ops.replace(m_tempPath, m_path)) return true;
    // players.dat was never touched; the half-made temporary file goes.
    m_ops.remove(m_tempPath);
    return false;
}

} // namespace engine
