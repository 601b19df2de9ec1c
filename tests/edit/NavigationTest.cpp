#include "edit/CameraMoves.h"
#include "edit/GridSnap.h"
#include "edit/KeyActions.h"
#include "edit/ObjectDrop.h"
#include "edit/PutOnGround.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zev;
using namespace zev::edit;
using engine::Vector3;

namespace {

void expectNear(const Vector3& a, const Vector3& b, double tolerance = 1e-6) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

struct Cameras {
    std::shared_ptr<engine::Frame> scene = engine::Frame::Create();
    std::shared_ptr<engine::Frame> side = engine::Frame::Create(scene.get());
    std::shared_ptr<engine::Frame> top = engine::Frame::Create(scene.get());
    WorkspaceSpeeds speeds;
    CameraNavigator navigator{{scene.get(), side.get(), top.get()}, speeds};
    engine::Viewport sideView{side, 0, 0, 800, 600};
    engine::Viewport topView{top, 0, 0, 800, 600};

    Cameras() {
        side->SetPosition(scene.get(), 0, 60, 0);
        side->SetOrientation(scene.get(), {0, -0.5, 1}, {0, 1, 0});
        top->SetPosition(scene.get(), 5, 80, 10);
        top->SetOrientation(scene.get(), {0, -1, 0}, {0, 0, 1});
    }
    Vector3 groundUnder(const engine::Viewport& view, double x, double y) const {
        return *groundHit(view.RayThrough(x, y));
    }
};

} // namespace

TEST(GridSnap, PlacesOnTheNearestLineOrTruncatesWhenOff) {
    GridSnap off;
    EXPECT_EQ(off.place(-2.7), -2) << "off: truncated toward zero as always";
    EXPECT_EQ(off.place(14.9), 14);
    expectNear(off.dropPosition({-2.7, 5, 3.2}), {-2, 0, 3});
    expectNear(dropPosition({-2.7, 5, 3.2}), {-2, 0, 3});

    GridSnap on{true, 10};
    EXPECT_EQ(on.place(14.9), 10);
    EXPECT_EQ(on.place(15.1), 20);
    EXPECT_EQ(on.place(-14.9), -10);
    expectNear(on.dropPosition({23, 7, -36}), {20, 0, -40});
    for (int size : GridSnap::kSizes) {
        const GridSnap s{true, size};
        const double placed = s.place(123.4);
        EXPECT_EQ(std::fmod(placed, size), 0) << size;
        EXPECT_LE(std::abs(placed - 123.4), size / 2.0) << size;
    }
}

TEST(GridSnap, SizesStepThroughTheListAndStopAtItsEnds) {
    GridSnap s{true, 10};
    EXPECT_EQ(s.largerSize(), 25);
    EXPECT_EQ(s.smallerSize(), 5);
    s.size = 100;
    EXPECT_EQ(s.largerSize(), 100);
    s.size = 1;
    EXPECT_EQ(s.smallerSize(), 1);
    EXPECT_EQ(GridSnap::validSize(25), 25);
    EXPECT_EQ(GridSnap::validSize(7), GridSnap::kDefaultSize) << "a stored size not in the list";
    EXPECT_EQ(GridSnap{}.statusText(), "Grid off");
    EXPECT_EQ((GridSnap{true, 50}.statusText()), "Grid 50");
}

TEST(GridSnap, KeyMovesGoToTheNextLineAndTurnsStepFifteenDegrees) {
    const GridSnap s{true, 10};
    EXPECT_EQ(s.keyMove(20, 0.1), 30);
    EXPECT_EQ(s.keyMove(20, -0.1), 10);
    EXPECT_EQ(s.keyMove(23, 0.1), 30) << "off the grid: the next line in the step's direction";
    EXPECT_EQ(s.keyMove(23, -0.1), 20);
    EXPECT_EQ(s.keyMove(-0.0000001, 0.1), 10) << "a hair off a line counts as on it";
    EXPECT_DOUBLE_EQ(GridSnap{}.keyMove(23, 0.1), 23.1);

    EXPECT_EQ(s.turn(0, 1, 5), 15);
    EXPECT_EQ(s.turn(7, 1, 5), 15);
    EXPECT_EQ(s.turn(7, -1, 5), 0);
    EXPECT_EQ(s.turn(0, -1, 5), 345);
    EXPECT_EQ(s.turn(350, 1, 5), 0);
    EXPECT_EQ(GridSnap{}.turn(357, 1, 5), 2);
}

