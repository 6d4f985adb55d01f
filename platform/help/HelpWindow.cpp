#include "platform/help/HelpWindow.h"

#include "platform/ui/Desktop.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace platform::help {
namespace {

constexpr int kContextRole = Qt::UserRole;

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The help window keeps to the free part of the screen as the game's own windows do; the first
// time it opens centred there.
void keepOnScreen(QWidget& window, bool centre) {
    namespace ui = platform::ui;
    const ui::Desktop& desktop = ui::Desktop::instance();
    const int tw = ui::TwipsPerPixel;
    ui::Rect place{window.x() * tw, window.y() * tw, window.width() * tw, window.height() * tw};
    if (centre) {
        const ui::Rect area = desktop.workArea();
        place.left = area.left + (area.width - place.width) / 2;
        place.top = area.top + (area.height - place.height) / 2;
    }
    const ui::Rect kept = desktop.keepOnScreen(place, true);
    window.setGeometry(kept.left / tw, kept.top / tw, kept.width / tw, kept.height / tw);
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("helpWindow");
    resize(820, 560);

    m_tabs = new QTabWidget;
    m_contents = new QListWidget;
    m_contents->setObjectName("contents");
    m_tabs->addTab(m_contents, tr("Contents"));

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(new QLabel(tr("Type the first letters of the word you are looking for:")));
    m_search = new QLineEdit;
    m_search->setObjectName("search");
    indexLayout->addWidget(m_search);
    m_index = new QListWidget;
    m_index->setObjectName("index");
    indexLayout->addWidget(m_index);
    m_display = new QPushButton(tr("Display"));
    indexLayout->addWidget(m_display);
    m_tabs->addTab(indexPage, tr("Index"));

    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    m_message = new QLabel;
    m_message->setObjectName("message");
    m_message->setWordWrap(true);
    m_message->setStyleSheet("QLabel { color: #902020; font-weight: bold; padding: 6px; }");
    m_message->hide();
    rightLayout->addWidget(m_message);
    m_view = new QTextBrowser;
    m_view->setObjectName("topic");
    m_view->setOpenLinks(false);
    rightLayout->addWidget(m_view);

    auto* splitter = new QSplitter;
    splitter->addWidget(m_tabs);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({260, 560});
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);

    connect(m_contents, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_filling || row < 0) return;
        showTopic(m_contents->item(row)->data(kContextRole).toInt());
    });
    connect(m_search, &QLineEdit::textChanged, this, [this](const QString& text) { fillIndex(text); });
    connect(m_search, &QLineEdit::returnPressed, this, [this] { displaySelectedEntry(); });
    connect(m_index, &QListWidget::itemActivated, this, [this] { displaySelectedEntry(); });
    connect(m_display, &QPushButton::clicked, this, [this] { displaySelectedEntry(); });
    connect(m_view, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) { followLink(url); });
}

void HelpWindow::openFile(const std::string& helpFile) {
    m_file = HelpFile::load(helpFile);
    m_shown = 0;
    m_view->clear();
    setWindowTitle(m_file.ok() ? qs(m_file.title()) : tr("Tessarine Help"));
    fillContents();
    fillIndex(m_search->text());
    say(m_file.ok() ? QString() : qs(m_file.error()));
}

void HelpWindow::showContents() {
    m_tabs->setCurrentIndex(0);
    if (!m_file.ok()) return;
    if (m_file.topics().empty()) {
        say(tr("The help file \"%1\" holds no topics.").arg(qs(m_file.name())));
        return;
    }
    // The first topic of the file is the overview the contents open on.
    showTopic(m_file.topics().front().context);
}

void HelpWindow::showIndex() {
    // The overview stays beside the index until the player picks an entry.
    if (m_shown == 0 && m_file.ok() && !m_file.topics().empty()) showTopic(m_file.topics().front().context);
    m_tabs->setCurrentIndex(1);
    m_search->clear();
    fillIndex(QString());
    m_search->setFocus();
}

bool HelpWindow::showTopic(int context) {
    if (!m_file.ok()) return false;
    const Topic* topic = m_file.topic(context);
    if (!topic) {
        m_shown = 0;
        m_view->clear();
        m_tabs->setCurrentIndex(0);
        say(qs(missingTopicMessage(m_file.name(), context)));
        return false;
    }
    say(QString());
    m_shown = context;
    m_view->setHtml(qs(topicHtml(*topic)));
    for (int row = 0; row < m_contents->count(); ++row) {
        if (m_contents->item(row)->data(kContextRole).toInt() != context) continue;
        m_filling = true;
        m_contents->setCurrentRow(row);
        m_filling = false;
    }
    return true;
}

QString HelpWindow::message() const { return m_message->isHidden() ? QString() : m_message->text(); }

QString HelpWindow::topicText() const { return m_view->toPlainText(); }

void HelpWindow::say(const QString& text) {
    m_message->setText(text);
    m_message->setVisible(!text.isEmpty());
}

void HelpWindow::fillContents() {
    m_filling = true;
    m_contents->clear();
    for (const Topic& t : m_file.topics()) {
        auto* item = new QListWidgetItem(qs(t.title), m_contents);
        item->setData(kContextRole, t.context);
    }
    m_filling = false;
}

void HelpWindow::fillIndex(const QString& prefix) {
    m_index->clear();
    for (const IndexEntry& e : m_file.search(prefix.toStdString())) {
        const QString label = e.keyword == e.title ? qs(e.keyword) : qs(e.keyword) + "  (" + qs(e.title) + ")";
        auto* item = new QListWidgetItem(label, m_index);
        item->setData(kContextRole, e.context);
    }
    if (m_index->count() > 0) m_index->setCurrentRow(0);
}

void HelpWindow::displaySelectedEntry() {
    const QListWidgetItem* item = m_index->currentItem();
    if (!item) {
        if (m_file.ok()) say(tr("No index entry starts with \"%1\".").arg(m_search->text()));
        return;
    }
    showTopic(item->data(kContextRole).toInt());
}

void HelpWindow::followLink(const QUrl& url) {
    if (url.scheme() != "topic") return;
    bool ok = false;
    const int context = url.path().toInt(&ok);
    if (ok) showTopic(context);
}

HelpWindow& showHelp(const std::string& helpFile, int command, int context) {
    static QPointer<HelpWindow> window;
    const bool first = !window;
    if (first) window = new HelpWindow;
    window->openFile(helpFile);
    if (window->message().isEmpty()) {
        switch (command) {
        case kShowTopic: window->showTopic(context); break;
        case kShowContents: window->showContents(); break;
        case kSearchIndex: window->showIndex(); break;
        default:
            window->showContents();
            window->say(QObject::tr("Help command %1 is not one this help window knows; here are the contents.")
                            .arg(command));
        }
    }
    if (!window->isVisible()) keepOnScreen(*window, first);
    window->show();
    window->raise();
    window->activateWindow();
    return *window;
}

} // namespace platform::help
