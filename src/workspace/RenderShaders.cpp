#include "workspace/RenderShaders.h"

namespace zev::workspace::shaders {

namespace {

// The lighting shared by the vertex and the fragment stage.
#define ZEV_LIGHTING_GLSL                                                                          \
    "uniform vec3 uColour;\n"                                                                      \
    "uniform vec3 uAmbient;\n"                                                                     \
    "uniform vec3 uLightColour;\n"                                                                 \
    "uniform vec3 uLightPosition;\n"                                                               \
    "uniform bool uPointLight;\n"                                                                  \
    "uniform bool uLit;\n"                                                                         \
    "uniform bool uEditorLight;\n"                                                                 \
    "uniform vec3 uEditorLightColour;\n"                                                           \
    "uniform vec3 uToEditorLight;\n"                                                               \
    "vec3 shade(vec3 position, vec3 normal) {\n"                                                   \
    "    if (!uLit)\n"                                                                             \
    "        return uColour;\n"                                                                    \
    "    vec3 light = uAmbient;\n"                                                                 \
    "    float len = length(normal);\n"                                                            \
    "    if (uPointLight && len > 1e-6) {\n"                                                       \
    "        vec3 toLight = uLightPosition - position;\n"                                          \
    "        float dist = length(toLight);\n"                                                      \
    "        if (dist > 1e-6)\n"                                                                   \
    "            light += uLightColour * max(dot(normal / len, toLight / dist), 0.0);\n"           \
    "    }\n"                                                                                      \
    "    if (uEditorLight && len > 1e-6)\n"                                                        \
    "        light += uEditorLightColour * max(dot(normal / len, uToEditorLight), 0.0);\n"         \
    "    return clamp(uColour * light, 0.0, 1.0);\n"                                               \
    "}\n"

} // namespace

const char* const kMeshVertex =
    "#version 330 core\n"
    "layout(location = 0) in vec3 aPosition;\n"
    "layout(location = 1) in vec3 aNormal;\n"
    "uniform mat4 uClip;\n"
    "uniform mat4 uWorld;\n"
    "uniform mat3 uNormalMatrix;\n"
    "uniform float uPointSize;\n" ZEV_LIGHTING_GLSL "out vec3 vPosition;\n"
    "out vec3 vNormal;\n"
    "out vec3 vColour;\n"
    "flat out vec3 vFaceColour;\n"
    "void main() {\n"
    "    vec4 world = uWorld * vec4(aPosition, 1.0);\n"
    "    vec3 normal = uNormalMatrix * aNormal;\n"
    "    float len = length(normal);\n"
    "    vNormal = len > 1e-6 ? normal / len : vec3(0.0);\n"
    "    vPosition = world.xyz;\n"
    "    vColour = shade(vPosition, vNormal);\n"
    "    vFaceColour = vColour;\n"
    "    gl_PointSize = uPointSize;\n"
    "    gl_Position = uClip * vec4(aPosition, 1.0);\n"
    "}\n";

const char* const kMeshFragment = "#version 330 core\n" ZEV_LIGHTING_GLSL "uniform int uShade;\n"
                                  "in vec3 vPosition;\n"
                                  "in vec3 vNormal;\n"
                                  "in vec3 vColour;\n"
                                  "flat in vec3 vFaceColour;\n"
                                  "out vec4 fragColour;\n"
                                  "void main() {\n"
                                  "    vec3 c;\n"
                                  "    if (uShade == 0)\n"
                                  "        c = vFaceColour;\n"
                                  "    else if (uShade == 1)\n"
                                  "        c = vColour;\n"
                                  "    else\n"
                                  "        c = shade(vPosition, vNormal);\n"
                                  "    fragColour = vec4(c, 1.0);\n"
                                  "}\n";

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
