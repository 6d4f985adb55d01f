// The help file format ("TESSARINE.HLP"), plain text of our own, one directive or text line per
// line (line ends LF or CRLF; UTF-8, and a file that is not valid UTF-8 is read as Windows-1252):
//
//   ; comment                     ignored wherever it stands
//   @help Title                   the help's own title, shown on the help window (optional, once)
//   @topic 80 Internet games      starts a topic: its context number (a whole number from 1 up,
//                                 unique in the file) and its title; the contents list the topics
//                                 in the order they stand in the file
//   @keywords waiting room; private game; wait time
//                                 index entries of the current topic, separated by ";" (may repeat;
//                                 the title is an index entry of its own)
//   == Heading                    a heading inside the topic's body
//   * Item text                   a bullet item; following lines that start with a blank continue it
//   Plain text                    a paragraph; consecutive lines are joined with one blank
//   (empty line)                  ends the paragraph or the bullet item
//
// Inside text, **bold words** are bold and [[80|text]] links to the topic with context number 80.
// A backslash at the start of a line is dropped and makes the rest plain text, so a paragraph
// can begin with "@", "*", "=" or ";". Anything the reader does not understand (a bad number, a
// second topic with a number already used, text before the first topic, an unknown "@" word) is
// noted in problems() and skipped; the rest of the file is still read.
#include "platform/help/HelpFile.h"

#include "platform/text/Cp1252.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <sstream>

namespace platform::help {
namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// Context numbers are whole numbers from 1 up; anything else is refused.
bool parseContext(std::string_view text, int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value > 0;
}

// Splits text into plain, bold and link runs. Unclosed markup stays as typed.
std::vector<Span> parseSpans(std::string_view text) {
    std::vector<Span> spans;
    bool bold = false;
    std::string plain;
    auto flush = [&] {
        if (!plain.empty()) spans.push_back({plain, bold, 0});
        plain.clear();
    };
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, 2, "**") == 0 && (bold || text.find("**", i + 2) != std::string_view::npos)) {
            flush();
            bold = !bold;
            i += 2;
            continue;
        }
        if (text.compare(i, 2, "[[") == 0) {
            const std::size_t close = text.find("]]", i + 2);
            const std::size_t bar = text.find('|', i + 2);
            int context = 0;
            if (close != std::string_view::npos && bar != std::string_view::npos && bar < close &&
                parseContext(trim(text.substr(i + 2, bar - i - 2)), context)) {
                flush();
                spans.push_back({std::string(text.substr(bar + 1, close - bar - 1)), bold, context});
                i = close + 2;
                continue;
            }
        }
        plain += text[i++];
    }
    flush();
    return spans;
}

