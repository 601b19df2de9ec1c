#pragma once

#include <string>

// GLSL 3.30 sources of the workspace renderer.
namespace zev::workspace::shaders {

// Meshes, one instance per frame drawn: a frame's colour lit by one point light, an ambient
// light and optionally the editor's directional light, shaded flat (one colour per face),
// Gouraud (per vertex) or Phong (per pixel). A program is built for one shade mode and set of
// lights: its sources
// are MeshProgramHeader(...) followed by these.
extern const char* const kMeshVertex;
extern const char* const kMeshFragment;
// The first lines of both shaders of a mesh program: the shade mode (0 flat, 1 Gouraud,
// 2 Phong), whether it is lit at all, and by which of the scene's point light and the editor's
// light.
std::string MeshProgramHeader(int shade, bool lit, bool pointLight, bool editorLight);

// The ground grid: a horizontal rectangle whose fragments are lines every minor and major
// spacing, blended over the ground and fading with distance from the eye.
extern const char* const kGridVertex;
extern const char* const kGridFragment;

// Full-screen and sprite layers: a textured rectangle, black texels optionally transparent.
extern const char* const kLayerVertex;
extern const char* const kLayerFragment;

} // namespace zev::workspace::shaders
