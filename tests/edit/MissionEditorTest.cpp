#include "edit/MissionEditor.h"
#include "edit/DocumentCommands.h"
#include "edit/MarkerCommands.h"
#include "edit/MarkerEditing.h"
#include "edit/ObjectCommands.h"

#include "build/HeadlessScene.h"
#include "common/FileIo.h"
#include "mission/MissionFile.h"

#include "TempDir.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zev;
using namespace zev::edit;
using mission::MissionDocument;
using mission::MissionObjectRecord;
using R = mission::MissionObjectRecord;

namespace {

// Everything a view hears, as one line per notice.
struct NoticeLog : EditorListener {
    std::vector<std::string> lines;
    void missionReplaced() override { lines.push_back("replaced"); }
    void objectAdded(int s) override { lines.push_back("added " + std::to_string(s)); }
    void objectRemoved(int s) override { lines.push_back("removed " + std::to_string(s)); }
    void objectMoved(int s) override { lines.push_back("moved " + std::to_string(s)); }
    void objectRecordChanged(int s) override { lines.push_back("record " + std::to_string(s)); }
    void startPointChanged(int p) override { lines.push_back("start " + std::to_string(p)); }
    void navPointsChanged() override { lines.push_back("navs"); }
    void selectionChanged() override { lines.push_back("selection"); }
    void headerChanged() override { lines.push_back("header"); }
    void tablesChanged() override { lines.push_back("tables"); }
    void weatherChanged() override { lines.push_back("weather"); }
    void paletteChanged() override { lines.push_back("palette"); }
    void briefingsChanged() override { lines.push_back("briefings"); }
};

// A mission with three objects at positions that do not fall on whole workspace units.
MissionDocument sampleMission() {
    auto doc = mission::support::newMission();
    const int positions[][3] = {{150, 0, -270}, {-999, 5, 12345}, {0, 0, 0}};
    for (int i = 0; i < 3; ++i) {
        zev::common::SilentReporter quiet;
        const int slot = doc->objects.allocate(quiet).value();
        doc->objects.place(slot, mission::support::sampleObject("obj" + std::to_string(i),
                                                                positions[i][0], positions[i][1],
                                                                positions[i][2]));
    }
    return *doc;
}

std::vector<std::uint8_t> savedBytes(MissionDocument document,
                                     const mission::ScenePositions& positions) {
    TempDir dir;
    zev::common::SilentReporter quiet;
    EXPECT_TRUE(mission::MissionFile::save(document, dir / "m.mdb", positions, 0, quiet));
    return zev::common::readWholeFile(dir / "m.mdb").value_or(std::vector<std::uint8_t>{});
}

} // namespace

TEST(MissionEditor, AnOpenedMissionSavesAsTheUntouchedWorkspaceDid) {
    const MissionDocument doc = sampleMission();
    MissionEditor editor;
    zev::common::RecordingReporter reporter;
    editor.openMission(doc, {}, reporter);
    EXPECT_FALSE(editor.isModified());
    EXPECT_EQ(editor.objectOrder(), (std::vector<int>{0, 1, 2}));
    EXPECT_DOUBLE_EQ(editor.objectPosition(0)->x, 1.5);
    EXPECT_EQ(editor.navPointMarkers().size(), 8u) << "one nav point in use per star";
    // Positions read back as 100 x the truncated workspace coordinate, as the frames did.
    EXPECT_EQ(editor.objectFrames()[0].position, (std::array<std::int32_t, 3>{100, 0, -200}));
    EXPECT_EQ(savedBytes(doc, editor), savedBytes(doc, build::HeadlessScene(doc)));
}

TEST(MissionEditor, ObjectsThatCannotBeShownAreFreedWithTheirReasonAtOpen) {
    MissionEditor editor;
    zev::common::RecordingReporter reporter;
    editor.openMission(
        sampleMission(),
        [](const MissionDocument&, int slot) -> std::optional<std::string> {
            if (slot == 1)
                return "Could not find geometry obj1";
            return std::nullopt;
        },
        reporter);
    EXPECT_EQ(editor.objectOrder(), (std::vector<int>{0, 2}));
    EXPECT_EQ(editor.document().objects.find(1), nullptr);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Could not find geometry obj1");
    EXPECT_EQ(reporter.messages[0].caption, "ZEVEDIT 3D");
    EXPECT_FALSE(editor.isModified()) << "a load step, not an edit";
}

