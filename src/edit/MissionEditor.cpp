#include "MissionEditor.h"

#include "common/Numbers.h"

#include <algorithm>

namespace zev::edit {

using mission::FramePlacement;
using mission::MissionDocument;
using mission::MissionObjectRecord;

namespace {

double workspaceCoordinate(const std::string& text) {
    return common::leadingInt(text) * kWorkspaceUnitsPerGameUnit;
}

std::array<std::int32_t, 3> gameUnits(const engine::Vector3& p) {
    return {common::gameUnitsFromWorkspace(p.x), common::gameUnitsFromWorkspace(p.y),
            common::gameUnitsFromWorkspace(p.z)};
}

} // namespace

engine::Vector3 startPointPositionOf(const mission::StartPointRecord& r) {
    using SP = mission::StartPointRecord;
    return {workspaceCoordinate(r.text(SP::x)), workspaceCoordinate(r.text(SP::y)),
            workspaceCoordinate(r.text(SP::z))};
}

std::vector<NavPointMarker>
markersFromRecords(const std::array<mission::Star, mission::kStarCount>& stars) {
    using NP = mission::NavPointRecord;
    std::vector<NavPointMarker> markers;
    for (int star = 0; star < mission::kStarCount; ++star)
        for (int nav = 0; nav < mission::kNavPointsPerStar; ++nav) {
            const NP& r = stars[std::size_t(star)][std::size_t(nav)];
            if (r.isInUse())
                markers.push_back(
                    {star,
                     nav,
                     {workspaceCoordinate(r.text(NP::x)), workspaceCoordinate(r.text(NP::y)),
                      workspaceCoordinate(r.text(NP::z))}});
        }
    return markers;
}

MissionEditor::MissionEditor() : document_(std::make_unique<MissionDocument>()) {}

MissionEditor::~MissionEditor() = default;

template <typename Call> void MissionEditor::tell(Call call) {
    // A listener may remove itself while it is told.
    const auto listeners = listeners_;
    for (EditorListener* l : listeners)
        call(*l);
}

void MissionEditor::addListener(EditorListener* listener) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void MissionEditor::removeListener(EditorListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

// --- load steps

void MissionEditor::loadPositions() {
    for (int player = 1; player <= mission::kPlayerCount; ++player)
        startPoints_[std::size_t(player - 1)] = startPointPositionOf(document_->startPoint(player));
    navPoints_ = markersFromRecords(document_->stars);
    objectPositions_.fill(std::nullopt);
    order_.clear();
    for (int slot : document_->objects.occupiedSlots()) {
        const MissionObjectRecord& r = *document_->objects.find(slot);
        using R = MissionObjectRecord;
        objectPositions_[std::size_t(slot)] =
            engine::Vector3{r.int32(R::position(0)) * kWorkspaceUnitsPerGameUnit,
                            r.int32(R::position(1)) * kWorkspaceUnitsPerGameUnit,
                            r.int32(R::position(2)) * kWorkspaceUnitsPerGameUnit};
        order_.push_back(slot);
    }
}

void MissionEditor::replaceMission(const MissionDocument& document, bool hasMission) {
    *document_ = document;
    document_->modified = false;
    hasMission_ = hasMission;
    gesture_.reset();
    history_.clear();
    selection_.clear();
    hidden_.fill(false);
    hiddenCount_ = 0;
    loadPositions();
    tell([](EditorListener& l) { l.missionReplaced(); });
    tell([](EditorListener& l) { l.historyChanged(); });
}

void MissionEditor::startMission(const MissionDocument& document) {
    replaceMission(document, true);
}

void MissionEditor::openMission(const MissionDocument& document, const ShowCheck& cannotShow,
                                common::Reporter& reporter) {
    MissionDocument loaded = document;
    if (cannotShow)
        for (int slot : loaded.objects.occupiedSlots())
            if (const auto why = cannotShow(loaded, slot)) {
                loaded.objects.free(slot);
                reporter.report(*why, "ZEVEDIT 3D", common::MessageIcon::Stop);
            }
    startMission(loaded);
}

void MissionEditor::markSaved() {
    history_.markClean();
    history_.closeMerging();
    document_->modified = false;
    document_->untitled = false;
    tell([](EditorListener& l) { l.historyChanged(); });
}

void MissionEditor::markRecovered() {
    history_.forgetClean();
    document_->modified = true;
    document_->untitled = true;
    tell([](EditorListener& l) { l.historyChanged(); });
}

void MissionEditor::closeMission() {
    replaceMission(MissionDocument(), false);
}

// --- positions and selection

std::optional<engine::Vector3> MissionEditor::objectPosition(int slot) const {
    if (slot < 0 || slot >= mission::ObjectTable::capacity)
        return std::nullopt;
    return objectPositions_[std::size_t(slot)];
}

engine::Vector3 MissionEditor::startPointPosition(int player) const {
    return startPoints_.at(std::size_t(player - 1));
}

std::optional<engine::Vector3> MissionEditor::positionOf(const Selection& thing) const {
    switch (thing.kind) {
    case Selection::Kind::Object:
        return objectPosition(thing.id);
    case Selection::Kind::StartPoint:
        if (thing.id < 1 || thing.id > mission::kPlayerCount)
            return std::nullopt;
        return startPointPosition(thing.id);
    case Selection::Kind::NavPoint:
        for (const NavPointMarker& m : navPoints_)
            if (m.star == thing.star && m.index == thing.id)
                return m.position;
        return std::nullopt;
    case Selection::Kind::None:
        return std::nullopt;
    }
    return std::nullopt;
}

bool MissionEditor::selectable(const Selection& thing) const {
    if (thing.kind == Selection::Kind::Object && isHidden(thing.id))
        return false;
    return positionOf(thing).has_value();
}

std::vector<int> MissionEditor::selectedObjects() const {
    std::vector<int> slots;
    for (const Selection& s : selection_)
        if (s.kind == Selection::Kind::Object)
            slots.push_back(s.id);
    return slots;
}

bool MissionEditor::isSelected(const Selection& thing) const {
    return std::find(selection_.begin(), selection_.end(), thing) != selection_.end();
}

void MissionEditor::selectionReplaced(std::vector<Selection> things) {
    if (things == selection_)
        return;
    selection_ = std::move(things);
    tell([](EditorListener& l) { l.selectionChanged(); });
}

void MissionEditor::select(const Selection& thing) {
    setSelection({thing});
}

void MissionEditor::setSelection(const std::vector<Selection>& things) {
    std::vector<Selection> kept;
    kept.reserve(things.size());
    for (const Selection& s : things)
        if (selectable(s) && std::find(kept.begin(), kept.end(), s) == kept.end())
            kept.push_back(s);
    selectionReplaced(std::move(kept));
}

void MissionEditor::addToSelection(const std::vector<Selection>& things) {
    std::vector<Selection> all = selection_;
    all.insert(all.end(), things.begin(), things.end());
    setSelection(all);
}

void MissionEditor::removeFromSelection(const std::vector<Selection>& things) {
    std::vector<Selection> kept;
    for (const Selection& s : selection_)
        if (std::find(things.begin(), things.end(), s) == things.end())
            kept.push_back(s);
    selectionReplaced(std::move(kept));
}

void MissionEditor::toggleSelected(const Selection& thing) {
    if (isSelected(thing))
        removeFromSelection({thing});
    else
        addToSelection({thing});
}

bool MissionEditor::isHidden(int slot) const {
    return slot >= 0 && slot < mission::ObjectTable::capacity && hidden_[std::size_t(slot)];
}

void MissionEditor::hideObjects(const std::vector<int>& slots) {
    std::vector<Selection> unselect;
    bool changed = false;
    for (int slot : slots)
        if (objectPosition(slot) && !hidden_[std::size_t(slot)]) {
            hidden_[std::size_t(slot)] = true;
            ++hiddenCount_;
            changed = true;
            unselect.push_back(Selection::object(slot));
        }
    if (!changed)
        return;
    removeFromSelection(unselect);
    tell([](EditorListener& l) { l.hiddenChanged(); });
}

void MissionEditor::unhideAll() {
    if (hiddenCount_ == 0)
        return;
    hidden_.fill(false);
    hiddenCount_ = 0;
    tell([](EditorListener& l) { l.hiddenChanged(); });
}

// --- history

void MissionEditor::historyStepped() {
    document_->modified = !history_.isClean();
    tell([](EditorListener& l) { l.historyChanged(); });
}

void MissionEditor::execute(std::unique_ptr<EditCommand> command,
                            std::optional<std::int64_t> nowMs) {
    command->redo(*this);
    if (gesture_) {
        gesture_->addDone(std::move(command));
        return;
    }
    history_.addDone(std::move(command), nowMs);
    historyStepped();
}

bool MissionEditor::undo() {
    if (gesture_)
        cancelGesture();
    EditCommand* step = history_.nextUndo();
    if (!step)
        return false;
    step->undo(*this);
    history_.stepBack();
    history_.closeMerging();
    historyStepped();
    return true;
}

bool MissionEditor::redo() {
    if (gesture_)
        return false;
    EditCommand* step = history_.nextRedo();
    if (!step)
        return false;
    step->redo(*this);
    history_.stepForward();
    history_.closeMerging();
    historyStepped();
    return true;
}

std::string MissionEditor::undoText() const {
    const EditCommand* step = history_.nextUndo();
    return step ? "Undo " + step->name() : "Undo";
}

std::string MissionEditor::redoText() const {
    const EditCommand* step = history_.nextRedo();
    return step ? "Redo " + step->name() : "Redo";
}

void MissionEditor::beginGesture(const std::string& name) {
    if (gesture_)
        cancelGesture();
    gesture_ = std::make_unique<CompoundCommand>(name);
}

void MissionEditor::commitGesture() {
    if (!gesture_)
        return;
    std::unique_ptr<CompoundCommand> done = std::move(gesture_);
    if (done->empty())
        return;
    history_.addDone(std::move(done), std::nullopt);
    historyStepped();
}

void MissionEditor::cancelGesture() {
    if (!gesture_)
        return;
    std::unique_ptr<CompoundCommand> undone = std::move(gesture_);
    undone->undo(*this);
}

// --- changes

std::size_t MissionEditor::orderIndexOf(int slot) const {
    return std::size_t(std::find(order_.begin(), order_.end(), slot) - order_.begin());
}

void MissionEditor::applyAddObject(int slot, const MissionObjectRecord& record,
                                   const engine::Vector3& position, std::size_t orderIndex) {
    document_->objects.place(slot, record);
    objectPositions_.at(std::size_t(slot)) = position;
    order_.insert(order_.begin() + std::ptrdiff_t(std::min(orderIndex, order_.size())), slot);
    tell([slot](EditorListener& l) { l.objectAdded(slot); });
}

void MissionEditor::applyRemoveObject(int slot) {
    removeFromSelection({Selection::object(slot)});
    if (hidden_.at(std::size_t(slot))) {
        // What is taken out is not hidden when it comes back (an undo, a paste into its slot).
        hidden_[std::size_t(slot)] = false;
        --hiddenCount_;
        tell([](EditorListener& l) { l.hiddenChanged(); });
    }
    document_->objects.free(slot);
    objectPositions_.at(std::size_t(slot)).reset();
    order_.erase(std::remove(order_.begin(), order_.end(), slot), order_.end());
    tell([slot](EditorListener& l) { l.objectRemoved(slot); });
}

void MissionEditor::applyObjectPosition(int slot, const engine::Vector3& position) {
    objectPositions_.at(std::size_t(slot)) = position;
    tell([slot](EditorListener& l) { l.objectMoved(slot); });
}

void MissionEditor::applyObjectRecord(int slot, const MissionObjectRecord& record) {
    document_->objects.place(slot, record);
    tell([slot](EditorListener& l) { l.objectRecordChanged(slot); });
}

void MissionEditor::applyStartPointPosition(int player, const engine::Vector3& position) {
    startPoints_.at(std::size_t(player - 1)) = position;
    tell([player](EditorListener& l) { l.startPointChanged(player); });
}

void MissionEditor::applyStartPointRecord(int player, const mission::StartPointRecord& record) {
    document_->startPoint(player) = record;
    tell([player](EditorListener& l) { l.startPointChanged(player); });
}

void MissionEditor::applyNavPointPosition(int star, int index, const engine::Vector3& position) {
    for (NavPointMarker& m : navPoints_)
        if (m.star == star && m.index == index)
            m.position = position;
    tell([](EditorListener& l) { l.navPointsChanged(); });
}

void MissionEditor::applyHeader(const mission::MissionHeader& header) {
    document_->header = header;
    tell([](EditorListener& l) { l.headerChanged(); });
}

void MissionEditor::applyObjectives(const mission::ObjectiveBlock& tables) {
    document_->objectives = tables;
    tell([](EditorListener& l) { l.tablesChanged(); });
}

void MissionEditor::applyWeather(const mission::WeatherRecord& weather) {
    document_->weather = weather;
    tell([](EditorListener& l) { l.weatherChanged(); });
}

void MissionEditor::applyPalette(const mission::PaletteRecord& palette) {
    document_->palette = palette;
    tell([](EditorListener& l) { l.paletteChanged(); });
}

void MissionEditor::applyBriefings(const Briefings& briefings) {
    document_->briefings = briefings;
    tell([](EditorListener& l) { l.briefingsChanged(); });
}

void MissionEditor::applyNavPoints(const NavPoints& navPoints) {
    std::vector<Selection> navs;
    for (const Selection& s : selection_)
        if (s.kind == Selection::Kind::NavPoint)
            navs.push_back(s);
    removeFromSelection(navs);
    document_->stars = navPoints.stars;
    navPoints_ = navPoints.markers;
    tell([](EditorListener& l) { l.navPointsChanged(); });
}

// --- positions for Save and Build, as the workspace frames gave them

std::vector<FramePlacement> MissionEditor::startPointFrames() const {
    std::vector<FramePlacement> frames;
    if (!hasMission_)
        return frames;
    for (int player = 1; player <= mission::kPlayerCount; ++player)
        frames.push_back({mission::kStartPointTagBase + player - 1,
                          "Player " + std::to_string(player) + " Start Point",
                          gameUnits(startPoints_[std::size_t(player - 1)])});
    return frames;
}

std::vector<FramePlacement> MissionEditor::navPointFrames() const {
    std::vector<FramePlacement> frames;
    for (const NavPointMarker& m : navPoints_)
        frames.push_back(
            {mission::kNavPointTagBase + m.star, common::decimal(m.index), gameUnits(m.position)});
    return frames;
}

std::vector<FramePlacement> MissionEditor::objectFrames() const {
    std::vector<FramePlacement> frames;
    for (int slot : order_)
        if (const auto& p = objectPositions_[std::size_t(slot)])
            frames.push_back({slot, {}, gameUnits(*p)});
    return frames;
}

} // namespace zev::edit
