#include "edit/BriefingSettings.h"

#include "mission/ProjectName.h"

#include <gtest/gtest.h>

using namespace zev;
using edit::BriefingSettings;
using mission::MissionHeader;

TEST(BriefingSettings, ShowTheHeaderAndStoreBackWhatTheControlsHold) {
    MissionHeader header;
    header.setText(MissionHeader::projectName, "ABCD");
    header.setText(MissionHeader::missionName, "Night Raid");
    header.setText(MissionHeader::musicTrack, "2");
    header.setText(MissionHeader::numberOfPlayers, "04");
    header.setByte(MissionHeader::freeForAll, 1);
    header.setInt32(MissionHeader::teamAMekGroup, 1);
    header.setInt32(MissionHeader::teamBMekGroup, 7); // no button for it
    BriefingSettings s = edit::briefingSettings(header);
    EXPECT_EQ(s, (BriefingSettings{"ABCD", "Night Raid", "2", 4, true, 1, -1}));

    // Unchanged controls leave the header as it was, the players' "04" included.
    MissionHeader same = header;
    edit::storeBriefingSettings(s, same);
    EXPECT_EQ(same, header);

    // A mek group with no button checked keeps its value; the others take theirs.
    s = {"WXYZ", std::string(50, 't'), "12345678", 6, false, -1, 0};
    edit::storeBriefingSettings(s, header);
    EXPECT_EQ(header.text(MissionHeader::projectName), "WXYZ");
    EXPECT_EQ(header.text(MissionHeader::missionName), std::string(35, 't'));
    EXPECT_EQ(header.text(MissionHeader::musicTrack), "12345");
    EXPECT_EQ(header.text(MissionHeader::numberOfPlayers), "6");
    EXPECT_EQ(header.byte(MissionHeader::freeForAll), 0);
    EXPECT_EQ(header.int32(MissionHeader::teamAMekGroup), 1);
    EXPECT_EQ(header.int32(MissionHeader::teamBMekGroup), 0);
}

TEST(BriefingSettings, RefuseProjectNamesThatNewRefusesAndReadTheTrackNumber) {
    BriefingSettings s;
    for (const char* bad : {"", "a/b", "..", "c:x", "ab\\c"}) {
        s.projectName = bad;
        EXPECT_NE(edit::briefingSettingsProblem(s), nullptr) << bad;
    }
    s.projectName = "../x";
    EXPECT_STREQ(edit::briefingSettingsProblem(s), mission::kProjectNameEscapes);
    s.projectName = "ZEV1";
    EXPECT_EQ(edit::briefingSettingsProblem(s), nullptr);

    EXPECT_EQ(edit::musicTrackNumber(""), 0);
    EXPECT_EQ(edit::musicTrackNumber("7"), 7);
    EXPECT_EQ(edit::musicTrackNumber("7a"), 0);
    EXPECT_EQ(edit::musicTrackNumber("-2"), -2);
}
