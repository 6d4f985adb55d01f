#include "window/MainWindow.h"

#include "engine/Computer.h"
#include "engine/Dictionary.h"
#include "engine/Shared.h"
#include "engine/State.h"
#include "platform/text/Blanks.h"
#include "platform/ui/Desktop.h"
#include "netplay/InetPoll.h"
#include "netplay/LanReceive.h"
#include "netplay/LanSelectPlay.h"
#include "netplay/wire/Requests.h"
#include "window/ChatLine.h"
#include "window/LocalMove.h"
#include "window/LeaveInternet.h"
#include "window/ShellHooks.h"

namespace window {

namespace {

constexpr ui::Color BlueText = 0x0000FF;
constexpr ui::Color LightGrey = 0xC0C0C0;
constexpr int CounterWidth = 1035;   // from the panel's counter column to just short of the board

// Without a network the transfer control still answers: every request fails.
class NoNetwork final : public platform::HttpClient {
public:
    platform::HttpResult get(const std::string&, const platform::HttpOptions&) override {
        platform::HttpResult r;
        r.errorNumber = platform::inet::ErrorCannotConnect;
        r.errorDescription = "Cannot connect to the server";
        return r;
    }
};

platform::HttpClient& transferClient() {
    static NoNetwork none;
    platform::HttpClient* http = engine::state().services.http;
    return http ? *http : none;
}

ui::FormSlot<MainWindow>& slot() {
    static ui::FormSlot<MainWindow> s;
    return s;
}

} // namespace

ShellHooks& shellHooks() {
    static ShellHooks hooks;
    return hooks;
}

MainWindow& main() {
    return slot()();
}

MainWindow* mainIfLoaded() {
    return slot().peek();
}

MainWindow::MainWindow() : ui::Form("main"), engine::GameControls(transferClient()) {
    // The windows stay painted while a request waits for the server.
    Inet1.setWaitPainter(engine::state().services.waitPainter);
    layout();
    wire();
}

MainWindow::~MainWindow() {
    netplay::setPlayControl(nullptr);
}

// Positions in twips from the window's layout, bottom control first.
void MainWindow::layout() {
    BorderStyle = ui::vbBSNone;
    Width = 9270;
    Height = 6735;

    main1.Move(0, 0, 9270, 6735);
    main1.designWidth = 9270;
    main1.designHeight = 6735;
    add(main1);
    const auto inMain = [this](ui::Control& c) { add(c, &main1); };

    dragbar.Move(7020, 1110, 1875, 2985);
    inMain(dragbar);

    ui::Font bold;
    bold.bold = true;
    struct Caption {
        ui::Label& label;
        const char* text;
        int left, top, width, height;
    };
    for (const Caption& c : {Caption{Label1, "Player ID", 480, 2010, 1575, 225}, Caption{Label2, "From", 480, 2490, 1575, 225},
                             Caption{Label3, "Played:", 750, 3300, 765, 225}, Caption{Label4, "Won:", 750, 3570, 585, 225},
                             Caption{Label5, "Lost:", 750, 3840, 675, 225}, Caption{Label6, "Tied:", 750, 4140, 645, 225}}) {
        c.label.Caption = c.text;
        c.label.Font = bold;
        c.label.Move(c.left, c.top, c.width, c.height);
        inMain(c.label);
    }
    struct Panel {
        ui::Label& label;
        int left, top, width, height;
    };
    for (const Panel& p : {Panel{Label7, 480, 2220, 1575, 225}, Panel{Label8, 480, 2700, 1575, 495}}) {
        p.label.Font = bold;
        p.label.ForeColor = BlueText;
        p.label.Move(p.left, p.top, p.width, p.height);
        inMain(p.label);
    }
    // The four counters reach to the board's edge on one line, so every count up to 32767 shows
    // whole.
    for (const Panel& p : {Panel{Label9, 1485, 3300, CounterWidth, 225}, Panel{Label10, 1485, 3570, CounterWidth, 225},
                           Panel{Label11, 1485, 3840, CounterWidth, 225}, Panel{Label12, 1485, 4140, CounterWidth, 225}}) {
        p.label.Font = bold;
        p.label.ForeColor = BlueText;
        p.label.WordWrap = false;
        p.label.Move(p.left, p.top, p.width, p.height);
        inMain(p.label);
    }
    Line1.setEnds(510, 3210, 2040, 3210);
    inMain(Line1);
    Picture1.Move(510, 4950, 1545, 1305);
    inMain(Picture1);

    Blank.Move(1560, 4380, 480, 480);
    Blank.Stretch = true;
    Blank.Tag = "xx";
    inMain(Blank);

    const int columnLeft[7] = {2652, 3280, 3905, 4515, 5140, 5770, 6400};
    const int rowTop[6] = {4005, 3372, 2740, 2110, 1480, 855};
    for (int cell = 0; cell < 42; ++cell) {
        const int row = cell / 7, column = cell % 7;
        Hole(cell).Move(columnLeft[column], cell == 35 ? 852 : rowTop[row], 480, 480);
        Hole(cell).Stretch = true;
        inMain(Hole(cell));
    }
    for (int column = 0; column < 7; ++column) {
        const int index = 42 + column;
        const int top = (index == 42 || index == 45 || index == 46) ? 165 : 150;
        Hole(index).Move(index == 46 ? 5160 : columnLeft[column], top, 480, 480);
        inMain(Hole(index));
    }

    const int rackLeft[2] = {7470, 8010};
    const int rackTop[4] = {1650, 2190, 2730, 3270};
    const auto tiles = rack();
    for (int i = 0; i < 8; ++i) {
        ui::Image& tile = *tiles[static_cast<std::size_t>(i)];
        tile.Move(rackLeft[i % 2], rackTop[i / 2], 480, 480);
        tile.DragMode = ui::vbAutomatic;
        tile.Stretch = true;
        tile.ToolTipText = "Click, hold, and drag to desired location.";
        inMain(tile);
    }

    Image9.Move(7485, 570, 450, 435);
    Image9.Stretch = true;
    Image9.ToolTipText = "Click Here For Quick Help.";
    Image9.Picture = ui::Picture::load(engine::storePicturePath("quickhelp"));
    inMain(Image9);
    soundbutton.Move(8115, 570, 450, 435);
    soundbutton.Stretch = true;
    soundbutton.ToolTipText = "Click here to toggle sound on or off.";
    // The same artwork as the store's sound-on picture, loaded on its own: not the same picture.
    soundbutton.Picture = ui::Picture::load(engine::storePicturePath("soundon"));
    inMain(soundbutton);
    Image10.Move(330, 660, 1875, 660);
    Image10.Stretch = true;
    Image10.Picture = ui::Picture::load(engine::storePicturePath("logo"));
    inMain(Image10);

    MenuButton.Move(60, 30, 1995, 615);
    inMain(MenuButton);
    MinButton.Move(8310, 210, 345, 345);
    inMain(MinButton);
    CloseButton.Move(8610, 240, 345, 285);
    CloseButton.ToolTipText = "Click here to exit.";
    inMain(CloseButton);
    light.Move(8985, 120, 180, 180);
    light.Picture = Pics.offlight.Picture;
    inMain(light);

    Label13.Move(7245, 4320, 1395, 285);
    Label13.Alignment = ui::Center;
    // One line in a slightly smaller type, so "Waiting for Player" fits the caption box whole.
    ui::Font turnFont;
    turnFont.size = 7.5;
    Label13.Font = turnFont;
    Label13.WordWrap = false;
    inMain(Label13);
    StatusText.Move(2520, 4890, 6045, 840);
    StatusText.BackColor = LightGrey;
    inMain(StatusText);
    ChatText.Move(2580, 6060, 4665, 195);
    ChatText.BackColor = LightGrey;
    // No longer than the game server delivers, so nothing a player types is dropped on the way.
    ChatText.MaxLength = static_cast<int>(netplay::wire::kChatLineMaxChars);
    inMain(ChatText);
    SendButton.Move(7590, 5985, 1185, 375);
    SendButton.ToolTipText = "Click to send message.";
    inMain(SendButton);

    // Shown over the opponent's photo while it downloads: the picture box holds it.
    Label14.Move(60, 390, 1365, 480);
    Label14.Caption = "Downloading Picture";
    Label14.Font = bold;
    Label14.Visible = false;
    add(Label14, &Picture1);

    inettimer.Interval = 10000;
    inettimer.Enabled = false;
    add(inettimer);
    lantimer.Interval = 50;
    lantimer.Enabled = false;
    add(lantimer);
}

void MainWindow::wire() {
    MinButton.onClick = [this] { MinButton_Click(); };
    MenuButton.onClick = [this] { MenuButton_Click(); };
    MenuButton.onMouseMove = [this](int b, int s, float x, float y) { MenuButton_MouseMove(b, s, x, y); };
    Image9.onClick = [this] { Image9_Click(); };
    soundbutton.onClick = [this] { soundbutton_Click(); };
    CloseButton.onClick = [this] { CloseButton_Click(); };
    dragbar.onDragOver = [this](ui::Control& source, float x, float y, int state) { dragbar_DragOver(source, x, y, state); };
    for (int i = 0; i < Hole.count(); ++i)
        Hole(i).onDragDrop = [this, i](ui::Control& source, float x, float y) { Hole_DragDrop(i, source, x, y); };
    lantimer.onTimer = [this] { lantimer_Timer(); };
    inettimer.onTimer = [this] { inettimer_Timer(); };
    SendButton.onClick = [this] { SendButton_Click(); };
    ChatText.onKeyPress = [this](int& key) { ChatText_KeyPress(key); };

    // A tile dropped anywhere but on a board cell goes back to the rack: the hidden slot would
    // otherwise be refilled as if played, losing one tile and doubling another.
    const auto elsewhere = [this](ui::Control& source, float x, float y) { DropElsewhere(source, x, y); };
    onDragDrop = elsewhere;
    for (ui::Control* c : controls())
        if (!c->onDragDrop) c->onDragDrop = elsewhere;
}

void MainWindow::Form_Load() {
    engine::State& s = engine::state();
    s.controls = this;
    ui::Desktop::instance().setMainForm(this);
    kvPlay1.object();
    netplay::setPlayControl(&kvPlay1);
    const ui::Desktop& desktop = ui::Desktop::instance();
    Left = (desktop.screenWidth() - Width) / 2;
    Top = (desktop.screenHeight() - Height) / 2;
    main1.Width = Width;
    main1.Height = Height;
    main1.Top = 0;
    main1.Left = 0;
    Caption = "Tessarine v" + s.AppVersion + " - " + std::string(platform::text::trimBlanks(s.UserName)) + " Logged On";
    engine::SetCurrentDirToAppPath();
    engine::AddStatusLine("");
    engine::AddStatusLine("Welcome " + s.UserName + ".   Click Menu to begin play.");
    Image10.ToolTipText = "Tessarine v" + s.AppVersion + " " + NoticeText;
    s.SoundOn = 1;
    s.MyColour = "blue";
    Picture1.Picture = Pics.photona.Picture;
    if (s.BoardFile.empty()) s.BoardFile = "Marble.bmp";
    // A board that cannot be loaded falls back to the marble board, then to none; play goes on.
    bool boardLoaded = false;
    main1.Picture = ui::Picture::load(s.BoardFile, &boardLoaded);
    if (!boardLoaded) main1.Picture = ui::Picture::load("Marble.bmp");
    engine::LoadWordList();
    for (int cell = 0; cell < 42; ++cell) {
        Hole(cell).Picture = Blank.Picture;
        Hole(cell).Tag = Blank.Tag;
    }
}

void MainWindow::Form_Activate() {
    MenuButton.Enabled = true;
}

void MainWindow::Form_Deactivate() {
    MenuButton.Enabled = false;
}

void MainWindow::Form_Resize() {
    // A minimised window has no size to follow.
    if (WindowState == ui::vbMinimized) return;
    main1.Height = Height;
    main1.Width = Width;
}

void MainWindow::Form_QueryUnload(int& Cancel, int UnloadMode) {
    // Only the player's own close asks; the program's unloading (a change of user) passes.
    if (UnloadMode != ui::vbFormControlMenu) return;
    if (!ConfirmCloseMain()) {
        Cancel = 1;
        return;
    }
    if (platform::ProgramExit* exit = engine::state().services.exit) exit->exitProgram();
}

void MainWindow::MinButton_Click() {
    WindowState = ui::vbMinimized;
}

void MainWindow::MenuButton_Click() {
    ShellHooks& hooks = shellHooks();
    if (hooks.menuVisible && hooks.menuVisible()) {
        if (hooks.hideAndUnloadMenu) hooks.hideAndUnloadMenu();
    } else if (hooks.showMenu) {
        hooks.showMenu();
    }
}

void MainWindow::MenuButton_MouseMove(int, int, float, float) {
    // Merely pointing at the button opens the strip.
    ShellHooks& hooks = shellHooks();
    if (hooks.pointMenu) hooks.pointMenu();
    else if (hooks.showMenu) hooks.showMenu();
}

void MainWindow::Image9_Click() {
    if (shellHooks().showQuickRules) shellHooks().showQuickRules();
}

void MainWindow::soundbutton_Click() {
    engine::State& s = engine::state();
    // The state is read from the button's picture, not from SoundOn.
    if (soundbutton.Picture == Pics.soundoff.Picture) {
        soundbutton.Picture = Pics.soundon.Picture;
        engine::AddStatusLine("System Message: Sound On");
        s.SoundOn = 1;
        engine::PlaySoundEvent(s.SoundSystemMessage);
    } else {
        soundbutton.Picture = Pics.soundoff.Picture;
        engine::AddStatusLine("System Message: Sound Off");
        s.SoundOn = 0;
    }
}

void MainWindow::CloseButton_Click() {
    if (!ConfirmCloseMain()) return;
    if (platform::ProgramExit* exit = engine::state().services.exit) exit->exitProgram();
}

void MainWindow::dragbar_DragOver(ui::Control& Source, float, float, int) {
    // A tile leaving the rack vanishes from its slot.
    Source.Visible = false;
}

void MainWindow::Hole_DragDrop(int Index, ui::Control& Source, float, float) {
    LocalMove(Index, Source);
}

void MainWindow::DropElsewhere(ui::Control&, float, float) {
    engine::RestoreTiles();
}

void MainWindow::lantimer_Timer() {
    // Against the computer the tick only starts its move when it is to play; nothing is received.
    if (engine::ComputerTurnTick()) return;
    receiveLanMessage();
}

void MainWindow::receiveLanMessage() {
    netplay::LanReceiveTick();
}

void MainWindow::inettimer_Timer() {
    netplay::InternetPollTick();
}

void MainWindow::SendButton_Click() {
    SendChatLine(ChatText);
}

void MainWindow::ChatText_KeyPress(int& KeyAscii) {
    // The key still reaches the box as usual.
    if (KeyAscii == 13 && !ChatText.Text.get().empty()) SendButton_Click();
}

} // namespace window
