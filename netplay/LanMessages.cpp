#include "netplay/LanMessages.h"

#include "engine/Shared.h"
#include "engine/State.h"
#include "netplay/LanObjects.h"
#include "platform/com/Text.h"

namespace netplay {

std::string LanMoveMessage(const std::string& letter, int landingCell) {
    return std::string(1, LanMoveKind) + letter + std::to_string(landingCell);
}

std::string LanChatMessage(const std::string& line) {
    return std::string(1, LanChatKind) + line;
}

std::string LanInfoMessage(const std::string& playerInfoBlock) {
    return std::string(1, LanInfoKind) + playerInfoBlock;
}

void SendLanMessage(const std::string& text) {
    engine::State& s = engine::state();
    if (!s.DPlay) throw LanError(com::E_INVALIDARG, "no session");
    const com::LONG from = s.PlayerNumber;
    const com::LONG to = s.PlayerNumber == 1 ? 2 : 1;
    LanVariant buffer;
    buffer.v.vt = com::VT_BSTR;
    buffer.v.bstrVal = com::stringFromUtf8(text);
    if (!buffer.v.bstrVal) throw LanError(com::E_OUTOFMEMORY, "DPERR_OUTOFMEMORY");
    com::LONG result = 0;
    check(s.DPlay->Send(from, to, 0, buffer.v, &result));
}

namespace {

void sendTelling(const std::string& text, const char* what) {
    try {
        SendLanMessage(text);
    } catch (const LanError& e) {
        engine::AddStatusLine(std::string("System Message: ") + what + " could not be sent (" + e.what() + ").");
    }
}

} // namespace

void SendLanMove(const std::string& letter, int landingCell) {
    sendTelling(LanMoveMessage(letter, landingCell), "Your move");
}

void SendLanChat(const std::string& line) {
    sendTelling(LanChatMessage(line), "Your message");
}

void LeaveLanGame() {
    engine::State& s = engine::state();
    s.LanGame = 0;
    if (!s.DPlay) return;
    // A refusal to close changes nothing: releasing the object ends the session all the same.
    s.DPlay->Close();
    s.DPlay.reset();
}

std::optional<LanMessage> ReceiveLanMessage() {
    engine::State& s = engine::state();
    if (!s.DPlay) return std::nullopt;
    engine::ObjectRef<kvdplay::IkvDirectPlayMessage> message;
    check(s.DPlay->Receive(0, 0, DPRECEIVE_ALL, message.out()));
    if (!message) return std::nullopt;

    LanMessage m;
    com::LONG from = 0;
    check(message->get_dpidFrom(&from));
    m.from = from;
    if (m.from != 0) {
        // Only strings are sent by this game; a block that is no string reads as an empty text,
        // which no kind matches.
        LanVariant buffer;
        if (com::SUCCEEDED(message->get_vBuffer(&buffer.v)) && buffer.v.vt == com::VT_BSTR)
            m.text = com::utf8FromString(buffer.v.bstrVal).value_or(std::string());
        return m;
    }
    engine::ObjectRef<com::IDispatch> system;
    check(message->get_SystemMessage(system.out()));
    if (!system) return m;
    m.type = readNumber(system.get(), u"dwType");
    if (m.type == DPSYS_ADDPLAYER) {
        m.shortName = readText(system.get(), u"szShortName");
    } else if (m.type == DPSYS_ADDPLAYERTOGROUP) {
        // This message names no one: the player it adds is asked for by id.
        const com::LONG player = readNumber(system.get(), u"dpIdPlayer");
        com::BSTR friendly = nullptr, formal = nullptr;
        const com::HRESULT hr = s.DPlay->GetPlayerName(player, &friendly, &formal);
        m.shortName = takeText(friendly);
        takeText(formal);
        check(hr);
    }
    return m;
}

} // namespace netplay
