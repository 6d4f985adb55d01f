#pragma once
// The menu strip's commands whose windows live elsewhere in the shell or in network play. The
// strip calls these; each is filled in by the part of the program that owns the window, and
// does nothing until then.
namespace shell {

void ShowStats();              // "View Stats", toolbar 7: the statistics window
void ShowWordList();           // "&View Dictionary", toolbar 13: the dictionary viewer
void ShowAbout();              // "&About Tessarine", toolbar 17
void ShowQuickRules();         // the main window's quick-help picture
void HelpContents();           // "Help Contents" (F1), toolbar 15
void HelpSearch();             // "&Search Help For.."
void HelpFaq();                // "Frequently Asked Questions"
void HelpTechSupport();        // "&Obtaining Technical Support"
void CheckForUpdates();        // "Check For Updates"
void OpenEmailLink();          // "&Email Quorvel Software"
void OpenWebSite();            // "&Quorvel Software Web Site"
void OpenStore();              // "Discount Software Store"
void OpenSharewareSite();      // the shareware download site
void OpenDownload(int which);  // the five links of "Other Quorvel Software Free Downloads", 0..4
void ShowInternetWaitingRoom();  // the waiting-room window, after the Internet guard
void ShowLanProvider();          // the service-provider window, after the Internet guard

} // namespace shell
