#include "netplay/LanProviderWindow.h"

#include "engine/State.h"
#include "netplay/LanObjects.h"
#include "netplay/LanSelectPlay.h"
#include "platform/ui/CommonDialog.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/FormSlot.h"

#include <algorithm>
#include <cctype>

namespace netplay {

namespace {

ui::FormSlot<ProviderWindow>& slot() {
    static ui::FormSlot<ProviderWindow> s;
    return s;
}

void showBox(const std::string& text) {
    if (platform::Dialogs* dialogs = engine::state().services.dialogs) dialogs->msgBox(text, platform::vbOKOnly, ProgramTitle);
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

engine::ObjectRef<kvdplay::IkvDirectPlayProvider> providerAt(kvdplay::IkvDirectPlayProviders* providers, long index) {
    engine::ObjectRef<com::IDispatch> item;
    check(providers->get_Item(index, item.out()));
    engine::ObjectRef<kvdplay::IkvDirectPlayProvider> provider;
    check(item->QueryInterface(kvdplay::IID_IkvDirectPlayProvider, reinterpret_cast<void**>(provider.out())));
    return provider;
}

} // namespace

ProviderWindow& Provider() {
    return slot()();
}

ProviderWindow* ProviderIfLoaded() {
    return slot().peek();
}

void ShowLanGameHelp() {
    // Lives for the whole run, like the main window's own help dialog.
    static auto* dialog = new ui::CommonDialog("CommonDialog1");
    dialog->HelpFile = std::string(LanHelpFile);
    dialog->HelpContext = LanHelpContext;
    dialog->HelpCommand = 1;
    dialog->ShowHelp();
}

void StartLanSetup() {
    engine::State& s = engine::state();
    try {
        s.DPGlobal = createGlobal();
    } catch (const LanError& e) {
        // Without the network library there is no LAN game to set up.
        showBox(std::string("Network play is not available on this computer (") + e.what() + ").");
        return;
    }
    Provider().Show();
}

ProviderWindow::ProviderWindow() : ui::Form("Provider") {
    Caption = "Tessarine Network (LAN) Options";
    BorderStyle = ui::vbFixedDialog;
    Width = 5400;
    Height = 3420;

    Label1.Caption = "Select which network connection to use.";
    Label1.Move(120, 120, 5160, 255);
    add(Label1);
    lstProviders.Move(120, 420, 5160, 1650);
    add(lstProviders);
    Label2.Caption = "( If unsure, ask your network administrator )";
    Label2.Alignment = ui::Center;
    Label2.Move(120, 2130, 5160, 255);
    add(Label2);
    btnOK.Caption = "Accept";
    btnOK.Move(120, 2520, 1575, 375);
    add(btnOK);
    btnCancel.Caption = "Cancel";
    btnCancel.Move(1912, 2520, 1575, 375);
    add(btnCancel);
    Command1.Caption = "Help";
    Command1.Move(3705, 2520, 1575, 375);
    add(Command1);
    Timer1.Interval = 50;
    Timer1.Enabled = false;
    add(Timer1);

    btnOK.onClick = [this] { btnOK_Click(); };
    lstProviders.onDblClick = [this] { lstProviders_DblClick(); };
    btnCancel.onClick = [this] { btnCancel_Click(); };
    Command1.onClick = [this] { Command1_Click(); };
    Timer1.onTimer = [this] { Timer1_Timer(); };
}

void ProviderWindow::Form_Load() {
    engine::State& s = engine::state();
    const ui::Desktop& desktop = ui::Desktop::instance();
    Left = (desktop.screenWidth() - Width) / 2;
    Top = (desktop.screenHeight() - Height) / 2;

    if (s.DPGlobal) {
        try {
            check(s.DPGlobal->DirectPlayEnumerate(m_providers.out()));
            com::LONG count = 0;
            check(m_providers->get_Count(&count));
            for (long i = 0; i < count; ++i) {
                com::BSTR name = nullptr;
                check(providerAt(m_providers.get(), i)->get_FriendlyName(&name));
                const std::string text = takeText(name);
                // Modem connections are shown blank and cannot be chosen.
                lstProviders.AddItem(upper(text).find("MODEM") != std::string::npos ? ModemRowText : text);
            }
        } catch (const LanError& e) {
            showBox(std::string("The network connections could not be listed (") + e.what() + ").");
        }
    }
    if (s.LanProtocol.size() > 3) Timer1.Enabled = true;
}

void ProviderWindow::choose(int row) {
    engine::State& s = engine::state();
    if (row < 0 || row >= lstProviders.ListCount() || lstProviders.List(row) == ModemRowText || !m_providers) {
        showBox(ChooseConnectionText);
        return;
    }
    try {
        com::VARIANT id;
        com::VariantInit(&id);
        const com::HRESULT got = providerAt(m_providers.get(), row)->get_ProviderId(&id);
        engine::ObjectRef<kvdplay::IkvDirectPlay> session;
        const com::HRESULT made = com::SUCCEEDED(got) ? s.DPGlobal->DirectPlayCreate(id, session.out()) : got;
        com::VariantClear(&id);
        check(made);
        // A LAN game under way keeps its session until the new game is hosted or joined;
        // otherwise the previous session object goes now.
        if (s.LanGame == 1 && s.DPlay) LanSetupSession() = std::move(session);
        else s.DPlay = std::move(session);
    } catch (const LanError& e) {
        showBox(std::string("The network connection could not be opened (") + e.what() + ").");
        return;
    }
    Unload();
    netSelectPlay().Show();
}

void ProviderWindow::btnOK_Click() {
    choose(lstProviders.ListIndex);
}

void ProviderWindow::lstProviders_DblClick() {
    btnOK_Click();
}

void ProviderWindow::btnCancel_Click() {
    Unload();
}

void ProviderWindow::Command1_Click() {
    ShowLanGameHelp();
}

void ProviderWindow::Timer1_Timer() {
    engine::State& s = engine::state();
    // Only the first opening in a run picks the saved connection by itself.
    if (s.ProviderAutoDone == 1) return;
    s.ProviderAutoDone = 1;
    Timer1.Enabled = false;
    const std::string wanted = trimmed(s.LanProtocol);
    for (int row = 0; row < lstProviders.ListCount(); ++row) {
        // A blank (modem) row is never the saved connection, even for a saved name of blanks.
        if (lstProviders.List(row) == ModemRowText) continue;
        if (trimmed(lstProviders.List(row)) == wanted) {
            lstProviders.ListIndex = row;
            choose(row);
            return;
        }
    }
}

} // namespace netplay
