#include "edit/WorkspaceTools.h"
#include "edit/ObjectCommands.h"

#include "EngineTestSupport.h"
#include "TempDir.h"
#include "TestSupport.h"

#include "gamedata/DemoData.h"
#include "gamedata/IndexFiles.h"
#include "gamedata/ObjectGroups.h"

#include <gtest/gtest.h>

using namespace zev;
using namespace zev::edit;
using engine::Vector3;
using enginetest::ExpectNear;
using R = mission::MissionObjectRecord;

namespace {

// A workspace without a window: the cameras, an object and a ready-made group as frames that
// follow the editor, the ground, and a viewport onto the current camera.
struct Workspace : ToolView, EditorListener {
    std::shared_ptr<engine::Frame> scene = engine::Frame::Create();
    std::shared_ptr<engine::Frame> side = engine::Frame::Create(scene.get());
    std::shared_ptr<engine::Frame> top = engine::Frame::Create(scene.get());
    std::shared_ptr<engine::Frame> ground = engine::Frame::Create(scene.get());
    std::map<int, std::shared_ptr<engine::Frame>> frames;
    MissionEditor editor;
    WorkspaceSpeeds speeds;
    CameraRig rig{scene.get(), side.get(), top.get()};
    KeyActions keys{editor, rig, speeds};
    common::RecordingReporter reporter;
    ObjectDropper dropper{editor, {}, reporter};
    WorkspaceTools tools{editor, keys, rig, dropper, *this};
    mutable engine::Viewport view{top, 0, 0, 800, 600};
    int captures = 0, draws = 0, edits = 0;
    bool captured = false;
    StatusReadout status;

    Workspace() {
        view.SetBack(30000);
        side->SetPosition(scene.get(), 0, 60, -100);
        side->SetOrientation(scene.get(), {0, 0, 1}, {0, 1, 0});
        top->SetPosition(scene.get(), 0, 70, 0);
        top->SetOrientation(scene.get(), {0, -1, 0}, {0, 0, 1});
        ground->AddVisual(enginetest::GroundMesh());
        ground->SetAppData(2000);
        ground->SetPosition(scene.get(), 0, -0.9, 0);

        auto doc = mission::support::newMission();
        doc->objects.place(0, mission::support::sampleObject("a", 1000, 0, 1000));
        R group = mission::support::sampleObject("g", -1000, 0, -1000);
        group.setByte(R::readyMadeGroup, 1);
        doc->objects.place(1, group);
        editor.addListener(this);
        editor.openMission(*doc, {}, reporter);
    }
    ~Workspace() override { editor.removeListener(this); }

    void missionReplaced() override {
        frames.clear();
        for (int slot : editor.objectOrder())
            objectAdded(slot);
    }
    void objectAdded(int slot) override {
        auto frame = engine::Frame::Create(scene.get());
        frame->SetAppData(slot);
        if (editor.document().objects.find(slot)->isReadyMadeGroup())
            for (double dx : {-3.0, 3.0}) {
                auto member = engine::Frame::Create(frame.get());
                member->AddVisual(enginetest::BoxMesh(-1, -1, -1, 1, 1, 1));
                member->SetAppData(3000);
                member->SetPosition(frame.get(), dx, 0, 0);
            }
        else
            frame->AddVisual(enginetest::BoxMesh(-1, -1, -1, 1, 1, 1));
        frames[slot] = frame;
        objectMoved(slot);
    }
    void objectRemoved(int slot) override {
        scene->DeleteChild(frames[slot].get());
        frames.erase(slot);
    }
    void objectMoved(int slot) override {
        frames[slot]->SetPosition(scene.get(), *editor.objectPosition(slot));
    }

    const engine::Viewport* viewport() const override {
        view.SetCamera(keys.view() == WorkspaceView::Top ? top : side);
        return &view;
    }
    void capturePointer(bool on) override {
        captured = on;
        captures += on;
    }
    void drawNow() override { ++draws; }
    void showToolPointer(bool) override {}
    void showStatus(const StatusReadout& readout) override { status = readout; }
    void editSelection() override { ++edits; }

