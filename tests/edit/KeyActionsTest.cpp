#include "edit/KeyActions.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zev;
using namespace zev::edit;
using engine::Vector3;
using R = mission::MissionObjectRecord;

namespace {

struct Workspace {
    std::shared_ptr<engine::Frame> scene = engine::Frame::Create();
    std::shared_ptr<engine::Frame> side = engine::Frame::Create(scene.get());
    std::shared_ptr<engine::Frame> top = engine::Frame::Create(scene.get());
    MissionEditor editor;
    WorkspaceSpeeds speeds;
    KeyActions keys{editor, {scene.get(), side.get(), top.get()}, speeds};

    Workspace() {
        auto doc = mission::support::newMission();
        doc->objects.place(0, mission::support::sampleObject("a", 0, 0, 0));
        common::SilentReporter quiet;
        editor.openMission(*doc, {}, quiet);
        side->SetPosition(scene.get(), 0, 60, 0);
        side->SetOrientation(scene.get(), {0, 0, 1}, {0, 1, 0});
        top->SetPosition(scene.get(), 5, 80, 10);
    }
    int rotation(int axis) const {
        return editor.document().objects.find(0)->int32(R::mainRotation(axis));
    }
    void setRotation(int axis, int degrees) {
        R r = *editor.document().objects.find(0);
        r.setInt32(R::mainRotation(axis), degrees);
        editor.applyObjectRecord(0, r);
    }
};

} // namespace

TEST(KeyActions, TurnsWrapAtThreeSixtyAndEveryTurnIsAChangeToSave) {
    Workspace w;
    w.keys.run(1, 0);
    EXPECT_FALSE(w.editor.isModified()) << "nothing selected: nothing turns";
    w.editor.select(Selection::object(0));
    w.setRotation(1, 355);
    w.keys.run(1, 0);
    EXPECT_EQ(w.rotation(1), 5);
    w.setRotation(1, 350);
    w.keys.run(1, 16);
    EXPECT_EQ(w.rotation(1), 0) << "360 becomes 0";
    w.keys.run(2, 32);
    EXPECT_EQ(w.rotation(1), 350);

    Workspace x;
    x.editor.select(Selection::object(0));
    x.keys.run(4, 0); // about X, down from 0
    EXPECT_EQ(x.rotation(0), 350);
    EXPECT_TRUE(x.editor.isModified()) << "a turn about X is a change like any other";
    x.keys.run(5, 16);
    EXPECT_EQ(x.rotation(2), 10);

    // A start point turns its heading text; a nav point does not turn.
    Workspace s;
    s.editor.select(Selection::startPoint(2)); // heading "180" in a new mission
    s.keys.run(2, 0);
    EXPECT_EQ(s.editor.document().startPoint(2).text(mission::StartPointRecord::heading), "170");
    s.keys.run(3, 16);
    EXPECT_EQ(s.editor.undoText(), "Undo Turn Start Point");
}

TEST(KeyActions, AHeldKeyIsOneStepAndAnotherActionStartsTheNext) {
    Workspace w;
    w.editor.select(Selection::object(0));
    for (int frame = 0; frame < 30; ++frame)
        w.keys.run(7, frame * 16); // X increase, 30 frames at speed 10
    EXPECT_NEAR(w.editor.objectPosition(0)->x, 3.0, 1e-9);
    w.keys.run(9, 500); // Y increase
    w.keys.run(7, 516);
    w.keys.run(21, 532); // delete
    EXPECT_EQ(w.editor.document().objects.find(0), nullptr);
    int steps = 0;
    while (w.editor.undo())
        ++steps;
    EXPECT_EQ(steps, 4);
    EXPECT_NEAR(w.editor.objectPosition(0)->x, 0.0, 1e-9);

    // Markers move too; start points and nav points cannot be deleted.
    w.editor.select(Selection::startPoint(1));
    const Vector3 before = w.editor.startPointPosition(1);
    w.keys.run(11, 0);
    w.keys.run(21, 16);
    EXPECT_NEAR(w.editor.startPointPosition(1).z, before.z + 0.1, 1e-9);
    EXPECT_EQ(w.editor.undoText(), "Undo Move Start Point");
}

TEST(KeyActions, CamerasFlyStopAtTheirFloorsAndTheViewSwitchFollowsTheLock) {
    Workspace w;
    w.keys.run(13, 0); // ahead along the side camera's view
    EXPECT_NEAR(w.side->GetPosition(w.scene.get()).z, 10, 1e-9);
    w.keys.run(16, 0); // steer right: the view turns about the up vector toward +x
    const auto o = w.side->GetOrientation(w.scene.get());
    EXPECT_NEAR(o.direction.y, 0, 1e-9);
    EXPECT_NEAR(std::atan2(o.direction.x, o.direction.z), 0.1, 1e-9);
    for (int i = 0; i < 5; ++i)
        w.keys.run(20, 0);
    EXPECT_DOUBLE_EQ(w.side->GetPosition(w.scene.get()).y, kSideCameraFloor);
    w.keys.run(19, 0);
    EXPECT_DOUBLE_EQ(w.side->GetPosition(w.scene.get()).y, 45);

    w.keys.viewLock = true;
    w.keys.run(17, 0);
    EXPECT_EQ(w.keys.view(), WorkspaceView::Front) << "locked";
    w.keys.viewLock = false;
    std::vector<WorkspaceView> pressed;
    w.keys.onViewKey = [&](WorkspaceView v) { pressed.push_back(v); };
    const Vector3 side = w.side->GetPosition(w.scene.get());
    w.keys.run(17, 0);
    EXPECT_EQ(w.keys.view(), WorkspaceView::Top);
    EXPECT_EQ(w.top->GetPosition(w.scene.get()).x, side.x) << "the top camera over the side one";
    EXPECT_EQ(w.top->GetPosition(w.scene.get()).y, 80);
    for (int i = 0; i < 10; ++i)
        w.keys.run(20, 0);
    EXPECT_DOUBLE_EQ(w.top->GetPosition(w.scene.get()).y, kTopCameraFloor);
    w.keys.run(15, 0); // steer left in the top view slides along -x
    EXPECT_NEAR(w.top->GetPosition(w.scene.get()).x, side.x - 10, 1e-9);
    w.keys.showFrontView();
    EXPECT_EQ(pressed, std::vector<WorkspaceView>{WorkspaceView::Top}) << "buttons press nothing";

    std::vector<bool> tools;
    w.keys.onToolSwitch = [&](bool dropper) { tools.push_back(dropper); };
    w.keys.run(22, 0);
    EXPECT_TRUE(tools.empty()) << "no dropper without a mission";
    w.keys.dropperEnabled = true;
    w.keys.run(22, 0);
    w.keys.dropperDown = true;
    w.keys.run(22, 0);
    w.keys.run(23, 0);
    EXPECT_EQ(tools, (std::vector<bool>{true, false}));
}
