#include "mission/ObjectiveDefaults.h"
#include "mission/ObjectiveRecognition.h"
#include "mission/ObjectiveTargets.h"
#include "mission/ObjectiveVocabulary.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zev::mission;
using R = ObjectiveRow;

TEST(ObjectiveDefaults, FreeForAllHasTwoRowsAndTeamPlayOne) {
    auto ffa = support::newMission("ABCD", true);
    auto team = support::newMission("ABCD", false);
    for (int s = 0; s < 8; ++s) {
        EXPECT_EQ(ffa->objectives[s].usedRowCount(), 2);
        EXPECT_EQ(team->objectives[s].usedRowCount(), 1);
        EXPECT_EQ(ffa->objectives[s].missionTimeLimit(), "-1");
        const R& begin = ffa->objectives[s].row(0);
        EXPECT_EQ(begin.text(R::action), "Begin");
        EXPECT_EQ(begin.text(R::visibility), "Hidden");
        EXPECT_EQ(begin.text(R::target), "ABCDst" + std::to_string(s) + "1");
        EXPECT_EQ(begin.text(R::condition(0)), "Initial");
        EXPECT_EQ(begin.conditionsInUse(), 1);
        EXPECT_EQ(begin.text(R::priority), "None");
        EXPECT_EQ(begin.text(R::requirement), "Mandatory");
        const R& destroy = ffa->objectives[s].row(1);
        EXPECT_EQ(destroy.text(R::action), "Wait");
        EXPECT_EQ(destroy.text(R::target), "NULL");
        EXPECT_EQ(destroy.text(R::condition(0)), "Comp 1");
        EXPECT_EQ(destroy.text(R::timeLimit), "1");
        EXPECT_EQ(destroy.text(R::priority), "Primary");
        EXPECT_EQ(destroy.text(R::screenText), "Destroy All Enemy Mech's");
    }
}

TEST(ObjectiveDefaults, PadsAShortProjectNameToFourCharacters) {
    auto doc = support::newMission("AB");
    EXPECT_EQ(doc->objectives[0].row(0).text(R::target), "AB  st01");
    EXPECT_EQ(doc->objectives[1].row(0).text(R::target), "AB  st11");
}

TEST(ObjectiveDefaults, EmptyTableGetsTheBeginRowWithoutTouchingOtherStars) {
    ObjectiveBlock block{};
    block[3].row(0).setText(R::action, "Defend");
    block[3].setMissionTimeLimit("600");
    fillEmptyTables(block, "AB");
    EXPECT_EQ(block[0].row(0).text(R::target), "AB  st01");
    EXPECT_EQ(block[5].row(0).text(R::target), "AB  st51");
    EXPECT_EQ(block[5].missionTimeLimit(), "-1");
    EXPECT_EQ(block[3].row(0).text(R::action), "Defend");
    EXPECT_EQ(block[3].missionTimeLimit(), "600");
}

TEST(ObjectiveDefaults, ProjectRenameCarriesOverToTargets) {
    ObjectiveBlock block{};
    block[0].row(0).setText(R::target, "OLD1st01");
    block[0].row(1).setText(R::target, "OLD1are3");
    block[0].row(2).setText(R::target, "en02star_5");
    block[0].row(3).setText(R::target, "NULL");
    block[0].row(4).setText(R::target, "NEW2nav1");
    adjustTargetsToProject(block, "NEW2");
    EXPECT_EQ(block[0].row(0).text(R::target), "NEW2st01");
    EXPECT_EQ(block[0].row(1).text(R::target), "NEW2are3");
    EXPECT_EQ(block[0].row(2).text(R::target), "en02star_5");
    EXPECT_EQ(block[0].row(3).text(R::target), "NULL");
    EXPECT_EQ(block[0].row(4).text(R::target), "NEW2nav1");
    EXPECT_EQ(block[0].row(5).text(R::target), "");
    // A table whose row 0 target is empty gets P + "st0" + star.
    EXPECT_EQ(block[6].row(0).text(R::target), "NEW2st06");
}

