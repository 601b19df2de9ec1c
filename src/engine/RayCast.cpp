#include "engine/RayCast.h"

#include <algorithm>
#include <cmath>

namespace zev::engine {

bool RayHitsBox(const Vector3& origin, const Vector3& direction, const Box& box, double tMin,
                double tMax) {
    if (box.empty)
        return false;
    const double o[3] = {origin.x, origin.y, origin.z};
    const double d[3] = {direction.x, direction.y, direction.z};
    const double lo[3] = {box.min.x, box.min.y, box.min.z};
    const double hi[3] = {box.max.x, box.max.y, box.max.z};
    for (int axis = 0; axis < 3; ++axis) {
        if (d[axis] == 0) {
            if (o[axis] < lo[axis] || o[axis] > hi[axis])
                return false;
            continue;
        }
        double t0 = (lo[axis] - o[axis]) / d[axis];
        double t1 = (hi[axis] - o[axis]) / d[axis];
        if (t0 > t1)
            std::swap(t0, t1);
        tMin = std::max(tMin, t0);
        tMax = std::min(tMax, t1);
        if (tMin > tMax)
            return false;
    }
    return true;
}

std::optional<double> RayHitsTriangle(const Vector3& origin, const Vector3& direction,
                                      const Vector3& a, const Vector3& b, const Vector3& c) {
    const Vector3 e1 = b - a;
    const Vector3 e2 = c - a;
    const Vector3 p = Vector3::Cross(direction, e2);
    const double det = Vector3::Dot(e1, p);
    const double scale = e1.Length() * e2.Length() * direction.Length();
    if (std::abs(det) <= scale * 1e-12)
        return std::nullopt;
    const double inv = 1.0 / det;
    const Vector3 s = origin - a;
    const double u = Vector3::Dot(s, p) * inv;
    if (u < 0 || u > 1)
        return std::nullopt;
    const Vector3 q = Vector3::Cross(s, e1);
    const double v = Vector3::Dot(direction, q) * inv;
    if (v < 0 || u + v > 1)
        return std::nullopt;
    return Vector3::Dot(e2, q) * inv;
}

std::optional<double> RayHitsFace(const Vector3& origin, const Vector3& direction,
                                  const MeshGroup& group, const MeshFace& face, double tMin,
                                  double tMax) {
    const auto corners = group.Corners(face);
    if (corners.size() < 3)
        return std::nullopt;
    std::optional<double> nearest;
    const Vector3 first = ToDouble(group.vertices[corners[0]].position);
    for (std::size_t i = 1; i + 1 < corners.size(); ++i) {
        const auto t =
            RayHitsTriangle(origin, direction, first, ToDouble(group.vertices[corners[i]].position),
                            ToDouble(group.vertices[corners[i + 1]].position));
        if (t && *t >= tMin && *t <= tMax && (!nearest || *t < *nearest))
            nearest = t;
    }
    return nearest;
}

} // namespace zev::engine
