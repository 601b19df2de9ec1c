#pragma once

#include "mission/MissionDocument.h"
#include "mission/ScenePositions.h"

namespace zev::gamedata {
class ObjectGroupCatalog;
}

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The mission check ("Check Mission"): what in a mission would build wrongly or not at all,
// found without changing anything. Severities:
//   Error   - the Build refuses, a generated file names what does not exist, or something the
//             editor shows goes missing from the game: no project name, players without a start
//             point, an object whose geometry or ready-made group file is missing, an area number
//             outside 1 to 8, a nav point or start point position that is not a whole number,
//             a target or condition that names nothing or an objective not in use.
//   Warning - the mission builds, but probably not as meant, or a check could not be made:
//             two equal objects on one spot, a project name not of 4 characters, a target
//             whose prefix is not the project name or whose area holds no object, index files
//             out of date or missing, no archive to check against.
// Cross-references (warnings unless said): an objective's text naming a nav point ("Nav 3",
// "nav point 3", numbered from 1 as the workspace names them) that its star does not use, a
// briefing page naming a nav point no star uses, and a target naming an object group of which
// the mission holds no object (an error).
// A start point is set when any of its X, Y, Z position texts is not empty; players 1 to n
// (n the header's number of players) each need theirs set.
namespace zev::build {

struct MissionProblem {
    enum class Severity { Error, Warning };

    struct Place {
        enum class Kind { Object, NavPoint, Objective, Header, StartPoints, IndexFiles, Briefing };
        Kind kind = Kind::Header;
        int slot = -1; // Object: the object slot
        int star = -1; // NavPoint, Objective: the star (its table)
        // NavPoint: the nav point number; StartPoints: the player (1 to 8); Briefing: the page
        int index = -1;
        int row = -1; // Objective: the objective row
        friend bool operator==(const Place&, const Place&) = default;
    };

    Severity severity = Severity::Error;
    Place place;
    std::string placeText; // "Object 3 \"Bunker\"", "Star 2 nav point 5", "Star 0 objective 1"
    std::string text;
    friend bool operator==(const MissionProblem&, const MissionProblem&) = default;
};

struct CheckContext {
    // Where WTB.IDX, MEK.IDX and CHS.IDX are. Without WTB.IDX the geometries are not checked.
    std::filesystem::path programDirectory;
    // The configured project archive (completed as everywhere else); without it the index
    // files' freshness and the ready-made group files are not checked.
    std::optional<std::filesystem::path> archivePath;
    // Where the objects stand when that is not what their records hold (the editor passes its
    // workspace); null means the record positions.
    const mission::ScenePositions* objectPositions = nullptr;
    // The object groups the objects came from; null reads them from the program directory.
    const gamedata::ObjectGroupCatalog* objectGroups = nullptr;
};

// Every problem of `document`: header, start points, objects by slot, nav points by star,
// objectives by star and row, the briefing pages, then the index files.
std::vector<MissionProblem> checkMission(const mission::MissionDocument& document,
                                         const CheckContext& context);

bool hasErrors(const std::vector<MissionProblem>& problems);

// "ERROR" or "WARNING", as the command line prints it.
std::string_view severityWord(MissionProblem::Severity severity);

} // namespace zev::build
