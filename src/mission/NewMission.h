#pragma once

#include "MissionDocument.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace zev::mission {

// What the New Mission Selection dialog stores before the reset.
struct NewMissionSelection {
    std::string projectName;
    std::string missionName;
    int players = 4;
    bool freeForAll = true;
    bool patch = false;
};

// Stores the selection into the header (project and mission name, number of players,
// free-for-all flag). The patch choice is the program-wide patch setting, kept by the caller.
void storeSelection(MissionDocument& document, const NewMissionSelection& selection);

// Fills the document with a fresh mission: flags and object slots, environment defaults from
// section "PROGRAM DEFAULTS" of "zevedit.ini" in `programDirectory` (fixed defaults for a
// missing file or key), objective tables, nav points, start points, team mek groups, weather,
// palette, the header's patch flag from `patchSetting`, and the 3dfx mission options.
// The workspace builds its frames, markers and cameras from the result.
void resetToNewMission(MissionDocument& document, const std::filesystem::path& programDirectory,
                       std::uint8_t patchSetting);

} // namespace zev::mission
