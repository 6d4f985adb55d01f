#include "engine/playerfile/PlayerFile.h"

#include "platform/ui/Files.h"

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

// The search rule over the file's bytes.
int findIn(std::string_view file, std::string_view key, PlayerRecord& buffer) {
    const std::string wanted = trimmedKey(key);
    for (int k = 1; k <= wholeRecords(file); ++k) {
        buffer = PlayerRecord::fromBytes(recordAt(file, k));
        if (buffer.trimmed(PlayerField::Name) == wanted) return k;
    }
    return 0;
}

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
      m_path(platform::ui::resolveFileName((folder / PlayersFileName).string())),
      m_tempPath((folder / PlayersTempName).string()) {}

bool PlayerFile::failed(FileProblem problem) const {
    m_problem = problem;
    m_reason = m_ops.lastFailure();
    return false;
}

std::optional<std::string> PlayerFile::read() const {
    m_problem = FileProblem::None;
    m_reason.clear();
    if (!m_ops.exists(m_path)) return std::nullopt;
    auto file = m_ops.readAll(m_path);
    if (!file) failed(FileProblem::CannotRead);
    return file;
}

bool PlayerFile::exists() const { return m_ops.exists(m_path); }

int PlayerFile::recordCount() const {
    const auto file = read();
    return file ? wholeRecords(*file) : 0;
}

std::vector<PlayerRecord> PlayerFile::readAll() const {
    std::vector<PlayerRecord> records;
    const auto file = read();
    if (!file) return records;
    for (int k = 1; k <= wholeRecords(*file); ++k) records.push_back(PlayerRecord::fromBytes(recordAt(*file, k)));
    return records;
}

int PlayerFile::find(std::string_view key, PlayerRecord& buffer) const {
    const auto file = read();
    return file ? findIn(*file, key, buffer) : 0;
}

int PlayerFile::create(PlayerRecord& buffer) {
    for (PlayerField field : {PlayerField::Played, PlayerField::Won, PlayerField::Lost, PlayerField::Tied})
        buffer.setNumber(field, 0);

    m_problem = FileProblem::None;
    if (!exists()) {
        // The computer's record starts clean: its name, zero counters, nothing of the player's.
        PlayerRecord computer;
        computer.setText(PlayerField::Name, "Computer");
        std::string bytes(buffer.view());
        bytes.append(computer.view());
        if (m_ops.writeDurably(m_tempPath, bytes, {}) && m_ops.publish(m_tempPath, m_path)) return 1;
        failed(FileProblem::CannotWrite);
        m_ops.remove(m_tempPath);
        if (!exists()) return 0;
        // Another copy of the game made the file first: the profile joins it below.
    }

    int position = 0;
    const bool written = change([&](std::string& file) {
        // A cut-off last record is overwritten by the new one, as writing at record n + 1 would.
        position = wholeRecords(file) + 1;
        file.resize(static_cast<std::size_t>(position - 1) * PlayerRecordSize);
        file.append(buffer.view());
        return true;
    });
    return written ? position : 0;
}

bool PlayerFile::rewrite(int position, const PlayerRecord& buffer) {
    const std::string name = buffer.trimmed(PlayerField::Name);
    return change([&](std::string& file) {
        // Another copy of the game may have moved the record since it was found.
        const bool stillThere = position >= 1 && position <= wholeRecords(file) &&
                                PlayerRecord::fromBytes(recordAt(file, position)).trimmed(PlayerField::Name) == name;
        if (!stillThere) {
            PlayerRecord there;
            position = findIn(file, name, there);
            if (position == 0) return false;
        }
        file.replace(static_cast<std::size_t>(position - 1) * PlayerRecordSize, PlayerRecordSize, buffer.view());
        return true;
    });
}

bool PlayerFile::remove(std::string_view key) {
    const std::string wanted = trimmedKey(key);
    return change([&](std::string& file) {
        std::string kept;
        for (int k = 1; k <= wholeRecords(file); ++k) {
            const std::string_view record = recordAt(file, k);
            if (PlayerRecord::fromBytes(record).trimmed(PlayerField::Name) != wanted) kept.append(record);
        }
        file = std::move(kept);
        return true;
    });
}

bool PlayerFile::count(std::string_view key, GameResult result, PlayerRecord& buffer) {
    return change([&](std::string& file) {
        const int position = findIn(file, key, buffer);
        if (position == 0) return false;
        addResult(buffer, result);
        file.replace(static_cast<std::size_t>(position - 1) * PlayerRecordSize, PlayerRecordSize, buffer.view());
        return true;
    });
}

bool PlayerFile::change(const std::function<bool(std::string&)>& edit) {
    m_problem = FileProblem::None;
    m_reason.clear();
    if (!exists()) return false;
    const std::unique_ptr<FileLock> held = m_ops.lock(m_path);
    if (!held) {
        if (!exists()) return false;
        // A file we cannot open cannot be read; one we could read was kept locked by another copy.
        if (!m_ops.readAll(m_path)) return failed(FileProblem::CannotRead);
        return failed(FileProblem::CannotWrite);
    }
    auto file = m_ops.readAll(m_path);
    if (!file) return failed(FileProblem::CannotRead);
    if (!edit(*file)) return false;
    return commit(*file);
}

bool PlayerFile::commit(std::string_view bytes) {
    if (m_ops.writeDurably(m_tempPath, bytes, m_path) && m_ops.replace(m_tempPath, m_path)) return true;
    failed(FileProblem::CannotWrite);
    // players.dat was never touched; the half-made temporary file goes.
    m_ops.remove(m_tempPath);
    return false;
}

std::string problemText(const PlayerFile& file) {
    std::string text = PlayersFileName;
    text += file.problem() == FileProblem::CannotRead ? " cannot be read" : " cannot be written";
    if (!file.reason().empty()) text += " (" + file.reason() + ")";
    return text;
}

} // namespace engine
