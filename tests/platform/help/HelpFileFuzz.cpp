// Any bytes must read as a help file without a crash, and every topic found must render.
#include "platform/help/HelpFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto file = platform::help::HelpFile::parse(text, "FUZZ.HLP");
    for (const auto& topic : file.topics()) {
        (void)platform::help::topicHtml(topic);
        (void)platform::help::topicText(topic);
    }
    (void)file.search(text.substr(0, 3));
    return 0;
}
