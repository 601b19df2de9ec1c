#include "edit/MissionTables.h"
#include "edit/TableEntry.h"

#include "common/FileIo.h"

#include "TempDir.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zev;
using edit::MissionTablesModel;
using mission::ObjectiveRow;
using R = mission::ObjectiveRow;
using Type = edit::TableEntryModel::TargetType;

namespace {

// A table of `rows` used rows: row 0 "Begin", then "Destroy" rows targeting "ABCDnav<r>".
mission::ObjectiveBlock tablesWithRows(int rows) {
    auto document = mission::support::newMission("ABCD", false);
    mission::ObjectiveBlock block = document->objectives;
    for (int r = 1; r < rows; ++r) {
        ObjectiveRow& row = block[0].row(r);
        row.setText(R::action, "Destroy");
        row.setText(R::target, "ABCDnav" + std::to_string(r % 9));
        row.setText(R::condition(0), "Comp " + std::to_string(r - 1));
        row.setConditionsInUse(1);
    }
    return block;
}

} // namespace

TEST(MissionTables, OpeningAdjustsTargetsFillsEmptyTablesAndShowsTheGrid) {
    mission::ObjectiveBlock block{};
    block[0] = tablesWithRows(3)[0];
    block[0].row(2).setText(R::target, "WXYZare3");
    block[0].row(2).setConditionsInUse(2);
    block[0].row(2).setText(R::condition(1), "Fail 1");
    block[0].row(2).setText(R::timeLimit, "90");
    MissionTablesModel model(block, "ABCD");

    EXPECT_EQ(model.currentStar(), 0);
    EXPECT_EQ(model.selectedRow(), 0);
    EXPECT_EQ(model.working()[0].row(2).text(R::target), "ABCDare3");
    // An empty table's row 0 gets a target at once and its default row when its tab shows.
    EXPECT_EQ(model.working()[5].row(0).text(R::target), "ABCDst05");
    EXPECT_FALSE(model.working()[5].row(0).isUsed());
    model.selectStar(5);
    EXPECT_EQ(model.working()[5].row(0).text(R::target), "ABCDst51");
    EXPECT_EQ(model.working()[5].missionTimeLimit(), "-1");
    EXPECT_EQ(model.working()[0].row(1).text(R::action), "Destroy");
    model.selectStar(0);

    for (int c = 0; c < MissionTablesModel::kGridColumns; ++c)
        EXPECT_EQ(model.gridText(0, c), MissionTablesModel::kGridTitles[std::size_t(c)]);
    EXPECT_EQ(model.gridText(0, 6), "mpt");
    EXPECT_EQ(model.gridText(2, 0), "1");
    EXPECT_EQ(model.gridText(2, 1), "Destroy");
    EXPECT_EQ(model.gridText(2, 4), "Comp 0");
    EXPECT_EQ(model.gridText(3, 3), "ABCDare3");
    EXPECT_EQ(model.gridText(3, 4), "Table");
    EXPECT_EQ(model.gridText(3, 5), "90");
    EXPECT_EQ(model.gridText(40, 0), "39");
    EXPECT_EQ(model.gridText(40, 1), "");
    EXPECT_EQ(model.gridText(41, 0), "");
}

TEST(MissionTables, ButtonStatesAndTheSelectionRule) {
    MissionTablesModel model(tablesWithRows(3), "ABCD");
    using B = MissionTablesModel::ButtonStates;
    // Row 0 cannot be deleted or moved up.
    EXPECT_EQ(model.buttons(), (B{true, true, true, false, false, true}));
    EXPECT_EQ(model.clickRow(1), 1);
    EXPECT_EQ(model.buttons(), (B{true, true, true, true, true, true}));
    // A click below the last used row selects the last used row.
    EXPECT_EQ(model.clickRow(30), 2);
    EXPECT_FALSE(model.buttons().down);

    MissionTablesModel full(tablesWithRows(40), "ABCD");
    full.clickRow(10);
    EXPECT_FALSE(full.buttons().add);
    EXPECT_FALSE(full.buttons().copy);
    EXPECT_FALSE(full.add([](ObjectiveRow&, int) { return true; }));
    const auto before = full.working();
    full.copy();
    EXPECT_EQ(full.working(), before);

    model.selectStar(3);
    EXPECT_EQ(model.currentStar(), 3);
    EXPECT_EQ(model.selectedRow(), 0);
    EXPECT_EQ(model.gridText(1, 3), "ABCDst31");
}

