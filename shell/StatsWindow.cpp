#include "shell/StatsWindow.h"

#include "engine/GameEnd.h"
#include "engine/Shared.h"
#include "engine/State.h"
#include "engine/GameControls.h"
#include "engine/playerfile/PlayerFile.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/FormSlot.h"
#include "shell/StatsRows.h"

namespace shell {

namespace {

ui::FormSlot<StatsWindow>& slot() {
    static ui::FormSlot<StatsWindow> s;
    return s;
}

// The rows of players.dat, in file order; nothing at all when there is no file.
std::optional<std::vector<StatsEntry>> readEntries() {
    engine::PlayerFile file;
    if (!file.exists()) return std::nullopt;
    const std::vector<engine::PlayerRecord> records = file.readAll();
    if (file.problem() != engine::FileProblem::None) {
        engine::ShowPlayerFileProblem(file);
        return std::nullopt;
    }
    std::vector<StatsEntry> entries;
    for (const engine::PlayerRecord& record : records) {
        // Every reader goes through the one record buffer.
        engine::PlayerRecord& rec = engine::state().PlayerRec;
        rec = record;
        entries.push_back({rec.value(engine::PlayerField::Name), rec.number(engine::PlayerField::Won),
                           rec.number(engine::PlayerField::Lost), rec.number(engine::PlayerField::Tied)});
    }
    return entries;
}

} // namespace

StatsWindow& stats() {
    return slot()();
}

StatsWindow* statsIfLoaded() {
    return slot().peek();
}

// The picture is 420 x 330 pixels: the titles sit over the list's columns, "Close Window" at the
// foot under Label1.
StatsWindow::StatsWindow() : ui::Form("stats") {
    Caption = "Tessarine - View Player Stats";
    BorderStyle = ui::vbFixedSingle;
    Width = 6300;
    Height = 4950;

    kvElastic1.Move(0, 0, 6300, 4950);
    kvElastic1.designWidth = 6300;
    kvElastic1.designHeight = 4950;
    kvElastic1.Picture = ui::Picture::load(engine::storePicturePath(StatsPicture));
    add(kvElastic1);

    ui::Font courier;
    courier.name = "Courier";
    courier.size = 9;
    List1.Font = courier;
    List1.Move(300, 960, 5700, 3150);
    add(List1, &kvElastic1);

    Label1.Move(2100, 4260, 2100, 360);
    Label1.ToolTipText = "Close Window";
    Label1.onClick = [this] { Label1_Click(); };
    add(Label1, &kvElastic1);
}

void StatsWindow::Form_Load() {
    const ui::Desktop& desktop = ui::Desktop::instance();
    Left = (desktop.screenWidth() - Width) / 2;
    Top = (desktop.screenHeight() - Height) / 2;
    kvElastic1.Height = Height.get();
    kvElastic1.Width = Width.get();
    for (const std::string& row : statsRows(readEntries())) List1.AddItem(row);
}

void StatsWindow::Form_Deactivate() {
    Unload();
}

void StatsWindow::Label1_Click() {
    Unload();
}

} // namespace shell
