#pragma once

#include "gamedata/Mesh.h"

#include <array>

namespace zev::gamedata {

// Whole degrees become radians with this factor throughout the workspace.
inline constexpr float kRadiansPerDegree = 0.01745f;

// Where a mesh sits relative to its parent: scaled on its own axes, then turned about the
// parent's X, then Y, then Z axis by whole degrees, then moved to `position`.
struct Placement {
    Vec3 position;
    Vec3 scale{1, 1, 1};
    std::array<int, 3> rotationDegrees{};

    Vec3 apply(Vec3 p) const;
    // Turns a direction (no scale, no move).
    Vec3 rotate(Vec3 d) const;
};

} // namespace zev::gamedata