TEST(GridSnap, SnappedKeyMovesStepOnceAPressAndAtTheirOwnPaceWhileHeld) {
    auto doc = mission::support::newMission();
    doc->objects.place(0, mission::support::sampleObject("a", 230, 0, 0));
    MissionEditor editor;
    common::SilentReporter quiet;
    editor.openMission(*doc, {}, quiet);
    auto scene = engine::Frame::Create();
    WorkspaceSpeeds speeds; // 0.1 units a frame
    KeyActions keys(editor, {scene.get(), nullptr, nullptr}, speeds);
    const GridSnap snap{true, 1};
    keys.snap = &snap;
    editor.select(Selection::object(0));
    const double x0 = editor.objectPosition(0)->x; // 2.3
    keys.run(7, 0);
    EXPECT_EQ(editor.objectPosition(0)->x, 3) << "a press lands on the next line at once";
    for (int frame = 1; frame <= 9; ++frame)
        keys.run(7, frame * 16);
    EXPECT_EQ(editor.objectPosition(0)->x, 3) << "held: a grid step once the plain moves make one";
    keys.run(7, 10 * 16);
    EXPECT_EQ(editor.objectPosition(0)->x, 4);
    keys.run(7, 2000); // released and pressed again
    EXPECT_EQ(editor.objectPosition(0)->x, 5);
    keys.run(8, 2016);
    EXPECT_EQ(editor.objectPosition(0)->x, 4);
    EXPECT_GT(x0, 2.2);
}

TEST(PutOnGround, BringsTheSelectionToHeightZeroAsOneStep) {
    auto doc = mission::support::newMission();
    doc->objects.place(0, mission::support::sampleObject("a", 100, 700, 200));
    MissionEditor editor;
    common::SilentReporter quiet;
    editor.openMission(*doc, {}, quiet);
    EXPECT_FALSE(putSelectionOnGround(editor)) << "nothing selected";
    editor.select(Selection::object(0));
    ASSERT_TRUE(putSelectionOnGround(editor));
    expectNear(*editor.objectPosition(0), {1, 0, 2});
    EXPECT_EQ(editor.undoText(), "Undo Put on Ground");
    EXPECT_FALSE(putSelectionOnGround(editor)) << "already there: no step";
    editor.undo();
    expectNear(*editor.objectPosition(0), {1, 7, 2});
    editor.select(Selection::startPoint(1));
    editor.applyStartPointPosition(1, {3, 4, 5});
    ASSERT_TRUE(putSelectionOnGround(editor));
    expectNear(editor.startPointPosition(1), {3, 0, 5});
}

TEST(CameraMoves, TheWheelKeepsTheTopViewsPointUnderThePointerAndNeverPassesTheFloor) {
    Cameras c;
    const Vector3 before = c.groundUnder(c.topView, 600, 150);
    c.navigator.wheel(c.topView, WorkspaceView::Top, 600, 150, 2);
    EXPECT_LT(c.top->GetPosition(c.scene.get()).y, 80) << "toward the ground";
    expectNear(c.groundUnder(c.topView, 600, 150), before, 1e-6);
    for (int i = 0; i < 40; ++i)
        c.navigator.wheel(c.topView, WorkspaceView::Top, 400, 300, 3);
    EXPECT_DOUBLE_EQ(c.top->GetPosition(c.scene.get()).y, kTopCameraFloor);

    // The front view moves along the pointer's ray, toward and away.
    const Vector3 start = c.side->GetPosition(c.scene.get());
    const engine::Ray ray = c.sideView.RayThrough(500, 400);
    c.navigator.wheel(c.sideView, WorkspaceView::Front, 500, 400, 1);
    const Vector3 moved = c.side->GetPosition(c.scene.get()) - start;
    EXPECT_GT(moved.Length(), 1);
    EXPECT_NEAR(Vector3::Dot(moved.Normalized(), ray.direction.Normalized()), 1, 1e-9);
    c.navigator.wheel(c.sideView, WorkspaceView::Front, 500, 400, -1);
    EXPECT_LT((c.side->GetPosition(c.scene.get()) - start).Length(), moved.Length());
    for (int i = 0; i < 200; ++i)
        c.navigator.wheel(c.sideView, WorkspaceView::Front, 400, 500, 3);
    EXPECT_GE(c.side->GetPosition(c.scene.get()).y, CameraNavigator::kWheelFloor - 1e-9);
}

