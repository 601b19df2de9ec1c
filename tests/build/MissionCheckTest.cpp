#include "build/MissionCheck.h"

#include "BuildSupport.h"

#include "gamedata/DemoData.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace zev;
using namespace zev::build;
using Severity = MissionProblem::Severity;
using Kind = MissionProblem::Place::Kind;
using O = mission::MissionObjectRecord;
using Row = mission::ObjectiveRow;
using NP = mission::NavPointRecord;
using SP = mission::StartPointRecord;
using H = mission::MissionHeader;

namespace {

// Demo game data (archive, ready-made groups, current index files) shared by every test.
class MissionCheckTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        data_ = new TempDir;
        common::SilentReporter silent;
        ASSERT_TRUE(gamedata::demo::writeDemoData(data_->path(), silent));
    }
    static void TearDownTestSuite() {
        delete data_;
        data_ = nullptr;
    }

    static gamedata::demo::DemoDataPaths paths() {
        return gamedata::demo::demoDataPaths(data_->path());
    }
    CheckContext context() const { return {paths().programDirectory, paths().archive}; }

    int addObject(const std::string& geometry, std::array<std::int32_t, 3> at = {0, 0, 0}) {
        O record = test::plainObject(geometry);
        record.setText(O::menuText, geometry + " menu");
        for (int axis = 0; axis < 3; ++axis)
            record.setInt32(O::position(axis), at[std::size_t(axis)]);
        common::SilentReporter silent;
        const int slot = *document->objects.allocate(silent);
        document->objects.place(slot, record);
        return slot;
    }
    Row& row(int star, int r) { return document->objectives[std::size_t(star)].row(r); }

    std::vector<MissionProblem> check() const { return checkMission(*document, context()); }

    // The one problem the check finds.
    MissionProblem only() const {
        const auto problems = check();
        EXPECT_EQ(problems.size(), 1u) << describe(problems);
        return problems.empty() ? MissionProblem{} : problems.front();
    }

    static std::string describe(const std::vector<MissionProblem>& problems) {
        std::string out;
        for (const auto& p : problems)
            out += std::string(severityWord(p.severity)) + " " + p.placeText + ": " + p.text + "\n";
        return out;
    }

    std::unique_ptr<mission::MissionDocument> document = test::newMission("ABCD", true);
    static TempDir* data_;
};

TempDir* MissionCheckTest::data_ = nullptr;

} // namespace

TEST_F(MissionCheckTest, ACleanMissionWithObjectsAndGroupsGivesNothingAndIsLeftAsItWas) {
    addObject("bunker", {100, 0, 100});
    addObject("bunker", {200, 0, 100});
    const int group = addObject("outpost", {100, 0, 100});
    document->objects.find(group)->setByte(O::readyMadeGroup, 1);
    row(2, 1).setText(Row::target, "ABCDnav2");
    row(2, 2).setText(Row::action, "Goto");
    row(2, 2).setText(Row::target, "en03star_0");
    row(2, 2).setConditionsInUse(2);
    row(2, 2).setText(Row::condition(0), "Succ 1");
    row(2, 2).setText(Row::condition(1), "Fail en03star Initial");
    const mission::MissionDocument before = *document;

    EXPECT_TRUE(check().empty()) << describe(check());
    EXPECT_EQ(*document, before);
}

TEST_F(MissionCheckTest, ObjectsWithoutGeometryOrGroupFileOrAreaAreErrorsAtTheirSlot) {
    addObject("bunker");
    const int missing = addObject("nosuchgeo", {5, 0, 0});
    auto found = only();
    EXPECT_EQ(found.severity, Severity::Error);
    EXPECT_EQ(found.place.kind, Kind::Object);
    EXPECT_EQ(found.place.slot, missing);
    EXPECT_EQ(found.placeText, "Object 1 \"nosuchgeo menu\"");
    EXPECT_EQ(found.text, "Geometry \"nosuchgeo\" is not in WTB.IDX");

    document->objects.find(missing)->setByte(O::readyMadeGroup, 1);
    EXPECT_EQ(only().text, "Ready-made group \"nosuchgeo\" has no file RMG/nosuchgeo.bwd beside "
                           "the archive");

    document->objects.free(missing);
    document->objects.find(0)->setText(O::areaFile, "9");
    found = only();
    EXPECT_EQ(found.severity, Severity::Error);
    EXPECT_EQ(found.text,
              "Area file \"9\" is not 1 to 8: the object is left out of every area file");
}

