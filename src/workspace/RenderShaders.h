#pragma once

// GLSL 3.30 sources of the workspace renderer.
namespace zev::workspace::shaders {

// Meshes: a frame's colour lit by one point light and an ambient light, shaded flat (one colour
// per face), Gouraud (per vertex) or Phong (per pixel).
extern const char* const kMeshVertex;
extern const char* const kMeshFragment;

// Full-screen and sprite layers: a textured rectangle, black texels optionally transparent.
extern const char* const kLayerVertex;
extern const char* const kLayerFragment;

} // namespace zev::workspace::shaders
