#include "gamedata/Placement.h"

#include <cmath>

namespace zev::gamedata {

Vec3 Placement::rotate(Vec3 p) const {
    const float ax = float(rotationDegrees[0]) * kRadiansPerDegree;
    const float ay = float(rotationDegrees[1]) * kRadiansPerDegree;
    const float az = float(rotationDegrees[2]) * kRadiansPerDegree;
    // About X.
    float c = std::cos(ax), s = std::sin(ax);
    p = {p.x, p.y * c - p.z * s, p.y * s + p.z * c};
    // About Y.
    c = std::cos(ay), s = std::sin(ay);
    p = {p.x * c + p.z * s, p.y, -p.x * s + p.z * c};
    // About Z.
    c = std::cos(az), s = std::sin(az);
    p = {p.x * c - p.y * s, p.x * s + p.y * c, p.z};
    return p;
}

Vec3 Placement::apply(Vec3 p) const {
    p = rotate({p.x * scale.x, p.y * scale.y, p.z * scale.z});
    return {p.x + position.x, p.y + position.y, p.z + position.z};
}

} // namespace zev::gamedata
