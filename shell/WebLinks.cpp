#include "shell/WebLinks.h"

#include "engine/State.h"

#include <string>

namespace shell {

const std::array<WebLinkInfo, WebLinkCount>& webLinks() {
    static const std::array<WebLinkInfo, WebLinkCount> links = {{
        {WebLink::Email, TESSARINE_LINK_EMAIL},
        {WebLink::WebSite, TESSARINE_LINK_WEBSITE},
        {WebLink::Store, TESSARINE_LINK_STORE},
        {WebLink::Shareware, TESSARINE_LINK_SHAREWARE},
        {WebLink::Download1, TESSARINE_LINK_DOWNLOAD1},
        {WebLink::Download2, TESSARINE_LINK_DOWNLOAD2},
        {WebLink::Download3, TESSARINE_LINK_DOWNLOAD3},
        {WebLink::Download4, TESSARINE_LINK_DOWNLOAD4},
        {WebLink::Download5, TESSARINE_LINK_DOWNLOAD5},
    }};
    return links;
}

std::string_view webLinkTarget(WebLink link) {
    return webLinks()[static_cast<std::size_t>(link)].target;
}

std::string_view downloadCaption(int item) {
    static constexpr std::array<std::string_view, DownloadCount> captions = {
        TESSARINE_DOWNLOAD1_CAPTION, TESSARINE_DOWNLOAD2_CAPTION, TESSARINE_DOWNLOAD3_CAPTION,
        TESSARINE_DOWNLOAD4_CAPTION, TESSARINE_DOWNLOAD5_CAPTION};
    if (item < 1 || item > DownloadCount) return {};
    return captions[static_cast<std::size_t>(item - 1)];
}

void OpenWebLink(WebLink link) {
    const engine::State& s = engine::state();
    // The desktop opens relative files from the program folder.
    const std::string target(webLinkTarget(link));
    if (s.services.shell && s.services.shell->open(target)) return;
    if (s.services.dialogs)
        s.services.dialogs->msgBox("The link " + target +
                                       " could not be opened. No web browser or mail program on this computer "
                                       "would take it.\n\nPlease open it yourself, or install a web browser.",
                                   platform::vbOKOnly + platform::vbInformation, WebLinkErrorTitle);
}

} // namespace shell
