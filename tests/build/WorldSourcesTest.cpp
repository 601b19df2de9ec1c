// Main, name, limit, palette, nav point, start point, world and planet files, compared whole.

#include "BuildSupport.h"

#include <gtest/gtest.h>

using namespace zev::build::test;
using namespace zev::mission;
using H = MissionHeader;

TEST(WorldSources, MainNameAndLimitFilesNameTheSceneMissionPlayersAndMekGroups) {
    BuildRun run;
    run.document->header.setText(H::numberOfPlayers, "6");
    run.document->header.setInt32(H::teamAMekGroup, 0);
    run.document->header.setInt32(H::teamBMekGroup, 1);
    ASSERT_TRUE(run.build());
    EXPECT_EQ(run.read(".wld"), "include ABCDscn1\r\n");
    EXPECT_EQ(run.read("name.txt"), "Test Mission\r\n&X");
    EXPECT_EQ(run.read("lim0.txt"), "MAXPLAYERS 6\r\nTEAM\r\n");
    EXPECT_EQ(run.read("lim1.txt"), "CLAN\r\n");
    EXPECT_EQ(run.read("lim2.txt"), "IS\r\n");

    BuildRun freeForAll;
    freeForAll.document = newMission("WXYZ", true);
    ASSERT_TRUE(freeForAll.build());
    EXPECT_EQ(freeForAll.read(".wld"), "include WXYZscn1\r\n");
    EXPECT_EQ(freeForAll.read("lim0.txt"), "MAXPLAYERS 4\r\nFREE\r\n");
    EXPECT_EQ(freeForAll.read("lim1.txt"), "BOTH\r\n");
    EXPECT_EQ(freeForAll.read("lim2.txt"), "BOTH\r\n");
}

TEST(WorldSources, ThePaletteFileListsTheTwentyEntriesFourPerLineWhateverTheFlag) {
    for (std::uint8_t flag : {0, 1}) {
        BuildRun run;
        for (int i = 0; i < PaletteRecord::entryCount; ++i)
            run.document->palette.setText(PaletteRecord::entry(i),
                                          (i < 10 ? "p0" : "p") + std::to_string(i));
        run.document->palette.setByte(PaletteRecord::flag, flag);
        ASSERT_TRUE(run.build());
        EXPECT_EQ(
            run.read("pal1.wld"),
            crlf({"#   user defined custom color palette",
                  "#   day, dusk, night, & fog groups: standard, xplosion, flash, smoke",
                  "#   misc group: black, zap (red), interior (cockpit only), alternate (?)", "",
                  "#                    std        xpl        fsh        smk", "",
                  "palette_grp    day  p00 p01 p02 p03", "palette_grp   dusk  p04 p05 p06 p07",
                  "palette_grp  night  p08 p09 p10 p11", "palette_grp     ir  p12 p13 p14 p15", "",
                  "#                    blk   zap    int   alt",
                  "palette_misc        p16 p17 p18 p19", "#   end of *.WLD"}));
    }
}

TEST(WorldSources, NavPointFilesHoldTheUsedSlotsOfTheirStarOnly) {
    BuildRun run;
    for (auto& star : run.document->stars)
        for (auto& nav : star)
            nav.clear();
    using N = NavPointRecord;
    NavPointRecord& alpha = run.document->navPoint(2, 0);
    alpha.setByte(N::inUse, 1);
    alpha.setText(N::x, "100");
    alpha.setText(N::y, "200");
    alpha.setText(N::z, "300");
    alpha.setText(N::heading, "90");
    alpha.setText(N::enabled, "1");
    alpha.setText(N::groupId, "7");
    alpha.setText(N::radius, "150");
    alpha.setText(N::actions, "BEGIN;goto");
    alpha.setText(N::navText, "Alpha");
    NavPointRecord& stale = run.document->navPoint(2, 1);
    stale.setText(N::x, "999");
    stale.setText(N::navText, "stale");
    NavPointRecord& last = run.document->navPoint(2, 24);
    last.setByte(N::inUse, 1);
    last.setText(N::x, "-5");
    last.setText(N::y, "0");
    last.setText(N::z, "12");
    last.setText(N::heading, "0");
    last.setText(N::enabled, "0");
    last.setText(N::radius, "75");
    last.setText(N::actions, "wait");
    ASSERT_TRUE(run.build());

    EXPECT_EQ(run.read("nav2.wld"),
              crlf({"navpoint 100,200,300 90 1 0 0 2 150 BEGIN;goto \"Alpha\"",
                    "navpoint -5,0,12 0 0 0 0 2 75 wait \"\""}));
    for (int s : {0, 1, 3, 4, 5, 6, 7})
        EXPECT_EQ(run.read("nav" + std::to_string(s) + ".wld"), "") << "star " << s;
}

