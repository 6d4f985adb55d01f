#include "shell/MenuActions.h"

#include "netplay/LanProviderWindow.h"
#include "netplay/WaitingRoomWindow.h"
#include "shell/AboutWindow.h"
#include "shell/DictionaryWindow.h"
#include "shell/HelpCommands.h"
#include "shell/LiveUpdate.h"
#include "shell/QuickHelpWindow.h"
#include "shell/StatsWindow.h"
#include "shell/WebLinks.h"

namespace shell {

void ShowStats() {
    stats().Show();
}

void ShowWordList() {
    wordlist().Show();
}

void ShowAbout() {
    about().Show();
}

void ShowQuickRules() {
    quickhelp().Show();
}

void HelpContents() {
    ShowHelpContents();
}

void HelpSearch() {
    ShowHelpSearch();
}

void HelpFaq() {
    ShowHelpFaq();
}

void HelpTechSupport() {
    ShowTechnicalSupport();
}

void CheckForUpdates() {
    RunUpdateCheck();
}

void OpenEmailLink() {
    OpenWebLink(WebLink::Email);
}

void OpenWebSite() {
    OpenWebLink(WebLink::WebSite);
}

void OpenStore() {
    OpenWebLink(WebLink::Store);
}

void OpenSharewareSite() {
    OpenWebLink(WebLink::Shareware);
}

void OpenDownload(int which) {
    if (which < 0 || which >= DownloadCount) return;
    OpenWebLink(static_cast<WebLink>(static_cast<int>(WebLink::Download1) + which));
}

void ShowInternetWaitingRoom() {
    netplay::inetstart().Show();
}

void ShowLanProvider() {
    netplay::StartLanSetup();
}

} // namespace shell
