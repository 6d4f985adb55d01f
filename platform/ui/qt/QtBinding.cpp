#include "platform/ui/qt/QtBinding.h"

#include "platform/ui/Choices.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Form.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TreeView.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTimer>
#include <QToolTip>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>
#include <utility>

namespace platform::ui::qt {

namespace {

constexpr int Tw = TwipsPerPixel;

QString qs(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QColor qc(Color c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }
QRect pixels(const Rect& r) { return QRect(r.left / Tw, r.top / Tw, r.width / Tw, r.height / Tw); }

const QImage* imageOf(const Picture& picture) {
    return static_cast<const QImage*>(picture.native().get());
}

QFont qfont(const Font& font) {
    QFont f(qs(font.name));
    if (font.name.find("Courier") != std::string::npos) f.setStyleHint(QFont::TypeWriter);
    else f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(font.size);
    f.setBold(font.bold);
    return f;
}

// An exception must not cross Qt's event loop; the game's handlers report their own failures.
template <class F>
void guarded(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tessarine: %s\n", e.what());
    }
}

bool shownInModel(const Control& control) {
    return control.shownOnScreen();
}

// Captions keep their "&" access keys: Qt marks them the same way.
QString menuText(const std::string& caption) { return qs(caption); }

// Draws the image, label, picture box, line and stretching container; the mouse goes through it
// to the window, which decides by the controls' own places what was hit.
class PaintedControl final : public QWidget {
public:
    PaintedControl(Control& control, QWidget* parent) : QWidget(parent), m_control(control) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect area = rect();
        switch (m_control.kind()) {
        case Kind::Elastic: {
            auto& box = static_cast<ElasticContainer&>(m_control);
            if (const QImage* image = imageOf(box.Picture)) p.drawImage(area, *image);
            else p.fillRect(area, palette().window());
            break;
        }
        case Kind::Image: {
            auto& image = static_cast<Image&>(m_control);
            if (const QImage* pixels = imageOf(image.Picture)) {
                if (image.Stretch) p.drawImage(area, *pixels);
                else p.drawImage(QPoint(0, 0), *pixels);
            }
            break;
        }
        case Kind::PictureBox: {
            auto& box = static_cast<PictureBox&>(m_control);
            p.fillRect(area, qc(box.BackColor));
            if (const QImage* pixels = imageOf(box.Picture)) p.drawImage(QPoint(2, 2), *pixels);
            if (box.Border) {
                p.setPen(QColor(128, 128, 128));
                p.drawLine(area.topLeft(), area.topRight());
                p.drawLine(area.topLeft(), area.bottomLeft());
                p.setPen(Qt::white);
                p.drawLine(area.bottomLeft(), area.bottomRight());
                p.drawLine(area.topRight(), area.bottomRight());
            }
            break;
        }
        case Kind::Label: {
            auto& label = static_cast<Label&>(m_control);
            if (!label.Transparent) p.fillRect(area, qc(label.BackColor));
            p.setFont(qfont(label.Font));
            // A disabled caption is greyed, as the player expects of a control he cannot use.
            p.setPen(label.Enabled ? qc(label.ForeColor) : QColor(128, 128, 128));
            int align = Qt::AlignTop;
            align |= label.Alignment == Center ? Qt::AlignHCenter : label.Alignment == RightJustify ? Qt::AlignRight : Qt::AlignLeft;
            if (label.WordWrap) align |= Qt::TextWordWrap;
            p.drawText(area, align, qs(label.Caption));
            break;
        }
        case Kind::Line: {
            auto& line = static_cast<Line&>(m_control);
            p.setPen(qc(line.BorderColor));
            const QPoint a((line.X1 - line.Left) / Tw, (line.Y1 - line.Top) / Tw);
            const QPoint b((line.X2 - line.Left) / Tw, (line.Y2 - line.Top) / Tw);
            p.drawLine(a, b);
            break;
        }
        default:
            break;
        }
    }

private:
    Control& m_control;
};

// The button that has the keyboard is marked whichever way the focus came to it, by the mouse or
// with the window's activation too: the space bar presses it. The style marks it only after Tab.
class CommandPushButton final : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        if (hasFocus()) option.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
        painter.drawControl(QStyle::CE_PushButton, option);
    }
};

} // namespace

// One window of the program.
class FormWidget final : public QWidget {
public:
    explicit FormWidget(Form& form) : QWidget(nullptr), m_form(&form) {
        setMouseTracking(true);
        setAttribute(Qt::WA_DeleteOnClose, false);
        for (Control* control : form.controls()) makeChild(*control);
        makeMenus();
        m_dragIcon = new QWidget(this);
        m_dragIcon->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_dragIcon->hide();
        m_dragIcon->installEventFilter(&m_iconPainter);
        m_iconPainter.owner = this;
        syncWindow();
        // Where the window system knows a frame before the window is shown, the first window
        // placed already leaves room for it.
        if (!(windowFlags() & Qt::FramelessWindowHint)) {
            winId();
            noteFrame();
        }
    }

    Form& form() { return *m_form; }
    // The form is gone; the widget waits for its own deletion and ignores everything.
    void detach() {
        m_form = nullptr;
        m_children.clear();
    }
    QWidget* childOf(Control& control) const { return m_children.value(&control, nullptr); }

