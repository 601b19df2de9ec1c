// The scene file: alliances, stars, camouflage, objective tables and the include list.

#include "BuildSupport.h"

#include <gtest/gtest.h>

using namespace zev::build::test;
using namespace zev::mission;
using O = ObjectiveRow;

namespace {

std::vector<std::string> sceneHead(const std::string& music, const std::vector<int>& camo) {
    std::vector<std::string> lines = {"include formatns",
                                      "music track" + music,
                                      "",
                                      "#Alliance Declaration",
                                      "alliance",
                                      "   QV",
                                      "   Morvenai",
                                      "   TLK",
                                      "   Brak",
                                      "   AshVultures",
                                      "   PaleStags",
                                      "   Wild1",
                                      "   Wild2",
                                      "end",
                                      "",
                                      "#Star Declaration",
                                      "star",
                                      "#Star       #Alliance   #Formation  #Disposition",
                                      "  en00star    QV           Star        Enemy",
                                      "  en01star    Morvenai     Star        Enemy",
                                      "  en02star    TLK          Star        Enemy",
                                      "  en03star    Brak         Star        Enemy",
                                      "  en04star    AshVultures  Star        Enemy",
                                      "  en05star    PaleStags    Star        Enemy",
                                      "  en06star    Wild1        Star        Enemy",
                                      "  en07star    Wild2        Star        Enemy",
                                      "end",
                                      ""};
    for (int i = 0; i < 8; ++i)
        lines.push_back("camo " + std::to_string(i) + " " + std::to_string(camo[i]));
    lines.push_back("");
    return lines;
}

std::vector<std::string> tableHead(int t, const std::string& timeLimit) {
    return {"#Mission Decl   #Star Name    #Time     #Audio",
            "mission         en0" + std::to_string(t) + "star      " + timeLimit +
                "        gene001",
            "  #ID #Action  #Type   #Target #Activation  #Time  #Priority  #Critical  #Audio  "
            "#Text"};
}

// Row 0 as a new mission makes it for star t of project ABCD.
std::string defaultRow(int t) {
    return "  0  Begin       Hidden      ABCDst" + std::to_string(t) +
           "1     (Initial)           -1     0   0   None         Mandatory        None      \"\"";
}

std::vector<std::string> sceneTail(bool starWorld) {
    std::vector<std::string> lines = {"",
                                      "",
                                      "#Includes",
                                      "#gp_spec",
                                      "include en00star",
                                      "include en01star",
                                      "include en02star",
                                      "include en03star",
                                      "include en04star",
                                      "include en05star",
                                      "include en06star",
                                      "include en07star",
                                      "#include planet-file",
                                      "include ABCDplt1",
                                      "#include map-file",
                                      "#include ABCDmap1",
                                      "#include shot file",
                                      "include zev_sht1.wld",
                                      "#include wld1 file",
                                      "include ABCDwld1.wld",
                                      ""};
    if (starWorld)
        lines.push_back("include bet2star");
    for (const char* line : {"",
                             "#include explosion file",
                             "include zev_xpl1.wld",
                             "#include startpoints",
                             "include ABCDst01",
                             "include ABCDst11",
                             "include ABCDst21",
                             "include ABCDst31",
                             "include ABCDst41",
                             "include ABCDst51",
                             "include ABCDst61",
                             "include ABCDst71",
                             "#include user-navpoints",
                             "include ABCDnav0",
                             "include ABCDnav1",
                             "include ABCDnav2",
                             "include ABCDnav3",
                             "include ABCDnav4",
                             "include ABCDnav5",
                             "include ABCDnav6",
                             "include ABCDnav7"})
        lines.push_back(line);
    return lines;
}

void append(std::vector<std::string>& to, const std::vector<std::string>& lines) {
    to.insert(to.end(), lines.begin(), lines.end());
}

void setRow(ObjectiveRow& row, std::vector<std::string> conditions, int combination,
            const std::string& action, const std::string& text) {
    row.setConditionsInUse(static_cast<int>(conditions.size()));
    row.setByte(O::combination, static_cast<std::uint8_t>(combination));
    for (std::size_t i = 0; i < conditions.size(); ++i)
        row.setText(O::condition(static_cast<int>(i)), conditions[i]);
    row.setText(O::action, action);
    row.setText(O::visibility, "Visible");
    row.setText(O::target, "ABCDare3");
    row.setText(O::timeLimit, "120");
    row.setText(O::aiMechsPerTarget, "2");
    row.setText(O::aiAttack, "1");
    row.setText(O::priority, "Primary");
    row.setText(O::requirement, "Optional");
    row.setText(O::audio, "gene05");
    row.setText(O::screenText, text);
}

} // namespace

