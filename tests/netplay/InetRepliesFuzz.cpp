// Any reply at all through every reader of the game: nothing may crash, read out of bounds or
// hand back a move the board cannot take.
#include "netplay/InetReplies.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view reply(reinterpret_cast<const char*>(data), size);

    const auto listing = netplay::readListing(reply);
    for (const auto& entry : listing.entries) {
        const auto line = netplay::waitingListLine(entry);
        const auto game = netplay::readWaitingListLine(line);
        if (game.selectable && game.gameId.size() > line.size()) std::abort();
    }
    netplay::readWaitingListLine(reply);

    const auto entry = netplay::readEntry(reply);
    if (entry.outcome == netplay::EntryRead::Outcome::Entered &&
        (entry.gameId.empty() || entry.gameId.find(' ') != std::string::npos))
        std::abort();
    netplay::readJoin(reply);
    netplay::postWritten(reply);

    const auto mailbox = netplay::readMailbox(reply);
    if (mailbox.move && (mailbox.move->letter < 0 || mailbox.move->letter > 25 || mailbox.move->cell < 0 ||
                         mailbox.move->cell > 41))
        std::abort();
    if ((mailbox.socketError || mailbox.nothingWaiting) && (mailbox.chat || mailbox.move || mailbox.quit))
        std::abort();
    if (mailbox.quit && (mailbox.move || mailbox.photoLink || mailbox.playData || mailbox.startGame)) std::abort();
    return 0;
}
