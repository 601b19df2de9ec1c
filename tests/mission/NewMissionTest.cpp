#include "mission/NewMission.h"
#include "mission/ProjectName.h"

#include "TempDir.h"
#include "TestSupport.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace zev::mission;
using H = MissionHeader;

TEST(NewMission, TakesTheFixedDefaultsWithoutAnIniFile) {
    auto doc = support::newMission();
    const H& h = doc->header;
    EXPECT_EQ(h.text(H::musicTrack), "2");
    EXPECT_EQ(h.text(H::gravity), "1.0");
    EXPECT_EQ(h.text(H::secondsInDay), "10000");
    EXPECT_EQ(h.text(H::daysInYear), "365");
    EXPECT_EQ(h.text(H::meanTemperature), "0");
    EXPECT_EQ(h.text(H::maxJumpHeight), "50000");
    EXPECT_EQ(h.text(H::minHeight), "0");
    EXPECT_EQ(h.text(H::maxHeight), "10000");
    EXPECT_EQ(h.text(H::coefFriction), "0");
    EXPECT_EQ(h.byte(H::canEject), 1);
    EXPECT_EQ(h.text(H::ambientLight), "45");
    EXPECT_EQ(h.text(H::shadeDistance), "65000");
    EXPECT_EQ(h.byte(H::hideSky) + h.byte(H::hideGround) + h.byte(H::hideHorizon), 0);
    EXPECT_EQ(h.int32(H::now), 1);
    EXPECT_EQ(h.text(H::clipNear), "1");
    EXPECT_EQ(h.text(H::clipFar), "150000");
    EXPECT_EQ(h.text(H::colorPalette), "gr0npal1");
    EXPECT_EQ(h.text(H::lightSourceX), "100000");
    EXPECT_EQ(h.text(H::lightSourceY), "20000");
    EXPECT_EQ(h.text(H::lightSourceZ), "0");
    EXPECT_EQ(h.byte(H::pointLight), 0);
    EXPECT_EQ(h.int32(H::fog), 0);
    EXPECT_EQ(h.text(H::groundTexture), "bet1");
    EXPECT_EQ(h.int32(H::teamAMekGroup), 2);
    EXPECT_EQ(h.int32(H::teamBMekGroup), 2);
    EXPECT_TRUE(doc->untitled);
    EXPECT_FALSE(doc->modified);
}

TEST(NewMission, PlacesStartPointsNavPointsWeatherAndPalette) {
    auto doc = support::newMission();
    const StartPointRecord& p2 = doc->startPoint(2);
    EXPECT_EQ(p2.text(StartPointRecord::x), "8100");
    EXPECT_EQ(p2.text(StartPointRecord::y), "0");
    EXPECT_EQ(p2.text(StartPointRecord::z), "82600");
    EXPECT_EQ(p2.text(StartPointRecord::heading), "180");
    EXPECT_EQ(doc->startPoint(7).text(StartPointRecord::heading), "310");
    for (int p = 1; p <= 8; ++p)
        EXPECT_EQ(doc->startPoint(p).int32(StartPointRecord::camouflage), p - 1);

    const char* coordinates[8] = {"10000",  "20000",  "30000",  "40000",
                                  "-10000", "-20000", "-30000", "-40000"};
    for (int s = 0; s < 8; ++s) {
        const NavPointRecord& nav = doc->navPoint(s, 0);
        EXPECT_TRUE(nav.isInUse());
        EXPECT_EQ(nav.text(NavPointRecord::x), coordinates[s]);
        EXPECT_EQ(nav.text(NavPointRecord::z), coordinates[s]);
        EXPECT_EQ(nav.text(NavPointRecord::y), "5000");
        EXPECT_EQ(nav.text(NavPointRecord::groupId), std::to_string(s));
        EXPECT_EQ(nav.text(NavPointRecord::radius), "150");
        EXPECT_EQ(nav.text(NavPointRecord::actions), "BEGIN;RETURN;goto;leave;wait");
        EXPECT_EQ(nav.text(NavPointRecord::navText), "Nav Alpha");
        for (int n = 1; n < 25; ++n)
            EXPECT_EQ(doc->navPoint(s, n), NavPointRecord{});
    }
    EXPECT_EQ(doc->weather.int32(WeatherRecord::type), 0);
    EXPECT_EQ(doc->weather.text(WeatherRecord::parsec), "10");
    EXPECT_EQ(doc->weather.text(WeatherRecord::velocityY), "-15000");
    EXPECT_EQ(doc->palette.text(PaletteRecord::entry(3)), "BROW0NDA");
    EXPECT_EQ(doc->palette.text(PaletteRecord::entry(4)), "BROW0NDU");
    EXPECT_EQ(doc->palette.text(PaletteRecord::entry(11)), "BROW0NNI");
    EXPECT_EQ(doc->palette.text(PaletteRecord::entry(15)), "IRCOOL");
    EXPECT_EQ(doc->palette.text(PaletteRecord::entry(16)), "BLACK");
    EXPECT_EQ(doc->palette.text(PaletteRecord::entry(17)), "ZAPPED");
    EXPECT_EQ(doc->palette.text(PaletteRecord::entry(19)), "ALLWHT");
}