    // A mouse button went down or up on this window, before anything in it heard of it: true when
    // the form refuses the press now, and then also for the release that ends it.
    bool refusesMouse(QEvent::Type type) {
        if (type == QEvent::MouseButtonRelease) return std::exchange(m_pressRefused, false);
        bool refuse = false;
        if (m_form && m_form->loaded() && m_form->refusesPresses) guarded([&] { refuse = m_form->refusesPresses(); });
        m_pressRefused = refuse;
        return refuse;
    }
    QAction* actionOf(Control& control) const { return m_actions.value(&control, nullptr); }

    // The menu bar sits above the client area; the controls are placed below it.
    void makeMenus() {
        if (!m_form) return;
        std::vector<MenuItem*> items;
        for (Control* control : m_form->controls())
            if (control->kind() == Kind::Menu) items.push_back(static_cast<MenuItem*>(control));
        if (items.empty()) return;
        m_menuBar = new QMenuBar(this);
        m_menuBar->setNativeMenuBar(false);
        const auto childrenOf = [&](const Control* parent) {
            std::vector<MenuItem*> out;
            for (MenuItem* item : items)
                if (item->container() == parent) out.push_back(item);
            return out;
        };
        std::function<void(MenuItem*, QMenu*)> build = [&](MenuItem* item, QMenu* into) {
            const std::vector<MenuItem*> below = childrenOf(item);
            QAction* action = nullptr;
            if (item->separator()) {
                action = into ? into->addSeparator() : m_menuBar->addSeparator();
            } else if (!below.empty()) {
                QMenu* menu = into ? into->addMenu(menuText(item->Caption)) : m_menuBar->addMenu(menuText(item->Caption));
                action = menu->menuAction();
                for (MenuItem* child : below) build(child, menu);
            } else {
                action = into ? into->addAction(menuText(item->Caption)) : m_menuBar->addAction(menuText(item->Caption));
                QObject::connect(action, &QAction::triggered, action, [item] { guarded([&] { item->click(); }); });
            }
            if (!item->Shortcut->empty()) {
                action->setShortcut(QKeySequence(qs(item->Shortcut)));
                action->setShortcutContext(Qt::WindowShortcut);
                addAction(action);
            }
            m_actions.insert(item, action);
            syncMenu(*item);
        };
        for (MenuItem* top : childrenOf(nullptr)) build(top, nullptr);
        m_top = m_menuBar->sizeHint().height();
        m_menuBar->setGeometry(0, 0, std::max(width(), m_form->Width / Tw), m_top);
    }

    void syncMenu(MenuItem& item) {
        QAction* action = m_actions.value(&item, nullptr);
        if (!action) return;
        if (!item.separator()) action->setText(menuText(item.Caption));
        action->setEnabled(item.Enabled);
        action->setVisible(item.Visible);
        action->setCheckable(item.Checked);
        action->setChecked(item.Checked);
    }

