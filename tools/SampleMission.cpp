#include "SampleMission.h"

#include "build/RtfBriefing.h"
#include "common/Numbers.h"
#include "edit/ObjectDrop.h"
#include "gamedata/DemoData.h"
#include "mission/MissionFile.h"
#include "mission/NewMission.h"
#include "mission/ObjectiveTargets.h"

#include <array>
#include <string>
#include <vector>

namespace zev::cli {

using namespace zev::mission;
namespace fs = std::filesystem;

namespace {

constexpr const char* kProject = "DEMO";

// One object of the base: the object group entry it is dropped from (by object name), where it
// stands in game units, its heading in degrees and its area.
struct Placement {
    const char* objectName;
    int x, z;
    int heading = 0;
    const char* area = "1";
};

// The base: a command post in the middle, buildings around it, a wall with a gate to the south,
// watch towers on the corners, two ready-made groups (an outpost and a fuel yard) outside, and
// trees and rocks around. Area 2 holds the targets of the "Destroy" objective.
constexpr Placement kBase[] = {
    {"command", 0, 0},
    {"hangar", -6000, 4000, 90},
    {"barracks", 5000, 4500},
    {"barracks", 5000, 8000},
    {"factory", -6000, -4000},
    {"silo", 8000, -3000},
    {"silo", 9500, -3000},
    {"depot", 0, -6000},
    {"hut", -2500, 7500, 30},
    {"radartwr", 3000, -2500, 0, "2"},
    {"watchtwr", -11000, -11000},
    {"watchtwr", 11000, -11000},
    {"watchtwr", -11000, 11000},
    {"watchtwr", 11000, 11000},
    {"wallgate", 0, -11000},
    {"walllong", -5500, -11000},
    {"walllong", 5500, -11000},
    {"walllong", -11000, 0, 90},
    {"walllong", 11000, 0, 90},
    {"lighttwr", -3000, -9500},
    {"lighttwr", 3000, -9500},
    {"tank", 2000, -8000, 180, "2"},
    {"tank", -2000, -8000, 180, "2"},
    {"truck", -8000, 0, 90},
    {"jeep", 2500, 2500, 45},
    {"fueltank", -8500, -7500},
    {"crate", 1200, -6500, 15},
    {"crate", -1200, -6500},
    {"beacon", 0, -15000},
    {"outpost", -18000, 16000, 20},
    {"fuelyard", 17000, 6000},
    {"pine", -15000, -4000},
    {"pine", -16000, -1500, 40},
    {"pine", 15000, -12000, 80},
    {"rocklrg", 20000, -15000, 200},
};

const gamedata::ObjectGroupRecord*
groupEntry(const std::vector<gamedata::demo::DemoObjectGroup>& groups,
           const std::string& objectName) {
    for (const auto& group : groups)
        for (const auto& record : group.records)
            if (record.text(gamedata::ObjectGroupRecord::objectName) == objectName)
                return &record;
    return nullptr;
}

void placeObjects(MissionDocument& document) {
    const auto groups = gamedata::demo::demoObjectGroups();
    int slot = 0;
    for (const Placement& p : kBase) {
        const gamedata::ObjectGroupRecord* entry = groupEntry(groups, p.objectName);
        if (!entry)
            continue; // the tests hold every name to the demo groups
        MissionObjectRecord record = edit::droppedObjectRecord(*entry);
        record.setInt32(MissionObjectRecord::position(0), p.x);
        record.setInt32(MissionObjectRecord::position(1), 0);
        record.setInt32(MissionObjectRecord::position(2), p.z);
        record.setInt32(MissionObjectRecord::mainRotation(1), p.heading);
        record.setText(MissionObjectRecord::areaFile, p.area);
        document.objects.place(slot++, record);
    }
}

void setNavPoint(MissionDocument& document, int star, int index, int x, int z, const char* text) {
    NavPointRecord& nav = document.navPoint(star, index);
    nav.clear();
    nav.setByte(NavPointRecord::inUse, 1);
    nav.setText(NavPointRecord::x, common::decimal(x));
    nav.setText(NavPointRecord::y, "5000");
    nav.setText(NavPointRecord::z, common::decimal(z));
    nav.setText(NavPointRecord::heading, "0");
    nav.setText(NavPointRecord::enabled, "1");
    nav.setText(NavPointRecord::groupId, common::decimal(star));
    nav.setText(NavPointRecord::radius, "150");
    nav.setText(NavPointRecord::actions, "BEGIN;RETURN;goto;leave;wait");
    nav.setText(NavPointRecord::navText, text);
}

void setNavPoints(MissionDocument& document) {
    // Star 0 patrols round the base; star 1 comes in from the north-east.
    setNavPoint(document, 0, 0, 0, -20000, "Nav Alpha");
    setNavPoint(document, 0, 1, -14000, 14000, "Nav Bravo");
    setNavPoint(document, 0, 2, 14000, 14000, "Nav Charlie");
    setNavPoint(document, 0, 3, 0, 0, "Nav Delta");
    setNavPoint(document, 1, 0, 25000, 25000, "Nav Alpha");
    setNavPoint(document, 1, 1, 9000, 9000, "Nav Bravo");
}

void setStartPoints(MissionDocument& document) {
    // A ring round the base, each player facing its middle: from player 1, where the
    // cameras start, the front view takes in the whole base.
    constexpr std::array<std::array<int, 3>, kPlayerCount> kStarts{{{0, -26000, 0},
                                                                    {0, 26000, 180},
                                                                    {-26000, 0, 90},
                                                                    {26000, 0, 270},
                                                                    {-19000, -19000, 45},
                                                                    {19000, 19000, 225},
                                                                    {19000, -19000, 315},
                                                                    {-19000, 19000, 135}}};
    for (int p = 1; p <= kPlayerCount; ++p) {
        StartPointRecord& start = document.startPoint(p);
        const auto& s = kStarts[std::size_t(p - 1)];
        start.setText(StartPointRecord::x, common::decimal(s[0]));
        start.setText(StartPointRecord::y, "0");
        start.setText(StartPointRecord::z, common::decimal(s[1]));
        start.setText(StartPointRecord::heading, common::decimal(s[2]));
    }
}

void setObjective(ObjectiveRow& row, const char* action, const std::string& target,
                  const char* condition, const char* priority, const char* text) {
    row.clear();
    row.setConditionsInUse(1);
    row.setByte(ObjectiveRow::combination, 0);
    row.setText(ObjectiveRow::action, action);
    row.setText(ObjectiveRow::visibility, "Visible");
    row.setText(ObjectiveRow::target, target);
    row.setText(ObjectiveRow::condition(0), condition);
    row.setText(ObjectiveRow::timeLimit, "-1");
    row.setText(ObjectiveRow::aiMechsPerTarget, "0");
    row.setText(ObjectiveRow::aiAttack, "0");
    row.setText(ObjectiveRow::priority, priority);
    row.setText(ObjectiveRow::requirement, "Mandatory");
    row.setText(ObjectiveRow::audio, "None");
    row.setText(ObjectiveRow::screenText, text);
}

void setObjectives(MissionDocument& document) {
    // Rows 0 (Begin) and 1 (destroy all enemy mechs) are the new mission's; two more follow.
    ObjectiveTable& table = document.objectives[0];
    setObjective(table.row(2), "Goto", composeTarget({TargetKind::NavPoint, 0, {}}, kProject),
                 "Initial", "Secondary", "Scout the base from Nav Alpha");
    setObjective(table.row(3), "Destroy", composeTarget({TargetKind::Area, 2, {}}, kProject),
                 "Comp 2", "Primary", "Destroy the radar and the tanks");
    table.setMissionTimeLimit("1800");
}

std::vector<std::uint8_t> page(const std::vector<build::ColourRun>& runs) {
    const std::string rtf = build::writeBriefingRtf(runs);
    return {rtf.begin(), rtf.end()};
}

void setBriefings(MissionDocument& document) {
    using build::ColourRun;
    document.briefings[0] =
        page({ColourRun{"OPERATION SAMPLE BASE\n", build::kBriefingRed},
              ColourRun{"A small enemy base holds the valley. Its radar tower warns the tanks "
                        "at the gate of anyone coming near.\n",
                        std::nullopt}});
    document.briefings[1] = page({ColourRun{"OBJECTIVES\n", build::kBriefingGreen},
                                  ColourRun{"1. Scout the base from Nav Alpha, south of the gate.\n"
                                            "2. Destroy the radar tower and the two tanks.\n",
                                            std::nullopt}});
    document.briefings[2] =
        page({ColourRun{"INTELLIGENCE\n", build::kBriefingBlue},
              ColourRun{"Light rain, wind from the north. The fuel yard east of the base "
                        "burns well.\n",
                        std::nullopt}});
}

void setWeatherAndEnvironment(MissionDocument& document) {
    document.weather.setInt32(WeatherRecord::type, 1); // rain
    document.weather.setText(WeatherRecord::parsec, "40");
    document.weather.setText(WeatherRecord::velocityX, "2000");
    document.weather.setText(WeatherRecord::velocityY, "-15000");
    document.weather.setText(WeatherRecord::velocityZ, "0");
    MissionHeader& h = document.header;
    h.setText(MissionHeader::groundTexture, "grass1");
    h.setText(MissionHeader::colorPalette, "gr0npal2");
    h.setText(MissionHeader::ambientLight, "60");
    h.setText(MissionHeader::lightSourceX, "80000");
    h.setText(MissionHeader::lightSourceY, "40000");
    h.setText(MissionHeader::musicTrack, "3");
    h.setInt32(MissionHeader::fog, 1);
}

} // namespace

fs::path sampleMissionPath(const fs::path& demoDirectory) {
    return demoDirectory / "missions" / "sample.mdb";
}

MissionDocument sampleMission(const fs::path& programDirectory) {
    MissionDocument document;
    NewMissionSelection selection;
    selection.projectName = kProject;
    selection.missionName = "Sample Base";
    selection.players = 4;
    selection.freeForAll = true;
    storeSelection(document, selection);
    resetToNewMission(document, programDirectory, 0);
    placeObjects(document);
    setNavPoints(document);
    setStartPoints(document);
    setObjectives(document);
    setBriefings(document);
    setWeatherAndEnvironment(document);
    return document;
}

bool writeSampleMission(const fs::path& path, const fs::path& programDirectory,
                        common::Reporter& reporter) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    MissionDocument document = sampleMission(programDirectory);
    const RecordPositions positions(document);
    return MissionFile::save(document, path, positions, 0, reporter);
}

} // namespace zev::cli
