#include "workspace/WorkspaceRenderer.h"

#include "mission/ScenePositions.h"
#include "workspace/RenderShaders.h"
#include "workspace/Sprites.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions_3_3_Core>
#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>
#include <QOpenGLVersionFunctionsFactory>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <unordered_set>
#include <vector>

namespace zev::workspace {

namespace {

constexpr float kPointSize = 2.0f;

// Grid lines fade out between half this distance from the camera and this distance; a high
// camera sees them further, in proportion to its height over the ground. The rectangle they lie
// on goes no further, which also keeps its float positions exact to far under a line's width.
constexpr double kGridFade = 2000.0;
constexpr double kGridFadePerHeight = 20.0;
// Grounds brighter than this get dark lines, darker ones light lines.
constexpr double kGridDarkLinesAbove = 0.35;

// The editor's light, in camera terms: it travels forward, down and to the right, as from over
// the viewer's left shoulder, so tops, fronts and sides of a box each get their own shade. Its
// strength leaves a face turned straight to it short of full colour over the grey ambient.
constexpr double kEditorLightForward = 1.0;
constexpr double kEditorLightDown = 0.5;
constexpr double kEditorLightRight = 0.3;
constexpr float kEditorLightStrength = 0.4f;

using Floats16 = std::array<float, 16>;

// A transform as GLSL takes it: the row-major array of a row-vector matrix is the column-major
// array of the same transform for column vectors.
Floats16 ToFloats(const engine::Matrix4& m) {
    Floats16 out{};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out[std::size_t(r * 4 + c)] = static_cast<float>(m.m[r][c]);
    return out;
}

// The matrix that turns normals the way `world` turns directions (the inverse of its 3 x 3
// part, column-major for GLSL); the identity for a flattened frame.
std::array<float, 9> NormalMatrix(const engine::Matrix4& world) {
    const auto& m = world.m;
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    std::array<float, 9> out{1, 0, 0, 0, 1, 0, 0, 0, 1};
    if (det == 0 || !std::isfinite(det))
        return out;
    const double inv[3][3] = {
        {(m[1][1] * m[2][2] - m[1][2] * m[2][1]) / det,
         (m[0][2] * m[2][1] - m[0][1] * m[2][2]) / det,
         (m[0][1] * m[1][2] - m[0][2] * m[1][1]) / det},
        {(m[1][2] * m[2][0] - m[1][0] * m[2][2]) / det,
         (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / det,
         (m[0][2] * m[1][0] - m[0][0] * m[1][2]) / det},
        {(m[1][0] * m[2][1] - m[1][1] * m[2][0]) / det,
         (m[0][1] * m[2][0] - m[0][0] * m[2][1]) / det,
         (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / det},
    };
    // Column vectors: n' = inverse(M3) n, where M3 is the row-vector 3 x 3 part.
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            out[std::size_t(c * 3 + r)] = static_cast<float>(inv[r][c]);
    return out;
}

// Device pixels (x right, y down, depth 0 to 1) of the viewport's rectangle to clip space.
engine::Matrix4 PixelsToClip(const engine::Viewport& viewport) {
    const double w = viewport.GetWidth();
    const double h = viewport.GetHeight();
    engine::Matrix4 n; // all zero
    n.m[0][0] = 2.0 / w;
    n.m[3][0] = -(2.0 * viewport.GetX() / w + 1.0);
    n.m[1][1] = -2.0 / h;
    n.m[3][1] = 1.0 + 2.0 * viewport.GetY() / h;
    n.m[2][2] = 2.0;
    n.m[3][2] = -1.0;
    n.m[3][3] = 1.0;
    return n;
}

// An edge by the positions of its ends, whichever way it runs.
struct EdgeKey {
    std::array<float, 6> ends;

    static EdgeKey Of(const engine::Vector3f& a, const engine::Vector3f& b) {
        const std::array<float, 3> p{a.x, a.y, a.z};
        const std::array<float, 3> q{b.x, b.y, b.z};
        const auto& first = p < q ? p : q;
        const auto& second = p < q ? q : p;
        return {{first[0], first[1], first[2], second[0], second[1], second[2]}};
    }
    friend bool operator==(const EdgeKey&, const EdgeKey&) = default;

    struct Hash {
        std::size_t operator()(const EdgeKey& key) const {
            std::size_t h = 0;
            for (float f : key.ends)
                h = h * 1000003u ^ std::hash<float>{}(f);
            return h;
        }
    };
};

} // namespace

struct WorkspaceRenderer::GpuMesh {
    std::weak_ptr<engine::Visual> owner;
    std::uint64_t revision = 0;
    unsigned vao = 0;
    unsigned vertexBuffer = 0;
    unsigned indexBuffer = 0;
    int triangleIndices = 0;
    int lineIndices = 0;
    int vertices = 0;
    std::size_t bytes = 0;
};

struct WorkspaceRenderer::FrameLights {
    bool hasPoint = false;
    engine::Vector3 pointPosition;
    engine::Color pointColour{0, 0, 0, 1};
    engine::Color ambient{0, 0, 0, 1};

    void Collect(const engine::Frame& frame, const engine::Matrix4& parentWorld) {
        const engine::Matrix4 world = frame.GetTransform() * parentWorld;
        for (const auto& light : frame.GetLights()) {
            const engine::Color c = light->GetColor();
            if (light->GetType() == engine::LightType::Ambient) {
                ambient = {ambient.r + c.r, ambient.g + c.g, ambient.b + c.b, 1};
            } else if (!hasPoint) {
                hasPoint = true;
                pointPosition = world.Row(3);
                pointColour = c;
            }
        }
        for (const auto& child : frame.GetChildren())
            Collect(*child, world);
    }
};

WorkspaceRenderer::WorkspaceRenderer() = default;

WorkspaceRenderer::~WorkspaceRenderer() {
    // GPU objects need the context; an owner that did not call Release() with the context
    // current leaves them to the context's own destruction.
    if (initialized_ && QOpenGLContext::currentContext())
        Release();
}

bool WorkspaceRenderer::Initialize() {
    error_.clear();
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (!context) {
        error_ = "No OpenGL context is current.";
        return false;
    }
    const QSurfaceFormat format = context->format();
    if (context->isOpenGLES() || format.version() < qMakePair(3, 3)) {
        error_ = "OpenGL 3.3 is needed; the context offers " +
                 std::to_string(format.majorVersion()) + "." +
                 std::to_string(format.minorVersion()) + (context->isOpenGLES() ? " ES." : ".");
        return false;
    }
    gl_ = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_3_3_Core>(context);
    if (!gl_ || !gl_->initializeOpenGLFunctions()) {
        error_ = "The OpenGL 3.3 core functions are not available.";
        gl_ = nullptr;
        return false;
    }

    auto build = [this](std::unique_ptr<QOpenGLShaderProgram>& program, const char* vertex,
                        const char* fragment, const char* what) {
        program = std::make_unique<QOpenGLShaderProgram>();
        if (program->addShaderFromSourceCode(QOpenGLShader::Vertex, vertex) &&
            program->addShaderFromSourceCode(QOpenGLShader::Fragment, fragment) && program->link())
            return true;
        error_ =
            std::string("The ") + what + " shader does not build: " + program->log().toStdString();
        program.reset();
        return false;
    };
    if (!build(meshProgram_, shaders::kMeshVertex, shaders::kMeshFragment, "mesh") ||
        !build(layerProgram_, shaders::kLayerVertex, shaders::kLayerFragment, "layer") ||
        !build(gridProgram_, shaders::kGridVertex, shaders::kGridFragment, "grid")) {
        meshProgram_.reset();
        layerProgram_.reset();
        gridProgram_.reset();
        gl_ = nullptr;
        return false;
    }
    gl_->glGenVertexArrays(1, &layerVao_);
    at_.clip = meshProgram_->uniformLocation("uClip");
    at_.world = meshProgram_->uniformLocation("uWorld");
    at_.normalMatrix = meshProgram_->uniformLocation("uNormalMatrix");
    at_.colour = meshProgram_->uniformLocation("uColour");
    at_.shade = meshProgram_->uniformLocation("uShade");
    at_.lit = meshProgram_->uniformLocation("uLit");
    initialized_ = true;
    backgroundChanged_ = !pendingBackground_.isNull();
    pointerChanged_ = !pendingPointer_.isNull();
    return true;
}

void WorkspaceRenderer::Release() {
    if (!initialized_)
        return;
    for (auto& [visual, mesh] : meshes_)
        FreeMesh(*mesh);
    meshes_.clear();
    background_.reset();
    pointer_.reset();
    if (layerVao_)
        gl_->glDeleteVertexArrays(1, &layerVao_);
    layerVao_ = 0;
    meshProgram_.reset();
    layerProgram_.reset();
    gridProgram_.reset();
    gl_ = nullptr;
    initialized_ = false;
    // The pictures stay pending, so a renderer initialised again shows them again.
    backgroundChanged_ = pointerChanged_ = false;
}

std::size_t WorkspaceRenderer::CachedBytes() const {
    std::size_t total = 0;
    for (const auto& [visual, mesh] : meshes_)
        total += mesh->bytes;
    return total;
}

void WorkspaceRenderer::SetBackgroundPicture(const QImage& image) {
    pendingBackground_ = image;
    backgroundChanged_ = true;
}

void WorkspaceRenderer::SetPointerSprite(const QImage& sprite) {
    pendingPointer_ = sprite;
    pointerChanged_ = true;
}

void WorkspaceRenderer::FreeMesh(GpuMesh& mesh) {
    if (mesh.vao)
        gl_->glDeleteVertexArrays(1, &mesh.vao);
    if (mesh.vertexBuffer)
        gl_->glDeleteBuffers(1, &mesh.vertexBuffer);
    if (mesh.indexBuffer)
        gl_->glDeleteBuffers(1, &mesh.indexBuffer);
    mesh.vao = mesh.vertexBuffer = mesh.indexBuffer = 0;
    mesh.bytes = 0;
}

void WorkspaceRenderer::Upload(const engine::Visual& visual, GpuMesh& mesh) {
    std::vector<float> vertices;
    vertices.reserve(visual.GetVertexCount() * 6);
    std::vector<std::uint32_t> triangles;
    std::vector<std::uint32_t> lines;
    std::unordered_set<EdgeKey, EdgeKey::Hash> edges;
    std::uint32_t base = 0;
    for (const engine::MeshGroup& group : visual.Groups()) {
        for (const engine::MeshVertex& v : group.vertices)
            vertices.insert(vertices.end(), {v.position.x, v.position.y, v.position.z, v.normal.x,
                                             v.normal.y, v.normal.z});
        for (const engine::MeshFace& face : group.faces) {
            const auto corners = group.Corners(face);
            for (std::size_t i = 1; i + 1 < corners.size(); ++i)
                triangles.insert(triangles.end(),
                                 {base + corners[0], base + corners[i], base + corners[i + 1]});
            for (std::size_t i = 0; i < corners.size(); ++i) {
                const std::uint32_t a = corners[i];
                const std::uint32_t b = corners[(i + 1) % corners.size()];
                // An edge that neighbouring faces share is drawn once.
                if (edges
                        .insert(EdgeKey::Of(group.vertices[a].position, group.vertices[b].position))
                        .second)
                    lines.insert(lines.end(), {base + a, base + b});
            }
        }
        base += static_cast<std::uint32_t>(group.vertices.size());
    }
    std::vector<std::uint32_t> indices = std::move(triangles);
    mesh.triangleIndices = static_cast<int>(indices.size());
    mesh.lineIndices = static_cast<int>(lines.size());
    indices.insert(indices.end(), lines.begin(), lines.end());
    mesh.vertices = static_cast<int>(base);

    if (!mesh.vao) {
        gl_->glGenVertexArrays(1, &mesh.vao);
        gl_->glGenBuffers(1, &mesh.vertexBuffer);
        gl_->glGenBuffers(1, &mesh.indexBuffer);
    }
    gl_->glBindVertexArray(mesh.vao);
    gl_->glBindBuffer(GL_ARRAY_BUFFER, mesh.vertexBuffer);
    gl_->glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(float)), vertices.data(),
                      GL_STATIC_DRAW);
    gl_->glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.indexBuffer);
    gl_->glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(std::uint32_t)),
                      indices.data(), GL_STATIC_DRAW);
    constexpr GLsizei kStride = 6 * sizeof(float);
    gl_->glEnableVertexAttribArray(0);
    gl_->glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, kStride, nullptr);
    gl_->glEnableVertexAttribArray(1);
    gl_->glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, kStride,
                               reinterpret_cast<const void*>(3 * sizeof(float)));
    gl_->glBindVertexArray(0);
    mesh.bytes = vertices.size() * sizeof(float) + indices.size() * sizeof(std::uint32_t);
    mesh.revision = visual.Revision();
    ++uploads_;
}

