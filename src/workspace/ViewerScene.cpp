#include "workspace/ViewerScene.h"

#include "edit/ObjectViewerModel.h"
#include "gamedata/GeometryConverter.h"
#include "gamedata/GeometryLoader.h"
#include "gamedata/ProjectArchive.h"
#include "workspace/ObjectPiece.h"

#include <vector>

namespace zev::workspace {

namespace {

constexpr engine::Vector3 kObjectPosition{0, -5, 0};
constexpr double kFirstTurn = 0.13;

void DefaultOrientation(engine::Frame& frame, const engine::Frame* reference) {
    frame.SetOrientation(reference, {0, 0, 1}, {0, 1, 0});
}

} // namespace

ViewerScene::ViewerScene()
    : scene_(engine::Frame::Create()), camera_(engine::Frame::Create(scene_.get())),
      object_(engine::Frame::Create(scene_.get())), lights_(engine::Frame::Create(scene_.get())) {
    lights_->SetOrientation(scene_.get(), {0, -1, 1}, {0, 1, 0});
    lights_->AddLight(
        std::make_shared<engine::Light>(engine::LightType::Point, engine::Color{1, 1, 1, 1}));
    lights_->AddLight(std::make_shared<engine::Light>(engine::LightType::Ambient,
                                                      engine::Color{0.5f, 0.5f, 0.5f, 1}));

    camera_->SetPosition(scene_.get(), 0, 0, -50);
    DefaultOrientation(*camera_, scene_.get());
    object_->SetPosition(scene_.get(), kObjectPosition);
    DefaultOrientation(*object_, scene_.get());
    // Turned after its placement, so the frame keeps the turn until an object is shown.
    object_->AddRotation(engine::Combine::Before, {0, 1, 0}, kFirstTurn);
    scene_->SetSceneBackgroundRGB(0, 0, 0);
}

void ViewerScene::ClearObject() {
    if (builder_)
        object_->DeleteVisual(builder_.get());
    builder_.reset();
}

bool ViewerScene::ShowGeometry(const std::filesystem::path& archivePath, std::uint32_t dataOffset,
                               engine::RenderQuality quality, common::Reporter& reporter) {
    ClearObject();
    gamedata::ProjectArchive archive;
    if (!gamedata::OpenArchiveOrReport(archive, gamedata::CompleteArchivePath(archivePath),
                                       reporter))
        return false;
    std::vector<std::uint8_t> bytes;
    gamedata::Mesh mesh;
    std::string error;
    const bool converted = gamedata::readGeometryBytes(archive, dataOffset, bytes) &&
                           gamedata::ConvertGeometry(bytes, {1, 1, 1}, {0, 0, 0}, mesh, error);
    archive.CloseArchive();
    if (!converted)
        return false;

    builder_ = BuilderWithNormals(*ToEngineMesh(mesh));
    builder_->SetQuality(quality);
    const double fit = edit::viewerFitScale(builder_->GetBox());
    builder_->Scale(fit, fit, fit);

    object_->SetPosition(scene_.get(), kObjectPosition);
    DefaultOrientation(*object_, scene_.get());
    object_->AddVisual(builder_);
    object_->SetRotation(scene_.get(), {0, 1, 0}, edit::ObjectViewerModel::kTurnSpeed);
    return true;
}

void ViewerScene::ApplyQuality(engine::RenderQuality quality) {
    if (builder_)
        builder_->SetQuality(quality);
}

} // namespace zev::workspace
