#include "shell/MenuForm.h"

#include "engine/GameControls.h"
#include "engine/GameEnd.h"
#include "engine/GameOverSeam.h"
#include "engine/State.h"
#include "engine/playerfile/PlayerFile.h"
#include "netplay/LanMessages.h"
#include "platform/seams/Clock.h"
#include "platform/ui/Desktop.h"
#include "shell/GameStart.h"
#include "shell/Login.h"
#include "shell/MenuActions.h"
#include "shell/Settings.h"
#include "shell/WebLinks.h"
#include "window/LeaveInternet.h"
#include "window/MainWindow.h"
#include "window/ShellHooks.h"

#include <array>
#include <cstdint>

namespace shell {

namespace {

ui::FormSlot<MenuForm>& slot() {
    static ui::FormSlot<MenuForm> s;
    return s;
}

// How long presses on a strip the pointer opened run nothing: the click meant for the Menu
// button arrives within it, a deliberate choice on the strip comes later.
constexpr std::int64_t PointerOpeningHoldMs = 500;

std::int64_t nowMs() {
    platform::Clock* clock = engine::state().services.clock;
    return clock ? clock->monotonicMs() : 0;
}

// Index 1..23; the even spacers and 18, 19 and 22 carry no command.
constexpr std::array<const char*, 24> ToolbarTexts = {
    "",           "Play Computer", "", "Lan Play", "", "Internet Play", "", "View Player Stats", "", "Change User", "",
    "Settings",   "",              "View Word List", "", "Help", "", "About Tessarine", "", "", "",
    "Toggle Full Screen", "", "Exit"};

} // namespace

const char* toolbarText(int index) {
    return index >= 1 && index <= 23 ? ToolbarTexts[static_cast<std::size_t>(index)] : "";
}

MenuForm& menuform() {
    return slot()();
}

MenuForm* menuformIfLoaded() {
    return slot().peek();
}

MenuForm::MenuForm() : ui::Form("menuform") {
    layout();
    wire();
    refusesPresses = [this] { return m_pointedAt >= 0 && nowMs() - m_pointedAt < PointerOpeningHoldMs; };
}

void MenuForm::open(bool byPointer) {
    // A strip already on the screen keeps what opened it.
    if (!loaded() || !Visible) m_pointedAt = byPointer && engine::state().services.clock ? nowMs() : -1;
    Show();
}

void MenuForm::layout() {
    BorderStyle = ui::vbFixedSingle;
    Height = 1000;
    // The image list, one picture per command in toolbar order; a missing file leaves a button
    // with its text only.
    for (const char* name : {"tb_computer", "tb_lan", "tb_internet", "tb_stats", "tb_user", "tb_settings", "tb_wordlist",
                             "tb_help", "tb_about", "tb_fullscreen", "tb_exit"})
        Toolbar1.ImageList.push_back(ui::Picture::load(engine::storePicturePath(name)));
    int image = 0;
    for (int index = 1; index <= 23; ++index) {
        ui::ToolbarButton button;
        button.caption = toolbarText(index);
        button.toolTip = button.caption;
        button.style = button.caption.empty() ? ui::tbrPlaceholder : ui::tbrDefault;
        if (!button.caption.empty()) button.image = ++image;
        Toolbar1.addButton(button);
    }
    // Pictures only, so all eleven commands fit the strip; the texts show as tips.
    Toolbar1.ShowCaptions = false;
    Toolbar1.Move(0, 0, 9270, 1000);
    add(Toolbar1);

    add(mnugame);
    for (ui::MenuItem* item : {&mnuplaylan, &mnuplayinet, &mnuplaycomputer, &mnu545spc, &mnustats, &mnusep41, &mnuuser,
                               &mnusep3, &mnuexit})
        add(*item, &mnugame);
    add(mnusettings);
    add(mnuwordlist);
    add(mnuwebs);
    for (ui::MenuItem* item : {&mnuupdate, &mnusp94, &mnuemail, &mnugoweb, &mnusp45, &mnustore, &mnushareware, &mnusp39,
                               &mnudownlds})
        add(*item, &mnuwebs);
    for (int i = 0; i < mnudownload.count(); ++i) {
        mnudownload(i).Caption = std::string(downloadCaption(i + 1));
        add(mnudownload(i), &mnudownlds);
    }
    add(mnuhelp);
    mnucontents.Shortcut = "F1";
    for (ui::MenuItem* item : {&mnucontents, &mnusearch, &mnufaq, &mnusep1, &mnuabout, &mnutech}) add(*item, &mnuhelp);
}

void MenuForm::wire() {
    Toolbar1.onButtonClick = [this](int index) { Toolbar1_ButtonClick(index); };
    mnuplaylan.onClick = [] { mnuplaylan_Click(); };
    mnuplayinet.onClick = [] { mnuplayinet_Click(); };
    mnuplaycomputer.onClick = [] { mnuplaycomputer_Click(); };
    mnustats.onClick = [this] { mnustats_Click(); };
    mnuuser.onClick = [this] { mnuuser_Click(); };
    mnuexit.onClick = [] { mnuexit_Click(); };
    mnusettings.onClick = [this] { mnusettings_Click(); };
    mnuwordlist.onClick = [this] { mnuwordlist_Click(); };
    mnuupdate.onClick = [] { CheckForUpdates(); };
    mnuemail.onClick = [] { OpenEmailLink(); };
    mnugoweb.onClick = [] { OpenWebSite(); };
    mnustore.onClick = [] { OpenStore(); };
    mnushareware.onClick = [] { OpenSharewareSite(); };
    for (int i = 0; i < mnudownload.count(); ++i) mnudownload(i).onClick = [i] { OpenDownload(i); };
    mnucontents.onClick = [] { HelpContents(); };
    mnusearch.onClick = [] { HelpSearch(); };
    mnufaq.onClick = [] { HelpFaq(); };
    mnuabout.onClick = [this] { mnuabout_Click(); };
    mnutech.onClick = [] { HelpTechSupport(); };
}

void MenuForm::Form_Load() {
    engine::State& s = engine::state();
    window::MainWindow& m = window::main();
    Width = m.Width;
    Height = 1000;
    // Over the main window's top edge where the player sees it: maximised, it fills the screen.
    const ui::Rect at = m.screenPlace();
    Left = at.left;
    Top = at.top;
    Toolbar1.Width = Width;
    Caption = "Tessarine v" + s.AppVersion + " - " + engine::trimmedKey(s.UserName) + " Logged On";
}

void MenuForm::Form_Activate() {
    if (m_shown) return;
    m_shown = true;
    m_shownLeft = Left;
    m_shownTop = Top;
}

void MenuForm::Form_Deactivate() {
    Unload();
}

void MenuForm::Form_Unload(int&) {
    // The game window follows the strip, so dragging the strip by its caption moves the game; a
    // strip the screen's edge pushed into view when it opened moves nothing.
    if (window::MainWindow* m = window::mainIfLoaded(); m && m_shown && m->WindowState == ui::vbNormal) {
        if (Left != m_shownLeft) m->Left = m->Left + Left - m_shownLeft;
        if (Top != m_shownTop) m->Top = m->Top + Top - m_shownTop;
    }
}

void MenuForm::Toolbar1_ButtonClick(int Index) {
    switch (Index) {
    case 1: return mnuplaycomputer_Click();
    case 3: return mnuplaylan_Click();
    case 5: return mnuplayinet_Click();
    case 7: return mnustats_Click();
    case 9: return mnuuser_Click();
    case 11: return mnusettings_Click();
    case 13: return mnuwordlist_Click();
    case 15: return HelpContents();
    case 17: return mnuabout_Click();
    case 21: return ToggleFullScreen();
    case 23: return mnuexit_Click();
    default: return;
    }
}

void MenuForm::mnustats_Click() {
    ShowStats();
}

void MenuForm::mnusettings_Click() {
    // A player file that cannot be read says nothing about the logged-on player: the editor
    // would meet him as a new one. He is told, as at the login, and the editor stays closed.
    if (!settingsIfLoaded()) {
        engine::PlayerFile file;
        file.readAll();
        if (file.problem() != engine::FileProblem::None) return engine::ShowPlayerFileProblem(file);
    }
    settings().Show();
}

void MenuForm::mnuabout_Click() {
    ShowAbout();
}

void MenuForm::mnuwordlist_Click() {
    ShowWordList();
    Unload();
}

void MenuForm::mnuuser_Click() {
    // A running Internet game or a waiting entry is settled first, exactly as Exit would.
    if (!window::ConfirmLeaveInternet(window::CurrentlyPlayingText, false)) return;
    // The next player at this computer does not inherit a LAN opponent; that opponent is told.
    netplay::LeaveLanGame();
    engine::CloseGameOver();
    login().Show();
    if (window::MainWindow* m = window::mainIfLoaded()) m->Unload();
    Unload();
}

void MenuForm::ToggleFullScreen() {
    window::MainWindow& m = window::main();
    if (m.WindowState != ui::vbNormal) {
        m.WindowState = ui::vbNormal;
        const ui::Desktop& desktop = ui::Desktop::instance();
        m.Left = (desktop.screenWidth() - m.Width) / 2;
        m.Top = (desktop.screenHeight() - m.Height) / 2;
    } else {
        m.WindowState = ui::vbMaximized;
    }
}

void installShellHooks() {
    window::ShellHooks& hooks = window::shellHooks();
    hooks.menuVisible = [] {
        MenuForm* strip = menuformIfLoaded();
        return strip && strip->Visible;
    };
    hooks.showMenu = [] { menuform().open(false); };
    hooks.pointMenu = [] { menuform().open(true); };
    hooks.hideAndUnloadMenu = [] {
        if (MenuForm* strip = menuformIfLoaded()) {
            strip->Hide();
            strip->Unload();
        }
    };
    hooks.showQuickRules = [] { ShowQuickRules(); };
}

} // namespace shell
