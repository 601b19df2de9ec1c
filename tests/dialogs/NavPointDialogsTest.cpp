#include "DialogTestSupport.h"
#include "dialogs/INavPointForm.h"
#include "dialogs/NavForm.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace zev;
using namespace dialogtest;
using R = mission::NavPointRecord;

namespace {

// Double-clicks the grid line of `slot`.
void doubleClickSlot(QTableWidget* grid, int slot) {
    grid->selectRow(slot);
    emit grid->cellDoubleClicked(slot, 0);
}

} // namespace

TEST(NavForm, EditsASlotInTheSettingDialogAndGivesTheStarsBackAtOk) {
    const auto document = mission::support::newMission();
    answerNext<dialogs::TNavForm>([](dialogs::TNavForm* form) {
        EXPECT_EQ(form->windowTitle(), "Nav points");
        auto* tabs = child<QTabBar>(form, "TabControl1");
        EXPECT_EQ(tabs->count(), 8);
        EXPECT_EQ(tabs->currentIndex(), 3);
        EXPECT_EQ(tabs->tabText(7), "Nav Star 7");
        auto* grid = child<QTableWidget>(form, "StringGrid1");
        EXPECT_EQ(grid->columnCount(), 9);
        EXPECT_EQ(grid->rowCount(), 25);
        EXPECT_EQ(grid->horizontalHeaderItem(4)->text(), "Heading");
        EXPECT_EQ(grid->item(0, 7)->text(), "BEGIN;RETURN;goto;leave;wait");
        EXPECT_EQ(grid->item(24, 0)->text(), "24");

        tabs->setCurrentIndex(5);
        answerNext<dialogs::TINavPointForm>([](dialogs::TINavPointForm* setting) {
            EXPECT_EQ(setting->windowTitle(), "Nav Point Setting");
            EXPECT_TRUE(child<QCheckBox>(setting, "UseNav")->isChecked());
            EXPECT_EQ(child<QLineEdit>(setting, "PosY")->text(), "5000");
            EXPECT_EQ(child<QLineEdit>(setting, "PosX")->maxLength(), 15);
            EXPECT_TRUE(child<QLineEdit>(setting, "GroupId")->isReadOnly());
            EXPECT_TRUE(child<QCheckBox>(setting, "Leave")->isChecked());
            EXPECT_FALSE(child<QCheckBox>(setting, "Recon")->isChecked());
            child<QLineEdit>(setting, "PosX")->setText("1234");
            click(setting, "EraseBtn");
            EXPECT_EQ(child<QLineEdit>(setting, "NavText")->text(), "");
            EXPECT_FALSE(child<QCheckBox>(setting, "Begin")->isChecked());
            click(setting, "UndoBtn");
            EXPECT_EQ(child<QLineEdit>(setting, "NavText")->text(), "Nav Alpha");
            child<QLineEdit>(setting, "PosX")->setText("1234");
            child<QCheckBox>(setting, "Recon")->setChecked(true);
            click(setting, "BitBtn2");
        });
        doubleClickSlot(grid, 0);
        EXPECT_EQ(grid->item(0, 1)->text(), "1234");
        EXPECT_EQ(grid->item(0, 7)->text(), "Begin;Recon;Goto;Wait;Return;Leave");

        // Insert on slot 0 of star 6, then Delete puts it back.
        tabs->setCurrentIndex(6);
        grid->selectRow(0);
        click(form, "InsertBtn");
        EXPECT_EQ(grid->item(0, 8)->text(), "");
        EXPECT_EQ(grid->item(1, 8)->text(), "Nav Alpha");
        click(form, "BitBtn4");
        EXPECT_EQ(grid->item(0, 8)->text(), "Nav Alpha");
        click(form, "BitBtn1");
    });
    const auto stars = dialogs::editNavPoints(document->stars, 3, nullptr);
    ASSERT_TRUE(stars.has_value());
    EXPECT_EQ((*stars)[5][0].text(R::x), "1234");
    EXPECT_EQ((*stars)[5][0].text(R::navText), "Nav Alpha");
    EXPECT_TRUE((*stars)[6] == document->stars[6]);
}

TEST(NavForm, CancelAfterASettingOkGivesNothingBack) {
    const auto document = mission::support::newMission();
    answerNext<dialogs::TNavForm>([](dialogs::TNavForm* form) {
        auto* grid = child<QTableWidget>(form, "StringGrid1");
        click(form, "EraseBtn"); // no line selected: nothing to erase
        EXPECT_EQ(grid->item(0, 8)->text(), "Nav Alpha");
        answerNext<dialogs::TINavPointForm>([](dialogs::TINavPointForm* setting) {
            child<QLineEdit>(setting, "PosX")->setText("1");
            click(setting, "BitBtn2");
        });
        doubleClickSlot(grid, 0);
        EXPECT_EQ(form->model().stars()[0][0].text(R::x), "1");
        click(form, "BitBtn2");
    });
    EXPECT_FALSE(dialogs::editNavPoints(document->stars, 0, nullptr).has_value());
}

TEST(TINavPointForm, ShowsAndKeepsStoredTextsLongerThanWhatCanBeTyped) {
    R record = mission::support::newMission()->stars[0][0];
    const std::string text(34, 'n');
    record.setText(R::heading, "-180");
    record.setText(R::navText, text);
    dialogs::TINavPointForm form(record);
    auto* heading = child<QLineEdit>(&form, "Heading");
    EXPECT_EQ(heading->text(), "-180");
    EXPECT_EQ(child<QLineEdit>(&form, "NavText")->text(), QString::fromStdString(text));
    click(&form, "BitBtn2"); // OK with nothing touched
    EXPECT_EQ(form.result().text(R::heading), "-180");
    EXPECT_EQ(form.result().text(R::navText), text);

    // Emptied, the edit takes three characters again, as typing always did.
    click(&form, "EraseBtn");
    heading->setFocus();
    QTest::keyClicks(heading, "12345");
    EXPECT_EQ(heading->text(), "123");
}
