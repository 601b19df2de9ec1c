#include "edit/InspectorModel.h"
#include "edit/MarkerEditing.h"
#include "edit/ObjectCommands.h"
#include "edit/OutlineModel.h"

#include "gamedata/ObjectGroupCatalog.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zev;
using namespace zev::edit;
using R = mission::MissionObjectRecord;
using C = OutlineColumn;

namespace {

// A mission of four objects: two bunkers in area 2 and a tower in area 5 dropped from the group
// "Gate", and a ready-made camp; nav points 0 and 3 of star 1 in use.
class OutlineInspectorTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto doc = mission::support::newMission();
        const auto add = [&](const std::string& geometry, const std::string& menu, int area,
                             int x) {
            common::SilentReporter quiet;
            const int slot = doc->objects.allocate(quiet).value();
            R r = mission::support::sampleObject(geometry, x, 0, 500);
            r.setText(R::menuText, menu);
            r.setText(R::areaFile, std::to_string(area));
            doc->objects.place(slot, r);
            return slot;
        };
        add("BUNKER", "North Bunker", 2, 100);
        add("BUNKER", "South Bunker", 2, 300);
        add("TOWER", "Gate Tower", 5, 300);
        const int camp = add("CAMP", "Camp", 3, 900);
        R r = *doc->objects.find(camp);
        r.setByte(R::readyMadeGroup, 1);
        doc->objects.place(camp, r);
        for (auto& star : doc->stars) // the new mission's own nav points out of the way
            for (auto& nav : star)
                nav = mission::NavPointRecord{};
        for (int n : {0, 3}) {
            auto& nav = doc->stars[1][std::size_t(n)];
            nav.setByte(mission::NavPointRecord::inUse, 1);
            nav.setText(mission::NavPointRecord::x, "1000");
        }
        doc->stars[1][3].setText(mission::NavPointRecord::navText, "Alpha");
        editor.startMission(*doc);
        groups.addGroup(
            "Gate",
            {{"BUNKER", "North Bunker"}, {"BUNKER", "South Bunker"}, {"TOWER", "Gate Tower"}});
    }

    std::vector<std::string> shown(const OutlineModel& outline, std::string_view filter,
                                   C column = C::Name) const {
        const OutlineFilter f(filter);
        std::vector<std::string> out;
        for (const OutlineRow& row : outline.rows())
            if (f.matches(row))
                out.push_back(row.cell(column));
        return out;
    }

    MissionEditor editor;
    gamedata::ObjectGroupCatalog groups;
};

using Names = std::vector<std::string>;

// Records what the outline tells its view.
struct ViewLog : OutlineObserver {
    std::vector<std::string> lines;
    void reset() override { lines.push_back("reset"); }
    void aboutToInsert(int f, int n) override {
        lines.push_back("insert " + std::to_string(f) + "+" + std::to_string(n));
    }
    void aboutToRemove(int f, int n) override {
        lines.push_back("remove " + std::to_string(f) + "+" + std::to_string(n));
    }
    void changed(int f, int l) override {
        lines.push_back("change " + std::to_string(f) + "-" + std::to_string(l));
    }
};

TEST_F(OutlineInspectorTest, OutlineRowsShowObjectsThenStartPointsThenNavPointsInUse) {
    OutlineModel outline(editor, &groups);
    const auto& rows = outline.rows();
    ASSERT_EQ(rows.size(), 4u + 8u + 2u);
    EXPECT_EQ(rows[0].cells,
              (std::array<std::string, 6>{"0", "North Bunker", "BUNKER", "Gate", "2", ""}));
    EXPECT_EQ(rows[3].cell(C::Geometry), "CAMP (ready-made group)");
    EXPECT_EQ(rows[3].cell(C::Group), "");
    EXPECT_EQ(rows[4].cell(C::Name), "Player 1 Start Point");
    EXPECT_EQ(rows[4].cell(C::Star), "0");
    EXPECT_EQ(rows[12].cell(C::Name), "Nav Point 1");
    EXPECT_EQ(rows[13].cell(C::Name), "Nav Point 4 \"Alpha\"");
    EXPECT_EQ(rows[13].cell(C::Star), "1");
    EXPECT_EQ(outline.rowOf(Selection::object(2)), 2);
    EXPECT_EQ(outline.rowOf(Selection::navPoint(1, 3)), 13);
    EXPECT_EQ(outline.rowOf(Selection::object(77)), -1);
}