    void makeChild(Control& control) {
        if (!control.visual()) return;
        QWidget* child = nullptr;
        switch (control.kind()) {
        case Kind::ListBox: {
            auto* list = new QListWidget(this);
            list->setSelectionMode(QAbstractItemView::SingleSelection);
            list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
            // Rows as tight as the classic list's, so a small list shows the rows it was made for.
            list->setStyleSheet("QListWidget { border: 1px solid #808080; } QListWidget::item { padding: 0px; margin: 0px; height: 13px; }");
            auto& model = static_cast<ListBox&>(control);
            QObject::connect(list, &QListWidget::currentRowChanged, list, [&model](int row) {
                guarded([&] { model.ListIndex = row; });
            });
            QObject::connect(list->verticalScrollBar(), &QScrollBar::valueChanged, list, [&model](int top) {
                model.TopIndex.setQuietly(top);
            });
            QObject::connect(list, &QListWidget::itemDoubleClicked, list, [&model](QListWidgetItem*) {
                guarded([&] { model.dblClick(); });
            });
            child = list;
            break;
        }
        case Kind::TextBox: {
            auto* edit = new QLineEdit(this);
            auto& model = static_cast<TextBox&>(control);
            QObject::connect(edit, &QLineEdit::textEdited, edit, [&model](const QString& text) {
                guarded([&] { model.Text = text.toUtf8().toStdString(); });
            });
            edit->installEventFilter(&m_keys);
            m_keys.boxes.insert(edit, &model);
            child = edit;
            break;
        }
        case Kind::CommandButton: {
            auto* button = new CommandPushButton(this);
            QObject::connect(button, &QPushButton::clicked, button, [&control] { guarded([&] { control.click(); }); });
            child = button;
            break;
        }
        case Kind::ComboBox: {
            auto* combo = new QComboBox(this);
            auto& model = static_cast<ComboBox&>(control);
            combo->setInsertPolicy(QComboBox::NoInsert);
            QObject::connect(combo, &QComboBox::activated, combo, [&model](int row) {
                guarded([&] { model.ListIndex = row; });
            });
            QObject::connect(combo, &QComboBox::editTextChanged, combo, [&model, combo](const QString& text) {
                // Only the player's typing counts here; a chosen row arrives through activated.
                if (!combo->lineEdit() || !combo->lineEdit()->hasFocus()) return;
                if (combo->currentIndex() >= 0 && text == combo->itemText(combo->currentIndex())) return;
                guarded([&] { model.Text = text.toUtf8().toStdString(); });
            });
            child = combo;
            break;
        }
        case Kind::OptionButton: {
            auto* radio = new QRadioButton(this);
            radio->setAutoExclusive(false);
            auto& model = static_cast<OptionButton&>(control);
            QObject::connect(radio, &QRadioButton::clicked, radio, [&model, radio] {
                // The group is kept by the model: a click always sets this one.
                radio->setChecked(true);
                guarded([&] { model.Value = true; });
            });
            child = radio;
            break;
        }
        case Kind::CheckBox: {
            auto* box = new QCheckBox(this);
            auto& model = static_cast<CheckBox&>(control);
            QObject::connect(box, &QCheckBox::clicked, box, [&model](bool ticked) {
                guarded([&] { model.Value = ticked ? vbChecked : vbUnchecked; });
            });
            child = box;
            break;
        }
        case Kind::Frame: {
            auto* frame = new QGroupBox(this);
            frame->setAttribute(Qt::WA_TransparentForMouseEvents);
            // The title sits on the frame's top line, as the layout's positions expect: the
            // controls just below the top would otherwise touch a line drawn under the title.
            frame->setStyleSheet("QGroupBox { border: 1px solid palette(mid); border-radius: 0px; margin-top: 0.55em; }"
                                 "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
                                 " left: 8px; padding: 0px 2px; background-color: palette(window); }");
            child = frame;
            break;
        }
        case Kind::TabStrip: {
            auto* tabs = new QTabWidget(this);
            auto& model = static_cast<TabStrip&>(control);
            QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [&model](int page) {
                guarded([&] { model.Tab = page; });
            });
            child = tabs;
            break;
        }
        case Kind::FileListBox: {
            auto* list = new QListWidget(this);
            auto& model = static_cast<FileListBox&>(control);
            QObject::connect(list, &QListWidget::currentRowChanged, list, [&model](int row) {
                guarded([&] { model.ListIndex = row; });
            });
            child = list;
            break;
        }
        case Kind::TreeView: {
            auto* tree = new QTreeWidget(this);
            tree->setHeaderHidden(true);
            auto& model = static_cast<TreeView&>(control);
            QObject::connect(tree, &QTreeWidget::itemClicked, tree, [&model](QTreeWidgetItem* item, int) {
                guarded([&] { model.nodeClick(item->data(0, Qt::UserRole).toInt()); });
            });
            child = tree;
            break;
        }
        case Kind::Toolbar: {
            auto* bar = new QToolBar(this);
            bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
            bar->setIconSize(QSize(24, 24));
            child = bar;
            break;
        }
        default:
            child = new PaintedControl(control, this);
            break;
        }
        m_children.insert(&control, child);
        sync(control);
    }

    void forget(Control& control) {
        if (QAction* action = m_actions.take(&control)) action->setVisible(false);
        if (QWidget* child = m_children.take(&control)) {
            m_keys.boxes.remove(child);
            child->hide();
            child->deleteLater();
        }
    }

    void syncWindow() {
        if (!m_form) return;
        const int border = m_form->BorderStyle;
        if (border != m_border) {
            m_border = border;
            Qt::WindowFlags flags = Qt::Window;
            if (border == vbBSNone) flags |= Qt::FramelessWindowHint;
            // A dialog has a title bar and a close button only: minimised it would take the window
            // it belongs to along, maximised it would cover it.
            else if (border == vbFixedDialog)
                flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
            setWindowFlags(flags);
        }
        setWindowTitle(qs(m_form->Caption));
        const int state = m_form->WindowState;
        if (state == vbNormal && isMaximized() && m_normalSize.isValid() && !m_restoring) {
            // Back from maximised: the window takes its normal size again at once, so the program
            // centres it by that size, whatever the window manager reports on its way back.
            m_restoring = true;
            m_form->Width.setQuietly(m_normalSize.width() * Tw);
            m_form->Height.setQuietly((m_normalSize.height() - m_top) * Tw);
        }
        if (state == vbNormal) {
            const QRect wanted = modelGeometry();
            // A dialog keeps the size the program gives it; the player cannot drag it larger.
            const bool fixed = m_border == vbFixedDialog;
            if (fixed && (minimumSize() != wanted.size() || maximumSize() != wanted.size())) {
                m_settingGeometry = true;
                setFixedSize(wanted.size());
                m_settingGeometry = false;
            } else if (!fixed && minimumSize() == maximumSize()) {
                setMinimumSize(0, 0);
                setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            }
            if ((m_restoring || (!isMaximized() && !isMinimized())) && geometry() != wanted) {
                m_settingGeometry = true;
                setGeometry(wanted);
                m_settingGeometry = false;
            }
        }
        if (m_form->Visible) {
            if (state == vbMinimized && !isMinimized()) showMinimized();
            else if (state == vbMaximized && !isMaximized()) {
                m_normalSize = geometry().size();
                showMaximized();
            } else if (state == vbNormal && (isMinimized() || isMaximized() || !isVisible())) showNormal();
            else if (!isVisible()) show();
        } else if (isVisible()) {
            hide();
        }
        if (!m_form->Visible && m_modal) m_modal->quit();
        relayout();
    }

    QRect modelGeometry() const {
        return QRect(m_form->Left / Tw, m_form->Top / Tw, m_form->Width / Tw, m_form->Height / Tw + m_top);
    }

    void relayout() {
        if (!m_form) return;
        for (auto it = m_children.begin(); it != m_children.end(); ++it) place(*it.key(), it.value());
    }

    void place(Control& control, QWidget* child) {
        child->setGeometry(pixels(m_form->placeOf(control)).translated(0, m_top));
        child->setVisible(shownInModel(control));
    }

    void sync(Control& control) {
        if (!m_form) return;
        if (control.kind() == Kind::Menu) return syncMenu(static_cast<MenuItem&>(control));
        QWidget* child = m_children.value(&control, nullptr);
        if (!child) return;
        child->setToolTip(qs(control.ToolTipText));
        child->setEnabled(control.Enabled);
        switch (control.kind()) {
        case Kind::ListBox: {
            auto& model = static_cast<ListBox&>(control);
            auto* list = static_cast<QListWidget*>(child);
            // The scroll bar keeps talking to the view (blocking it would move the bar but leave
            // the rows where they were); the wanted top row is taken before the list is refilled.
            const int wantedTop = model.TopIndex;
            QSignalBlocker block(list);
            if (list->count() != model.ListCount() || (model.ListCount() > 0 && list->item(list->count() - 1)->text() != qs(model.List(model.ListCount() - 1)))) {
                list->clear();
                for (const std::string& item : model.items()) list->addItem(qs(item));
            }
            list->setFont(qfont(model.Font));
            QPalette pal = list->palette();
            pal.setColor(QPalette::Base, qc(model.BackColor));
            list->setPalette(pal);
            list->setCurrentRow(model.ListIndex);
            if (model.ListCount() > 0) list->scrollToItem(list->item(std::clamp(wantedTop, 0, model.ListCount() - 1)), QAbstractItemView::PositionAtTop);
            model.TopIndex.setQuietly(wantedTop);
            break;
        }
        case Kind::TextBox: {
            auto& model = static_cast<TextBox&>(control);
            auto* edit = static_cast<QLineEdit*>(child);
            QSignalBlocker block(edit);
            if (edit->text() != qs(model.Text)) edit->setText(qs(model.Text));
            edit->setEchoMode(model.PasswordChar->empty() ? QLineEdit::Normal : QLineEdit::Password);
            if (model.MaxLength > 0) edit->setMaxLength(model.MaxLength);
            edit->setFont(qfont(model.Font));
            // Boxes drawn over a window's background picture get their frame from the artwork;
            // every other box shows its own, or a white box on a light window cannot be seen.
            edit->setFrame(!control.container() || control.container()->kind() != Kind::Elastic);
            QPalette pal = edit->palette();
            pal.setColor(QPalette::Base, qc(model.BackColor));
            edit->setPalette(pal);
            break;
        }
        case Kind::CommandButton: {
            auto& model = static_cast<CommandButton&>(control);
            auto* button = static_cast<QPushButton*>(child);
            button->setText(qs(model.Caption).replace('&', "&&").replace("&&&&", "&&"));
            button->setFont(qfont(model.Font));
            break;
        }
        case Kind::ComboBox: {
            auto& model = static_cast<ComboBox&>(control);
            auto* combo = static_cast<QComboBox*>(child);
            QSignalBlocker block(combo);
            combo->setEditable(model.Style != vbComboDropdownList);
            QStringList rows;
            for (const std::string& item : model.items()) rows << qs(item);
            QStringList shown;
            for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
            if (rows != shown) {
                combo->clear();
                combo->addItems(rows);
            }
            combo->setCurrentIndex(model.ListIndex);
            if (combo->isEditable() && combo->currentText() != qs(model.Text)) combo->setEditText(qs(model.Text));
            combo->setFont(qfont(model.Font));
            break;
        }
        case Kind::OptionButton: {
            auto& model = static_cast<OptionButton&>(control);
            auto* radio = static_cast<QRadioButton*>(child);
            QSignalBlocker block(radio);
            radio->setText(qs(model.Caption));
            radio->setChecked(model.Value);
            radio->setFont(qfont(model.Font));
            break;
        }
        case Kind::CheckBox: {
            auto& model = static_cast<CheckBox&>(control);
            auto* box = static_cast<QCheckBox*>(child);
            QSignalBlocker block(box);
            box->setText(qs(model.Caption));
            box->setChecked(model.Value == vbChecked);
            box->setFont(qfont(model.Font));
            break;
        }
        case Kind::Frame: {
            auto& model = static_cast<Frame&>(control);
            auto* frame = static_cast<QGroupBox*>(child);
            frame->setTitle(qs(model.Caption));
            frame->setFont(qfont(model.Font));
            break;
        }
        case Kind::TabStrip: {
            auto& model = static_cast<TabStrip&>(control);
            auto* tabs = static_cast<QTabWidget*>(child);
            QSignalBlocker block(tabs);
            while (tabs->count() > model.Tabs()) tabs->removeTab(tabs->count() - 1);
            while (tabs->count() < model.Tabs()) tabs->addTab(new QWidget, QString());
            for (int i = 0; i < model.Tabs(); ++i) tabs->setTabText(i, qs(model.TabCaption(i)));
            tabs->setCurrentIndex(model.Tab);
            tabs->setFont(qfont(model.Font));
            break;
        }
        case Kind::FileListBox: {
            auto& model = static_cast<FileListBox&>(control);
            auto* list = static_cast<QListWidget*>(child);
            QSignalBlocker block(list);
            list->clear();
            for (const std::string& item : model.items()) list->addItem(qs(item));
            list->setCurrentRow(model.ListIndex);
            break;
        }
        case Kind::TreeView: {
            auto& model = static_cast<TreeView&>(control);
            auto* tree = static_cast<QTreeWidget*>(child);
            QSignalBlocker block(tree);
            tree->clear();
            std::vector<QTreeWidgetItem*> items;
            for (int i = 0; i < model.Count(); ++i) {
                const TreeNode& node = model.Node(i);
                QTreeWidgetItem* parent = node.parent >= 0 && node.parent < i ? items[static_cast<std::size_t>(node.parent)] : nullptr;
                auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
                item->setText(0, qs(node.Text));
                item->setData(0, Qt::UserRole, i);
                item->setExpanded(node.Expanded);
                items.push_back(item);
            }
            if (model.SelectedItem >= 0 && model.SelectedItem < model.Count())
                tree->setCurrentItem(items[static_cast<std::size_t>(model.SelectedItem.get())]);
            break;
        }
        case Kind::Toolbar: {
            auto& model = static_cast<Toolbar&>(control);
            auto* bar = static_cast<QToolBar*>(child);
            bar->setToolButtonStyle(model.ShowCaptions ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
            bar->clear();
            for (int index = 1; index <= model.ButtonCount(); ++index) {
                const ToolbarButton& b = model.Button(index);
                if (b.style == tbrPlaceholder) {
                    bar->addSeparator();
                    continue;
                }
                QAction* action = bar->addAction(qs(b.caption));
                if (b.image >= 1 && b.image <= static_cast<int>(model.ImageList.size())) {
                    if (const QImage* image = imageOf(model.ImageList[static_cast<std::size_t>(b.image - 1)]))
                        action->setIcon(QIcon(QPixmap::fromImage(*image)));
                }
                action->setToolTip(model.ShowTips ? qs(b.toolTip.empty() ? b.caption : b.toolTip) : QString());
                action->setEnabled(b.enabled);
                QObject::connect(action, &QAction::triggered, action, [&model, index] { guarded([&] { model.buttonClick(index); }); });
            }
            break;
        }
        default:
            child->update();
            break;
        }
        if (control.kind() == Kind::Elastic || control.kind() == Kind::TabStrip) relayout();
        else place(control, child);
    }

    void runModal() {
        if (!m_form) return;
        QEventLoop loop;
        m_modal = &loop;
        setWindowModality(Qt::ApplicationModal);
        syncWindow();
        if (m_form->Visible && m_form->loaded()) loop.exec();
        m_modal = nullptr;
    }

    void endModal() {
        if (m_modal) m_modal->quit();
    }

    void dragChanged() {
        if (!m_form) return;
        DragManager& drag = m_form->drag();
        Control* source = drag.source();
        if (!source) {
            m_dragIcon->hide();
            return;
        }
        m_iconPicture = Picture{};
        if (source->kind() == Kind::Image) {
            auto& image = static_cast<Image&>(*source);
            m_iconPicture = image.DragIcon->isNone() ? image.Picture.get() : image.DragIcon.get();
        }
        const QSize size = imageOf(m_iconPicture) ? imageOf(m_iconPicture)->size() : QSize(32, 32);
        m_dragIcon->setGeometry(drag.cursorX() / Tw - size.width() / 2, drag.cursorY() / Tw - size.height() / 2, size.width(), size.height());
        m_dragIcon->raise();
        m_dragIcon->show();
        m_dragIcon->update();
    }

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (!m_form) return;
        const QPoint at = e->position().toPoint() - QPoint(0, m_top);
        guarded([&] { m_form->drag().press(at.x() * Tw, at.y() * Tw, buttonCode(e->button()), shiftCode(e->modifiers())); });
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (!m_form) return;
        const QPoint at = e->position().toPoint() - QPoint(0, m_top);
        guarded([&] { m_form->drag().move(at.x() * Tw, at.y() * Tw, buttonsCode(e->buttons()), shiftCode(e->modifiers())); });
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (!m_form) return;
        const QPoint at = e->position().toPoint() - QPoint(0, m_top);
        guarded([&] { m_form->drag().release(at.x() * Tw, at.y() * Tw, buttonCode(e->button()), shiftCode(e->modifiers())); });
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        if (!m_form) return;
        const QPoint at = e->position().toPoint() - QPoint(0, m_top);
        Control* under = m_form->controlAt(at.x() * Tw, at.y() * Tw);
        if (under && under->Enabled) guarded([&] { under->dblClick(); });
    }
    bool event(QEvent* e) override {
        // Once drawn the window has its frame: the windows opened later leave room for it, moved
        // or not. Asked at the first drawing only; moves and activations keep it up to date.
        if (e->type() == QEvent::Paint && !m_frameNoted) m_frameNoted = noteFrame();
        if (m_form && e->type() == QEvent::ToolTip) {
            auto* help = static_cast<QHelpEvent*>(e);
            Control* under = m_form->controlAt(help->pos().x() * Tw, help->pos().y() * Tw);
            if (under && !under->ToolTipText->empty()) QToolTip::showText(help->globalPos(), qs(under->ToolTipText), this);
            else QToolTip::hideText();
            return true;
        }
        return QWidget::event(e);
    }
    void changeEvent(QEvent* e) override {
        if (!m_form) return QWidget::changeEvent(e);
        if (e->type() == QEvent::ActivationChange) noteFrame();
        if (e->type() == QEvent::ActivationChange && isActiveWindow() && m_form->loaded()) {
            guarded([&] { Desktop::instance().activate(*m_form); });
        } else if (e->type() == QEvent::WindowStateChange && m_border == vbFixedDialog) {
            // Some window managers offer minimise and maximise whatever the hints say: a dialog
            // comes straight back as it was, and the window it belongs to with it.
            if (isMinimized() || isMaximized())
                QTimer::singleShot(0, this, [this] {
                    if (m_form && (isMinimized() || isMaximized())) showNormal();
                });
        } else if (e->type() == QEvent::WindowStateChange) {
            const int state = isMinimized() ? vbMinimized : isMaximized() ? vbMaximized : vbNormal;
            m_form->stateChangedByUser(state);
            if (m_restoring && state == vbNormal) {
                // The window manager may bring back a size of its own: the program's wins.
                m_settingGeometry = true;
                setGeometry(modelGeometry());
                m_settingGeometry = false;
            }
        }
        QWidget::changeEvent(e);
    }
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        if (!m_form || !m_form->loaded()) return;
        if (m_form->WindowState == vbNormal && !m_settingGeometry && !m_restoring && isVisible()) {
            // The client area's place, as setGeometry takes it: with the window manager's frame
            // counted in, every open and close of the menu strip would creep the window upwards.
            m_form->Left.setQuietly(geometry().x() * Tw);
            m_form->Top.setQuietly(geometry().y() * Tw);
        }
        if (m_menuBar) m_menuBar->setGeometry(0, 0, width(), m_top);
        // On the way back from maximised the sizes passing by are the window manager's, not the
        // player's: the way back ends when the window has its normal size again.
        if (m_restoring) {
            const QRect wanted = modelGeometry();
            if (size() != wanted.size() && !isMaximized() && ++m_restoreSteps < 8) {
                m_settingGeometry = true;
                setGeometry(wanted);
                m_settingGeometry = false;
                return;
            }
            m_restoring = false;
            m_restoreSteps = 0;
        }
        guarded([&] { m_form->resizedByUser(width() * Tw, (height() - m_top) * Tw); });
        relayout();
    }
    void moveEvent(QMoveEvent* e) override {
        QWidget::moveEvent(e);
        noteFrame();
        if (m_form && m_form->loaded() && m_form->WindowState == vbNormal && !m_settingGeometry && !m_restoring &&
            isVisible()) {
            m_form->Left.setQuietly(geometry().x() * Tw);
            m_form->Top.setQuietly(geometry().y() * Tw);
        }
    }
    void closeEvent(QCloseEvent* e) override {
        if (!m_form) {
            e->ignore();
            return;
        }
        // The window manager's close is the user's close: the window decides, and unloading
        // takes the window away.
        e->ignore();
        if (m_form->loaded()) guarded([&] { m_form->closeByUser(); });
    }
    void leaveEvent(QEvent* e) override { QWidget::leaveEvent(e); }