TEST(WorldSources, StartPointFilesCarryEachPlayersPositionHeadingAndFixedTail) {
    BuildRun run;
    for (int p = 1; p <= kPlayerCount; ++p) {
        StartPointRecord& sp = run.document->startPoint(p);
        sp.setText(StartPointRecord::x, std::to_string(p * 100));
        sp.setText(StartPointRecord::y, "0");
        sp.setText(StartPointRecord::z, "-" + std::to_string(p));
        sp.setText(StartPointRecord::heading, std::to_string(p * 10));
    }
    ASSERT_TRUE(run.build());
    const char* expected[] = {
        "# userstar 1\r\nnavpoint       100,0,-1 10 0 0 0 0 0 BEGIN\r\n",
        "# userstar 2\r\nnavpoint       200,0,-2 20 0 0 0 1 180 BEGIN\r\n",
        "# userstar 3\r\nnavpoint       300,0,-3 30 0 0 0 2 100 BEGIN\r\n",
        "# userstar 4\r\nnavpoint       400,0,-4 40 0 0 0 3 270 BEGIN\r\n",
        "# userstar 5\r\nnavpoint    500,0,-5 50 0 0 0 4 70 BEGIN\r\n",
        "# userstar 6\r\nnavpoint    600,0,-6 60 0 0 0 5 200 BEGIN\r\n",
        "# userstar 7\r\nnavpoint    700,0,-7 70 0 0 0 6 310 BEGIN\r\n",
        "# userstar 8\r\nnavpoint    800,0,-8 80 0 0 0 7 0 BEGIN\r\n",
    };
    for (int i = 0; i < kPlayerCount; ++i)
        EXPECT_EQ(run.read("st" + std::to_string(i) + "1.wld"), expected[i]) << "player " << i + 1;
}

TEST(WorldSources, TheWorldFileIncludesTheEightAreaFiles) {
    BuildRun run;
    ASSERT_TRUE(run.build());
    EXPECT_EQ(run.read("wld1.wld"),
              crlf({"#include area files here", "include ABCDare1", "include ABCDare2",
                    "include ABCDare3", "include ABCDare4", "include ABCDare5", "include ABCDare6",
                    "include ABCDare7", "include ABCDare8"}));
}

namespace {

// Every environment value the planet file writes, set to a recognisable text.
void setEnvironment(MissionDocument& d) {
    H& h = d.header;
    h.setText(H::gravity, "1.00");
    h.setText(H::secondsInDay, "86400");
    h.setText(H::daysInYear, "365");
    h.setText(H::meanTemperature, "-50");
    h.setText(H::maxJumpHeight, "4000");
    h.setText(H::maxHeight, "90000");
    h.setText(H::minHeight, "-1000");
    h.setText(H::coefFriction, "0.5");
    h.setText(H::shadeDistance, "30000");
    h.setByte(H::canEject, 1);
    h.setByte(H::hideSky, 0);
    h.setByte(H::hideGround, 1);
    h.setByte(H::hideHorizon, 0);
    h.setText(H::ambientLight, "120");
    h.setInt32(H::now, 2);
    h.setText(H::clipNear, "1");
    h.setText(H::clipFar, "60000");
    h.setText(H::lightSourceX, "10");
    h.setText(H::lightSourceY, "20");
    h.setText(H::lightSourceZ, "30");
    h.setByte(H::pointLight, 0);
    h.setText(H::colorPalette, "gr0npal1");
    h.setText(H::groundTexture, "desert");
    h.setInt32(H::fog, 0);
    h.setByte(H::fogWorld, 0);
    h.setByte(H::patch, 0);
    h.setByte(H::dfxFlag1, 0);
    h.setByte(H::dfxFlag2, 0);
    d.weather.setInt32(WeatherRecord::type, 0);
    d.weather.setText(WeatherRecord::parsec, "10");
    d.weather.setText(WeatherRecord::velocityX, "0");
    d.weather.setText(WeatherRecord::velocityY, "-15000");
    d.weather.setText(WeatherRecord::velocityZ, "5");
    d.palette.setByte(PaletteRecord::flag, 0);
}

const std::string kPlanetTop = "planet 1.00 0 86400 365 0 27000\r\n";
const std::string kPlanetBody =
    crlf({"planet2 -50 4000 90000 -1000 0.5 1", "    planet3 0 1 0 1 0", "light 10,20,30 1",
          "ambient 120", "                   view 1 60000", "                   shadedist 30000",
          "                   now 2 0", "                   horizon_map 0,100,0 0 0 0"});
const std::string kNamedPalette =
    crlf({"hidden_text \"Empty\"", "                   luma standard",
          "                   # Include the Palette file", "                   include gr0npal1",
          "                   include desertmap1"});

std::string planet(MissionDocument& d) {
    BuildRun run;
    *run.document = d;
    EXPECT_TRUE(run.build());
    return run.read("plt1.wld").value_or("<missing>");
}

} // namespace

