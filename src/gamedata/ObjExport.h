#pragma once

#include "gamedata/Mesh.h"
#include "gamedata/Placement.h"

#include <string>
#include <vector>

// Meshes as a Wavefront OBJ text, so game geometry can be looked at in any 3D tool: one object
// per mesh, positions in workspace units, texture coordinates per corner, faces in the corner
// order of the mesh. Lines end in CR LF.
namespace zev::gamedata {

struct PlacedMesh {
    std::string name;
    const Mesh* mesh = nullptr;
    Placement placement; // identity by default
};

std::string meshesToObj(const std::vector<PlacedMesh>& meshes);

} // namespace zev::gamedata
