#include "kvdplay/ui/QtControlUi.h"

#include "platform/seams/ShellOpen.h"
#include "platform/shellexec/DesktopShell.h"

#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace kvdplay::ui {

namespace {

// Icon 101, the control's own picture.
QIcon controlIcon(const QStyle* style) { return style->standardIcon(QStyle::SP_ComputerIcon); }

QString qt(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QFrame* separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken); // etched
    return line;
}

class QtPageView final : public PageView {
public:
    QtPageView(PageEvents& events, QWidget* parent) : m_widget(new QWidget(parent))
    {
        m_widget->setObjectName(QStringLiteral("kvPlayPpg"));
        auto* label = new QLabel(QStringLiteral("guid&Session:"), m_widget);
        m_edit = new QLineEdit(m_widget);
        m_edit->setObjectName(QStringLiteral("guidSession"));
        label->setBuddy(m_edit);
        auto* newGuid = new QPushButton(QStringLiteral("&New Guid"), m_widget);
        newGuid->setObjectName(QStringLiteral("newGuid"));
        auto* about = new QPushButton(QStringLiteral("&About..."), m_widget);
        about->setObjectName(QStringLiteral("about"));

        auto* grid = new QGridLayout(m_widget);
        grid->addWidget(label, 0, 0, 1, 2);
        grid->addWidget(m_edit, 1, 0);
        grid->addWidget(newGuid, 1, 1);
        grid->setRowStretch(2, 1);
        grid->addWidget(about, 3, 1);
        grid->setColumnStretch(0, 1);

        QObject::connect(m_edit, &QLineEdit::textChanged, m_widget, [&events] { events.textChanged(); });
        QObject::connect(newGuid, &QPushButton::clicked, m_widget, [&events] { events.newGuidClicked(); });
        QObject::connect(about, &QPushButton::clicked, m_widget, [&events] { events.aboutClicked(); });
        if (parent)
            m_widget->show();
    }
    ~QtPageView() override { delete m_widget; }

    std::string text() const override { return m_edit->text().toStdString(); }
    void setText(const std::string& text) override { m_edit->setText(qt(text)); }
    void setMaxLength(int characters) override { m_edit->setMaxLength(characters); }
    void showError(const std::string& text) override
    {
        QMessageBox::critical(m_widget, QStringLiteral("KVDIRECT"), qt(text));
    }
    void show(bool visible) override { m_widget->setVisible(visible); }
    void move(const RECT& place) override
    {
        m_widget->setGeometry(place.left, place.top, place.right - place.left, place.bottom - place.top);
    }

private:
    QWidget* m_widget;
    QLineEdit* m_edit = nullptr;
};

platform::ShellOpen* g_shell = nullptr;

} // namespace

QDialog* makeAboutDialog(const AboutContent& content, platform::ShellOpen* shell, QWidget* parent)
{
    auto* box = new QDialog(parent);
    box->setObjectName(QStringLiteral("kvPlayAbout"));
    box->setWindowTitle(qt(content.title));
    const QIcon icon = controlIcon(box->style());

    auto* iconButton = new QToolButton(box);
    const int side = box->style()->pixelMetric(QStyle::PM_LargeIconSize);
    iconButton->setIcon(icon);
    iconButton->setIconSize(QSize(side, side));
    iconButton->setFixedSize(side + 5, side + 5);
    auto* version = new QLabel(qt(content.versionLine), box);
    version->setObjectName(QStringLiteral("version"));

    auto* layout = new QVBoxLayout(box);
    auto* top = new QHBoxLayout;
    top->addWidget(iconButton, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->addWidget(version);
    texts->addWidget(new QLabel(qt(content.blocks[0]), box));
    top->addLayout(texts, 1);
    layout->addLayout(top);
    layout->addWidget(separator(box));
    auto* middle = new QHBoxLayout;
    auto* picture = new QLabel(box);
    picture->setPixmap(box->style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(side, side));
    middle->addWidget(picture, 0, Qt::AlignTop);
    auto* more = new QVBoxLayout;
    for (int i = 1; i < 5; ++i) {
        auto* block = new QLabel(qt(content.blocks[i]), box);
        block->setWordWrap(true);
        more->addWidget(block);
    }
    middle->addLayout(more, 1);
    layout->addLayout(middle);
    layout->addWidget(separator(box));

    auto* bottom = new QHBoxLayout;
    auto* web = new QPushButton(QStringLiteral("Go &Web..."), box);
    web->setObjectName(QStringLiteral("goWeb"));
    auto* address = new QLineEdit(qt(content.webAddress), box);
    address->setObjectName(QStringLiteral("webAddress"));
    address->setReadOnly(true);
    address->setMinimumWidth(address->fontMetrics().horizontalAdvance(address->text()) + 16);
    auto* ok = new QPushButton(QStringLiteral("OK"), box);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    bottom->addWidget(web);
    bottom->addWidget(address, 1);
    bottom->addWidget(ok);
    layout->addLayout(bottom);

    const std::string target = content.webAddress;
    QObject::connect(web, &QPushButton::clicked, box, [shell, target] {
        if (shell)
            shell->open(target); // the box stays open
    });
    QObject::connect(ok, &QPushButton::clicked, box, &QDialog::accept);
    return box;
}

std::unique_ptr<PageView> makePageView(PageEvents& events, QWidget* parent)
{
    return std::make_unique<QtPageView>(events, parent);
}

void installQtControlUi(const std::string& programFolder)
{
    static platform::shellexec::DesktopShell desktop(programFolder);
    g_shell = &desktop;
    ControlUi& ui = controlUi();
    ui.shell = g_shell;
    ui.showAbout = [](const AboutContent& content) {
        if (!QApplication::instance())
            return; // no desktop in this process
        QDialog* box = makeAboutDialog(content, controlUi().shell, QApplication::activeWindow());
        box->exec();
        delete box;
    };
    ui.loadIcon = [](int id) -> std::optional<IconPicture> {
        if (id != 101 || !qobject_cast<QApplication*>(QApplication::instance()))
            return std::nullopt;
        const QStyle* style = QApplication::style();
        const int side = style->pixelMetric(QStyle::PM_LargeIconSize);
        const QImage image = controlIcon(style).pixmap(side, side).toImage().convertToFormat(QImage::Format_ARGB32);
        IconPicture picture;
        picture.width = image.width();
        picture.height = image.height();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                picture.pixels.push_back(image.pixel(x, y));
        return picture;
    };
    ui.makePage = [](PageEvents& events, void* parent) -> std::unique_ptr<PageView> {
        if (!QApplication::instance())
            return nullptr;
        return makePageView(events, static_cast<QWidget*>(parent));
    };
}

} // namespace kvdplay::ui
