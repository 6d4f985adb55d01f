#pragma once
// One record of players.dat: 1890 bytes, kept in memory exactly as it sits in the file, so every
// byte the program does not change (the reserved fields, the NULs of a field never assigned)
// goes back to the file as it came.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace engine {

inline constexpr std::size_t PlayerRecordSize = 1890;
inline constexpr const char* PlayersFileName = "players.dat";
inline constexpr const char* PlayersTempName = "players.tmp";

// The fields in file order; the names are the record's own.
enum class PlayerField : int {
    Name, Password, Location, PhotoMode, PhotoAddress,
    SysMsgWave, ChatInWave, ChatSentWave, MyDropWave, OppDropWave, ReadyWave, GameOverWave, PlayErrorWave,
    BoardName, ProxyOn, ProxyName, LanFixed, LanProtocolName,
    Played, Won, Lost, Tied,
    Spare1, Spare2, Spare3, Skill, Spare4, Spare5,
};
inline constexpr int PlayerFieldCount = 28;

// The eight sound-file fields, in the order of the game's sound events.
inline constexpr std::array<PlayerField, 8> SoundFileFields = {
    PlayerField::SysMsgWave,  PlayerField::ChatInWave, PlayerField::ChatSentWave, PlayerField::MyDropWave,
    PlayerField::OppDropWave, PlayerField::ReadyWave,  PlayerField::GameOverWave, PlayerField::PlayErrorWave};

enum class FieldKind { Text, Integer };

struct PlayerFieldSpec {
    PlayerField field;
    const char* name;
    std::size_t offset;
    std::size_t width;
    FieldKind kind;
};

// The one table of the record layout; every reader and writer goes through it.
const PlayerFieldSpec& fieldSpec(PlayerField field);

// PhotoMode values.
enum PhotoModes : std::int16_t { PhotoShown = 1, PhotoHidden = 2 };

class PlayerRecord {
public:
    using Bytes = std::array<char, PlayerRecordSize>;

    // A record never assigned: every byte NUL.
    PlayerRecord() { m_bytes.fill('\0'); }
    static PlayerRecord fromBytes(std::string_view bytes);   // the first 1890 bytes; short input NUL-filled

    const Bytes& bytes() const { return m_bytes; }
    std::string_view view() const { return {m_bytes.data(), m_bytes.size()}; }

    // The whole fixed-width field as UTF-8, padding included (blanks, or NULs if never assigned).
    std::string text(PlayerField field) const;
    // The field with leading and trailing blanks removed: the form names are compared in.
    std::string trimmed(PlayerField field) const;
    // The field as a player should see it: blanks and NULs removed at both ends.
    std::string value(PlayerField field) const;
    // Stores the text left-aligned, cut at the field's width and padded with blanks. Refuses
    // (false, field unchanged) text with a character that the file's single-byte text cannot hold.
    bool setText(PlayerField field, std::string_view utf8);

    std::int16_t number(PlayerField field) const;
    void setNumber(PlayerField field, std::int16_t value);

    bool operator==(const PlayerRecord&) const = default;

private:
    Bytes m_bytes;
};

// A search key as names are compared: leading and trailing blanks (0x20 only) removed.
std::string trimmedKey(std::string_view text);

} // namespace engine