WorkspaceRenderer::GpuMesh*
WorkspaceRenderer::MeshFor(const std::shared_ptr<engine::Visual>& visual) {
    auto& slot = meshes_[visual.get()];
    if (!slot)
        slot = std::make_unique<GpuMesh>();
    GpuMesh& mesh = *slot;
    // The same address may belong to a new visual once the old one is gone.
    const bool sameOwner = !mesh.owner.owner_before(visual) && !visual.owner_before(mesh.owner) &&
                           !mesh.owner.expired();
    if (!sameOwner || mesh.revision != visual->Revision() || !mesh.vao) {
        mesh.owner = visual;
        Upload(*visual, mesh);
    }
    return &mesh;
}

namespace {

// Whether a box, seen through `toClip`, lies wholly outside one side of the view volume.
bool OutsideView(const engine::Box& box, const engine::Matrix4& toClip) {
    int outside[6] = {0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 8; ++i) {
        const engine::Vector4 c =
            toClip.Transform({(i & 1) ? box.max.x : box.min.x, (i & 2) ? box.max.y : box.min.y,
                              (i & 4) ? box.max.z : box.min.z, 1});
        outside[0] += c.x < -c.w;
        outside[1] += c.x > c.w;
        outside[2] += c.y < -c.w;
        outside[3] += c.y > c.w;
        outside[4] += c.z < -c.w;
        outside[5] += c.z > c.w;
    }
    for (int n : outside)
        if (n == 8)
            return true;
    return false;
}

} // namespace

