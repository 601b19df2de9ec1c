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

// The shared pointer its parent holds a frame by.
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

MissionScene::~MissionScene() {
    if (editor_)
        editor_->removeListener(this);
}

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
    // Hidden objects wait outside the scene: neither drawn nor picked.
    hiddenObjects_ = engine::Frame::Create();
    hiddenObjects_->SetMaterialMode(engine::MaterialMode::Frame);
}

void MissionScene::DetachMissionFrames() {
    UnpaintSelection();
    for (auto* container : {&objects_, &navPoints_, &startPoints_}) {
        if (*container)
            scene_->DeleteChild(container->get());
        container->reset();
    }
    objectFrames_.fill(nullptr);
    hiddenObjects_.reset();
}

void MissionScene::AddStartPointMarkers() {
    if (!objectPiece_ || !startPoints_)
        return;
    const mission::MissionDocument& document = editor_->document();
    for (int player = 1; player <= mission::kPlayerCount; ++player) {
        const mission::StartPointRecord& record = document.startPoint(player);
        objectPiece_->CreateStartPointMarker(
            *startPoints_, mission::kStartPointTagBase + player - 1,
            "Player " + std::to_string(player) + " Start Point",
            editor_->startPointPosition(player),
            common::leadingInt(record.text(mission::StartPointRecord::heading)),
            platform::playerColour(settings_, player));
    }
}

