#include "DialogTestSupport.h"
#include "dialogs/EnviromentForm.h"
#include "dialogs/FormParts.h"
#include "dialogs/PlatformForm.h"

#include "TempDir.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>

#include <fstream>
#include <functional>

using namespace zev;
using namespace dialogtest;
using mission::MissionHeader;
using H = MissionHeader;

namespace {

// Cancels the next modal dialog once it is open, after a look at it.
void cancelNext(std::function<void(QWidget*)> look = [](QWidget*) {}) {
    QTimer::singleShot(0, [look] {
        QWidget* form = QApplication::activeModalWidget();
        ASSERT_NE(form, nullptr);
        look(form);
        click(form, "BitBtn2");
    });
}

} // namespace

TEST(EnviromentForm, ShowsTheHeaderOffersTheListedNamesAndComposesTheHeaderAtOk) {
    TempDir dir;
    const auto ini = dir / "zevedit.ini";
    std::ofstream(ini, std::ios::binary) << "[COLOR PALETTES]\r\nITEM COUNT=3\r\nITEM 1=DESERT\r\n"
                                            "ITEM 2=ab\r\nITEM 3=ARCTIC\r\n";
    MissionHeader header = mission::support::newMission()->header;
    header.setText(H::gravity, "0.98");
    header.setText(H::colorPalette, "DESERT");
    header.setText(H::groundTexture, "LUNAR");
    header.setInt32(H::now, 1);

    dialogs::TEnviromentForm form(header, ini);
    EXPECT_EQ(form.windowTitle(), "Mission Enviroment");
    EXPECT_LE(form.sizeHint().width(), 640);
    EXPECT_LE(form.sizeHint().height(), 480);
    auto* gravity = child<QSlider>(&form, "Gravity");
    EXPECT_EQ(gravity->orientation(), Qt::Vertical);
    EXPECT_EQ(gravity->maximum(), 200);
    EXPECT_EQ(gravity->value(), 98);
    EXPECT_EQ(child<QLabel>(&form, "GravityMark1")->text(), "1.0");
    EXPECT_EQ(child<QSlider>(&form, "Temperature")->minimum(), -100);
    EXPECT_TRUE(child<QRadioButton>(&form, "Day")->isChecked());
    auto* palettes = child<QListWidget>(&form, "ColorPallette");
    ASSERT_EQ(palettes->count(), 2);
    EXPECT_EQ(palettes->item(0)->text(), "ARCTIC");
    EXPECT_EQ(palettes->currentItem()->text(), "DESERT");
    EXPECT_EQ(child<QListWidget>(&form, "GroundTexture")->count(), 0);

    gravity->setValue(150);
    child<QSlider>(&form, "Light")->setValue(40);
    child<QLineEdit>(&form, "Near")->setText("5");
    child<QCheckBox>(&form, "HideHorizon")->setChecked(true);
    child<QCheckBox>(&form, "StarWorld")->setChecked(true);
    click(&form, "Night");
    click(&form, "Point");
    palettes->setCurrentRow(0);
    click(&form, "BitBtn1");
    const MissionHeader& out = form.result();
    EXPECT_EQ(out.text(H::gravity), "1.50");
    EXPECT_EQ(out.text(H::ambientLight), "40     ");
    EXPECT_EQ(out.text(H::clipNear), "5");
    EXPECT_EQ(out.byte(H::hideHorizon), 1);
    EXPECT_EQ(out.byte(H::fogWorld), 1);
    EXPECT_EQ(out.int32(H::now), 3);
    EXPECT_EQ(out.byte(H::pointLight), 1);
    EXPECT_EQ(out.text(H::colorPalette), "ARCTIC");
    EXPECT_EQ(out.text(H::groundTexture), "LUNAR"); // nothing listed, nothing chosen

    // On a 600 x 400 screen the dialog loses 40 x 80 and sits in the middle; Cancel gives
    // nothing.
    dialogs::TEnviromentForm sized(header, ini);
    sized.adjustSize();
    const QSize fitted = sized.size() - QSize(40, 80);
    dialogs::fitToSmallScreen(&sized, QSize(600, 400));
    EXPECT_EQ(sized.size(), fitted);
    EXPECT_EQ(sized.pos(), QPoint((600 - fitted.width()) / 2, (400 - fitted.height()) / 2));
    cancelNext([fitted](QWidget* shown) { EXPECT_EQ(shown->size(), fitted); });
    EXPECT_EQ(dialogs::editEnvironment(header, ini, nullptr, QSize(600, 400)), std::nullopt);
}

