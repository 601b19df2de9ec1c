#include "workspace/ObjectPiece.h"

#include "gamedata/GeometryLoader.h"
#include "gamedata/ReadyMadeGroup.h"
#include "workspace/MarkerMeshes.h"

#include <algorithm>
#include <vector>

namespace zev::workspace {

namespace {

constexpr double kGroundLevel = -0.9;
constexpr double kStartPointModelScale = 6.0;

engine::Vector3 ToVector(const gamedata::Vec3& v) {
    return {v.x, v.y, v.z};
}

// A new frame under `parent` that takes its material from the frame.
std::shared_ptr<engine::Frame> NewFrame(engine::Frame& parent) {
    auto frame = engine::Frame::Create(&parent);
    frame->SetMaterialMode(engine::MaterialMode::Frame);
    return frame;
}

} // namespace

std::shared_ptr<engine::Mesh> ToEngineMesh(const gamedata::Mesh& mesh) {
    auto out = std::make_shared<engine::Mesh>();
    for (const gamedata::MeshGroup& group : mesh.groups) {
        std::vector<engine::MeshVertex> vertices;
        vertices.reserve(group.vertices.size());
        for (const gamedata::MeshVertex& v : group.vertices)
            vertices.push_back({{v.position.x, v.position.y, v.position.z},
                                {v.normal.x, v.normal.y, v.normal.z},
                                v.u,
                                v.v});
        const std::vector<std::uint32_t> faceData = group.faceData();
        const int g = out->AddGroup(vertices.size(), group.faces.size(),
                                    engine::Mesh::kVariableCorners, faceData);
        if (g >= 0)
            out->SetVertices(g, 0, vertices);
    }
    return out;
}

std::shared_ptr<engine::MeshBuilder> BuilderWithNormals(const engine::Visual& mesh) {
    auto builder = std::make_shared<engine::MeshBuilder>();
    builder->AddMesh(mesh);
    builder->GenerateNormals();
    return builder;
}

double AutoZoomHeight(const engine::Visual& visual) {
    const engine::Box box = visual.GetBox();
    if (box.empty)
        return 0.0;
    double h = 0.0;
    for (double extent : {box.max.x - box.min.x, box.max.y - box.min.y, box.max.z - box.min.z})
        if (extent > h)
            h = extent;
    return 2.0 * h;
}

engine::Color ToEngineColor(Rgb colour) {
    const auto byte = [](int v) { return std::clamp(v, 0, 255); };
    return engine::ColorFromBytes(byte(colour.red), byte(colour.green), byte(colour.blue));
}

void PlaceAndTurn(engine::Frame& frame, const engine::Vector3& position, const Degrees3& rotation) {
    const engine::Frame* parent = frame.GetParent();
    frame.SetPosition(parent, position);
    frame.SetOrientation(parent, {0, 0, 1}, {0, 1, 0});
    static constexpr std::array<engine::Vector3, 3> kAxes{
        engine::Vector3{1, 0, 0}, engine::Vector3{0, 1, 0}, engine::Vector3{0, 0, 1}};
    for (std::size_t axis = 0; axis < 3; ++axis)
        if (rotation[axis] != 0)
            frame.TurnDegrees(parent, kAxes[axis], rotation[axis]);
}

void PlaceScaleAndTurn(engine::Frame& frame, const engine::Vector3& position,
                       const engine::Vector3& scale, const Degrees3& rotation) {
    const engine::Frame* parent = frame.GetParent();
    frame.SetPosition(parent, position);
    frame.SetOrientation(parent, {0, 0, 1}, {0, 1, 0});
    frame.AddScale(engine::Combine::Before, scale.x, scale.y, scale.z);
    static constexpr std::array<engine::Vector3, 3> kAxes{
        engine::Vector3{1, 0, 0}, engine::Vector3{0, 1, 0}, engine::Vector3{0, 0, 1}};
    for (std::size_t axis = 0; axis < 3; ++axis)
        if (rotation[axis] != 0)
            frame.TurnDegrees(parent, kAxes[axis], rotation[axis]);
}

TObjectPiece::TObjectPiece(std::filesystem::path archivePath,
                           std::filesystem::path programDirectory)
    : archivePath_(std::move(archivePath)), programDirectory_(std::move(programDirectory)) {}

bool TObjectPiece::LoadObjectFrame(engine::Frame& parent, std::string_view objectName,
                                   std::int32_t appData, const std::string& frameName,
                                   const engine::Vector3& position, const engine::Vector3& scale,
                                   const Degrees3& rotation, Rgb colour, engine::Frame* camera) {
    gamedata::Mesh mesh;
    const gamedata::Vec3 meshScale{static_cast<float>(scale.x), static_cast<float>(scale.y),
                                   static_cast<float>(scale.z)};
    if (!gamedata::loadObjectMesh(archivePath_, programDirectory_, objectName, meshScale, mesh,
                                  lastError_))
        return false;

    auto frame = NewFrame(parent);
    auto builder = BuilderWithNormals(*ToEngineMesh(mesh));
    frame->AddVisual(builder);
    frame->SetColor(ToEngineColor(colour));
    PlaceAndTurn(*frame, position, rotation);
    frame->SetAppData(appData);
    frame->SetName(frameName);

    if (autoZoom_ && camera) {
        const engine::Vector3 at = frame->GetPosition(&parent);
        camera->SetPosition(&parent, at.x, AutoZoomHeight(*builder), at.z);
    }
    return true;
}

bool TObjectPiece::LoadReadyMadeGroup(engine::Frame& parent, std::string_view groupName,
                                      std::int32_t appData, const std::string& frameName,
                                      const engine::Vector3& position, const engine::Vector3& scale,
                                      const Degrees3& rotation, Rgb colour) {
    gamedata::ReadyMadeGroup group;
    if (!gamedata::loadReadyMadeGroup(archivePath_, programDirectory_, groupName, group,
                                      lastError_))
        return false; // nothing was attached yet, so no unfinished frame stays behind

    auto groupFrame = NewFrame(parent);
    for (const gamedata::ReadyMadeMember& member : group.members) {
        auto memberFrame = NewFrame(*groupFrame);
        memberFrame->AddVisual(BuilderWithNormals(*ToEngineMesh(member.mesh)));
        memberFrame->SetColor(ToEngineColor(colour));
        const auto& degrees = member.placement.rotationDegrees;
        PlaceAndTurn(*memberFrame, ToVector(member.placement.position),
                     {degrees[0], degrees[1], degrees[2]});
        memberFrame->SetAppData(gamedata::kGroupMemberTag);
        memberFrame->SetName(gamedata::kGroupMemberName);
    }

    PlaceScaleAndTurn(*groupFrame, position, scale, rotation);
    groupFrame->SetAppData(appData);
    groupFrame->SetName(frameName);
    return true;
}

bool TObjectPiece::CreateStartPointMarker(engine::Frame& parent, std::int32_t appData,
                                          const std::string& name, const engine::Vector3& position,
                                          int heading, Rgb colour) {
    if (!startPointModel_) {
        startPointModel_ = StartPointMarkerModel();
        startPointModel_->Scale(kStartPointModelScale, kStartPointModelScale,
                                kStartPointModelScale);
    }
    auto frame = NewFrame(parent);
    frame->AddVisual(startPointModel_);
    frame->SetColor(ToEngineColor(colour));
    PlaceAndTurn(*frame, position, {0, heading, 0});
    frame->SetAppData(appData);
    frame->SetName(name);
    return true;
}

bool TObjectPiece::CreateNavPointMarker(engine::Frame& parent, std::int32_t appData,
                                        const std::string& name, const engine::Vector3& position,
                                        Rgb colour) {
    if (!navPointModel_)
        navPointModel_ = NavPointMarkerModel();
    auto frame = NewFrame(parent);
    frame->AddVisual(navPointModel_);
    PlaceAndTurn(*frame, position, {0, 0, 0});
    frame->SetColor(ToEngineColor(colour));
    frame->SetAppData(appData);
    frame->SetName(name);
    return true;
}

bool TObjectPiece::CreateGroundPlane(engine::Frame& scene, std::int32_t appData,
                                     const std::string& name, Rgb colour) {
    if (ground_)
        scene.DeleteChild(ground_.get());
    ground_ = NewFrame(scene);
    ground_->AddVisual(GroundQuad());
    PlaceAndTurn(*ground_, {0, kGroundLevel, 0}, {0, 0, 0});
    ground_->SetColor(ToEngineColor(colour));
    ground_->SetAppData(appData);
    ground_->SetName(name);
    return true;
}

} // namespace zev::workspace
