#pragma once

#include "engine/Math.h"
#include "engine/Visual.h"

#include <optional>

// Ray intersection for picking. A ray is origin + t x direction; results are values of t.
namespace zev::engine {

// Whether the ray meets the box for some t in [tMin, tMax].
bool RayHitsBox(const Vector3& origin, const Vector3& direction, const Box& box, double tMin,
                double tMax);

// Where the ray meets the triangle (a, b, c), from either side; nothing when it misses or runs
// parallel to it.
std::optional<double> RayHitsTriangle(const Vector3& origin, const Vector3& direction,
                                      const Vector3& a, const Vector3& b, const Vector3& c);

// The nearest t in [tMin, tMax] where the ray meets the face, which is cut into triangles
// fanning out from its first corner.
std::optional<double> RayHitsFace(const Vector3& origin, const Vector3& direction,
                                  const MeshGroup& group, const MeshFace& face, double tMin,
                                  double tMax);

} // namespace zev::engine
