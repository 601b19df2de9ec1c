#pragma once

#include "engine/Frame.h"
#include "engine/Mesh.h"
#include "engine/MeshBuilder.h"
#include "gamedata/Mesh.h"
#include "platform/EditorSettings.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace zev::workspace {

// Whole-degree rotations about X, Y and Z.
using Degrees3 = std::array<int, 3>;

// A colour of 8-bit components (0 to 255) as the settings store keeps it.
using Rgb = platform::Rgb;

// The geometry converter: builds the workspace's frames from game geometry (objects through
// WTB.IDX and the project archive, ready-made groups from their group files) and from the
// program's own models (start point and nav point markers, the ground plane).
//
// Each load reports at most one error: it returns false and leaves the text in LastError(),
// which the caller shows. Every frame made takes its material from the frame.
class TObjectPiece {
public:
    // `archivePath` is the configured project path (the archive file or the game directory);
    // WTB.IDX is read from `programDirectory`.
    TObjectPiece(std::filesystem::path archivePath, std::filesystem::path programDirectory);

    const std::string& LastError() const { return lastError_; }
    const std::filesystem::path& ArchivePath() const { return archivePath_; }

    // Whether a camera given to LoadObjectFrame is moved over the new object.
    void SetAutoZoom(bool on) { autoZoom_ = on; }
    bool AutoZoom() const { return autoZoom_; }

    // An object from its geometry, as a child of `parent`: its mesh scaled by `scale`, placed
    // at `position` (parent coordinates), turned about the parent's X, Y and Z axes in that
    // order, coloured, tagged. With auto-zoom on and a camera given, the camera moves to
    // (object x, AutoZoomHeight, object z) relative to the parent, keeping its orientation.
    bool LoadObjectFrame(engine::Frame& parent, std::string_view objectName, std::int32_t appData,
                         const std::string& frameName, const engine::Vector3& position,
                         const engine::Vector3& scale, const Degrees3& rotation, Rgb colour,
                         engine::Frame* camera);

    // A ready-made group: a group frame under `parent` with one member frame per shown member
    // (tag 3000, name "RMG FRAME", the group's colour, placed and turned relative to the group),
    // then the group frame placed, scaled before its transform and turned. A group that cannot
    // be finished leaves no frame behind.
    bool LoadReadyMadeGroup(engine::Frame& parent, std::string_view groupName, std::int32_t appData,
                            const std::string& frameName, const engine::Vector3& position,
                            const engine::Vector3& scale, const Degrees3& rotation, Rgb colour);

    // The start point figure scaled 6, turned about the parent's Y axis by `heading` degrees.
    bool CreateStartPointMarker(engine::Frame& parent, std::int32_t appData,
                                const std::string& name, const engine::Vector3& position,
                                int heading, Rgb colour);
    // The nav point beacon.
    bool CreateNavPointMarker(engine::Frame& parent, std::int32_t appData, const std::string& name,
                              const engine::Vector3& position, Rgb colour);
    // The ground quad at y -0.9 under `scene`; the frame is kept (GroundFrame()).
    bool CreateGroundPlane(engine::Frame& scene, std::int32_t appData, const std::string& name,
                           Rgb colour);
    const std::shared_ptr<engine::Frame>& GroundFrame() const { return ground_; }

private:
    std::filesystem::path archivePath_;
    std::filesystem::path programDirectory_;
    std::string lastError_;
    bool autoZoom_ = true;
    // The marker models are made once and shared by every marker.
    std::shared_ptr<engine::MeshBuilder> startPointModel_;
    std::shared_ptr<engine::MeshBuilder> navPointModel_;
    std::shared_ptr<engine::Frame> ground_;
};

// The engine mesh of converted game geometry: one engine group per group, the same vertices and
// faces.
std::shared_ptr<engine::Mesh> ToEngineMesh(const gamedata::Mesh& mesh);

// A mesh builder holding `mesh` with generated normals, as object frames show it.
std::shared_ptr<engine::MeshBuilder> BuilderWithNormals(const engine::Visual& mesh);

// Camera height for looking at a visual from above: twice its largest extent.
double AutoZoomHeight(const engine::Visual& visual);

// The engine colour of 8-bit components (each / 255).
engine::Color ToEngineColor(Rgb colour);

// Puts a new frame at `position` of its parent with the default orientation (looking along +z,
// y up) and turns it about the parent's X, Y and Z axes by whole degrees, in that order.
void PlaceAndTurn(engine::Frame& frame, const engine::Vector3& position, const Degrees3& rotation);
// As PlaceAndTurn, with a scale combined before the turns (a ready-made group's frame).
void PlaceScaleAndTurn(engine::Frame& frame, const engine::Vector3& position,
                       const engine::Vector3& scale, const Degrees3& rotation);

} // namespace zev::workspace
