#pragma once
// The game's help file, read without any window toolkit: topics addressed by context number,
// a keyword index searched by prefix, and the contents in file order. The file format is
// described at the top of HelpFile.cpp.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform::help {

// A run of text inside a block: plain, bold, or a link to another topic.
struct Span {
    std::string text;
    bool bold = false;
    int link = 0;  // context number of the linked topic; 0 for no link
};

enum class BlockKind { Heading, Paragraph, Bullet };

struct Block {
    BlockKind kind = BlockKind::Paragraph;
    std::vector<Span> spans;
};

struct Topic {
    int context = 0;
    std::string title;
    std::vector<std::string> keywords;
    std::vector<Block> body;
};

// One line of the keyword index: the keyword and the topic it leads to.
struct IndexEntry {
    std::string keyword;
    int context = 0;
    std::string title;  // of that topic
};

class HelpFile {
public:
    // Reads the file; never throws. A file that cannot be read gives a help file with no topics
    // whose error() says so.
    static HelpFile load(const std::filesystem::path& path);
    // Reads help text already in memory; name is used in messages.
    static HelpFile parse(std::string_view text, std::string name);

    bool ok() const { return m_error.empty(); }
    // Why the file could not be read, in words for the player; empty when it was read.
    const std::string& error() const { return m_error; }
    // Lines the reader did not understand ("line 12: ..."); they are skipped, never fatal.
    const std::vector<std::string>& problems() const { return m_problems; }

    const std::string& name() const { return m_name; }
    const std::string& title() const { return m_title; }
    // The contents: every topic in file order.
    const std::vector<Topic>& topics() const { return m_topics; }
    // The topic with this context number, or nullptr.
    const Topic* topic(int context) const;
    // Index entries whose keyword starts with prefix, case ignored, sorted by keyword; an empty
    // prefix gives the whole index. Every topic's title is an entry too.
    std::vector<IndexEntry> search(std::string_view prefix) const;

private:
    std::string m_name;
    std::string m_title;
    std::string m_error;
    std::vector<std::string> m_problems;
    std::vector<Topic> m_topics;
};

// The words the help window shows when it cannot do what was asked.
std::string missingFileMessage(const std::string& fileName);
std::string missingTopicMessage(const std::string& fileName, int context);

// A topic as HTML for a rich-text view: title, headings, paragraphs, bullet lists, bold, and
// links written as <a href="topic:NN">.
std::string topicHtml(const Topic& topic);
// A topic as plain text lines: the title, headings, "- " bullets, paragraphs.
std::string topicText(const Topic& topic);

} // namespace platform::help
