#include "workspace/RenderShaders.h"

#include <string>

namespace zev::workspace::shaders {

namespace {

// The lighting shared by the vertex and the fragment stage: `colour` lit at `position` with
// `normal` (unit length, or zero for a normal-less vertex, which takes the ambient light only).
// Which lights there are is known when the program is built, so a program does no work for a
// light that is off.
#define ZEV_LIGHTING_GLSL                                                                          \
    "uniform vec3 uAmbient;\n"                                                                     \
    "uniform vec3 uLightColour;\n"                                                                 \
    "uniform vec3 uLightPosition;\n"                                                               \
    "uniform vec3 uEditorLightColour;\n"                                                           \
    "uniform vec3 uToEditorLight;\n"                                                               \
    "vec3 shade(vec3 colour, vec3 position, vec3 normal) {\n"                                      \
    "#if !defined(ZEV_LIT)\n"                                                                      \
    "    return colour;\n"                                                                         \
    "#else\n"                                                                                      \
    "    vec3 light = uAmbient;\n"                                                                 \
    "    float len = length(normal);\n"                                                            \
    "    if (len > 1e-6) {\n"                                                                      \
    "        vec3 unit = normal / len;\n"                                                          \
    "#if defined(ZEV_POINT_LIGHT)\n"                                                               \
    "        vec3 toLight = uLightPosition - position;\n"                                          \
    "        float dist = length(toLight);\n"                                                      \
    "        if (dist > 1e-6)\n"                                                                   \
    "            light += uLightColour * max(dot(unit, toLight / dist), 0.0);\n"                   \
    "#endif\n"                                                                                     \
    "#if defined(ZEV_EDITOR_LIGHT)\n"                                                              \
    "        light += uEditorLightColour * max(dot(unit, uToEditorLight), 0.0);\n"                 \
    "#endif\n"                                                                                     \
    "    }\n"                                                                                      \
    "    return clamp(colour * light, 0.0, 1.0);\n"                                                \
    "#endif\n"                                                                                     \
    "}\n"

} // namespace

// Each frame drawn is one instance: its transform to clip space, its world transform, the
// matrix that turns its normals and its colour come with the instance. Only what the shade mode
// needs passes to the fragment stage, as a software rasteriser interpolates every input of a
// fragment whether it is used or not.
const char* const kMeshVertex =
    "layout(location = 0) in vec3 aPosition;\n"
    "layout(location = 1) in vec3 aNormal;\n"
    "layout(location = 2) in mat4 aClip;\n"
    "layout(location = 6) in mat4 aWorld;\n"
    "layout(location = 10) in mat3 aNormalMatrix;\n"
    "layout(location = 13) in vec3 aColour;\n"
    "uniform float uPointSize;\n" ZEV_LIGHTING_GLSL "#if defined(ZEV_SHADE_FLAT)\n"
    "flat out vec3 vFaceColour;\n"
    "#elif defined(ZEV_SHADE_GOURAUD)\n"
    "out vec3 vColour;\n"
    "#else\n"
    "out vec3 vPosition;\n"
    "out vec3 vNormal;\n"
    "flat out vec3 vBaseColour;\n"
    "#endif\n"
    "void main() {\n"
    "    vec4 world = aWorld * vec4(aPosition, 1.0);\n"
    "    vec3 normal = aNormalMatrix * aNormal;\n"
    "    float len = length(normal);\n"
    "    vec3 unit = len > 1e-6 ? normal / len : vec3(0.0);\n"
    "#if defined(ZEV_SHADE_FLAT)\n"
    "    vFaceColour = shade(aColour, world.xyz, unit);\n"
    "#elif defined(ZEV_SHADE_GOURAUD)\n"
    "    vColour = shade(aColour, world.xyz, unit);\n"
    "#else\n"
    "    vPosition = world.xyz;\n"
    "    vNormal = unit;\n"
    "    vBaseColour = aColour;\n"
    "#endif\n"
    "    gl_PointSize = uPointSize;\n"
    "    gl_Position = aClip * vec4(aPosition, 1.0);\n"
    "}\n";

const char* const kMeshFragment = ZEV_LIGHTING_GLSL "#if defined(ZEV_SHADE_FLAT)\n"
                                                    "flat in vec3 vFaceColour;\n"
                                                    "#elif defined(ZEV_SHADE_GOURAUD)\n"
                                                    "in vec3 vColour;\n"
                                                    "#else\n"
                                                    "in vec3 vPosition;\n"
                                                    "in vec3 vNormal;\n"
                                                    "flat in vec3 vBaseColour;\n"
                                                    "#endif\n"
                                                    "out vec4 fragColour;\n"
                                                    "void main() {\n"
                                                    "#if defined(ZEV_SHADE_FLAT)\n"
                                                    "    fragColour = vec4(vFaceColour, 1.0);\n"
                                                    "#elif defined(ZEV_SHADE_GOURAUD)\n"
                                                    "    fragColour = vec4(vColour, 1.0);\n"
                                                    "#else\n"
                                                    "    fragColour = vec4(shade(vBaseColour, "
                                                    "vPosition, vNormal), 1.0);\n"
                                                    "#endif\n"
                                                    "}\n";

std::string MeshProgramHeader(int shade, bool lit, bool pointLight, bool editorLight) {
    std::string header = "#version 330 core\n";
    header += shade == 0   ? "#define ZEV_SHADE_FLAT\n"
              : shade == 1 ? "#define ZEV_SHADE_GOURAUD\n"
                           : "#define ZEV_SHADE_PHONG\n";
    if (lit)
        header += "#define ZEV_LIT\n";
    if (pointLight)
        header += "#define ZEV_POINT_LIGHT\n";
    if (editorLight)
        header += "#define ZEV_EDITOR_LIGHT\n";
    return header;
}

const char* const kGridVertex = "#version 330 core\n"
                                "uniform mat4 uClip;\n"
                                "uniform vec4 uRect;\n" // x0, z0, x1, z1 in scene coordinates
                                "uniform float uLevel;\n"
                                "out vec3 vPosition;\n"
                                "void main() {\n"
                                "    vec2 corner = vec2(gl_VertexID & 1, gl_VertexID >> 1);\n"
                                "    vec2 xz = mix(uRect.xy, uRect.zw, corner);\n"
                                "    vPosition = vec3(xz.x, uLevel, xz.y);\n"
                                "    gl_Position = uClip * vec4(vPosition, 1.0);\n"
                                "}\n";

// Lines are measured in pixels through the screen-space derivatives, so they stay about a pixel
// wide at any distance; where the cells shrink to a few pixels the lines fade rather than turn
// into moire.
const char* const kGridFragment =
    "#version 330 core\n"
    "uniform vec3 uLineColour;\n"
    "uniform vec3 uEye;\n"
    "uniform float uFade;\n"
    "uniform vec2 uSpacing;\n" // minor, major
    "in vec3 vPosition;\n"
    "out vec4 fragColour;\n"
    "float lines(float spacing, float halfWidth) {\n"
    "    vec2 cell = vPosition.xz / spacing;\n"
    "    vec2 perPixel = max(fwidth(cell), vec2(1e-6));\n"
    "    vec2 pixels = abs(fract(cell - 0.5) - 0.5) / perPixel;\n"
    "    vec2 cover = (1.0 - clamp(pixels / halfWidth, 0.0, 1.0)) *\n"
    "                 (1.0 - smoothstep(0.1, 0.3, perPixel));\n"
    "    return max(cover.x, cover.y);\n"
    "}\n"
    "void main() {\n"
    "    float a = max(0.4 * lines(uSpacing.x, 1.0), 0.7 * lines(uSpacing.y, 1.5));\n"
    "    a *= 1.0 - smoothstep(0.5 * uFade, uFade, distance(vPosition, uEye));\n"
    "    if (a < 0.5 / 255.0)\n"
    "        discard;\n"
    "    fragColour = vec4(uLineColour, a);\n"
    "}\n";

const char* const kLayerVertex =
    "#version 330 core\n"
    "uniform vec4 uRect;\n" // x0, y0, x1, y1 in clip coordinates
    "out vec2 vTexCoord;\n"
    "void main() {\n"
    "    vec2 corner = vec2(gl_VertexID & 1, gl_VertexID >> 1);\n"
    // Image rows run from the top down.
    "    vTexCoord = vec2(corner.x, 1.0 - corner.y);\n"
    "    gl_Position = vec4(mix(uRect.xy, uRect.zw, corner), 0.0, 1.0);\n"
    "}\n";

const char* const kLayerFragment =
    "#version 330 core\n"
    "uniform sampler2D uImage;\n"
    "uniform bool uColourKey;\n"
    "in vec2 vTexCoord;\n"
    "out vec4 fragColour;\n"
    "void main() {\n"
    "    vec4 c = texture(uImage, vTexCoord);\n"
    "    if (uColourKey && all(lessThan(c.rgb, vec3(0.5 / 255.0))))\n"
    "        discard;\n"
    "    fragColour = vec4(c.rgb, 1.0);\n"
    "}\n";

} // namespace zev::workspace::shaders
