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

// What an instance carries, in floats: its transform to clip space and its world transform
// (4 columns each), the normal matrix (3 columns) and the colour. Attribute locations as in the
// mesh vertex shader.
constexpr int kClipAt = 2, kWorldAt = 6, kNormalMatrixAt = 10, kColourAt = 13;
constexpr std::size_t kInstanceFloats = 16 + 16 + 9 + 3;
constexpr GLsizei kInstanceStride = GLsizei(kInstanceFloats * sizeof(float));

int MeshProgramIndex(int shade, bool lit, bool pointLight, bool editorLight) {
    return ((std::clamp(shade, 0, 2) * 2 + int(lit)) * 2 + int(pointLight)) * 2 + int(editorLight);
}

} // namespace

// Buffers of one geometry. `source` is a visual they were made from or found equal to, while it
// still holds that geometry (its revision then is `sourceRevision`): a new visual is compared
// with it before it may share them.
struct WorkspaceRenderer::GpuMesh {
    std::uint64_t hash = 0;
    std::weak_ptr<engine::Visual> source;
    std::uint64_t sourceRevision = 0;
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

bool WorkspaceRenderer::BuildProgram(std::unique_ptr<QOpenGLShaderProgram>& program,
                                     const std::string& vertex, const std::string& fragment,
                                     const char* what) {
    program = std::make_unique<QOpenGLShaderProgram>();
    if (program->addShaderFromSourceCode(QOpenGLShader::Vertex, vertex.c_str()) &&
        program->addShaderFromSourceCode(QOpenGLShader::Fragment, fragment.c_str()) &&
        program->link())
        return true;
    error_ = std::string("The ") + what + " shader does not build: " + program->log().toStdString();
    program.reset();
    return false;
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

    // Every mesh program is made now, so that a shader that does not build is known at once.
    bool built = true;
    for (int shade = 0; shade < 3 && built; ++shade)
        for (int lights = 0; lights < 5 && built; ++lights) {
            // Unlit, or lit by the point light, the editor's light, both or neither.
            const bool lit = lights > 0;
            const bool point = lights == 2 || lights == 4;
            const bool editor = lights == 3 || lights == 4;
            const std::string header = shaders::MeshProgramHeader(shade, lit, point, editor);
            built = BuildProgram(
                meshPrograms_[std::size_t(MeshProgramIndex(shade, lit, point, editor))].program,
                header + shaders::kMeshVertex, header + shaders::kMeshFragment, "mesh");
        }
    if (!built ||
        !BuildProgram(layerProgram_, shaders::kLayerVertex, shaders::kLayerFragment, "layer") ||
        !BuildProgram(gridProgram_, shaders::kGridVertex, shaders::kGridFragment, "grid")) {
        for (MeshProgram& mesh : meshPrograms_)
            mesh.program.reset();
        layerProgram_.reset();
        gridProgram_.reset();
        gl_ = nullptr;
        return false;
    }
    gl_->glGenVertexArrays(1, &layerVao_);
    gl_->glGenBuffers(1, &instanceBuffer_);
    initialized_ = true;
    backgroundChanged_ = !pendingBackground_.isNull();
    pointerChanged_ = !pendingPointer_.isNull();
    return true;
}

void WorkspaceRenderer::Release() {
    if (!initialized_)
        return;
    visuals_.clear();
    for (auto& [hash, mesh] : meshPool_)
        FreeMesh(*mesh);
    meshPool_.clear();
    background_.reset();
    pointer_.reset();
    if (layerVao_)
        gl_->glDeleteVertexArrays(1, &layerVao_);
    layerVao_ = 0;
    if (instanceBuffer_)
        gl_->glDeleteBuffers(1, &instanceBuffer_);
    instanceBuffer_ = 0;
    for (MeshProgram& mesh : meshPrograms_)
        mesh = MeshProgram{};
    boundMeshProgram_ = nullptr;
    layerProgram_.reset();
    gridProgram_.reset();
    gl_ = nullptr;
    initialized_ = false;
    // The pictures stay pending, so a renderer initialised again shows them again.
    backgroundChanged_ = pointerChanged_ = false;
}

std::size_t WorkspaceRenderer::CachedBytes() const {
    std::size_t total = 0;
    for (const auto& [hash, mesh] : meshPool_)
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
    // The instance attributes advance once per instance; where they are read from is set for
    // each call (DrawBatch).
    for (int at = kClipAt; at < kColourAt + 1; ++at) {
        gl_->glEnableVertexAttribArray(GLuint(at));
        gl_->glVertexAttribDivisor(GLuint(at), 1);
    }
    gl_->glBindVertexArray(0);
    mesh.bytes = vertices.size() * sizeof(float) + indices.size() * sizeof(std::uint32_t);
    ++uploads_;
}

WorkspaceRenderer::GpuMesh*
WorkspaceRenderer::MeshFor(const std::shared_ptr<engine::Visual>& visual) {
    CachedVisual& cached = visuals_[visual.get()];
    // The same address may belong to a new visual once the old one is gone.
    const bool sameOwner = !cached.owner.owner_before(visual) &&
                           !visual.owner_before(cached.owner) && !cached.owner.expired();
    if (!sameOwner || cached.revision != visual->Revision() || !cached.mesh) {
        cached.mesh.reset();
        cached.owner = visual;
        cached.revision = visual->Revision();
        cached.mesh = FindOrUpload(visual);
        return cached.mesh.get();
    }
    GpuMesh& mesh = *cached.mesh;
    const std::shared_ptr<engine::Visual> source = mesh.source.lock();
    if (!source || source->Revision() != mesh.sourceRevision) {
        // The visual the buffers were compared with changed or is gone; this one still holds
        // their geometry and stands in for it.
        mesh.source = visual;
        mesh.sourceRevision = visual->Revision();
    }
    return &mesh;
}

std::shared_ptr<WorkspaceRenderer::GpuMesh>
WorkspaceRenderer::FindOrUpload(const std::shared_ptr<engine::Visual>& visual) {
    const std::uint64_t hash = engine::GeometryHash(*visual);
    const auto [first, last] = meshPool_.equal_range(hash);
    for (auto it = first; it != last; ++it) {
        GpuMesh& mesh = *it->second;
        const std::shared_ptr<engine::Visual> source = mesh.source.lock();
        if (source && source->Revision() == mesh.sourceRevision &&
            (source == visual || engine::SameGeometry(*source, *visual)))
            return it->second;
    }
    auto mesh = std::make_shared<GpuMesh>();
    mesh->hash = hash;
    mesh->source = visual;
    mesh->sourceRevision = visual->Revision();
    Upload(*visual, *mesh);
    meshPool_.emplace(hash, mesh);
    return mesh;
}

void WorkspaceRenderer::FreeUnusedMeshes() {
    for (auto it = visuals_.begin(); it != visuals_.end();) {
        if (it->second.owner.expired())
            it = visuals_.erase(it);
        else
            ++it;
    }
    for (auto it = meshPool_.begin(); it != meshPool_.end();) {
        if (it->second.use_count() == 1) { // the pool's own hold only
            FreeMesh(*it->second);
            it = meshPool_.erase(it);
        } else {
            ++it;
        }
    }
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
            items.push_back({&frame, visual, world, toClip, centre.w});
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
    gridProgram_->setUniformValue("uSpacing", float(gridSpacing_), float(gridMajorSpacing_));
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
    frameUniforms_.editorLight = editorLighting_ && camera;
    if (!frameUniforms_.editorLight)
        return;
    const engine::Matrix4 m = camera->GetWorldTransform();
    const engine::Vector3 travel = m.Row(2).Normalized() * kEditorLightForward -
                                   m.Row(1).Normalized() * kEditorLightDown +
                                   m.Row(0).Normalized() * kEditorLightRight;
    frameUniforms_.toEditorLight = (-travel).Normalized();
}

void WorkspaceRenderer::SetFrameUniforms(QOpenGLShaderProgram& program) {
    const FrameUniforms& u = frameUniforms_;
    // Uniforms a program does without (its lights are off) are not set.
    program.setUniformValue("uAmbient", u.ambient.r, u.ambient.g, u.ambient.b);
    program.setUniformValue("uLightColour", u.pointColour.r, u.pointColour.g, u.pointColour.b);
    program.setUniformValue("uLightPosition", float(u.pointPosition.x), float(u.pointPosition.y),
                            float(u.pointPosition.z));
    program.setUniformValue("uPointSize", u.pointSize);
    if (u.editorLight) {
        program.setUniformValue("uToEditorLight", float(u.toEditorLight.x),
                                float(u.toEditorLight.y), float(u.toEditorLight.z));
        program.setUniformValue("uEditorLightColour", kEditorLightStrength, kEditorLightStrength,
                                kEditorLightStrength);
    }
}

WorkspaceRenderer::MeshProgram* WorkspaceRenderer::UseMeshProgram(const Batch& batch) {
    const FrameUniforms& u = frameUniforms_;
    // Unlit, the lights make no difference: one program serves.
    const bool point = batch.lit && u.hasPoint;
    const bool editor = batch.lit && u.editorLight;
    MeshProgram& mesh =
        meshPrograms_[std::size_t(MeshProgramIndex(batch.shade, batch.lit, point, editor))];
    if (!mesh.program)
        return nullptr;
    if (boundMeshProgram_ != &mesh) {
        mesh.program->bind();
        boundMeshProgram_ = &mesh;
    }
    if (!mesh.frameReady) {
        SetFrameUniforms(*mesh.program);
        mesh.frameReady = true;
    }
    return &mesh;
}

void WorkspaceRenderer::DropHidden(engine::RenderQuality quality, int width, int height,
                                   double pixelRatio) {
    if (!leaveOutHidden_)
        return;
    // Points and lines reach up to a point's size beyond the corners and edges they are drawn
    // at.
    const double margin = (kPointSize + 1) * pixelRatio;
    occlusion_.Reset(width, height);
    std::size_t kept = 0;
    for (DrawItem& item : drawItems_) {
        const OcclusionBuffer::Outline outline =
            occlusion_.Project(item.visual->GetBox(), item.toClip);
        if (occlusion_.Hides(outline, margin)) {
            ++lastHidden_;
            continue;
        }
        // Only filled faces write depth over whole areas.
        if (item.visual->GetQuality().value_or(quality).Fill() == engine::FillMode::Solid)
            occlusion_.AddVisual(*item.visual, item.toClip, outline);
        if (&drawItems_[kept] != &item)
            drawItems_[kept] = std::move(item);
        ++kept;
    }
    drawItems_.resize(kept);
}

void WorkspaceRenderer::MakeBatches(engine::RenderQuality quality) {
    // Batches in the order of their nearest instance, and the instances of a batch nearest
    // first: near enough to nearest first overall that the depth test still spares most of the
    // work on what is hidden.
    struct Key {
        const GpuMesh* mesh;
        int fill, shade;
        bool lit;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const {
            return std::hash<const void*>{}(k.mesh) ^
                   std::size_t(k.fill * 31 + k.shade * 7 + int(k.lit));
        }
    };
    std::unordered_map<Key, std::size_t, KeyHash> index;
    std::size_t used = 0;
    for (std::size_t i = 0; i < drawItems_.size(); ++i) {
        const DrawItem& item = drawItems_[i];
        GpuMesh* mesh = MeshFor(item.visual);
        const engine::RenderQuality q = item.visual->GetQuality().value_or(quality);
        const Key key{mesh, int(q.Fill()), int(q.Shade()), q.LightOn()};
        // Without depth buffering the drawing order is the picture: one instance per batch.
        const auto [it, added] =
            depthBuffering_ ? index.emplace(key, used) : std::pair{index.end(), true};
        const std::size_t at = added ? used : it->second;
        if (added) {
            if (used == batches_.size())
                batches_.emplace_back();
            Batch& batch = batches_[used++];
            batch.mesh = mesh;
            batch.fill = q.Fill();
            batch.shade = key.shade;
            batch.lit = key.lit;
            batch.items.clear();
        }
        batches_[at].items.push_back(i);
    }
    batches_.resize(used);
}

void WorkspaceRenderer::WriteInstances() {
    instances_.resize(drawItems_.size() * kInstanceFloats);
    float* out = instances_.data();
    std::size_t next = 0;
    for (Batch& batch : batches_) {
        batch.firstInstance = next;
        next += batch.items.size();
        for (std::size_t i : batch.items) {
            const DrawItem& item = drawItems_[i];
            const Floats16 clip = ToFloats(item.toClip);
            const Floats16 world = ToFloats(item.world);
            const auto normalMatrix = NormalMatrix(item.world);
            const engine::Color colour = item.frame->GetMaterialMode() == engine::MaterialMode::Mesh
                                             ? engine::Color{}
                                             : item.frame->GetDrawingColor();
            out = std::copy(clip.begin(), clip.end(), out);
            out = std::copy(world.begin(), world.end(), out);
            out = std::copy(normalMatrix.begin(), normalMatrix.end(), out);
            *out++ = colour.r;
            *out++ = colour.g;
            *out++ = colour.b;
        }
    }
    gl_->glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer_);
    // A new store every frame, so that the last frame's instances may still be read meanwhile.
    gl_->glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(instances_.size() * sizeof(float)),
                      instances_.data(), GL_STREAM_DRAW);
}

