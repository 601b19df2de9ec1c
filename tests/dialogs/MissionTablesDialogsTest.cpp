#include "DialogTestSupport.h"
#include "dialogs/MsnTableForm.h"
#include "dialogs/MsnTableObjSel.h"

#include "common/FileIo.h"

#include "TempDir.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace zev;
using namespace dialogtest;
using R = mission::ObjectiveRow;

namespace {} // namespace

TEST(MsnTableForm, AddsARowThroughTheEntryDialogSavesTheTableAndGivesTheTablesBackAtOk) {
    auto document = mission::support::newMission("ABCD", true);
    common::RecordingReporter reporter;
    TempDir dir;
    const auto saved = dir / "star0.tbl";
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<dialogs::TMsnTableForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->windowTitle(), "ZEVEdit Mission Table Editor");
        auto* tabs = child<QTabBar>(form, "TabControl1");
        EXPECT_EQ(tabs->count(), 8);
        EXPECT_EQ(tabs->tabText(7), "Star 7");
        auto* grid = child<QTableWidget>(form, "StringGrid1");
        EXPECT_EQ(grid->columnCount(), 12);
        EXPECT_EQ(grid->rowCount(), 40);
        EXPECT_EQ(grid->horizontalHeaderItem(7)->text(), "dnd");
        EXPECT_EQ(grid->item(1, 11)->text(), "Destroy All Enemy Mech's");
        EXPECT_EQ(child<QPushButton>(form, "ShiftUp")->toolTip(),
                  "Shift the selected Objective up one row");
        EXPECT_FALSE(child<QPushButton>(form, "DeleteObjective")->isEnabled());

        QTimer::singleShot(0, [] {
            auto* entry =
                qobject_cast<dialogs::TMsnTableObjSel*>(QApplication::activeModalWidget());
            ASSERT_NE(entry, nullptr);
            EXPECT_EQ(entry->windowTitle(), "Mission Table Entry");
            EXPECT_FALSE(child<QRadioButton>(entry, "Action1")->isEnabled());
            EXPECT_TRUE(child<QRadioButton>(entry, "Action18")->isChecked());
            child<QRadioButton>(entry, "Action4")->click();
            child<QRadioButton>(entry, "TargetType3")->click();
            EXPECT_EQ(child<QLineEdit>(entry, "TargetName")->text(), "en00star");
            EXPECT_TRUE(child<QSpinBox>(entry, "TargetObjNum")->isEnabled());
            child<QSpinBox>(entry, "ObjectiveNumber")->setValue(-1);
            EXPECT_EQ(child<QSpinBox>(entry, "ObjectiveNumber")->text(), "Initial");
            child<QRadioButton>(entry, "ActivationType2")->click();
            child<QPushButton>(entry, "ActivationAdd")->click();
            child<QPushButton>(entry, "ActivationAdd")->click();
            EXPECT_EQ(child<QListWidget>(entry, "ActivationTable")->count(), 2);
            child<QRadioButton>(entry, "TableOr")->click();
            child<QListWidget>(entry, "SoundList")->setCurrentRow(5);
            EXPECT_EQ(child<QLineEdit>(entry, "BettySays")->text(), "Enemy Destroyed");
            child<QLineEdit>(entry, "TextBox")->setText("x");
            child<QPushButton>(entry, "OK")->click();
        });
        child<QPushButton>(form, "AddObjective")->click();
        EXPECT_EQ(grid->item(2, 1)->text(), "Recon");
        EXPECT_EQ(grid->item(2, 3)->text(), "en00star_2");
        EXPECT_EQ(grid->item(2, 4)->text(), "Table");
        EXPECT_EQ(grid->item(2, 10)->text(), "gene05");
        EXPECT_TRUE(child<QPushButton>(form, "DeleteObjective")->isEnabled());

        child<QSpinBox>(form, "MsnTimeLimit")->setValue(600);
        QTimer::singleShot(0, [&] {
            auto* save = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(save, nullptr);
            EXPECT_EQ(save->windowTitle(), "Save Mission Table");
            EXPECT_EQ(save->nameFilters(), QStringList{"*.tbl"});
            save->selectFile(QString::fromStdString(saved.string()));
            static_cast<QDialog*>(save)->accept();
        });
        child<QPushButton>(form, "SaveTable")->click();
        tabs->setCurrentIndex(3);
        EXPECT_EQ(grid->item(0, 3)->text(), "ABCDst31");
        child<QPushButton>(form, "OK")->click();
    });
    const auto tables = dialogs::editMissionTables(*document, reporter, nullptr);
    ASSERT_TRUE(tables);
    const R& added = (*tables)[0].row(2);
    EXPECT_EQ(added.text(R::action), "Recon");
    EXPECT_EQ(added.text(R::condition(1)), "Succ Initial");
    EXPECT_EQ(added.conditionsInUse(), 2);
    EXPECT_EQ(added.byte(R::combination), 1);
    EXPECT_EQ(added.text(R::screenText), "x");
    EXPECT_EQ((*tables)[0].missionTimeLimit(), "600");
    EXPECT_EQ(common::readWholeFile(saved), (*tables)[0].toBytes());
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(MsnTableObjSel, ShowsTheRecognisedRowAndWritesEveryChoiceIntoIt) {
    R row;
    row.setText(R::action, "ObjShow");
    row.setText(R::target, "ABCDnav3");
    row.setText(R::priority, "Secondary");
    dialogs::TMsnTableObjSel entry(row, 6, 1, "ABCD");
    auto* pages = child<QTabWidget>(&entry, "PageControl1");
    ASSERT_EQ(pages->count(), 4);
    EXPECT_EQ(pages->tabText(1), "Target / Activation");
    EXPECT_TRUE(child<QRadioButton>(&entry, "Action17")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(&entry, "TargetType1")->isChecked());
    EXPECT_EQ(child<QLineEdit>(&entry, "TargetName")->text(), "ABCDnav3");
    EXPECT_EQ(child<QComboBox>(&entry, "TargetStar")->currentText(), "en01star");
    EXPECT_EQ(child<QListWidget>(&entry, "ActivationTable")->item(0)->text(), "Comp 6");
    EXPECT_TRUE(child<QRadioButton>(&entry, "Priority2")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(&entry, "Requirement2")->isChecked());
    EXPECT_EQ(child<QSpinBox>(&entry, "TimeLimit")->value(), -1);
    EXPECT_EQ(child<QListWidget>(&entry, "SoundList")->count(), 51);

    child<QSpinBox>(&entry, "UpDown5")->setValue(5);
    EXPECT_EQ(row.text(R::target), "ABCDnav5");
    child<QRadioButton>(&entry, "TargetType5")->click();
    EXPECT_EQ(row.text(R::target), "NULL");
    EXPECT_FALSE(child<QSpinBox>(&entry, "UpDown5")->isEnabled());
    child<QPushButton>(&entry, "TimeLimitNone")->click();
    EXPECT_EQ(row.text(R::timeLimit), "0");
    child<QSpinBox>(&entry, "TimeLimit")->setValue(45);
    EXPECT_EQ(row.text(R::timeLimit), "45");
    child<QRadioButton>(&entry, "Visibility2")->click();
    EXPECT_EQ(row.text(R::visibility), "Hidden");
    child<QListWidget>(&entry, "ActivationTable")->setCurrentRow(0);
    child<QPushButton>(&entry, "ActivationDel")->click();
    EXPECT_EQ(row.conditionsInUse(), 0);
    child<QComboBox>(&entry, "TargetStar")->setCurrentIndex(4);
    child<QPushButton>(&entry, "ActivationAdd")->click();
    EXPECT_EQ(row.text(R::condition(0)), "Comp en04star 1");
    child<QListWidget>(&entry, "SoundList")->setCurrentRow(50);
    EXPECT_EQ(row.text(R::audio), "genegox");
    EXPECT_EQ(child<QLineEdit>(&entry, "BettySays")->text(), "");
}

