#pragma once

#include "engine/Frame.h"
#include "engine/RenderQuality.h"
#include "engine/Viewport.h"
#include "workspace/OcclusionBuffer.h"

#include <QImage>
#include <QPoint>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class QOpenGLFunctions_3_3_Core;
class QOpenGLShaderProgram;
class QOpenGLTexture;

namespace zev::workspace {

// Draws a frame tree through an engine viewport with OpenGL 3.3 core, in whatever context is
// current: the scene's background colour, then the background picture when one is set, then
// every visual of every frame in its frame's colour, lit by the scene's first point light, its
// ambient lights and, when asked for, the editor's light, filled and shaded as the render quality
// says (a visual's own quality wins), depth-tested, nearest first, leaving out visuals wholly
// outside the view; then, when asked for, the ground grid; last the pointer sprite.
//
// Meshes go to GPU buffers once, keyed by the visual, and are uploaded again only when the
// visual's revision changes; frames sharing a visual share its buffers, and so do visuals of
// the same geometry (every object of one kind in a mission loads its own). Buffers no visual
// uses any more are freed after each frame.
//
// Every frame drawn is one instance of its mesh: all instances of a mesh drawn in the same
// fill and shade go to the GPU in one call, with their transforms and colours in a buffer of
// instances. Visuals that nearer solid ones hide wholly are left out before any GL call (see
// OcclusionBuffer): a software rasteriser spends most of a crowded frame on hidden pixels.
//
// Every call needs the context of Initialize() current.
class WorkspaceRenderer {
public:
    WorkspaceRenderer();
    ~WorkspaceRenderer();
    WorkspaceRenderer(const WorkspaceRenderer&) = delete;
    WorkspaceRenderer& operator=(const WorkspaceRenderer&) = delete;

    // Prepares the shaders. False, with ErrorText() telling why, when the current context
    // offers no OpenGL 3.3 core functions or a shader does not build.
    bool Initialize();
    bool IsInitialized() const { return initialized_; }
    const std::string& ErrorText() const { return error_; }
    // Frees every GPU object; the renderer may be initialised again afterwards.
    void Release();

    // Draws `scene` into the bound framebuffer of `framebufferWidth` x `framebufferHeight`
    // pixels. The viewport's rectangle is in device-independent pixels; `pixelRatio` is the
    // framebuffer's pixels per such pixel.
    void Render(const engine::Frame& scene, const engine::Viewport& viewport,
                engine::RenderQuality quality, int framebufferWidth, int framebufferHeight,
                double pixelRatio = 1.0);

    // The full-screen background picture, stretched over the viewport; a null image removes it.
    void SetBackgroundPicture(const QImage& image);
    bool HasBackgroundPicture() const { return !pendingBackground_.isNull(); }
    // The pointer sprite, drawn with its top-left corner at `at` (viewport pixels); black is
    // transparent. A null image removes it.
    void SetPointerSprite(const QImage& sprite);
    void SetPointerPosition(QPoint at) { pointerAt_ = at; }
    QPoint PointerPosition() const { return pointerAt_; }

    // Lines on the ground plane (the frame tagged 2000) for distance and scale: one every
    // kGridSpacing units, a stronger one every kGridMajorSpacing (or the spacing snapping
    // places to, and ten times it), fading with distance from the camera. They lie on the ground
    // under everything standing on it and are no frame of the scene, so picking never finds them.
    // Off unless turned on.
    static constexpr double kGridSpacing = 10.0;
    static constexpr double kGridMajorSpacing = 100.0;
    void SetGroundGrid(bool on) { groundGrid_ = on; }
    bool GroundGrid() const { return groundGrid_; }
    void SetGridSpacing(double minor, double major) {
        gridSpacing_ = minor;
        gridMajorSpacing_ = major;
    }
    double GridSpacing() const { return gridSpacing_; }
    // A directional light travelling with the camera, from a little above and to the left of
    // its direction of view, added to the scene's lights: faces the scene's lights miss still
    // read by their direction. Off unless turned on; off leaves the scene's lighting as it is.
    void SetEditorLighting(bool on) { editorLighting_ = on; }
    bool EditorLighting() const { return editorLighting_; }

    // Depth buffering, the full-screen "Z-Buffering" choice; on unless turned off. Off, nothing is
    // depth-tested: the ground is drawn first with its grid, then whole visuals farthest first,
    // so nearer objects cover farther ones while the faces of one object, or of objects passing
    // through each other, overlap in the order they are drawn.
    void SetDepthBuffering(bool on) { depthBuffering_ = on; }
    bool DepthBuffering() const { return depthBuffering_; }

    // Leaving out visuals that nearer faces hide wholly; on unless turned off. The picture is
    // the same either way, only faster with it.
    void SetLeaveOutHidden(bool on) { leaveOutHidden_ = on; }
    bool LeaveOutHidden() const { return leaveOutHidden_; }

    // What the mesh cache holds: visuals with buffers on the GPU, the bytes of those buffers
    // (once for buffers that visuals share), and uploads since start.
    std::size_t CachedMeshCount() const { return visuals_.size(); }
    std::size_t CachedBytes() const;
    std::uint64_t UploadCount() const { return uploads_; }
    // Visuals drawn in the last frame (one per frame that holds it), and those left out
    // because they lay wholly outside the view.
    std::size_t LastDrawCount() const { return lastDraws_; }
    std::size_t LastCulledCount() const { return lastCulled_; }
    // The calls that drew the last frame's meshes, and the visuals in view left out because
    // nearer ones hid them wholly.
    std::size_t LastBatchCount() const { return lastBatches_; }
    std::size_t LastHiddenCount() const { return lastHidden_; }

private:
    struct GpuMesh;
    struct FrameLights;
    // The ground plane found in the last frame's walk, in scene coordinates.
    struct GroundExtent {
        bool found = false;
        double level = 0;
        double minX = 0, maxX = 0, minZ = 0, maxZ = 0;
        engine::Color colour;
    };