TEST(MissionTables, DeleteLeavesAHoleThatTheNextAddFills) {
    MissionTablesModel model(tablesWithRows(8), "ABCD");
    model.clickRow(5);
    model.remove();
    EXPECT_EQ(model.selectedRow(), 4);
    EXPECT_EQ(model.gridText(6, 0), "5");
    EXPECT_EQ(model.gridText(6, 1), "");
    EXPECT_EQ(model.gridText(7, 1), "Destroy");
    EXPECT_EQ(model.lastUsedRow(), 4);
    EXPECT_FALSE(model.buttons().down);
    EXPECT_EQ(model.clickRow(7), 4);

    int opened = -1;
    EXPECT_TRUE(model.add([&](ObjectiveRow& row, int r) {
        opened = r;
        edit::TableEntryModel entry(row, r, 0, "ABCD");
        entry.chooseAction(3);
        return true;
    }));
    EXPECT_EQ(opened, 5);
    EXPECT_EQ(model.selectedRow(), 5);
    EXPECT_EQ(model.gridText(6, 1), "Recon");
    EXPECT_EQ(model.usedRows(), 8);
}

TEST(MissionTables, CancelledAddAndEditLeaveNoTrace) {
    MissionTablesModel model(tablesWithRows(4), "ABCD");
    const auto before = model.working();
    EXPECT_FALSE(model.add([](ObjectiveRow& row, int r) {
        edit::TableEntryModel entry(row, r, 0, "ABCD");
        entry.chooseCombination(true);
        entry.setText("never");
        return false;
    }));
    EXPECT_EQ(model.working(), before);
    EXPECT_EQ(model.selectedRow(), 3);

    // Also what the activation list changed comes back, every field of the table.
    model.clickRow(2);
    EXPECT_FALSE(model.edit([](ObjectiveRow& row, int r) {
        edit::TableEntryModel entry(row, r, 0, "ABCD");
        entry.clearActivations();
        entry.addActivation();
        entry.chooseAction(17);
        return false;
    }));
    EXPECT_EQ(model.working(), before);
    EXPECT_EQ(model.selectedRow(), 2);

    EXPECT_TRUE(model.edit([](ObjectiveRow& row, int r) {
        edit::TableEntryModel(row, r, 0, "ABCD").chooseAction(17);
        return true;
    }));
    EXPECT_EQ(model.gridText(3, 1), "Wait");
}

TEST(MissionTables, MovesCopiesAndClearsWholeRows) {
    MissionTablesModel model(tablesWithRows(4), "ABCD");
    auto block = model.working();
    ObjectiveRow three = block[0].row(1);
    three.setConditionsInUse(3);
    three.setText(R::condition(1), "Succ 2");
    three.setText(R::condition(2), "Fail en03star 1");
    three.setByte(R::combination, 1);
    block[0].row(1) = three;
    MissionTablesModel moved(block, "ABCD");
    moved.clickRow(1);
    moved.moveDown();
    EXPECT_EQ(moved.selectedRow(), 2);
    EXPECT_EQ(moved.working()[0].row(2), three);
    EXPECT_EQ(moved.working()[0].row(1).text(R::condition(0)), "Comp 1");
    moved.moveUp();
    moved.moveUp();
    EXPECT_EQ(moved.selectedRow(), 0);
    EXPECT_EQ(moved.working()[0].row(0), three);
    moved.moveUp();
    EXPECT_EQ(moved.working()[0].row(0), three);

    model.clickRow(2);
    model.copy();
    EXPECT_EQ(model.selectedRow(), 4);
    EXPECT_EQ(model.working()[0].row(4), model.working()[0].row(2));

    model.setMissionTimeLimit("123456789012345678");
    EXPECT_EQ(model.missionTimeLimit(), "12345678901234");
    EXPECT_EQ(model.missionTimeLimitSpinValue(), 32767);
    model.clearTable();
    EXPECT_EQ(model.usedRows(), 1);
    EXPECT_EQ(model.missionTimeLimit(), "-1");
    EXPECT_EQ(model.missionTimeLimitSpinValue(), -1);
    EXPECT_EQ(model.gridText(1, 3), "ABCDst01");
    EXPECT_EQ(model.working()[1], block[1]);
}

