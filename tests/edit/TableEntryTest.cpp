#include "edit/TableEntry.h"

#include "mission/ObjectiveVocabulary.h"

#include <gtest/gtest.h>

using namespace zev;
using edit::TableEntryModel;
using mission::ObjectiveRow;
using R = mission::ObjectiveRow;
using Type = TableEntryModel::TargetType;

namespace {

ObjectiveRow rowWithTarget(const std::string& target) {
    ObjectiveRow row;
    row.setText(R::action, "Destroy");
    row.setText(R::target, target);
    return row;
}

} // namespace

TEST(TableEntry, ShowingARowRecognisesItsFieldsAndTarget) {
    ObjectiveRow row;
    row.setText(R::action, "Gotohell");
    row.setText(R::target, "en02star_5");
    row.setText(R::requirement, "Mandatory");
    row.setText(R::priority, "Tertiary");
    row.setText(R::visibility, "Hidden");
    row.setText(R::aiAttack, "2");
    row.setText(R::audio, "gene05");
    TableEntryModel entry(row, 3, 1, "ABCD");
    EXPECT_EQ(entry.action(), 4);
    EXPECT_EQ(row.text(R::action), "Gotohell");
    EXPECT_FALSE(entry.actionEnabled(0));
    EXPECT_TRUE(entry.actionEnabled(1));
    EXPECT_EQ(entry.targetType(), Type::Star);
    EXPECT_EQ(entry.targetName(), "en02star");
    EXPECT_EQ(entry.targetObjNum(), "5");
    EXPECT_TRUE(entry.targetObjNumEnabled());
    EXPECT_EQ(entry.upDown5(), 3);
    EXPECT_EQ(row.text(R::target), "en02star_5");
    EXPECT_EQ(entry.activationList(), std::vector<std::string>{"Comp 3"});
    EXPECT_EQ(entry.timeLimit(), "-1");
    EXPECT_EQ(entry.requirement(), 0);
    EXPECT_EQ(entry.priority(), 2);
    EXPECT_EQ(entry.visibility(), 1);
    EXPECT_EQ(entry.aiAttack(), 2);
    EXPECT_EQ(entry.aiMechsPerTarget(), "0");
    EXPECT_EQ(entry.targetStar(), 1);
    EXPECT_EQ(entry.objectiveNumber(), "1");
    EXPECT_EQ(entry.sound(), 5);
    EXPECT_EQ(entry.bettySays(), "Enemy Destroyed");

    // A star without an objective number gets "_0"; an unknown target becomes "NULL".
    ObjectiveRow star = rowWithTarget("en04star");
    TableEntryModel(star, 0, 0, "ABCD");
    EXPECT_EQ(star.text(R::target), "en04star_0");
    ObjectiveRow unknown = rowWithTarget("somewhere");
    TableEntryModel none(unknown, 12, 0, "ABCD");
    EXPECT_EQ(none.targetType(), Type::None);
    EXPECT_EQ(none.targetName(), "NULL");
    EXPECT_FALSE(none.upDown5Enabled());
    EXPECT_EQ(none.upDown5(), 8);
    EXPECT_EQ(unknown.text(R::target), "NULL");
    ObjectiveRow area = rowWithTarget("ABCDare3");
    TableEntryModel areaEntry(area, 0, 0, "ABCD");
    EXPECT_EQ(areaEntry.targetType(), Type::Area);
    EXPECT_FALSE(areaEntry.targetObjNumEnabled());
    EXPECT_TRUE(areaEntry.actionEnabled(0));
}