std::string htmlEscape(std::string_view s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string spansHtml(const std::vector<Span>& spans) {
    std::string out;
    for (const Span& s : spans) {
        std::string piece = htmlEscape(s.text);
        if (s.link != 0) piece = "<a href=\"topic:" + std::to_string(s.link) + "\">" + piece + "</a>";
        if (s.bold) piece = "<b>" + piece + "</b>";
        out += piece;
    }
    return out;
}

std::string spansText(const std::vector<Span>& spans) {
    std::string out;
    for (const Span& s : spans) out += s.text;
    return out;
}

// Reads the text line by line into topics.
class Parser {
public:
    Parser(std::string& title, std::vector<Topic>& topics, std::vector<std::string>& problems)
        : m_title(title), m_topics(topics), m_problems(problems) {}

    void line(std::string_view raw, int number) {
        m_number = number;
        std::string_view text = raw;
        while (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        const std::string_view content = trim(text);

        if (content.empty()) {
            endBlock();
            return;
        }
        if (startsWith(text, ";")) return;
        if (startsWith(text, "\\")) {
            addText(text.substr(1), false);
            return;
        }
        if (startsWith(text, "@")) {
            directive(content);
            return;
        }
        if (!current()) {
            if (!m_skipping) problem("text before the first topic is ignored");
            return;
        }
        if (startsWith(text, "==")) {
            endBlock();
            current()->body.push_back({BlockKind::Heading, parseSpans(trim(text.substr(2)))});
            return;
        }
        if (startsWith(text, "* ") || content == "*") {
            endBlock();
            m_open = BlockKind::Bullet;
            m_pending = std::string(trim(text.substr(1)));
            m_hasOpen = true;
            return;
        }
        addText(text, text.front() == ' ' || text.front() == '\t');
    }

    void finish() { endBlock(); }

private:
    Topic* current() { return m_skipping || m_topics.empty() ? nullptr : &m_topics.back(); }

    void problem(const std::string& what) {
        m_problems.push_back("line " + std::to_string(m_number) + ": " + what);
    }

    void directive(std::string_view content) {
        const std::size_t space = content.find(' ');
        const std::string_view word = content.substr(0, space);
        const std::string_view rest = space == std::string_view::npos ? std::string_view{} : trim(content.substr(space));
        if (word == "@help") {
            m_title = std::string(rest);
        } else if (word == "@topic") {
            endBlock();
            const std::size_t gap = rest.find(' ');
            int context = 0;
            if (!parseContext(rest.substr(0, gap), context)) {
                problem("a topic needs a context number from 1 up");
                m_skipping = true;
                return;
            }
            const bool taken = std::any_of(m_topics.begin(), m_topics.end(),
                                           [&](const Topic& t) { return t.context == context; });
            if (taken) {
                problem("topic " + std::to_string(context) + " is already defined; this one is ignored");
                m_skipping = true;
                return;
            }
            m_skipping = false;
            Topic topic;
            topic.context = context;
            topic.title = gap == std::string_view::npos ? std::string() : std::string(trim(rest.substr(gap)));
            if (topic.title.empty()) topic.title = "Topic " + std::to_string(context);
            m_topics.push_back(std::move(topic));
        } else if (word == "@keywords") {
            if (!current()) {
                if (!m_skipping) problem("keywords before the first topic are ignored");
                return;
            }
            std::string_view list = rest;
            while (!list.empty()) {
                const std::size_t semi = list.find(';');
                const std::string_view one = trim(list.substr(0, semi));
                if (!one.empty()) current()->keywords.emplace_back(one);
                if (semi == std::string_view::npos) break;
                list.remove_prefix(semi + 1);
            }
        } else {
            problem("unknown directive " + std::string(word));
        }
    }

    void addText(std::string_view text, bool indented) {
        if (!current()) {
            if (!m_skipping) problem("text before the first topic is ignored");
            return;
        }
        const std::string_view words = trim(text);
        if (m_hasOpen && m_open == BlockKind::Bullet && indented) {
            m_pending += " ";
            m_pending += words;
            return;
        }
        if (m_open == BlockKind::Paragraph && m_hasOpen) {
            m_pending += " ";
            m_pending += words;
            return;
        }
        endBlock();
        m_open = BlockKind::Paragraph;
        m_pending = std::string(words);
        m_hasOpen = true;
    }

    void endBlock() {
        if (m_hasOpen && current())
            current()->body.push_back({m_open, parseSpans(m_pending)});
        m_pending.clear();
        m_hasOpen = false;
        m_open = BlockKind::Paragraph;
    }

    std::string& m_title;
    std::vector<Topic>& m_topics;
    std::vector<std::string>& m_problems;
    int m_number = 0;
    bool m_skipping = false;  // inside a topic that was refused
    BlockKind m_open = BlockKind::Paragraph;
    bool m_hasOpen = false;   // a paragraph or bullet item is being collected
    std::string m_pending;
};

} // namespace

HelpFile HelpFile::load(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::error_code ec;
    if (!in || std::filesystem::is_directory(path, ec)) {
        HelpFile file;
        file.m_name = path.filename().string();
        file.m_error = missingFileMessage(file.m_name);
        return file;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return parse(bytes, path.filename().string());
}

HelpFile HelpFile::parse(std::string_view text, std::string name) {
    HelpFile file;
    file.m_name = std::move(name);
    std::string utf8;
    if (platform::text::utf8ToUtf16(text)) {
        utf8 = std::string(text);
        if (startsWith(utf8, "\xEF\xBB\xBF")) utf8.erase(0, 3);
    } else {
        utf8 = platform::text::cp1252ToUtf8(text);
    }
    Parser parser(file.m_title, file.m_topics, file.m_problems);
    std::size_t start = 0;
    int number = 0;
    while (start <= utf8.size()) {
        const std::size_t end = utf8.find('\n', start);
        const std::size_t stop = end == std::string::npos ? utf8.size() : end;
        parser.line(std::string_view(utf8).substr(start, stop - start), ++number);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    parser.finish();
    if (file.m_title.empty()) file.m_title = file.m_name;
    return file;
}

const Topic* HelpFile::topic(int context) const {
    const auto it = std::find_if(m_topics.begin(), m_topics.end(), [&](const Topic& t) { return t.context == context; });
    return it == m_topics.end() ? nullptr : &*it;
}

std::vector<IndexEntry> HelpFile::search(std::string_view prefix) const {
    const std::string wanted = lower(trim(prefix));
    std::vector<IndexEntry> found;
    for (const Topic& t : m_topics) {
        std::vector<std::string> words = t.keywords;
        words.push_back(t.title);
        for (const std::string& word : words) {
            if (!startsWith(lower(word), wanted)) continue;
            const bool again = std::any_of(found.begin(), found.end(), [&](const IndexEntry& e) {
                return e.context == t.context && lower(e.keyword) == lower(word);
            });
            if (!again) found.push_back({word, t.context, t.title});
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const IndexEntry& a, const IndexEntry& b) { return lower(a.keyword) < lower(b.keyword); });
    return found;
}

std::string missingFileMessage(const std::string& fileName) {
    return "The help file \"" + fileName +
           "\" could not be opened. It belongs in the Tessarine program folder; installing the game "
           "again puts it back.";
}

std::string missingTopicMessage(const std::string& fileName, int context) {
    return "The help file \"" + fileName + "\" has no topic number " + std::to_string(context) +
           ". Choose a topic from the contents or search the index.";
}

std::string topicHtml(const Topic& topic) {
    std::string out = "<h2>" + htmlEscape(topic.title) + "</h2>\n";
    bool inList = false;
    for (const Block& b : topic.body) {
        if (b.kind == BlockKind::Bullet && !inList) {
            out += "<ul>\n";
            inList = true;
        } else if (b.kind != BlockKind::Bullet && inList) {
            out += "</ul>\n";
            inList = false;
        }
        switch (b.kind) {
        case BlockKind::Heading: out += "<h3>" + spansHtml(b.spans) + "</h3>\n"; break;
        case BlockKind::Paragraph: out += "<p>" + spansHtml(b.spans) + "</p>\n"; break;
        case BlockKind::Bullet: out += "<li>" + spansHtml(b.spans) + "</li>\n"; break;
        }
    }
    if (inList) out += "</ul>\n";
    return out;
}

std::string topicText(const Topic& topic) {
    std::ostringstream out;
    out << topic.title << "\n";
    for (const Block& b : topic.body) {
        switch (b.kind) {
        case BlockKind::Heading: out << "\n" << spansText(b.spans) << "\n"; break;
        case BlockKind::Paragraph: out << "\n" << spansText(b.spans) << "\n"; break;
        case BlockKind::Bullet: out << "- " << spansText(b.spans) << "\n"; break;
        }
    }
    return out.str();
}

} // namespace platform::help
