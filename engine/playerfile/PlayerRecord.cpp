#include "engine/playerfile/PlayerRecord.h"

#include "platform/text/Blanks.h"
#include "platform/text/Cp1252.h"

#include <algorithm>
#include <cassert>

namespace engine {

namespace {

constexpr std::size_t WaveWidth = 150;

constexpr std::array<PlayerFieldSpec, PlayerFieldCount> Layout = {{
    {PlayerField::Name, "Name", 0, 25, FieldKind::Text},
    {PlayerField::Password, "Password", 25, 10, FieldKind::Text},
    {PlayerField::Location, "Location", 35, 25, FieldKind::Text},
    {PlayerField::PhotoMode, "PhotoMode", 60, 2, FieldKind::Integer},
    {PlayerField::PhotoAddress, "PhotoAddress", 62, 150, FieldKind::Text},
    {PlayerField::SysMsgWave, "SysMsgWave", 212, WaveWidth, FieldKind::Text},
    {PlayerField::ChatInWave, "ChatInWave", 362, WaveWidth, FieldKind::Text},
    {PlayerField::ChatSentWave, "ChatSentWave", 512, WaveWidth, FieldKind::Text},
    {PlayerField::MyDropWave, "MyDropWave", 662, WaveWidth, FieldKind::Text},
    {PlayerField::OppDropWave, "OppDropWave", 812, WaveWidth, FieldKind::Text},
    {PlayerField::ReadyWave, "ReadyWave", 962, WaveWidth, FieldKind::Text},
    {PlayerField::GameOverWave, "GameOverWave", 1112, WaveWidth, FieldKind::Text},
    {PlayerField::PlayErrorWave, "PlayErrorWave", 1262, WaveWidth, FieldKind::Text},
    {PlayerField::BoardName, "BoardName", 1412, 10, FieldKind::Text},
    {PlayerField::ProxyOn, "ProxyOn", 1422, 2, FieldKind::Integer},
    {PlayerField::ProxyName, "ProxyName", 1424, 150, FieldKind::Text},
    {PlayerField::LanFixed, "LanFixed", 1574, 2, FieldKind::Integer},
    {PlayerField::LanProtocolName, "LanProtocolName", 1576, 50, FieldKind::Text},
    {PlayerField::Played, "Played", 1626, 2, FieldKind::Integer},
    {PlayerField::Won, "Won", 1628, 2, FieldKind::Integer},
    {PlayerField::Lost, "Lost", 1630, 2, FieldKind::Integer},
    {PlayerField::Tied, "Tied", 1632, 2, FieldKind::Integer},
    {PlayerField::Spare1, "Spare1", 1634, 150, FieldKind::Text},
    {PlayerField::Spare2, "Spare2", 1784, 50, FieldKind::Text},
    {PlayerField::Spare3, "Spare3", 1834, 50, FieldKind::Text},
    {PlayerField::Skill, "Skill", 1884, 2, FieldKind::Integer},
    {PlayerField::Spare4, "Spare4", 1886, 2, FieldKind::Integer},
    {PlayerField::Spare5, "Spare5", 1888, 2, FieldKind::Integer},
}};

// The table must tile the record exactly: each field starts where the one before it ends.
constexpr bool tilesRecord() {
    std::size_t at = 0;
    for (std::size_t i = 0; i < Layout.size(); ++i) {
        if (Layout[i].offset != at || static_cast<std::size_t>(Layout[i].field) != i) return false;
        at += Layout[i].width;
    }
    return at == PlayerRecordSize;
}
static_assert(tilesRecord(), "the player record layout must cover 1890 bytes without gaps");

} // namespace

const PlayerFieldSpec& fieldSpec(PlayerField field) { return Layout[static_cast<std::size_t>(field)]; }

PlayerRecord PlayerRecord::fromBytes(std::string_view bytes) {
    PlayerRecord record;
    std::copy_n(bytes.begin(), std::min(bytes.size(), PlayerRecordSize), record.m_bytes.begin());
    return record;
}

std::string PlayerRecord::text(PlayerField field) const {
    const PlayerFieldSpec& spec = fieldSpec(field);
    assert(spec.kind == FieldKind::Text);
    return platform::text::cp1252ToUtf8(std::string_view(m_bytes.data() + spec.offset, spec.width));
}

std::string PlayerRecord::trimmed(PlayerField field) const { return trimmedKey(text(field)); }

std::string PlayerRecord::value(PlayerField field) const {
    const std::string full = text(field);
    const auto first = full.find_first_not_of(std::string_view(" \0", 2));
    if (first == std::string::npos) return {};
    const auto last = full.find_last_not_of(std::string_view(" \0", 2));
    return full.substr(first, last - first + 1);
}

bool PlayerRecord::setText(PlayerField field, std::string_view utf8) {
    const PlayerFieldSpec& spec = fieldSpec(field);
    assert(spec.kind == FieldKind::Text);
    std::optional<std::string> bytes = platform::text::utf8ToCp1252(utf8);
    if (!bytes) return false;
    // One byte per character, so cutting bytes cuts whole characters.
    bytes->resize(spec.width, ' ');
    std::copy(bytes->begin(), bytes->end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(spec.offset));
    return true;
}

std::int16_t PlayerRecord::number(PlayerField field) const {
    const PlayerFieldSpec& spec = fieldSpec(field);
    assert(spec.kind == FieldKind::Integer);
    const auto low = static_cast<std::uint8_t>(m_bytes[spec.offset]);
    const auto high = static_cast<std::uint8_t>(m_bytes[spec.offset + 1]);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
}

void PlayerRecord::setNumber(PlayerField field, std::int16_t value) {
    const PlayerFieldSpec& spec = fieldSpec(field);
    assert(spec.kind == FieldKind::Integer);
    const auto bits = static_cast<std::uint16_t>(value);
    m_bytes[spec.offset] = static_cast<char>(bits & 0xFF);
    m_bytes[spec.offset + 1] = static_cast<char>(bits >> 8);
}

std::string trimmedKey(std::string_view text) { return std::string(platform::text::trimBlanks(text)); }

} // namespace engine