    // Where a scene point is on the screen of the current camera.
    std::pair<int, int> pixelOf(const Vector3& p) const {
        const engine::Vector4 s = viewport()->Transform(p);
        return {int(std::lround(s.x / s.w)), int(std::lround(s.y / s.w))};
    }
    Vector3 position(int slot) const { return *editor.objectPosition(slot); }
};

} // namespace

TEST(WorkspaceTools, PickingSelectsObjectsAndWholeGroupsAndTheGroundClearsTheSelection) {
    Workspace w;
    w.keys.showTopView();
    const auto [gx, gy] = w.pixelOf({-7, 0, -10}); // a member of the group, left of its centre
    EXPECT_TRUE(w.tools.pickAt(gx, gy));
    EXPECT_EQ(w.editor.selection(), Selection::object(1));
    const auto [ox, oy] = w.pixelOf({10, 0, 10});
    EXPECT_TRUE(w.tools.pickAt(ox, oy));
    EXPECT_EQ(w.editor.selection(), Selection::object(0));
    EXPECT_FALSE(w.tools.pickAt(400, 580)); // the bare ground
    EXPECT_EQ(w.editor.selection(), Selection::none());

    // The status bar tells what is under the pointer, or where the side camera is.
    w.tools.move(ox, oy);
    EXPECT_EQ(w.status.panel(0), "Menu a    a   ");
    EXPECT_EQ(w.status.panel(1), "X= 1000");
    w.tools.move(400, 580);
    EXPECT_EQ(w.status.panel(0), "Current Camera Position");
    EXPECT_EQ(w.status.panel(3), "Z= -10000");
    EXPECT_EQ(
        statusFor(w.editor, PickedThing{Selection::navPoint(3, 4), {1.9, 2, -3.5}}, {}).panel(0),
        "Nav Point 5 for Star 3");
    EXPECT_EQ(statusFor(w.editor, PickedThing{Selection::startPoint(2), {}}, {}).panel(0),
              "Start Point for Player 2");
}

TEST(WorkspaceTools, ALeftDragFollowsThePointerInWholeUnitsAsOneStepThatUndoes) {
    Workspace w;
    w.keys.showTopView();
    const auto [x, y] = w.pixelOf({10, 0, 10});
    w.tools.press(MouseButton::Left, x, y);
    EXPECT_FALSE(w.captured) << "the pointer hides at the first move, not at the press";
    // The point grabbed stays under the pointer, cut toward zero to whole units.
    const auto [x1, y1] = w.pixelOf({20.5, 0, 10.5});
    w.tools.move(x1, y1);
    EXPECT_TRUE(w.captured);
    ExpectNear(w.position(0), {20, 0, 10});
    const auto [x2, y2] = w.pixelOf({8.5, 0, -12.5});
    w.tools.move(x2, y2);
    ExpectNear(w.position(0), {8, 0, -12});
    w.tools.release();
    EXPECT_FALSE(w.captured);
    EXPECT_EQ(w.editor.undoText(), "Undo Move Object");
    EXPECT_TRUE(w.editor.isModified());
    ASSERT_TRUE(w.editor.undo());
    ExpectNear(w.position(0), {10, 0, 10});
    EXPECT_FALSE(w.editor.canUndo()) << "the whole drag was one step";

    // The front view moves the height only, following the pointer at the object's depth.
    w.keys.showFrontView();
    const auto [fx, fy] = w.pixelOf({10, 0, 10});
    const auto [ux, uy] = w.pixelOf({10, 3.5, 10});
    w.tools.press(MouseButton::Left, fx, fy);
    w.tools.move(ux + 50, uy);
    w.tools.release();
    ExpectNear(w.position(0), {10, 3, 10});

    // Snapping on: the drag lands on the grid's lines.
    const GridSnap snap{true, 5};
    w.keys.snap = &snap;
    w.keys.showTopView();
    const auto [sx, sy] = w.pixelOf({10, 3, 10});
    const auto [tx, ty] = w.pixelOf({23.1, 3, 16.9});
    w.tools.press(MouseButton::Left, sx, sy);
    w.tools.move(tx, ty);
    w.tools.release();
    ExpectNear(w.position(0), {25, 3, 15});
    w.editor.undo();
    w.keys.snap = nullptr;
    w.keys.showFrontView();

    // Esc takes a drag back and leaves no step.
    const int steps = w.editor.canUndo();
    w.tools.press(MouseButton::Left, fx, fy - 20);
    w.tools.move(fx, fy - 300);
    w.tools.cancelDrag();
    ExpectNear(w.position(0), {10, 3, 10});
    w.tools.release();
    EXPECT_EQ(w.editor.undoText(), "Undo Move Object");
    ASSERT_TRUE(w.editor.undo());
    EXPECT_EQ(int(w.editor.canUndo()), steps - 1);

    // A click without a move is no step at all.
    w.tools.press(MouseButton::Left, fx, fy);
    w.tools.release();
    EXPECT_FALSE(w.editor.canUndo());
}