TEST(MissionEditor, EveryCommandKindUndoesAndRedoesAndTellsTheViews) {
    MissionEditor editor;
    zev::common::SilentReporter quiet;
    editor.openMission(sampleMission(), {}, quiet);
    NoticeLog log;
    editor.addListener(&log);

    editor.execute(std::make_unique<AddObjectCommand>(
        3, mission::support::sampleObject("new", 0, 0, 0), engine::Vector3{-2, 0, 4}));
    EXPECT_EQ(editor.objectOrder(), (std::vector<int>{0, 1, 2, 3}));
    editor.select(Selection::object(1));
    editor.execute(std::make_unique<RemoveObjectCommand>(1));
    EXPECT_EQ(editor.selection(), Selection::none()) << "a deleted object is not selected";
    editor.execute(std::make_unique<MoveObjectCommand>(0, engine::Vector3{1.5, 0, -2.7},
                                                       engine::Vector3{7, 0, 7}));
    MissionObjectRecord turned = *editor.document().objects.find(2);
    const MissionObjectRecord before = turned;
    turned.setInt32(R::mainRotation(0), 5); // about X: still a change that must be saved
    editor.execute(std::make_unique<ChangeObjectRecordCommand>("Turn Object", 2, before, turned));
    editor.execute(std::make_unique<MoveStartPointCommand>(3, editor.startPointPosition(3),
                                                           engine::Vector3{10, 0, 10}));
    const auto nav = editor.navPointMarkers()[0];
    editor.execute(std::make_unique<MoveNavPointCommand>(nav.star, nav.index, nav.position,
                                                         engine::Vector3{1, 2, 3}));
    EXPECT_TRUE(editor.isModified());
    EXPECT_TRUE(editor.document().modified);
    EXPECT_EQ(editor.undoText(), "Undo Move Nav Point");
    EXPECT_EQ(log.lines, (std::vector<std::string>{"added 3", "selection", "selection", "removed 1",
                                                   "moved 0", "record 2", "start 3", "navs"}));

    const auto edited = editor.objectFrames();
    while (editor.undo()) {
    }
    EXPECT_FALSE(editor.isModified());
    EXPECT_EQ(editor.objectOrder(), (std::vector<int>{0, 1, 2})) << "back in its save place";
    EXPECT_EQ(*editor.document().objects.find(2), before);
    EXPECT_DOUBLE_EQ(editor.objectPosition(0)->z, -2.7);
    EXPECT_EQ(editor.undoText(), "Undo");
    EXPECT_EQ(editor.redoText(), "Redo Drop Object");
    while (editor.redo()) {
    }
    EXPECT_EQ(editor.objectFrames(), edited);
    EXPECT_EQ(editor.document().objects.find(2)->int32(R::mainRotation(0)), 5);
    EXPECT_EQ(editor.navPointMarkers()[0].position.y, 2);
}

TEST(MissionEditor, ModifiedFollowsTheHistoryAndItsCleanPoint) {
    MissionEditor editor;
    editor.startMission(*mission::support::newMission());
    EXPECT_FALSE(editor.isModified());
    const auto move = [&](double x) {
        editor.execute(std::make_unique<MoveStartPointCommand>(1, editor.startPointPosition(1),
                                                               engine::Vector3{x, 0, 0}));
    };
    move(1);
    EXPECT_TRUE(editor.isModified());
    editor.markSaved();
    EXPECT_FALSE(editor.isModified());
    EXPECT_FALSE(editor.document().modified);
    editor.undo();
    EXPECT_TRUE(editor.isModified()) << "undone past the save";
    editor.redo();
    EXPECT_FALSE(editor.isModified());
    editor.undo();
    move(2); // the saved state cannot come back by redo any more
    EXPECT_FALSE(editor.canRedo());
    editor.undo();
    EXPECT_TRUE(editor.isModified());

    editor.startMission(*mission::support::newMission());
    EXPECT_FALSE(editor.canUndo()) << "New and Open clear the history";
}

