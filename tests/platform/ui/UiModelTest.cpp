// The forms layer without a screen: pictures, timers, the mouse and drag manager, window life.
#include "platform/ui/Control.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/Form.h"
#include "platform/ui/FormSlot.h"
#include "platform/ui/Timer.h"
#include "tests/support/UiScene.h"

#include <gtest/gtest.h>

#include <fstream>

namespace ui = platform::ui;
using testing_support::UiScene;

namespace {

// A small window with a draggable tile, a drop zone with a handler, one without, and a cover.
class TestForm : public ui::Form {
public:
    TestForm() : ui::Form("test") {
        Width = 3000;
        Height = 3000;
        zone.Move(0, 0, 3000, 3000);
        add(zone);
        tile.Move(100, 100, 480, 480);
        tile.DragMode = ui::vbAutomatic;
        add(tile);
        silent.Move(1500, 1500, 600, 600);
        add(silent);
        cover.Move(2000, 100, 500, 500);
        add(cover);
        hidden.Move(2000, 2400, 500, 500);
        hidden.Visible = false;
        add(hidden);
        zone.onDragDrop = [this](ui::Control& s, float x, float y) { drops.push_back({&zone, &s, x, y}); };
        cover.onDragDrop = [this](ui::Control& s, float x, float y) { drops.push_back({&cover, &s, x, y}); };
        hidden.onDragDrop = [this](ui::Control& s, float x, float y) { drops.push_back({&hidden, &s, x, y}); };
        zone.onDragOver = [this](ui::Control&, float, float, int state) { overStates.push_back(state); };
        tile.onClick = [this] { ++tileClicks; };
        cover.onClick = [this] { ++coverClicks; };
    }
    struct Drop {
        ui::Control* target;
        ui::Control* source;
        float x, y;
    };
    ui::Label zone{"zone"};
    ui::Image tile{"tile"};
    ui::Label silent{"silent"};
    ui::Label cover{"cover"};
    ui::Label hidden{"hidden"};
    std::vector<Drop> drops;
    std::vector<int> overStates;
    int tileClicks = 0;
    int coverClicks = 0;
    std::vector<std::string> events;
    int queryCancel = 0;
    std::vector<int> unloadModes;

    void Form_Load() override { events.push_back("Load"); }
    void Form_Activate() override { events.push_back("Activate"); }
    void Form_Deactivate() override { events.push_back("Deactivate"); }
    void Form_QueryUnload(int& Cancel, int UnloadMode) override {
        unloadModes.push_back(UnloadMode);
        Cancel = queryCancel;
    }
    void Form_Unload(int&) override { events.push_back("Unload"); }
};

int g_alive = 0;
struct CountedForm : TestForm {
    CountedForm() { ++g_alive; }
    ~CountedForm() override { --g_alive; }
};

} // namespace

TEST(Pictures, AnAssignedHandleIsTheSamePictureEachLoadANewOneAndNoPictureOneIdentity) {
    UiScene scene;
    scene.writePicture("tile.bmp");
    ui::Image a{"a"}, b{"b"};
    EXPECT_TRUE(a.Picture == b.Picture);
    EXPECT_TRUE(a.Picture->isNone());
    a.Picture = ui::Picture::load("tile.bmp");
    b.Picture = a.Picture;
    EXPECT_TRUE(b.Picture == a.Picture);
    EXPECT_FALSE(ui::Picture::load("tile.bmp") == ui::Picture::load("tile.bmp"));
}

TEST(Pictures, MissingOrForeignFileGivesNoPicture) {
    UiScene scene;
    scene.folder.write("notes.bmp", "hello, not a picture");
    bool ok = true;
    EXPECT_TRUE(ui::Picture::load("absent.bmp", &ok).isNone());
    EXPECT_FALSE(ok);
    EXPECT_TRUE(ui::Picture::load("notes.bmp", &ok).isNone());
    EXPECT_FALSE(ok);
}