TEST(WorkspaceTools, ARightDragTurnsByFiveDegreesAStepWithTheSignsOfEachView) {
    Workspace w;
    w.keys.showTopView();
    const auto [x, y] = w.pixelOf({10, 0, 10});
    R r = *w.editor.document().objects.find(0);
    r.setInt32(R::mainRotation(1), 355);
    w.editor.applyObjectRecord(0, r);
    w.tools.press(MouseButton::Right, x, y);
    w.tools.move(x + 3, y);
    w.tools.move(x + 9, y);
    EXPECT_EQ(w.editor.document().objects.find(0)->int32(R::mainRotation(1)), 5);
    w.tools.move(x + 2, y);
    EXPECT_EQ(w.editor.document().objects.find(0)->int32(R::mainRotation(1)), 0);
    w.tools.release();
    EXPECT_EQ(w.editor.undoText(), "Undo Turn Object");
    EXPECT_EQ(w.draws, 3);

    w.keys.showFrontView();
    const auto [fx, fy] = w.pixelOf({10, 0, 10});
    w.tools.press(MouseButton::Right, fx, fy);
    w.tools.move(fx + 4, fy);
    w.tools.release();
    EXPECT_EQ(w.editor.document().objects.find(0)->int32(R::mainRotation(1)), 355);
}

TEST(WorkspaceTools, ADoubleClickOpensTheEditorOfTheSelectionAtTheRelease) {
    Workspace w;
    w.keys.showTopView();
    const auto [x, y] = w.pixelOf({10, 0, 10});
    w.tools.press(MouseButton::Left, x, y);
    w.tools.doubleClick();
    w.tools.move(x + 100, y); // nothing moves while the double-click is pending
    EXPECT_EQ(w.edits, 0);
    w.tools.release();
    EXPECT_EQ(w.edits, 1);
    ExpectNear(w.position(0), {10, 0, 10});
}

TEST(WorkspaceTools, TheDropperLocksTheTopViewAndTheMouseToolBringsTheFrontViewBack) {
    Workspace w;
    w.tools.useDropper();
    EXPECT_EQ(w.keys.view(), WorkspaceView::Top);
    w.keys.run(18, 0);
    EXPECT_EQ(w.keys.view(), WorkspaceView::Top) << "the view is locked";
    w.tools.useMouse();
    EXPECT_EQ(w.keys.view(), WorkspaceView::Front);

    w.keys.showTopView();
    w.tools.useDropper();
    w.tools.useMouse();
    EXPECT_EQ(w.keys.view(), WorkspaceView::Top) << "the top view was the user's own";
}

namespace {

struct DropFixture : ::testing::Test {
    void SetUp() override {
        common::SilentReporter quiet;
        ASSERT_TRUE(gamedata::demo::writeDemoData(dir.path(), quiet));
        home = gamedata::demo::demoDataPaths(dir.path()).programDirectory;
        editor.startMission(*mission::support::newMission());
        const auto groups = gamedata::listObjectGroupNames(home);
        ASSERT_FALSE(groups.empty());
        choice = {groups.front(), 0, "Bunker"};
    }