TEST(MissionEditor, AGestureIsOneStepAndACancelPutsEverythingBack) {
    MissionEditor editor;
    zev::common::SilentReporter quiet;
    editor.openMission(sampleMission(), {}, quiet);
    const engine::Vector3 start = *editor.objectPosition(0);

    editor.beginGesture("Move Object");
    engine::Vector3 p = start;
    for (int i = 0; i < 5; ++i) {
        const engine::Vector3 next{p.x + 1, p.y, p.z};
        editor.execute(std::make_unique<MoveObjectCommand>(0, p, next));
        p = next;
    }
    EXPECT_FALSE(editor.canUndo()) << "nothing is a step before the gesture ends";
    editor.commitGesture();
    EXPECT_EQ(editor.undoText(), "Undo Move Object");
    editor.undo();
    EXPECT_DOUBLE_EQ(editor.objectPosition(0)->x, start.x);
    EXPECT_FALSE(editor.canUndo());

    editor.beginGesture("Move Object");
    editor.execute(std::make_unique<MoveObjectCommand>(0, start, engine::Vector3{9, 9, 9}));
    editor.cancelGesture();
    EXPECT_DOUBLE_EQ(editor.objectPosition(0)->x, start.x);
    EXPECT_FALSE(editor.canUndo());
    EXPECT_FALSE(editor.isModified());
}

TEST(MissionEditor, WholePartsChangeAsOneStepEachAndNavPointMarkersFollowTheirRecords) {
    MissionEditor editor;
    editor.startMission(sampleMission());
    NoticeLog log;
    editor.addListener(&log);
    const MissionDocument before = editor.document();

    mission::MissionHeader header = before.header;
    header.setText(mission::MissionHeader::missionName, "Renamed");
    editor.execute(
        std::make_unique<ChangeHeaderCommand>("Mission Enviroment", before.header, header));
    mission::WeatherRecord weather = before.weather;
    weather.bytes()[0] ^= 1;
    editor.execute(
        std::make_unique<ChangeWeatherCommand>("Weather Settings", before.weather, weather));
    mission::PaletteRecord palette = before.palette;
    palette.bytes()[0] ^= 1;
    editor.execute(std::make_unique<ChangePaletteCommand>("Palette", before.palette, palette));
    mission::ObjectiveBlock tables = before.objectives;
    tables[2].setMissionTimeLimit("600");
    editor.execute(
        std::make_unique<ChangeObjectivesCommand>("Mission Tables", before.objectives, tables));
    MissionEditor::Briefings briefings = before.briefings;
    briefings[1] = {'{', '}'};
    editor.execute(
        std::make_unique<ChangeBriefingsCommand>("Briefing Room", before.briefings, briefings));
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{"header", "weather", "palette", "tables", "briefings"}));
    EXPECT_EQ(editor.undoText(), "Undo Briefing Room");
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(editor.undo());
    EXPECT_TRUE(editor.document() == before);
    EXPECT_FALSE(editor.isModified());

    // A marker moved in the workspace, then the nav point records replaced: the markers follow
    // the new records, and undo brings back the moved marker, not the old record's place.
    editor.select(Selection::navPoint(0, 0));
    const std::size_t markers = editor.navPointMarkers().size();
    const NavPointMarker first = editor.navPointMarkers().front();
    editor.execute(std::make_unique<MoveNavPointCommand>(first.star, first.index, first.position,
                                                         engine::Vector3{7, 8, 9}));
    const MissionEditor::NavPoints moved = editor.navPoints();
    MissionEditor::NavPoints edited = moved;
    using NP = mission::NavPointRecord;
    edited.stars[0][3].setByte(NP::inUse, 1);
    edited.stars[0][3].setText(NP::x, "-250");
    edited.markers = markersFromRecords(edited.stars);
    editor.execute(std::make_unique<ChangeNavPointsCommand>("Nav Points", moved, edited));
    EXPECT_EQ(editor.selection(), Selection::none()) << "the markers were made anew";
    ASSERT_EQ(editor.navPointMarkers().size(), markers + 1);
    EXPECT_EQ(editor.navPointMarkers()[1].index, 3);
    EXPECT_DOUBLE_EQ(editor.navPointMarkers()[1].position.x, -2.5);
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(editor.navPointMarkers().size(), markers);
    EXPECT_DOUBLE_EQ(editor.navPointMarkers().front().position.x, 7);
    editor.removeListener(&log);
}

