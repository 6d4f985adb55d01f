#pragma once
// The requests of an Internet game: the server's scripts with their time-outs, the kinds of post
// with the reply markers that carry them back, and the one way a request's address is formed.
// Fields are joined by a literal "+" and go raw, all but the few bytes an address cannot carry
// (encodeField), so a blank, "#", "&" or "+" typed by a player reaches the other side as typed.
#include "netplay/wire/Markers.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace netplay::wire {

enum class Script { ReadWait, JoinWait, JoinGame, ExitWait, GetData, PostData, Updates };

struct ScriptInfo {
    Script script;
    std::string_view name;   // "readwait": the path is "/Tessarine/readwait.mv"
    int timeoutSeconds;      // set just before the request and back to 60 after; 0: keep the current one
    std::size_t fieldCount;  // fields of the query; postdata's vary with the kind
};

const ScriptInfo& scriptInfo(Script script);
std::optional<Script> scriptFromName(std::string_view name);

inline constexpr int kDefaultTimeoutSeconds = 60;
inline constexpr std::string_view kPathPrefix = "/Tessarine/";
inline constexpr std::string_view kPathSuffix = ".mv";
inline constexpr std::string_view kAppVersion = "1.1";
// The most characters the chat box takes; the server delivers every line this long.
inline constexpr std::size_t kChatLineMaxChars = 500;

enum class PostKind { Move, Chat, PicUrl, Quit, Start, Data };

struct PostKindInfo {
    PostKind kind;
    std::string_view name;        // the second field of the post
    bool hasPayload;              // QUIT carries none
    int timeoutSeconds;           // 0: keep the current one
    Marker replyMarker;           // the marker of its record in the mailbox reply
    std::string_view payloadOpen; // empty for the two player blocks, which carry their own markers
    std::string_view payloadClose;
};

const PostKindInfo& postKindInfo(PostKind kind);
std::optional<PostKind> postKindFromName(std::string_view name);
const PostKindInfo* postKindsBegin();
const PostKindInfo* postKindsEnd();

// "host:port" of the game server this build talks to.
std::string defaultServerAddress();
std::uint16_t defaultServerPort();

// One field as it goes into the address: every byte raw except the blank, "+", "#", "%", the
// control bytes, DEL and the bytes from 0x80 up, which become "%XX".
std::string encodeField(std::string_view utf8);
// The reverse, for raw and escaped bytes alike; absent for a "%" not followed by two hex digits.
std::optional<std::string> decodeField(std::string_view encoded);

// The query: every field encoded, joined by "+".
std::string formQuery(const std::vector<std::string>& fields);
// The server's reading of a query: split on "+" first, then each field decoded.
std::optional<std::vector<std::string>> splitQuery(std::string_view query);

// "http://" + server + "/Tessarine/" + script + ".mv", and "?" + query when the script takes
// fields (readwait never carries a "?").
std::string requestUrl(std::string_view server, Script script, const std::vector<std::string>& fields);

// The fields of a post: the mailbox key, the kind's name and (when the kind has one) the payload.
std::vector<std::string> postFields(std::string_view outboxKey, PostKind kind, std::string_view payload = {});

// Mailbox keys of a game: the host reads "s" & GameId, the joiner "c" & GameId.
enum class Side { Host, Joiner };
std::string inboxKey(Side side, std::string_view gameId);
std::string outboxKey(Side side, std::string_view gameId);
// What exitwait sends: the inbox key without its first character, trimmed.
std::string exitWaitField(std::string_view inboxKey);

struct MailboxKey {
    Side reader;             // whose mailbox: "s" the host's, "c" the joiner's
    std::uint64_t gameNumber;
};
// A key as the server accepts it: "s" or "c" and 1 to 10 digits.
std::optional<MailboxKey> parseMailboxKey(std::string_view key);
// A game number as the server hands it out: 1 to 10 digits, not zero.
std::optional<std::uint64_t> parseGameNumber(std::string_view text);

} // namespace netplay::wire