    TempDir dir;
    std::filesystem::path home;
    // A dropper over the demo groups whose view cannot show the object named `failing`.
    ObjectDropper dropper() {
        ObjectDropper drop{editor, home, reporter};
        drop.indexCurrent = true;
        drop.prepareFrame = [this](int, const R& record) -> std::optional<std::string> {
            if (record.text(R::objectName) == failing)
                return std::string("Object not Found in GEO Table");
            return std::nullopt;
        };
        drop.zoomOver = [this](int slot) { zoomed.push_back(slot); };
        return drop;
    }

    MissionEditor editor;
    common::RecordingReporter reporter;
    std::vector<int> zoomed;
    std::string failing = "-";
    PaletteChoice choice;
};

} // namespace

TEST_F(DropFixture, ADropLandsOnTheGroundAtWholeUnitsAsOneStepWithTheDroppedDefaults) {
    ObjectDropper drop = dropper();
    const auto slot = drop.drop(choice, {-2.7, 5.5, 3.9});
    ASSERT_EQ(slot, 0);
    EXPECT_EQ(zoomed, (std::vector<int>{0})) << "auto-zoom goes over a standard object";
    ExpectNear(*editor.objectPosition(0), {-2, 0, 3});
    const R& r = *editor.document().objects.find(0);
    EXPECT_EQ(r.text(R::areaFile), "1");
    EXPECT_EQ(r.text(R::pathLooping), "oneshot");
    EXPECT_EQ(r.text(R::pathRotation), "rotate");
    EXPECT_EQ(r.text(R::inspectionInfo), "");
    EXPECT_EQ(editor.undoText(), "Undo Drop Object");
    EXPECT_EQ(editor.objectOrder(), (std::vector<int>{0}));
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(editor.document().objects.count(), 0);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(DropFixture, EveryRefusalIsReportedAndLeavesNoRecordAndNoFrame) {
    ObjectDropper drop = dropper();
    drop.drop({choice.group, -1, ""}, {}); // nothing chosen: nothing at all
    EXPECT_TRUE(reporter.messages.empty());

    drop.indexCurrent = false;
    EXPECT_FALSE(drop.drop(choice, {}));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, gamedata::kIndexOutOfDateMessage);
    EXPECT_EQ(reporter.messages[0].icon, common::MessageIcon::Information);

    drop.indexCurrent = true;
    EXPECT_FALSE(drop.drop({"nosuchgroup", 0, "Bunker"}, {}));
    EXPECT_EQ(reporter.messages[1].text,
              "Could Not open Object Group File...\r\n" +
                  gamedata::objectGroupPath(home, "nosuchgroup").string() +
                  ": No such file or directory");
    EXPECT_EQ(reporter.messages[1].caption, "Error...");

    failing = gamedata::readObjectRecord(gamedata::objectGroupPath(home, choice.group), 0)
                  ->text(gamedata::ObjectGroupRecord::objectName);
    EXPECT_FALSE(drop.drop(choice, {}));
    EXPECT_EQ(reporter.messages[2].text, "Object not Found in GEO Table");
    EXPECT_EQ(reporter.messages[2].caption, "ZEVEDIT 3D");
    EXPECT_EQ(editor.document().objects.count(), 0);
    EXPECT_FALSE(editor.canUndo());
    EXPECT_FALSE(editor.isModified());

    // The 501st object.
    failing = "-";
    for (int i = 0; i < mission::ObjectTable::capacity; ++i)
        ASSERT_TRUE(drop.drop(choice, {double(i), 0, 0}));
    EXPECT_FALSE(drop.drop(choice, {}));
    EXPECT_EQ(reporter.messages.back().text, "Object Limit has been reached!");
    EXPECT_EQ(editor.document().objects.count(), 500);
}

