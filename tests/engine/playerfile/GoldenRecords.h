#pragma once
// players.dat records built by hand, field after field as the file lays them out: blank-padded
// single-byte text, 16-bit little-endian numbers, NULs where a field was never assigned.
#include <string>

namespace golden {

inline std::string text(const std::string& bytes, std::size_t width) {
    std::string field = bytes.substr(0, width);
    field.resize(width, ' ');
    return field;
}
inline std::string nul(std::size_t width) { return std::string(width, '\0'); }
inline std::string le16(int value) {
    const auto bits = static_cast<unsigned>(static_cast<unsigned short>(value));
    return {static_cast<char>(bits & 0xFF), static_cast<char>(bits >> 8)};
}

struct Counters {
    int played = 0, won = 0, lost = 0, tied = 0;
};

// A whole profile as the profile editor saves it. Spares as given (NUL by default).
inline std::string profile(const std::string& name, const std::string& password, const std::string& location,
                           Counters c = {}, int skill = 2, const std::string& spare1 = nul(150)) {
    std::string r;
    r += text(name, 25);
    r += text(password, 10);
    r += text(location, 25);
    r += le16(1);                                        // photo shown
    r += text("http://127.0.0.1/me.jpg", 150);
    r += text("sysmess.wav", 150);
    r += text("incoming.wav", 150);
    r += text("sent.wav", 150);
    r += text("dropped.wav", 150);
    r += text("dropped2.wav", 150);
    r += text("begin.wav", 150);
    r += text("app.wav", 150);
    r += text("missed.wav", 150);
    r += text("Marble", 10);
    r += le16(0);                                        // no proxy
    r += text("", 150);
    r += le16(0);                                        // no fixed LAN provider
    r += text("", 50);
    r += le16(c.played);
    r += le16(c.won);
    r += le16(c.lost);
    r += le16(c.tied);
    r += spare1;
    r += nul(50);
    r += nul(50);
    r += le16(skill);
    r += nul(2);
    r += nul(2);
    return r;
}

// The computer's record as a fresh file gets it: the name, zero counters, nothing else.
inline std::string computer(Counters c = {}) {
    std::string r;
    r += text("Computer", 25);
    r += nul(10 + 25 + 2 + 150 + 8 * 150 + 10 + 2 + 150 + 2 + 50);
    r += le16(c.played);
    r += le16(c.won);
    r += le16(c.lost);
    r += le16(c.tied);
    r += nul(150 + 50 + 50 + 2 + 2 + 2);
    return r;
}

} // namespace golden
