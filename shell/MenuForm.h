#pragma once
// The menu strip "menuform": a short window with the menu bar and the toolbar that the main
// window opens over its own top edge. It closes itself as soon as it loses the focus, and when
// it closes the main window follows it to where it was dragged.
#include "platform/ui/Form.h"
#include "platform/ui/FormSlot.h"
#include "platform/ui/Menus.h"

#include <cstdint>

namespace shell {

namespace ui = platform::ui;

class MenuForm final : public ui::Form {
public:
    MenuForm();

    ui::Toolbar Toolbar1{"Toolbar1"};

    ui::MenuItem mnugame{"mnugame", "&Game"};
    ui::MenuItem mnuplaylan{"mnuplaylan", "Play Network (LAN) Game"};
    ui::MenuItem mnuplayinet{"mnuplayinet", "Play Internet Game"};
    ui::MenuItem mnuplaycomputer{"mnuplaycomputer", "Play Against Computer"};
    ui::MenuItem mnu545spc{"mnu545spc", "-"};
    ui::MenuItem mnustats{"mnustats", "View Stats"};
    ui::MenuItem mnusep41{"mnusep41", "-"};
    ui::MenuItem mnuuser{"mnuuser", "Change &User"};
    ui::MenuItem mnusep3{"mnusep3", "-"};
    ui::MenuItem mnuexit{"mnuexit", "E&xit"};
    ui::MenuItem mnusettings{"mnusettings", "&Settings"};
    ui::MenuItem mnuwordlist{"mnuwordlist", "&View Dictionary"};
    ui::MenuItem mnuwebs{"mnuwebs", "&Web Links"};
    ui::MenuItem mnuupdate{"mnuupdate", "Check For Updates"};
    ui::MenuItem mnusp94{"mnusp94", "-"};
    ui::MenuItem mnuemail{"mnuemail", "&Email Quorvel Software"};
    ui::MenuItem mnugoweb{"mnugoweb", "&Quorvel Software Web Site"};
    ui::MenuItem mnusp45{"mnusp45", "-"};
    ui::MenuItem mnustore{"mnustore", "Discount Software Store"};
    ui::MenuItem mnushareware{"mnushareware", "Shareware Downloads"};
    ui::MenuItem mnusp39{"mnusp39", "-"};
    ui::MenuItem mnudownlds{"mnudownlds", "Other Quorvel Software Free Downloads"};
    ui::ControlArray<ui::MenuItem> mnudownload{"mnudownload", 5};
    ui::MenuItem mnuhelp{"mnuhelp", "&Help"};
    ui::MenuItem mnucontents{"mnucontents", "Help Contents"};
    ui::MenuItem mnusearch{"mnusearch", "&Search Help For.."};
    ui::MenuItem mnufaq{"mnufaq", "Frequently Asked Questions"};
    ui::MenuItem mnusep1{"mnusep1", "-"};
    ui::MenuItem mnuabout{"mnuabout", "&About Tessarine"};
    ui::MenuItem mnutech{"mnutech", "&Obtaining Technical Support"};

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_Unload(int& Cancel) override;
    void Toolbar1_ButtonClick(int Index);

    void mnustats_Click();
    void mnusettings_Click();
    void mnuabout_Click();
    void mnuwordlist_Click();
    void mnuuser_Click();
    void ToggleFullScreen();

    // Shows the strip. Opened by the pointer merely passing over the Menu button, it lies under
    // the click the player meant for that button: for a moment its presses run nothing.
    void open(bool byPointer);

private:
    void layout();
    void wire();

    // Where the strip stood once shown on the screen: only a move of the player's own drags the
    // game window along.
    bool m_shown = false;
    // When the pointer opened the strip (program clock, ms); -1 when a click did.
    std::int64_t m_pointedAt = -1;
    int m_shownLeft = 0;
    int m_shownTop = 0;
};

MenuForm& menuform();
MenuForm* menuformIfLoaded();

// Fills the main window's hooks (menu strip, quick rules) and the game-start commands.
void installShellHooks();

// The toolbar's buttons by index: text, or "" for a spacer.
const char* toolbarText(int index);

} // namespace shell