TEST(ObjectDrop, TheMouseMeetsTheGroundUnderTheTopCamera) {
    auto scene = engine::Frame::Create();
    auto top = engine::Frame::Create(scene.get());
    top->SetPosition(scene.get(), 40, 70, -20);
    top->SetOrientation(scene.get(), {0, -1, 0}, {0, 0, 1});
    engine::Viewport view(top, 0, 0, 700, 700);
    const Vector3 centre = pointUnderMouse(view, *top, 350, 350);
    ExpectNear(centre, {40, 0, -20}, 1e-6);
    const Vector3 aside = pointUnderMouse(view, *top, 450, 350);
    EXPECT_NEAR(aside.y, 0, 1e-6);
    EXPECT_NEAR(std::abs(aside.x - 40), 100 * 70 / (350 / view.GetField()), 1e-6);
}

TEST(WorkspaceTools, CtrlClickTogglesShiftClickAddsAndADragOfASelectedObjectMovesAllAsOneStep) {
    Workspace w;
    w.keys.showTopView();
    const auto [ox, oy] = w.pixelOf({10, 0, 10});
    const auto [gx, gy] = w.pixelOf({-7, 0, -10});
    const auto click = [&](int x, int y, PressKeys keys = {}) {
        w.tools.press(MouseButton::Left, x, y, false, keys);
        w.tools.release();
    };
    click(ox, oy);
    click(gx, gy, {true, false});
    EXPECT_EQ(w.editor.selectedObjects(), (std::vector<int>{0, 1}));
    click(ox, oy, {true, false});
    EXPECT_EQ(w.editor.selectedObjects(), (std::vector<int>{1}));
    click(ox, oy, {false, true});
    click(ox, oy, {false, true});
    EXPECT_EQ(w.editor.selectedObjects(), (std::vector<int>{1, 0}));
    EXPECT_FALSE(w.editor.canUndo()) << "selecting is no step";

    // A press on a selected object drags everything selected; the picked one lands on whole
    // units, the others keep their places beside it.
    w.tools.press(MouseButton::Left, ox, oy);
    const auto [tx, ty] = w.pixelOf({20.5, 0, 11.5});
    w.tools.move(tx, ty);
    w.tools.release();
    ExpectNear(w.position(0), {20, 0, 11});
    ExpectNear(w.position(1), {0, 0, -9});
    EXPECT_EQ(w.editor.selectedObjects(), (std::vector<int>{1, 0})) << "still both selected";
    EXPECT_EQ(w.editor.undoText(), "Undo Move Objects");
    ASSERT_TRUE(w.editor.undo());
    ExpectNear(w.position(1), {-10, 0, -10});
    EXPECT_FALSE(w.editor.canUndo());

    // A click without a move on one of them selects it alone.
    click(ox, oy);
    EXPECT_EQ(w.editor.selectedObjects(), (std::vector<int>{0}));

    // A right drag turns both about their common centre, 5 degrees a step.
    w.editor.setSelection({Selection::object(0), Selection::object(1)});
    w.tools.press(MouseButton::Right, ox, oy);
    w.tools.move(ox + 3, oy);
    w.tools.move(ox + 9, oy);
    w.tools.release();
    EXPECT_EQ(w.editor.document().objects.find(0)->int32(R::mainRotation(1)), 10);
    EXPECT_EQ(w.editor.document().objects.find(1)->int32(R::mainRotation(1)), 10);
    const double c = std::cos(10 * 0.01745), s = std::sin(10 * 0.01745);
    ExpectNear(w.position(0), {10 * c + 10 * s, 0, -10 * s + 10 * c}, 1e-9);
    ExpectNear(w.position(1), -w.position(0), 1e-9);
    EXPECT_EQ(w.editor.undoText(), "Undo Turn Objects");
    ASSERT_TRUE(w.editor.undo());
    ExpectNear(w.position(0), {10, 0, 10});
    EXPECT_EQ(w.editor.document().objects.find(1)->int32(R::mainRotation(1)), 0);
}

