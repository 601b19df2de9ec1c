#pragma once

#include "common/Reporter.h"
#include "mission/MissionDocument.h"

#include <filesystem>

// The sample mission of the demo data: a small base on the demo terrain that a newcomer opens,
// changes, checks, builds and compiles. It is made from the demo's own object groups and
// ready-made groups, as a designer would drop them.
namespace zev::cli {

// Where `zevedit-cli demo DIR` puts it: DIR/missions/sample.mdb, beside "game" and "home".
std::filesystem::path sampleMissionPath(const std::filesystem::path& demoDirectory);

// The mission: project "DEMO", four players free for all, every start point set, nav points
// for stars 0 and 1, objectives for star 0, a three-page briefing, weather and environment.
// `programDirectory` gives the new-mission defaults (its "zevedit.ini").
mission::MissionDocument sampleMission(const std::filesystem::path& programDirectory);

// Writes the sample to `path` (through a temporary file); failures are reported.
bool writeSampleMission(const std::filesystem::path& path,
                        const std::filesystem::path& programDirectory, common::Reporter& reporter);

} // namespace zev::cli