TEST(MsnTableForm, TheRowHighlightedByTheKeysIsTheRowTheButtonsActOn) {
    auto document = mission::support::newMission("ABCD", true);
    mission::ObjectiveBlock tables = document->objectives;
    for (int r = 2; r < 4; ++r) {
        R& row = tables[0].row(r);
        row.setText(R::action, "Destroy");
        row.setText(R::target, "ABCDnav" + std::to_string(r));
        row.setText(R::condition(0), "Comp 0");
        row.setConditionsInUse(1);
    }
    common::RecordingReporter reporter;
    dialogs::TMsnTableForm form(tables, "ABCD", reporter);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* grid = child<QTableWidget>(&form, "StringGrid1");
    const auto highlighted = [grid] {
        const QModelIndexList rows = grid->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.front().row() : -1;
    };
    grid->setFocus();
    EXPECT_FALSE(child<QPushButton>(&form, "ShiftUp")->isEnabled());
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(form.model().selectedRow(), 1);
    EXPECT_TRUE(child<QPushButton>(&form, "ShiftUp")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(&form, "DeleteObjective")->isEnabled());
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(form.model().selectedRow(), 3);
    EXPECT_FALSE(child<QPushButton>(&form, "ShiftDown")->isEnabled());
    // Below the last used row the highlight goes back to it.
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(form.model().selectedRow(), 3);
    EXPECT_EQ(highlighted(), 3);
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(form.model().selectedRow(), 2);
    EXPECT_TRUE(child<QPushButton>(&form, "ShiftDown")->isEnabled());

    // Delete, the key or the button, clears the highlighted row and highlights the row above.
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_FALSE(form.model().working()[0].row(2).isUsed());
    EXPECT_TRUE(form.model().working()[0].row(3).isUsed());
    EXPECT_EQ(form.model().selectedRow(), 1);
    EXPECT_EQ(highlighted(), 1);
    // The hole ends the used rows: the highlight stops above it.
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(form.model().selectedRow(), 1);
    EXPECT_EQ(highlighted(), 1);
}

TEST(MsnTableObjSel, DeletesOnlyASelectedActivationAndCountsTheTimeLimitFromZero) {
    R row;
    row.setText(R::action, "Destroy");
    row.setText(R::target, "ABCDnav3");
    row.setText(R::condition(0), "Comp 1");
    row.setText(R::condition(1), "Comp 2");
    row.setConditionsInUse(2);
    row.setText(R::timeLimit, "90");
    dialogs::TMsnTableObjSel entry(row, 4, 0, "ABCD");
    auto* list = child<QListWidget>(&entry, "ActivationTable");
    // The current entry without a selection, as the list has it after focus: nothing to delete.
    list->selectionModel()->setCurrentIndex(list->model()->index(1, 0),
                                            QItemSelectionModel::NoUpdate);
    click(&entry, "ActivationDel");
    EXPECT_EQ(row.conditionsInUse(), 2);
    list->setCurrentRow(0);
    click(&entry, "ActivationDel");
    EXPECT_EQ(row.conditionsInUse(), 1);
    EXPECT_EQ(row.text(R::condition(0)), "Comp 2");

    auto* time = child<QSpinBox>(&entry, "TimeLimit");
    EXPECT_EQ(time->value(), 90);
    EXPECT_EQ(time->minimum(), 0);
    time->setValue(-1);
    EXPECT_EQ(row.text(R::timeLimit), "0");
}