TEST_F(OutlineInspectorTest, FilterWordsMatchAnyColumnOrTheColumnTheirKeyNames) {
    OutlineModel outline(editor, &groups);
    EXPECT_EQ(shown(outline, "bunker"), (Names{"North Bunker", "South Bunker"}));
    // Every word must match; letter case does not count.
    EXPECT_EQ(shown(outline, "BUNKER north"), (Names{"North Bunker"}));
    EXPECT_EQ(shown(outline, "group:gate"), (Names{"North Bunker", "South Bunker", "Gate Tower"}));
    // "gate" alone also finds the tower by its name; "name:" keeps to the name column.
    EXPECT_EQ(shown(outline, "name:gate"), (Names{"Gate Tower"}));
    EXPECT_EQ(shown(outline, "geometry:ready-made"), (Names{"Camp"}));
    // Area, star and slot compare whole values: "area:2" is not "area:12".
    EXPECT_EQ(shown(outline, "area:2"), (Names{"North Bunker", "South Bunker"}));
    EXPECT_EQ(shown(outline, "star:1"),
              (Names{"Player 2 Start Point", "Nav Point 1", "Nav Point 4 \"Alpha\""}));
    EXPECT_EQ(shown(outline, "slot:2"), (Names{"Gate Tower"}));
    EXPECT_EQ(shown(outline, "star:1 alpha"), (Names{"Nav Point 4 \"Alpha\""}));
    // Quotes keep blanks in a word; a key still being typed restricts nothing.
    EXPECT_EQ(shown(outline, "name:\"south bunker\""), (Names{"South Bunker"}));
    EXPECT_EQ(shown(outline, "area:").size(), outline.rows().size());
    EXPECT_TRUE(shown(outline, "nothing-like-this").empty());
    // An unknown key is a plain word.
    EXPECT_TRUE(shown(outline, "colour:red").empty());
}

TEST_F(OutlineInspectorTest, OutlineFollowsChangesRowByRowAndUndo) {
    OutlineModel outline(editor, &groups);
    ViewLog log;
    outline.setObserver(&log);

    editor.execute(std::make_unique<RemoveObjectCommand>(1));
    EXPECT_EQ(outline.rows()[1].cell(C::Name), "Gate Tower");
    editor.undo();
    EXPECT_EQ(outline.rows()[1].cell(C::Name), "South Bunker");

    R renamed = *editor.document().objects.find(2);
    renamed.setText(R::menuText, "West Tower");
    editor.execute(std::make_unique<ChangeObjectRecordCommand>(
        "Rename", 2, *editor.document().objects.find(2), renamed));
    // A move and a turn change nothing the outline shows.
    editor.execute(
        std::make_unique<MoveObjectCommand>(0, engine::Vector3{1, 0, 5}, engine::Vector3{4, 0, 5}));
    R turned = *editor.document().objects.find(0);
    turned.setInt32(R::mainRotation(1), 90);
    editor.execute(std::make_unique<ChangeObjectRecordCommand>(
        "Turn", 0, *editor.document().objects.find(0), turned));
    // Nav point moves keep the rows; a nav point taken out of use drops its row.
    auto navs = editor.navPoints();
    navs.markers[0].position.x = 50;
    editor.applyNavPoints(navs);
    navs.stars[1][0].setByte(mission::NavPointRecord::inUse, 0);
    navs.markers = markersFromRecords(navs.stars);
    editor.applyNavPoints(navs);

    EXPECT_EQ(log.lines,
              (Names{"remove 1+1", "insert 1+1", "change 2-2", "remove 12+2", "insert 12+1"}));
    EXPECT_EQ(outline.rows()[2].cell(C::Name), "West Tower");
    EXPECT_EQ(outline.rows().back().cell(C::Name), "Nav Point 4 \"Alpha\"");

    editor.startMission(*mission::support::newMission());
    EXPECT_EQ(log.lines.back(), "reset");
    EXPECT_EQ(outline.rows().size(), 8u + editor.navPointMarkers().size());
}

