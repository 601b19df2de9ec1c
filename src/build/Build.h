#pragma once

#include "mission/MissionDocument.h"
#include "mission/ScenePositions.h"

#include "common/Reporter.h"

#include <filesystem>
#include <string_view>

namespace zev::build {

// Writes every source text of the mission into "source/<project>" of `programDirectory`: main,
// name and limit files, the eight area files of the object script, then palette, nav point,
// start point, world, planet, scene and briefing files. Object, start point and nav point
// positions come from `scene` in its child order; the start point and nav point position texts
// of `document` are refreshed from it. Fails when the main, name, limit or area files could not
// be written (the object script is then skipped); later files report their own failures and do
// not stop the others. `everyFileWritten` tells whether the later files were written too.
bool buildMission(mission::MissionDocument& document, const mission::ScenePositions& scene,
                  const std::filesystem::path& programDirectory, common::Reporter& reporter,
                  bool* everyFileWritten = nullptr);

// The Build command: checks the project name, builds, and tells the user how it went.
bool buildCommand(mission::MissionDocument& document, const mission::ScenePositions& scene,
                  const std::filesystem::path& programDirectory, common::Reporter& reporter,
                  bool* everyFileWritten = nullptr);

} // namespace zev::build
