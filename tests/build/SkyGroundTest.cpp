#include "DecimalCommaLocale.h"
#include "TempDir.h"

#include "build/SkyGround.h"
#include "common/FileIo.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <variant>

namespace fs = std::filesystem;
using namespace zev::build;
using zev::mission::MissionHeader;

namespace {

// The 3dfx option values a new mission starts with.
MissionHeader headerWithDefaults(std::uint8_t patch, std::uint8_t dfx) {
    MissionHeader h;
    h.setText(MissionHeader::projectName, "ABCD");
    h.setByte(MissionHeader::patch, patch);
    h.setByte(MissionHeader::dfxFlag1, dfx);
    const std::vector<std::variant<int, const char*, float>> values = {
        60,  15000, 60,  160000, 7,   5000, 500000, 500000, 30,  30,  35,    255,
        255, 200,   "D", -1,     -1,  0,    155,    155,    155, "D", 1,     1,
        0,   200,   200, 200,    0.f, 0.f,  8000.f, 64,     64,  255, 0.01f, 0.05f};
    for (int i = 0; i < 36; ++i) {
        if (auto* n = std::get_if<int>(&values[std::size_t(i)]))
            h.setInt32(MissionHeader::dfxInt(i), *n);
        else if (auto* t = std::get_if<const char*>(&values[std::size_t(i)]))
            h.setText(MissionHeader::dfxLetter(i), *t);
        else
            h.setFloat32(MissionHeader::dfxFloat(i), std::get<float>(values[std::size_t(i)]));
    }
    return h;
}

TEST(SkyGround, TheMissionTypeComesFromThePatchAndThreeDfxFlags) {
    EXPECT_EQ(missionType(headerWithDefaults(0, 0)), MissionType::DosStandard);
    EXPECT_EQ(missionType(headerWithDefaults(0, 1)), MissionType::DosStandard);
    EXPECT_EQ(missionType(headerWithDefaults(1, 0)), MissionType::Patch8Bit);
    EXPECT_EQ(missionType(headerWithDefaults(1, 1)), MissionType::Patch3dfx);
    EXPECT_FALSE(isPatchMission(headerWithDefaults(0, 1)));
    EXPECT_TRUE(isPatchMission(headerWithDefaults(1, 0)));
}

TEST(SkyGround, TheShortAndFullLinesTakeTheValuesInRecordOrder) {
    EXPECT_EQ(skyGroundLine(headerWithDefaults(1, 0), "ABCD"),
              "mission=ABCD globalintensity=60 tile_ground=15000 grounddelta=60 "
              "ground_max=160000 shadowtable=7 gclip=5000,500000,500000");
    EXPECT_EQ(skyGroundLine(headerWithDefaults(1, 1), "ABCD"),
              "mission=ABCD globalintensity=60 tile_ground=15000 grounddelta=60 "
              "ground_max=160000 shadowtable=7 gclip=5000,500000,500000 amb=30,30,35 "
              "wa=255,255,200,D,-1,-1,0 wb=155,155,155,D,1,1,0 fog=200,200,200 "
              "density=0.000000,0.000000,8000.000000 sky=64,64,255 skyAnim=0.010000,0.050000");
}

TEST(SkyGround, TheFullLineKeepsItsDecimalPointsUnderADecimalCommaLocale) {
    DecimalCommaLocale comma;
    if (!comma.active())
        GTEST_SKIP() << comma.why();
    const std::string line = skyGroundLine(headerWithDefaults(1, 1), "ABCD");
    EXPECT_NE(line.find(" density=0.000000,0.000000,8000.000000 sky=64,64,255 "
                        "skyAnim=0.010000,0.050000"),
              std::string::npos)
        << line;
}

TEST(SkyGround, ThePackageMemberIsTheFlagAndTheRawOptionWords) {
    for (std::uint8_t dfx : {0, 1}) {
        const MissionHeader h = headerWithDefaults(1, dfx);
        const auto member = skyGroundParameters(h);
        ASSERT_EQ(member.size(), 145u);
        EXPECT_EQ(member[0], dfx);
        EXPECT_TRUE(std::equal(member.begin() + 1, member.end(), h.bytes().begin() + 632));
    }
    EXPECT_EQ(skyGroundParameters(headerWithDefaults(1, 1))[1], 60); // first word, little-endian
}

const std::string kLine = "mission=abcd globalintensity=1";

TEST(SkyGround, ANewMissionLineIsAppendedAfterTheNote) {
    EXPECT_EQ(updatedSkyGroundText("", "abcd", kLine), "\r\n# Added by ZEVEDIT 3D\r\n" + kLine);
    EXPECT_EQ(updatedSkyGroundText("mission=xyz a=1\r\n", "abcd", kLine),
              "mission=xyz a=1\r\n\r\n# Added by ZEVEDIT 3D\r\n" + kLine);
    // Commented lines never match, nor does a longer name that merely begins with the project's.
    EXPECT_EQ(updatedSkyGroundText("# mission=abcd a=1\nmission=abcde a=1\n", "abcd", kLine),
              "# mission=abcd a=1\nmission=abcde a=1\n\n# Added by ZEVEDIT 3D\n" + kLine);
}

TEST(SkyGround, AnExistingLineIsReplacedWhateverTheLengths) {
    const std::string before = "mission=one a=1\r\n";
    const std::string after = "\r\nmission=two b=2\r\n";
    // Equal length and shorter: padded with blanks, the line count stays.
    const std::string same = "mission=abcd x=" + std::string(kLine.size() - 15, '9');
    ASSERT_EQ(same.size(), kLine.size());
    EXPECT_EQ(updatedSkyGroundText(before + same + after, "abcd", kLine), before + kLine + after);
    const std::string longer = same + "99999";
    EXPECT_EQ(updatedSkyGroundText(before + longer + after, "abcd", kLine),
              before + kLine + "     " + after);
    // Longer: the following lines are untouched.
    EXPECT_EQ(updatedSkyGroundText(before + "mission=abcd" + after, "abcd", kLine),
              before + kLine + after);
    // A last line without a line end.
    EXPECT_EQ(updatedSkyGroundText(before + "mission=abcd", "abcd", kLine), before + kLine);
}

TEST(SkyGround, MatchingIgnoresCaseAndTheLastMatchWins) {
    const std::string text = "MISSION=ABCD A=1\r\nmission=abcd b=2\r\nx=0\r\n";
    EXPECT_EQ(updatedSkyGroundText(text, "abcd", "mission=abcd c"),
              "MISSION=ABCD A=1\r\nmission=abcd c  \r\nx=0\r\n");
    EXPECT_TRUE(isSkyGroundLineOf("MISSION=ABCD A=1", "abcd"));
    EXPECT_TRUE(isSkyGroundLineOf("mission=abcd", "ABCD"));
    EXPECT_TRUE(isSkyGroundLineOf("mission=AbCd\tx", "aBcD"));
    EXPECT_FALSE(isSkyGroundLineOf("mission=abcd #old", "abcd"));
    EXPECT_FALSE(isSkyGroundLineOf("missionabcd", "abcd"));
}

TEST(SkyGround, OnlyTheWholeMissionValueNamesTheLine) {
    // Project "7" against mission ABC's "shadowtable=7": ABC's line stays, a new one is added.
    const std::string abc = "mission=ABC globalintensity=60 shadowtable=7 gclip=7,7,7\r\n";
    EXPECT_EQ(updatedSkyGroundText(abc, "7", "mission=7 a=1"),
              abc + "\r\n# Added by ZEVEDIT 3D\r\nmission=7 a=1");
    EXPECT_EQ(updatedSkyGroundText(abc, "ABC", "mission=ABC n"),
              "mission=ABC n" + std::string(abc.size() - 15, ' ') + "\r\n");

    EXPECT_TRUE(isSkyGroundLineOf("MISSION=abcd", "ABCD"));
    EXPECT_TRUE(isSkyGroundLineOf("  Mission=ABCD\tx=1", "abcd"));
    EXPECT_TRUE(isSkyGroundLineOf("x=1 mission=ABCD", "abcd"));
    EXPECT_FALSE(isSkyGroundLineOf("mission=ABCDE a=1", "ABCD"));
    EXPECT_FALSE(isSkyGroundLineOf("mission=XABCD a=1", "ABCD"));
    EXPECT_FALSE(isSkyGroundLineOf("mission=ABC,D a=1", "ABC"));
    EXPECT_FALSE(isSkyGroundLineOf("mission=XYZ name=ABCD", "ABCD"));
    EXPECT_FALSE(isSkyGroundLineOf("submission=ABCD", "ABCD"));
    EXPECT_FALSE(isSkyGroundLineOf("mission= ABCD", "ABCD"));
    EXPECT_FALSE(isSkyGroundLineOf("mission=", "ABCD"));
}

std::string readText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(SkyGround, TheGameFileIsFoundInAnyCaseOrCreated) {
    TempDir dir;
    ASSERT_TRUE(updateSkyGroundFile(dir.path(), "abcd", kLine));
    EXPECT_EQ(readText(dir / "skygnd.par"), "\r\n# Added by ZEVEDIT 3D\r\n" + kLine);

    TempDir upper;
    zev::common::writeWholeFile(upper / "SKYGND.PAR", std::string_view("mission=abcd old=1\r\n"));
    ASSERT_TRUE(updateSkyGroundFile(upper.path(), "abcd", "mission=abcd n"));
    EXPECT_EQ(readText(upper / "SKYGND.PAR"), "mission=abcd n    \r\n");
    EXPECT_FALSE(fs::exists(upper / "skygnd.par"));

    TempDir blocked;
    fs::create_directories(blocked / "skygnd.par");
    EXPECT_FALSE(updateSkyGroundFile(blocked.path(), "abcd", kLine));
}

TEST(SkyGround, AProjectNameTheFileCannotHoldIsRefusedAndEveryUpdateIsIdempotent) {
    TempDir dir;
    zev::common::writeWholeFile(dir / "skygnd.par", std::string_view("mission=xyz a=1\r\n"));
    // "#" starts a comment in the game's file: such a line would never be found again and each
    // update would add another.
    for (const char* project : {"a#b", "a b", "../x"})
        EXPECT_FALSE(
            updateSkyGroundFile(dir.path(), project, std::string("mission=") + project + " n"))
            << project;
    EXPECT_EQ(readText(dir / "skygnd.par"), "mission=xyz a=1\r\n");
    ASSERT_TRUE(updateSkyGroundFile(dir.path(), "abcd", kLine));
    const std::string once = readText(dir / "skygnd.par");
    ASSERT_TRUE(updateSkyGroundFile(dir.path(), "abcd", kLine));
    EXPECT_EQ(readText(dir / "skygnd.par"), once);
}

} // namespace