void WorkspaceRenderer::CollectDraws(const engine::Frame& frame, const engine::Matrix4& parentWorld,
                                     const engine::Matrix4& viewClip,
                                     std::vector<DrawItem>& items) {
    const engine::Matrix4 world = frame.GetTransform() * parentWorld;
    if (frame.GetAppData() == mission::kGroundPlaneTag)
        NoteGround(frame, world);
    if (!frame.GetVisuals().empty()) {
        const engine::Matrix4 toClip = world * viewClip;
        for (const auto& visual : frame.GetVisuals()) {
            if (!visual || visual->GetVertexCount() == 0)
                continue;
            const engine::Box box = visual->GetBox();
            if (OutsideView(box, toClip)) {
                ++lastCulled_;
                continue;
            }
            const engine::Vector4 centre =
                toClip.Transform({(box.min.x + box.max.x) / 2, (box.min.y + box.max.y) / 2,
                                  (box.min.z + box.max.z) / 2, 1});
            items.push_back({&frame, visual, world, centre.w});
        }
    }
    for (const auto& child : frame.GetChildren())
        CollectDraws(*child, world, viewClip, items);
}

void WorkspaceRenderer::NoteGround(const engine::Frame& frame, const engine::Matrix4& world) {
    if (ground_.found)
        return;
    for (const auto& visual : frame.GetVisuals()) {
        if (!visual || visual->GetVertexCount() == 0)
            continue;
        const engine::Box box = visual->GetBox();
        if (box.empty)
            continue;
        constexpr double kInf = std::numeric_limits<double>::infinity();
        GroundExtent g{true, -kInf, kInf, -kInf, kInf, -kInf, frame.GetDrawingColor()};
        for (int i = 0; i < 8; ++i) {
            const engine::Vector4 p =
                world.Transform({(i & 1) ? box.max.x : box.min.x, (i & 2) ? box.max.y : box.min.y,
                                 (i & 4) ? box.max.z : box.min.z, 1});
            g.level = std::max(g.level, p.y);
            g.minX = std::min(g.minX, p.x);
            g.maxX = std::max(g.maxX, p.x);
            g.minZ = std::min(g.minZ, p.z);
            g.maxZ = std::max(g.maxZ, p.z);
        }
        ground_ = g;
        return;
    }
}

