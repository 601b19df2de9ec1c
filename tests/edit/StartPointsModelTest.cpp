#include "edit/StartPointsModel.h"
#include "edit/WeatherModel.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zev;
using namespace zev::edit;
using SP = mission::StartPointRecord;
using W = mission::WeatherRecord;

namespace {

StartPointRecords newMissionStarts() {
    return mission::support::newMission()->startPoints;
}

} // namespace

TEST(StartPoints, AStoredPageShowsAgainAndOnlyItsPlayerChanges) {
    const StartPointRecords originals = newMissionStarts();
    StartPointsModel model(originals);
    EXPECT_EQ(model.page(2), (StartPointValues{"8100", "0", "82600", "180", 1}));

    StartPointValues three = model.page(3);
    three.x = "-1234";
    three.camouflage = 5;
    model.store(3, three);
    model.store(5, model.page(5)); // leaving player 5 unchanged
    EXPECT_EQ(model.page(3).x, "-1234");
    EXPECT_EQ(model.page(3).camouflage, 5);

    StartPointRecords expected = originals;
    expected[2].setText(SP::x, "-1234");
    expected[2].setInt32(SP::camouflage, 5);
    EXPECT_EQ(model.records(), expected);

    // Players outside 1 to 8 have no page and change nothing.
    EXPECT_EQ(model.page(0), StartPointValues{});
    model.store(9, three);
    EXPECT_EQ(model.records(), expected);
}

TEST(StartPoints, StoringKeepsTheBytesThePageDoesNotShowAndCutsTexts) {
    StartPointRecords originals{};
    for (std::size_t i = 140; i < 176; ++i)
        originals[0].bytes()[i] = std::uint8_t(i);
    originals[0].setInt32(SP::camouflage, 12); // names no pattern
    originals[1].setText(SP::heading, "-180");
    StartPointsModel model(originals);

    EXPECT_EQ(model.page(1).camouflage, -1);
    StartPointValues v{std::string(40, '1'), "2", "3", "27000", -1};
    model.store(1, v);
    const SP& one = model.records()[0];
    EXPECT_EQ(one.text(SP::x), std::string(34, '1'));
    EXPECT_EQ(one.text(SP::heading), "270");
    EXPECT_EQ(one.int32(SP::camouflage), 12); // none checked keeps the index
    for (std::size_t i = 140; i < 176; ++i)
        EXPECT_EQ(one.bytes()[i], std::uint8_t(i)) << i;

    // A longer heading already stored survives its page being shown and left.
    EXPECT_EQ(model.headingMaxLength(1), 3);
    EXPECT_EQ(model.headingMaxLength(2), 4);
    model.store(2, model.page(2));
    EXPECT_EQ(model.records()[1].text(SP::heading), "-180");
    v.heading = "-9000";
    model.store(2, v);
    EXPECT_EQ(model.records()[1].text(SP::heading), "-900");

    EXPECT_STREQ(kCamouflagePatterns[0], "Plain Steel Camo");
    EXPECT_STREQ(kCamouflagePatterns[7], "Pirate Flat Black Panels");
}

TEST(Weather, FillsTheControlsAndComposesTheRecordBack) {
    W weather;
    weather.setInt32(W::type, 2);
    weather.setText(W::parsec, "40");
    weather.setText(W::velocityX, "0");
    weather.setText(W::velocityY, "-5.5");
    weather.setText(W::velocityZ, "1");
    WeatherValues v = weatherValues(weather);
    EXPECT_EQ(v, (WeatherValues{2, "40", {"0", "-5.5", "1"}}));
    EXPECT_EQ(composeWeather(weather, v), weather);

    v.type = 3;
    v.particlesPerSecond = std::string(30, '9');
    v.velocity[2] = "-2";
    const W out = composeWeather(weather, v);
    EXPECT_EQ(out.int32(W::type), 3);
    EXPECT_EQ(out.text(W::parsec), std::string(24, '9'));
    EXPECT_EQ(out.text(W::velocityY), "-5.5");
    EXPECT_EQ(out.text(W::velocityZ), "-2");

    // A type that names none shows none checked and is kept.
    weather.setInt32(W::type, 7);
    v = weatherValues(weather);
    EXPECT_EQ(v.type, -1);
    EXPECT_EQ(composeWeather(weather, v).int32(W::type), 7);
}
