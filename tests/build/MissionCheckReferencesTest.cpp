#include "build/MissionCheckReferences.h"
#include "build/MissionCheck.h"
#include "build/RtfBriefing.h"

#include "BuildSupport.h"

#include "gamedata/ObjectGroupCatalog.h"

#include <gtest/gtest.h>

using namespace zev;
using namespace zev::build;
using Kind = MissionProblem::Place::Kind;
using Row = mission::ObjectiveRow;
using NP = mission::NavPointRecord;

namespace {

TEST(MissionCheckReferences, NavPointNamesAreFoundAsDesignersWriteThem) {
    using V = std::vector<int>;
    EXPECT_EQ(check::navPointNumbersNamedIn("Go to Nav 3, then NAV-12 and nav#4"), (V{3, 12, 4}));
    EXPECT_EQ(check::navPointNumbersNamedIn("nav point 5; Navpoint 6; Nav Point  7"), (V{5, 6, 7}));
    // Words that only begin like it, or numbers that run into letters, name nothing.
    EXPECT_EQ(check::navPointNumbersNamedIn("Navigate 3, canav 4, Nav 3rd, nav point, Nav"), V{});
}

// A mission whose objectives and briefings name nav points and object groups.
class MissionCheckReferencesTest : public ::testing::Test {
protected:
    void SetUp() override {
        document = test::newMission();
        groups.addGroup("Vehicles", {{"tank", "Battle Tank"}});
        groups.addGroup("Props", {{"crate", "Crate"}});
        document->stars[2][4].setByte(NP::inUse, 1); // star 2's nav point 5
    }

    // The problems the cross-references find (the other checks' findings left out).
    std::vector<MissionProblem> problems() const {
        CheckContext context;
        context.objectGroups = &groups;
        std::vector<MissionProblem> out;
        check::checkReferences(*document, context, out);
        return out;
    }
    Row& row(int star, int r) {
        Row& row = document->objectives[std::size_t(star)].row(r);
        row.setText(Row::action, "Goto");
        row.setText(Row::target, "NULL");
        return row;
    }

    std::unique_ptr<mission::MissionDocument> document;
    gamedata::ObjectGroupCatalog groups;
};

TEST_F(MissionCheckReferencesTest, AnObjectiveTextNamingANavPointItsStarDoesNotUseIsAWarning) {
    row(2, 1).setText(Row::screenText, "Hold Nav 5");  // in use: fine
    row(2, 2).setText(Row::screenText, "Hold Nav 6");  // not in use
    row(0, 1).setText(Row::screenText, "Reach Nav 5"); // star 0 has none
    // A nav point target points the text at that star's nav points.
    Row& aimed = row(0, 2);
    aimed.setText(Row::target, "ABCDnav2");
    aimed.setText(Row::screenText, "Reach Nav 5");
    const auto found = problems();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].severity, MissionProblem::Severity::Warning);
    EXPECT_EQ(found[0].place, (MissionProblem::Place{Kind::Objective, -1, 0, -1, 1}));
    EXPECT_EQ(found[0].text,
              "Text \"Reach Nav 5\" names nav point 5 of star 0, which is not in use");
    EXPECT_EQ(found[1].placeText, "Star 2 objective 2");
}

TEST_F(MissionCheckReferencesTest, ABriefingNamingANavPointNoStarUsesIsAWarningOncePerNumber) {
    const std::string rtf =
        writeBriefingRtf({{"Start at Nav 5.\nThen nav point 9, and again Nav 9.\n", std::nullopt}});
    document->briefings[2].assign(rtf.begin(), rtf.end());
    const auto found = problems();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].place, (MissionProblem::Place{Kind::Briefing, -1, -1, 2}));
    EXPECT_EQ(found[0].placeText, "Briefing Team B");
    EXPECT_EQ(found[0].text, "Names nav point 9, which no star has in use");
}

TEST_F(MissionCheckReferencesTest, ATargetNamingAnObjectGroupWithoutObjectsIsAnError) {
    row(1, 1).setText(Row::target, "vehicles"); // letter case aside
    row(1, 2).setText(Row::target, "Props");
    common::SilentReporter silent;
    mission::MissionObjectRecord crate = test::plainObject("crate");
    crate.setText(mission::MissionObjectRecord::menuText, "Crate");
    document->objects.place(*document->objects.allocate(silent), crate);
    const auto found = problems();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].severity, MissionProblem::Severity::Error);
    EXPECT_EQ(found[0].text,
              "Target \"vehicles\" names object group Vehicles, of which the mission holds no "
              "object");

    // The whole check keeps a row's findings together, the references' among them.
    CheckContext context;
    context.objectGroups = &groups;
    const auto all = checkMission(*document, context);
    std::vector<int> rows;
    for (const MissionProblem& p : all)
        if (p.place.kind == Kind::Objective && p.place.star == 1)
            rows.push_back(p.place.row);
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end()));
    EXPECT_GE(rows.size(), 3u);
}

} // namespace