void WorkspaceRenderer::DrawGrid(const engine::Viewport& viewport,
                                 const engine::Matrix4& viewClip) {
    const engine::Frame* camera = viewport.GetCamera();
    if (!groundGrid_ || !ground_.found || !camera)
        return;
    const engine::Vector3 eye = camera->GetWorldTransform().Row(3);
    const double height = eye.y - ground_.level;
    if (!(height > 0))
        return; // from below, the one-sided ground is not drawn and neither are its lines
    const double fade = std::max(kGridFade, kGridFadePerHeight * height);
    const float x0 = float(std::max(ground_.minX, eye.x - fade));
    const float x1 = float(std::min(ground_.maxX, eye.x + fade));
    const float z0 = float(std::max(ground_.minZ, eye.z - fade));
    const float z1 = float(std::min(ground_.maxZ, eye.z + fade));
    if (!(x0 < x1 && z0 < z1))
        return;
    const engine::Color g = ground_.colour;
    const float line = 0.2126 * g.r + 0.7152 * g.g + 0.0722 * g.b > kGridDarkLinesAbove ? 0 : 1;

    gridProgram_->bind();
    const Floats16 clip = ToFloats(viewClip);
    gl_->glUniformMatrix4fv(gridProgram_->uniformLocation("uClip"), 1, GL_FALSE, clip.data());
    gridProgram_->setUniformValue("uRect", x0, z0, x1, z1);
    gridProgram_->setUniformValue("uLevel", float(ground_.level));
    gridProgram_->setUniformValue("uEye", float(eye.x), float(eye.y), float(eye.z));
    gridProgram_->setUniformValue("uFade", float(fade));
    gridProgram_->setUniformValue("uSpacing", float(kGridSpacing), float(kGridMajorSpacing));
    gridProgram_->setUniformValue("uLineColour", line, line, line);
    // On the ground's own plane, pulled a little towards the camera so that it wins the depth
    // test against the ground and loses it against anything standing on it.
    gl_->glDisable(GL_CULL_FACE);
    gl_->glDepthFunc(GL_LEQUAL);
    gl_->glDepthMask(GL_FALSE);
    gl_->glEnable(GL_POLYGON_OFFSET_FILL);
    gl_->glPolygonOffset(-1.0f, -4.0f);
    gl_->glEnable(GL_BLEND);
    gl_->glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    gl_->glBindVertexArray(layerVao_);
    gl_->glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    gl_->glBindVertexArray(0);
    gl_->glDisable(GL_BLEND);
    gl_->glDisable(GL_POLYGON_OFFSET_FILL);
    gl_->glDepthMask(GL_TRUE);
    gl_->glDepthFunc(GL_LESS);
    gridProgram_->release();
}