TEST(TableEntry, TargetTypesAndTheNumberSpinnerComposeTargets) {
    ObjectiveRow row = rowWithTarget("NULL");
    TableEntryModel entry(row, 4, 2, "ABCD");
    entry.chooseTargetType(Type::Star);
    EXPECT_EQ(row.text(R::target), "en02star_4");
    EXPECT_EQ(entry.targetObjNum(), "4");
    EXPECT_TRUE(entry.targetObjNumEnabled());
    EXPECT_EQ(entry.upDown5(), 2);
    entry.setUpDown5(6);
    EXPECT_EQ(row.text(R::target), "en06star_4");
    entry.setTargetObjNum("11");
    EXPECT_EQ(row.text(R::target), "en06star_11");
    entry.setTargetName("en01starship");
    EXPECT_EQ(row.text(R::target), "en01star_11");

    entry.chooseTargetType(Type::NavPoint);
    EXPECT_EQ(row.text(R::target), "ABCDnav2");
    EXPECT_EQ(entry.targetObjNum(), "0");
    EXPECT_FALSE(entry.targetObjNumEnabled());
    entry.setUpDown5(7);
    EXPECT_EQ(row.text(R::target), "ABCDnav7");
    entry.chooseTargetType(Type::Area);
    EXPECT_EQ(row.text(R::target), "ABCDare1");
    EXPECT_EQ(entry.upDown5(), 1);
    entry.setUpDown5(9);
    EXPECT_EQ(row.text(R::target), "ABCDare8");
    entry.chooseTargetType(Type::StartPoint);
    EXPECT_EQ(row.text(R::target), "ABCDst21");
    entry.setUpDown5(5);
    EXPECT_EQ(row.text(R::target), "ABCDst51");
    entry.setTargetName("ABCDnav0");
    EXPECT_EQ(row.text(R::target), "ABCDnav0");
    entry.chooseTargetType(Type::None);
    EXPECT_EQ(row.text(R::target), "NULL");
    EXPECT_EQ(entry.upDown5(), 4);
    EXPECT_FALSE(entry.upDown5Enabled());
    entry.setUpDown5(3);
    EXPECT_EQ(row.text(R::target), "NULL");
}

TEST(TableEntry, TheActivationListHoldsAtMostEightDistinctConditions) {
    ObjectiveRow row = rowWithTarget("NULL");
    TableEntryModel entry(row, 2, 0, "ABCD");
    EXPECT_EQ(entry.activationList(), std::vector<std::string>{"Comp 2"});
    EXPECT_TRUE(entry.addActivation());
    EXPECT_EQ(entry.activationList(), (std::vector<std::string>{"Comp 2", "Comp 1"}));
    EXPECT_FALSE(entry.addActivation());
    entry.setObjectiveNumber("-1");
    EXPECT_EQ(entry.objectiveNumber(), "Initial");
    entry.chooseActivationType(1);
    EXPECT_TRUE(entry.addActivation());
    EXPECT_EQ(row.text(R::condition(2)), "Succ Initial");
    entry.chooseTargetStar(3);
    entry.chooseActivationType(2);
    entry.setObjectiveNumber("5");
    EXPECT_TRUE(entry.addActivation());
    EXPECT_EQ(row.text(R::condition(3)), "Fail en03star 5");
    EXPECT_EQ(row.conditionsInUse(), 4);
    for (const char* n : {"6", "7", "8", "9"}) {
        entry.setObjectiveNumber(n);
        EXPECT_TRUE(entry.addActivation());
    }
    entry.setObjectiveNumber("10");
    EXPECT_FALSE(entry.addActivation());
    EXPECT_EQ(row.conditionsInUse(), 8);

    entry.chooseCombination(true);
    EXPECT_EQ(row.byte(R::combination), 1);
    ASSERT_TRUE(entry.deleteActivation(1));
    EXPECT_EQ(row.conditionsInUse(), 7);
    EXPECT_EQ(row.text(R::condition(1)), "Succ Initial");
    EXPECT_EQ(row.text(R::condition(7)), "");
    EXPECT_EQ(entry.activationList().size(), 7u);
    EXPECT_FALSE(entry.deleteActivation(7));
    entry.clearActivations();
    EXPECT_TRUE(entry.activationList().empty());
    EXPECT_EQ(row.conditionsInUse(), 0);
    EXPECT_EQ(row.text(R::condition(0)), "");
}