TEST(MissionEditor, ThePropertyDialogSeesTheWorkspacePositionAndItsOkIsOneStepThatPlacesTheObject) {
    MissionEditor editor;
    common::SilentReporter quiet;
    editor.openMission(sampleMission(), {}, quiet);
    // Moved in the workspace to 12.7 units: the dialog opens with 1200, as Save would write.
    editor.execute(std::make_unique<MoveObjectCommand>(0, *editor.objectPosition(0),
                                                       engine::Vector3{12.7, 0, -3.2}));
    R edited = recordForEditing(editor, 0);
    EXPECT_EQ(edited.int32(R::position(0)), 1200);
    EXPECT_EQ(edited.int32(R::position(2)), -300);
    const R stored = *editor.document().objects.find(0);
    EXPECT_EQ(stored.int32(R::position(0)), 150) << "opening the dialog changes nothing";

    applyObjectProperties(editor, 0, edited); // OK without a change: no step
    EXPECT_EQ(editor.undoText(), "Undo Move Object");

    edited.setInt32(R::scale(1), 4);
    edited.setInt32(R::position(0), 5000);
    applyObjectProperties(editor, 0, edited);
    EXPECT_EQ(editor.undoText(), "Undo Object Properties");
    EXPECT_EQ(editor.document().objects.find(0)->int32(R::scale(1)), 4);
    EXPECT_DOUBLE_EQ(editor.objectPosition(0)->x, 50);
    EXPECT_DOUBLE_EQ(editor.objectPosition(0)->z, -3) << "the record's whole units";
    ASSERT_TRUE(editor.undo());
    EXPECT_TRUE(*editor.document().objects.find(0) == stored);
    EXPECT_DOUBLE_EQ(editor.objectPosition(0)->x, 12.7);
}

TEST(MissionEditor, TheMarkerDialogsOpenOnTheMarkersPlacesAndTheirOkIsOneStep) {
    using SP = mission::StartPointRecord;
    using NP = mission::NavPointRecord;
    MissionEditor editor;
    editor.startMission(sampleMission());
    editor.execute(std::make_unique<MoveStartPointCommand>(2, editor.startPointPosition(2),
                                                           engine::Vector3{1.234, 0, -5}));
    const engine::Vector3 player5 = {0.555, 0.001, 3.333};
    editor.execute(
        std::make_unique<MoveStartPointCommand>(5, editor.startPointPosition(5), player5));

    // Opened: player 2's record carries its marker's place; OK with nothing changed is no step.
    const StartPoints opened = startPointsForEditing(editor);
    EXPECT_EQ(opened[1].text(SP::x), "100"); // 100 x the truncated coordinate, as Save writes
    EXPECT_EQ(opened[1].text(SP::z), "-500");
    applyStartPoints(editor, opened, opened);
    EXPECT_EQ(editor.undoText(), "Undo Move Start Point");

    // Player 2 moved and turned in the dialog: record, marker and heading in one step; player 5,
    // left alone, keeps its marker exactly where it was.
    StartPoints edited = opened;
    edited[1].setText(SP::x, "-800");
    edited[1].setText(SP::heading, "90");
    applyStartPoints(editor, opened, edited);
    EXPECT_EQ(editor.undoText(), "Undo Player Start Points");
    EXPECT_EQ(editor.document().startPoint(2).text(SP::heading), "90");
    EXPECT_EQ(editor.startPointPosition(2), (engine::Vector3{-8, 0, -5}));
    EXPECT_EQ(editor.startPointPosition(5), player5);
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(editor.startPointPosition(2), (engine::Vector3{1.234, 0, -5}));
    EXPECT_EQ(editor.document().startPoint(2).text(SP::heading),
              sampleMission().startPoint(2).text(SP::heading));

    // Nav points: a marker moved since the last Save shows its place in the table and keeps it
    // through an OK that changed another slot.
    const NavPointMarker first = editor.navPointMarkers().front();
    editor.execute(std::make_unique<MoveNavPointCommand>(first.star, first.index, first.position,
                                                         engine::Vector3{4, 0, 6}));
    const NavStars table = navPointsForEditing(editor);
    EXPECT_EQ(table[std::size_t(first.star)][std::size_t(first.index)].text(NP::x), "400");
    applyNavPointTable(editor, table, table);
    EXPECT_EQ(editor.undoText(), "Undo Move Nav Point");
    NavStars changed = table;
    changed[7][24].setByte(NP::inUse, 1);
    changed[7][24].setText(NP::z, "100");
    applyNavPointTable(editor, table, changed);
    EXPECT_EQ(editor.undoText(), "Undo Nav Points");
    EXPECT_EQ(editor.navPointMarkers().front().position, (engine::Vector3{4, 0, 6}));
    EXPECT_EQ(editor.navPointMarkers().back().star, 7);
    EXPECT_EQ(editor.navPointMarkers().back().position, (engine::Vector3{0, 0, 1}));
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(editor.document().stars, sampleMission().stars);
    EXPECT_EQ(editor.navPointMarkers().front().position, (engine::Vector3{4, 0, 6}));
}