void WorkspaceRenderer::SetEditorLight(const engine::Viewport& viewport) {
    const engine::Frame* camera = viewport.GetCamera();
    const bool on = editorLighting_ && camera;
    meshProgram_->setUniformValue("uEditorLight", on);
    if (!on)
        return;
    const engine::Matrix4 m = camera->GetWorldTransform();
    const engine::Vector3 travel = m.Row(2).Normalized() * kEditorLightForward -
                                   m.Row(1).Normalized() * kEditorLightDown +
                                   m.Row(0).Normalized() * kEditorLightRight;
    const engine::Vector3 to = (-travel).Normalized();
    meshProgram_->setUniformValue("uToEditorLight", float(to.x), float(to.y), float(to.z));
    meshProgram_->setUniformValue("uEditorLightColour", kEditorLightStrength, kEditorLightStrength,
                                  kEditorLightStrength);
}

void WorkspaceRenderer::Draw(const DrawItem& item, const engine::Matrix4& viewClip,
                             engine::RenderQuality quality) {
    const Floats16 worldFloats = ToFloats(item.world);
    const Floats16 clip = ToFloats(item.world * viewClip);
    const auto normalMatrix = NormalMatrix(item.world);
    const engine::Color colour = item.frame->GetMaterialMode() == engine::MaterialMode::Mesh
                                     ? engine::Color{}
                                     : item.frame->GetDrawingColor();
    gl_->glUniformMatrix4fv(at_.clip, 1, GL_FALSE, clip.data());
    gl_->glUniformMatrix4fv(at_.world, 1, GL_FALSE, worldFloats.data());
    gl_->glUniformMatrix3fv(at_.normalMatrix, 1, GL_FALSE, normalMatrix.data());
    gl_->glUniform3f(at_.colour, colour.r, colour.g, colour.b);

    GpuMesh* mesh = MeshFor(item.visual);
    const engine::RenderQuality q = item.visual->GetQuality().value_or(quality);
    gl_->glUniform1i(at_.shade, static_cast<int>(q.Shade()));
    gl_->glUniform1i(at_.lit, q.LightOn() ? 1 : 0);
    gl_->glBindVertexArray(mesh->vao);
    switch (q.Fill()) {
    case engine::FillMode::Points:
        gl_->glDrawArrays(GL_POINTS, 0, mesh->vertices);
        break;
    case engine::FillMode::Wireframe:
        gl_->glDrawElements(GL_LINES, mesh->lineIndices, GL_UNSIGNED_INT,
                            reinterpret_cast<const void*>(std::size_t(mesh->triangleIndices) *
                                                          sizeof(std::uint32_t)));
        break;
    case engine::FillMode::Solid:
        gl_->glDrawElements(GL_TRIANGLES, mesh->triangleIndices, GL_UNSIGNED_INT, nullptr);
        break;
    }
    ++lastDraws_;
}

