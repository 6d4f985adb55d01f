#pragma once
// The window "Provider": the first step of a LAN game. It lists the network library's service
// providers, lets the player choose the connection, makes the session object for it and hands
// over to the host-or-join window. A provider saved in the player's profile is picked by itself,
// once per run.
#include "engine/ObjectRef.h"
#include "kvdplay/Interfaces.h"
#include "platform/ui/Form.h"
#include "platform/ui/Timer.h"

namespace netplay {

namespace ui = platform::ui;

class ProviderWindow final : public ui::Form {
public:
    ProviderWindow();

    ui::Label Label1{"Label1"};
    ui::Label Label2{"Label2"};
    ui::ListBox lstProviders{"lstProviders"};
    ui::CommandButton btnOK{"btnOK"};
    ui::CommandButton btnCancel{"btnCancel"};
    ui::CommandButton Command1{"Command1"};
    ui::Timer Timer1{"Timer1"};

    void Form_Load() override;
    void btnOK_Click();
    void lstProviders_DblClick();
    void btnCancel_Click();
    void Command1_Click();
    void Timer1_Timer();

private:
    // Row i stands for item i of the collection the window keeps for its whole life.
    void choose(int row);

    engine::ObjectRef<kvdplay::IkvDirectPlayProviders> m_providers;
};

// The default instance: the first use loads the window.
ProviderWindow& Provider();
// The loaded window, or null; never loads it.
ProviderWindow* ProviderIfLoaded();

// The LAN command of the menu, after the Internet guard: a new global object of the network
// library (the one held before goes), then the provider window, modeless.
void StartLanSetup();

// Shows the help file's page on LAN games (the Help buttons of the LAN windows).
void ShowLanGameHelp();

inline constexpr const char* LanHelpFile = "TESSARINE.HLP";
inline constexpr int LanHelpContext = 70;
inline constexpr const char* ModemRowText = "     ";
inline constexpr const char* ChooseConnectionText =
    "Please select a connection method from the list above, or press Cancel to abort.";
inline constexpr const char* ProgramTitle = "Tessarine";

} // namespace netplay
