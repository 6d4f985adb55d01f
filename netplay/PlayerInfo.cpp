#include "netplay/PlayerInfo.h"

#include "engine/GameControls.h"
#include "engine/State.h"
#include "engine/GameEnd.h"
#include "engine/playerfile/PlayerFile.h"

namespace netplay {

namespace {

// A counter as the opponent sees it; a damaged record's negative count shows as none played.
int shownCount(std::int16_t value) { return value < 0 ? 0 : value; }

void setCaption(platform::ui::Label& label, const std::optional<std::string>& text) {
    label.Caption = text.value_or(std::string());
}

} // namespace

wire::PlayerInfoBlock ownPlayerInfo() {
    engine::State& s = engine::state();
    engine::PlayerRecord& record = s.PlayerRec;
    const engine::PlayerFile file;
    if (file.find(s.UserName, record) == 0) {
        if (file.problem() != engine::FileProblem::None) engine::TellPlayerFileProblem(file);
        // A buffer left holding the file's last record belongs to someone else.
        return wire::playerInfoFromCounters(wire::trimBlanks(s.UserName), wire::trimBlanks(s.UserLocation), 0, 0,
                                            0, 0);
    }
    using engine::PlayerField;
    return wire::playerInfoFromCounters(
        record.value(PlayerField::Name), record.value(PlayerField::Location),
        shownCount(record.number(PlayerField::Played)), shownCount(record.number(PlayerField::Won)),
        shownCount(record.number(PlayerField::Lost)), shownCount(record.number(PlayerField::Tied)));
}

void showOpponentInfo(const wire::PlayerInfoRead& info) {
    engine::GameControls* c = engine::state().controls;
    if (!c) return;
    setCaption(c->Label8, info.location);
    setCaption(c->Label7, info.name);
    setCaption(c->Label9, info.played);
    setCaption(c->Label10, info.won);
    setCaption(c->Label11, info.lost);
    setCaption(c->Label12, info.tied);
}

} // namespace netplay