TEST(MissionTables, LoadAndSaveTableFiles) {
    TempDir dir;
    MissionTablesModel model(tablesWithRows(5), "ABCD");
    model.selectStar(2);
    EXPECT_EQ(model.defaultTableFileName(), "msn2.tbl");
    common::RecordingReporter reporter;

    model.selectStar(0);
    model.clickRow(3);
    ASSERT_TRUE(model.saveTable(dir / "msn0.tbl", reporter));
    EXPECT_EQ(model.selectedRow(), 0);
    const auto image = common::readWholeFile(dir / "msn0.tbl");
    ASSERT_TRUE(image);
    EXPECT_EQ(*image, model.currentTable().toBytes());
    EXPECT_EQ(image->size(), 22495u);

    model.selectStar(1);
    const auto star1 = model.currentTable();
    // One byte short, missing: nothing changes and the user hears why.
    std::vector<std::uint8_t> shortImage(image->begin(), image->end() - 1);
    ASSERT_TRUE(common::writeWholeFile(dir / "short.tbl", shortImage));
    EXPECT_FALSE(model.loadTable(dir / "short.tbl", reporter));
    EXPECT_FALSE(model.loadTable(dir / "missing.tbl", reporter));
    EXPECT_EQ(model.currentTable(), star1);
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[0], (common::ReportedMessage{edit::kTableTooShort, "ZEVEDIT 3D",
                                                             common::MessageIcon::Stop}));
    EXPECT_EQ(reporter.messages[1].text, edit::kTableOpenError);

    // The image at the start of a longer file is a table.
    std::vector<std::uint8_t> longer = *image;
    longer.resize(longer.size() + 10, 'x');
    ASSERT_TRUE(common::writeWholeFile(dir / "long.tbl", longer));
    EXPECT_TRUE(model.loadTable(dir / "long.tbl", reporter));
    EXPECT_EQ(model.currentTable().toBytes(), *image);
    EXPECT_EQ(model.usedRows(), 5);

    EXPECT_FALSE(model.saveTable(dir / "no" / "such.tbl", reporter));
    ASSERT_EQ(reporter.messages.size(), 3u);
    EXPECT_EQ(reporter.messages[2].text, edit::kTableWriteError);
    EXPECT_EQ(reporter.details.size(), 3u);
}

TEST(MissionTables, WithAShortProjectNameOpeningAgainChangesNoByteOfWhatTheEditorWrote) {
    auto document = mission::support::newMission("abc", false);
    MissionTablesModel model(document->objectives, "abc");
    EXPECT_TRUE(model.working() == document->objectives); // opening alone changes nothing
    const auto pickTarget = [&](Type type) {
        return [&model, type](ObjectiveRow& row, int r) {
            edit::TableEntryModel entry(row, r, model.currentStar(), model.project());
            entry.chooseTargetType(type);
            return true;
        };
    };
    EXPECT_TRUE(model.add(pickTarget(Type::NavPoint)));
    EXPECT_TRUE(model.add(pickTarget(Type::Area)));
    EXPECT_TRUE(model.add(pickTarget(Type::StartPoint)));
    model.selectStar(4); // the default row of an empty table
    const mission::ObjectiveBlock written = model.working();
    EXPECT_EQ(written[0].row(1).text(R::target), "abc nav0");
    EXPECT_EQ(written[0].row(2).text(R::target), "abc are1");
    EXPECT_EQ(written[0].row(3).text(R::target), "abc st01");

    MissionTablesModel again(written, "abc");
    EXPECT_TRUE(again.working() == written);
    // The row dialog knows its own targets again, so opening a row keeps it too.
    mission::ObjectiveRow row = written[0].row(1);
    edit::TableEntryModel entry(row, 1, 0, "abc");
    EXPECT_EQ(entry.targetType(), Type::NavPoint);
    EXPECT_TRUE(row == written[0].row(1));
}
