#include "DialogTestSupport.h"
#include "dialogs/AmbientSoundForm.h"
#include "dialogs/ColorSpinForm.h"
#include "dialogs/FlyCircleForm.h"
#include "dialogs/ObjectForm.h"
#include "dialogs/PathForm.h"
#include "dialogs/SpinnerForm.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>

#include <functional>

using namespace zev;
using namespace dialogtest;
using mission::MissionObjectRecord;
using R = MissionObjectRecord;

namespace {

R placedObject() {
    R r;
    r.setText(R::menuText, "Radar Tower");
    r.setText(R::objectName, "radar");
    r.setText(R::mainType, "orthorect");
    r.setText(R::alternateType, "cylinder");
    r.setText(R::objectType, "none");
    r.setText(R::objectParent, "world");
    r.setText(R::alternateName, "radardst");
    r.setText(R::gamethingRole, "destroy");
    r.setText(R::areaFile, "2");
    r.setInt32(R::hitsToDestroy, 5);
    r.setInt32(R::scale(0), 1);
    r.setText(R::pathLooping, "oneshot");
    r.setText(R::pathRotation, "rotate");
    return r;
}

} // namespace

TEST(ObjectForm, ShowsTheObjectRunsATaskDialogAndComposesTheRecordAtOk) {
    const R original = placedObject();
    dialogs::TObjectForm form(original, {});
    EXPECT_EQ(form.windowTitle(), "Object Property [Radar Tower radar radardst]");
    EXPECT_EQ(child<QLineEdit>(&form, "HitsToDestroy")->text(), "5");
    EXPECT_TRUE(child<QCheckBox>(&form, "Destroy")->isChecked());
    auto* mainType = child<QGroupBox>(&form, "MainType");
    EXPECT_TRUE(child<QRadioButton>(mainType, "orthorect")->isChecked());
    EXPECT_EQ(child<QSpinBox>(&form, "AreaFile")->value(), 2);
    auto* summary = child<QListWidget>(&form, "AnimationSettings");
    ASSERT_EQ(summary->count(), 5);
    EXPECT_EQ(summary->item(3)->text(), "task path 0 radar;oneshot,rotate enaled(0)");

    child<QLineEdit>(&form, "ScaleX")->setText("3");
    child<QCheckBox>(&form, "Recon")->setChecked(true);
    child<QRadioButton>(mainType, "sphere")->setChecked(true);
    child<QComboBox>(&form, "ObjectType")->setEditText("smoke");
    child<QSpinBox>(&form, "AreaFile")->stepUp();

    answerNext<dialogs::TSpinnerForm>([](dialogs::TSpinnerForm* spinner) {
        child<QCheckBox>(spinner, "Enabled")->setChecked(true);
        child<QLineEdit>(spinner, "Period")->setText("7");
        click(spinner, "BitBtn1");
    });
    click(&form, "SpinnerBtn");
    EXPECT_EQ(summary->item(0)->text(), "task spinner 7 radar;0,0,0,0 enabled(1)");
    answerNext<dialogs::TFlyCircleForm>([](dialogs::TFlyCircleForm* fly) {
        child<QCheckBox>(fly, "Enabled")->setChecked(true);
        click(fly, "BitBtn2"); // Cancel changes nothing
    });
    click(&form, "FlyCircle");
    EXPECT_EQ(summary->item(2)->text(), "task flycircle 0 radar;0,0 enabled(0)");

    click(&form, "BitBtn1");
    const R& out = form.result();
    EXPECT_EQ(out.int32(R::scale(0)), 3);
    EXPECT_EQ(out.text(R::gamethingRole), "destroy;recon");
    EXPECT_EQ(out.text(R::mainType), "sphere");
    EXPECT_EQ(out.text(R::objectType), "smoke");
    EXPECT_EQ(out.text(R::areaFile), "3");
    EXPECT_EQ(out.byte(R::spinnerEnabled), 1);
    EXPECT_EQ(out.int16(R::spinnerPeriod), 7);
    EXPECT_EQ(out.byte(R::flyCircleEnabled), 0);

    // A ready-made group locks its details; the value-in, value-out call answers Cancel with
    // nothing.
    R group = original;
    group.setByte(R::readyMadeGroup, 1);
    dialogs::TObjectForm locked(group, {});
    EXPECT_FALSE(child<QCheckBox>(&locked, "CollisionOn")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(&locked, "ChunkRotationX")->isEnabled());
    EXPECT_TRUE(child<QLineEdit>(&locked, "PositionX")->isEnabled());
    EXPECT_EQ(child<QLineEdit>(&locked, "HitsToDestroy")->text(), "");
    answerNext<dialogs::TObjectForm>([](dialogs::TObjectForm* f) { click(f, "BitBtn2"); });
    EXPECT_EQ(dialogs::editObjectProperties(group, {}, nullptr), std::nullopt);
    answerNext<dialogs::TObjectForm>([](dialogs::TObjectForm* f) { click(f, "BitBtn1"); });
    const auto confirmed = dialogs::editObjectProperties(group, {}, nullptr);
    ASSERT_TRUE(confirmed.has_value());
    EXPECT_EQ(confirmed->int32(R::hitsToDestroy), 0);
    EXPECT_EQ(confirmed->text(R::alternateType), "cylinder");
}

