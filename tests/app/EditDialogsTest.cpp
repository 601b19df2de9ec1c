#include "AppTestSupport.h"

#include "build/RtfBriefing.h"
#include "edit/MarkerCommands.h"
#include "mission/MissionObjectRecord.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTableWidget>
#include <QTextEdit>
#include <QTreeWidget>

using namespace zev;
using apptest::ModalScript;
using R = mission::MissionObjectRecord;

namespace {

// A new mission with one object in slot 0, selected.
std::unique_ptr<apptest::ScriptedDesignForm> windowWithObject(apptest::EditorSandbox& sandbox) {
    auto form = std::make_unique<apptest::ScriptedDesignForm>(sandbox.context());
    form->show();
    form->newAnswers.push_back(apptest::Selection("ABCD", "Objects"));
    form->NewBtn->trigger();
    R record;
    record.setText(R::objectName, "bunker");
    record.setText(R::menuText, "Bunker");
    record.setText(R::areaFile, "1");
    for (int axis = 0; axis < 3; ++axis)
        record.setInt32(R::scale(axis), 1);
    form->editor().applyAddObject(0, record, {12.6, 0, 4}, 0);
    form->editor().select(edit::Selection::object(0));
    return form;
}

} // namespace

TEST(EditDialogs, ObjectPropertiesOkIsOneUndoStepThatPlacesTheObjectFromItsRecord) {
    apptest::EditorSandbox sandbox;
    auto form = windowWithObject(sandbox);
    QString shownX;
    ModalScript script({[&](QWidget* w) {
        auto* x = w->findChild<QLineEdit*>(QStringLiteral("PositionX"));
        auto* scale = w->findChild<QLineEdit*>(QStringLiteral("ScaleY"));
        auto* ok = w->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
        if (!x || !scale || !ok)
            return false;
        shownX = x->text();
        scale->setText(QStringLiteral("3"));
        x->setText(QStringLiteral("5000"));
        ok->click();
        return true;
    }});
    form->EditSelection();
    ASSERT_TRUE(script.finished());
    EXPECT_EQ(shownX, "1200") << "the workspace position, as Save would write it";
    EXPECT_EQ(form->document().objects.find(0)->int32(R::scale(1)), 3);
    EXPECT_DOUBLE_EQ(form->editor().objectPosition(0)->x, 50);
    EXPECT_EQ(form->UndoItem->text(), "Undo Object Properties");
    form->UndoItem->trigger();
    EXPECT_EQ(form->document().objects.find(0)->int32(R::scale(1)), 1);
    EXPECT_DOUBLE_EQ(form->editor().objectPosition(0)->x, 12.6);
}

TEST(EditDialogs, MissionTablesOkIsOneUndoStepAndCancelChangesNothing) {
    apptest::EditorSandbox sandbox;
    auto form = windowWithObject(sandbox);
    const mission::ObjectiveBlock before = form->document().objectives;
    const auto answer = [](const char* button, int limit) {
        return [button, limit](QWidget* w) {
            auto* time = w->findChild<QSpinBox*>(QStringLiteral("MsnTimeLimit"));
            auto* press = w->findChild<QPushButton*>(QString::fromLatin1(button));
            if (!time || !press)
                return false;
            time->setValue(limit);
            press->click();
            return true;
        };
    };
    ModalScript cancel({answer("Cancel", 600)});
    form->MissionTables1->trigger();
    ASSERT_TRUE(cancel.finished());
    EXPECT_TRUE(form->document().objectives == before);
    EXPECT_EQ(form->UndoItem->text(), "Undo");

    ModalScript ok({answer("OK", 600)});
    form->MissionTables1->trigger();
    ASSERT_TRUE(ok.finished());
    EXPECT_EQ(form->document().objectives[0].missionTimeLimit(), "600");
    EXPECT_EQ(form->UndoItem->text(), "Undo Mission Tables");
    form->UndoItem->trigger();
    EXPECT_TRUE(form->document().objectives == before);
}

