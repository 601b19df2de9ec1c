#pragma once

#include "mission/MissionObjectRecord.h"

#include <array>
#include <cstdint>
#include <string>

// The object script: what the eight area files say about the placed objects.
namespace zev::build {

// The two lines every area file begins with, and the two it ends with.
std::string areaHeader();
std::string areaTrailer();

// The section of object number `k` (0-based among the objects of this build) standing at
// `position` (game units): its geometry, transform, collision, game role, path and tasks.
std::string objectSection(int k, const mission::MissionObjectRecord& object,
                          const std::array<std::int32_t, 3>& position);

// The area file an object is written to: the leading number of its area file text. Numbers
// outside 1 to 8 name no area file.
int objectArea(const mission::MissionObjectRecord& object);

} // namespace zev::build
