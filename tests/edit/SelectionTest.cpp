#include "edit/KeyActions.h"
#include "edit/MissionEditor.h"
#include "edit/ObjectCommands.h"
#include "edit/SelectionCommands.h"

#include "EngineTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zev;
using namespace zev::edit;
using engine::Vector3;
using enginetest::ExpectNear;
using R = mission::MissionObjectRecord;

namespace {

// A mission of four objects: two towers, a wall and a ready-made group named as a tower.
struct Base : EditorListener {
    MissionEditor editor;
    common::RecordingReporter reporter;
    int selectionNotices = 0, hiddenNotices = 0;

    Base() {
        auto doc = mission::support::newMission();
        doc->objects.place(0, mission::support::sampleObject("tower", 1000, 0, 1000));
        doc->objects.place(1, mission::support::sampleObject("TOWER", -1000, 0, -1000));
        doc->objects.place(2, mission::support::sampleObject("wall", 3000, 0, 0));
        R group = mission::support::sampleObject("tower", 0, 0, 5000);
        group.setByte(R::readyMadeGroup, 1);
        doc->objects.place(3, group);
        editor.openMission(*doc, {}, reporter);
        editor.addListener(this);
    }
    ~Base() override { editor.removeListener(this); }
    void selectionChanged() override { ++selectionNotices; }
    void hiddenChanged() override { ++hiddenNotices; }

    Vector3 at(int slot) const { return *editor.objectPosition(slot); }
    int rotation(int slot, int axis = 1) const {
        return editor.document().objects.find(slot)->int32(R::mainRotation(axis));
    }
};

const Selection kTower = Selection::object(0);
const Selection kTower2 = Selection::object(1);
const Selection kWall = Selection::object(2);
const Selection kGroup = Selection::object(3);

} // namespace

TEST(Selection, IsAnOrderedSetOfWhatCanBeSelectedWithTheLastOneAsTheCurrentThing) {
    Base b;
    MissionEditor& e = b.editor;
    e.setSelection({kWall, Selection::none(), kTower, kWall, Selection::object(7),
                    Selection::startPoint(9), Selection::navPoint(2, 9), Selection::startPoint(2)});
    EXPECT_EQ(e.selectedThings(),
              (std::vector<Selection>{kWall, kTower, Selection::startPoint(2)}));
    EXPECT_EQ(e.selection(), Selection::startPoint(2));
    EXPECT_EQ(e.selectedObjects(), (std::vector<int>{2, 0}));
    EXPECT_EQ(b.selectionNotices, 1);
    EXPECT_EQ(selectionStatusText(e), "3 things selected");

    e.toggleSelected(kTower);
    e.toggleSelected(kTower2);
    e.addToSelection({kWall, kGroup});
    EXPECT_EQ(e.selectedThings(),
              (std::vector<Selection>{kWall, Selection::startPoint(2), kTower2, kGroup}));
    e.removeFromSelection({Selection::startPoint(2), kTower});
    EXPECT_EQ(selectionStatusText(e), "3 objects selected");
    const int notices = b.selectionNotices;
    e.setSelection(e.selectedThings());
    e.removeFromSelection({kTower});
    EXPECT_EQ(b.selectionNotices, notices) << "no change, no notice";

    // The one-thing case is today's selection.
    e.select(kWall);
    EXPECT_EQ(e.selectionSize(), 1u);
    EXPECT_EQ(selectionStatusText(e), "1 object selected");
    e.select(Selection::none());
    EXPECT_EQ(e.selection(), Selection::none());
    EXPECT_EQ(selectionStatusText(e), "");

    // An object taken out leaves the selection; a new mission starts with nothing selected.
    e.setSelection({kTower, kWall});
    e.execute(std::make_unique<RemoveObjectCommand>(0));
    EXPECT_EQ(e.selectedThings(), (std::vector<Selection>{kWall}));
    e.undo();
    EXPECT_EQ(e.selectedThings(), (std::vector<Selection>{kWall}));
    e.startMission(*mission::support::newMission());
    EXPECT_EQ(e.selectionSize(), 0u);
}

