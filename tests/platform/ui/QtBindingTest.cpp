// The Qt binding under the offscreen platform: windows and controls appear where the layout puts
// them, the mouse drives the drag manager, the window manager's close is the user's close, and the
// message boxes answer with the button pressed.
#include "platform/ui/Animation.h"
#include "platform/ui/Control.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/Form.h"
#include "platform/ui/Screen.h"
#include "platform/ui/qt/QtBinding.h"
#include "platform/ui/qt/QtDialogs.h"
#include "platform/ui/qt/QtWaitPainter.h"
#include "tests/platform/ui/QtScene.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QImage>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QRegion>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace ui = platform::ui;
using QtBinding = testing_support::QtScene;
using QtDialogs = testing_support::QtScene;
using WaitPainting = testing_support::QtScene;

namespace {

class Board : public ui::Form {
public:
    Board() : ui::Form("board") {
        BorderStyle = ui::vbBSNone;
        Width = 9270;
        Height = 6735;
        back.Move(0, 0, 9270, 6735);
        back.designWidth = 9270;
        back.designHeight = 6735;
        add(back);
        tile.Move(7470, 1650, 480, 480);
        tile.DragMode = ui::vbAutomatic;
        tile.Stretch = true;
        add(tile, &back);
        status.Move(2520, 4890, 6045, 840);
        add(status, &back);
        back.onDragDrop = [this](ui::Control& s, float, float) { drops.push_back(&s); };
    }
    void Form_QueryUnload(int& Cancel, int UnloadMode) override {
        modes.push_back(UnloadMode);
        Cancel = 1;
    }
    ui::ElasticContainer back{"back"};
    ui::Image tile{"tile"};
    ui::ListBox status{"status"};
    std::vector<ui::Control*> drops;
    std::vector<int> modes;
};

// A plain window that counts its activations; a sticky one shows itself again when it loses
// the focus, as the game-over dialog does.
class Note : public ui::Form {
public:
    explicit Note(std::string name, bool sticky = false) : ui::Form(std::move(name)), m_sticky(sticky) {
        Width = 3000;
        Height = 2000;
    }
    void Form_Activate() override { ++activations; }
    void Form_Deactivate() override {
        ++deactivations;
        if (m_sticky && loaded()) Show();
    }
    int activations = 0;
    int deactivations = 0;

private:
    bool m_sticky;
};

// Lets the queued window-system events run (activation is reported asynchronously).
void settle() {
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
}

void send(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST_F(QtBinding, BorderlessWindowHasTheLayoutSizeInPixelsAndStretchedScalesItsChildren) {
    Board board;
    board.Left = 150 * 15;
    board.Top = 100 * 15;
    board.Show();
    QWidget* w = binding.widgetOf(board);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->size(), QSize(618, 449));
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(binding.widgetOf(board.tile)->geometry(), QRect(498, 110, 32, 32));
    // Stretched, it scales its children.
    board.back.Width = 9270 * 2;
    board.back.Height = 6735 * 2;
    EXPECT_EQ(binding.widgetOf(board.tile)->geometry(), QRect(996, 220, 64, 64));
}

TEST_F(QtBinding, OnlyAFixedDialogLosesMinimiseAndMaximiseAndKeepsTheSizeTheProgramGivesIt) {
    struct Row {
        int border;
        bool dialog;
    };
    for (const Row row : {Row{ui::vbSizable, false}, Row{ui::vbFixedDialog, true}}) {
        SCOPED_TRACE(row.border);
        Note note("note");
        note.BorderStyle = row.border;
        note.Show();
        settle();
        QWidget* w = binding.widgetOf(note);
        const Qt::WindowFlags flags = w->windowHandle()->flags();
        EXPECT_EQ(bool(flags & Qt::WindowMinimizeButtonHint), !row.dialog);
        EXPECT_EQ(bool(flags & Qt::WindowMaximizeButtonHint), !row.dialog);
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(flags & Qt::FramelessWindowHint);
        // The player drags at the window's edge: only the sizable one gives way.
        w->resize(260, 180);
        settle();
        EXPECT_EQ(note.Width.get(), row.dialog ? 3000 : 260 * 15);
        // The program's own size is taken by both.
        note.Width = 4500;
        note.Height = 2400;
        settle();
        EXPECT_EQ(w->size(), QSize(300, 160));
        // A window manager that minimises it all the same: the dialog comes back at once.
        w->showMinimized();
        settle();
        EXPECT_EQ(w->isMinimized(), !row.dialog);
        note.Unload();
    }
}

TEST_F(QtBinding, MaximisedWindowComesBackToItsOwnSize) {
    Board board;
    board.Show();
    QWidget* w = binding.widgetOf(board);
    for (int round = 0; round < 2; ++round) {
        board.WindowState = ui::vbMaximized;
        settle();
        ASSERT_TRUE(w->isMaximized());
        board.WindowState = ui::vbNormal;
        // Centred by its normal size, as the menu strip's full-screen toggle does.
        EXPECT_EQ(board.Width.get(), 9270);
        board.Left = 1500;
        board.Top = 1200;
        settle();
        EXPECT_FALSE(w->isMaximized());
        EXPECT_EQ(w->geometry(), QRect(100, 80, 618, 449));
        EXPECT_EQ(board.Width.get(), 9270);
        EXPECT_EQ(board.Height.get(), 6735);
    }
}

TEST_F(QtBinding, PicturesAreDecodedAndControlsFollowTheModel) {
    QImage red(32, 32, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(QString::fromStdString((scene.folder / "red_a.bmp").string())));
    Board board;
    board.Show();
    board.tile.Picture = ui::Picture::load("red_a.bmp");
    ASSERT_NE(board.tile.Picture->native(), nullptr);
    QImage shot = binding.widgetOf(board.tile)->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(16, 16)), QColor(Qt::red));
    board.tile.Visible = false;
    EXPECT_FALSE(binding.widgetOf(board.tile)->isVisible());
    board.status.AddItem("Welcome");
    board.status.ListIndex = 0;
    auto* list = static_cast<QListWidget*>(binding.widgetOf(board.status));
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "Welcome");
    EXPECT_EQ(list->currentRow(), 0);
}

