#include "workspace/MissionScene.h"

#include "common/Numbers.h"
#include "engine/FramePositions.h"
#include "engine/Light.h"
#include "mission/MissionObjectRecord.h"

#include <string>

namespace zev::workspace {

namespace {

constexpr double kUnitsPerGameUnit = 0.01;
constexpr const char* kProgramTitle = "ZEVEDIT 3D";

double WorkspaceCoordinate(const std::string& text) {
    return common::leadingInt(text) * kUnitsPerGameUnit;
}

std::shared_ptr<engine::Frame> ChildHolding(const engine::Frame* frame) {
    if (!frame || !frame->GetParent())
        return nullptr;
    for (const auto& child : frame->GetParent()->GetChildren())
        if (child.get() == frame)
            return child;
    return nullptr;
}

} // namespace

MissionScene::MissionScene(platform::SettingsStore& settings, TObjectPiece* objectPiece)
    : settings_(settings), objectPiece_(objectPiece), groundMaker_({}, {}),
      scene_(engine::Frame::Create()), sideCamera_(engine::Frame::Create(scene_.get())),
      topCamera_(engine::Frame::Create(scene_.get())) {}

MissionScene::~MissionScene() = default;

Rgb MissionScene::Colour(const platform::ColourKey& key) const {
    return platform::readColour(settings_, key);
}

bool MissionScene::SetupLightsAndCameras() {
    if (lightFrame_)
        scene_->DeleteChild(lightFrame_.get());
    lightFrame_ = engine::Frame::Create(scene_.get());
    lightFrame_->SetOrientation(scene_.get(), {0, -1, 1}, {0, 1, 0});
    lightFrame_->AddLight(
        std::make_shared<engine::Light>(engine::LightType::Point, engine::Color{1, 1, 1, 1}));
    lightFrame_->AddLight(std::make_shared<engine::Light>(engine::LightType::Ambient,
                                                          engine::Color{0.5f, 0.5f, 0.5f, 1}));

    sideCamera_->SetPosition(scene_.get(), 0, 60, 0);
    sideCamera_->SetOrientation(scene_.get(), {0, 0, 1}, {0, 1, 0});

    topCamera_->SetPosition(scene_.get(), 0, 80, 10);
    topCamera_->SetOrientation(scene_.get(), {0, 0, 1}, {0, 1, 0});
    topCamera_->AddRotation(engine::Combine::Before, {1, 0, 0}, 1.5705);
    return true;
}

bool MissionScene::Setup(bool fullScreen) {
    fullScreen_ = fullScreen;
    if (!SetupLightsAndCameras())
        return false;
    TObjectPiece& maker = objectPiece_ ? *objectPiece_ : groundMaker_;
    if (ground_)
        scene_->DeleteChild(ground_.get());
    maker.CreateGroundPlane(*scene_, mission::kGroundPlaneTag, "Ground Plane",
                            Colour(platform::kGroundPlaneColour));
    ground_ = maker.GroundFrame();
    DayTime1Click();
    return true;
}

engine::Frame* MissionScene::GroundPlane() const {
    return ground_.get();
}

void MissionScene::MakeContainers() {
    DetachMissionFrames();
    auto container = [this] {
        auto frame = engine::Frame::Create(scene_.get());
        frame->SetMaterialMode(engine::MaterialMode::Frame);
        return frame;
    };
    objects_ = container();
    navPoints_ = container();
    startPoints_ = container();
}

void MissionScene::DetachMissionFrames() {
    ClearSelection();
    for (auto* container : {&objects_, &navPoints_, &startPoints_}) {
        if (*container)
            scene_->DeleteChild(container->get());
        container->reset();
    }
}

void MissionScene::AddStartPointMarkers(const mission::MissionDocument& document) {
    if (!objectPiece_ || !startPoints_)
        return;
    for (int player = 1; player <= mission::kPlayerCount; ++player) {
        const mission::StartPointRecord& record = document.startPoint(player);
        using R = mission::StartPointRecord;
        objectPiece_->CreateStartPointMarker(
            *startPoints_, mission::kStartPointTagBase + player - 1,
            "Player " + std::to_string(player) + " Start Point",
            {WorkspaceCoordinate(record.text(R::x)), WorkspaceCoordinate(record.text(R::y)),
             WorkspaceCoordinate(record.text(R::z))},
            common::leadingInt(record.text(R::heading)), platform::playerColour(settings_, player));
    }
}

void MissionScene::AddNavPointMarkers(const mission::MissionDocument& document) {
    if (!objectPiece_ || !navPoints_)
        return;
    const Rgb colour = Colour(platform::kNavPointsColour);
    for (int star = 0; star < mission::kStarCount; ++star)
        for (int nav = 0; nav < mission::kNavPointsPerStar; ++nav) {
            const mission::NavPointRecord& record = document.navPoint(star, nav);
            if (!record.isInUse())
                continue;
            using R = mission::NavPointRecord;
            objectPiece_->CreateNavPointMarker(
                *navPoints_, mission::kNavPointTagBase + star, common::decimal(nav),
                {WorkspaceCoordinate(record.text(R::x)), WorkspaceCoordinate(record.text(R::y)),
                 WorkspaceCoordinate(record.text(R::z))},
                colour);
        }
}

void MissionScene::PlaceCamerasOverPlayerOne(const mission::MissionDocument& document) {
    const mission::StartPointRecord& first = document.startPoint(1);
    using R = mission::StartPointRecord;
    const double x = WorkspaceCoordinate(first.text(R::x));
    const double z = WorkspaceCoordinate(first.text(R::z));
    sideCamera_->SetOrientation(scene_.get(), {0, 0, 1}, {0, 1, 0});
    sideCamera_->SetPosition(scene_.get(), x, 20, z);
    topCamera_->SetPosition(scene_.get(), x, 120, z);
    sideCamera_->TurnDegrees(scene_.get(), {0, 1, 0}, common::leadingInt(first.text(R::heading)));
}

bool MissionScene::BuildMissionScene(const mission::MissionDocument& document, common::Reporter&) {
    // Frame creation cannot fail here, so the reporter is never needed; it stays in the
    // signature because loading shares it.
    MakeContainers();
    AddStartPointMarkers(document);
    AddNavPointMarkers(document);
    PlaceCamerasOverPlayerOne(document);
    return true;
}

bool MissionScene::ShowObject(const mission::MissionDocument& document, int slot,
                              engine::Frame* camera) {
    const mission::MissionObjectRecord* record = document.objects.find(slot);
    if (!record || !objectPiece_ || !objects_)
        return false;
    using R = mission::MissionObjectRecord;
    const engine::Vector3 position{record->int32(R::position(0)) * kUnitsPerGameUnit,
                                   record->int32(R::position(1)) * kUnitsPerGameUnit,
                                   record->int32(R::position(2)) * kUnitsPerGameUnit};
    const engine::Vector3 scale{double(record->int32(R::scale(0))),
                                double(record->int32(R::scale(1))),
                                double(record->int32(R::scale(2)))};
    const Degrees3 rotation{record->int32(R::mainRotation(0)), record->int32(R::mainRotation(1)),
                            record->int32(R::mainRotation(2))};
    const std::string name = record->text(R::objectName);
    if (record->isReadyMadeGroup())
        return objectPiece_->LoadReadyMadeGroup(*objects_, name, slot, "", position, scale,
                                                rotation, Colour(platform::kRmgObjectColour));
    return objectPiece_->LoadObjectFrame(*objects_, name, slot, "", position, scale, rotation,
                                         Colour(platform::kStandardObjectColour), camera);
}

bool MissionScene::LoadMissionScene(mission::MissionDocument& document,
                                    common::Reporter& reporter) {
    MakeContainers();
    AddStartPointMarkers(document);
    AddNavPointMarkers(document);
    if (objectPiece_)
        for (int slot : document.objects.occupiedSlots())
            if (!ShowObject(document, slot, nullptr)) {
                document.objects.free(slot);
                reporter.report(objectPiece_->LastError(), kProgramTitle,
                                common::MessageIcon::Stop);
            }
    PlaceCamerasOverPlayerOne(document);
    return true;
}

void MissionScene::RebuildNavPointMarkers(mission::MissionDocument& document) {
    document.modified = true;
    if (Selected() && Selected()->GetParent() == navPoints_.get())
        ClearSelection();
    if (navPoints_)
        scene_->DeleteChild(navPoints_.get());
    navPoints_ = engine::Frame::Create(scene_.get());
    navPoints_->SetMaterialMode(engine::MaterialMode::Frame);
    AddNavPointMarkers(document);
}

// --- selection

void MissionScene::PaintSelection(engine::Frame& frame, engine::Color colour) {
    if (frame.GetChildren().empty()) {
        frame.SetColor(colour);
        return;
    }
    for (const auto& child : frame.GetChildren())
        child->SetColor(colour);
}

bool MissionScene::SelectFrame(engine::Frame* picked) {
    ClearSelection();
    if (!picked || picked->GetAppData() == mission::kGroundPlaneTag)
        return false;
    std::shared_ptr<engine::Frame> chosen;
    if (picked->GetAppData() == mission::kReadyMadeMemberTag)
        chosen = ChildHolding(picked->GetParent());
    else
        chosen = ChildHolding(picked);
    if (!chosen)
        return false;
    selectedSavedColour_ = picked->GetColor();
    selected_ = chosen;
    PaintSelection(*chosen, ToEngineColor(Colour(platform::kSelectedObjectColour)));
    return true;
}

void MissionScene::ClearSelection() {
    if (auto frame = selected_.lock())
        PaintSelection(*frame, selectedSavedColour_);
    selected_.reset();
}

// --- colours

void MissionScene::GroundPlaneColor1Click(const Rgb& chosen) {
    platform::writeColour(settings_, platform::kGroundPlaneColour.prefix, chosen);
    if (ground_)
        ground_->SetColor(ToEngineColor(chosen));
}

void MissionScene::StandardObjectColor1Click(const Rgb& chosen) {
    platform::writeColour(settings_, platform::kStandardObjectColour.prefix, chosen);
    RecolourObjects();
}

void MissionScene::RMGObjectColor1Click(const Rgb& chosen) {
    platform::writeColour(settings_, platform::kRmgObjectColour.prefix, chosen);
    RecolourObjects();
}

void MissionScene::SelectedObjectColor1Click(const Rgb& chosen) {
    platform::writeColour(settings_, platform::kSelectedObjectColour.prefix, chosen);
    ClearSelection();
}

void MissionScene::PlayerStartPointColor1Click(const Rgb&) {}

void MissionScene::RecolourObjects() {
    if (!objects_)
        return;
    ClearSelection(); // so that a later clear does not bring back a colour of before
    const engine::Color standard = ToEngineColor(Colour(platform::kStandardObjectColour));
    const engine::Color group = ToEngineColor(Colour(platform::kRmgObjectColour));
    for (const auto& child : objects_->GetChildren()) {
        if (child->GetChildren().empty()) {
            child->SetColor(standard);
            continue;
        }
        for (const auto& member : child->GetChildren())
            member->SetColor(group);
    }
}

// --- day and night

void MissionScene::DayTime1Click() {
    night_ = false;
    if (!fullScreen_)
        scene_->SetSceneBackgroundRGB(kDayBackground.r, kDayBackground.g, kDayBackground.b);
}

void MissionScene::NightTime1Click() {
    night_ = true;
    if (!fullScreen_)
        scene_->SetSceneBackgroundRGB(0, 0, 0);
}

// --- positions

std::vector<mission::FramePlacement> MissionScene::startPointFrames() const {
    return engine::FramePositions(startPoints_.get(), navPoints_.get(), objects_.get())
        .startPointFrames();
}

std::vector<mission::FramePlacement> MissionScene::navPointFrames() const {
    return engine::FramePositions(startPoints_.get(), navPoints_.get(), objects_.get())
        .navPointFrames();
}

std::vector<mission::FramePlacement> MissionScene::objectFrames() const {
    return engine::FramePositions(startPoints_.get(), navPoints_.get(), objects_.get())
        .objectFrames();
}

} // namespace zev::workspace
