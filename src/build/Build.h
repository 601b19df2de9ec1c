#pragma once

#include "mission/MissionDocument.h"
#include "mission/ScenePositions.h"

#include "common/Reporter.h"

#include <filesystem>
#include <string_view>

namespace zev::build {

// Why a project name cannot name the project's source directory, or null when it can. A name
// must not be empty and must not lead out of the directory "source" (path separators, "..").
const char* projectNameProblem(std::string_view projectName);

// Writes every source text of the mission into "source/<project>" of `programDirectory`: main,
// name and limit files, the eight area files of the object script, then palette, nav point,
// start point, world, planet, scene and briefing files. Object, start point and nav point
// positions come from `scene` in its child order; the start point and nav point position texts
// of `document` are refreshed from it. Fails when the main, name, limit or area files could not
// be written (the object script is then skipped); later files report their own failures and do
// not stop the others.
bool buildMission(mission::MissionDocument& document, const mission::ScenePositions& scene,
                  const std::filesystem::path& programDirectory, common::Reporter& reporter);

// The Build command: checks the project name, builds, and tells the user how it went.
bool buildCommand(mission::MissionDocument& document, const mission::ScenePositions& scene,
                  const std::filesystem::path& programDirectory, common::Reporter& reporter);

} // namespace zev::build