TEST_F(QtBinding, MouseDragDropsOnTheControlUnderThePointer) {
    Board board;
    board.Show();
    QWidget* w = binding.widgetOf(board);
    send(w, QEvent::MouseButtonPress, {510, 120}, Qt::LeftButton);
    send(w, QEvent::MouseMove, {400, 120}, Qt::LeftButton);
    EXPECT_TRUE(board.drag().dragging());
    send(w, QEvent::MouseMove, {300, 100}, Qt::LeftButton);
    send(w, QEvent::MouseButtonRelease, {300, 100}, Qt::NoButton);
    ASSERT_EQ(board.drops.size(), 1u);
    EXPECT_EQ(board.drops[0], &board.tile);
}

TEST_F(QtBinding, WindowManagersCloseIsTheUsersClose) {
    Board board;
    board.Show();
    QWidget* w = binding.widgetOf(board);
    QCloseEvent close;
    QApplication::sendEvent(w, &close);
    EXPECT_EQ(board.modes, std::vector<int>{ui::vbFormControlMenu});
    EXPECT_TRUE(board.loaded());
    EXPECT_TRUE(w->isVisible());
}

TEST_F(QtBinding, ChangingAWindowWithoutShowLeavesTheFocusAloneAndShowBringsItToTheFront) {
    Note first("first"), second("second");
    first.Show();
    settle();
    second.Show();
    settle();
    ASSERT_EQ(QApplication::activeWindow(), binding.widgetOf(second));
    const int before = first.activations;
    first.Caption = "Renamed";
    first.Visible = true;
    first.Left = 600;
    settle();
    EXPECT_EQ(QApplication::activeWindow(), binding.widgetOf(second));
    EXPECT_EQ(first.activations, before);
    first.Show();
    settle();
    EXPECT_EQ(QApplication::activeWindow(), binding.widgetOf(first));
    EXPECT_EQ(ui::Desktop::instance().activeForm(), &first);
    EXPECT_EQ(first.activations, before + 1);
}

TEST_F(QtBinding, AWindowThatIsNoFormTakingTheFocusDeactivatesTheActiveForm) {
    Note strip("strip");
    strip.Show();
    settle();
    ASSERT_EQ(ui::Desktop::instance().activeForm(), &strip);
    QWidget help;   // as the help window is
    help.show();
    help.activateWindow();
    settle();
    EXPECT_EQ(strip.deactivations, 1);
    EXPECT_EQ(ui::Desktop::instance().activeForm(), nullptr);
}