TEST(CameraMoves, PanHoldsTheGrabbedPointAndOrbitKeepsTheCentreInView) {
    Cameras c;
    using Drag = CameraNavigator::Drag;
    const Vector3 grabbed = c.groundUnder(c.topView, 300, 200);
    c.navigator.begin(Drag::Pan, c.topView, WorkspaceView::Top, 300, 200);
    c.navigator.dragTo(c.topView, 420, 260);
    expectNear(c.groundUnder(c.topView, 420, 260), grabbed, 1e-6);
    EXPECT_DOUBLE_EQ(c.top->GetPosition(c.scene.get()).y, 80) << "a pan keeps the height";
    c.navigator.end();

    const Vector3 held = c.groundUnder(c.sideView, 400, 450);
    c.navigator.begin(Drag::Pan, c.sideView, WorkspaceView::Front, 400, 450);
    c.navigator.dragTo(c.sideView, 350, 420);
    const engine::Ray ray = c.sideView.RayThrough(350, 420);
    const Vector3 toHeld = held - ray.origin;
    EXPECT_NEAR(Vector3::Dot(toHeld.Normalized(), ray.direction.Normalized()), 1, 1e-9);
    c.navigator.end();

    const Vector3 centre{0, 0, 60};
    const double distance = (c.side->GetPosition(c.scene.get()) - centre).Length();
    c.navigator.begin(Drag::Orbit, c.sideView, WorkspaceView::Front, 400, 300, centre);
    c.navigator.dragTo(c.sideView, 600, 280);
    const edit::CameraPose pose = poseOf(*c.side, c.scene.get());
    EXPECT_NEAR((pose.position - centre).Length(), distance, 1e-6);
    EXPECT_GT(std::abs(c.side->GetPosition(c.scene.get()).x), 1) << "turned about the centre";
    // Still looking where it looked relative to the centre: the centre's direction unchanged
    // in the camera's own terms.
    c.navigator.end();
}

TEST(CameraMoves, FramingFillsHalfTheViewAndAGlideArrivesThere) {
    const Bounds box{{10, 0, 10}, {14, 4, 14}};
    CameraPose front{{0, 60, 0}, {0, 0, 1}, {0, 1, 0}};
    const CameraPose framed = framingPose(front, WorkspaceView::Front, box, 0.5);
    const double d = (framed.position - box.centre()).Length();
    EXPECT_NEAR(d, 2 * box.radius() / 0.5 < 10 ? 10 : 2 * box.radius() / 0.5, 1e-9);
    EXPECT_EQ(framed.direction, front.direction) << "the front view keeps its direction";
    const Bounds wide{{-100, 0, -100}, {100, 10, 100}};
    const CameraPose over =
        framingPose({{0, 80, 0}, {0, -1, 0}, {0, 0, 1}}, WorkspaceView::Top, wide, 0.5);
    expectNear(over.position, {0, 5 + 2 * wide.radius() / 0.5, 0});

    const CameraFlight flight(front, framed, 1000);
    EXPECT_EQ(flight.poseAt(1000).position, front.position);
    const Vector3 half = flight.poseAt(1000 + CameraFlight::kDurationMs / 2).position;
    expectNear(half, (front.position + framed.position) * 0.5, 1e-6);
    EXPECT_FALSE(flight.arrived(1100));
    EXPECT_TRUE(flight.arrived(1000 + CameraFlight::kDurationMs));
    EXPECT_EQ(flight.poseAt(5000), framed);
}

TEST(CameraMoves, BookmarksTravelAsTextAndRefuseWhatIsNotOne) {
    WorkspaceCameras cameras;
    cameras.view = WorkspaceView::Top;
    cameras.side = {{1.25, 60, -3}, {0, -0.5, 1}, {0, 1, 0}};
    cameras.top = {{5, 80.125, 10}, {0, -1, 0}, {0, 0, 1}};
    const auto back = camerasFromText(camerasText(cameras));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, cameras);
    EXPECT_FALSE(camerasFromText(""));
    EXPECT_FALSE(camerasFromText("1 2 3"));
    EXPECT_FALSE(camerasFromText("2" + camerasText(cameras).substr(1))) << "no such view";
    EXPECT_FALSE(camerasFromText(camerasText(cameras) + " 7")) << "trailing values";
    EXPECT_FALSE(camerasFromText("0 nan 0 0 0 0 1 0 1 0 0 0 0 0 0 1 0 1 0"));
    EXPECT_FALSE(camerasFromText("0 0 0 0 0 0 0 0 1 0 0 0 0 0 0 1 0 1 0")) << "no direction";
}

TEST(CameraMoves, EachButtonStartsTheDragOfItsGestureRow) {
    using Drag = CameraNavigator::Drag;
    EXPECT_EQ(cameraDragFor(CameraButton::Middle, false), Drag::Pan);
    EXPECT_EQ(cameraDragFor(CameraButton::Middle, true), Drag::Pan);
    EXPECT_EQ(cameraDragFor(CameraButton::Left, false), Drag::None) << "the Mouse tool's";
    EXPECT_EQ(cameraDragFor(CameraButton::Left, true), Drag::Orbit);
    EXPECT_EQ(cameraDragFor(CameraButton::Right, false), Drag::Look);
}