TEST(Pictures, BmpGifAndJpegHeadersAreRead) {
    UiScene scene;
    scene.writePicture("board.bmp", 618, 449);
    scene.folder.write("photo.gif", std::string("GIF89a\x64\x00\x55\x00", 10) + std::string(20, '\0'));
    std::string jpeg("\xFF\xD8\xFF\xE0\x00\x04\x00\x00\xFF\xC0\x00\x0B\x08\x00\x55\x00\x64", 17);
    scene.folder.write("photo.jpg", jpeg + std::string(20, '\0'));
    EXPECT_EQ(ui::Picture::load("board.bmp").width(), 618);
    EXPECT_EQ(ui::Picture::load("board.bmp").height(), 449);
    EXPECT_EQ(ui::Picture::load("photo.gif").width(), 100);
    EXPECT_EQ(ui::Picture::load("photo.jpg").height(), 85);
}

TEST(FileNames, ResolvedWithoutRegardToCase) {
    UiScene scene;
    scene.writePicture("Marble.bmp");
    EXPECT_EQ(ui::resolveFileName("marble.bmp"), "Marble.bmp");
    EXPECT_EQ(ui::resolveFileName("MARBLE.BMP"), "Marble.bmp");
    EXPECT_FALSE(ui::Picture::load("marble.BMP").isNone());
    EXPECT_EQ(ui::resolveFileName("missing.bmp"), "missing.bmp");
}

TEST(Timers, TickAfterIntervalWhileEnabledAndSettingEnabledRestartsTheCount) {
    UiScene scene;
    ui::Timer t{"t"};
    int ticks = 0;
    t.onTimer = [&] { ++ticks; };
    t.Interval = 50;
    scene.timers.advance(200);
    EXPECT_EQ(ticks, 0);
    t.Enabled = true;
    scene.timers.advance(200);
    EXPECT_EQ(ticks, 4);
    t.Enabled = false;
    scene.timers.advance(200);
    EXPECT_EQ(ticks, 4);
    // Setting Enabled on a running timer starts the count again.
    t.Interval = 100;
    t.Enabled = true;
    scene.timers.advance(90);
    t.Enabled = true;
    scene.timers.advance(90);
    EXPECT_EQ(ticks, 4);
    scene.timers.advance(10);
    EXPECT_EQ(ticks, 5);
}

TEST(Timers, TickHandlerIsNeverReentered) {
    UiScene scene;
    ui::Timer t{"t"};
    int depth = 0, maxDepth = 0, ticks = 0;
    t.onTimer = [&] {
        ++ticks;
        maxDepth = std::max(maxDepth, ++depth);
        // A long pause inside the tick: time runs on, further ticks come due meanwhile.
        if (ticks == 1) scene.timers.advance(500);
        --depth;
    };
    t.Interval = 50;
    t.Enabled = true;
    scene.timers.advance(50);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_EQ(ticks, 1);
    scene.timers.advance(50);
    EXPECT_EQ(ticks, 2);
}

TEST(Timers, HandlerSwitchingItselfOffStopsTicks) {
    UiScene scene;
    ui::Timer t{"t"};
    int ticks = 0;
    t.onTimer = [&] {
        ++ticks;
        t.Enabled = false;
    };
    t.Interval = 500;
    t.Enabled = true;
    scene.timers.advance(5000);
    EXPECT_EQ(ticks, 1);
}

