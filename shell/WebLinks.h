#pragma once
// The web links of the "&Web Links" menu: each item hands one fixed target to the desktop's
// default browser or mail program. The targets and the captions of the five download items are
// settings of the build (see shell/CMakeLists.txt); a target that cannot be opened is reported.
#include <array>
#include <string_view>

namespace shell {

enum class WebLink {
    Email,       // mnuemail "&Email Quorvel Software"
    WebSite,     // mnugoweb "&Quorvel Software Web Site"
    Store,       // mnustore "Discount Software Store"
    Shareware,   // the shareware download site
    Download1,   // the five items of "Other Quorvel Software Free Downloads"
    Download2,
    Download3,
    Download4,
    Download5,
};

inline constexpr int WebLinkCount = 9;
inline constexpr int DownloadCount = 5;

struct WebLinkInfo {
    WebLink link;
    std::string_view target;   // address, "mailto:" address, or a file of the program folder
};

// The nine links in menu order.
const std::array<WebLinkInfo, WebLinkCount>& webLinks();
std::string_view webLinkTarget(WebLink link);

// Caption of download item 1..5 of the submenu; "" outside 1..5.
std::string_view downloadCaption(int item);

inline constexpr const char* WebLinkErrorTitle = "Web Link";

// Hands the link's target to the desktop; when nothing there can open it, the player is told.
void OpenWebLink(WebLink link);

} // namespace shell
