#include "netplay/wire/Requests.h"

#include <array>

#ifndef TESSARINE_SERVER_HOST
#define TESSARINE_SERVER_HOST "127.0.0.1"
#endif
#ifndef TESSARINE_SERVER_PORT
#define TESSARINE_SERVER_PORT 8642
#endif

namespace netplay::wire {

namespace {

constexpr std::array<ScriptInfo, 7> kScripts{{
    {Script::ReadWait, "readwait", 20, 0},
    {Script::JoinWait, "joinwait", 40, 8},
    {Script::JoinGame, "joingame", 60, 3},
    {Script::ExitWait, "exitwait", 0, 1},
    {Script::GetData, "getdata", 0, 1},
    {Script::PostData, "postdata", 0, 3},
    {Script::Updates, "updates", 15, 1},
}};

constexpr std::array<PostKindInfo, 6> kPostKinds{{
    {PostKind::Move, "MOVE", true, 0, Marker::Move, "*#*$", "$*#*"},
    {PostKind::Chat, "CHAT", true, 0, Marker::Chat, "***$$", "$$$**"},
    {PostKind::PicUrl, "PICURL", true, 0, Marker::PicUrl, "**#$", "$#**"},
    {PostKind::Quit, "QUIT", false, 20, Marker::QuitGame, "", ""},
    {PostKind::Start, "START", true, 0, Marker::StartGame, "", ""},
    {PostKind::Data, "DATA", true, 0, Marker::PlayData, "", ""},
}};

// The bytes a field cannot carry raw. The server's request-line parser (Boost.Beast's) refuses
// in an address the control bytes 0x00 to 0x1F and DEL 0x7F, and a blank ends the address; "+"
// separates the fields, "#" would end the address at the sender, "%" starts an escape, and the
// bytes from 0x80 up keep the address plain ASCII. Every other character goes as typed.
bool mustEscape(unsigned char c) {
    return c <= 0x20 || c == 0x7F || c >= 0x80 || c == '+' || c == '#' || c == '%';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

} // namespace

const ScriptInfo& scriptInfo(Script script) { return kScripts[static_cast<std::size_t>(script)]; }

std::optional<Script> scriptFromName(std::string_view name) {
    for (const auto& info : kScripts)
        if (info.name == name) return info.script;
    return std::nullopt;
}

const PostKindInfo& postKindInfo(PostKind kind) { return kPostKinds[static_cast<std::size_t>(kind)]; }

std::optional<PostKind> postKindFromName(std::string_view name) {
    for (const auto& info : kPostKinds)
        if (info.name == name) return info.kind;
    return std::nullopt;
}

const PostKindInfo* postKindsBegin() { return kPostKinds.data(); }
const PostKindInfo* postKindsEnd() { return kPostKinds.data() + kPostKinds.size(); }

std::string defaultServerAddress() {
    return std::string(TESSARINE_SERVER_HOST) + ":" + std::to_string(defaultServerPort());
}

std::uint16_t defaultServerPort() { return static_cast<std::uint16_t>(TESSARINE_SERVER_PORT); }

std::string encodeField(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(utf8.size());
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (mustEscape(c)) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        } else {
            out += ch;
        }
    }
    return out;
}

std::optional<std::string> decodeField(std::string_view encoded) {
    std::string out;
    out.reserve(encoded.size());
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] != '%') {
            out += encoded[i];
            continue;
        }
        if (i + 2 >= encoded.size()) return std::nullopt;
        const int high = hexValue(encoded[i + 1]);
        const int low = hexValue(encoded[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::string formQuery(const std::vector<std::string>& fields) {
    std::string query;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) query += '+';
        query += encodeField(fields[i]);
    }
    return query;
}

std::optional<std::vector<std::string>> splitQuery(std::string_view query) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const auto plus = query.find('+', start);
        const auto piece = query.substr(start, plus == std::string_view::npos ? std::string_view::npos : plus - start);
        auto decoded = decodeField(piece);
        if (!decoded) return std::nullopt;
        fields.push_back(std::move(*decoded));
        if (plus == std::string_view::npos) break;
        start = plus + 1;
    }
    return fields;
}

std::string requestUrl(std::string_view server, Script script, const std::vector<std::string>& fields) {
    std::string url = "http://";
    url += server;
    url += kPathPrefix;
    url += scriptInfo(script).name;
    url += kPathSuffix;
    if (script != Script::ReadWait && !fields.empty()) {
        url += '?';
        url += formQuery(fields);
    }
    return url;
}

std::vector<std::string> postFields(std::string_view outboxKey, PostKind kind, std::string_view payload) {
    std::vector<std::string> fields{std::string(trimBlanks(outboxKey)), std::string(postKindInfo(kind).name)};
    if (postKindInfo(kind).hasPayload) fields.emplace_back(payload);
    return fields;
}

std::string inboxKey(Side side, std::string_view gameId) {
    return (side == Side::Host ? "s" : "c") + std::string(trimBlanks(gameId));
}

std::string outboxKey(Side side, std::string_view gameId) {
    return inboxKey(side == Side::Host ? Side::Joiner : Side::Host, gameId);
}

std::string exitWaitField(std::string_view inboxKey) {
    if (inboxKey.empty()) return {};
    return std::string(trimBlanks(inboxKey.substr(1)));
}

std::optional<std::uint64_t> parseGameNumber(std::string_view text) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value == 0) return std::nullopt;
    return value;
}

std::optional<MailboxKey> parseMailboxKey(std::string_view key) {
    if (key.size() < 2 || (key[0] != 's' && key[0] != 'c')) return std::nullopt;
    const auto number = parseGameNumber(key.substr(1));
    if (!number) return std::nullopt;
    return MailboxKey{key[0] == 's' ? Side::Host : Side::Joiner, *number};
}

} // namespace netplay::wire
