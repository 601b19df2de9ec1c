#pragma once

#include "gamedata/GeometryWriter.h"

#include <string>
#include <vector>

// The geometries of the demo game data: buildings, towers, walls, rocks, trees, vehicles, a
// landing pad and small props, made from simple solids in game units (100 game units are one
// workspace unit). Faces have 3 to 7 corners and texture coordinates.
namespace zev::gamedata::demo {

struct DemoGeometry {
    std::string stem;     // the object name; "<stem>.geo" is the archive's long name
    std::string kind;     // "building", "tower", "wall", "rock", "tree", "vehicle", "pad", "prop"
    std::string menuText; // how the object groups offer it
    GameGeometry geometry;
};

const std::vector<DemoGeometry>& demoGeometries();

} // namespace zev::gamedata::demo