    // A visual's place in the cache: the buffers that hold its geometry as of `revision`.
    struct CachedVisual {
        std::weak_ptr<engine::Visual> owner;
        std::uint64_t revision = 0;
        std::shared_ptr<GpuMesh> mesh;
    };
    // The mesh program of one shade mode and set of lights.
    struct MeshProgram {
        std::unique_ptr<QOpenGLShaderProgram> program;
        bool frameReady = false; // the frame's lights and point size are set
    };
    static constexpr int kMeshProgramCount = 3 * 2 * 2 * 2;
    struct DrawItem {
        const engine::Frame* frame;
        std::shared_ptr<engine::Visual> visual;
        engine::Matrix4 world;
        engine::Matrix4 toClip; // world followed by view, projection and viewport
        double depth;           // of the visual's box centre, along the camera's viewing axis
    };
    // The instances drawn with one call: one mesh, one fill, one shade, lit or not.
    struct Batch {
        GpuMesh* mesh;
        engine::FillMode fill;
        int shade;
        bool lit;
        std::vector<std::size_t> items; // into drawItems_, nearest first
        std::size_t firstInstance = 0;
    };

    GpuMesh* MeshFor(const std::shared_ptr<engine::Visual>& visual);
    // The buffers of a visual's geometry: shared ones of the same geometry, or new ones.
    std::shared_ptr<GpuMesh> FindOrUpload(const std::shared_ptr<engine::Visual>& visual);
    void Upload(const engine::Visual& visual, GpuMesh& mesh);
    void FreeMesh(GpuMesh& mesh);
    void FreeUnusedMeshes();
    void CollectDraws(const engine::Frame& frame, const engine::Matrix4& parentWorld,
                      const engine::Matrix4& viewClip, std::vector<DrawItem>& items);
    // Leaves out the visuals hidden behind nearer ones (drawItems_ nearest first).
    void DropHidden(engine::RenderQuality quality, int width, int height, double pixelRatio);
    void MakeBatches(engine::RenderQuality quality);
    void WriteInstances();
    void DrawBatch(const Batch& batch);
    // Binds the program of a batch under this frame's lights, given the frame's uniforms at its
    // first use in the frame.
    MeshProgram* UseMeshProgram(const Batch& batch);
    bool BuildProgram(std::unique_ptr<QOpenGLShaderProgram>& program, const std::string& vertex,
                      const std::string& fragment, const char* what);
    void NoteGround(const engine::Frame& frame, const engine::Matrix4& world);
    void DrawGrid(const engine::Viewport& viewport, const engine::Matrix4& viewClip);
    void SetEditorLight(const engine::Viewport& viewport);
    void SetFrameUniforms(QOpenGLShaderProgram& program);
    void DrawLayer(QOpenGLTexture& texture, float x0, float y0, float x1, float y1, bool colourKey);

    QOpenGLFunctions_3_3_Core* gl_ = nullptr;
    std::array<MeshProgram, kMeshProgramCount> meshPrograms_;
    MeshProgram* boundMeshProgram_ = nullptr;
    std::unique_ptr<QOpenGLShaderProgram> layerProgram_;
    std::unique_ptr<QOpenGLShaderProgram> gridProgram_;
    unsigned layerVao_ = 0;
    unsigned instanceBuffer_ = 0;
    std::unordered_map<const engine::Visual*, CachedVisual> visuals_;
    // Buffers by a hash of their geometry; visuals of equal geometry share them.
    std::unordered_multimap<std::uint64_t, std::shared_ptr<GpuMesh>> meshPool_;
    std::unique_ptr<QOpenGLTexture> background_;
    std::unique_ptr<QOpenGLTexture> pointer_;
    QImage pendingBackground_;
    QImage pendingPointer_;
    bool backgroundChanged_ = false;
    bool pointerChanged_ = false;
    QPoint pointerAt_;
    std::uint64_t uploads_ = 0;
    std::size_t lastDraws_ = 0;
    std::size_t lastCulled_ = 0;
    std::size_t lastBatches_ = 0;
    std::size_t lastHidden_ = 0;
    OcclusionBuffer occlusion_;
    std::vector<DrawItem> drawItems_;
    std::vector<Batch> batches_;
    std::vector<float> instances_;
    // The frame's lighting, set on each mesh program at its first use in the frame.
    struct FrameUniforms {
        engine::Color ambient, pointColour;
        bool hasPoint = false;
        engine::Vector3 pointPosition;
        float pointSize = 1;
        bool editorLight = false;
        engine::Vector3 toEditorLight;
    } frameUniforms_;
    GroundExtent ground_;
    bool groundGrid_ = false;
    double gridSpacing_ = kGridSpacing;
    double gridMajorSpacing_ = kGridMajorSpacing;
    bool editorLighting_ = false;
    bool leaveOutHidden_ = true;
    bool depthBuffering_ = true;
    bool initialized_ = false;
    std::string error_;
};

} // namespace zev::workspace