TEST_F(QtBinding, WindowThatShowsItselfOnDeactivationWinsOnceAndSettles) {
    Note sticky("sticky", true), other("other");
    sticky.Show();
    settle();
    other.Show();
    settle();
    EXPECT_EQ(QApplication::activeWindow(), binding.widgetOf(sticky));
    EXPECT_EQ(ui::Desktop::instance().activeForm(), &sticky);
    const int activations = sticky.activations;
    settle();
    EXPECT_EQ(sticky.activations, activations);   // no back and forth
    EXPECT_EQ(other.activations, 1);
}

TEST_F(QtDialogs, QuestionBoxShowsTextAndReturnsThePressedButton) {
    ui::qt::QtDialogs dialogs;
    QString seenText, seenTitle;
    int buttons = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenText = box->text();
        seenTitle = box->windowTitle();
        buttons = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::No)->click();
    });
    const int answer = dialogs.msgBox("Quit now?\n\nReally?", platform::vbYesNo, "Quit Game In Play!");
    EXPECT_EQ(answer, platform::vbNo);
    EXPECT_EQ(seenText, "Quit now?\n\nReally?");
    EXPECT_EQ(seenTitle, "Quit Game In Play!");
    EXPECT_EQ(buttons, 2);
}

TEST_F(QtDialogs, InputBoxReturnsTypedTextAndCancelGivesEmpty) {
    ui::qt::QtDialogs dialogs;
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setTextValue("secret");
        dialog->accept();
    });
    EXPECT_EQ(dialogs.inputBox("Enter password:", "Private Game", ""), "secret");
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->reject();
    });
    EXPECT_EQ(dialogs.inputBox("Enter password:", "Private Game", "typed"), "");
}

TEST_F(QtDialogs, ALinePromptTellsAnEmptyAnswerFromCancelAndShowsTheArrowOverTheHourglass) {
    ui::qt::QtLinePrompt prompt;
    ui::Screen().MousePointer = ui::vbHourglass;
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Qt::CursorShape whileAsked = Qt::WaitCursor;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->textValue(), "last time");
        whileAsked = QApplication::overrideCursor()->shape();
        dialog->setTextValue("");
        dialog->accept();
    });
    EXPECT_EQ(prompt.ask("Search", "Where?", "last time"), std::optional<std::string>(""));
    EXPECT_EQ(whileAsked, Qt::ArrowCursor);
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) dialog->reject();
    });
    EXPECT_EQ(prompt.ask("Search", "Where?", "typed"), std::nullopt);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    ui::Screen().MousePointer = ui::vbDefault;
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

namespace {

// A plain dialog next to a window drawn over its background picture.
struct Panels : ui::Form {
    Panels() : ui::Form("panels") {
        BorderStyle = ui::vbFixedDialog;
        Width = 6000;
        Height = 4500;
        rows.Move(0, 0, 3000, 1500);
        add(rows);
        name.Move(3100, 0, 2000, 300);
        add(name);
        caption.Caption = "Installed Protocals:";
        caption.Transparent = false;
        caption.BackColor = 0xFFFFFF;
        caption.Move(3100, 600, 2800, 300);
        add(caption);
        back.Move(0, 2000, 6000, 2500);
        back.designWidth = 6000;
        back.designHeight = 2500;
        add(back);
        chat.Move(100, 2100, 3000, 195);
        add(chat, &back);
    }
    ui::ListBox rows{"List1"};
    ui::TextBox name{"Text1"};
    ui::Label caption{"Label16"};
    ui::ElasticContainer back{"main1"};
    ui::TextBox chat{"ChatText"};
};

// Collects what the list repaints, so a scroll that leaves old rows on the screen shows up.
struct PaintedArea : QObject {
    QRegion area;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) area += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

} // namespace

