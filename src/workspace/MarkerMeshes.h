#pragma once

#include "engine/Mesh.h"
#include "engine/MeshBuilder.h"

#include <memory>

// The workspace's own models: the player start point figure, the nav point beacon and the
// ground quad. Faces keep their own corners (no shared vertices) so the models look flat-shaded
// like game geometry.
namespace zev::workspace {

// An upright figure standing on its origin, facing +z: x from -1.075 to 1.075, y from 0 to
// 3.725, z from -0.65 to 0.60. Normals generated.
std::shared_ptr<engine::MeshBuilder> StartPointMarkerModel();

// A beacon spanning -2 to 2 on every axis. Normals generated.
std::shared_ptr<engine::MeshBuilder> NavPointMarkerModel();

// The ground: one quad from (-50000, 0, -50000) to (50000, 0, 50000) facing up (normal 0, 1, 0),
// texture coordinates (0, 0), (1, 0), (1, 1), (0, 1).
std::shared_ptr<engine::Mesh> GroundQuad();

} // namespace zev::workspace