TEST(SpinnerForm, ShowsTheSpinnerAndGivesBackItsControls) {
    edit::SpinnerValues values{{"1", "2", "3"}, "4", "1.500000", false};
    dialogs::TSpinnerForm form(values);
    EXPECT_EQ(form.windowTitle(), "Spinner Animation");
    EXPECT_EQ(child<QLineEdit>(&form, "RotationY")->text(), "2");
    EXPECT_EQ(child<QLineEdit>(&form, "Time")->text(), "1.500000");
    EXPECT_EQ(child<QCheckBox>(&form, "Enabled")->text(), "  Enabled");
    child<QLineEdit>(&form, "RotationZ")->setText("30");
    child<QLineEdit>(&form, "Time")->setText("0.25");
    child<QCheckBox>(&form, "Enabled")->setChecked(true);
    click(&form, "BitBtn1");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.values(), (edit::SpinnerValues{{"1", "2", "30"}, "4", "0.25", true}));
}

TEST(ColorSpinForm, ShowsSixteenTitledColoursAndGivesThemBack) {
    edit::ColorSpinValues values;
    for (int c = 0; c < 16; ++c)
        values.colors[std::size_t(c)] = std::to_string(c);
    values.period = "2";
    dialogs::TColorSpinForm form(values);
    EXPECT_EQ(form.windowTitle(), "Color Spin Animation");
    auto* grid = child<QTableWidget>(&form, "ColorGrid");
    ASSERT_EQ(grid->rowCount(), 16);
    ASSERT_EQ(grid->columnCount(), 2);
    EXPECT_EQ(grid->item(0, 0)->text(), "Color One");
    EXPECT_EQ(grid->item(15, 0)->text(), "Color Sixteen");
    EXPECT_FALSE(grid->item(15, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(grid->item(15, 1)->text(), "15");
    grid->item(4, 1)->setText("444");
    child<QCheckBox>(&form, "Enabled")->setChecked(true);
    click(&form, "BitBtn1");
    values.colors[4] = "444";
    values.enabled = true;
    EXPECT_EQ(form.values(), values);
}

TEST(FlyCircleForm, ShowsTheFlyCircleAndGivesBackItsControls) {
    dialogs::TFlyCircleForm form({"1", "2", "300", true, false});
    EXPECT_EQ(form.windowTitle(), "Fly Circle Animation");
    EXPECT_EQ(child<QLineEdit>(&form, "Radius")->text(), "300");
    child<QLineEdit>(&form, "Interval")->setText("20");
    child<QCheckBox>(&form, "Active")->setChecked(true);
    click(&form, "BitBtn1");
    EXPECT_EQ(form.values(), (edit::FlyCircleValues{"1", "20", "300", true, true}));
}

TEST(PathForm, ShowsTheChoicesAndEightPointsAndGivesThemBack) {
    edit::PathValues values;
    values.rotation = edit::PathRotation::NonRotate;
    values.points[1] = {true, {"10", "20", "30", "1", "2", "3", "9"}};
    dialogs::TPathForm form(values);
    EXPECT_EQ(form.windowTitle(), "Path Animation");
    EXPECT_TRUE(child<QRadioButton>(&form, "Oneshot")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(&form, "NonRotate")->isChecked());
    EXPECT_EQ(child<QRadioButton>(&form, "NonRotate")->text(), "Non Rotate");
    auto* grid = child<QTableWidget>(&form, "PathGrid");
    ASSERT_EQ(grid->rowCount(), 8);
    ASSERT_EQ(grid->columnCount(), 7);
    EXPECT_EQ(grid->verticalHeaderItem(7)->text(), "Path 8");
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Pos X");
    EXPECT_EQ(grid->horizontalHeaderItem(6)->text(), "Time");
    EXPECT_EQ(grid->item(1, 6)->text(), "9");
    EXPECT_TRUE(child<QCheckBox>(&form, "Enable2")->isChecked());

    child<QRadioButton>(&form, "Loop")->setChecked(true);
    child<QRadioButton>(&form, "Rotate")->setChecked(true);
    child<QCheckBox>(&form, "Enable8")->setChecked(true);
    grid->item(7, 0)->setText("-5");
    child<QCheckBox>(&form, "Enabled")->setChecked(true);
    click(&form, "BitBtn1");
    const edit::PathValues out = form.values();
    EXPECT_TRUE(out.enabled);
    EXPECT_EQ(out.looping, edit::PathLooping::Loop);
    EXPECT_EQ(out.rotation, edit::PathRotation::Rotate);
    EXPECT_EQ(out.points[1], values.points[1]);
    EXPECT_TRUE(out.points[7].enabled);
    EXPECT_EQ(out.points[7].cells[0], "-5");
}

TEST(AmbientSoundForm, OffersTheSoundNamesTakesFreeTextAndGivesItBack) {
    dialogs::TAmbientSoundForm form({false, true, "50", "CUSTOM"}, edit::ambientSoundChoices(""));
    EXPECT_EQ(form.windowTitle(), "Object Ambient Sound");
    auto* sounds = child<QComboBox>(&form, "SoundFile");
    ASSERT_EQ(sounds->count(), 3);
    EXPECT_EQ(sounds->itemText(0), "1");
    EXPECT_EQ(sounds->itemText(2), "WTRXPLO1");
    EXPECT_EQ(sounds->currentText(), "CUSTOM");
    sounds->setCurrentIndex(1);
    child<QCheckBox>(&form, "Enabled")->setChecked(true);
    child<QLineEdit>(&form, "Radius")->setText("75");
    click(&form, "BitBtn1");
    EXPECT_EQ(form.values(), (edit::AmbientSoundValues{true, true, "75", "AEROTCH1"}));
}
