#include "ObjectCommands.h"

#include "common/Numbers.h"

#include "MissionEditor.h"

namespace zev::edit {

void AddObjectCommand::redo(MissionEditor& editor) {
    editor.applyAddObject(slot_, record_, position_, editor.objectOrder().size());
}

void AddObjectCommand::undo(MissionEditor& editor) {
    editor.applyRemoveObject(slot_);
}

void RemoveObjectCommand::redo(MissionEditor& editor) {
    // Taken from the model when it is done, so a redo after other steps removes what is there.
    if (const auto* record = editor.document().objects.find(slot_))
        record_ = *record;
    position_ = editor.objectPosition(slot_).value_or(engine::Vector3{});
    orderIndex_ = editor.orderIndexOf(slot_);
    editor.applyRemoveObject(slot_);
}

void RemoveObjectCommand::undo(MissionEditor& editor) {
    editor.applyAddObject(slot_, record_, position_, orderIndex_);
}

void applyObjectPosition(MissionEditor& editor, const int& slot, const engine::Vector3& position) {
    editor.applyObjectPosition(slot, position);
}

void applyObjectRecord(MissionEditor& editor, const int& slot,
                       const mission::MissionObjectRecord& record) {
    editor.applyObjectRecord(slot, record);
}

mission::MissionObjectRecord recordForEditing(const MissionEditor& editor, int slot) {
    mission::MissionObjectRecord record = *editor.document().objects.find(slot);
    if (const auto at = editor.objectPosition(slot)) {
        const double coordinates[3] = {at->x, at->y, at->z};
        for (int axis = 0; axis < 3; ++axis)
            record.setInt32(mission::MissionObjectRecord::position(axis),
                            common::gameUnitsFromWorkspace(coordinates[axis]));
    }
    return record;
}

void applyObjectProperties(MissionEditor& editor, int slot,
                           const mission::MissionObjectRecord& edited) {
    const mission::MissionObjectRecord* stored = editor.document().objects.find(slot);
    const auto at = editor.objectPosition(slot);
    if (!stored || !at)
        return;
    using R = mission::MissionObjectRecord;
    const engine::Vector3 placed{edited.int32(R::position(0)) * kWorkspaceUnitsPerGameUnit,
                                 edited.int32(R::position(1)) * kWorkspaceUnitsPerGameUnit,
                                 edited.int32(R::position(2)) * kWorkspaceUnitsPerGameUnit};
    // An OK that changed nothing leaves even a fraction of a unit where it was.
    if (edited == recordForEditing(editor, slot))
        return;
    editor.endMerging();
    editor.beginGesture("Object Properties");
    if (!(edited == *stored))
        editor.execute(std::make_unique<ChangeObjectRecordCommand>("Object Properties", slot,
                                                                   *stored, edited));
    if (!(placed == *at))
        editor.execute(std::make_unique<MoveObjectCommand>(slot, *at, placed));
    editor.commitGesture();
}

} // namespace zev::edit
