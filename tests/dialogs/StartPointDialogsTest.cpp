#include "DialogTestSupport.h"
#include "dialogs/StartPointForm.h"
#include "dialogs/WeatherForm.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>

#include <functional>

using namespace zev;
using namespace dialogtest;
using SP = mission::StartPointRecord;
using W = mission::WeatherRecord;

namespace {} // namespace

TEST(StartPointForm, EditsPagesThroughTheTabBarAndHandsTheRecordsBackAtOk) {
    edit::StartPointRecords originals = mission::support::newMission()->startPoints;
    originals[4].setInt32(SP::camouflage, 12); // names no pattern
    dialogs::TStartPoint form(originals, 2);
    EXPECT_EQ(form.windowTitle(), "Player Start Points");
    auto* tabs = child<QTabBar>(&form, "PlayerTab");
    ASSERT_EQ(tabs->count(), 8);
    EXPECT_EQ(tabs->tabText(7), "Player Eight");
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(child<QLineEdit>(&form, "Z")->text(), "82600");
    EXPECT_EQ(child<QLineEdit>(&form, "Heading")->text(), "180");
    auto* camo = child<QGroupBox>(&form, "MekCamoPattern");
    EXPECT_EQ(camo->title(), "Mek Camo Pattern");
    EXPECT_TRUE(child<QRadioButton>(camo, "DarkSteelPanels")->isChecked());

    tabs->setCurrentIndex(2);
    child<QLineEdit>(&form, "X")->setText("4321");
    child<QRadioButton>(camo, "CowCamoPattern")->setChecked(true);
    tabs->setCurrentIndex(4);
    EXPECT_NE(child<QLineEdit>(&form, "X")->text(), "4321");
    for (const QRadioButton* button : camo->findChildren<QRadioButton*>())
        EXPECT_FALSE(button->isChecked()) << button->objectName().toStdString();
    tabs->setCurrentIndex(2);
    EXPECT_EQ(child<QLineEdit>(&form, "X")->text(), "4321");
    child<QLineEdit>(&form, "Heading")->setText("90");
    click(&form, "BitBtn1"); // OK stores the page still shown

    edit::StartPointRecords expected = originals;
    expected[2].setText(SP::x, "4321");
    expected[2].setText(SP::heading, "90");
    expected[2].setInt32(SP::camouflage, 5);
    EXPECT_EQ(form.result(), expected);

    answerNext<dialogs::TStartPoint>([](dialogs::TStartPoint* f) {
        child<QTabBar>(f, "PlayerTab")->setCurrentIndex(3);
        child<QLineEdit>(f, "X")->setText("1");
        child<QTabBar>(f, "PlayerTab")->setCurrentIndex(0);
        click(f, "BitBtn2");
    });
    EXPECT_EQ(dialogs::editStartPoints(originals, 3, nullptr), std::nullopt);
}

TEST(WeatherForm, ShowsTheWeatherAndComposesTheRecordAtOk) {
    W weather;
    weather.setText(W::parsec, "100");
    weather.setText(W::velocityY, "-3");
    answerNext<dialogs::TWeatherForm>([](dialogs::TWeatherForm* f) {
        EXPECT_EQ(f->windowTitle(), "Weather Settings");
        auto* type = child<QGroupBox>(f, "Type");
        EXPECT_TRUE(child<QRadioButton>(type, "Standard")->isChecked());
        EXPECT_EQ(child<QLineEdit>(f, "ParticlesPerSecond")->text(), "100");
        EXPECT_EQ(child<QLineEdit>(f, "VelocityY")->text(), "-3");
        child<QRadioButton>(type, "Snow")->setChecked(true);
        child<QLineEdit>(f, "VelocityX")->setText("2.5");
        click(f, "BitBtn1");
    });
    const auto out = dialogs::editWeather(weather, nullptr);
    ASSERT_TRUE(out.has_value());
    W expected = weather;
    expected.setInt32(W::type, 3);
    expected.setText(W::velocityX, "2.5");
    EXPECT_EQ(*out, expected);

    answerNext<dialogs::TWeatherForm>([](dialogs::TWeatherForm* f) { click(f, "BitBtn2"); });
    EXPECT_EQ(dialogs::editWeather(weather, nullptr), std::nullopt);
}
