#include "edit/EditHistory.h"
#include "edit/MissionEditor.h"
#include "edit/ObjectCommands.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zev;
using namespace zev::edit;
using R = mission::MissionObjectRecord;

namespace {

struct TurnFixture {
    MissionEditor editor;
    TurnFixture() {
        auto doc = mission::support::newMission();
        doc->objects.place(0, mission::support::sampleObject("a", 0, 0, 0));
        doc->objects.place(1, mission::support::sampleObject("b", 0, 0, 0));
        zev::common::SilentReporter quiet;
        editor.openMission(*doc, {}, quiet);
    }
    // One press of the turn key on `slot`, at time `ms`.
    void turn(int slot, std::int64_t ms, const char* name = "Turn Object") {
        const R before = *editor.document().objects.find(slot);
        R after = before;
        after.setInt32(R::mainRotation(1), (before.int32(R::mainRotation(1)) + 5) % 360);
        editor.execute(std::make_unique<ChangeObjectRecordCommand>(name, slot, before, after), ms);
    }
    int heading(int slot) const {
        return editor.document().objects.find(slot)->int32(R::mainRotation(1));
    }
    int steps() {
        int n = 0;
        while (editor.undo())
            ++n;
        return n;
    }
};

} // namespace

TEST(EditHistory, RepeatsOfOneKeyActionMergeUntilAnotherActionOrAPause) {
    TurnFixture held;
    for (int frame = 0; frame < 10; ++frame)
        held.turn(0, frame * 16); // a held key, once per drawn frame
    EXPECT_EQ(held.heading(0), 50);
    EXPECT_EQ(held.steps(), 1);
    EXPECT_EQ(held.heading(0), 0);

    TurnFixture mixed;
    mixed.turn(0, 0);
    mixed.turn(0, 16);
    mixed.turn(1, 32);                   // another object
    mixed.turn(1, 48, "Scale Object");   // another action
    mixed.turn(1, 2000, "Scale Object"); // after a pause
    mixed.turn(1, 2016, "Scale Object");
    mixed.editor.endMerging(); // the key was let go
    mixed.turn(1, 2032, "Scale Object");
    EXPECT_EQ(mixed.steps(), 5);
}

TEST(EditHistory, NothingMergesIntoTheSavedStateOrAfterAnUndo) {
    TurnFixture f;
    f.turn(0, 0);
    f.editor.markSaved();
    f.turn(0, 10);
    EXPECT_TRUE(f.editor.isModified());
    f.editor.undo();
    EXPECT_FALSE(f.editor.isModified()) << "the step after the save stayed a step of its own";
    EXPECT_EQ(f.heading(0), 5);
    f.turn(0, 20);
    f.turn(0, 30);
    EXPECT_EQ(f.steps(), 2) << "the first turn and the two merged after the undo";
}