TEST(ObjectiveTargets, AShortProjectNameIsBlankFilledInEveryTargetSoOpeningChangesNothing) {
    EXPECT_EQ(targetPrefix("abc"), "abc ");
    EXPECT_EQ(targetPrefix("ABCDE"), "ABCD");
    EXPECT_EQ(composeTarget({TargetKind::NavPoint, 2, {}}, "abc"), "abc nav2");
    EXPECT_EQ(parseTarget("abc nav2"), (ObjectiveTarget{TargetKind::NavPoint, 2, {}}));

    // What the editor writes for "abc" (defaults and composed targets) is left as it is.
    ObjectiveBlock block{};
    fillEmptyTables(block, "abc");
    block[0].row(1).setText(R::target, composeTarget({TargetKind::Area, 1, {}}, "abc"));
    block[0].row(2).setText(R::target, composeTarget({TargetKind::StartPoint, 3, {}}, "abc"));
    // Written without the blank by an earlier version: the blank is put back, never a letter lost.
    block[0].row(3).setText(R::target, "abcnav0");
    const ObjectiveBlock written = block;
    adjustTargetsToProject(block, "abc");
    EXPECT_EQ(block[0].row(0).text(R::target), "abc st01");
    EXPECT_EQ(block[0].row(1).text(R::target), "abc are1");
    EXPECT_EQ(block[0].row(2).text(R::target), "abc st31");
    EXPECT_EQ(block[0].row(3).text(R::target), "abc nav0");
    block[0].row(3) = written[0].row(3);
    EXPECT_TRUE(block == written);
    // A rename from a short name replaces the blank-filled prefix.
    adjustTargetsToProject(block, "WXYZ");
    EXPECT_EQ(block[0].row(1).text(R::target), "WXYZare1");
}

TEST(ObjectiveTargets, RecognisesEveryKind) {
    EXPECT_EQ(parseTarget("ABCDare3"), (ObjectiveTarget{TargetKind::Area, 3, {}}));
    EXPECT_EQ(parseTarget("ABCDnav8"), (ObjectiveTarget{TargetKind::NavPoint, 8, {}}));
    EXPECT_EQ(parseTarget("ABCDst51"), (ObjectiveTarget{TargetKind::StartPoint, 5, {}}));
    EXPECT_EQ(parseTarget("en02star_5"), (ObjectiveTarget{TargetKind::Star, 2, "5"}));
    EXPECT_EQ(parseTarget("en02star"), (ObjectiveTarget{TargetKind::Star, 2, {}}));
    EXPECT_EQ(parseTarget("NULL").kind, TargetKind::None);
    EXPECT_EQ(parseTarget("ABare3").kind, TargetKind::None); // short project name
    EXPECT_EQ(parseTarget("").kind, TargetKind::None);
    EXPECT_EQ(parseTarget("ABC").kind, TargetKind::None);
}

TEST(ObjectiveTargets, ComposeAndParseAgree) {
    for (auto kind :
         {TargetKind::NavPoint, TargetKind::Area, TargetKind::StartPoint, TargetKind::Star}) {
        for (int n = 0; n <= 8; ++n) {
            const ObjectiveTarget t{kind, n, {}};
            EXPECT_EQ(parseTarget(composeTarget(t, "WXYZ")), t);
        }
    }
    EXPECT_EQ(composeTarget({TargetKind::Star, 4, "12"}, "WXYZ"), "en04star_12");
    EXPECT_EQ(composeTarget({TargetKind::None, 0, {}}, "WXYZ"), "NULL");
}

TEST(ObjectiveRows, CountStopsAtAHoleAndClearKeepsTheCombinationFlag) {
    ObjectiveTable table;
    table.row(0).setText(R::action, "Begin");
    table.row(2).setText(R::action, "Goto");
    EXPECT_EQ(table.usedRowCount(), 1);
    for (int r = 0; r < 40; ++r)
        table.row(r).setText(R::action, "Wait");
    EXPECT_EQ(table.usedRowCount(), 40);

    R& row = table.row(5);
    row.setConditionsInUse(3);
    row.setByte(R::combination, 1);
    row.setText(R::condition(7), "Fail 2");
    row.setText(R::screenText, "Hello");
    row.clear();
    EXPECT_FALSE(row.isUsed());
    EXPECT_EQ(row.conditionsInUse(), 0);
    EXPECT_EQ(row.byte(R::combination), 1);
    EXPECT_EQ(row.text(R::condition(7)), "");
    EXPECT_EQ(row.text(R::screenText), "");
    EXPECT_EQ(row.bytes()[R::screenText.offset + 1], 'e'); // only the first character goes
}