TEST(TPlatform, EnablesTheControlsOfTheChosenTypeAndComposesTheHeaderAtOk) {
    const MissionHeader header = mission::support::newMission()->header;
    dialogs::TPlatform form(header);
    EXPECT_EQ(form.windowTitle(), "3dfx Mission Options");
    EXPECT_LE(form.sizeHint().width(), 640);
    EXPECT_LE(form.sizeHint().height(), 480);
    EXPECT_TRUE(child<QRadioButton>(&form, "DosStandard")->isChecked());
    auto* intensity = child<QLineEdit>(&form, "GlobalIntensity");
    EXPECT_EQ(intensity->text(), "60");
    EXPECT_EQ(intensity->maxLength(), 10);
    EXPECT_EQ(child<QLineEdit>(&form, "SkyX")->text(), "0.010000");
    EXPECT_TRUE(child<QRadioButton>(&form, "LightBDirectional")->isChecked());
    EXPECT_FALSE(intensity->isEnabled());
    EXPECT_FALSE(child<QCheckBox>(&form, "SkyDome")->isEnabled());

    click(&form, "1.18bitPatch");
    EXPECT_TRUE(intensity->isEnabled());
    EXPECT_TRUE(child<QLineEdit>(&form, "GroundClippingZ")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(&form, "AmbientR")->isEnabled());
    EXPECT_FALSE(child<QRadioButton>(&form, "LightAPoint")->isEnabled());
    EXPECT_FALSE(child<QCheckBox>(&form, "SkyDome")->isEnabled());

    click(&form, "1.13dfxPatch");
    EXPECT_TRUE(child<QLineEdit>(&form, "FogM")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(&form, "SkyDome")->isEnabled());
    child<QLineEdit>(&form, "FogM")->setText("2.5");
    child<QLineEdit>(&form, "LightBY")->setText("-7");
    click(&form, "LightAPoint");
    child<QCheckBox>(&form, "SkyDome")->setChecked(false);
    click(&form, "BitBtn1");
    const MissionHeader& out = form.result();
    EXPECT_EQ(out.byte(H::patch), 1);
    EXPECT_EQ(out.byte(H::dfxFlag1), 1);
    EXPECT_EQ(out.byte(H::dfxFlag2), 0);
    EXPECT_EQ(out.float32(H::dfxFloat(29)), 2.5f);
    EXPECT_EQ(out.int32(H::dfxInt(23)), -7);
    EXPECT_EQ(out.text(H::dfxLetter(14)), "P");
    EXPECT_EQ(out.int32(H::dfxInt(0)), 60);

    cancelNext();
    EXPECT_EQ(dialogs::editPlatformOptions(header, nullptr), std::nullopt);
}

TEST(TPlatform, KeepsAStoredGlobalIntensityLongerThanTenCharacters) {
    MissionHeader header = mission::support::newMission()->header;
    header.setInt32(H::dfxInt(0), -2147483647 - 1);
    dialogs::TPlatform form(header);
    EXPECT_EQ(child<QLineEdit>(&form, "GlobalIntensity")->text(), "-2147483648");
    click(&form, "BitBtn1");
    EXPECT_EQ(form.result().int32(H::dfxInt(0)), -2147483647 - 1);
}