TEST(DragAndDrop, ReleaseDropsOnTheTopmostShownControlUnderThePointerIfItTakesDrops) {
    struct Row {
        float x, y;
        ui::Label TestForm::*target;   // none: the control there has no drop handler
        float dropX, dropY;
    };
    for (const Row& row : {Row{2100, 200, &TestForm::cover, 100, 100}, Row{1700, 1700, nullptr, 0, 0},
                           Row{2100, 2500, &TestForm::zone, 2100, 2500}}) {
        SCOPED_TRACE(std::to_string(row.x) + "," + std::to_string(row.y));
        UiScene scene;
        TestForm f;
        f.load();
        f.drag().press(300, 300);
        f.drag().move(600, 300);
        f.drag().release(row.x, row.y);
        EXPECT_FALSE(f.drag().dragging());
        if (!row.target) {
            EXPECT_TRUE(f.drops.empty());
            continue;
        }
        ASSERT_EQ(f.drops.size(), 1u);
        EXPECT_EQ(f.drops[0].target, &(f.*row.target));
        EXPECT_EQ(f.drops[0].source, &f.tile);
        EXPECT_FLOAT_EQ(f.drops[0].x, row.dropX);
        EXPECT_FLOAT_EQ(f.drops[0].y, row.dropY);
    }
}

TEST(DragAndDrop, DragOverEntersThenMovesOver) {
    UiScene scene;
    TestForm f;
    f.load();
    f.drag().press(300, 300);
    f.drag().move(700, 700);
    f.drag().move(800, 800);
    EXPECT_EQ(f.overStates, (std::vector<int>{ui::vbEnter, ui::vbOver}));
    EXPECT_EQ(f.drag().cursorX(), 800);
}

TEST(DragAndDrop, PressAndReleaseOnPlainControlIsClickButASmallMoveOfADraggableIsNeither) {
    UiScene scene;
    TestForm f;
    f.load();
    f.drag().press(2100, 200);
    f.drag().release(2110, 210);
    EXPECT_EQ(f.coverClicks, 1);
    f.drag().press(2100, 200);
    f.drag().release(100, 2900);
    EXPECT_EQ(f.coverClicks, 1);
    f.drag().press(300, 300);
    f.drag().move(330, 310);
    EXPECT_FALSE(f.drag().dragging());
    f.drag().release(330, 310);
    EXPECT_TRUE(f.drops.empty());
    EXPECT_EQ(f.tileClicks, 0);
}

TEST(DragAndDrop, ANarrowControlBetweenTwoDragPositionsHearsThePointerPass) {
    UiScene scene;
    ui::Form f("f");
    ui::Label bar{"bar"}, cover{"cover"};
    ui::Image tile{"tile"};
    bar.Move(600, 0, 150, 3000);   // ten pixels wide
    cover.Move(600, 2000, 150, 500);
    tile.Move(0, 0, 480, 480);
    tile.DragMode = ui::vbAutomatic;
    f.add(bar);
    f.add(cover);
    f.add(tile);
    std::vector<int> heard;
    bar.onDragOver = [&](ui::Control& source, float x, float, int state) {
        EXPECT_EQ(&source, &tile);
        if (state == ui::vbEnter) {
            EXPECT_TRUE(x >= 0 && x < 150) << x;
        }
        heard.push_back(state);
    };
    f.load();
    // A flick: the very motion that starts the drag crosses the bar, and the bar hears it pass.
    f.drag().press(240, 240);
    f.drag().move(1500, 240);
    EXPECT_EQ(heard, (std::vector<int>{ui::vbEnter, ui::vbLeave}));
    f.drag().release(1500, 240);
    // A press that comes in just after a busy wait was made during it: its first motion jumps,
    // however far; from then on the path is walked. A quarter second later a press is new again.
    for (const int msAfterWait : {0, 249, 250}) {
        SCOPED_TRACE(msAfterWait);
        heard.clear();
        scene.doubles.clock.busyWaitEnded();
        scene.doubles.clock.ms += msAfterWait;
        f.drag().press(240, 240);
        f.drag().move(1500, 240);
        EXPECT_EQ(heard.size(), msAfterWait < 250 ? 0u : 2u);
        // Back across the bar in one step of 84 pixels: the bar is entered and left.
        f.drag().move(240, 300);
        EXPECT_EQ(heard.size(), msAfterWait < 250 ? 2u : 4u);
        f.drag().release(240, 300);
    }
    // Where another control lies over the bar, the pointer passes that one instead.
    heard.clear();
    f.drag().press(240, 240);
    f.drag().move(240, 2200);
    f.drag().move(1500, 2200);
    EXPECT_TRUE(heard.empty());
    f.drag().release(1500, 2200);
}