void MissionScene::AddNavPointMarkers() {
    if (!objectPiece_ || !navPoints_)
        return;
    const Rgb colour = Colour(platform::kNavPointsColour);
    for (const edit::NavPointMarker& marker : editor_->navPointMarkers())
        objectPiece_->CreateNavPointMarker(*navPoints_, mission::kNavPointTagBase + marker.star,
                                           common::decimal(marker.index), marker.position, colour);
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

// --- the editor's mission

void MissionScene::Attach(edit::MissionEditor* editor) {
    if (editor_)
        editor_->removeListener(this);
    editor_ = editor;
    if (editor_)
        editor_->addListener(this);
    missionReplaced();
}

MissionScene::BuiltFrom MissionScene::BuiltFromRecord(const mission::MissionObjectRecord& record) {
    using R = mission::MissionObjectRecord;
    return {record.text(R::objectName),
            record.isReadyMadeGroup(),
            {record.int32(R::scale(0)), record.int32(R::scale(1)), record.int32(R::scale(2))}};
}

bool MissionScene::BuildObject(engine::Frame& parent, int slot,
                               const mission::MissionObjectRecord& record) {
    if (!objectPiece_)
        return false;
    using R = mission::MissionObjectRecord;
    const engine::Vector3 position{record.int32(R::position(0)) * kUnitsPerGameUnit,
                                   record.int32(R::position(1)) * kUnitsPerGameUnit,
                                   record.int32(R::position(2)) * kUnitsPerGameUnit};
    const engine::Vector3 scale{double(record.int32(R::scale(0))),
                                double(record.int32(R::scale(1))),
                                double(record.int32(R::scale(2)))};
    const Degrees3 rotation{record.int32(R::mainRotation(0)), record.int32(R::mainRotation(1)),
                            record.int32(R::mainRotation(2))};
    const std::string name = record.text(R::objectName);
    if (record.isReadyMadeGroup())
        return objectPiece_->LoadReadyMadeGroup(parent, name, slot, "", position, scale, rotation,
                                                Colour(platform::kRmgObjectColour));
    return objectPiece_->LoadObjectFrame(parent, name, slot, "", position, scale, rotation,
                                         Colour(platform::kStandardObjectColour), nullptr);
}

std::optional<std::string> MissionScene::PrepareObject(int slot,
                                                       const mission::MissionObjectRecord& record) {
    if (!objectPiece_)
        return std::nullopt; // nothing is shown without a converter, and nothing is refused
    if (!prepared_)
        prepared_ = engine::Frame::Create();
    for (const auto& earlier : prepared_->GetChildren())
        if (earlier->GetAppData() == slot) {
            prepared_->DeleteChild(earlier.get());
            break;
        }
    if (!BuildObject(*prepared_, slot, record))
        return objectPiece_->LastError();
    return std::nullopt;
}

edit::MissionEditor::ShowCheck MissionScene::ShowCheck() {
    return [this](const mission::MissionDocument& document, int slot) {
        const mission::MissionObjectRecord* record = document.objects.find(slot);
        return record ? PrepareObject(slot, *record) : std::nullopt;
    };
}

void MissionScene::ShowObject(int slot) {
    const mission::MissionObjectRecord* record =
        editor_ ? editor_->document().objects.find(slot) : nullptr;
    if (!record || !objects_ || !objectPiece_)
        return;
    std::shared_ptr<engine::Frame> frame;
    if (prepared_)
        for (const auto& candidate : prepared_->GetChildren())
            if (candidate->GetAppData() == slot) {
                frame = candidate;
                break;
            }
    if (frame) {
        objects_->AddChild(frame);
    } else {
        if (!BuildObject(*objects_, slot, *record))
            return; // it can no longer be shown (its geometry went away); the model keeps it
        frame = objects_->GetChildren().back();
    }
    objectFrames_[std::size_t(slot)] = frame;
    builtFrom_[std::size_t(slot)] = BuiltFromRecord(*record);
    PlaceObject(slot);
    if (editor_->isHidden(slot))
        hiddenObjects_->AddChild(frame);
}

void MissionScene::PlaceObject(int slot) {
    engine::Frame* frame = objectFrames_[std::size_t(slot)].get();
    const mission::MissionObjectRecord* record = editor_->document().objects.find(slot);
    const auto position = editor_->objectPosition(slot);
    if (!frame || !record || !position)
        return;
    using R = mission::MissionObjectRecord;
    const Degrees3 rotation{record->int32(R::mainRotation(0)), record->int32(R::mainRotation(1)),
                            record->int32(R::mainRotation(2))};
    if (record->isReadyMadeGroup())
        PlaceScaleAndTurn(*frame, *position,
                          {double(record->int32(R::scale(0))), double(record->int32(R::scale(1))),
                           double(record->int32(R::scale(2)))},
                          rotation);
    else
        PlaceAndTurn(*frame, *position, rotation); // the mesh carries the scale
}

void MissionScene::ZoomOver(int slot, engine::Frame* camera) {
    if (!camera || !objectPiece_ || !objectPiece_->AutoZoom() || slot < 0 ||
        slot >= mission::ObjectTable::capacity)
        return;
    const engine::Frame* frame = objectFrames_[std::size_t(slot)].get();
    if (!frame || frame->GetVisuals().empty())
        return;
    const engine::Vector3 at = frame->GetPosition(objects_.get());
    camera->SetPosition(objects_.get(), at.x, AutoZoomHeight(*frame->GetVisuals().front()), at.z);
}

namespace {

void includeFrame(const engine::Frame& frame, engine::Box& box) {
    const engine::Matrix4 world = frame.GetWorldTransform();
    for (const auto& visual : frame.GetVisuals()) {
        const engine::Box own = visual->GetBox();
        if (own.empty)
            continue;
        for (int corner = 0; corner < 8; ++corner)
            box.Include(world.TransformPoint({corner & 1 ? own.max.x : own.min.x,
                                              corner & 2 ? own.max.y : own.min.y,
                                              corner & 4 ? own.max.z : own.min.z}));
    }
    for (const auto& child : frame.GetChildren())
        includeFrame(*child, box);
}

} // namespace

std::optional<engine::Box> MissionScene::ObjectBox(int slot) const {
    if (slot < 0 || slot >= mission::ObjectTable::capacity)
        return std::nullopt;
    const engine::Frame* frame = objectFrames_[std::size_t(slot)].get();
    if (!frame)
        return std::nullopt;
    engine::Box box;
    includeFrame(*frame, box);
    if (box.empty)
        box.Include(frame->GetPosition(nullptr));
    return box;
}

void MissionScene::RemoveObjectFrame(int slot) {
    std::shared_ptr<engine::Frame>& frame = objectFrames_[std::size_t(slot)];
    if (!frame)
        return;
    std::erase_if(painted_, [&frame](const Painted& p) { return p.frame.lock() == frame; });
    if (engine::Frame* parent = frame->GetParent())
        parent->DeleteChild(frame.get());
    frame.reset();
}

void MissionScene::missionReplaced() {
    if (!editor_ || !editor_->hasMission()) {
        DetachMissionFrames();
        prepared_.reset();
        return;
    }
    MakeContainers();
    AddStartPointMarkers();
    AddNavPointMarkers();
    for (int slot : editor_->objectOrder())
        ShowObject(slot);
    prepared_.reset();
    PlaceCamerasOverPlayerOne(editor_->document());
    PaintSelection();
}

void MissionScene::objectAdded(int slot) {
    RemoveObjectFrame(slot);
    ShowObject(slot);
    prepared_.reset();
}

void MissionScene::objectRemoved(int slot) {
    RemoveObjectFrame(slot);
}

void MissionScene::objectMoved(int slot) {
    if (objectFrames_[std::size_t(slot)])
        if (const auto position = editor_->objectPosition(slot))
            objectFrames_[std::size_t(slot)]->SetPosition(objects_.get(), *position);
}

void MissionScene::objectRecordChanged(int slot) {
    const mission::MissionObjectRecord* record = editor_->document().objects.find(slot);
    if (!record)
        return;
    if (!objectFrames_[std::size_t(slot)] ||
        builtFrom_[std::size_t(slot)] != BuiltFromRecord(*record)) {
        const bool wasSelected = editor_->isSelected(edit::Selection::object(slot));
        if (wasSelected)
            UnpaintSelection();
        RemoveObjectFrame(slot);
        ShowObject(slot);
        if (wasSelected)
            PaintSelection();
        return;
    }
    PlaceObject(slot);
}

void MissionScene::startPointChanged(int player) {
    if (!startPoints_)
        return;
    const std::int32_t tag = mission::kStartPointTagBase + player - 1;
    for (const auto& marker : startPoints_->GetChildren())
        if (marker->GetAppData() == tag) {
            const mission::StartPointRecord& record = editor_->document().startPoint(player);
            PlaceAndTurn(
                *marker, editor_->startPointPosition(player),
                {0, common::leadingInt(record.text(mission::StartPointRecord::heading)), 0});
        }
}

void MissionScene::navPointsChanged() {
    if (!navPoints_)
        return;
    const auto& markers = editor_->navPointMarkers();
    const auto& frames = navPoints_->GetChildren();
    bool same = frames.size() == markers.size();
    for (std::size_t i = 0; same && i < markers.size(); ++i)
        same = frames[i]->GetAppData() == mission::kNavPointTagBase + markers[i].star &&
               frames[i]->GetName() == common::decimal(markers[i].index);
    if (same) {
        for (std::size_t i = 0; i < markers.size(); ++i)
            frames[i]->SetPosition(navPoints_.get(), markers[i].position);
        return;
    }
    UnpaintSelection();
    scene_->DeleteChild(navPoints_.get());
    navPoints_ = engine::Frame::Create(scene_.get());
    navPoints_->SetMaterialMode(engine::MaterialMode::Frame);
    AddNavPointMarkers();
    PaintSelection();
}

void MissionScene::selectionChanged() {
    UnpaintSelection();
    PaintSelection();
}

void MissionScene::hiddenChanged() {
    if (!objects_ || !editor_)
        return;
    for (int slot = 0; slot < mission::ObjectTable::capacity; ++slot) {
        const std::shared_ptr<engine::Frame>& frame = objectFrames_[std::size_t(slot)];
        if (!frame)
            continue;
        engine::Frame* belongs = editor_->isHidden(slot) ? hiddenObjects_.get() : objects_.get();
        if (frame->GetParent() != belongs)
            belongs->AddChild(frame);
    }
}

// --- selection

engine::Frame* MissionScene::FrameOf(const edit::Selection& selection) const {
    using Kind = edit::Selection::Kind;
    switch (selection.kind) {
    case Kind::Object:
        if (selection.id >= 0 && selection.id < mission::ObjectTable::capacity)
            return objectFrames_[std::size_t(selection.id)].get();
        return nullptr;
    case Kind::StartPoint:
        if (startPoints_)
            for (const auto& marker : startPoints_->GetChildren())
                if (marker->GetAppData() == mission::kStartPointTagBase + selection.id - 1)
                    return marker.get();
        return nullptr;
    case Kind::NavPoint:
        if (navPoints_)
            for (const auto& marker : navPoints_->GetChildren())
                if (marker->GetAppData() == mission::kNavPointTagBase + selection.star &&
                    marker->GetName() == common::decimal(selection.id))
                    return marker.get();
        return nullptr;
    case Kind::None:
        return nullptr;
    }
    return nullptr;
}

void MissionScene::PaintSelection() {
    if (!editor_ || !painted_.empty())
        return;
    const engine::Color colour = ToEngineColor(Colour(platform::kSelectedObjectColour));
    for (const edit::Selection& thing : editor_->selectedThings()) {
        std::shared_ptr<engine::Frame> frame = thing.kind == edit::Selection::Kind::Object
                                                   ? objectFrames_[std::size_t(thing.id)]
                                                   : ChildHolding(FrameOf(thing));
        if (!frame)
            continue;
        if (frame->GetChildren().empty()) {
            painted_.push_back({frame, frame->GetColor()});
            frame->SetColor(colour);
        } else {
            painted_.push_back({frame, frame->GetChildren().front()->GetColor()});
            for (const auto& member : frame->GetChildren())
                member->SetColor(colour);
        }
    }
}

void MissionScene::UnpaintSelection() {
    for (const Painted& p : painted_) {
        const std::shared_ptr<engine::Frame> frame = p.frame.lock();
        if (!frame)
            continue;
        if (frame->GetChildren().empty()) {
            frame->SetColor(p.saved);
            continue;
        }
        for (const auto& member : frame->GetChildren())
            member->SetColor(p.saved);
    }
    painted_.clear();
}

engine::Frame* MissionScene::Selected() const {
    for (auto it = painted_.rbegin(); it != painted_.rend(); ++it)
        if (const auto frame = it->frame.lock())
            return frame.get();
    return nullptr;
}

std::vector<engine::Frame*> MissionScene::SelectedFrames() const {
    std::vector<engine::Frame*> frames;
    for (const Painted& p : painted_)
        if (const auto frame = p.frame.lock())
            frames.push_back(frame.get());
    return frames;
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
    UnpaintSelection();
    if (editor_)
        editor_->select(edit::Selection::none());
}

void MissionScene::PlayerStartPointColor1Click(const Rgb&) {}

void MissionScene::RecolourObjects() {
    if (!objects_)
        return;
    UnpaintSelection(); // so that giving the colour back later does not bring back an old one
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
    PaintSelection();
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