TEST_F(MissionCheckTest, TwoEqualObjectsOnOneSpotAreAWarningOnTheLaterSlot) {
    addObject("bunker", {100, 0, 100});
    addObject("hangar", {100, 0, 100});
    const int twin = addObject("bunker", {100, 0, 100});
    const auto found = only();
    EXPECT_EQ(found.severity, Severity::Warning);
    EXPECT_EQ(found.place.slot, twin);
    EXPECT_EQ(found.text, "Stands where object 0 stands, with the same geometry");

    // Where the workspace holds them counts, not the records.
    test::FakeScene scene;
    scene.objects = {
        {0, "bunker", {100, 0, 100}}, {1, "hangar", {1, 2, 3}}, {2, "bunker", {9, 9, 9}}};
    CheckContext moved = context();
    moved.objectPositions = &scene;
    EXPECT_TRUE(checkMission(*document, moved).empty());
}

TEST_F(MissionCheckTest, WithoutWtbIdxTheGeometriesAreNotCheckedAndThatIsSaidOnce) {
    addObject("nosuchgeo");
    addObject("neither");
    CheckContext elsewhere = context();
    TempDir emptyHome;
    elsewhere.programDirectory = emptyHome.path();
    const auto problems = checkMission(*document, elsewhere);
    ASSERT_EQ(problems.size(), 2u) << describe(problems);
    EXPECT_EQ(problems[0].severity, Severity::Warning);
    EXPECT_EQ(problems[0].place.kind, Kind::IndexFiles);
    EXPECT_EQ(problems[0].text, "WTB.IDX not found: the objects' geometries were not checked");
    EXPECT_EQ(problems[1].text,
              "Missing or out of date (WTB.IDX is missing): run Scan Geo Table from the "
              "Utilitys menu");
}

TEST_F(MissionCheckTest, NavPointsInUseNeedWholeNumberPositionsWhileUnusedOnesAreIgnored) {
    document->navPoint(3, 0).setText(NP::y, "");
    document->navPoint(3, 7).setText(NP::z, "12a"); // not in use
    auto found = only();
    EXPECT_EQ(found.severity, Severity::Error);
    EXPECT_EQ(found.place, (MissionProblem::Place{Kind::NavPoint, -1, 3, 0}));
    EXPECT_EQ(found.placeText, "Star 3 nav point 0");
    EXPECT_EQ(found.text, "Y position is empty (it is built as 0)");

    document->navPoint(3, 0).setText(NP::y, "5000");
    document->navPoint(3, 7).setByte(NP::inUse, 1);
    document->navPoint(3, 7).setText(NP::x, "1");
    document->navPoint(3, 7).setText(NP::y, "2");
    EXPECT_EQ(only().text, "Z position \"12a\" is not a whole number");
}

TEST_F(MissionCheckTest, HeaderAndStartPointFindings) {
    document->header.setText(H::projectName, "");
    // Row 0 targets are composed from the old name; only the name itself is reported here.
    auto problems = check();
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0].place.kind, Kind::Header);
    EXPECT_EQ(problems[0].severity, Severity::Error);
    EXPECT_EQ(problems[0].text, "No project name: the Build refuses to run without one");

    document = test::newMission("ABCD", true);
    for (int field = 0; field < 3; ++field)
        document->startPoint(3).setText(field == 0 ? SP::x : field == 1 ? SP::y : SP::z, "");
    // Star 2's first objective starts at start point 2 (player 3), which is now unset.
    problems = check();
    ASSERT_EQ(problems.size(), 2u) << describe(problems);
    EXPECT_EQ(problems[0].place, (MissionProblem::Place{Kind::StartPoints, -1, -1, 3}));
    EXPECT_EQ(problems[0].text, "Not set, but the mission has 4 players");
    EXPECT_EQ(problems[1].placeText, "Star 2 objective 0");
    EXPECT_EQ(problems[1].text, "Target \"ABCDst21\" names start point 2 (player 3), which is "
                                "not set");

    document->header.setText(H::numberOfPlayers, "2");
    row(2, 0).setText(Row::target, "NULL");
    EXPECT_TRUE(check().empty()) << "player 3 does not play";

    document->header.setText(H::projectName, "ABCDEF");
    EXPECT_EQ(only().severity, Severity::Warning);
    // Row 0 targets of a short name are blank-filled: "AB  st01".
    document = test::newMission("AB", true);
    EXPECT_EQ(only().text, "Project name \"AB\" is shorter than 4 characters: objective targets "
                           "made from it hold blanks or read back as NULL");
}

