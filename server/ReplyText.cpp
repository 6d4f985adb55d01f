#include "server/ReplyText.h"

namespace server {

ReplyText& ReplyText::own(std::string_view text) {
    m_parts.push_back({std::string(text), false});
    return *this;
}

ReplyText& ReplyText::free(std::string_view text) {
    m_parts.push_back({std::string(text), true});
    return *this;
}

ReplyText& ReplyText::search(std::string_view token, std::size_t fromPart) {
    m_searches.push_back({token, fromPart});
    return *this;
}

bool ReplyText::splitOne() {
    std::string whole;
    std::vector<std::size_t> starts;
    for (const auto& part : m_parts) {
        starts.push_back(whole.size());
        whole += part.text;
    }
    starts.push_back(whole.size());
    for (const auto& search : m_searches) {
        if (search.token.size() < 2 || search.fromPart >= m_parts.size()) continue;
        const auto at = whole.find(search.token, starts[search.fromPart]);
        if (at == std::string::npos) continue;
        const auto end = at + search.token.size();
        for (std::size_t k = 0; k < m_parts.size(); ++k) {
            auto& part = m_parts[k];
            if (!part.free || starts[k] >= end || starts[k] + part.text.size() <= at) continue;
            // Inside the occurrence and inside this free part: after its first character, or at
            // the part's start when the occurrence begins in the text before it. The markers
            // are plain ASCII, so either place is a character boundary.
            const auto split = at >= starts[k] ? at + 1 : starts[k];
            part.text.insert(split - starts[k], kSplitter);
            return true;
        }
    }
    return false;
}

std::string ReplyText::finish() {
    // Each split removes one occurrence and makes none (the splitter holds no marker byte), so
    // this ends.
    while (splitOne()) {
    }
    std::string whole;
    for (const auto& part : m_parts) whole += part.text;
    return whole;
}

} // namespace server