TEST(SceneSource, ANewTeamMissionWritesEveryStarsDefaultObjective) {
    BuildRun run;
    run.document->header.setText(MissionHeader::musicTrack, "07");
    run.document->startPoint(3).setInt32(StartPointRecord::camouflage, 7);
    ASSERT_TRUE(run.build());

    std::vector<std::string> expected = sceneHead("07", {0, 1, 7, 3, 4, 5, 6, 7});
    for (int t = 0; t < 8; ++t) {
        append(expected, tableHead(t, "-1"));
        append(expected, {defaultRow(t), "end", ""});
    }
    append(expected, sceneTail(false));
    EXPECT_EQ(run.read("scn1.wld"), crlf(expected));
}

TEST(SceneSource, ObjectiveRowsKeepTheirIndexAcrossHolesAndWriteActivationTables) {
    BuildRun run;
    ObjectiveTable& table = run.document->objectives[1];
    table.setMissionTimeLimit("900");
    // Row 1 stays empty; rows 2, 5 and 39 follow the hole.
    setRow(table.row(2), {"Comp 0", "Succ en01star 4", "Comp Initial"}, 0, "Destroy",
           "Take the depot");
    setRow(table.row(5), {"Fail 2", "Comp 0"}, 1, "Goto", "");
    setRow(table.row(39), {"Comp 5"}, 0, "Wait", "Last");
    // A used row with no condition count writes its first condition.
    setRow(table.row(6), {}, 0, "Recon", "Look");
    table.row(6).setText(O::condition(0), "Comp 2");
    run.document->header.setByte(MissionHeader::fogWorld, 1);
    ASSERT_TRUE(run.build());

    std::vector<std::string> expected =
        sceneHead(run.document->header.text(MissionHeader::musicTrack), {0, 1, 2, 3, 4, 5, 6, 7});
    for (int t = 0; t < 8; ++t) {
        append(expected, tableHead(t, t == 1 ? "900" : "-1"));
        expected.push_back(defaultRow(t));
        if (t == 1)
            append(expected,
                   {"  2  Destroy       Visible      ABCDare3      (table)       120     2  1   "
                    "Primary         Optional         gene05      \"Take the depot\"",
                    " table and", "         Comp 0", "         Succ en01star 4",
                    "         Comp Initial", " endtable",
                    "  5  Goto       Visible      ABCDare3      (table)       120     2  1   "
                    "Primary         Optional         gene05      \"\"",
                    " table or", "         Fail 2", "         Comp 0", " endtable",
                    "  6  Recon       Visible      ABCDare3     (Comp 2)           120     2   1   "
                    "Primary         Optional        gene05      \"Look\"",
                    "  39  Wait       Visible      ABCDare3     (Comp 5)           120     2   1   "
                    "Primary         Optional        gene05      \"Last\""});
        append(expected, {"end", ""});
    }
    append(expected, sceneTail(true));
    EXPECT_EQ(run.read("scn1.wld"), crlf(expected));
}

TEST(SceneSource, AConditionCountAboveEightWritesTheEightConditionsOnly) {
    BuildRun run;
    ObjectiveRow& row = run.document->objectives[0].row(1);
    setRow(row, {"c0", "c1", "c2", "c3", "c4", "c5", "c6", "c7"}, 1, "Wait", "x");
    row.setConditionsInUse(100);
    ASSERT_TRUE(run.build());
    const std::string scene = run.read("scn1.wld").value();
    const std::string block =
        crlf({" table or", "         c0", "         c1", "         c2", "         c3",
              "         c4", "         c5", "         c6", "         c7", " endtable"});
    EXPECT_NE(scene.find(block), std::string::npos);
}
