#include "netplay/InetRequests.h"

#include <random>

namespace netplay {

namespace {

std::string& currentServer() {
    static std::string address = wire::defaultServerAddress();
    return address;
}

std::string& currentToken() {
    static std::string token;
    return token;
}

std::string makeToken() {
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::random_device device;
    std::uniform_int_distribution<int> pick(0, 35);
    std::string token = "T";
    for (int i = 0; i < 15; ++i) token += kDigits[pick(device)];
    return token;
}

std::string trimmed(std::string_view text) { return std::string(wire::trimBlanks(text)); }

} // namespace

const std::string& serverAddress() { return currentServer(); }
void setServerAddress(std::string hostAndPort) { currentServer() = std::move(hostAndPort); }

const std::string& programToken() {
    if (currentToken().empty()) currentToken() = makeToken();
    return currentToken();
}
void setProgramToken(std::string token) { currentToken() = trimmed(token); }

std::string requestAddress(wire::Script script, const std::vector<std::string>& fields) {
    return wire::requestUrl(serverAddress(), script, fields);
}

namespace {

// One fetch with a given time-out rule: 0 keeps the control's current time-out.
Reply fetch(platform::inet::Inet& inet, const std::string& url, int timeoutSeconds) {
    if (timeoutSeconds > 0) inet.setRequestTimeout(timeoutSeconds);
    Reply reply;
    reply.text = inet.OpenURL(url);
    if (inet.errorNumber() != 0) {
        reply.failed = true;
        reply.text.clear();
        reply.failureText = inet.errorText();
    }
    if (timeoutSeconds > 0) inet.setRequestTimeout(wire::kDefaultTimeoutSeconds);
    return reply;
}

} // namespace

Reply sendRequest(platform::inet::Inet& inet, wire::Script script, const std::vector<std::string>& fields) {
    return fetch(inet, requestAddress(script, fields), wire::scriptInfo(script).timeoutSeconds);
}

Reply sendPost(platform::inet::Inet& inet, std::string_view outboxKey, wire::PostKind kind, std::string_view payload) {
    const auto url = requestAddress(wire::Script::PostData, wire::postFields(outboxKey, kind, payload));
    return fetch(inet, url, wire::postKindInfo(kind).timeoutSeconds);
}

std::vector<std::string> joinWaitFields(const WaitingRoomEntry& entry) {
    return {programToken(),
            trimmed(entry.userName),
            trimmed(entry.userLocation),
            std::to_string(entry.played),
            std::to_string(entry.won),
            entry.privateGame ? "YES" : "NO",
            entry.privateGame ? trimmed(entry.password) : "none",
            std::to_string(entry.waitSeconds)};
}

std::vector<std::string> joinGameFields(std::string_view gameId, std::string_view password) {
    return {trimmed(gameId), programToken(), trimmed(password)};
}

Reply fetchWaitingList(platform::inet::Inet& inet) { return sendRequest(inet, wire::Script::ReadWait, {}); }

Reply enterWaitingRoom(platform::inet::Inet& inet, const WaitingRoomEntry& entry) {
    return sendRequest(inet, wire::Script::JoinWait, joinWaitFields(entry));
}

Reply joinListedGame(platform::inet::Inet& inet, std::string_view gameId, std::string_view password) {
    return sendRequest(inet, wire::Script::JoinGame, joinGameFields(gameId, password));
}

Reply withdrawEntry(platform::inet::Inet& inet, std::string_view inboxKey) {
    return sendRequest(inet, wire::Script::ExitWait, {wire::exitWaitField(inboxKey)});
}

Reply fetchMailbox(platform::inet::Inet& inet, std::string_view inboxKey) {
    return sendRequest(inet, wire::Script::GetData, {trimmed(inboxKey)});
}

Reply checkVersion(platform::inet::Inet& inet, std::string_view appVersion) {
    return sendRequest(inet, wire::Script::Updates, {std::string(appVersion)});
}

bool postMove(platform::inet::Inet& inet, std::string_view outboxKey, char letter, int cell) {
    const Reply reply = sendPost(inet, outboxKey, wire::PostKind::Move, wire::movePayload(letter, cell));
    return wire::hasMarker(reply.text, wire::Marker::WriteOk);
}

Reply postChat(platform::inet::Inet& inet, std::string_view outboxKey, std::string_view line) {
    return sendPost(inet, outboxKey, wire::PostKind::Chat, wire::trimBlanks(line));
}

Reply postPhotoLink(platform::inet::Inet& inet, std::string_view outboxKey, std::string_view url) {
    return sendPost(inet, outboxKey, wire::PostKind::PicUrl, wire::trimBlanks(url));
}

Reply postPlayerInfo(platform::inet::Inet& inet, std::string_view outboxKey, wire::PostKind kind,
                     const wire::PlayerInfoBlock& block) {
    return sendPost(inet, outboxKey, kind, wire::formatPlayerInfoBlock(block));
}

Reply postQuit(platform::inet::Inet& inet, std::string_view outboxKey) {
    return sendPost(inet, outboxKey, wire::PostKind::Quit);
}

} // namespace netplay