TEST(EditDialogs, MarkerDialogsOpenFromTheSelectedMarkerAndEachOkIsOneStep) {
    apptest::EditorSandbox sandbox;
    auto form = windowWithObject(sandbox);
    using SP = mission::StartPointRecord;
    using NP = mission::NavPointRecord;

    // A start point marker: the dialog opens on its player's page with the marker's place.
    form->editor().execute(std::make_unique<edit::MoveStartPointCommand>(
        3, form->editor().startPointPosition(3), engine::Vector3{2, 0, 7}));
    form->editor().select(edit::Selection::startPoint(3));
    QString shownZ;
    int page = -1;
    ModalScript startPoints({[&](QWidget* w) {
        auto* tabs = w->findChild<QTabBar*>(QStringLiteral("PlayerTab"));
        auto* x = w->findChild<QLineEdit*>(QStringLiteral("X"));
        auto* z = w->findChild<QLineEdit*>(QStringLiteral("Z"));
        auto* heading = w->findChild<QLineEdit*>(QStringLiteral("Heading"));
        if (!tabs || !x || !z || !heading)
            return false;
        page = tabs->currentIndex();
        shownZ = z->text();
        x->setText(QStringLiteral("-400"));
        heading->setText(QStringLiteral("45"));
        w->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        return true;
    }});
    form->EditSelection();
    ASSERT_TRUE(startPoints.finished());
    EXPECT_EQ(page, 2);
    EXPECT_EQ(shownZ, "700");
    EXPECT_EQ(form->editor().startPointPosition(3), (engine::Vector3{-4, 0, 7}));
    EXPECT_EQ(form->document().startPoint(3).text(SP::heading), "45");
    EXPECT_EQ(form->UndoItem->text(), "Undo Player Start Points");

    // A nav point marker: the table on its star; a slot set in use there becomes a marker.
    const edit::NavPointMarker marker = form->editor().navPointMarkers().front();
    form->editor().select(edit::Selection::navPoint(marker.star, marker.index));
    const std::size_t markers = form->editor().navPointMarkers().size();
    int star = -1;
    ModalScript navPoints(
        {[&](QWidget* w) {
             auto* tabs = w->findChild<QTabBar*>(QStringLiteral("TabControl1"));
             auto* grid = w->findChild<QTableWidget*>(QStringLiteral("StringGrid1"));
             if (!tabs || !grid)
                 return false;
             star = tabs->currentIndex();
             grid->setCurrentCell(24, 0);
             // Queued: the setting dialog is modal in its turn.
             QMetaObject::invokeMethod(w, "StringGrid1DblClick", Qt::QueuedConnection);
             return true;
         },
         [&](QWidget* w) {
             auto* use = w->findChild<QCheckBox*>(QStringLiteral("UseNav"));
             auto* x = w->findChild<QLineEdit*>(QStringLiteral("PosX"));
             if (!use || !x)
                 return false;
             use->setChecked(true);
             x->setText(QStringLiteral("900"));
             w->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
             return true;
         },
         [&](QWidget* w) {
             auto* ok = w->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
             if (!ok || !w->findChild<QTabBar*>(QStringLiteral("TabControl1")))
                 return false;
             ok->click();
             return true;
         }});
    form->EditSelection();
    ASSERT_TRUE(navPoints.finished());
    EXPECT_EQ(star, marker.star);
    EXPECT_EQ(form->document().navPoint(marker.star, 24).text(NP::x), "900");
    EXPECT_EQ(form->editor().navPointMarkers().size(), markers + 1);
    EXPECT_EQ(form->UndoItem->text(), "Undo Nav Points");
    form->UndoItem->trigger();
    EXPECT_EQ(form->editor().navPointMarkers().size(), markers);
}

TEST(EditDialogs, MissionSettingsDialogsEachMakeOneStepAndTheBriefingRoomOneForAll) {
    apptest::EditorSandbox sandbox;
    auto form = windowWithObject(sandbox);
    using H = mission::MissionHeader;
    const auto clickOk = [](const char* button) {
        return [button](QWidget* w) {
            auto* ok = w->findChild<QPushButton*>(QString::fromLatin1(button));
            if (!ok)
                return false;
            ok->click();
            return true;
        };
    };

    ModalScript weather({[](QWidget* w) {
        auto* snow = w->findChild<QRadioButton*>(QStringLiteral("Snow"));
        if (!snow)
            return false;
        snow->setChecked(true);
        w->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        return true;
    }});
    form->WeatherSettings1->trigger();
    ASSERT_TRUE(weather.finished());
    EXPECT_EQ(form->document().weather.int32(mission::WeatherRecord::type), 3);
    EXPECT_EQ(form->UndoItem->text(), "Undo Weather Settings");

    ModalScript environment({[](QWidget* w) {
        auto* gravity = w->findChild<QSlider*>(QStringLiteral("Gravity"));
        if (!gravity)
            return false;
        gravity->setValue(150);
        w->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        return true;
    }});
    form->MissionEnviroment1->trigger();
    ASSERT_TRUE(environment.finished());
    EXPECT_EQ(form->document().header.text(H::gravity), "1.50");
    EXPECT_EQ(form->UndoItem->text(), "Undo Mission Enviroment");

    ModalScript platform({[](QWidget* w) {
        auto* dfx = w->findChild<QRadioButton*>(QStringLiteral("1.13dfxPatch"));
        if (!dfx)
            return false;
        dfx->click();
        w->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        return true;
    }});
    form->MissionPlatform1->trigger();
    ASSERT_TRUE(platform.finished());
    EXPECT_EQ(form->document().header.byte(H::patch), 1);
    EXPECT_EQ(form->document().header.byte(H::dfxFlag1), 1);
    EXPECT_EQ(form->UndoItem->text(), "Undo 3dfx Mission Options");

    // Nothing changed: no step.
    ModalScript unchanged({clickOk("BitBtn1")});
    form->MissionPlatform1->trigger();
    ASSERT_TRUE(unchanged.finished());
    EXPECT_EQ(form->UndoItem->text(), "Undo 3dfx Mission Options");

    const mission::MissionDocument before = form->document();
    ModalScript briefing({[](QWidget* w) {
        auto* title = w->findChild<QLineEdit*>(QStringLiteral("MissionTitle"));
        auto* page = w->findChild<QTextEdit*>(QStringLiteral("BrfEdit1"));
        if (!title || !page)
            return false;
        title->setText(QStringLiteral("Cold Front"));
        page->insertPlainText(QStringLiteral("Hold the pass"));
        w->findChild<QPushButton*>(QStringLiteral("OkBtn"))->click();
        return true;
    }});
    form->BriefingRoom1->trigger();
    ASSERT_TRUE(briefing.finished());
    EXPECT_EQ(form->document().header.text(H::missionName), "Cold Front");
    EXPECT_EQ(build::convertBriefingRtf(form->document().briefings[1]).text, "Hold the pass\n&X");
    EXPECT_EQ(form->document().briefings[0], before.briefings[0]);
    EXPECT_EQ(form->UndoItem->text(), "Undo Briefing Room");
    form->UndoItem->trigger();
    EXPECT_TRUE(form->document().header == before.header);
    EXPECT_EQ(form->document().briefings, before.briefings);
}

