#include "SelectionCommands.h"

#include "ObjectCommands.h"
#include "TurnCommands.h"

#include "common/Numbers.h"
#include "engine/Frame.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace zev::edit {

using engine::Vector3;
using mission::MissionObjectRecord;
using mission::StartPointRecord;
using Kind = Selection::Kind;

bool PlaceThingsCommand::mergeWith(const EditCommand& later) {
    const auto* place = dynamic_cast<const PlaceThingsCommand*>(&later);
    if (!place || place->name_ != name_ || place->after_.size() != after_.size())
        return false;
    for (std::size_t i = 0; i < after_.size(); ++i)
        if (!(place->after_[i].thing == after_[i].thing))
            return false;
    after_ = place->after_;
    return true;
}

void PlaceThingsCommand::apply(MissionEditor& editor, const std::vector<ThingPlacement>& all) {
    for (const ThingPlacement& p : all)
        switch (p.thing.kind) {
        case Kind::Object:
            if (p.object)
                editor.applyObjectRecord(p.thing.id, *p.object);
            editor.applyObjectPosition(p.thing.id, p.position);
            break;
        case Kind::StartPoint:
            if (p.startPoint)
                editor.applyStartPointRecord(p.thing.id, *p.startPoint);
            editor.applyStartPointPosition(p.thing.id, p.position);
            break;
        case Kind::NavPoint:
            editor.applyNavPointPosition(p.thing.star, p.thing.id, p.position);
            break;
        case Kind::None:
            break;
        }
}

std::vector<ThingOrigin> selectionOrigins(const MissionEditor& editor) {
    std::vector<ThingOrigin> origins;
    origins.reserve(editor.selectionSize());
    for (const Selection& s : editor.selectedThings())
        if (const auto at = editor.positionOf(s))
            origins.push_back({s, *at});
    return origins;
}

Vector3 centreOf(const std::vector<ThingOrigin>& things) {
    if (things.empty())
        return {};
    Vector3 low = things.front().position, high = low;
    for (const ThingOrigin& t : things) {
        low = {std::min(low.x, t.position.x), std::min(low.y, t.position.y),
               std::min(low.z, t.position.z)};
        high = {std::max(high.x, t.position.x), std::max(high.y, t.position.y),
                std::max(high.z, t.position.z)};
    }
    return (low + high) * 0.5;
}

std::string selectionNoun(const MissionEditor& editor) {
    const auto& things = editor.selectedThings();
    if (things.size() == 1)
        switch (things.front().kind) {
        case Kind::Object:
            return "Object";
        case Kind::StartPoint:
            return "Start Point";
        case Kind::NavPoint:
            return "Nav Point";
        case Kind::None:
            break;
        }
    const bool objects = std::all_of(things.begin(), things.end(),
                                     [](const Selection& s) { return s.kind == Kind::Object; });
    return objects ? "Objects" : "Selection";
}

std::unique_ptr<EditCommand> moveThingsCommand(const MissionEditor& editor,
                                               const std::vector<ThingOrigin>& things,
                                               const Vector3& offset) {
    std::vector<ThingPlacement> before, after;
    before.reserve(things.size());
    after.reserve(things.size());
    bool moves = false;
    for (const ThingOrigin& t : things) {
        const auto now = editor.positionOf(t.thing);
        if (!now)
            continue;
        const Vector3 to = t.position + offset;
        moves = moves || !(to == *now);
        before.push_back({t.thing, *now, std::nullopt, std::nullopt});
        after.push_back({t.thing, to, std::nullopt, std::nullopt});
    }
    if (!moves)
        return nullptr;
    return std::make_unique<PlaceThingsCommand>("Move " + selectionNoun(editor), std::move(before),
                                                std::move(after));
}

std::unique_ptr<EditCommand> moveSelectionCommand(const MissionEditor& editor,
                                                  const Vector3& step) {
    return moveThingsCommand(editor, selectionOrigins(editor), step);
}

