#include "InspectorModel.h"

#include "ObjectCommands.h"

#include "common/Numbers.h"
#include "gamedata/ObjectGroupCatalog.h"

#include <algorithm>

namespace zev::edit {

using mission::MissionObjectRecord;
using R = MissionObjectRecord;

namespace {

constexpr std::size_t kNameChars = 34; // the menu text's width less the terminator

} // namespace

InspectorModel::InspectorModel(MissionEditor& editor, const gamedata::ObjectGroupCatalog* groups)
    : editor_(editor), groups_(groups) {
    editor_.addListener(this);
}

InspectorModel::~InspectorModel() {
    editor_.removeListener(this);
}

void InspectorModel::inspect(std::vector<int> slots) {
    std::erase_if(slots, [this](int slot) { return !editor_.document().objects.find(slot); });
    slots_ = std::move(slots);
    changed();
}

void InspectorModel::followSelection() {
    inspect(editor_.selectedObjects());
}

void InspectorModel::setGroups(const gamedata::ObjectGroupCatalog* groups) {
    groups_ = groups;
    changed();
}

const std::vector<std::string>& InspectorModel::keys() {
    static const std::vector<std::string> all = [] {
        std::vector<std::string> k{kName, kGroup};
        for (const ObjectPropertyField& f : objectPropertyFields())
            k.emplace_back(f.key);
        return k;
    }();
    return all;
}

std::string InspectorModel::labelOf(const std::string& key) {
    if (key == kName)
        return "Name";
    if (key == kGroup)
        return "Object Group";
    const ObjectPropertyField* f = findObjectPropertyField(key);
    return f ? f->label : key;
}

bool InspectorModel::inspects(int slot) const {
    return std::find(slots_.begin(), slots_.end(), slot) != slots_.end();
}

bool InspectorModel::anyReadyMade() const {
    return std::any_of(slots_.begin(), slots_.end(), [this](int slot) {
        return editor_.document().objects.find(slot)->isReadyMadeGroup();
    });
}

InspectorValue InspectorModel::value(const std::string& key) const {
    InspectorValue out;
    if (slots_.empty())
        return out;
    const ObjectPropertyField* field = findObjectPropertyField(key);
    std::vector<std::string> texts;
    for (int slot : slots_) {
        const MissionObjectRecord& r = *editor_.document().objects.find(slot);
        if (key == kName) {
            texts.push_back(r.text(R::menuText));
        } else if (key == kGroup) {
            texts.push_back(groups_ ? groups_->groupOf(r.text(R::objectName), r.text(R::menuText))
                                    : std::string());
        } else if (field) {
            // What the property dialog would show, the position where the workspace has it.
            const ObjectPropertiesModel shown(recordForEditing(editor_, slot));
            texts.push_back(field->shown(shown.shown()));
        }
    }
    out.differs =
        std::adjacent_find(texts.begin(), texts.end(), std::not_equal_to<>()) != texts.end();
    if (!out.differs && !texts.empty())
        out.text = texts.front();
    out.enabled = key != kGroup && !(field && field->detail && anyReadyMade());
    return out;
}

std::string InspectorModel::set(const std::string& key, const std::string& text) {
    const ObjectPropertyField* field = findObjectPropertyField(key);
    const std::string label = labelOf(key);
    if (slots_.empty())
        return {};
    if (key == kGroup)
        return "The object group is where an object was dropped from; it is shown only";
    if (!field && key != kName)
        return {};
    if (key == kName && text.size() > kNameChars)
        return "Name takes at most " + std::to_string(kNameChars) + " characters";
    if (field) {
        if (const std::string why = refusal(*field, text); !why.empty())
            return why;
        if (field->detail && anyReadyMade())
            return label + " is locked for a ready-made group";
    }
    editor_.endMerging();
    editor_.beginGesture("Set " + label);
    for (int slot : slots_) {
        const MissionObjectRecord* stored = editor_.document().objects.find(slot);
        if (!stored)
            continue;
        if (key == kName) {
            MissionObjectRecord named = *stored;
            named.setText(R::menuText, text);
            if (!(named == *stored))
                editor_.execute(std::make_unique<ChangeObjectRecordCommand>("Set " + label, slot,
                                                                            *stored, named));
            continue;
        }
        const std::string_view fieldKey = field->key;
        if (fieldKey.starts_with("position_")) {
            // Only the typed axis moves; the others stay where they are, fractions and all.
            const auto at = editor_.objectPosition(slot);
            if (!at)
                continue;
            engine::Vector3 placed = *at;
            const double coordinate = common::leadingInt(text) * kWorkspaceUnitsPerGameUnit;
            (fieldKey.back() == 'x'   ? placed.x
             : fieldKey.back() == 'y' ? placed.y
                                      : placed.z) = coordinate;
            if (!(placed == *at))
                editor_.execute(std::make_unique<MoveObjectCommand>(slot, *at, placed));
            continue;
        }
        // As the property dialog's OK stores the field.
        MissionObjectRecord edited = *stored;
        field->store(edited, text);
        if (!(edited == *stored))
            editor_.execute(
                std::make_unique<ChangeObjectRecordCommand>("Set " + label, slot, *stored, edited));
    }
    editor_.commitGesture();
    return {};
}

void InspectorModel::missionReplaced() {
    slots_.clear();
    changed();
}

void InspectorModel::objectRemoved(int slot) {
    if (!inspects(slot))
        return;
    std::erase(slots_, slot);
    changed();
}

void InspectorModel::objectMoved(int slot) {
    if (inspects(slot))
        changed();
}

void InspectorModel::objectRecordChanged(int slot) {
    if (inspects(slot))
        changed();
}

void InspectorModel::selectionChanged() {
    followSelection();
}

} // namespace zev::edit
