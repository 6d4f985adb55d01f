#pragma once
// The help window: the contents of the help file, its keyword index searched as the player types,
// and one topic at a time. The game's windows reach it through showHelp() with the same three
// pieces they would hand any help viewer: the file, the command and the topic number.
#include "platform/help/HelpFile.h"

#include <QWidget>

#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QUrl;

namespace platform::help {

// The help commands the game gives.
enum HelpCommand : int {
    kShowTopic = 1,      // the topic of a context number
    kShowContents = 3,   // the contents
    kSearchIndex = 261,  // the keyword index, waiting for the first letters of a word
};

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Reads the help file again (it may have changed or appeared since the last time).
    void openFile(const std::string& helpFile);
    void showContents();
    void showIndex();
    // False, with a message in the window, when the file has no such topic.
    bool showTopic(int context);

    // What the player sees.
    int shownContext() const { return m_shown; }  // 0 when no topic is shown
    QString message() const;                      // empty when there is nothing wrong
    QString topicText() const;                    // the shown topic as plain text
    QTabWidget* tabs() const { return m_tabs; }
    QListWidget* contentsList() const { return m_contents; }
    QLineEdit* searchBox() const { return m_search; }
    QListWidget* indexList() const { return m_index; }
    QPushButton* displayButton() const { return m_display; }
    QTextBrowser* view() const { return m_view; }

    // Puts a line above the topic telling the player what went wrong; the empty text removes it.
    void say(const QString& text);

private:
    void fillContents();
    void fillIndex(const QString& prefix);
    void displaySelectedEntry();
    void followLink(const QUrl& url);

    HelpFile m_file;
    int m_shown = 0;
    bool m_filling = false;
    QTabWidget* m_tabs = nullptr;
    QListWidget* m_contents = nullptr;
    QLineEdit* m_search = nullptr;
    QListWidget* m_index = nullptr;
    QPushButton* m_display = nullptr;
    QLabel* m_message = nullptr;
    QTextBrowser* m_view = nullptr;
};

// Opens (or brings forward) the program's one help window on helpFile and carries out command;
// context is used by kShowTopic. A missing file, a missing topic or an unknown command is
// explained in the window; nothing is thrown.
HelpWindow& showHelp(const std::string& helpFile, int command, int context = 0);

} // namespace platform::help