TEST_F(QtBinding, ListScrolledByTheProgramRedrawsItsRowsWithTheChosenOneOnTop) {
    Panels w;
    for (int i = 0; i < 200; ++i) w.rows.AddItem("word " + std::to_string(i));
    w.Show();
    auto* list = qobject_cast<QListWidget*>(binding.widgetOf(w.rows));
    ASSERT_NE(list, nullptr);
    QApplication::processEvents();
    PaintedArea painted;
    list->viewport()->installEventFilter(&painted);
    list->viewport()->repaint();
    QApplication::processEvents();
    painted.area = QRegion();
    w.rows.TopIndex = 120;
    w.rows.ListIndex = 120;
    QApplication::processEvents();
    EXPECT_EQ(list->indexAt(QPoint(2, 2)).row(), 120);
    EXPECT_TRUE((QRegion(list->viewport()->rect()) - painted.area).isEmpty()) << "the rows below the selection were not redrawn";
    // A new row refills the list; the top row stays where the program put it.
    w.rows.AddItem("last");
    QApplication::processEvents();
    EXPECT_EQ(list->indexAt(QPoint(2, 2)).row(), 120);
    EXPECT_EQ(w.rows.TopIndex.get(), 120);
}

TEST_F(QtBinding, TextBoxShowsItsFrameUnlessDrawnOverABackgroundPictureAndADisabledLabelIsGreyed) {
    Panels w;
    w.Show();
    auto* name = qobject_cast<QLineEdit*>(binding.widgetOf(w.name));
    auto* chat = qobject_cast<QLineEdit*>(binding.widgetOf(w.chat));
    ASSERT_NE(name, nullptr);
    ASSERT_NE(chat, nullptr);
    EXPECT_TRUE(name->hasFrame());
    EXPECT_FALSE(chat->hasFrame());
    const auto darkest = [&] {
        const QImage shot = binding.widgetOf(w.caption)->grab().toImage();
        int least = 255;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) least = std::min(least, qGray(shot.pixel(x, y)));
        return least;
    };
    EXPECT_LT(darkest(), 40);
    w.caption.Enabled = false;
    QApplication::processEvents();
    const int greyed = darkest();
    EXPECT_GT(greyed, 100);
    EXPECT_LT(greyed, 200);
}

namespace {
// A window with a busy animation and a text box, as the waiting room has.
struct WaitingForm : ui::Form {
    WaitingForm() : ui::Form("waiting") {
        Width = 6000;
        Height = 3000;
        AniGIF1.Move(120, 120, 360, 360);
        add(AniGIF1);
        Text1.Move(120, 900, 3000, 300);
        Text1.onKeyPress = [this](int&) { ++keys; };
        add(Text1);
    }
    ui::Animation AniGIF1{"AniGIF1"};
    ui::TextBox Text1{"Text1"};
    int keys = 0;
};
} // namespace

TEST_F(WaitPainting, DuringARequestTheAnimationIsPaintedAndNoTimerOrKeyRuns) {
    for (const char* colour : {"red", "blue"}) {
        QImage frame(24, 24, QImage::Format_RGB32);
        frame.fill(QColor(colour));
        ASSERT_TRUE(frame.save(QString::fromStdString((scene.folder / (std::string(colour) + ".bmp")).string())));
    }
    WaitingForm w;
    w.AniGIF1.frames = {ui::Picture::load("red.bmp"), ui::Picture::load("blue.bmp")};
    w.Show();
    QApplication::processEvents();
    QWidget* animation = binding.widgetOf(w.AniGIF1);
    ASSERT_NE(animation, nullptr);
    PaintedArea painted;
    animation->installEventFilter(&painted);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(0);
    QCoreApplication::postEvent(binding.widgetOf(w.Text1), new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));

    ui::qt::QtWaitPainter painter;
    w.AniGIF1.play(true);
    painter.paintPending(); // the request starts
    EXPECT_TRUE(animation->isVisible());
    EXPECT_FALSE(painted.area.isEmpty());
    painted.area = QRegion();
    ui::Animation::advanceAll(w.AniGIF1.frameMs); // time passes while the server is slow
    painter.paintPending();
    EXPECT_FALSE(painted.area.isEmpty());
    EXPECT_EQ(QColor(animation->grab().toImage().pixel(12, 12)), QColor(Qt::blue));
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(w.keys, 0);

    w.AniGIF1.play(false); // the reply is in
    EXPECT_FALSE(animation->isVisible());
    QApplication::processEvents();
    EXPECT_GT(ticks, 0);
}