private:
    // The window manager frames every framed window alike: what it put around this one is what
    // the next window opened must leave room for on the screen.
    // True once the frame was known and noted.
    bool noteFrame() {
        if (!windowHandle() || isMaximized() || isMinimized() || (windowFlags() & Qt::FramelessWindowHint)) return false;
        // Asked of the window system itself: the widget's own idea of its frame may be older.
        const QMargins frame = windowHandle()->frameMargins();
        if (frame.isNull()) return false;
        Desktop::instance().setFrameMargins({frame.left() * Tw, frame.top() * Tw, frame.right() * Tw, frame.bottom() * Tw});
        return true;
    }

    static int buttonCode(Qt::MouseButton b) { return b == Qt::LeftButton ? 1 : b == Qt::RightButton ? 2 : b == Qt::MiddleButton ? 4 : 0; }
    static int buttonsCode(Qt::MouseButtons b) {
        return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
    }
    static int shiftCode(Qt::KeyboardModifiers m) {
        return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
    }

    // Key presses of the text boxes: the box's KeyPress may change or swallow the character.
    struct KeyFilter final : QObject {
        QHash<QObject*, TextBox*> boxes;
        bool eventFilter(QObject* watched, QEvent* e) override {
            if (e->type() != QEvent::KeyPress) return false;
            TextBox* box = boxes.value(watched, nullptr);
            auto* key = static_cast<QKeyEvent*>(e);
            if (!box || !box->onKeyPress) return false;
            int code = 0;
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) code = 13;
            else if (key->key() == Qt::Key_Backspace) code = 8;
            else if (key->key() == Qt::Key_Escape) code = 27;
            else if (!key->text().isEmpty() && key->text().at(0).unicode() < 256) code = key->text().at(0).unicode();
            if (code == 0) return false;
            const int original = code;
            guarded([&] { box->keyPress(code); });
            if (code == 0) return true;
            if (code != original && code >= 32) {
                static_cast<QLineEdit*>(watched)->insert(QString(QChar(code)));
                return true;
            }
            return false;
        }
    } m_keys;

    struct IconPainter final : QObject {
        FormWidget* owner = nullptr;
        bool eventFilter(QObject* watched, QEvent* e) override {
            if (e->type() != QEvent::Paint) return false;
            auto* w = static_cast<QWidget*>(watched);
            QPainter p(w);
            if (const QImage* image = imageOf(owner->m_iconPicture)) p.drawImage(w->rect(), *image);
            else p.drawRect(w->rect().adjusted(0, 0, -1, -1));
            return true;
        }
    } m_iconPainter;

    Form* m_form;
    QHash<Control*, QWidget*> m_children;
    QHash<Control*, QAction*> m_actions;
    QMenuBar* m_menuBar = nullptr;
    int m_border = -1;   // the border style the window was made with
    bool m_frameNoted = false;   // the frame was noted at a drawing
    int m_top = 0;   // pixels the menu bar takes above the client area
    QWidget* m_dragIcon = nullptr;
    Picture m_iconPicture;
    QEventLoop* m_modal = nullptr;
    bool m_settingGeometry = false;
    QSize m_normalSize;        // the size before the window was maximised
    bool m_restoring = false;  // on the way back from maximised
    int m_restoreSteps = 0;
    bool m_pressRefused = false;
};

