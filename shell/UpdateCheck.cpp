#include "shell/UpdateCheck.h"

namespace shell {

std::size_t markerPosition(std::string_view text, std::string_view marker) {
    const std::size_t at = text.find(marker);
    return at == std::string_view::npos ? 0 : at + 1;
}

UpdateVerdict interpretUpdateReply(std::string_view reply) {
    // A marker that opens the reply is not taken as the server's answer.
    if (markerPosition(reply, kCurrentMarker) > 1) return UpdateVerdict::Current;
    if (markerPosition(reply, kUpdatedMarker) > 1) return UpdateVerdict::Updated;
    return UpdateVerdict::Failed;
}

} // namespace shell