TEST_F(OutlineInspectorTest, InspectorShowsCommonValuesAndLeavesDifferingOnesEmpty) {
    InspectorModel inspector(editor, &groups);
    EXPECT_FALSE(inspector.value("position_x").enabled); // nothing inspected

    inspector.inspect({0, 1, 2});
    EXPECT_EQ(inspector.value("position_z").text, "500");
    EXPECT_FALSE(inspector.value("position_z").differs);
    const InspectorValue x = inspector.value("position_x");
    EXPECT_TRUE(x.differs);
    EXPECT_EQ(x.text, "");
    EXPECT_TRUE(inspector.value(InspectorModel::kName).differs);
    EXPECT_EQ(inspector.value(InspectorModel::kGroup).text, "Gate");
    EXPECT_FALSE(inspector.value(InspectorModel::kGroup).enabled);
    EXPECT_TRUE(inspector.value("area_file").differs);

    inspector.inspect({0, 1});
    EXPECT_EQ(inspector.value("area_file").text, "2");
    EXPECT_TRUE(inspector.value("hits_to_destroy").enabled);
    // With a ready-made group among them its locked details are locked here too.
    inspector.inspect({0, 3});
    EXPECT_FALSE(inspector.value("hits_to_destroy").enabled);
    EXPECT_TRUE(inspector.value("rotation_y").enabled);
    EXPECT_EQ(InspectorModel::labelOf("rotation_y"), "Main Rotation Y");
}

TEST_F(OutlineInspectorTest, InspectorSetsAValueOnAllAsOneUndoStepAndRefusesBadText) {
    InspectorModel inspector(editor, &groups);
    int told = 0;
    inspector.onChanged = [&] { ++told; };
    inspector.inspect({0, 1});

    EXPECT_EQ(inspector.set("position_x", "2500"), "");
    EXPECT_EQ(inspector.value("position_x").text, "2500");
    EXPECT_EQ(editor.objectPosition(0)->x, 25.0);
    EXPECT_EQ(editor.objectPosition(1)->x, 25.0);
    EXPECT_EQ(editor.objectPosition(2)->x, 3.0); // not inspected
    EXPECT_EQ(editor.undoText(), "Undo Set Position X");
    EXPECT_GT(told, 1); // live: each move was told

    EXPECT_EQ(inspector.set("hits_to_destroy", "40"), "");
    EXPECT_EQ(inspector.set(InspectorModel::kName, "Gate Bunker"), "");
    EXPECT_EQ(inspector.set("recon", "1"), "");
    EXPECT_EQ(editor.document().objects.find(1)->int32(R::hitsToDestroy), 40);
    EXPECT_EQ(editor.document().objects.find(0)->text(R::menuText), "Gate Bunker");
    EXPECT_EQ(inspector.value("recon").text, "1");

    // Refused texts change nothing and add no step.
    const std::string before = editor.undoText();
    EXPECT_EQ(inspector.set("hits_to_destroy", "forty"),
              "Hits to Destroy takes a whole number: \"forty\" is not one");
    EXPECT_EQ(inspector.set("area_file", "9"), "Area File Inclusion is 1 to 8: \"9\" is not");
    EXPECT_EQ(inspector.set("main_type", "box"),
              "Main Type is one of its box's words: \"box\" is not");
    EXPECT_FALSE(inspector.set(InspectorModel::kGroup, "Gate").empty());
    EXPECT_EQ(editor.undoText(), before);

    // One undo each takes the whole step back for both objects.
    editor.undo(); // recon
    editor.undo(); // name
    EXPECT_EQ(editor.document().objects.find(0)->text(R::menuText), "North Bunker");
    EXPECT_EQ(editor.document().objects.find(1)->text(R::menuText), "South Bunker");
    editor.undo(); // hits
    editor.undo(); // position
    EXPECT_EQ(editor.objectPosition(0)->x, 1.0);
    EXPECT_EQ(editor.objectPosition(1)->x, 3.0);
    EXPECT_FALSE(editor.canUndo());

    // A value all already hold is no step; locked details are refused for a ready-made group.
    inspector.inspect({0, 3});
    EXPECT_EQ(inspector.set("position_z", "500"), "");
    EXPECT_FALSE(editor.canUndo());
    EXPECT_EQ(inspector.set("collision_on", "1"), "Collision On is locked for a ready-made group");
}

TEST_F(OutlineInspectorTest, InspectorFollowsTheSelectionAndDropsRemovedObjects) {
    InspectorModel inspector(editor);
    editor.select(Selection::object(2));
    EXPECT_EQ(inspector.inspected(), std::vector<int>{2});
    EXPECT_EQ(inspector.value(InspectorModel::kName).text, "Gate Tower");
    inspector.inspect({1, 2});
    editor.execute(std::make_unique<RemoveObjectCommand>(1));
    EXPECT_EQ(inspector.inspected(), std::vector<int>{2});
    editor.select(Selection::startPoint(1));
    EXPECT_TRUE(inspector.inspected().empty());
}

} // namespace