namespace {

// Sees every press and release as the window system delivers it to a window, before the window
// hands it to the control, menu bar or toolbar under the pointer.
class PressFilter final : public QObject {
public:
    explicit PressFilter(const QHash<Form*, FormWidget*>& forms) : m_forms(forms) {}
    bool eventFilter(QObject* watched, QEvent* e) override {
        const QEvent::Type type = e->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseButtonRelease)
            return false;
        if (!watched->isWindowType()) return false;
        for (FormWidget* widget : m_forms)
            if (widget->windowHandle() == watched) return widget->refusesMouse(type);
        return false;
    }

private:
    const QHash<Form*, FormWidget*>& m_forms;
};

} // namespace

QtBinding::QtBinding() {
    Desktop& desktop = Desktop::instance();
    desktop.setViewHost(this);
    desktop.setTimerHost(this);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const auto tell = [screen] {
            const QRect whole = screen->geometry(), free = screen->availableGeometry();
            Desktop::instance().setScreenSize(whole.width() * Tw, whole.height() * Tw);
            Desktop::instance().setWorkArea({free.x() * Tw, free.y() * Tw, free.width() * Tw, free.height() * Tw});
        };
        tell();
        // Panels come and go, screens change size: windows opened later keep to what is free then.
        m_screenWatch = QObject::connect(screen, &QScreen::availableGeometryChanged, tell);
    }
    // The help window is a window of the program but no form: when it takes the focus, the form
    // that had it loses it, as the menu strip and the About window must hear to close.
    m_focusWatch = QObject::connect(qApp, &QGuiApplication::focusWindowChanged, [this](QWindow* window) {
        if (!window || window->modality() != Qt::NonModal) return;
        if (window->type() != Qt::Window && window->type() != Qt::Dialog) return;
        for (FormWidget* widget : std::as_const(m_forms))
            if (widget->windowHandle() == window) return;
        guarded([] { Desktop::instance().deactivate(); });
    });
    m_pressFilter = new PressFilter(m_forms);
    qApp->installEventFilter(m_pressFilter);
    Picture::setDecoder([](const std::string& path, Picture::Data& out) {
        auto image = std::make_shared<QImage>(QString::fromStdString(path));
        if (image->isNull()) return false;
        out.width = image->width();
        out.height = image->height();
        out.native = std::move(image);
        return true;
    });
}

