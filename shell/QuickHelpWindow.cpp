#include "shell/QuickHelpWindow.h"

#include "engine/GameControls.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/FormSlot.h"
#include "shell/HelpCommands.h"

namespace shell {

namespace {

ui::FormSlot<QuickHelpWindow>& slot() {
    static ui::FormSlot<QuickHelpWindow> s;
    return s;
}

} // namespace

QuickHelpWindow& quickhelp() {
    return slot()();
}

QuickHelpWindow* quickhelpIfLoaded() {
    return slot().peek();
}

QuickHelpWindow::QuickHelpWindow() : ui::Form("quickhelp") {
    Caption = "Tessarine - Quick Help";
    BorderStyle = ui::vbFixedSingle;
    Width = 7500;
    Height = 6330;
    const ui::Desktop& desktop = ui::Desktop::instance();
    Left = (desktop.screenWidth() - Width) / 2;
    Top = (desktop.screenHeight() - Height) / 2;

    ui::Font bold;
    bold.bold = true;

    Frame1.Caption = quick_texts::kObjectTitle;
    Frame1.Font = bold;
    Frame1.Move(120, 90, 7260, 1080);
    add(Frame1);
    Label1.Caption = quick_texts::kObject;
    Label1.Move(120, 270, 7020, 720);
    add(Label1, &Frame1);

    Frame2.Caption = quick_texts::kHowTitle;
    Frame2.Font = bold;
    Frame2.Move(120, 1260, 7260, 1680);
    add(Frame2);
    Label2.Caption = quick_texts::kHow;
    Label2.Move(120, 270, 7020, 1320);
    add(Label2, &Frame2);

    Frame3.Caption = quick_texts::kDirectionTitle;
    Frame3.Font = bold;
    Frame3.Move(120, 3030, 7260, 1980);
    add(Frame3);
    Image1.Picture = ui::Picture::load(engine::storePicturePath(DirectionsPicture));
    Image1.Move(240, 300, 2250, 1560);
    Image1.Stretch = true;
    add(Image1, &Frame3);
    Label3.Move(2700, 360, 4440, 1500);
    add(Label3, &Frame3);

    Label4.Caption = quick_texts::kSeeFullHelp;
    Label4.Move(180, 5160, 4200, 255);
    add(Label4);
    Image2.Picture = ui::Picture::load(engine::storePicturePath(QuickHelpBanner));
    Image2.Move(180, 5520, 4500, 600);
    Image2.Stretch = true;
    add(Image2);

    Command2.Caption = "Open Full Help";
    Command2.Move(4920, 5100, 2460, 450);
    Command2.onClick = [this] { Command2_Click(); };
    add(Command2);
    Command1.Caption = "Close Quick Help";
    Command1.Move(4920, 5670, 2460, 450);
    Command1.onClick = [this] { Command1_Click(); };
    add(Command1);
}

void QuickHelpWindow::Form_Load() {
    Label3.Caption = quick_texts::kDirections;
}

void QuickHelpWindow::Command1_Click() {
    Unload();
}

void QuickHelpWindow::Command2_Click() {
    ShowHelpContents();
    Unload();
}

} // namespace shell
