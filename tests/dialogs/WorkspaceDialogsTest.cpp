#include "dialogs/CameraForm.h"
#include "dialogs/KeyForm.h"
#include "dialogs/KeySelectionForm.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>

#include <functional>

using namespace zev;

namespace {

// Picks `item` in the key selection dialog the next double-click opens, and presses OK.
void chooseNextKey(const QString& item) {
    QTimer::singleShot(0, [item] {
        auto* selection =
            qobject_cast<dialogs::TKeySelectionForm*>(QApplication::activeModalWidget());
        ASSERT_NE(selection, nullptr);
        auto* list = selection->findChild<QListWidget*>(QStringLiteral("KeyList"));
        ASSERT_EQ(list->count(), 102);
        const auto found = list->findItems(item, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << item.toStdString();
        list->setCurrentItem(found.front());
        selection->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    });
}

} // namespace

TEST(KeyForm, ShowsTheActionsAndTheirKeysChoosesThroughTheSelectionListAndWritesTheMapAtOk) {
    TempDir home;
    edit::KeyTable table = edit::KeyTable::defaults();
    common::RecordingReporter reporter;
    dialogs::TKeyForm form(table, home.path(), reporter);
    EXPECT_EQ(form.windowTitle(), "Keyboard Mapping");
    auto* grid = form.findChild<QTableWidget*>(QStringLiteral("ActionGrid"));
    ASSERT_EQ(grid->rowCount(), 23);
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Work Space Action");
    EXPECT_EQ(grid->item(12, 0)->text(), "Work Space Camera Move Ahead");
    EXPECT_EQ(grid->item(12, 1)->text(), "Up Arrow");

    chooseNextKey(QStringLiteral("F5"));
    form.ActionGridDblClick(12);
    EXPECT_EQ(grid->item(12, 1)->text(), "F5");

    chooseNextKey(QStringLiteral("SPACE BAR"));
    form.ActionGridDblClick(0);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, edit::kSpaceBarReserved);
    EXPECT_EQ(grid->item(0, 1)->text(), "<");

    EXPECT_FALSE(std::filesystem::exists(home / "key.map")) << "nothing is written before OK";
    EXPECT_EQ(table.entry(13).scanCode, 0xC8);
    form.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    EXPECT_EQ(table.entry(13).name, "F5");
    EXPECT_EQ(edit::KeyTable::load(home.path()), table);
}

TEST(CameraForm, EverySpinnerChangesItsSpeedAtOnceWithinItsRange) {
    edit::WorkspaceSpeeds speeds;
    speeds.cameraMovement = 40;
    dialogs::TCameraForm form(speeds);
    EXPECT_EQ(form.windowTitle(), "Camera Control Center");
    auto* move = form.findChild<QSpinBox*>(QStringLiteral("CamMov"));
    EXPECT_EQ(move->value(), 40);
    EXPECT_EQ(move->maximum(), 100);
    move->stepUp();
    EXPECT_EQ(speeds.cameraMovement, 41);
    auto* turn = form.findChild<QSpinBox*>(QStringLiteral("ObjRot"));
    turn->setValue(99);
    EXPECT_EQ(speeds.objectRotation, 30);

    speeds.cameraSteering = 7; // changed elsewhere: showing the form loads it again
    form.show();
    EXPECT_EQ(form.findChild<QSpinBox*>(QStringLiteral("CamSteer"))->value(), 7);
}