QtBinding::~QtBinding() {
    Desktop& desktop = Desktop::instance();
    if (desktop.viewHost() == this) desktop.setViewHost(nullptr);
    if (desktop.timerHost() == this) desktop.setTimerHost(nullptr);
    QObject::disconnect(m_focusWatch);
    QObject::disconnect(m_screenWatch);
    qApp->removeEventFilter(m_pressFilter);
    delete m_pressFilter;
    Picture::setDecoder({});
    for (FormWidget* widget : std::as_const(m_forms)) delete widget;
    for (QTimer* timer : std::as_const(m_timers)) delete timer;
}

void QtBinding::formLoaded(Form& form) {
    if (!m_forms.contains(&form)) m_forms.insert(&form, new FormWidget(form));
}

void QtBinding::formChanged(Form& form) {
    FormWidget* widget = m_forms.value(&form, nullptr);
    if (!widget) return;
    keepAboveOwner(form, *widget);
    widget->syncWindow();
}

void QtBinding::keepAboveOwner(Form& form, QWidget& widget) {
    // An owned window stays above its owner, whatever the window manager raises. The window
    // manager reads the hint when the window appears, so it is given before the window is shown.
    FormWidget* owner = form.owner() ? m_forms.value(form.owner(), nullptr) : nullptr;
    if (!owner || !form.Visible || widget.isVisible()) return;
    widget.winId();
    owner->winId();
    QWindow* window = widget.windowHandle();
    if (!window || !owner->windowHandle()) return;
    // Window managers keep only a dialog above the window it belongs to. The native window is
    // told so directly: remaking the widget as a dialog would lose the place the program gave it.
    if (window->type() != Qt::Dialog) window->setFlags((window->flags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    if (window->transientParent() != owner->windowHandle()) window->setTransientParent(owner->windowHandle());
}

void QtBinding::formGone(Form& form) {
    if (FormWidget* widget = m_forms.take(&form)) {
        widget->endModal();
        widget->detach();
        widget->hide();
        widget->deleteLater();
    }
}

void QtBinding::controlChanged(Control& control) {
    if (!control.form()) return;
    if (FormWidget* widget = m_forms.value(control.form(), nullptr)) widget->sync(control);
}

void QtBinding::controlGone(Control& control) {
    if (!control.form()) return;
    if (FormWidget* widget = m_forms.value(control.form(), nullptr)) widget->forget(control);
}

void QtBinding::repaintNow(Control& control) {
    if (QWidget* child = widgetOf(control)) {
        child->repaint();
        if (FormWidget* widget = m_forms.value(control.form(), nullptr)) widget->repaint(child->geometry());
    }
}

void QtBinding::formShown(Form& form) {
    FormWidget* widget = m_forms.value(&form, nullptr);
    if (!widget) return;
    keepAboveOwner(form, *widget);
    widget->syncWindow();
    // Queued, so a window that shows itself again while another one is being activated (the
    // game-over dialog losing the focus) comes forward once that activation is over.
    QTimer::singleShot(0, widget, [widget] {
        if (!widget->isVisible()) return;
        widget->raise();
        widget->activateWindow();
    });
}

void QtBinding::formRaised(Form& form) {
    FormWidget* widget = m_forms.value(&form, nullptr);
    if (!widget) return;
    // Queued for the same reason as showing: the activation that sent the window back is over
    // first. Raised only: the keyboard stays with the window the player clicked.
    QTimer::singleShot(0, widget, [widget] {
        if (widget->isVisible()) widget->raise();
    });
}

void QtBinding::runModal(Form& form) {
    if (FormWidget* widget = m_forms.value(&form, nullptr)) widget->runModal();
}

void QtBinding::dragChanged(Form& form) {
    if (FormWidget* widget = m_forms.value(&form, nullptr)) widget->dragChanged();
}

void QtBinding::pointerChanged(int pointer) {
    // The hourglass lies over every window of the program until the pointer is set back.
    const bool busy = pointer == vbHourglass;
    if (busy == m_busyPointer) return;
    m_busyPointer = busy;
    if (busy) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
}

void QtBinding::scheduleCollect() {
    if (m_collectPending) return;
    m_collectPending = true;
    QTimer::singleShot(0, [this] {
        m_collectPending = false;
        guarded([] { Desktop::instance().collect(); });
    });
}

void QtBinding::timerChanged(Timer& timer, bool gone) {
    if (gone) {
        delete m_timers.take(&timer);
        return;
    }
    QTimer* clock = m_timers.value(&timer, nullptr);
    if (!clock) {
        clock = new QTimer;
        m_timers.insert(&timer, clock);
        QObject::connect(clock, &QTimer::timeout, clock, [&timer] { guarded([&] { timer.fire(); }); });
    }
    clock->stop();
    if (timer.running()) clock->start(timer.Interval);
}

QWidget* QtBinding::widgetOf(Form& form) const {
    return m_forms.value(&form, nullptr);
}

QWidget* QtBinding::widgetOf(Control& control) const {
    if (!control.form()) return nullptr;
    FormWidget* widget = m_forms.value(control.form(), nullptr);
    return widget ? widget->childOf(control) : nullptr;
}

QWidget* boxOwner() {
    if (QWidget* active = QApplication::activeWindow()) return active;
    const Desktop& desktop = Desktop::instance();
    Form* main = desktop.mainForm();
    const auto* binding = dynamic_cast<const QtBinding*>(desktop.viewHost());
    if (!main || !main->loaded() || !binding) return nullptr;
    QWidget* widget = binding->widgetOf(*main);
    return widget && widget->isVisible() ? widget : nullptr;
}

QAction* QtBinding::actionOf(Control& menuItem) const {
    if (!menuItem.form()) return nullptr;
    FormWidget* widget = m_forms.value(menuItem.form(), nullptr);
    return widget ? widget->actionOf(menuItem) : nullptr;
}

} // namespace platform::ui::qt