void WorkspaceRenderer::DrawBatch(const Batch& batch) {
    if (!UseMeshProgram(batch))
        return;
    const GpuMesh& mesh = *batch.mesh;
    gl_->glBindVertexArray(mesh.vao);
    gl_->glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer_);
    const std::size_t base = batch.firstInstance * kInstanceFloats * sizeof(float);
    auto at = [base](std::size_t floats) {
        return reinterpret_cast<const void*>(base + floats * sizeof(float));
    };
    for (GLuint column = 0; column < 4; ++column) {
        gl_->glVertexAttribPointer(kClipAt + column, 4, GL_FLOAT, GL_FALSE, kInstanceStride,
                                   at(4 * column));
        gl_->glVertexAttribPointer(kWorldAt + column, 4, GL_FLOAT, GL_FALSE, kInstanceStride,
                                   at(16 + 4 * column));
    }
    for (GLuint column = 0; column < 3; ++column)
        gl_->glVertexAttribPointer(kNormalMatrixAt + column, 3, GL_FLOAT, GL_FALSE, kInstanceStride,
                                   at(32 + 3 * column));
    gl_->glVertexAttribPointer(kColourAt, 3, GL_FLOAT, GL_FALSE, kInstanceStride, at(41));

    const GLsizei count = GLsizei(batch.items.size());
    switch (batch.fill) {
    case engine::FillMode::Points:
        gl_->glDrawArraysInstanced(GL_POINTS, 0, mesh.vertices, count);
        break;
    case engine::FillMode::Wireframe:
        gl_->glDrawElementsInstanced(GL_LINES, mesh.lineIndices, GL_UNSIGNED_INT,
                                     reinterpret_cast<const void*>(
                                         std::size_t(mesh.triangleIndices) * sizeof(std::uint32_t)),
                                     count);
        break;
    case engine::FillMode::Solid:
        gl_->glDrawElementsInstanced(GL_TRIANGLES, mesh.triangleIndices, GL_UNSIGNED_INT, nullptr,
                                     count);
        break;
    }
    lastDraws_ += batch.items.size();
    ++lastBatches_;
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
    lastBatches_ = 0;
    lastHidden_ = 0;

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
    gl_->glClearStencil(0);
    gl_->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);

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

    if (depthBuffering_)
        gl_->glEnable(GL_DEPTH_TEST);
    else
        gl_->glDisable(GL_DEPTH_TEST);
    gl_->glDepthFunc(GL_LESS);
    // Faces are one-sided: seen from the front their corners run clockwise (as the engine's
    // normals say); the back is not drawn, so a camera inside a closed model sees out of it.
    gl_->glEnable(GL_CULL_FACE);
    gl_->glFrontFace(GL_CW);
    gl_->glCullFace(GL_BACK);
    gl_->glEnable(GL_PROGRAM_POINT_SIZE);
    frameUniforms_.ambient = lights.ambient;
    frameUniforms_.hasPoint = lights.hasPoint;
    frameUniforms_.pointColour = lights.pointColour;
    frameUniforms_.pointPosition = lights.pointPosition;
    frameUniforms_.pointSize = float(kPointSize * pixelRatio);
    SetEditorLight(viewport);
    for (MeshProgram& mesh : meshPrograms_)
        mesh.frameReady = false;
    const engine::Matrix4 viewClip =
        viewport.GetViewTransform() * viewport.GetProjection() * PixelsToClip(viewport);
    // Nearest first, so that the depth test spares the work on what is hidden behind.
    drawItems_.clear();
    ground_ = {};
    CollectDraws(scene, engine::Matrix4::Identity(), viewClip, drawItems_);
    std::stable_sort(drawItems_.begin(), drawItems_.end(),
                     [](const DrawItem& a, const DrawItem& b) { return a.depth < b.depth; });
    DropHidden(quality, vw, vh, pixelRatio);
    // Without a depth test the drawing order decides what covers what: the ground first (its
    // grid over it), then whole visuals farthest first.
    std::size_t groundItems = 0;
    if (!depthBuffering_) {
        std::reverse(drawItems_.begin(), drawItems_.end());
        const auto objects =
            std::stable_partition(drawItems_.begin(), drawItems_.end(), [](const DrawItem& item) {
                return item.frame->GetAppData() == mission::kGroundPlaneTag;
            });
        groundItems = std::size_t(objects - drawItems_.begin());
    }
    MakeBatches(quality);
    if (!drawItems_.empty())
        WriteInstances();
    const auto drawBatches = [this](std::size_t from, std::size_t to) {
        for (std::size_t b = from; b < to; ++b)
            DrawBatch(batches_[b]);
        gl_->glBindVertexArray(0);
        if (boundMeshProgram_)
            boundMeshProgram_->program->release();
        boundMeshProgram_ = nullptr;
    };
    // With a depth test the grid comes after every mesh, blended over the ground and hidden by
    // what stands on it; without one, right after the ground (one batch per visual then).
    const std::size_t beforeGrid = depthBuffering_ ? batches_.size() : groundItems;
    drawBatches(0, beforeGrid);
    DrawGrid(viewport, viewClip);
    if (beforeGrid < batches_.size()) {
        gl_->glEnable(GL_CULL_FACE);
        drawBatches(beforeGrid, batches_.size());
    }
    drawItems_.clear(); // no visual is kept alive past the frame

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

    FreeUnusedMeshes();
}

} // namespace zev::workspace