TEST(Selection, TheEditMenuSelectsAmongShownObjectsAndHidingIsForTheSessionOnly) {
    Base b;
    MissionEditor& e = b.editor;
    selectAll(e);
    EXPECT_EQ(e.selectedObjects(), (std::vector<int>{0, 1, 2, 3}));
    e.setSelection({kTower, Selection::startPoint(1)});
    invertSelection(e);
    EXPECT_EQ(e.selectedObjects(), (std::vector<int>{1, 2, 3})) << "markers leave the selection";
    EXPECT_EQ(e.selectionSize(), 3u);
    selectNone(e);
    EXPECT_EQ(e.selectionSize(), 0u);

    // Alike: the same geometry (whatever its case) and the same kind, single or group.
    e.select(kTower);
    selectSimilar(e);
    EXPECT_EQ(e.selectedObjects(), (std::vector<int>{0, 1}));
    e.select(kGroup);
    selectSimilar(e);
    EXPECT_EQ(e.selectedObjects(), (std::vector<int>{3}));

    // Hidden: not selectable, not selected by any command, counted in the status bar.
    e.setSelection({kTower, kWall});
    hideSelected(e);
    EXPECT_TRUE(e.isHidden(0));
    EXPECT_TRUE(e.isHidden(2));
    EXPECT_EQ(e.selectionSize(), 0u);
    EXPECT_EQ(selectionStatusText(e), "2 hidden");
    e.select(kTower);
    EXPECT_EQ(e.selectionSize(), 0u);
    selectAll(e);
    EXPECT_EQ(e.selectedObjects(), (std::vector<int>{1, 3}));
    EXPECT_EQ(selectionStatusText(e), "2 objects selected    2 hidden");
    EXPECT_FALSE(e.isModified()) << "hiding is no change of the mission";
    EXPECT_EQ(e.objectFrames().size(), 4u) << "Save and Build still see every object";

    e.select(kGroup);
    isolateSelected(e);
    EXPECT_EQ(e.hiddenCount(), 3);
    EXPECT_EQ(shownObjects(e), (std::vector<int>{3}));
    e.unhideAll();
    EXPECT_EQ(e.hiddenCount(), 0);
    EXPECT_EQ(b.hiddenNotices, 3);
    selectNone(e);
    isolateSelected(e);
    EXPECT_EQ(e.hiddenCount(), 0) << "isolating nothing would hide everything";

    // A hidden object deleted and brought back by undo is shown again; a new mission has none.
    e.hideObjects({2});
    e.execute(std::make_unique<RemoveObjectCommand>(2));
    EXPECT_EQ(e.hiddenCount(), 0);
    e.undo();
    EXPECT_FALSE(e.isHidden(2));
    e.hideObjects({1});
    e.closeMission();
    EXPECT_EQ(e.hiddenCount(), 0);
}

TEST(Selection, KeysMoveTurnAndDeleteEverythingSelectedAsOneStepEach) {
    Base b;
    MissionEditor& e = b.editor;
    WorkspaceSpeeds speeds;
    KeyActions keys(e, {}, speeds);
    const Vector3 start = e.startPointPosition(1);
    e.setSelection({kTower, kTower2, Selection::startPoint(1)});

    // A held move key: every thing moves, one step.
    keys.run(7, 0);
    keys.run(7, 50);
    ExpectNear(b.at(0), {10.2, 0, 10});
    ExpectNear(b.at(1), {-9.8, 0, -10});
    ExpectNear(e.startPointPosition(1), start + Vector3{0.2, 0, 0});
    EXPECT_EQ(e.undoText(), "Undo Move Selection");
    ASSERT_TRUE(e.undo());
    ExpectNear(b.at(0), {10, 0, 10});
    ExpectNear(e.startPointPosition(1), start);
    EXPECT_FALSE(e.canUndo());
    ASSERT_TRUE(e.redo());
    ExpectNear(b.at(1), {-9.8, 0, -10});
    ASSERT_TRUE(e.undo());

    // About Y the towers swing about their common centre and each turns as much.
    e.setSelection({kTower, kTower2});
    speeds.objectRotation = 45;
    keys.run(1, 2000);
    keys.run(1, 2050);
    EXPECT_EQ(b.rotation(0), 90);
    EXPECT_EQ(b.rotation(1), 90);
    ExpectNear(b.at(0), {10, 0, -10}, 1e-2);
    ExpectNear(b.at(1), {-10, 0, 10}, 1e-2);
    EXPECT_EQ(e.undoText(), "Undo Turn Objects");
    ASSERT_TRUE(e.undo());
    EXPECT_EQ(b.rotation(0), 0);
    ExpectNear(b.at(0), {10, 0, 10});
    ASSERT_TRUE(e.redo());
    EXPECT_EQ(b.rotation(1), 90);
    // About X each turns in place.
    keys.run(3, 5000);
    EXPECT_EQ(b.rotation(0, 0), 45);
    ExpectNear(b.at(0), {10, 0, -10}, 1e-2);

    // Delete: every selected object, never a marker, as one step.
    e.setSelection({kTower, Selection::startPoint(1), kWall});
    keys.run(21, 9000);
    EXPECT_EQ(e.document().objects.count(), 2);
    EXPECT_EQ(e.undoText(), "Undo Delete Objects");
    EXPECT_EQ(e.selectedThings(), (std::vector<Selection>{Selection::startPoint(1)}));
    ASSERT_TRUE(e.undo());
    EXPECT_EQ(e.objectOrder(), (std::vector<int>{0, 1, 2, 3})) << "back in their save order";
    ASSERT_TRUE(e.redo());
    EXPECT_EQ(e.objectOrder(), (std::vector<int>{1, 3}));
}
