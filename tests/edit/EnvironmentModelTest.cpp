#include "edit/EnvironmentModel.h"
#include "edit/PlatformOptionsModel.h"

#include "DecimalCommaLocale.h"
#include "TempDir.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

using namespace zev;
using namespace zev::edit;
using mission::MissionHeader;
using H = MissionHeader;

namespace {

MissionHeader newHeader() {
    return mission::support::newMission()->header;
}

} // namespace

TEST(Environment, BarsShowTheirTextsRoundedAndHeldInRangeAndAreWrittenBackFormatted) {
    MissionHeader header = newHeader();
    header.setText(H::gravity, "0.98");
    header.setText(H::meanTemperature, "-500");
    header.setText(H::ambientLight, "120");
    EnvironmentValues v = EnvironmentModel::fill(header);
    EXPECT_EQ(v.gravity, 98);
    EXPECT_EQ(v.temperature, -100);
    EXPECT_EQ(v.light, 120);
    MissionHeader out = EnvironmentModel::compose(v, header);
    EXPECT_EQ(out.text(H::gravity), "0.98");
    EXPECT_EQ(out.text(H::meanTemperature), "-100               ");
    EXPECT_EQ(out.text(H::ambientLight), "120    ");

    v.gravity = 200;
    v.temperature = 7;
    v.light = 250;
    out = EnvironmentModel::compose(v, header);
    EXPECT_EQ(out.text(H::gravity), "2.00");
    EXPECT_EQ(out.text(H::meanTemperature), "7                  ");
    EXPECT_EQ(out.text(H::ambientLight), "250    ");
    // Padded texts read back as their numbers.
    EXPECT_EQ(EnvironmentModel::fill(out).temperature, 7);
    EXPECT_EQ(EnvironmentModel::fill(out).light, 250);

    for (const auto& [text, bar] : std::initializer_list<std::pair<const char*, int>>{
             {"1.15", 115}, {"9", 200}, {"-1", 0}, {"abc", 0}, {"", 0}}) {
        header.setText(H::gravity, text);
        EXPECT_EQ(EnvironmentModel::fill(header).gravity, bar) << text;
    }
}

TEST(Environment, FlagsTextsAndNamesGoToTheirFieldsAndUnsetChoicesKeepTheStoredValues) {
    MissionHeader header = newHeader();
    header.setInt32(H::now, 9); // no radio for it
    // A name that fills its whole field, as another program may have left it.
    const std::string longName(30, 'P');
    std::copy(longName.begin(), longName.end(), header.bytes().begin() + 536);
    EnvironmentValues v = EnvironmentModel::fill(header);
    EXPECT_EQ(v.startLight, -1);
    EXPECT_EQ(v.palette, longName);

    v.secondsInDay = std::string(40, '9');
    v.hideGround = true;
    v.fog = true;
    v.starWorld = true;
    v.pointLight = true;
    v.lightSource = {"1", "-2", "3"};
    v.groundTexture = "LUNAR";
    MissionHeader out = EnvironmentModel::compose(v, header);
    EXPECT_EQ(out.text(H::secondsInDay), std::string(34, '9'));
    EXPECT_EQ(out.byte(H::hideGround), 1);
    EXPECT_EQ(out.int32(H::fog), 1);
    EXPECT_EQ(out.byte(H::fogWorld), 1);
    EXPECT_EQ(out.byte(H::pointLight), 1);
    EXPECT_EQ(out.text(H::lightSourceY), "-2");
    EXPECT_EQ(out.int32(H::now), 9);
    EXPECT_EQ(out.text(H::colorPalette), longName);
    EXPECT_EQ(out.text(H::groundTexture), "LUNAR");

    v.startLight = 3;
    v.fog = false;
    v.palette = "DESERT";
    out = EnvironmentModel::compose(v, header);
    EXPECT_EQ(out.int32(H::now), 3);
    EXPECT_EQ(out.int32(H::fog), 0);
    EXPECT_EQ(out.text(H::colorPalette), "DESERT");
}

TEST(Environment, GravityIsWrittenWithADecimalPointInADecimalCommaLocale) {
    DecimalCommaLocale comma;
    if (!comma.active())
        GTEST_SKIP() << comma.why();
    MissionHeader header = newHeader();
    header.setText(H::gravity, "0.98");
    const EnvironmentValues v = EnvironmentModel::fill(header);
    EXPECT_EQ(v.gravity, 98);
    EXPECT_EQ(EnvironmentModel::compose(v, header).text(H::gravity), "0.98");
}

TEST(ChoiceList, ListsTheNumberedNamesOfMoreThanThreeCharactersSorted) {
    TempDir dir;
    const auto ini = dir / "zevedit.ini";
    std::ofstream(ini, std::ios::binary)
        << "[COLOR PALETTES]\r\nITEM COUNT=6\r\nITEM 1=Desert\r\nITEM 2=ab\r\nitem 3=arctic\r\n"
           "ITEM 4=MOON BASE\r\nITEM 05=Never\r\nITEM 6=moon base\r\nITEM 7=Beyond\r\n"
           "[GROUND TEXTURES]\r\nITEM COUNT=99999999\r\nITEM 2=GRASS\r\n";
    EXPECT_EQ(readChoiceList(ini, kPaletteSection),
              (std::vector<std::string>{"arctic", "Desert", "MOON BASE", "moon base"}));
    EXPECT_EQ(readChoiceList(ini, kGroundTextureSection), (std::vector<std::string>{"GRASS"}));
    EXPECT_TRUE(readChoiceList(ini, "CUSTOM COLOR PALETTES").empty());
    EXPECT_TRUE(readChoiceList(dir / "missing.ini", kPaletteSection).empty());
}