void WorkspaceRenderer::DrawLayer(QOpenGLTexture& texture, float x0, float y0, float x1, float y1,
                                  bool colourKey) {
    layerProgram_->bind();
    texture.bind(0);
    layerProgram_->setUniformValue("uImage", 0);
    layerProgram_->setUniformValue("uColourKey", colourKey);
    layerProgram_->setUniformValue("uRect", x0, y0, x1, y1);
    gl_->glBindVertexArray(layerVao_);
    gl_->glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    gl_->glBindVertexArray(0);
    texture.release(0);
    layerProgram_->release();
}

void WorkspaceRenderer::Render(const engine::Frame& scene, const engine::Viewport& viewport,
                               engine::RenderQuality quality, int framebufferWidth,
                               int framebufferHeight, double pixelRatio) {
    if (!initialized_)
        return;
    lastDraws_ = 0;
    lastCulled_ = 0;

    // Pictures set since the last frame go to textures now that the context is current.
    auto refresh = [](std::unique_ptr<QOpenGLTexture>& texture, const QImage& image, bool& changed,
                      QOpenGLTexture::Filter filter) {
        if (!changed)
            return;
        changed = false;
        texture.reset();
        if (image.isNull())
            return;
        texture = std::make_unique<QOpenGLTexture>(image.convertToFormat(QImage::Format_RGBA8888),
                                                   QOpenGLTexture::DontGenerateMipMaps);
        texture->setMinMagFilters(filter, filter);
        texture->setWrapMode(QOpenGLTexture::ClampToEdge);
    };
    refresh(background_, pendingBackground_, backgroundChanged_, QOpenGLTexture::Linear);
    refresh(pointer_, pendingPointer_, pointerChanged_, QOpenGLTexture::Nearest);

    const engine::Color back = scene.GetSceneBackground();
    gl_->glViewport(0, 0, framebufferWidth, framebufferHeight);
    gl_->glClearColor(back.r, back.g, back.b, 1.0f);
    gl_->glClearDepth(1.0);
    gl_->glDepthMask(GL_TRUE);
    gl_->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    const int vx = static_cast<int>(viewport.GetX() * pixelRatio);
    const int vw = static_cast<int>(viewport.GetWidth() * pixelRatio);
    const int vh = static_cast<int>(viewport.GetHeight() * pixelRatio);
    const int vy = framebufferHeight - static_cast<int>(viewport.GetY() * pixelRatio) - vh;
    gl_->glViewport(vx, vy, vw, vh);
    gl_->glDisable(GL_BLEND);

    if (background_) {
        gl_->glDisable(GL_CULL_FACE);
        gl_->glDisable(GL_DEPTH_TEST);
        DrawLayer(*background_, -1, -1, 1, 1, false);
    }

    FrameLights lights;
    lights.Collect(scene, engine::Matrix4::Identity());

    gl_->glEnable(GL_DEPTH_TEST);
    gl_->glDepthFunc(GL_LESS);
    // Faces are one-sided: seen from the front their corners run clockwise (as the engine's
    // normals say); the back is not drawn, so a camera inside a closed model sees out of it.
    gl_->glEnable(GL_CULL_FACE);
    gl_->glFrontFace(GL_CW);
    gl_->glCullFace(GL_BACK);
    gl_->glEnable(GL_PROGRAM_POINT_SIZE);
    meshProgram_->bind();
    meshProgram_->setUniformValue("uAmbient", lights.ambient.r, lights.ambient.g, lights.ambient.b);
    meshProgram_->setUniformValue("uPointLight", lights.hasPoint);
    meshProgram_->setUniformValue("uLightColour", lights.pointColour.r, lights.pointColour.g,
                                  lights.pointColour.b);
    meshProgram_->setUniformValue("uLightPosition", float(lights.pointPosition.x),
                                  float(lights.pointPosition.y), float(lights.pointPosition.z));
    meshProgram_->setUniformValue("uPointSize", float(kPointSize * pixelRatio));
    SetEditorLight(viewport);
    const engine::Matrix4 viewClip =
        viewport.GetViewTransform() * viewport.GetProjection() * PixelsToClip(viewport);
    // Nearest first, so that the depth test spares the work on what is hidden behind.
    drawItems_.clear();
    ground_ = {};
    CollectDraws(scene, engine::Matrix4::Identity(), viewClip, drawItems_);
    std::stable_sort(drawItems_.begin(), drawItems_.end(),
                     [](const DrawItem& a, const DrawItem& b) { return a.depth < b.depth; });
    for (const DrawItem& item : drawItems_)
        Draw(item, viewClip, quality);
    drawItems_.clear(); // no visual is kept alive past the frame
    gl_->glBindVertexArray(0);
    meshProgram_->release();
    // After the meshes: the lines are blended over the ground and hidden by what stands on it.
    DrawGrid(viewport, viewClip);

    gl_->glDisable(GL_CULL_FACE);
    if (pointer_) {
        gl_->glDisable(GL_DEPTH_TEST);
        const double w = viewport.GetWidth();
        const double h = viewport.GetHeight();
        const double px = pointerAt_.x() - viewport.GetX();
        const double py = pointerAt_.y() - viewport.GetY();
        DrawLayer(*pointer_, float(2 * px / w - 1), float(1 - 2 * (py + kPointerHeight) / h),
                  float(2 * (px + kPointerWidth) / w - 1), float(1 - 2 * py / h), true);
    }

    // Buffers of visuals that are gone.
    for (auto it = meshes_.begin(); it != meshes_.end();) {
        if (it->second->owner.expired()) {
            FreeMesh(*it->second);
            it = meshes_.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace zev::workspace