TEST_F(MissionCheckTest, TargetsNamingWhatDoesNotExistAreErrors) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"ABCDnav5x", "Target \"ABCDnav5x\" is not understood"},
        {"ABCDnav8", "Target \"ABCDnav8\" names the nav points of star 8; the stars are 0 to 7"},
        {"ABCDst81", "Target \"ABCDst81\" names start point 8; the start points are 0 to 7"},
        {"ABCDare0", "Target \"ABCDare0\" names area 0; the areas are 1 to 8"},
        {"en08star", "Target \"en08star\" names star 8; the stars are 0 to 7"},
        {"en01star_7", "Target \"en01star_7\" names objective 7 of star 1, which is not in use"},
        {"", "Has no target"},
    };
    for (const auto& [target, text] : cases) {
        row(0, 1).setText(Row::target, target);
        const auto found = only();
        EXPECT_EQ(found.severity, Severity::Error) << target;
        EXPECT_EQ(found.place, (MissionProblem::Place{Kind::Objective, -1, 0, -1, 1})) << target;
        EXPECT_EQ(found.text, text);
    }

    document->navPoint(4, 0).setByte(NP::inUse, 0);
    row(0, 1).setText(Row::target, "ABCDnav4");
    EXPECT_EQ(only().text, "Target \"ABCDnav4\" names the nav points of star 4, which has none in "
                           "use");
}

TEST_F(MissionCheckTest, TargetsWithAnotherPrefixOrAnEmptyAreaAreWarnings) {
    row(1, 1).setText(Row::target, "WXYZnav1");
    auto found = only();
    EXPECT_EQ(found.severity, Severity::Warning);
    EXPECT_EQ(found.text, "Target \"WXYZnav1\" does not begin with the project name; the "
                          "objectives editor renames it when it opens");

    row(1, 1).setText(Row::target, "ABCDare3");
    addObject("bunker"); // in area 1
    EXPECT_EQ(only().text, "Target \"ABCDare3\" names area 3, which holds no object");
    row(1, 1).setText(Row::target, "ABCDare1");
    EXPECT_TRUE(check().empty());
}

TEST_F(MissionCheckTest, ConditionsNamingObjectivesNotInUseAreErrors) {
    row(5, 1).setText(Row::condition(0), "Comp 4");
    auto found = only();
    EXPECT_EQ(found.severity, Severity::Error);
    EXPECT_EQ(found.placeText, "Star 5 objective 1");
    EXPECT_EQ(found.text, "Activation condition \"Comp 4\" names objective 4, which is not in use");

    // A table of conditions: each one counts; "Initial" may stand for the number.
    row(5, 1).setConditionsInUse(3);
    row(5, 1).setText(Row::condition(0), "Comp Initial");
    row(5, 1).setText(Row::condition(1), "Succ en06star 1");
    row(5, 1).setText(Row::condition(2), "Fail en06star 3");
    EXPECT_EQ(only().text, "Activation condition \"Fail en06star 3\" names objective 3 of star 6, "
                           "which is not in use");

    row(5, 1).setText(Row::condition(2), "Done 1");
    EXPECT_EQ(only().text, "Activation condition \"Done 1\" is not understood");
    row(5, 1).setText(Row::condition(2), "Comp en09star 1");
    EXPECT_EQ(only().text, "Activation condition \"Comp en09star 1\" is not understood");

    row(5, 1).setConditionsInUse(1);
    row(5, 1).setText(Row::condition(0), "");
    EXPECT_EQ(only().text, "Has no activation condition");
}

TEST_F(MissionCheckTest, IndexFilesOutOfDateOrNoArchiveAreWarnings) {
    CheckContext noArchive = context();
    noArchive.archivePath.reset();
    auto problems = checkMission(*document, noArchive);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].severity, Severity::Warning);
    EXPECT_EQ(problems[0].text,
              "No archive given: the index files and ready-made groups were not checked");

    // A copy of the archive with another time: the index files were built for the first one.
    TempDir other;
    const auto copy = other / "ZEV.PRJ";
    std::filesystem::copy_file(paths().archive, copy);
    std::filesystem::last_write_time(copy, std::filesystem::last_write_time(paths().archive) +
                                               std::chrono::hours(1));
    CheckContext stale = context();
    stale.archivePath = copy;
    problems = checkMission(*document, stale);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].place.kind, Kind::IndexFiles);
    EXPECT_EQ(problems[0].severity, Severity::Warning);
    EXPECT_NE(problems[0].text.find("run Scan Geo Table"), std::string::npos);
    EXPECT_FALSE(hasErrors(problems));
}