TEST(WorldSources, ThePlanetFileWritesTheEnvironmentWithoutWeatherForTypeZero) {
    auto d = newMission();
    setEnvironment(*d);
    EXPECT_EQ(planet(*d), kPlanetTop + kPlanetBody + kNamedPalette);
}

TEST(WorldSources, ThePlanetFileWritesAWeatherBlockForRainHailAndSnow) {
    auto d = newMission();
    setEnvironment(*d);
    const char* types[] = {"type rain", "type hail", "type snow"};
    for (int type = 1; type <= 3; ++type) {
        d->weather.setInt32(WeatherRecord::type, type);
        EXPECT_EQ(planet(*d), kPlanetTop +
                                  crlf({"weather_begin", types[type - 1], "parsec 10",
                                        "velocity 0 -15000 5", "weather_end"}) +
                                  kPlanetBody + kNamedPalette)
            << "type " << type;
    }
    // An unknown type keeps the block but names no type.
    d->weather.setInt32(WeatherRecord::type, 4);
    EXPECT_EQ(planet(*d),
              kPlanetTop +
                  crlf({"weather_begin", "parsec 10", "velocity 0 -15000 5", "weather_end"}) +
                  kPlanetBody + kNamedPalette);
}

TEST(WorldSources, TheCustomPaletteFogWorldAndPointLightChangeTheLightAndPaletteLines) {
    auto d = newMission();
    setEnvironment(*d);
    d->palette.setByte(PaletteRecord::flag, 1);
    d->header.setInt32(H::fog, 1);
    d->header.setByte(H::pointLight, 1);
    std::string body = kPlanetBody;
    body.replace(body.find("light 10,20,30 1"), 16, "light 10,20,30 0");
    EXPECT_EQ(planet(*d), kPlanetTop + body +
                              crlf({"hidden_text \"Empty\"", "                   luma fogpal1",
                                    "                   # Include the Palette file",
                                    "                   include ABCDpal1",
                                    "                   include desertmap1"}));

    // Fog world with the palette chosen by name.
    d->palette.setByte(PaletteRecord::flag, 0);
    d->header.setByte(H::pointLight, 0);
    std::string fogNamed = kNamedPalette;
    fogNamed.replace(fogNamed.find("luma standard"), 13, "luma fog");
    EXPECT_EQ(planet(*d), kPlanetTop + kPlanetBody + fogNamed);

    // The star world flag does not touch the planet file.
    d->header.setInt32(H::fog, 0);
    d->header.setByte(H::fogWorld, 1);
    EXPECT_EQ(planet(*d), kPlanetTop + kPlanetBody + kNamedPalette);
}

TEST(WorldSources, TheSkyDomeLineEndsThePlanetFileOnlyForThe3dfxPatchWithSkyDome) {
    auto d = newMission();
    setEnvironment(*d);
    d->header.setByte(H::patch, 1);
    d->header.setByte(H::dfxFlag1, 1);
    d->header.setByte(H::dfxFlag2, 1);
    EXPECT_EQ(planet(*d), kPlanetTop + kPlanetBody + kNamedPalette + "include skydome");
    for (auto off : {H::patch, H::dfxFlag1, H::dfxFlag2}) {
        auto partial = newMission();
        *partial = *d;
        partial->header.setByte(off, 0);
        EXPECT_EQ(planet(*partial), kPlanetTop + kPlanetBody + kNamedPalette)
            << "flag at " << off.offset;
    }
}
