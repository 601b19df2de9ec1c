#include "edit/NavPointTable.h"
#include "edit/NavPointSetting.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace zev;
using edit::NavPointTable;
using edit::NavStars;
using mission::NavPointRecord;
using R = NavPointRecord;

namespace {

NavPointRecord navPoint(const std::string& name) {
    NavPointRecord r;
    r.setByte(R::inUse, 1);
    r.setText(R::x, name + "x");
    r.setText(R::enabled, "1");
    r.setText(R::actions, "Goto");
    r.setText(R::navText, name);
    return r;
}

// Star 2 has every slot in use, named "n0" to "n24"; the other stars are empty. Held on the heap:
// each copy of the stars is over 100 KB.
std::unique_ptr<NavStars> fullStarTwo() {
    auto stars = std::make_unique<NavStars>();
    for (int n = 0; n < mission::kNavPointsPerStar; ++n)
        (*stars)[2][std::size_t(n)] = navPoint("n" + std::to_string(n));
    return stars;
}

std::string textOf(const NavPointTable& table, int slot) {
    return table.record(slot)->text(R::navText);
}

} // namespace

TEST(NavPointTable, InsertsDeletesAndErasesSlotsOfTheCurrentStarOnly) {
    const auto stars = fullStarTwo();
    auto table = std::make_unique<NavPointTable>(*stars);
    table->selectStar(2);

    // On the last slot both only clear it.
    table->insert(24);
    EXPECT_EQ(*table->record(24), NavPointRecord{});
    EXPECT_EQ(textOf(*table, 23), "n23");
    table->undo();
    table->remove(24);
    EXPECT_EQ(*table->record(24), NavPointRecord{});
    EXPECT_EQ(textOf(*table, 23), "n23");
    table->undo();

    // Inserting into a full star drops its last slot and leaves the new one empty, not in use.
    table->insert(3);
    EXPECT_EQ(*table->record(3), NavPointRecord{});
    EXPECT_FALSE(table->record(3)->isInUse());
    EXPECT_EQ(textOf(*table, 2), "n2");
    EXPECT_EQ(textOf(*table, 4), "n3");
    EXPECT_EQ(textOf(*table, 24), "n23");

    // Delete moves the slots below up and empties the last.
    table->remove(0);
    EXPECT_EQ(textOf(*table, 0), "n1");
    EXPECT_EQ(*table->record(2), NavPointRecord{});
    EXPECT_EQ(textOf(*table, 23), "n23");
    EXPECT_EQ(*table->record(24), NavPointRecord{});

    table->erase(5);
    EXPECT_EQ(*table->record(5), NavPointRecord{});
    EXPECT_EQ(textOf(*table, 6), "n6");

    // No line selected, or the title line: nothing happens.
    const NavStars before = table->stars();
    for (int slot : {-1, 25, 1000}) {
        table->insert(slot);
        table->remove(slot);
        table->erase(slot);
        table->replace(slot, navPoint("x"));
        EXPECT_FALSE(table->record(slot).has_value());
    }
    table->selectStar(8);
    EXPECT_EQ(table->currentStar(), 2);
    EXPECT_TRUE(table->stars() == before);
    EXPECT_TRUE(table->stars()[0] == (*stars)[0]);

    table->undo();
    EXPECT_TRUE(table->stars() == *stars);
}

TEST(NavPointTable, ShowsTitlesAndEverySlotOnTheLineBelowItsNumber) {
    auto stars = std::make_unique<NavStars>();
    NavPointRecord unused = navPoint("kept");
    unused.setByte(R::inUse, 0);
    unused.setText(R::y, "5000");
    unused.setText(R::z, "-7");
    unused.setText(R::heading, "90");
    unused.setText(R::radius, "150");
    (*stars)[4][6] = unused;
    NavPointTable table(*stars);
    table.selectStar(4);

    EXPECT_EQ(table.gridText(0, 0), "ID#");
    EXPECT_EQ(table.gridText(0, 7), "App Action");
    EXPECT_EQ(table.gridText(0, 8), "Text");
    EXPECT_EQ(NavPointTable::slotOfLine(7), 6);
    const char* line[] = {"6", "keptx", "5000", "-7", "90", "1", "150", "Goto", "kept"};
    for (int c = 0; c < NavPointTable::kGridColumns; ++c)
        EXPECT_EQ(table.gridText(7, c), line[c]) << c;
    EXPECT_EQ(table.gridText(25, 0), "24");
    EXPECT_EQ(table.gridText(25, 1), "");
    EXPECT_EQ(table.gridText(26, 0), "");
    EXPECT_EQ(table.gridText(1, 9), "");
}

TEST(NavPointSetting, ReadsActionsInAnyCaseAndWritesThemInTheFixedOrder) {
    NavPointRecord record;
    record.setText(R::actions, "BEGIN;RETURN;goto;leave;wait");
    record.setText(R::enabled, "0");
    record.setText(R::groupId, "3");
    edit::NavPointValues v = edit::fill(record);
    for (int i = 0; i < edit::kNavActionCount; ++i) {
        const std::string word = edit::kNavActionWords[i];
        const bool ticked = word == "Begin" || word == "Return" || word == "Goto" ||
                            word == "Leave" || word == "Wait";
        EXPECT_EQ(v.actions[std::size_t(i)], ticked) << word;
    }
    EXPECT_FALSE(v.inUse);
    EXPECT_FALSE(v.enabled);
    EXPECT_EQ(v.groupId, "3");

    v.inUse = true;
    v.enabled = true;
    NavPointRecord out = edit::compose(v, record);
    EXPECT_EQ(out.text(R::actions), "Begin;Goto;Wait;Return;Leave");
    EXPECT_EQ(out.byte(R::inUse), 1);
    EXPECT_EQ(out.text(R::enabled), "1");
    EXPECT_EQ(out.text(R::groupId), "3");

    // Any "1" in the enable text ticks the box; unticked boxes write "0" and no actions.
    record.setText(R::enabled, "x1");
    record.setByte(R::inUse, 7);
    EXPECT_TRUE(edit::fill(record).enabled);
    EXPECT_TRUE(edit::fill(record).inUse);
    out = edit::compose(edit::erased(), out);
    EXPECT_EQ(out.byte(R::inUse), 0);
    EXPECT_EQ(out.text(R::enabled), "0");
    EXPECT_EQ(out.text(R::actions), "");
    EXPECT_EQ(out.text(R::groupId), "");

    std::array<bool, edit::kNavActionCount> all;
    all.fill(true);
    EXPECT_EQ(edit::actionListText(all), "Begin;Recon;Destroy;Defend;Goto;Wait;Sleep;Shutdown;"
                                         "Return;Objsucceed;Objfail;Objshow;Msnsucceed;Msnfail;"
                                         "Leave");
}

TEST(NavPointSetting, CutsTextsTooLongForTheirFields) {
    edit::NavPointValues v;
    v.x = std::string(40, '1');
    v.radius = std::string(40, '2');
    v.text = std::string(40, 't');
    const NavPointRecord out = edit::compose(v, NavPointRecord{});
    EXPECT_EQ(out.text(R::x), std::string(34, '1'));
    EXPECT_EQ(out.text(R::radius), std::string(34, '2'));
    EXPECT_EQ(out.text(R::navText), std::string(34, 't'));
    EXPECT_EQ(edit::fill(out).x, std::string(34, '1'));
}