TEST(ObjectiveRows, KeepATextOfThirtyFourCharactersAndCutLongerOnes) {
    R row;
    const std::string text34(34, 'x');
    row.setText(R::screenText, text34);
    EXPECT_EQ(row.text(R::screenText), text34);
    row.setText(R::screenText, text34 + "yz");
    EXPECT_EQ(row.text(R::screenText), text34);
}

TEST(ObjectiveRecognition, RewritesWhatItDoesNotRecognise) {
    R row;
    row.setText(R::action, "Destruct");
    row.setText(R::target, "garbage!");
    row.setText(R::requirement, "Must");
    row.setText(R::priority, "High");
    row.setText(R::visibility, "Shown");
    row.setText(R::aiAttack, "7");
    row.setText(R::audio, "gene27");
    recogniseRow(row, 4);
    EXPECT_EQ(row.text(R::action), "Destruct"); // "Destr" is recognised
    EXPECT_EQ(row.text(R::target), "NULL");
    EXPECT_EQ(row.text(R::condition(0)), "Comp 4");
    EXPECT_EQ(row.conditionsInUse(), 1);
    EXPECT_EQ(row.text(R::timeLimit), "-1");
    EXPECT_EQ(row.text(R::requirement), "Optional");
    EXPECT_EQ(row.text(R::priority), "None");
    EXPECT_EQ(row.text(R::visibility), "Visible");
    EXPECT_EQ(row.text(R::aiAttack), "0");
    EXPECT_EQ(row.text(R::aiMechsPerTarget), "0");
    EXPECT_EQ(row.text(R::audio), "None");

    row.setText(R::action, "Gotoxy");
    recogniseRow(row, 0);
    EXPECT_EQ(row.text(R::action), "Gotoxy");
    row.setText(R::action, "Gotcha");
    recogniseRow(row, 0);
    EXPECT_EQ(row.text(R::action), "Wait");
}

TEST(ObjectiveRecognition, KeepsRecognisedValuesAndStoredConditions) {
    R row;
    row.setText(R::action, "Goto");
    row.setText(R::target, "ABCDnav2");
    row.setText(R::requirement, "Mandatory");
    row.setText(R::priority, "Secondary");
    row.setText(R::visibility, "Hidden");
    row.setText(R::aiAttack, "2");
    row.setText(R::audio, "genegox");
    row.setText(R::timeLimit, "300");
    row.setText(R::aiMechsPerTarget, "2");
    row.setConditionsInUse(1);
    row.setText(R::condition(0), "Succ en03star 2");
    const R before = row;
    recogniseRow(row, 9);
    EXPECT_EQ(row, before);

    R table;
    table.setConditionsInUse(3);
    table.setText(R::condition(0), "Comp 1");
    table.setText(R::condition(2), "Fail Initial");
    recogniseRow(table, 6);
    EXPECT_EQ(table.conditionsInUse(), 3);
    EXPECT_EQ(shownConditions(table), (std::vector<std::string>{"Comp 1", "Fail Initial"}));

    R zero;
    zero.setConditionsInUse(0);
    recogniseRow(zero, 2);
    EXPECT_EQ(shownConditions(zero), std::vector<std::string>{"Comp 2"});
}

TEST(ObjectiveVocabulary, HasEighteenActionsAndFiftyOneSounds) {
    EXPECT_EQ(kObjectiveActions.size(), 18u);
    EXPECT_EQ(kObjectiveActions.front(), "Begin");
    EXPECT_EQ(kObjectiveActions.back(), "Wait");
    const auto& sounds = objectiveSounds();
    ASSERT_EQ(sounds.size(), 51u);
    EXPECT_EQ(sounds[0], "None");
    EXPECT_EQ(sounds[1], "gene01");
    EXPECT_EQ(sounds[26], "gene26");
    EXPECT_EQ(sounds[27], "genegoa");
    EXPECT_EQ(sounds[50], "genegox");
}