std::unique_ptr<EditCommand> turnThingsCommand(const MissionEditor& editor,
                                               const std::vector<ThingOrigin>& things,
                                               const Vector3& centre, int axis, int degrees,
                                               int totalDegrees) {
    const bool swing = axis == 1 && things.size() > 1;
    const engine::Matrix4 turn =
        engine::Matrix4::Rotation({0, 1, 0}, totalDegrees * engine::Frame::kRadiansPerDegree);
    std::vector<ThingPlacement> before, after;
    bool turns = false;
    for (const ThingOrigin& t : things) {
        const auto now = editor.positionOf(t.thing);
        if (!now)
            continue;
        ThingPlacement was{t.thing, *now, std::nullopt, std::nullopt};
        ThingPlacement is = was;
        if (swing) {
            const Vector3 offset = turn.TransformPoint(t.position - centre);
            is.position = {centre.x + offset.x, now->y, centre.z + offset.z};
        }
        if (t.thing.kind == Kind::Object) {
            const MissionObjectRecord& record = *editor.document().objects.find(t.thing.id);
            const auto field = MissionObjectRecord::mainRotation(axis);
            was.object = record;
            is.object = record;
            is.object->setInt32(field, normalisedDegrees(record.int32(field) + degrees));
        } else if (t.thing.kind == Kind::StartPoint && axis == 1) {
            const StartPointRecord& record = editor.document().startPoint(t.thing.id);
            was.startPoint = record;
            is.startPoint = record;
            is.startPoint->setText(
                StartPointRecord::heading,
                common::decimal(normalisedDegrees(
                    common::leadingInt(record.text(StartPointRecord::heading)) + degrees)));
        }
        turns = turns || !(is.position == was.position) || is.object || is.startPoint;
        before.push_back(std::move(was));
        after.push_back(std::move(is));
    }
    if (!turns)
        return nullptr;
    return std::make_unique<PlaceThingsCommand>("Turn " + selectionNoun(editor), std::move(before),
                                                std::move(after));
}

int deleteSelectedObjects(MissionEditor& editor, const std::string& name) {
    const std::vector<int> slots = editor.selectedObjects();
    if (slots.empty())
        return 0;
    editor.endMerging();
    editor.beginGesture(!name.empty()       ? name
                        : slots.size() == 1 ? "Delete Object"
                                            : "Delete Objects");
    for (int slot : slots)
        editor.execute(std::make_unique<RemoveObjectCommand>(slot));
    editor.commitGesture();
    return int(slots.size());
}

std::string selectionStatusText(const MissionEditor& editor) {
    std::string text;
    const std::size_t selected = editor.selectionSize();
    if (selected > 0) {
        const bool objects = editor.selectedObjects().size() == selected;
        text = std::to_string(selected) + (objects ? " object" : " thing") +
               (selected == 1 ? "" : "s") + " selected";
    }
    if (editor.hiddenCount() > 0)
        text += (text.empty() ? "" : "    ") + std::to_string(editor.hiddenCount()) + " hidden";
    return text;
}

// --- selection commands

std::vector<int> shownObjects(const MissionEditor& editor) {
    std::vector<int> slots;
    for (int slot : editor.objectOrder())
        if (!editor.isHidden(slot))
            slots.push_back(slot);
    return slots;
}

namespace {

std::vector<Selection> objectsOf(const std::vector<int>& slots) {
    std::vector<Selection> things;
    things.reserve(slots.size());
    for (int slot : slots)
        things.push_back(Selection::object(slot));
    return things;
}

// What makes objects alike: a ready-made group or not, and the geometry's name in any case.
std::pair<bool, std::string> likeness(const MissionObjectRecord& record) {
    std::string name = record.text(MissionObjectRecord::objectName);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return {record.isReadyMadeGroup(), name};
}

} // namespace

void selectAll(MissionEditor& editor) {
    editor.setSelection(objectsOf(shownObjects(editor)));
}

void selectNone(MissionEditor& editor) {
    editor.select(Selection::none());
}

void invertSelection(MissionEditor& editor) {
    std::vector<int> others;
    for (int slot : shownObjects(editor))
        if (!editor.isSelected(Selection::object(slot)))
            others.push_back(slot);
    editor.setSelection(objectsOf(others));
}

void selectSimilar(MissionEditor& editor) {
    std::vector<std::pair<bool, std::string>> kinds;
    for (int slot : editor.selectedObjects())
        kinds.push_back(likeness(*editor.document().objects.find(slot)));
    if (kinds.empty())
        return;
    std::vector<int> alike;
    for (int slot : shownObjects(editor))
        if (std::find(kinds.begin(), kinds.end(),
                      likeness(*editor.document().objects.find(slot))) != kinds.end())
            alike.push_back(slot);
    editor.addToSelection(objectsOf(alike));
}

void hideSelected(MissionEditor& editor) {
    editor.hideObjects(editor.selectedObjects());
}

void isolateSelected(MissionEditor& editor) {
    if (editor.selectedObjects().empty())
        return;
    std::vector<int> others;
    for (int slot : shownObjects(editor))
        if (!editor.isSelected(Selection::object(slot)))
            others.push_back(slot);
    editor.hideObjects(others);
}

} // namespace zev::edit