TEST(NewMission, SetsTheDfxMissionOptions) {
    auto doc = support::newMission();
    const H& h = doc->header;
    EXPECT_EQ(h.byte(H::dfxFlag1), 1);
    EXPECT_EQ(h.byte(H::dfxFlag2), 1);
    EXPECT_EQ(h.int32(zev::common::Int32Field{632}), 60);
    EXPECT_EQ(h.int32(zev::common::Int32Field{644}), 160000);
    EXPECT_EQ(h.text(zev::common::TextField{688, 4}), "D");
    EXPECT_EQ(h.int32(zev::common::Int32Field{692}), -1);
    EXPECT_EQ(h.text(zev::common::TextField{716, 4}), "D");
    EXPECT_EQ(h.int32(zev::common::Int32Field{740}), 200);
    EXPECT_EQ(h.float32(zev::common::Float32Field{752}), 8000.0f);
    EXPECT_EQ(h.int32(zev::common::Int32Field{764}), 255);
    EXPECT_EQ(h.float32(zev::common::Float32Field{768}), 0.01f);
    EXPECT_EQ(h.float32(zev::common::Float32Field{772}), 0.05f);
}

TEST(NewMission, ReadsProgramDefaultsFromTheIniFile) {
    TempDir home;
    std::ofstream(home / "ZEVEDIT.INI")
        << "[program defaults]\r\ngravity = 0.5\r\nCAN EJECT=0\r\nHide Sky=5\r\nNOW=3\r\n"
           "FOG=2\r\nGROUND TEXTURE=snowfieldtexturewithaverylongname\r\n"
           "PLAYER 2 START POINT X=123456789012345\r\nPLAYER 2 HEADING=90\r\n";
    MissionDocument doc;
    storeSelection(doc, {"AB", "M", 2, false, true});
    resetToNewMission(doc, home.path(), 1);
    const H& h = doc.header;
    EXPECT_EQ(h.text(H::gravity), "0.5");
    EXPECT_EQ(h.byte(H::canEject), 0);
    EXPECT_EQ(h.byte(H::hideSky), 1);
    EXPECT_EQ(h.int32(H::now), 3);
    EXPECT_EQ(h.int32(H::fog), 2);
    EXPECT_EQ(h.text(H::groundTexture), "snowfieldtexturewithavery"); // cut to 25
    EXPECT_EQ(doc.startPoint(2).text(StartPointRecord::x), "1234567890");
    EXPECT_EQ(doc.startPoint(2).text(StartPointRecord::z), "82600");
    EXPECT_EQ(doc.startPoint(2).text(StartPointRecord::heading), "90");
    EXPECT_EQ(h.byte(H::patch), 1);
    EXPECT_EQ(h.text(H::numberOfPlayers), "2");
    EXPECT_EQ(h.byte(H::freeForAll), 0);
}

TEST(NewMission, FreesEveryObject) {
    auto doc = support::newMission();
    zev::common::SilentReporter quiet;
    doc->objects.allocate(quiet);
    doc->modified = true;
    resetToNewMission(*doc, "/nonexistent", 0);
    EXPECT_EQ(doc->objects.count(), 0);
    EXPECT_FALSE(doc->modified);
}

TEST(ProjectName, AcceptsShortPlainNamesAndSaysWhyOthersCannotBeOne) {
    for (const char* good : {"A", "ABCD", "A.B", "a-_1", ".a"})
        EXPECT_EQ(projectNameProblem(good), nullptr) << good;
    EXPECT_STREQ(projectNameProblem(""), "No Project Name Specified!");
    for (const char* escaping : {".", "..", "a/b", "a\\b", "c:x", "..ab"})
        EXPECT_STREQ(projectNameProblem(escaping), kProjectNameEscapes) << escaping;
    for (const char* unsafe :
         {"a b", "ab*?", "a\"b", "<ab", "a>", "a|b", "a&b", "a^b", "a%b", "a\tb", "a\x7f", "a#b"})
        EXPECT_STREQ(projectNameProblem(unsafe), kProjectNameUnsafe) << unsafe;
    EXPECT_STREQ(projectNameProblem("ABCDE"), kProjectNameTooLong);
    EXPECT_STREQ(projectNameProblem(std::string_view("AB\0C", 4)), kProjectNameUnsafe);
}
