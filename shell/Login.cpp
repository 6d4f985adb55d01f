#include "shell/Login.h"

#include "engine/GameEnd.h"
#include "engine/GameControls.h"
#include "engine/Shared.h"
#include "engine/State.h"
#include "engine/playerfile/PlayerFile.h"
#include "platform/text/Cp1252.h"
#include "platform/ui/Desktop.h"
#include "shell/Settings.h"
#include "window/MainWindow.h"

#include <algorithm>
#include <cctype>

namespace shell {

namespace {

using engine::PlayerField;

ui::FormSlot<Login>& slot() {
    static ui::FormSlot<Login> s;
    return s;
}

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// A player who logs on while the main window is still open (after the previous player deleted
// his profile) meets it as after a fresh start: his own board, status list and game state, none
// of the deleted player's.
void closeLeftOverMainWindow() {
    window::MainWindow* m = window::mainIfLoaded();
    if (!m) return;
    engine::State& s = engine::state();
    s.ComputerGame = 0;
    s.LanGame = 0;
    s.InetState = engine::InetIdle;
    s.GameOver = 0;
    s.TurnName.clear();
    s.Player1Name.clear();
    s.Player2Name.clear();
    m->Unload();
}

void notice(const std::string& text) {
    if (platform::Dialogs* d = engine::state().services.dialogs) d->msgBox(text, platform::vbOKOnly, LoginErrorTitle);
}

} // namespace

Login& login() {
    return slot()();
}

Login* loginIfLoaded() {
    return slot().peek();
}

bool hasPasswordInForce(const std::string& storedPassword) {
    return engine::trimmedKey(storedPassword).size() > 2;
}

Login::Login() : ui::Form("login") {
    layout();
    Combo1.onClick = [this] { Combo1_Click(); };
    Command1.onClick = [this] { Command1_Click(); };
    // Enter in the name or password box is Accept.
    const auto enterAccepts = [this](int& key) {
        if (key == 13) {
            key = 0;
            Command1_Click();
        }
    };
    Text1.onKeyPress = enterAccepts;
}

void Login::layout() {
    BorderStyle = ui::vbFixedDialog;
    Width = 4800;
    Height = 3300;
    Label2.Move(240, 180, 4320, 1200);
    add(Label2);
    Combo1.Move(240, 1500, 4320, 315);
    add(Combo1);
    Label1.Caption = "Password";
    Label1.Move(240, 1950, 1200, 255);
    Label1.Visible = false;
    add(Label1);
    Text1.PasswordChar = "*";
    Text1.Move(1440, 1920, 3120, 315);
    Text1.Visible = false;
    add(Text1);
    Command1.Caption = "Accept";
    Command1.Move(1680, 2520, 1440, 435);
    add(Command1);
}

void Login::Form_Load() {
    engine::State& s = engine::state();
    const ui::Desktop& desktop = ui::Desktop::instance();
    Left = (desktop.screenWidth() - Width) / 2;
    Top = (desktop.screenHeight() - Height) / 2;
    Caption = "Tessarine v" + s.AppVersion + " - Login";
    Label2.Caption = std::string("Enter or select your user name and enter your password if you have chosen to use one.") +
                     "\n\n" + "New users, enter your name or a nick-name that you wish to be know as.";
    engine::SetCurrentDirToAppPath();
    engine::PlayerFile file;
    const std::vector<engine::PlayerRecord> records = file.readAll();
    if (file.problem() != engine::FileProblem::None) engine::ShowPlayerFileProblem(file);
    for (const engine::PlayerRecord& record : records) {
        const std::string name = record.trimmed(PlayerField::Name);
        // The computer's own record is never offered, whatever its spelling.
        if (upper(name) == "COMPUTER") continue;
        Combo1.AddItem(name);
    }
}

void Login::Form_QueryUnload(int&, int UnloadMode) {
    if (UnloadMode != ui::vbFormControlMenu) return;
    if (platform::ProgramExit* exit = engine::state().services.exit) exit->exitProgram();
}

void Login::Combo1_Click() {
    Label1.Visible = false;
    Text1.Visible = false;
    engine::PlayerFile file;
    const std::string chosen = engine::trimmedKey(Combo1.Text.get());
    for (const engine::PlayerRecord& record : file.readAll()) {
        if (record.trimmed(PlayerField::Name) != chosen) continue;
        if (hasPasswordInForce(record.text(PlayerField::Password))) {
            Label1.Visible = true;
            Text1.Visible = true;
        }
    }
}

void Login::Command1_Click() {
    engine::State& s = engine::state();
    const std::string name = engine::trimmedKey(Combo1.Text.get());
    if (platform::text::utf8Length(name) < 2) return notice(EnterNameText);
    if (upper(name) == "COMPUTER") return notice(ReservedNameText);
    // A name the record cannot hold whole would never be found again: refuse it here.
    if (!platform::text::fitsCp1252(name)) return notice(NameCharactersText);
    if (platform::text::utf8Length(name) > engine::fieldSpec(PlayerField::Name).width) return notice(NameTooLongText);

    engine::PlayerFile file;
    const int found = file.find(name, s.PlayerRec);
    // A file that cannot be read says nothing about the name: it is not a new player.
    if (file.problem() != engine::FileProblem::None) return engine::ShowPlayerFileProblem(file);
    if (found > 0 && hasPasswordInForce(s.PlayerRec.text(PlayerField::Password)) &&
        engine::trimmedKey(Text1.Text.get()) != s.PlayerRec.trimmed(PlayerField::Password))
        return notice(InvalidPasswordText);
    closeLeftOverMainWindow();
    if (found == 0) {
        s.UserName = name;
        settings().Show();
        Unload();
        return;
    }
    LoadProfileFromRecord();
    window::main().Show();
    Unload();
}

void applyProxy(window::MainWindow* main, bool on, const std::string& address) {
    engine::State& s = engine::state();
    s.UseProxy = on ? "1" : "0";
    s.ProxyAddress = on ? address : std::string();
    if (!main) return;
    if (on) {
        main->Inet1.setAccessType(platform::inet::AccessNamedProxy);
        main->Inet1.setProxy(s.ProxyAddress);
    } else {
        // Without a proxy the Internet is reached directly, whoever logged on before.
        main->Inet1.setAccessType(platform::inet::AccessDirect);
        main->Inet1.setProxy({});
    }
}

void LoadProfileFromRecord() {
    engine::State& s = engine::state();
    const engine::PlayerRecord& r = s.PlayerRec;
    s.BoardFile = r.trimmed(PlayerField::BoardName) + ".bmp";
    s.UserName = r.trimmed(PlayerField::Name);
    const std::string provider = r.trimmed(PlayerField::LanProtocolName);
    s.LanProtocol = provider.size() > 3 ? provider : std::string();
    for (std::size_t i = 0; i < 8; ++i) s.*(engine::SoundEvents[i].variable) = r.trimmed(engine::SoundFileFields[i]);
    const std::int16_t skill = r.number(PlayerField::Skill);
    s.SkillLevel = skill >= 1 && skill <= 3 ? skill : static_cast<std::int16_t>(engine::Normal);
    s.UserLocation = r.trimmed(PlayerField::Location);
    const std::string photo = r.trimmed(PlayerField::PhotoAddress);
    s.PhotoUrl = photo.size() > 12 ? photo : std::string();
    window::MainWindow& m = window::main();
    applyProxy(&m, r.number(PlayerField::ProxyOn) == 1, r.trimmed(PlayerField::ProxyName));
    m.Caption = "Tessarine v" + s.AppVersion + " - " + engine::trimmedKey(s.UserName) + " Logged On";
}

} // namespace shell
