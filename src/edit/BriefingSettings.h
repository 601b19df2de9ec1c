#pragma once

#include "mission/MissionHeader.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zev::edit {

// The mission identity and multiplayer limits the briefing room edits, as its controls hold them.
struct BriefingSettings {
    std::string projectName;
    std::string missionTitle;
    std::string musicTrack;
    int players = 2;
    bool freeForAll = false;
    // 0 clan, 1 inner sphere, 2 both; -1 when none of the three buttons is checked.
    int teamAMekGroup = -1;
    int teamBMekGroup = -1;
    friend bool operator==(const BriefingSettings&, const BriefingSettings&) = default;
};

// Control limits: the project name prefixes every generated file.
constexpr int kMissionTitleMaxLength = 35;
constexpr int kMusicTrackMaxLength = 5;
constexpr int kMinPlayers = 1;
constexpr int kMaxPlayers = 8;
constexpr int kMekGroupCount = 3;

BriefingSettings briefingSettings(const mission::MissionHeader& header);

// Why the settings cannot be stored (the project name's problem), or null when they can.
const char* briefingSettingsProblem(const BriefingSettings& settings);

// Writes the settings into the header; a mek group with no button checked keeps its value.
void storeBriefingSettings(const BriefingSettings& settings, mission::MissionHeader& header);

// The CD track Play asks for: the field's decimal value, 0 when it is empty or not a number.
std::int32_t musicTrackNumber(std::string_view text);

} // namespace zev::edit