TEST(TableEntry, ConditionsWithGapsOrTooHighACountStayInTheirSlots) {
    ObjectiveRow row = rowWithTarget("NULL");
    row.setConditionsInUse(100);
    row.setText(R::condition(0), "Comp 0");
    row.setText(R::condition(2), "Comp 1");
    TableEntryModel entry(row, 3, 0, "ABCD");
    EXPECT_EQ(row.conditionsInUse(), 8);
    EXPECT_EQ(entry.activationList(), (std::vector<std::string>{"Comp 0", "Comp 1"}));
    EXPECT_FALSE(entry.addActivation());
    // The chosen entry goes, not the empty slot before it.
    ASSERT_TRUE(entry.deleteActivation(1));
    EXPECT_EQ(row.text(R::condition(2)), "");
    EXPECT_EQ(entry.activationList(), std::vector<std::string>{"Comp 0"});
}

TEST(TableEntry, GeneralPageAndSoundsWriteTheirFields) {
    ObjectiveRow row = rowWithTarget("NULL");
    TableEntryModel entry(row, 1, 0, "ABCD");
    entry.chooseAction(0);
    EXPECT_EQ(row.text(R::action), "Destroy");
    entry.chooseAction(11);
    EXPECT_EQ(row.text(R::action), "MsnFail");
    entry.setTimeLimit("1234567890123456");
    EXPECT_EQ(row.text(R::timeLimit), "12345678901234");
    entry.timeLimitNone();
    EXPECT_EQ(row.text(R::timeLimit), "0");
    entry.setAiMechsPerTarget("12345678901");
    EXPECT_EQ(row.text(R::aiMechsPerTarget), "123456789");
    entry.aiMechsPerTargetNone();
    EXPECT_EQ(row.text(R::aiMechsPerTarget), "0");
    entry.chooseRequirement(0);
    entry.choosePriority(1);
    entry.chooseVisibility(1);
    entry.chooseAiAttack(1);
    EXPECT_EQ(row.text(R::requirement), "Mandatory");
    EXPECT_EQ(row.text(R::priority), "Secondary");
    EXPECT_EQ(row.text(R::visibility), "Hidden");
    EXPECT_EQ(row.text(R::aiAttack), "1");
    entry.setText(std::string(34, 'a'));
    EXPECT_EQ(row.text(R::screenText), std::string(34, 'a'));
    entry.setText(std::string(35, 'b'));
    EXPECT_EQ(row.text(R::screenText), std::string(34, 'b'));

    ASSERT_EQ(mission::objectiveSounds().size(), 51u);
    EXPECT_EQ(entry.sound(), 0);
    EXPECT_EQ(entry.bettySays(), "");
    entry.chooseSound(12);
    EXPECT_EQ(row.text(R::audio), "gene12");
    EXPECT_EQ(entry.bettySays(), "Secondary Objective - Destroy all enemy mechs - Successful");
    entry.chooseSound(27);
    EXPECT_EQ(entry.bettySays(), "Nav Alpha Reached");
    entry.chooseSound(49);
    EXPECT_EQ(row.text(R::audio), "genegow");
    EXPECT_EQ(entry.bettySays(), "Nav Omega Reached");
    // "genegox" says nothing, rather than what the sound before it said.
    entry.chooseSound(50);
    EXPECT_EQ(entry.bettySays(), "");
    EXPECT_EQ(edit::bettySays("genegov"), "Nav Psi Reached");
    EXPECT_EQ(edit::bettySays("genegou"), "Nav Phi Reached");
    EXPECT_EQ(edit::bettySays("gene20"), "Proceed to 'Mech hangar for shutdown");
}

TEST(TableEntry, TheTimeLimitSpinnerCountsFromZeroYetShowsAStoredValueBelowIt) {
    ObjectiveRow timed = rowWithTarget("NULL");
    timed.setText(R::timeLimit, "90");
    EXPECT_EQ(TableEntryModel(timed, 1, 0, "ABCD").timeLimitMinimum(), 0);
    ObjectiveRow begin = rowWithTarget("NULL");
    begin.setText(R::timeLimit, "-1"); // the default "Begin" row's
    TableEntryModel entry(begin, 0, 0, "ABCD");
    EXPECT_EQ(entry.timeLimitMinimum(), -1);
    EXPECT_EQ(begin.text(R::timeLimit), "-1");
}