TEST(DragAndDrop, ChildrenOfStretchedContainerAreHitWhereTheyAreShown) {
    UiScene scene;
    ui::Form f("f");
    ui::ElasticContainer box{"box"};
    ui::Label inside{"inside"};
    box.Move(0, 0, 1000, 1000);
    box.designWidth = 1000;
    box.designHeight = 1000;
    inside.Move(500, 500, 100, 100);
    f.add(box);
    f.add(inside, &box);
    EXPECT_EQ(f.controlAt(550, 550), &inside);
    box.Width = 2000;
    box.Height = 2000;
    EXPECT_EQ(f.controlAt(550, 550), &box);
    EXPECT_EQ(f.controlAt(1100, 1100), &inside);
}

TEST(WindowLife, DefaultInstanceLoadsOnFirstUseAndAfterUnloadIsFresh) {
    UiScene scene;
    ui::FormSlot<CountedForm> slot;
    EXPECT_FALSE(slot.loaded());
    CountedForm& first = slot();
    EXPECT_EQ(first.events, std::vector<std::string>{"Load"});
    first.tile.Tag = "q";
    ASSERT_TRUE(first.Unload());
    EXPECT_FALSE(slot.loaded());
    EXPECT_EQ(g_alive, 0);
    EXPECT_EQ(slot().tile.Tag.get(), "");
    EXPECT_EQ(g_alive, 1);
}

TEST(WindowLife, UnloadInsideHandlerIsDeferredAndIdempotent) {
    UiScene scene;
    ui::FormSlot<CountedForm> slot;
    CountedForm& f = slot();
    bool stillAlive = false;
    f.cover.onClick = [&] {
        slot().Unload();
        f.Unload();   // a second request is harmless
        // The handler carries on with its own window.
        f.tile.Tag = "after";
        stillAlive = g_alive == 1;
    };
    f.cover.click();
    EXPECT_TRUE(stillAlive);
    EXPECT_EQ(g_alive, 0);
    EXPECT_FALSE(slot.loaded());
}

TEST(WindowLife, QueryUnloadSeesModeAndMayCancel) {
    UiScene scene;
    TestForm f;
    f.Show();
    f.queryCancel = 1;
    EXPECT_FALSE(f.closeByUser());
    EXPECT_TRUE(f.loaded());
    f.queryCancel = 0;
    EXPECT_TRUE(f.Unload());
    EXPECT_EQ(f.unloadModes, (std::vector<int>{ui::vbFormControlMenu, ui::vbFormCode}));
    EXPECT_FALSE(f.loaded());
    EXPECT_FALSE(f.Visible);
}

TEST(WindowLife, DeactivateOnlyWhenAnotherWindowBecomesActive) {
    UiScene scene;
    TestForm a, b;
    a.Show();
    b.load();
    EXPECT_EQ(a.events, (std::vector<std::string>{"Load", "Activate"}));
    b.Show();
    EXPECT_EQ(a.events.back(), "Deactivate");
    EXPECT_EQ(b.events.back(), "Activate");
    EXPECT_EQ(ui::Desktop::instance().activeForm(), &b);
    // A message box is no window of the program: nobody is deactivated.
    scene.doubles.dialogs.msgBox("hello", 0, "t");
    EXPECT_EQ(b.events.back(), "Activate");
}

TEST(ListBoxes, SelectingFromTheProgramRunsClickOncePerChange) {
    ui::ListBox list{"list"};
    int clicks = 0;
    list.onClick = [&] { ++clicks; };
    list.AddItem("one");
    list.AddItem("two");
    list.ListIndex = 1;
    list.ListIndex = 1;
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list.Text(), "two");
    list.ListIndex = 7;
    EXPECT_EQ(list.ListIndex.get(), -1);
}