TEST(PlatformOptions, TheFlagsGiveTheMissionTypeAndTheTypeTheEnabledControls) {
    MissionHeader header;
    const auto typeOf = [&header](int patch, int dfx) {
        header.setByte(H::patch, std::uint8_t(patch));
        header.setByte(H::dfxFlag1, std::uint8_t(dfx));
        return PlatformOptionsModel::missionType(header);
    };
    EXPECT_EQ(typeOf(0, 0), MissionType::DosStandard);
    EXPECT_EQ(typeOf(0, 1), MissionType::DosStandard);
    EXPECT_EQ(typeOf(1, 0), MissionType::Patch8Bit);
    EXPECT_EQ(typeOf(1, 1), MissionType::Patch3dfx);
    EXPECT_EQ(typeOf(2, 1), MissionType::DosStandard);

    for (int i = 0; i < kPlatformOptionCount; ++i) {
        EXPECT_FALSE(PlatformOptionsModel::optionEnabled(MissionType::DosStandard, i)) << i;
        EXPECT_EQ(PlatformOptionsModel::optionEnabled(MissionType::Patch8Bit, i), i < 8) << i;
        EXPECT_TRUE(PlatformOptionsModel::optionEnabled(MissionType::Patch3dfx, i)) << i;
    }
    EXPECT_FALSE(PlatformOptionsModel::skyDomeEnabled(MissionType::Patch8Bit));
    EXPECT_TRUE(PlatformOptionsModel::skyDomeEnabled(MissionType::Patch3dfx));
}

TEST(PlatformOptions, ValuesShowAsDecimalsAndSixDecimalFloatsAndAreReadBackByTheirKind) {
    MissionHeader header = newHeader();
    header.setText(H::dfxLetter(21), "xDx");
    PlatformValues v = PlatformOptionsModel::fill(header);
    EXPECT_EQ(v.options[0], "60");
    EXPECT_EQ(v.options[3], "160000");
    EXPECT_EQ(v.options[15], "-1");
    EXPECT_EQ(v.options[30], "8000.000000");
    EXPECT_EQ(v.options[34], "0.010000");
    EXPECT_EQ(v.directional, (std::array<bool, 2>{true, true}));
    EXPECT_EQ(PlatformOptionsModel::compose(v, header), [&] {
        MissionHeader same = header;
        same.setText(H::dfxLetter(21), "D");
        same.setByte(H::dfxFlag1, 0); // a Dos mission
        return same;
    }());

    v.options[0] = " 12abc";
    v.options[1] = "none";
    v.options[28] = "1.5";
    v.options[29] = "-.25e1";
    v.options[30] = "fog";
    v.directional = {false, true};
    v.skyDome = false;
    v.missionType = MissionType::Patch3dfx;
    const MissionHeader out = PlatformOptionsModel::compose(v, header);
    EXPECT_EQ(out.int32(H::dfxInt(0)), 12);
    EXPECT_EQ(out.int32(H::dfxInt(1)), 0);
    EXPECT_EQ(out.float32(H::dfxFloat(28)), 1.5f);
    EXPECT_EQ(out.float32(H::dfxFloat(29)), -2.5f);
    EXPECT_EQ(out.float32(H::dfxFloat(30)), 0.0f);
    EXPECT_EQ(out.text(H::dfxLetter(14)), "P");
    EXPECT_EQ(out.text(H::dfxLetter(21)), "D");
    EXPECT_EQ(out.byte(H::dfxFlag2), 0);
    EXPECT_EQ(out.byte(H::patch), 1);
    EXPECT_EQ(out.byte(H::dfxFlag1), 1);
}

TEST(PlatformOptions, SwitchingToDosStandardKeepsEveryValueAndClearsBothFlags) {
    MissionHeader header = newHeader();
    header.setByte(H::patch, 1);
    header.setByte(H::dfxFlag1, 1);
    PlatformValues v = PlatformOptionsModel::fill(header);
    ASSERT_EQ(v.missionType, MissionType::Patch3dfx);
    v.options[31] = "10";
    v.missionType = MissionType::DosStandard;
    const MissionHeader out = PlatformOptionsModel::compose(v, header);
    EXPECT_EQ(out.byte(H::patch), 0);
    EXPECT_EQ(out.byte(H::dfxFlag1), 0);
    EXPECT_EQ(out.byte(H::dfxFlag2), header.byte(H::dfxFlag2));
    EXPECT_EQ(out.int32(H::dfxInt(31)), 10);
    for (int i = 0; i < kPlatformOptionCount; ++i) {
        if (i == 31)
            continue;
        EXPECT_EQ(
            std::memcmp(out.bytes().data() + 632 + 4 * i, header.bytes().data() + 632 + 4 * i, 4),
            0)
            << i;
    }
}
