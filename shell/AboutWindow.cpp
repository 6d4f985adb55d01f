#include "shell/AboutWindow.h"

#include "engine/GameControls.h"
#include "engine/State.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/FormSlot.h"
#include "shell/HelpCommands.h"

namespace shell {

namespace {

ui::FormSlot<AboutWindow>& slot() {
    static ui::FormSlot<AboutWindow> s;
    return s;
}

} // namespace

AboutWindow& about() {
    return slot()();
}

AboutWindow* aboutIfLoaded() {
    return slot().peek();
}

AboutWindow::AboutWindow() : ui::Form("about") {
    BorderStyle = ui::vbFixedDialog;
    Width = 5700;
    Height = 4380;

    Image1.Picture = ui::Picture::load(engine::storePicturePath("logo"));
    Image1.Move(240, 240, 1875, 660);
    Image1.Stretch = true;
    add(Image1);

    ui::Font bold;
    bold.bold = true;
    bold.size = 12;
    Label1.Caption = about_texts::kTitle;
    Label1.Font = bold;
    Label1.Move(2340, 300, 3120, 330);
    add(Label1);
    Label2.Caption = about_texts::kGame;
    Label2.Move(2340, 660, 3120, 900);
    add(Label2);

    Image2.Picture = ui::Picture::load(engine::storePicturePath(AboutBanner));
    Image2.Move(240, 1650, 5220, 480);
    Image2.Stretch = true;
    add(Image2);

    Label4.Caption = about_texts::kNotice;
    Label4.Move(240, 2280, 5220, 900);
    add(Label4);

    Label3.Caption = about_texts::kSupportLink;
    Label3.ForeColor = 0x0000FF;
    Label3.ToolTipText = "Click here for help on obtaining technical support.";
    Label3.Move(240, 3270, 3000, 255);
    Label3.onClick = [this] { Label3_Click(); };
    add(Label3);

    Command1.Caption = "OK";
    Command1.Move(4200, 3660, 1260, 450);
    Command1.onClick = [this] { Command1_Click(); };
    add(Command1);
}

void AboutWindow::Form_Load() {
    const ui::Desktop& desktop = ui::Desktop::instance();
    Left = (desktop.screenWidth() - Width) / 2;
    Top = (desktop.screenHeight() - Height) / 2;
    Caption = "Tessarine - Version " + engine::state().AppVersion;
}

void AboutWindow::Form_Deactivate() {
    Unload();
}

void AboutWindow::Command1_Click() {
    Unload();
}

void AboutWindow::Label3_Click() {
    ShowTechnicalSupport();
}

} // namespace shell
