#pragma once

// GLSL 3.30 sources of the workspace renderer.
namespace zev::workspace::shaders {

// Meshes: a frame's colour lit by one point light, an ambient light and optionally the editor's
// directional light, shaded flat (one colour per face), Gouraud (per vertex) or Phong (per pixel).
extern const char* const kMeshVertex;
extern const char* const kMeshFragment;

// The ground grid: a horizontal rectangle whose fragments are lines every minor and major
// spacing, blended over the ground and fading with distance from the eye.
extern const char* const kGridVertex;
extern const char* const kGridFragment;

// Full-screen and sprite layers: a textured rectangle, black texels optionally transparent.
extern const char* const kLayerVertex;
extern const char* const kLayerFragment;

} // namespace zev::workspace::shaders