TEST(EditDialogs, ThePaletteBuilderOkIsOneStepAndTheDatabaseEditorReloadsTheGroupTabs) {
    apptest::EditorSandbox sandbox;
    auto form = windowWithObject(sandbox);
    const mission::PaletteRecord before = form->document().palette;
    ModalScript palette({[](QWidget* w) {
        auto* day = w->findChild<QComboBox*>(QStringLiteral("DayStd"));
        auto* custom = w->findChild<QCheckBox*>(QStringLiteral("CheckBox1"));
        if (!day || !custom)
            return false;
        day->setEditText(QStringLiteral("NIGHTPAL"));
        custom->setChecked(true);
        w->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        return true;
    }});
    form->CustomColorPalletteBuilder1->trigger();
    ASSERT_TRUE(palette.finished());
    EXPECT_EQ(form->document().palette.text(mission::PaletteRecord::entry(0)), "NIGHTPAL");
    EXPECT_EQ(form->document().palette.byte(mission::PaletteRecord::flag), 1);
    EXPECT_EQ(form->UndoItem->text(), "Undo Custom Color Pallette Builder");
    form->UndoItem->trigger();
    EXPECT_TRUE(form->document().palette == before);

    // A group made in the database editor is a tab of the main window when it closes.
    const int tabs = form->ObjectsTabControl->count();
    ModalScript database({[](QWidget* w) {
                              auto* add = w->findChild<QPushButton*>(QStringLiteral("NewGroupBtn"));
                              if (!add)
                                  return false;
                              QMetaObject::invokeMethod(add, "click", Qt::QueuedConnection);
                              return true;
                          },
                          [](QWidget* w) {
                              auto* name = w->findChild<QLineEdit*>(QStringLiteral("GroupName"));
                              if (!name)
                                  return false;
                              name->setText(QStringLiteral("Extra"));
                              w->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
                              return true;
                          },
                          [](QWidget* w) {
                              auto* close = w->findChild<QPushButton*>(QStringLiteral("CloseBtn"));
                              if (!close)
                                  return false;
                              close->click();
                              return true;
                          }});
    form->ObjectDatabase1->trigger();
    ASSERT_TRUE(database.finished());
    EXPECT_EQ(form->ObjectsTabControl->count(), tabs + 1);
}

TEST(EditDialogs, CheckMissionListsTheProblemsAndADoubleClickSelectsTheObject) {
    apptest::EditorSandbox sandbox;
    auto form = windowWithObject(sandbox);
    R record = *form->document().objects.find(0);
    record.setText(R::areaFile, "12");
    form->editor().applyObjectRecord(0, record);
    form->editor().select(edit::Selection::none());
    ModalScript check({[](QWidget* w) {
        auto* list = w->findChild<QTreeWidget*>(QStringLiteral("ProblemList"));
        if (!list || list->topLevelItemCount() == 0)
            return false;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->text(2).contains(QStringLiteral("12"))) {
                emit list->itemDoubleClicked(list->topLevelItem(i), 0);
                return true;
            }
        ADD_FAILURE() << "no problem names the area 12";
        return true;
    }});
    form->CheckMission1->trigger();
    ASSERT_TRUE(check.finished());
    EXPECT_EQ(form->editor().selection(), edit::Selection::object(0));
}