TEST(WorkspaceTools, ADragFromEmptyGroundSelectsWhatIsInsideItsRectangleAndNeverMovesAnything) {
    Workspace w;
    w.editor.execute(std::make_unique<AddObjectCommand>(
        2, mission::support::sampleObject("far", 0, 0, 0), Vector3{45, 0, 0}));
    w.editor.select(Selection::object(2));
    const int steps = w.editor.canUndo();
    w.keys.showTopView();
    const auto drag = [&](const Vector3& from, const Vector3& to, PressKeys keys = {}) {
        const auto [x0, y0] = w.pixelOf(from);
        const auto [x1, y1] = w.pixelOf(to);
        w.tools.press(MouseButton::Left, x0, y0, false, keys);
        w.tools.move((x0 + x1) / 2, (y0 + y1) / 2);
        w.tools.move(x1, y1);
        w.tools.release();
    };
    // Around the object and the group; the selected object elsewhere stays where it is.
    drag({-20, 0, 20}, {20, 0, -20});
    EXPECT_EQ(w.editor.selectedObjects(), (std::vector<int>{0, 1}));
    ExpectNear(w.position(2), {45, 0, 0});
    EXPECT_EQ(int(w.editor.canUndo()), steps) << "no step";
    EXPECT_EQ(w.captures, 0);
    drag({5, 0, 15}, {15, 0, 5}, {true, true});
    EXPECT_EQ(w.editor.selectedObjects(), (std::vector<int>{1})) << "Ctrl+Shift takes out";
    drag({40, 0, 5}, {50, 0, -5}, {true, false});
    EXPECT_EQ(w.editor.selectedObjects(), (std::vector<int>{1, 2})) << "Ctrl adds";

    // Esc drops the rectangle; a click on the ground selects nothing, with Ctrl keeps all.
    const auto [ex, ey] = w.pixelOf({-20, 0, 20});
    w.tools.press(MouseButton::Left, ex, ey);
    w.tools.move(ex + 300, ey + 200);
    ASSERT_TRUE(w.tools.rectangle());
    EXPECT_EQ(*w.tools.rectangle(), (ScreenRectangle{ex, ey, ex + 300, ey + 200}));
    w.tools.cancelDrag();
    EXPECT_FALSE(w.tools.rectangle());
    w.tools.release();
    EXPECT_EQ(w.editor.selectedObjects(), (std::vector<int>{1, 2}));
    w.tools.press(MouseButton::Left, ex, ey, false, {true, false});
    w.tools.release();
    EXPECT_EQ(w.editor.selectionSize(), 2u);
    w.tools.press(MouseButton::Left, ex, ey);
    w.tools.release();
    EXPECT_EQ(w.editor.selectionSize(), 0u);

    // A hidden object is neither boxed nor picked; the front view boxes too.
    w.editor.hideObjects({0});
    drag({-20, 0, 20}, {20, 0, -20});
    EXPECT_EQ(w.editor.selectedObjects(), (std::vector<int>{1}));
    const auto [hx, hy] = w.pixelOf({10, 0, 10});
    EXPECT_FALSE(w.tools.hoverAt(hx, hy));
    w.editor.unhideAll();
    w.keys.showFrontView();
    drag({5, 5, 10}, {15, -5, 10});
    EXPECT_EQ(w.editor.selectedObjects(), (std::vector<int>{0}));

    // A right press on the sky selects nothing and turns nothing.
    w.tools.press(MouseButton::Right, 400, 5);
    w.tools.move(450, 5);
    w.tools.release();
    EXPECT_EQ(w.editor.selectionSize(), 0u);
    EXPECT_EQ(int(w.editor.canUndo()), steps);
}

TEST(WorkspaceTools, EachButtonStartsTheGestureOfItsToolsRow) {
    EXPECT_EQ(gestureFor(false, MouseButton::Left), MouseGesture::Move);
    EXPECT_EQ(gestureFor(false, MouseButton::Right), MouseGesture::Turn);
    EXPECT_EQ(gestureFor(true, MouseButton::Left), MouseGesture::Drop);
    EXPECT_EQ(gestureFor(true, MouseButton::Right), MouseGesture::None);
}
